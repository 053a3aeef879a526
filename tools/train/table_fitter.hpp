// Least-squares fit of the pattern, edge and long-diagonal tables toward the
// game results, with the placement and frontier terms held fixed.
//
// The evaluation is linear in the table entries as long as no 8-bit sum wraps,
// so the fit minimises  sum (target - A x)^2 + sum ridge_j x_j^2  with
// preconditioned conjugate gradients on the normal equations, one pass over the
// samples per iteration. Bounds are kept by fixing offending parameters at the
// bound and solving again; integer values are reached by rounding the coarsest
// parameters first (diagonals weigh 50, edges 10, patterns 1) and refitting the
// finer ones around them.
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
};

class TableFitter {
 public:
  // `offset` is the part of each sample's value that the tables do not carry
  // (placement and frontier), in evaluation units.
  TableFitter(const ParameterClasses& classes, const std::vector<Sample>& samples,
              std::vector<double> offset, const FitOptions& options);

  // Integer parameter values within their bounds.
  std::vector<double> Fit();

 private:
  // out = A^T (A p) for residual == false, A^T (target - A p) for residual == true.
  // Returns the sum of squared residuals when residual is set.
  double Pass(const std::vector<double>& p, std::vector<double>& out, bool residual) const;
  void Solve(std::vector<double>& x, const std::vector<char>& fixed, int iterations) const;
  // Solves, then fixes every parameter beyond its bound at the bound, until none is.
  void SolveWithinBounds(std::vector<double>& x, std::vector<char>& fixed, int iterations) const;

  const ParameterClasses& classes_;
  const std::vector<Sample>& samples_;
  std::vector<double> target_;
  FitOptions options_;
  std::vector<double> ridge_;
  std::vector<double> diagonal_;  // Jacobi preconditioner
  // Parameter per line index for each role of an entry.
  std::vector<int> patternWhite_, patternBlack_;
  std::vector<int> edgeColumn_[8];
};

}  // namespace kerna::train
