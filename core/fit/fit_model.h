// What both programmes of the grade-line fit share: the sections where the
// earthwork is measured, the linearised areas, the fixed points and windows,
// the balance, and the solve (again, while the balance is not met).
#pragma once

#include <functional>
#include <vector>

#include "core/fit/grade_fit.h"
#include "core/fit/lp_solver.h"

namespace ravo {

// A section: its station, its share of the length (average end area) and
// the ground there.
struct Sample {
    double station = 0;
    double weight = 0;
    double ground = 0;
};

// Lengths in the criteria's unit: 1 for metres, about 3.28 for feet.
double UnitScale(const FitCriteria& criteria);
double PieceLengthOf(const FitCriteria& criteria);
double LeastCrestK(const FitCriteria& criteria);  // with a hair to spare for float rows
double LeastSagK(const FitCriteria& criteria);

// from, from + piece, ... and to itself; the last piece may be up to a
// quarter longer or three quarters shorter than the others.
std::vector<double> JointStations(const FitCriteria& criteria);

// The joints and the middles of the pieces. Throws FitError for a station
// the ground does not reach.
std::vector<Sample> SamplesOf(const std::vector<double>& joints, const GroundProfile& ground);

Earthwork ExactEarthwork(const std::vector<Sample>& samples, const std::vector<double>& elevations,
                         const FitCriteria& criteria);

// The elevation at a station as a linear function of the programme's columns.
using ElevationTerms = std::function<std::vector<LpTerm>(double station)>;
// Adds the model's own columns and rows and returns its elevation.
using BuildModel = std::function<ElevationTerms(LpProblem&)>;

struct ModelRun {
    LpSolution solution;             // the last solve
    std::vector<double> elevations;  // at the samples
    double seconds = 0;
    int solves = 0;
    bool balanced = true;  // false when the balance was asked for and not reached
    double tolerance = 0;  // of the balance
};

// With balance, the first solve is without it unless `start` gives the
// elevations at the samples to linearise it about (a run of another model
// near this one), with criteria.balanceTolerance as the tolerance.
ModelRun SolveModel(const BuildModel& build, const FitCriteria& criteria,
                    const std::vector<Sample>& samples, LpSolver& solver,
                    const std::vector<double>* start = nullptr);

// The value of terms at a solution.
double ValueOf(const std::vector<LpTerm>& terms, const std::vector<double>& x);

}  // namespace ravo
