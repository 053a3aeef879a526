// Ten-parameter normal equations per stage, solved by Gaussian elimination.
#include "placement_fit.hpp"

#include <cmath>

namespace kerna::train {
namespace {

// Level 0: corners prized, the squares that give corners away shunned, edges
// liked, the rest hardly counted. Easy to read and easy to beat.
constexpr std::array<int16_t, kSquareClasses> kLevelZero{100, -30, 10, 5, -50, -5, -2, 2, 1, 0};

std::array<double, kSquareClasses> SolveSymmetric(
    std::array<std::array<double, kSquareClasses + 1>, kSquareClasses> m) {
  constexpr int n = kSquareClasses;
  for (int col = 0; col < n; ++col) {
    int pivot = col;
    for (int row = col + 1; row < n; ++row)
      if (std::fabs(m[row][col]) > std::fabs(m[pivot][col])) pivot = row;
    std::swap(m[col], m[pivot]);
    for (int row = 0; row < n; ++row) {
      if (row == col) continue;
      const double f = m[row][col] / m[col][col];
      for (int k = col; k <= n; ++k) m[row][k] -= f * m[col][k];
    }
  }
  std::array<double, n> x{};
  for (int i = 0; i < n; ++i) x[i] = m[i][n] / m[i][i];
  return x;
}

}  // namespace

PlacementTable FitPlacement(const std::vector<Sample>& samples, double ridge) {
  PlacementTable table{};
  for (int stage = 0; stage < 4; ++stage) {
    std::array<std::array<double, kSquareClasses + 1>, kSquareClasses> m{};
    for (int i = 0; i < kSquareClasses; ++i) m[i][i] = ridge;
    for (const Sample& s : samples) {
      if (s.stage != stage) continue;
      for (int i = 0; i < kSquareClasses; ++i) {
        for (int k = 0; k < kSquareClasses; ++k) m[i][k] += s.placement[i] * s.placement[k];
        m[i][kSquareClasses] += s.placement[i] * 10.0 * s.label;
      }
    }
    const auto x = SolveSymmetric(m);
    for (int i = 0; i < kSquareClasses; ++i)
      table[i][stage] = static_cast<int16_t>(std::lround(x[i]));
  }
  for (int i = 0; i < kSquareClasses; ++i) table[i][4] = kLevelZero[i];
  return table;
}

int PlacementValue(const PlacementTable& table, const Sample& sample) {
  int value = 0;
  for (int i = 0; i < kSquareClasses; ++i) value += sample.placement[i] * table[i][sample.stage];
  return value;
}

}  // namespace kerna::train
