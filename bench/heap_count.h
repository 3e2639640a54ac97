// The heap memory a benchmark takes: every allocation of the program (and of
// pugixml, when told) is counted, so that a benchmark can report the most it
// held above what was held before it began.
#pragma once

#include <cstdint>

namespace ravo::bench {

// Starts a new measure from the bytes held now.
void ResetHeapPeak();

// The most bytes held since the last reset, above what was held at it.
std::int64_t HeapPeakAbove();

// Bytes held now.
std::int64_t HeapNow();

// Makes pugixml allocate through the same count.
void CountPugixml();

}  // namespace ravo::bench
