// The free parameters of the evaluation tables. Entries that the board's eight
// symmetries and the colour swap force to be equal are tied into one class
// (union-find over table entries), and the fit learns one value per class:
//  - pattern entries (index, colour): colour swap ties (i, white) to
//    (swap(i), black); a line read backwards ties i to reverse(i) for every line
//    length 3..8 the index can stand for (an index whose last squares are empty
//    is also the index of a shorter diagonal).
//  - edge entries (index, column): colour swap ties the white column of each
//    role to the black one at swap(i); edges and long diagonals are 8 long, so
//    reading backwards ties i to reverse(i).
#pragma once

#include <cstdint>
#include <vector>

#include "evaluation_model.hpp"

namespace kerna::train {

class ParameterClasses {
 public:
  ParameterClasses();

  // Parameter number of a table entry; pattern parameters come first.
  int Pattern(int index, int colourColumn) const { return pattern_[index * 2 + colourColumn]; }
  int Edge(int index, int column) const { return edge_[index * 8 + column]; }

  int PatternCount() const { return patternCount_; }
  int Count() const { return count_; }
  // Largest magnitude a parameter may take so that no 8-bit sum can wrap.
  double Bound(int parameter) const { return bound_[parameter]; }
  // Weight of the parameter in the evaluation (1 pattern, 10 edge, 50 diagonal).
  bool IsDiagonal(int parameter) const { return bound_[parameter] == kDiagonalBound; }
  bool IsEdge(int parameter) const { return parameter >= patternCount_; }

  static constexpr double kPatternBound = 15;   // 8 column values must stay within 127
  static constexpr double kEdgeBound = 31;      // 4 edge values must stay within 127
  static constexpr double kDiagonalBound = 63;  // 2 diagonal values must stay within 127

 private:
  std::vector<int> pattern_;  // [index * 2 + colour] -> parameter
  std::vector<int> edge_;     // [index * 8 + column] -> parameter
  std::vector<double> bound_;
  int patternCount_ = 0;
  int count_ = 0;
};

// Writes parameter values into the tables (rounded to the nearest integer).
void StoreParameters(const ParameterClasses& classes, const std::vector<double>& values,
                     EvaluationTables& tables);
// The edge and long-diagonal parameters' values in `tables` (tables whose tied
// entries are equal, as every fit makes them), [parameter - PatternCount()].
std::vector<double> EdgeParameters(const ParameterClasses& classes, const EvaluationTables& tables);

}  // namespace kerna::train
