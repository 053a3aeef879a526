// Union-find over table entries that must hold the same value.
#include "parameter_classes.hpp"

#include <cmath>
#include <numeric>

namespace kerna::train {
namespace {

class UnionFind {
 public:
  explicit UnionFind(int size) : parent_(size) { std::iota(parent_.begin(), parent_.end(), 0); }
  int Find(int a) {
    while (parent_[a] != a) a = parent_[a] = parent_[parent_[a]];
    return a;
  }
  void Join(int a, int b) {
    a = Find(a);
    b = Find(b);
    if (a != b) parent_[std::max(a, b)] = std::min(a, b);
  }

 private:
  std::vector<int> parent_;
};

// Numbers the classes 0, 1, 2, ... in order of their first entry, from `first`.
std::vector<int> NumberClasses(UnionFind& sets, int size, int first, int& next) {
  std::vector<int> numbers(size, -1);
  std::vector<int> rootNumber(size, -1);
  for (int e = 0; e < size; ++e) {
    const int root = sets.Find(e);
    if (rootNumber[root] < 0) rootNumber[root] = first + next++;
    numbers[e] = rootNumber[root];
  }
  return numbers;
}

}  // namespace

ParameterClasses::ParameterClasses() {
  static constexpr int kPowers[9] = {1, 3, 9, 27, 81, 243, 729, 2187, 6561};
  UnionFind patternSets(kIndices * 2);
  for (int i = 0; i < kIndices; ++i) {
    patternSets.Join(i * 2 + 0, SwapColours(i) * 2 + 1);
    for (int length = 3; length <= 8; ++length) {
      if (i >= kPowers[length]) continue;
      for (int c = 0; c < 2; ++c) patternSets.Join(i * 2 + c, ReverseLine(i, length) * 2 + c);
    }
  }
  int next = 0;
  pattern_ = NumberClasses(patternSets, kIndices * 2, 0, next);
  patternCount_ = next;

  UnionFind edgeSets(kIndices * 8);
  for (int i = 0; i < kIndices; ++i) {
    for (int white : {kEdgeJustMovedWhite, kEdgeToMoveWhite, kEdgeNoTempoWhite, kDiagonalWhite}) {
      const int black = white == kEdgeJustMovedWhite ? kEdgeJustMovedBlack
                        : white == kEdgeToMoveWhite  ? kEdgeToMoveBlack
                        : white == kEdgeNoTempoWhite ? kEdgeNoTempoBlack
                                                     : kDiagonalBlack;
      edgeSets.Join(i * 8 + white, SwapColours(i) * 8 + black);
    }
    for (int c = 0; c < 8; ++c) edgeSets.Join(i * 8 + c, ReverseLine(i, 8) * 8 + c);
  }
  int edgeNext = 0;
  edge_ = NumberClasses(edgeSets, kIndices * 8, patternCount_, edgeNext);
  count_ = patternCount_ + edgeNext;

  bound_.assign(count_, kPatternBound);
  for (int i = 0; i < kIndices; ++i)
    for (int c = 0; c < 8; ++c)
      bound_[edge_[i * 8 + c]] =
          (c == kDiagonalWhite || c == kDiagonalBlack) ? kDiagonalBound : kEdgeBound;
}

void StoreParameters(const ParameterClasses& classes, const std::vector<double>& values,
                     EvaluationTables& tables) {
  for (int i = 0; i < kIndices; ++i) {
    for (int c = 0; c < 2; ++c)
      tables.pattern[i][c] = static_cast<int8_t>(std::lround(values[classes.Pattern(i, c)]));
    for (int c = 0; c < 8; ++c)
      tables.edge[i][c] = static_cast<int8_t>(std::lround(values[classes.Edge(i, c)]));
  }
}

std::vector<double> EdgeParameters(const ParameterClasses& classes,
                                   const EvaluationTables& tables) {
  std::vector<double> values(classes.Count() - classes.PatternCount(), 0.0);
  for (int i = 0; i < kIndices; ++i)
    for (int c = 0; c < 8; ++c)
      values[classes.Edge(i, c) - classes.PatternCount()] = tables.edge[i][c];
  return values;
}

}  // namespace kerna::train
