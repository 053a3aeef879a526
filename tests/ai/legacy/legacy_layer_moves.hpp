// The search's own move rules on one Board layer, inlined into the search loop.
// They follow the board rules (walk over the opponent's discs, close with one's
// own, walls stop every walk) but take the sides as arguments, so the same code
// serves the ordinary colours (white 1, black 2) and the win-loss-draw solver's
// signed encoding (black +1, white -1). A square is free only when it holds 0.
#pragma once

#include <array>
#include <cstdint>

#include "ai/layer_geometry.hpp"
namespace kerna::legacy {
using ai::kDirections;
using ai::kStrideY;
using ai::SquareOffset;
}  // namespace kerna::legacy
#include "board/board_state.hpp"

namespace kerna::legacy {

inline bool IsLegal(const int16_t* layer, int at, int side, int opponent) {
  if (layer[at] != 0) return false;
  for (int step : kDirections) {
    int p = at + step;
    if (layer[p] != opponent) continue;
    do p += step;
    while (layer[p] == opponent);
    if (layer[p] == side) return true;
  }
  return false;
}

// Empty neighbours of the disc at `at` (walls count as occupied).
inline int Openness(const int16_t* layer, int at) {
  int open = 0;
  for (int step : kDirections) open += layer[at + step] == 0;
  return open;
}

// Legality with the move's openness: the open neighbours of every disc it would flip.
inline bool IsLegalWithOpenness(const int16_t* layer, int at, int side, int opponent,
                                int& openness) {
  openness = 0;
  if (layer[at] != 0) return false;
  bool legal = false;
  for (int step : kDirections) {
    int p = at + step;
    if (layer[p] != opponent) continue;
    int running = 0;
    do {
      running += Openness(layer, p);
      p += step;
    } while (layer[p] == opponent);
    if (layer[p] == side) {
      openness += running;
      legal = true;
    }
  }
  return legal;
}

// Places a disc of `side` at `at` and flips every closed line (the caller knows it is legal).
inline void Play(int16_t* layer, int at, int side, int opponent) {
  for (int step : kDirections) {
    int p = at + step;
    if (layer[p] != opponent) continue;
    do p += step;
    while (layer[p] == opponent);
    if (layer[p] != side) continue;
    for (p -= step; p != at; p -= step) layer[p] = static_cast<int16_t>(side);
  }
  layer[at] = static_cast<int16_t>(side);
}

// Copies squares 1..8 x 1..8 of one layer into another.
inline void CopyLayer(int16_t* cells, int from, int to) {
  for (int x = 1; x <= 8; ++x) {
    int16_t* column = cells + SquareOffset(x, 1);
    for (int y = 0; y < 8; ++y) column[y * kStrideY + to] = column[y * kStrideY + from];
  }
}

}  // namespace kerna::legacy
