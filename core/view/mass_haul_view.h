// The mass haul diagram of the profile window: the mass ordinate a pixel
// column, its balance points and its panel. Used by ground_view.cpp.
#pragma once

#include <vector>

#include "core/view/ground_view.h"

namespace ravo {

// The mass ordinate at each pixel column of the view inside the stretch where
// both the grade line and the ground are; the earth moved before the view is
// counted from sections at most MassSectionsBefore apart. Volumes by average
// end area between successive sections, split where the depth changes sign;
// beside a station without a section (no curve row) there is none.
std::vector<MassSample> MassSamples(const ProfileViewIndex& index, const GroundProfile& ground,
                                    const SectionTemplate& section, const ProfileView& view);

// The x where the mass ordinate, straight between samples, crosses 0.
std::vector<double> BalanceXs(const std::vector<MassSample>& mass);

// The mass line in a panel of the given height that holds it and 0.
Panel MassPanel(const std::vector<MassSample>& mass, int height);

}  // namespace ravo
