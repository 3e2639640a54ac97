// The grade line of least earthwork: the criteria of a fit (station range,
// design speed, grades, fixed points, elevation windows, balance, section and
// unit costs), the fitted PVI profile with its earthwork, and the check of a
// profile against the criteria.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/design/design_speed.h"
#include "core/fit/lp_solver.h"
#include "core/formats/pvi_mapping.h"
#include "core/ground/ground_profile.h"
#include "core/ground/section_template.h"
#include "core/profile/profile_state.h"

namespace ravo {

// Criteria that no grade line meets, or that cannot be used; what() names them.
class FitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FixedPoint {
    double station = 0;
    double elevation = 0;
};

// The grade line between two stations stays between two elevations (a
// bridge's clearance, a flood level).
struct ElevationWindow {
    double from = 0;
    double to = 0;
    double lowest = 0;
    double highest = 0;
};

struct FitCriteria {
    double from = 0;
    double to = 0;
    double pieceLength = 0;  // 0: 20 m, or 50 ft
    DesignSpeed speed;       // the least crest and sag K and the unit of all lengths
    double maxGrade = 0;     // percent, both ways
    std::vector<FixedPoint> fixedPoints{};
    std::vector<ElevationWindow> windows{};
    SectionTemplate section{};
    double cutCost = 1;           // per unit of volume
    double fillCost = 1;          // per unit of volume
    bool balance = false;         // cut × section.cutFactor = fill, within the tolerance
    double balanceTolerance = 0;  // volume; 0: 1% of the larger volume of the unbalanced optimum
    int maxPvis = 0;              // grade breaks between the ends; 0: as many as the fit needs
    double curveStep = 0;         // curve lengths a multiple of this; 0: 10 m, or 25 ft
};

// Volumes by the average end area of the trapezium sections (exact areas) at
// the joints and middles of the pieces.
struct Earthwork {
    double cut = 0;
    double fill = 0;
    double cost = 0;
};

struct FitResult {
    std::vector<PviPoint> pvis;  // the designer's profile: PVIs with symmetric curves
    Earthwork fitted;            // of that profile
    Earthwork optimum;           // of the linear programme's optimum (the pieces)
    // The programme's objective: its areas never exceed the true ones, so no
    // grade line over the same sections meets the criteria for less.
    double lowerBound = 0;
    double solverSeconds = 0;  // inside the solver, every solve together
    int solves = 0;
    int pieces = 0;
    std::vector<std::string> notes;  // e.g. how the balance came out
};

// The fit by the given solver or by Clp. Throws FitError for criteria that
// cannot be used (a range off the ground, a fixed point off the range) or
// that no grade line meets, naming the criteria that bind.
FitResult FitGradeLine(const GroundProfile& ground, const FitCriteria& criteria, LpSolver& solver);
FitResult FitGradeLine(const GroundProfile& ground, const FitCriteria& criteria);

// The rows of the fitted PVIs, as a profile to check, show or write.
ProfileState FittedProfile(const FitResult& result);

// A profile's earthwork over the criteria's range and sections. Throws
// FitError naming a station where the profile or the ground has no elevation.
Earthwork EarthworkOf(const ProfileState& profile, const GroundProfile& ground,
                      const FitCriteria& criteria);

// Every way the profile falls short of the criteria, one line each: the
// profile check and the design speed's K (CheckProfile, CheckDesign), grades
// beyond the maximum, fixed points missed by more than the check's elevation
// tolerance, and windows left at the sections. Empty when it meets them all.
std::vector<std::string> CriteriaFaults(const ProfileState& profile, const FitCriteria& criteria);

}  // namespace ravo
