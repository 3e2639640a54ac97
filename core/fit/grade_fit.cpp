// The grade-line fit: the optimum over parabolic pieces, then the designer's
// PVI profile made from it and placed again for least earthwork, re-costed
// with exact areas and told how far it lies from the optimum.
#include "core/fit/grade_fit.h"

#include <cmath>

#include "core/fit/fit_feasibility.h"
#include "core/fit/fit_shapes.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

std::string Volume(double value) { return FixedText(value, 1); }

void Tally(FitResult& result, const ModelRun& run)
{
    result.solverSeconds += run.seconds;
    result.solves += run.solves;
}

void NoteBalance(FitResult& result, const ModelRun& run, const FitCriteria& criteria,
                 const Earthwork& e, const char* what)
{
    if (!criteria.balance)
        return;
    const double net = criteria.section.cutFactor * e.cut - e.fill;
    result.notes.push_back(std::string(what) + (run.balanced ? " balances" : " does not balance") +
                           ": cut × " + ShortestText(criteria.section.cutFactor) +
                           " less fill is " + Volume(net) + " (tolerance " + Volume(run.tolerance) +
                           ")");
}

std::string PviShortfall(const FitCriteria& criteria)
{
    if (criteria.maxPvis > 0)
        return "the criteria cannot be met with at most " + std::to_string(criteria.maxPvis) +
               " PVIs and curves of the least K; allow more PVIs";
    return "the PVIs made from the optimum cannot meet the criteria; try shorter pieces";
}

}  // namespace

FitResult FitGradeLine(const GroundProfile& ground, const FitCriteria& criteria, LpSolver& solver)
{
    CheckUsable(criteria);
    CheckPairs(criteria);
    const std::vector<double> joints = JointStations(criteria);
    const std::vector<Sample> samples = SamplesOf(joints, ground);
    const PieceModel pieces = MakePieceModel(joints, criteria, true);
    FitResult result;
    result.pieces = static_cast<int>(joints.size() - 1);
    const ModelRun optimum = SolveModel(pieces.build, criteria, samples, solver);
    Tally(result, optimum);
    if (optimum.solution.status == LpStatus::Infeasible)
        throw FitError("no grade line meets the criteria: " +
                       InfeasibleText(criteria, joints, samples, solver));
    if (optimum.solution.status != LpStatus::Optimal)
        throw FitError("the linear programme solver found no optimum");
    result.optimum = ExactEarthwork(samples, optimum.elevations, criteria);
    result.lowerBound = optimum.solution.objective;
    NoteBalance(result, optimum, criteria, result.optimum, "the optimum");

    const PviLayout layout = LayoutOf(pieces.pieces(joints, optimum.solution.x), criteria);
    FitCriteria same = criteria;  // the PVIs balance to the optimum's tolerance
    same.balanceTolerance = optimum.tolerance;
    const ModelRun fitted =
        SolveModel(MakePviModel(layout, same), same, samples, solver, &optimum.elevations);
    Tally(result, fitted);
    if (fitted.solution.status != LpStatus::Optimal)
        throw FitError(PviShortfall(criteria));
    result.pvis = PointsOf(layout, fitted.solution.x);
    result.fitted = EarthworkOf(FittedProfile(result), ground, criteria);
    NoteBalance(result, fitted, criteria, result.fitted, "the PVI profile");
    return result;
}

FitResult FitGradeLine(const GroundProfile& ground, const FitCriteria& criteria)
{
    const std::unique_ptr<LpSolver> solver = MakeClpSolver();
    return FitGradeLine(ground, criteria, *solver);
}

}  // namespace ravo
