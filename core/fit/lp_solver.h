// A linear programme in sparse form and the small interface of the solver
// that minimises it; the grade-line fit builds its models with this alone.
#pragma once

#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace ravo {

inline constexpr double LpInfinity = std::numeric_limits<double>::infinity();

// One coefficient of a row: the column and its factor.
struct LpTerm {
    int column = 0;
    double value = 0;
};

// minimise cost·x subject to rowLower <= A x <= rowUpper and
// columnLower <= x <= columnUpper; an infinite bound is no bound.
class LpProblem {
public:
    int AddColumn(double lower, double upper, double cost);
    int AddRow(double lower, double upper, const std::vector<LpTerm>& terms);
    void SetRowBounds(int row, double lower, double upper);

    [[nodiscard]] int Columns() const { return static_cast<int>(cost_.size()); }
    [[nodiscard]] int Rows() const { return static_cast<int>(rowLower_.size()); }
    [[nodiscard]] const std::vector<double>& ColumnLower() const { return columnLower_; }
    [[nodiscard]] const std::vector<double>& ColumnUpper() const { return columnUpper_; }
    [[nodiscard]] const std::vector<double>& Cost() const { return cost_; }
    [[nodiscard]] const std::vector<double>& RowLower() const { return rowLower_; }
    [[nodiscard]] const std::vector<double>& RowUpper() const { return rowUpper_; }
    // The non-zero coefficients as (row, column, value) in the order given.
    [[nodiscard]] const std::vector<int>& EntryRows() const { return entryRows_; }
    [[nodiscard]] const std::vector<int>& EntryColumns() const { return entryColumns_; }
    [[nodiscard]] const std::vector<double>& EntryValues() const { return entryValues_; }

private:
    std::vector<double> columnLower_, columnUpper_, cost_;
    std::vector<double> rowLower_, rowUpper_;
    std::vector<int> entryRows_, entryColumns_;
    std::vector<double> entryValues_;
};

enum class LpStatus { Optimal, Infeasible, Unbounded, Failed };

struct LpSolution {
    LpStatus status = LpStatus::Failed;
    std::vector<double> x;  // the columns' values when optimal
    double objective = 0;   // cost·x when optimal
    double seconds = 0;     // the solver's own time (wall clock)
};

class LpSolver {
public:
    virtual ~LpSolver() = default;
    [[nodiscard]] virtual LpSolution Solve(const LpProblem& problem) = 0;
};

// COIN-OR Clp's dual simplex, quiet.
std::unique_ptr<LpSolver> MakeClpSolver();

}  // namespace ravo
