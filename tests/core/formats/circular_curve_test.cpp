// Tests of LandXML joints and circular curves: rounding noise at joints is
// snapped, real overlaps refused, arcs placed from radius and grades.
#include "core/formats/circular_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/design/profile_check.h"
#include "core/formats/landxml_read.h"
#include "core/formats/profile_file.h"
#include "support/landxml_samples.h"

namespace ravo {
namespace {

// The elevation of the last row that holds the station, as the program
// computes it; NaN where no row does.
double ElevationAt(const InputProfile& p, double station)
{
    double z = std::nan("");
    for (std::size_t r = 1; r <= static_cast<std::size_t>(p.numVC); ++r) {
        const double s1 = p.curves[3][r];
        const double s2 = p.curves[4][r];
        if (station < s1 || station > s2)
            continue;
        const double x = station - s1;
        z = p.curves[0][r] + p.curves[1][r] * x +
            (p.curves[2][r] - p.curves[1][r]) * x * x / (2 * (s2 - s1));
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
// note names the first as the largest.
TEST(Joints, TheNoteNamesTheFirstOfTheLargestSnaps)
{
    const std::string xml = samples::InOneProfile(
        "<PVI>0 100</PVI><ParaCurve length=\"100\">100 103</ParaCurve>"
        "<ParaCurve length=\"100.0009765625\">200 101</ParaCurve>"
        "<ParaCurve length=\"100\">300 102</ParaCurve><PVI>400 101</PVI>");
    EXPECT_EQ(ImportLandXml(xml, {}, {0.001, false}).notes.at(0),
              "2 joints between curves were closer than the joint tolerance of 0.001 and "
              "snapped to one station; the largest snap was 0.000488 (at station 150.000).");
}

TEST(Joints, KeptAsFaultsForACheck)
{
    const ImportedProfile imported = ImportLandXml(Joint(0.5), {}, {0.001, true});
    const std::vector<Fault> faults = FaultsOf(imported.profile);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].kind, FaultKind::Overlap);
}

// The true profile of tangents and arcs at a station.
struct TrueProfile {
    std::vector<PviPoint> points;

    double At(double x) const
    {
        std::size_t i = 1;
        while (i + 1 < points.size() && x > points[i].station)
            ++i;
        const PviPoint& a = points[i - 1];
        const PviPoint& b = points[i];
        double z =
            a.elevation + Grade(a.station, a.elevation, b.station, b.elevation) * (x - a.station);
        for (std::size_t k = 1; k + 1 < points.size(); ++k) {
            const PviPoint& p = points[k];
            const double g1 =
                Grade(points[k - 1].station, points[k - 1].elevation, p.station, p.elevation);
            const double g2 =
                Grade(p.station, p.elevation, points[k + 1].station, points[k + 1].elevation);
            const ArcTangents t = TangentsOfArc(p.radius, g1, g2);
            if (x <= p.station - t.before || x >= p.station + t.after)
                continue;
            // The arc's centre lies on the normal at the first tangent point.
            const double a1 = std::atan(g1);
            const double side = g2 > g1 ? 1.0 : -1.0;
            const double cx = p.station - t.before - side * p.radius * std::sin(a1);
            const double cy = p.elevation - g1 * t.before + side * p.radius * std::cos(a1);
            z = cy - side * std::sqrt(p.radius * p.radius - (x - cx) * (x - cx));
        }
        return z;
    }
};

// Grades -4% and +6% about a PVI at 1000, elevation 100, radius 3000.
std::string Arc(const std::string& length, const std::string& radius = " radius=\"3000\"")
{
    return samples::InOneProfile("<PVI>0 140</PVI><CircCurve length=\"" + length + "\"" + radius +
                                 ">1000 100</CircCurve><PVI>2000 160</PVI>");
}

TEST(CircularCurves, PlacedFromRadiusAndGradesWhateverTheLengthSays)
{
    const ArcTangents t = TangentsOfArc(3000, -0.04, 0.06);
    ASSERT_GT(t.arcLength - t.horizontalLength, 0.1);  // the readings differ
    const ImportedProfile byArc = ImportLandXml(Arc(Text(t.arcLength)), {});
    const ImportedProfile byRun = ImportLandXml(Arc(Text(t.horizontalLength)), {});
    const ImportedProfile neither = ImportLandXml(Arc("300.5"), {});
    // Without a radius the length is taken as the arc's.
    const ImportedProfile noRadius = ImportLandXml(Arc(Text(t.arcLength), ""), {});
    const ImportedProfile signedRadius =
        ImportLandXml(Arc(Text(t.arcLength), " radius=\"-3000\""), {});
    for (const ImportedProfile* imported : {&byArc, &byRun, &neither, &noRadius, &signedRadius}) {
        const InputProfile& p = imported->profile;
        ASSERT_EQ(p.numVC, 4);  // straight, two curve rows meeting at the PVI, straight
        EXPECT_EQ(p.curves[3][2], static_cast<float>(1000 - t.before));
        EXPECT_EQ(p.curves[4][2], 1000.0f);
        EXPECT_EQ(p.curves[4][3], static_cast<float>(1000 + t.after));
        EXPECT_TRUE(FaultsOf(p).empty());
    }
    EXPECT_FALSE(Has(byArc.notes, "neither the arc length"));
    EXPECT_FALSE(Has(byRun.notes, "neither the arc length"));
    EXPECT_TRUE(Has(neither.notes, "1 circular curve was written with a length that is neither"));
    // The note gives the parabola's largest distance from the arc; the rows
    // keep within it everywhere.
    PviPoint placed{1000, 100, t.before, t.after, PviKind::Circ, "", 3000};
    const double deviation = CircularCurveDeviation(placed, -0.04, 0.06);
    const TrueProfile arc{{{0, 140}, placed, {2000, 160}}};
    double largest = 0;
    for (int k = 0; k <= 4000; ++k) {
        const double x = 1000 - t.before + (t.before + t.after) * k / 4000;
        largest = std::max(largest, std::fabs(ElevationAt(byArc.profile, x) - arc.At(x)));
    }
    EXPECT_NEAR(deviation, largest, 2e-5);
    EXPECT_TRUE(Has(byArc.notes, "differ from the arcs by at most " +
                                     std::string(deviation < 0.00235 ? "0.0023" : "0.0024")));
    PviPoint none = placed;
    none.radius = 0;
    EXPECT_EQ(CircularCurveDeviation(none, -0.04, 0.06), 0);
}

TEST(CircularCurves, RandomProfilesRoundedToSixDecimalsMatchTheirArcs)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> grade(-0.06, 0.06);
    std::uniform_real_distribution<double> radius(1000, 4000);
    std::uniform_real_distribution<double> share(0, 1);
    for (int run = 0; run < 100; ++run) {
        TrueProfile truth;
        double s = share(random) * 1000;
        double z = 100;
        double g = grade(random);
        truth.points.push_back({s, z});
        double reach = s;
        // Each arc begins where the previous ends, or a random tangent later.
        for (int k = 0; k < 8; ++k) {
            // A parabola keeps within about 0.0078 R D^4 of its arc: within
            // 1 mm the arcs must turn less than (0.1 / R)^(1/4).
            const double r = radius(random);
            double gNext = grade(random);
            while (r * std::pow(std::atan(gNext) - std::atan(g), 4) > 0.1)
                gNext = grade(random);
            const ArcTangents t = TangentsOfArc(r, g, gNext);
            const double pvi = reach + t.before + (share(random) < 0.5 ? 0 : 50 * share(random));
            z += g * (pvi - s);
            s = pvi;
            truth.points.push_back({s, z, t.before, t.after, PviKind::Circ, "", r});
            reach = s + t.after;
            g = gNext;
        }
        const double last = reach + 10 + 100 * share(random);
        truth.points.push_back({last, z + g * (last - s)});
        std::string xml;
        for (const PviPoint& p : truth.points) {
            char line[200];
            if (p.kind == PviKind::Circ)
                std::snprintf(line, sizeof line,
                              "<CircCurve length=\"%.6f\" radius=\"%.6f\">%.6f %.6f</CircCurve>",
                              p.lengthIn + p.lengthOut, p.radius, p.station, p.elevation);
            else
                std::snprintf(line, sizeof line, "<PVI>%.6f %.6f</PVI>", p.station, p.elevation);
            xml += line;
        }
        SCOPED_TRACE(run);
        const ImportedProfile imported = ImportLandXml(samples::InOneProfile(xml), {});
        ASSERT_TRUE(FaultsOf(imported.profile).empty());
        // The ends as the float stations of the rows hold them.
        const InputProfile& p = imported.profile;
        const double from = std::max(truth.points.front().station, double{p.curves[3][1]});
        const double to = std::min(last, double{p.curves[4][static_cast<std::size_t>(p.numVC)]});
        ASSERT_LT(last - to, 1e-3);
        for (int k = 0; k <= 4000; ++k) {
            const double x = from + (to - from) * k / 4000;
            ASSERT_NEAR(ElevationAt(imported.profile, x), truth.At(x), 0.001) << "at " << x;
        }
    }
}

}  // namespace
}  // namespace ravo
