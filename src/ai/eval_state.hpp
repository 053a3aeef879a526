// What the evaluation leaves behind for others to read: the line indices and
// the per-colour sums of its last run. Arrays indexed by colour use
// 1 = white and 2 = black (entry 0 unused).
#pragma once

#include <array>
#include <cstdint>

namespace kerna {

struct EvalState {
  std::array<int16_t, 38> LineIndex{};
  std::array<int16_t, 3> PatternSum{};
  std::array<int16_t, 3> PlacementSum{};
  std::array<int16_t, 3> FrontierSum{};
  std::array<int16_t, 3> EdgeTempo{};    // Et, wrapped to 8 bits
  std::array<int16_t, 3> EdgeNoTempo{};  // Ep, wrapped to 8 bits
  std::array<int16_t, 3> DiagonalSum{};  // D, wrapped to 8 bits
  int16_t FrontierDiff = 0;
  // Placement taken back by the corner correction, for the computer and its opponent.
  int16_t CornerTakeBackComp = 0, CornerTakeBackOpp = 0;
  int16_t CompTotal = 0, OppTotal = 0;  // A(comp) and A(opp)
};

}  // namespace kerna
