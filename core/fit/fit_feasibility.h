// Criteria that cannot be used or met, found before and after the solve.
#pragma once

#include <string>
#include <vector>

#include "core/fit/fit_model.h"

namespace ravo {

// Throws FitError for a range, speed, grade, section, cost or anchor that
// cannot be used.
void CheckUsable(const FitCriteria& criteria);

// Throws FitError naming each pair of fixed points and windows that no grade
// within the maximum joins.
void CheckPairs(const FitCriteria& criteria);

// Why the pieces' programme has no solution: the balance, the least K or the
// grade, the first family whose removal makes it solvable.
std::string InfeasibleText(const FitCriteria& criteria, const std::vector<double>& joints,
                           const std::vector<Sample>& samples, LpSolver& solver);

}  // namespace ravo
