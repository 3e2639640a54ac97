// Building a sparse linear programme column by column and row by row.
#include "core/fit/lp_solver.h"

#include <stdexcept>

namespace ravo {

int LpProblem::AddColumn(double lower, double upper, double cost)
{
    columnLower_.push_back(lower);
    columnUpper_.push_back(upper);
    cost_.push_back(cost);
    return Columns() - 1;
}

int LpProblem::AddRow(double lower, double upper, const std::vector<LpTerm>& terms)
{
    const int row = Rows();
    rowLower_.push_back(lower);
    rowUpper_.push_back(upper);
    for (const LpTerm& term : terms) {
        if (term.column < 0 || term.column >= Columns())
            throw std::logic_error("a row names a column that the problem does not have");
        if (term.value == 0)
            continue;
        entryRows_.push_back(row);
        entryColumns_.push_back(term.column);
        entryValues_.push_back(term.value);
    }
    return row;
}

void LpProblem::SetRowBounds(int row, double lower, double upper)
{
    rowLower_.at(static_cast<std::size_t>(row)) = lower;
    rowUpper_.at(static_cast<std::size_t>(row)) = upper;
}

}  // namespace ravo
