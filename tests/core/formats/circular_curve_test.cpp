// Tests of LandXML joints and circular curves: rounding noise at joints is
// snapped, real overlaps refused, arcs placed from radius and grades.
#include "core/formats/circular_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/design/profile_check.h"
#include "core/formats/landxml_read.h"
#include "core/formats/profile_file.h"
#include "core/profile/elevation.h"
#include "support/landxml_samples.h"

namespace ravo {
namespace {

// The elevation of the last row that holds the station, as the program
// computes it; NaN where no row does.
double ElevationAt(const InputProfile& p, double station)
{
    double z = std::nan("");
    for (std::size_t r = 1; r <= static_cast<std::size_t>(p.numVC); ++r) {
        const SegmentRow row{p.curves[0][r], p.curves[1][r], p.curves[2][r], p.curves[3][r],
                             p.curves[4][r]};
        if (station >= row.station1 && station <= row.station2)
            z = RowValue(row, station);
    }
    return z;
}

std::vector<Fault> FaultsOf(const InputProfile& profile)
{
    ProfileState state;
    ApplyInputProfile(state, InputProfile(profile));
    return CheckProfile(state, Tolerances{});
}

bool Has(const std::vector<std::string>& notes, const std::string& part)
{
    return std::any_of(notes.begin(), notes.end(),
                       [&](const std::string& n) { return n.find(part) != std::string::npos; });
}

std::string Text(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.12f", value);
    return text;
}

// Two parabolas at 100 and 200 of length 100 whose joint at 150 is written
// with the second beginning `overlap` before the first ends.
std::string Joint(double overlap)
{
    return samples::InOneProfile(
        "<PVI>0 100</PVI><ParaCurve length=\"100\">100 103</ParaCurve>"
        "<ParaCurve length=\"" +
        Text(100 + 2 * overlap) + "\">200 101</ParaCurve><PVI>300 102</PVI>");
}

TEST(Joints, RoundingNoiseIsSnappedARealOverlapIsRefused)
{
    struct Case {
        double overlap;
        double tolerance;
        bool loads;
        bool noted;
    };
    for (const Case& c : {Case{1e-12, 0.001, true, true}, Case{0.0008, 0.001, true, true},
                          Case{0, 0.001, true, false},        // curves that meet: nothing to snap
                          Case{-0.0005, 0.001, true, false},  // a gap: a straight row fills it
                          Case{0.002, 0.001, false, false}, Case{0.002, 0.01, true, true},
                          Case{1e-12, 0, false, false}}) {
        SCOPED_TRACE(c.overlap);
        const std::string xml = Joint(c.overlap);
        try {
            const ImportedProfile imported = ImportLandXml(xml, {}, {c.tolerance, false});
            EXPECT_TRUE(c.loads);
            EXPECT_TRUE(FaultsOf(imported.profile).empty());
            EXPECT_EQ(Has(imported.notes, "snapped to one station"), c.noted);
            // The second curve is cut, not moved: elevations stay on the design.
            EXPECT_NEAR(ElevationAt(imported.profile, 150.0005), 102.0 - 0.0005 * 0.02, 1e-4);
        } catch (const InputFileError& e) {
            EXPECT_FALSE(c.loads) << e.what();
            EXPECT_NE(std::string(e.what()).find("overlap"), std::string::npos);
        }
    }
}

// Two joints that overlap by the same 2^-11, which floats hold exactly: the
// note names the first as the largest. Kept for a check, an overlap is a fault.
TEST(Joints, TheNoteNamesTheFirstOfTheLargestSnapsOrOverlapsAreKept)
{
    const std::string xml = samples::InOneProfile(
        "<PVI>0 100</PVI><ParaCurve length=\"100\">100 103</ParaCurve>"
        "<ParaCurve length=\"100.0009765625\">200 101</ParaCurve>"
        "<ParaCurve length=\"100\">300 102</ParaCurve><PVI>400 101</PVI>");
    EXPECT_EQ(ImportLandXml(xml, {}, {0.001, false}).notes.at(0),
              "2 joints between curves were closer than the joint tolerance of 0.001 and "
              "snapped to one station; the largest snap was 0.000488 (at station 150.000).");
    const std::vector<Fault> kept = FaultsOf(ImportLandXml(Joint(0.5), {}, {0.001, true}).profile);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].kind, FaultKind::Overlap);
}

// The arc of radius r between grades g1 and g2 about a PVI at station 1000,
// elevation 100, at x between its tangent points.
double ArcAt(double r, double g1, double g2, double x)
{
    const ArcTangents t = TangentsOfArc(r, g1, g2);
    // The arc's centre lies on the normal at the first tangent point.
    const double a1 = std::atan(g1);
    const double side = g2 > g1 ? 1.0 : -1.0;
    const double cx = 1000 - t.before - side * r * std::sin(a1);
    const double cy = 100 - g1 * t.before + side * r * std::cos(a1);
    return cy - side * std::sqrt(r * r - (x - cx) * (x - cx));
}

// That PVI, between tangents from station 0 and to 2000, as a CircCurve.
std::string Arc(double g1, double g2, const std::string& length,
                const std::string& radius = " radius=\"3000\"")
{
    return samples::InOneProfile("<PVI>0 " + Text(100 - 1000 * g1) + "</PVI><CircCurve length=\"" +
                                 length + "\"" + radius + ">1000 100</CircCurve><PVI>2000 " +
                                 Text(100 + 1000 * g2) + "</PVI>");
}

TEST(CircularCurves, PlacedFromRadiusAndGradesWhateverTheLengthSays)
{
    for (const auto& [g1, g2] : {std::pair{-0.04, 0.06}, std::pair{0.06, -0.04}}) {
        SCOPED_TRACE(g1 < g2 ? "a sag" : "a crest");
        const ArcTangents t = TangentsOfArc(3000, g1, g2);
        ASSERT_GT(t.arcLength - t.horizontalLength, 0.1);  // the readings differ
        const ImportedProfile byArc = ImportLandXml(Arc(g1, g2, Text(t.arcLength)), {});
        const ImportedProfile byRun = ImportLandXml(Arc(g1, g2, Text(t.horizontalLength)), {});
        const ImportedProfile neither = ImportLandXml(Arc(g1, g2, "300.5"), {});
        // Without a radius the length is taken as the arc's.
        const ImportedProfile noRadius = ImportLandXml(Arc(g1, g2, Text(t.arcLength), ""), {});
        const ImportedProfile signedRadius =
            ImportLandXml(Arc(g1, g2, Text(t.arcLength), " radius=\"-3000\""), {});
        for (const ImportedProfile* imported :
             {&byArc, &byRun, &neither, &noRadius, &signedRadius}) {
            const InputProfile& p = imported->profile;
            ASSERT_EQ(p.numVC, 4);  // straight, two curve rows meeting at the PVI, straight
            EXPECT_EQ(p.curves[3][2], static_cast<float>(1000 - t.before));
            EXPECT_EQ(p.curves[4][2], 1000.0f);
            EXPECT_EQ(p.curves[4][3], static_cast<float>(1000 + t.after));
            EXPECT_TRUE(FaultsOf(p).empty());
        }
        EXPECT_FALSE(Has(byArc.notes, "neither the arc length"));
        EXPECT_FALSE(Has(byRun.notes, "neither the arc length"));
        EXPECT_TRUE(
            Has(neither.notes, "1 circular curve was written with a length that is neither"));
        // The note gives the parabola's largest distance from the arc; the rows
        // keep within it everywhere.
        const PviPoint placed{1000, 100, t.before, t.after, PviKind::Circ, "", 3000};
        const double deviation = CircularCurveDeviation(placed, g1, g2);
        double largest = 0;
        for (int k = 0; k <= 4000; ++k) {
            const double x = 1000 - t.before + (t.before + t.after) * k / 4000;
            largest = std::max(largest,
                               std::fabs(ElevationAt(byArc.profile, x) - ArcAt(3000, g1, g2, x)));
        }
        EXPECT_NEAR(deviation, largest, 2e-5);
        EXPECT_TRUE(Has(byArc.notes, "differ from the arcs by at most " +
                                         std::string(deviation < 0.00235 ? "0.0023" : "0.0024")));
    }
    EXPECT_EQ(CircularCurveDeviation({1000, 100, 150, 150, PviKind::Circ, "", 0}, -0.04, 0.06), 0);
}

}  // namespace
}  // namespace ravo
