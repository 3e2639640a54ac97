// The grade-line fit on small grounds whose optimum is known, every result
// checked by the profile check, the design tables and the criteria; and the
// solver interface on programmes whose answer is known.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

#include "core/design/curve_summary.h"
#include "core/fit/fit_shapes.h"
#include "core/fit/grade_fit.h"
#include "core/fit/lp_solver.h"
#include "core/profile/elevation_walk.h"
#include "core/text/numbers.h"
#include "support/error_text.h"

namespace ravo {
namespace {

GroundProfile GroundOf(const std::function<double(double)>& z, double from, double to, double step)
{
    std::vector<GroundPoint> points;
    for (double s = from; s <= to + 1e-9; s += step)
        points.push_back({s, z(s)});
    return GroundProfile(points);
}

// Level ground at 100.
GroundProfile Level(double to, double step)
{
    return GroundOf([](double) { return 100.0; }, 0, to, step);
}

FitCriteria Criteria(double from, double to, double maxGrade)
{
    FitCriteria c;
    c.from = from;
    c.to = to;
    c.speed = {80, LengthUnits::Metres};
    c.maxGrade = maxGrade;
    c.section.width = 10;
    return c;
}

double ElevationAt(const ProfileState& profile, double station)
{
    RowWalk walk(profile, SegmentKind::VerticalCurve);
    return walk.At(static_cast<float>(station)).value;
}

// The fitted profile meets every criterion by the program's own checks, and
// the programme's lower bound lies below the optimum of its pieces, within the
// stated bound. (A fitted line is not made of the pieces, and may cost less.)
FitResult CheckedFit(const GroundProfile& ground, const FitCriteria& criteria)
{
    const FitResult result = FitGradeLine(ground, criteria);
    EXPECT_EQ(CriteriaFaults(FittedProfile(result), criteria), std::vector<std::string>{});
    EXPECT_LE(result.lowerBound, result.optimum.cost + 1e-6);
    // The stated bound of the linearised areas: 1.2% below the true area, and
    // n·h0²/4 per unit of length for depths under h0.
    const double h0 = criteria.speed.units == LengthUnits::Feet ? 0.05 / 0.3048 : 0.05;
    const double shallow = (criteria.to - criteria.from) * (criteria.cutCost + criteria.fillCost) *
                           std::max(criteria.section.fillSlope, criteria.section.cutSlope) * h0 *
                           h0 / 4;
    EXPECT_LE(result.optimum.cost - result.lowerBound,
              (0.25 / 2.25) * (0.25 / 2.25) * result.optimum.cost + shallow + 1e-6);
    EXPECT_TRUE(criteria.maxPvis == 0 ||
                result.pvis.size() <= static_cast<std::size_t>(criteria.maxPvis) + 2);
    return result;
}

// The formation lies its depth below the grade line, so the flat line stands
// that much above the ground, in either unit.
TEST(GradeFit, FlatGroundGivesTheFlatLine)
{
    for (const double depth : {0.0, 0.5}) {
        for (const LengthUnits units : {LengthUnits::Metres, LengthUnits::Feet}) {
            FitCriteria c = Criteria(0, 1000, 6);
            c.speed.units = units;
            c.section.pavementDepth = depth;
            const FitResult result = CheckedFit(Level(1000, 50), c);
            ASSERT_EQ(result.pvis.size(), 2U);
            EXPECT_NEAR(result.pvis[0].elevation, 100 + depth, 1e-6);
            EXPECT_NEAR(result.pvis[1].elevation, 100 + depth, 1e-6);
            EXPECT_NEAR(result.fitted.cost, 0, 1e-6);
            EXPECT_NEAR(result.optimum.cost, 0, 1e-6);
        }
    }
    // A point held a unit above it: the fill up to that depth is priced
    // within the stated bound too.
    FitCriteria held = Criteria(0, 1000, 6);
    held.fixedPoints = {{500, 101}};
    EXPECT_GT(CheckedFit(Level(1000, 50), held).optimum.cost, 0);
    // Ends held a unit and two above it with grades of at most 0.1%: the line
    // is forced, its fill runs from 1 to 2 deep, and its volume is the
    // integral of the section's area 10 d + 2 d², 1000 (15 + 14/3).
    FitCriteria forced = Criteria(0, 1000, 0.1);
    forced.fixedPoints = {{0, 101}, {1000, 102}};
    const FitResult line = CheckedFit(Level(1000, 50), forced);
    EXPECT_NEAR(line.fitted.fill, 1000 * (15 + 14 / 3.0), 0.1);
    EXPECT_EQ(line.fitted.cut, 0);
}

// A valley of 5% sides with its bottom held: every section is in cut, so the
// line climbs out as steeply as allowed through the shortest sag the design
// speed allows, rounded up to the curve step: the unit's own, or one given.
TEST(GradeFit, ValleyWithAFixedBottomClimbsAtTheMaximumGrade)
{
    const struct {
        LengthUnits units;
        double speed, maxGrade, curveStep, step;
    } cases[] = {{LengthUnits::Metres, 80, 3, 0, 10},
                 {LengthUnits::Feet, 50, 3, 0, 25},
                 {LengthUnits::Metres, 80, 2.9, 1, 1}};
    for (const auto& t : cases) {
        FitCriteria c = Criteria(0, 1000, t.maxGrade);
        c.speed = {t.speed, t.units};
        c.curveStep = t.curveStep;
        c.fixedPoints = {{500, 100}};
        const FitResult result = CheckedFit(
            GroundOf([](double s) { return 100 + 0.05 * std::fabs(s - 500); }, 0, 1000, 50), c);
        const ProfileState profile = FittedProfile(result);
        EXPECT_NEAR(ElevationAt(profile, 500), 100, 1e-3);
        ASSERT_GE(profile.NumVC, 1);
        EXPECT_NEAR(profile.VcGrade1[1], -t.maxGrade / 100, 1e-6);
        EXPECT_NEAR(profile.VcGrade2[static_cast<std::size_t>(profile.NumVC)], t.maxGrade / 100,
                    1e-6);
        const double sagK = MinimumsForDesignSpeed(t.speed, t.units).sagK;
        int sags = 0;
        ForEachRow(profile, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& r) {
            const CurveSummary curve = SummarizeCurve(row, r);
            if (curve.shape == CurveShape::Sag) {
                ++sags;
                // the least K, up to the curve step over the change of grade
                EXPECT_LE(*curve.k, sagK + t.step / (2 * t.maxGrade) + 1e-6);
            }
        });
        EXPECT_EQ(sags, 1);
        ASSERT_EQ(result.pvis.size(), 3U);
        EXPECT_NEAR(result.pvis[1].station, 500, 1);  // pieces of 20 place the curve
        EXPECT_LE(result.fitted.cost, result.optimum.cost * 1.05);
    }
}

// A bridge over flat ground: the line must rise to the window's floor and
// falls back, over a crest, to the ground on either side; under an
// underpass's ceiling it must dip, through a sag, and touches the ceiling.
TEST(GradeFit, WindowsOverFlatGroundForceACrestOrASag)
{
    const struct {
        ElevationWindow window;
        double touched;
        CurveShape shape;
    } cases[] = {
        {{550, 650, 105, 112}, 105, CurveShape::Crest},
        {{550, 650, 88, 95}, 95, CurveShape::Sag},
    };
    for (const auto& t : cases) {
        FitCriteria c = Criteria(0, 1200, 5);
        c.windows = {t.window};
        const ProfileState profile = FittedProfile(CheckedFit(Level(1200, 100), c));
        const double ends[] = {ElevationAt(profile, 550), ElevationAt(profile, 650)};
        const double nearest =
            t.shape == CurveShape::Crest ? std::min(ends[0], ends[1]) : std::max(ends[0], ends[1]);
        EXPECT_NEAR(nearest, t.touched, 0.01);
        EXPECT_NEAR(ElevationAt(profile, 0), 100, 0.01);
        EXPECT_NEAR(ElevationAt(profile, 1200), 100, 0.01);
        int shaped = 0;
        ForEachRow(profile, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& r) {
            shaped += SummarizeCurve(row, r).shape == t.shape ? 1 : 0;
        });
        EXPECT_GE(shaped, 1);
    }
}

TEST(GradeFit, FewerPvisAndBalanceStillMeetTheCriteria)
{
    const GroundProfile ground =
        GroundOf([](double s) { return 100 + 6 * std::sin(s / 150) + 0.01 * s; }, 0, 2000, 10);
    const struct {
        int most;
        double tolerance;  // a volume, below 1 as well
    } cases[] = {{0, 0.5}, {6, 50}, {2, 50}};
    for (const auto& t : cases) {
        FitCriteria c = Criteria(0, 2000, 4);
        c.maxPvis = t.most;
        c.pieceLength = 40;
        c.balance = true;
        c.balanceTolerance = t.tolerance;
        c.section.cutFactor = 0.9;
        const FitResult result = CheckedFit(ground, c);
        EXPECT_LE(std::fabs(0.9 * result.fitted.cut - result.fitted.fill), t.tolerance) << t.most;
        EXPECT_LE(std::fabs(0.9 * result.optimum.cut - result.optimum.fill), t.tolerance) << t.most;
        ASSERT_FALSE(result.notes.empty());
        EXPECT_NE(result.notes[0].find("(tolerance " + FixedText(t.tolerance, 1)),
                  std::string::npos)
            << result.notes[0];
    }
}

// With one PVI allowed, the one kept is the deep valley's, not a small dip's
// nor one of the bends that lead into the valley.
TEST(GradeFit, TheMostTellingPviIsKept)
{
    const GroundProfile ground = GroundOf(
        [](double s) {
            return 100 + 0.03 * s - 20 * std::max(0.0, 1 - std::fabs(s - 1400) / 500) -
                   std::max(0.0, 1 - std::fabs(s - 400) / 50);
        },
        0, 2000, 10);
    FitCriteria c = Criteria(0, 2000, 6);
    c.fixedPoints = {{0, 100}, {2000, 160}};
    c.maxPvis = 1;
    const FitResult result = CheckedFit(ground, c);
    ASSERT_EQ(result.pvis.size(), 3U);
    EXPECT_NEAR(result.pvis[1].station, 1400, 150);
    EXPECT_LT(result.pvis[1].elevation, 132);
}

// A sag and a crest of 6% 100 apart at 80 km/h ask for 180 and 160 (K 30
// and 26, in steps of 10): each is shortened in proportion, to 100 and 90.
TEST(GradeFit, NeighbouringCurvesThatWouldOverlapAreShortenedInProportion)
{
    const std::vector<Piece> pieces = {{0, 100, 100, 0, 0},
                                       {100, 110, 100, 0, 0.06},
                                       {110, 200, 100.3, 0.06, 0.06},
                                       {200, 210, 105.7, 0.06, 0},
                                       {210, 300, 106, 0, 0}};
    const PviLayout layout = LayoutOf(pieces, Criteria(0, 300, 6));
    EXPECT_EQ(layout.stations, (std::vector<double>{0, 105, 205, 300}));
    EXPECT_EQ(layout.lengths, (std::vector<double>{0, 100, 90, 0}));
    // A curve 5 from the start is shortened to end there.
    const PviLayout atStart =
        LayoutOf({{0, 10, 100, 0, 0.06}, {10, 300, 100.3, 0.06, 0.06}}, Criteria(0, 300, 6));
    EXPECT_EQ(atStart.lengths, (std::vector<double>{0, 10, 0}));
    // A curving run at the profile's end whose PVI rounds onto the end
    // station is left out, rather than making two PVIs there.
    const PviLayout atEnd =
        LayoutOf({{0, 299.6, 100, 0, 0}, {299.6, 300, 100, 0, 0.06}}, Criteria(0, 300, 6));
    EXPECT_EQ(atEnd.stations, (std::vector<double>{0, 300}));
    // Of the solution's PVIs one where the grade does not change is left out,
    // the others keep their curves.
    const PviLayout four{{1000, 1100, 1200, 1300}, {0, 40, 40, 0}};
    EXPECT_EQ(
        PointsOf(four, {100, 101, 102, 104}),
        (std::vector<PviPoint>{{1000, 100}, {1200, 102, 20, 20, PviKind::Para}, {1300, 104}}));
    EXPECT_EQ(PointsOf(four, {100, 101, 103, 104}).size(), 4u);
}

TEST(GradeFit, CriteriaThatNoGradeLineMeetsAreNamed)
{
    const GroundProfile ground = Level(1000, 100);
    const struct {
        std::vector<FixedPoint> fixed;
        std::vector<ElevationWindow> windows;
        double speed;
        const char* message;
    } cases[] = {
        {{{0, 100}, {1000, 170.12345}},
         {},
         80,
         "no grade line meets the criteria: the fixed point at 1000 (elevation 170.12345) cannot "
         "be reached from the fixed point at 0 (elevation 100) with a grade of at most 6% (it "
         "takes 7.012%)"},
        {{{200, 100}},
         {{100, 300, 90, 95}},
         80,
         "no grade line meets the criteria: the fixed point at 200 (elevation 100) and the window "
         "from 100 to 300 (elevations 90 to 95) share no elevation"},
        {{{400, 100}, {500, 105}, {600, 100}},
         {},
         100,
         "no grade line meets the criteria: the fixed points and windows can be met with grades "
         "of at most 6%, but not with curves of crest K 52 and sag K 45 (100 km/h) between them"},
        {{{1200, 100}}, {}, 80, "the fixed point at 1200 lies outside the stations 0 to 1000"},
        {{},
         {{900, 1100, 90, 95}},
         80,
         "the window from 900 to 1100 lies outside the stations 0 to 1000"},
        {{},
         {{500, 400, 90, 95}},
         80,
         "the window from 500 to 400 must run from lower to higher stations and elevations"},
        {{}, {}, 0, "the design speed must be above 0"},
        {{}, {}, 1, "no error"},  // a walking pace is a speed
        {{}, {}, std::numeric_limits<double>::infinity(), "the design speed must be above 0"},
    };
    for (const auto& t : cases) {
        FitCriteria c = Criteria(0, 1000, 6);
        c.fixedPoints = t.fixed;
        c.windows = t.windows;
        c.speed.speed = t.speed;
        EXPECT_EQ(test::ErrorText<FitError>([&] { (void)FitGradeLine(ground, c); }), t.message);
    }
    // Fixed points a unit apart that only a sag or crest far sharper than any
    // curve joins, on pieces of a unit: the grades alone meet them.
    for (const double middle : {99.98, 100.02}) {
        FitCriteria sharp = Criteria(390, 410, 6);
        sharp.pieceLength = 1;
        sharp.fixedPoints = {{400, 100}, {401, middle}, {402, 100}};
        EXPECT_EQ(test::ErrorText<FitError>([&] { (void)FitGradeLine(ground, sharp); }),
                  "no grade line meets the criteria: the fixed points and windows can be met "
                  "with grades of at most 6%, but not with curves of crest K 26 and sag K 30 "
                  "(80 km/h) between them")
            << middle;
    }
    // A section without a width has area only with side slopes in both cut and
    // fill; unit costs of any size are taken, one of them 0, but not below 0
    // nor both 0.
    const std::string noArea = "the section has no area: give it a width or side slopes";
    const std::string costs = "the unit costs cannot be negative, nor both 0";
    const struct {
        SectionTemplate section;
        double cut, fill;
        std::string refusal;
    } sections[] = {
        {{.width = 0, .fillSlope = 2, .cutSlope = 0}, 1, 1, noArea},
        {{.width = 0, .fillSlope = 0, .cutSlope = 2}, 1, 1, noArea},
        {{.width = 0, .fillSlope = 0.5, .cutSlope = 0.5}, 1, 1, ""},
        {{.width = 0.5, .fillSlope = 0, .cutSlope = 0}, 1, 1, ""},
        {{.width = 10}, 0, 0.5, ""},
        {{.width = 10}, 0.5, 0, ""},
        {{.width = 10}, -0.5, 1, costs},
        {{.width = 10}, 1, -0.5, costs},
        {{.width = 10}, 0, 0, costs},
    };
    for (const auto& t : sections) {
        FitCriteria c = Criteria(0, 1000, 6);
        c.section = t.section;
        c.cutCost = t.cut;
        c.fillCost = t.fill;
        const std::string error = test::ErrorText<FitError>([&] { (void)FitGradeLine(ground, c); });
        EXPECT_EQ(error == noArea || error == costs ? error : "", t.refusal)
            << t.section.width << " " << t.section.fillSlope << " " << t.cut << " " << t.fill;
    }
}

// The re-check names each way a profile misses the criteria.
TEST(GradeFit, CriteriaFaultsNameEachCriterionMissed)
{
    FitCriteria c = Criteria(0, 1000, 5.9876543);
    c.fixedPoints = {{0, 101}, {1000, 100}};
    c.windows = {{700, 800, 130, 140}};
    FitResult made;
    made.pvis = {
        {.station = 0, .elevation = 100},
        {.station = 500, .elevation = 140, .lengthIn = 20, .lengthOut = 20, .kind = PviKind::Para},
        {.station = 1000, .elevation = 100}};
    const std::vector<std::string> faults = CriteriaFaults(FittedProfile(made), c);
    const auto count = [&](const std::string& part) {
        return std::count_if(faults.begin(), faults.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    EXPECT_EQ(count("is below the minimum"), 1);
    // the grades and the curve between them, to six figures
    EXPECT_EQ(count("is steeper than 5.98765%"), 3);
    EXPECT_EQ(count("curve 1: grade 8% is"), 1);
    EXPECT_EQ(count("the fixed point at 0 is missed"), 1);
    EXPECT_EQ(count("leaves the window from 700 to 800"), 11);  // each section of 10 m
    EXPECT_EQ(faults.size(), 16U);
    // A design that ends halfway has no earthwork over the stretch.
    made.pvis = {{.station = 0, .elevation = 100}, {.station = 500, .elevation = 100}};
    EXPECT_EQ(test::ErrorText<FitError>(
                  [&] { (void)EarthworkOf(FittedProfile(made), Level(1000, 100), c); }),
              "the profile has no elevation at station 510");
}

// The solver interface on programmes whose answer is known: an optimum at a
// vertex, one with open bounds and equality rows, no solution, no bound.
TEST(LpSolver, ClpFindsKnownOptimaAndTellsInfeasibleAndUnbounded)
{
    const std::unique_ptr<LpSolver> solver = MakeClpSolver();
    // max x + y (min -x - y) with x + 2y <= 4, 3x + y <= 6, x, y >= 0: x = 1.6, y = 1.2.
    LpProblem vertex;
    const int x = vertex.AddColumn(0, LpInfinity, -1);
    const int y = vertex.AddColumn(0, LpInfinity, -1);
    vertex.AddRow(-LpInfinity, 4, {{x, 1}, {y, 2}});
    vertex.AddRow(-LpInfinity, 6, {{x, 3}, {y, 1}});
    const LpSolution atVertex = solver->Solve(vertex);
    ASSERT_EQ(atVertex.status, LpStatus::Optimal);
    EXPECT_NEAR(atVertex.x[0], 1.6, 1e-9);
    EXPECT_NEAR(atVertex.x[1], 1.2, 1e-9);
    EXPECT_NEAR(atVertex.objective, -2.8, 1e-9);
    // min |z - 3| as u + v with z - u + v = 3, z free and in no other row;
    // a last column without coefficients keeps its bound.
    LpProblem open;
    const int z = open.AddColumn(-LpInfinity, LpInfinity, 0);
    const int u = open.AddColumn(0, LpInfinity, 1);
    const int v = open.AddColumn(0, LpInfinity, 1);
    open.AddRow(3, 3, {{z, 1}, {u, -1}, {v, 1}});
    open.AddRow(-LpInfinity, 1, {{z, 1}});
    open.AddColumn(2, 5, 1);
    const LpSolution free = solver->Solve(open);
    ASSERT_EQ(free.status, LpStatus::Optimal);
    EXPECT_NEAR(free.x[0], 1, 1e-9);
    EXPECT_NEAR(free.objective, 2 + 2, 1e-9);
    EXPECT_NEAR(free.x[3], 2, 1e-9);
    LpProblem infeasible;
    infeasible.AddRow(2, LpInfinity, {{infeasible.AddColumn(0, 1, 1), 1}});
    EXPECT_EQ(solver->Solve(infeasible).status, LpStatus::Infeasible);
    LpProblem unbounded;
    unbounded.AddRow(-LpInfinity, 0, {{unbounded.AddColumn(-LpInfinity, LpInfinity, 1), 1}});
    EXPECT_EQ(solver->Solve(unbounded).status, LpStatus::Unbounded);
    // A row naming a column that is not there is refused.
    EXPECT_THROW(infeasible.AddRow(0, 1, {{1, 1}}), std::logic_error);
}

}  // namespace
}  // namespace ravo
