// Least-squares fit of the pattern, edge and long-diagonal tables and the
// placement values of stages 0..3 together, toward the samples' labels, with the
// frontier term held fixed.
//
// The evaluation is linear in the table entries as long as no 8-bit sum wraps,
// so the fit minimises  sum (target - A x)^2 + sum ridge_j x_j^2  with
// preconditioned conjugate gradients on the normal equations, one pass over the
// samples per iteration. Bounds are kept by fixing offending parameters at the
// bound and solving again; integer values are reached by rounding the coarsest
// parameters first (diagonals weigh 50, edges 10, patterns 1) and refitting the
// finer ones around them. The placement values are pulled toward a prior (the
// placement-only fit) so that they stay a sensible evaluation on their own for
// the weakest players, who use them without the tables.
#pragma once

#include <vector>

#include "dataset.hpp"
#include "parameter_classes.hpp"

namespace kerna::train {

struct FitOptions {
  double ridge = 30;  // per unit of evaluation value, so edge entries get 100x, diagonals 2500x
  int firstIterations = 120;
  int laterIterations = 50;
  int threads = 2;
  bool verbose = true;
  // Placement values of stages 0..3 the fit is pulled toward, [stage * 10 + class],
  // and how hard (per parameter, in squared evaluation units).
  std::vector<double> placementPrior = std::vector<double>(4 * kSquareClasses, 0.0);
  double placementRidge = 1e12;  // this strong a pull holds them at the prior
  // Evaluation units per disc of the label (the shown value reads about 10 per disc).
  double labelScale = 10;
  // When not empty: the edge and long-diagonal parameters are held at these
  // values, [parameter - PatternCount()] (the patterns fit around them).
  std::vector<double> edgePrior;
  // Fit the frontier weight as one more parameter (to measure it: the game fixes it at 5).
  bool fitFrontier = false;
};

inline constexpr double kPlacementBound = 400;  // keeps the abc-table.dat fields 4 wide

class TableFitter {
 public:
  // `offset` is the part of each sample's value that the fit does not carry
  // (the frontier term), in evaluation units.
  TableFitter(const ParameterClasses& classes, const std::vector<Sample>& samples,
              std::vector<double> offset, const FitOptions& options);

  // Parameters: the classes' ones, then the 40 placement values [stage * 10 + class].
  int Count() const { return placementBase_ + 4 * kSquareClasses + (options_.fitFrontier ? 1 : 0); }
  int FrontierParameter() const { return placementBase_ + 4 * kSquareClasses; }
  int PlacementParameter(int stage, int squareClass) const {
    return placementBase_ + stage * kSquareClasses + squareClass;
  }

  // Real values within their bounds (a starting point for Fit).
  std::vector<double> FitContinuous();
  // Integer values within their bounds, starting from `start` (zeros when empty).
  std::vector<double> Fit(std::vector<double> start = {});

 private:
  // out = A^T (A p) for residual == false, A^T (target - A p) for residual == true.
  // Returns the sum of squared residuals when residual is set.
  double Pass(const std::vector<double>& p, std::vector<double>& out, bool residual) const;
  void Solve(std::vector<double>& x, const std::vector<char>& fixed, int iterations) const;
  // Solves, then fixes every parameter beyond its bound at the bound, until none is.
  void SolveWithinBounds(std::vector<double>& x, std::vector<char>& fixed, int iterations) const;
  double Bound(int parameter) const;

  const ParameterClasses& classes_;
  const std::vector<Sample>& samples_;
  std::vector<double> target_;
  FitOptions options_;
  int placementBase_ = 0;
  std::vector<double> ridge_;
  std::vector<double> prior_;     // what the ridge pulls each parameter toward
  std::vector<double> diagonal_;  // Jacobi preconditioner
  // Parameter per line index for each role of an entry.
  std::vector<int> patternWhite_, patternBlack_;
  std::vector<int> edgeColumn_[8];
};

}  // namespace kerna::train
