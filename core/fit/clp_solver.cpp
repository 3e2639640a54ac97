// The linear programme solved by COIN-OR Clp (dual simplex after its presolve).
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>

#include <chrono>
#include <cmath>

#include "core/fit/lp_solver.h"

namespace ravo {
namespace {

std::vector<double> ClpBounds(const std::vector<double>& bounds)
{
    std::vector<double> clp(bounds);
    for (double& bound : clp)
        if (std::isinf(bound))
            bound = bound > 0 ? COIN_DBL_MAX : -COIN_DBL_MAX;
    return clp;
}

LpStatus StatusOf(const ClpSimplex& model)
{
    if (model.isProvenOptimal())
        return LpStatus::Optimal;
    if (model.isProvenPrimalInfeasible())
        return LpStatus::Infeasible;
    if (model.isProvenDualInfeasible())
        return LpStatus::Unbounded;
    return LpStatus::Failed;
}

class ClpSolver : public LpSolver {
public:
    LpSolution Solve(const LpProblem& problem) override
    {
        const auto start = std::chrono::steady_clock::now();
        const CoinPackedMatrix matrix(true, problem.EntryRows().data(),
                                      problem.EntryColumns().data(), problem.EntryValues().data(),
                                      static_cast<CoinBigIndex>(problem.EntryValues().size()));
        ClpSimplex model;
        model.setLogLevel(0);
        const std::vector<double> columnLower = ClpBounds(problem.ColumnLower());
        const std::vector<double> columnUpper = ClpBounds(problem.ColumnUpper());
        const std::vector<double> rowLower = ClpBounds(problem.RowLower());
        const std::vector<double> rowUpper = ClpBounds(problem.RowUpper());
        // The matrix may name fewer rows or columns than the problem has
        // when the last ones hold no coefficient.
        CoinPackedMatrix sized(matrix);
        sized.setDimensions(problem.Rows(), problem.Columns());
        model.loadProblem(sized, columnLower.data(), columnUpper.data(), problem.Cost().data(),
                          rowLower.data(), rowUpper.data());
        model.initialSolve();
        LpSolution solution;
        solution.status = StatusOf(model);
        if (solution.status == LpStatus::Optimal) {
            const double* x = model.primalColumnSolution();
            solution.x.assign(x, x + problem.Columns());
            solution.objective = model.objectiveValue();
        }
        solution.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return solution;
    }
};

}  // namespace

std::unique_ptr<LpSolver> MakeClpSolver() { return std::make_unique<ClpSolver>(); }

}  // namespace ravo
