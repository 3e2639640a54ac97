#include "core/profile_check.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/loaded_profile.h"

namespace ravo {
namespace {

constexpr SegmentKind Curves = SegmentKind::VerticalCurve;
constexpr SegmentKind Segments = SegmentKind::Superelevation;

// What a test says of a fault: its kind, the rows and the stations.
struct Expected {
    FaultKind kind;
    SegmentKind rows;
    std::int32_t first, second;
    double from, to;

    bool operator==(const Expected&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Expected& e)
{
    return out << "{kind " << static_cast<int>(e.kind) << ", rows " << static_cast<int>(e.rows)
               << ", " << e.first << ", " << e.second << ", " << e.from << ", " << e.to << "}";
}

std::vector<Expected> FaultsOf(const std::string& text, const Tolerances& tolerances = {})
{
    std::vector<Expected> found;
    for (const Fault& f : CheckProfile(ProfileFromText(text), tolerances))
        found.push_back({f.kind, f.rows, f.first, f.second, f.from, f.to});
    return found;
}

// A profile file: the curves, then the segments, one row a line.
std::string Profile(const std::vector<std::string>& curves,
                    const std::vector<std::string>& segments = {})
{
    std::string text = "\"test\"\n" + std::to_string(curves.size()) + "\n";
    for (const std::string& row : curves)
        text += row + "\n";
    text += std::to_string(segments.size()) + "\n";
    for (const std::string& row : segments)
        text += row + "\n";
    return text;
}

TEST(CheckProfile, EachFaultOnAProfileThatHasExactlyThatFault)
{
    // Two curves that join smoothly: 100 + 2 = 102 at 100, grade 0.02 on both sides.
    const std::string first = "100,0.02,0.02,0,100";
    const std::string second = "102,0.02,-0.02,100,300";
    const std::string flat = "-0.02,0,0,0,50";
    struct Case {
        std::string file;
        std::vector<Expected> faults;
    };
    using enum FaultKind;
    const std::vector<Case> cases = {
        {Profile({first, second}), {}},
        {Profile({second, first}), {}},
        {Profile({}, {flat}), {{NoCurves, Curves, 0, 0, 0, 0}}},
        {Profile({first, second, "50,0,0,200,200"}), {{ZeroLength, Curves, 3, 0, 200, 0}}},
        {Profile({first, second, "50,0,0,500,400"}), {{Reversed, Curves, 3, 0, 500, 400}}},
        {Profile({"100,0.02,0.02,0,150", second}), {{Overlap, Curves, 1, 2, 100, 150}}},
        {Profile({"100,0.02,0.02,0,90", second}), {{Gap, Curves, 1, 2, 90, 100}}},
        {Profile({first, "102.5,0.02,-0.02,100,300"}), {{ElevationStep, Curves, 1, 2, 100, 100}}},
        {Profile({first, "102,0.03,-0.02,100,300"}), {{GradeStep, Curves, 1, 2, 100, 100}}},
        {Profile({first, "102.0009,0.02009,-0.02,100,300"}), {}},  // within the tolerances
        {Profile({first}, {"-0.02,0,0,0,40", "-0.02,0,0,50,100"}), {{Gap, Segments, 1, 2, 40, 50}}},
        {Profile({first}, {flat, "-0.03,0,0,50,100"}), {{SuperStep, Segments, 1, 2, 50, 50}}},
        // -0.02 + 20 * 0.001 = 0 at 70: the runoff starts at the right superelevation,
        // and a super grade may change at a joint.
        {Profile({first}, {flat, "-0.02,0.001,0.001,50,70", "0,0,0,70,100"}), {}},
        {Profile({first}, {"-0.02,0,0,30,30"}), {{ZeroLength, Segments, 1, 0, 30, 0}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FaultsOf(c.file), c.faults) << c.file;
    // A step as large as the tolerance is within it.
    EXPECT_TRUE(FaultsOf(Profile({"100,0,0,0,100", "100.5,0,0,100,200"}), {0.5, 0.0001}).empty());
}

TEST(CheckProfile, NeighboursAreTakenAlongTheRoad)
{
    // Curve 1 covers 0 to 100 and holds 2 and 3: nothing lies between 2 and 3.
    using enum FaultKind;
    const std::vector<Expected> nested = {{Overlap, Curves, 1, 3, 10, 20},
                                          {Overlap, Curves, 1, 2, 30, 40}};
    EXPECT_EQ(FaultsOf(Profile({"100,0,0,0,100", "100,0,0,30,40", "100,0,0,10,20"})), nested);

    // A joint with the row that reaches farthest, not with the one listed before it.
    const std::vector<Expected> joint = {{ElevationStep, Curves, 1, 3, 100, 100},
                                         {Overlap, Curves, 1, 2, 10, 20}};
    EXPECT_EQ(FaultsOf(Profile({"100,0,0,0,100", "100,0,0,10,20", "101,0,0,100,200"})), joint);
}

TEST(FaultText, NamesTheRowsAndStations)
{
    const std::vector<Fault> faults = CheckProfile(
        ProfileFromText(Profile({"100,0.02,0.02,0,150", "102,0.02,-0.02,100,300", "5,0,0,9,9"})),
        {});
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(FaultText(faults[0], true),
              "curve 3: zero length at station 0+09.000, where the elevation is \"Invalid Entry\"");
    EXPECT_EQ(FaultText(faults[1], false),
              "curves 1 and 2 overlap from 100.000 to 150.000; curve 2 (the later row) gives the "
              "elevations there");
}

// K = L / (100 |G2 - G1|); at 80 km/h a crest needs 26, a sag 30.
TEST(CheckDesign, CurvesBelowTheMinimumKAndShorterThanTheLeast)
{
    const ProfileState state = ProfileFromText(Profile({
        "100,0.02,-0.02,0,80",     // crest, K 20
        "100,0.02,-0.02,100,220",  // crest, K 30
        "100,-0.02,0.02,300,416",  // sag, K 29
        "100,-0.02,0.02,500,620",  // sag, K 30
        "100,0.02,0.02,700,710",   // straight: no curve
        "100,0.02,-0.02,800,800",  // zero length: the continuity check's
    }));
    const DesignCriteria criteria{DesignSpeed{80, LengthUnits::Metres}, 100};
    const std::vector<DesignFault> faults = CheckDesign(state, criteria);
    const struct {
        DesignFaultKind kind;
        std::int32_t row;
        double value, minimum;
    } expected[] = {
        {DesignFaultKind::BelowMinimumK, 1, 20, 26},
        {DesignFaultKind::TooShort, 1, 80, 100},
        {DesignFaultKind::BelowMinimumK, 3, 29, 30},
    };
    ASSERT_EQ(faults.size(), std::size(expected));
    for (std::size_t i = 0; i < faults.size(); ++i) {
        EXPECT_EQ(faults[i].kind, expected[i].kind) << i;
        EXPECT_EQ(faults[i].row, expected[i].row) << i;
        EXPECT_NEAR(faults[i].value, expected[i].value, 1e-4) << i;
        EXPECT_EQ(faults[i].minimum, expected[i].minimum) << i;
    }
    EXPECT_TRUE(CheckDesign(state, {}).empty());
}

}  // namespace
}  // namespace ravo
