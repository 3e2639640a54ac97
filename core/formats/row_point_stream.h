// A profile's points handed to a writer in station order as their elevations
// are chosen, so that an export takes little more than its writing.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

#include "core/design/profile_check.h"
#include "core/formats/pvi_mapping.h"
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
    // elevation is chosen.
    template <class Write>
    void ForEach(const Write& write) const
    {
        std::size_t ready = 0;
        for (std::size_t i = 0; i < points_.size(); ++i) {
            if (i == ready)
                ready = WaitBeyond(i);
            write(points_[i]);
        }
    }

private:
    // How many points are chosen, once more than i are.
    std::size_t WaitBeyond(std::size_t i) const;

    std::unique_ptr<rows_to_pvi::Plan> plan_;
    const std::vector<RowPoint>& points_;
    bool unsymmetric_ = false;
    std::atomic<std::size_t> ready_{0};
    std::jthread chooser_;  // last, so that it is stopped before the rest goes
};

}  // namespace ravo
