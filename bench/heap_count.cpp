// The allocation functions of a benchmark program, counting the bytes held;
// each block carries its size in front of it, so that a free can count it off.
#include "heap_count.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <pugixml.hpp>

namespace {

std::atomic<std::int64_t> heapNow{0};
std::atomic<std::int64_t> heapPeak{0};
std::atomic<std::int64_t> heapBase{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Counted(std::size_t size) noexcept
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr)
        return nullptr;
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::int64_t now = heapNow += static_cast<std::int64_t>(size);
    std::int64_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block + kHeader;
}

void* CountedOrThrow(std::size_t size)
{
    void* block = Counted(size);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void CountedFree(void* pointer) noexcept
{
    if (pointer == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    heapNow -= static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return CountedOrThrow(size); }
void* operator new[](std::size_t size) { return CountedOrThrow(size); }
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { CountedFree(pointer); }

namespace ravo::bench {

void ResetHeapPeak()
{
    heapBase = heapNow.load();
    heapPeak = heapNow.load();
}

std::int64_t HeapPeakAbove() { return heapPeak.load() - heapBase.load(); }

std::int64_t HeapNow() { return heapNow.load(); }

void CountPugixml()
{
    pugi::set_memory_management_functions([](std::size_t size) { return Counted(size); },
                                          CountedFree);
}

}  // namespace ravo::bench
