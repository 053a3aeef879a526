// Where a square lies in the Board's cell array, for the code that reads or
// copies one layer by offsets (the search reading its root, the evaluation of a
// layer, the layer copies around a search), and the stage clamp every
// stage-indexed table read goes through.
#pragma once

#include <cstdint>

#include "board/board_state.hpp"

namespace kerna::ai {

inline constexpr int kStrideX = kLayers * 10;
inline constexpr int kStrideY = kLayers;

// Offset of square (x, y) from cell[0][0][layer].
constexpr int SquareOffset(int x, int y) {
  return x * kStrideX + y * kStrideY;
}

// The placement tables have five stages, 0..4.
constexpr int ClampedStage(int stage) {
  return stage < 0 ? 0 : (stage > 4 ? 4 : stage);
}

// Copies squares 1..8 x 1..8 of one layer into another.
inline void CopyLayer(int16_t* cells, int from, int to) {
  for (int x = 1; x <= 8; ++x) {
    int16_t* column = cells + SquareOffset(x, 1);
    for (int y = 0; y < 8; ++y) column[y * kStrideY + to] = column[y * kStrideY + from];
  }
}

}  // namespace kerna::ai
