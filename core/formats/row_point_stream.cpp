// Choosing a profile's points on a second thread while they are written.
#include "core/formats/row_point_stream.h"

#include <algorithm>
#include <string_view>

#include "core/formats/rows_to_pvi.h"

namespace ravo {
namespace {

// Below this many points the elevations are chosen before any is written; a
// thread would cost more than it spares. Above it they are chosen this many
// at a time.
constexpr std::size_t PointsChosenAtOnce = 4096;

// The last of this share of a long profile's points are written apart.
// Choosing every elevation takes about a third of the time of writing them
// all, so choosing them and then writing the last third, one after the other
// beside the export's own thread, ends about when it has written the rest.
constexpr std::size_t ShareWrittenApart = 3;

// Collects text in the pieces it is handed, which are passed on as they are.
class PieceSink : public ByteSink {
public:
    explicit PieceSink(std::vector<std::string>& pieces) : pieces_(pieces) {}
    void Write(std::string_view bytes) override { pieces_.emplace_back(bytes); }

private:
    std::vector<std::string>& pieces_;
};

}  // namespace

RowPointStream::TextApart::TextApart(const RowPointStream& stream, const PointText& text)
{
    const std::size_t size = stream.points_.size();
    from_ = size <= PointsChosenAtOnce ? size : size - size / ShareWrittenApart;
    if (from_ == size)
        return;
    writer_ = std::jthread([this, &stream, &text, size](const std::stop_token& stop) {
        try {
            PieceSink sink(pieces_);
            TextOut out(sink);
            stream.WaitBeyond(size - 1);
            for (std::size_t i = from_; i < size && !stop.stop_requested(); ++i)
                text(out, stream.points_[i]);
            out.Finish();
        } catch (...) {
            failed_ = std::current_exception();
        }
    });
}

void RowPointStream::TextApart::PassTo(TextOut& out)
{
    if (!writer_.joinable())
        return;
    writer_.join();
    if (failed_)
        std::rethrow_exception(failed_);
    for (const std::string& piece : pieces_)
        out.Pass(piece);
}

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
            // Both the writer and the thread that writes the last points
            // apart may be waiting.
            ready_.notify_all();
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
