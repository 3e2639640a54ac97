// Choosing a profile's points on a second thread while they are written.
#include "core/formats/row_point_stream.h"

#include <algorithm>

#include "core/formats/rows_to_pvi.h"

namespace ravo {
namespace {

// Below this many points the elevations are chosen before any is written; a
// thread would cost more than it spares. Above it they are chosen this many
// at a time.
constexpr std::size_t PointsChosenAtOnce = 4096;

}  // namespace

RowPointStream::RowPointStream(const ProfileState& state, const Tolerances& tolerances)
    : plan_(std::make_unique<rows_to_pvi::Plan>(
          rows_to_pvi::PlanRowPoints(CurveRows(state), state, tolerances))),
      points_(plan_->points),
      unsymmetric_(plan_->unsymmetric)
{
    const std::size_t size = points_.size();
    // A plan without drafts is chosen already, as its points were read back.
    if (plan_->drafts.empty() || size <= PointsChosenAtOnce) {
        if (!plan_->drafts.empty())
            plan_->Choose(0, size);
        ready_ = size;
        return;
    }
    chooser_ = std::jthread([this, size](const std::stop_token& stop) {
        for (std::size_t from = 0; from < size && !stop.stop_requested();
             from += PointsChosenAtOnce) {
            const std::size_t to = std::min(size, from + PointsChosenAtOnce);
            plan_->Choose(from, to);
            ready_.store(to, std::memory_order_release);
            ready_.notify_one();
        }
    });
}

RowPointStream::~RowPointStream() = default;

std::size_t RowPointStream::WaitBeyond(std::size_t i) const
{
    std::size_t ready = ready_.load(std::memory_order_acquire);
    while (ready <= i) {
        ready_.wait(ready, std::memory_order_acquire);
        ready = ready_.load(std::memory_order_acquire);
    }
    return ready;
}

}  // namespace ravo
