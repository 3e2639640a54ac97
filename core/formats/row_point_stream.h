// A profile's points handed to a writer in station order as their elevations
// are chosen, so that an export takes little more than its writing.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/design/profile_check.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/text_out.h"
#include "core/profile/profile_state.h"

namespace ravo {

namespace rows_to_pvi {
class Plan;
}

// The points of the profile's vertical curves, which read back as its rows.
// A long profile's elevations are chosen on a second thread, a stretch at a
// time, while the first are written.
class RowPointStream {
public:
    // Throws ProfileNotContinuousError with the faults of the curve rows that
    // keep them from being one profile.
    RowPointStream(const ProfileState& state, const Tolerances& tolerances);
    ~RowPointStream();  // stops the choosing and waits for it
    RowPointStream(const RowPointStream&) = delete;
    RowPointStream& operator=(const RowPointStream&) = delete;

    double FirstStation() const { return points_.front().station; }
    double LastStation() const { return points_.back().station; }
    // Whether a point is an unsymmetric curve.
    bool Unsymmetric() const { return unsymmetric_; }

    // Calls write(point) for each point in station order, each once its
    // elevation is chosen; only for the first `count` where that is given.
    template <class Write>
    void ForEach(const Write& write, std::size_t count = SIZE_MAX) const
    {
        const std::size_t end = std::min(count, points_.size());
        std::size_t ready = 0;
        for (std::size_t i = 0; i < end; ++i) {
            if (i == ready)
                ready = WaitBeyond(i);
            write(points_[i]);
        }
    }

    // Adds each point's text, as write(out, point) makes it, to `out` in
    // station order. A long profile's last points are written into memory on
    // a thread of their own once all are chosen, while the first are written
    // here: writing numbers is most of an export's work.
    template <class Write>
    void WriteEach(TextOut& out, const Write& write) const
    {
        const PointText text = [&write](TextOut& o, const RowPoint& p) { write(o, p); };
        TextApart tail(*this, text);
        ForEach([&](const RowPoint& p) { write(out, p); }, tail.From());
        tail.PassTo(out);
    }

private:
    using PointText = std::function<void(TextOut&, const RowPoint&)>;

    // The text of the points from From() on, made on a thread of its own.
    class TextApart {
    public:
        TextApart(const RowPointStream& stream, const PointText& text);
        std::size_t From() const { return from_; }
        // Waits for the text and adds it to `out`; passes on what the thread
        // threw.
        void PassTo(TextOut& out);

    private:
        std::size_t from_ = 0;
        std::vector<std::string> pieces_;
        std::exception_ptr failed_;
        std::jthread writer_;  // last, so that it is stopped before the rest goes
    };

    // How many points are chosen, once more than i are.
    std::size_t WaitBeyond(std::size_t i) const;

    std::unique_ptr<rows_to_pvi::Plan> plan_;
    const std::vector<RowPoint>& points_;
    bool unsymmetric_ = false;
    std::atomic<std::size_t> ready_{0};
    std::jthread chooser_;  // last, so that it is stopped before the rest goes
};

}  // namespace ravo
