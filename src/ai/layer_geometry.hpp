// Where a square lies in the Board's cell array, for the code that walks one
// layer by offsets (the search's move rules, the evaluation): the strides, the
// offsets of the eight neighbours in the board rules' direction order, and the
// stage clamp every stage-indexed table read goes through.
#pragma once

#include <array>

#include "board/board_state.hpp"

namespace kerna::ai {

inline constexpr int kStrideX = kLayers * 10;
inline constexpr int kStrideY = kLayers;

// Offset of square (x, y) from cell[0][0][layer].
constexpr int SquareOffset(int x, int y) {
  return x * kStrideX + y * kStrideY;
}

// The eight directions (and so the eight neighbours) in the board rules' order.
inline constexpr std::array<int, 8> kDirections{
    -kStrideX - kStrideY, -kStrideY, kStrideX - kStrideY, -kStrideX, kStrideX,
    -kStrideX + kStrideY, kStrideY,  kStrideX + kStrideY};

// The placement tables have five stages, 0..4.
constexpr int ClampedStage(int stage) {
  return stage < 0 ? 0 : (stage > 4 ? 4 : stage);
}

}  // namespace kerna::ai
