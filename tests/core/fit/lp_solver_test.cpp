// The solver interface on programmes whose answer is known: an optimum at a
// vertex, one with open bounds and equality rows, no solution, no bound.
#include <gtest/gtest.h>

#include "core/fit/lp_solver.h"

namespace ravo {
namespace {

TEST(LpSolver, ClpFindsKnownOptimaAndTellsInfeasibleAndUnbounded)
{
    const std::unique_ptr<LpSolver> solver = MakeClpSolver();
    {
        // max x + y (min -x - y) with x + 2y <= 4, 3x + y <= 6, x, y >= 0: x = 1.6, y = 1.2.
        LpProblem p;
        const int x = p.AddColumn(0, LpInfinity, -1);
        const int y = p.AddColumn(0, LpInfinity, -1);
        p.AddRow(-LpInfinity, 4, {{x, 1}, {y, 2}});
        p.AddRow(-LpInfinity, 6, {{x, 3}, {y, 1}});
        const LpSolution s = solver->Solve(p);
        ASSERT_EQ(s.status, LpStatus::Optimal);
        EXPECT_NEAR(s.x[0], 1.6, 1e-9);
        EXPECT_NEAR(s.x[1], 1.2, 1e-9);
        EXPECT_NEAR(s.objective, -2.8, 1e-9);
    }
    {
        // min |z - 3| as u + v with z - u + v = 3, z free and in no other row;
        // a last column without coefficients keeps its bound.
        LpProblem p;
        const int z = p.AddColumn(-LpInfinity, LpInfinity, 0);
        const int u = p.AddColumn(0, LpInfinity, 1);
        const int v = p.AddColumn(0, LpInfinity, 1);
        p.AddRow(3, 3, {{z, 1}, {u, -1}, {v, 1}});
        p.AddRow(-LpInfinity, 1, {{z, 1}});
        p.AddColumn(2, 5, 1);
        const LpSolution s = solver->Solve(p);
        ASSERT_EQ(s.status, LpStatus::Optimal);
        EXPECT_NEAR(s.x[0], 1, 1e-9);
        EXPECT_NEAR(s.objective, 2 + 2, 1e-9);
        EXPECT_NEAR(s.x[3], 2, 1e-9);
    }
    {
        LpProblem p;
        const int x = p.AddColumn(0, 1, 1);
        p.AddRow(2, LpInfinity, {{x, 1}});
        EXPECT_EQ(solver->Solve(p).status, LpStatus::Infeasible);
    }
    {
        LpProblem p;
        const int x = p.AddColumn(-LpInfinity, LpInfinity, 1);
        p.AddRow(-LpInfinity, 0, {{x, 1}});
        EXPECT_EQ(solver->Solve(p).status, LpStatus::Unbounded);
    }
}

TEST(LpSolver, RowsNamingMissingColumnsAreRefused)
{
    LpProblem p;
    p.AddColumn(0, 1, 0);
    EXPECT_THROW(p.AddRow(0, 1, {{1, 1}}), std::logic_error);
}

}  // namespace
}  // namespace ravo
