// A position as the search keeps it from ply to ply: one bitboard per colour,
// and what the evaluation would otherwise rescan the board for, kept move by
// move from the squares that change: the 38 line indices and the placement sum
// of each colour. Colours index the arrays as on the Board (1 white, 2 black).
#pragma once

#include <array>
#include <cstdint>

#include "ai/bitboard.hpp"
#include "ai/layer_geometry.hpp"
#include "ai/line_geometry.hpp"
#include "board/board_state.hpp"
#include "data/placement_tables.hpp"

namespace kerna::ai {

// The placement value of every square for the turn's stage, by bit.
using PlacementByBit = std::array<int16_t, 64>;

inline PlacementByBit PlacementOfStage(const PlacementTables& tables, int stage) {
  PlacementByBit table{};
  for (int bit = 0; bit < 64; ++bit)
    table[bit] = tables.SquareClass[ColumnOfBit(bit)][RowOfBit(bit)][ClampedStage(stage)];
  return table;
}

struct DiscPosition {
  std::array<Bitboard, 3> discs{};  // [0] stays empty
  // Line indices; the last slot takes the unused memberships of squares on fewer than four lines.
  std::array<int16_t, kLineCount + 1> lines{};
  std::array<int, 3> placement{};
};

// The lines of each square by bit, with the square's power of 3 on each.
inline constexpr auto kBitLines = [] {
  std::array<std::array<LineMembership, 4>, 64> table{};
  for (int bit = 0; bit < 64; ++bit)
    table[bit] = kSquareLines.member[ColumnOfBit(bit)][RowOfBit(bit)];
  return table;
}();

// The eight neighbours of each square by bit.
inline constexpr auto kNeighbours = [] {
  std::array<Bitboard, 64> table{};
  for (int bit = 0; bit < 64; ++bit) {
    const Bitboard b = Bitboard{1} << bit;
    table[bit] = Step<-1, -1>(b) | Step<0, -1>(b) | Step<1, -1>(b) | Step<-1, 0>(b) |
                 Step<1, 0>(b) | Step<-1, 1>(b) | Step<0, 1>(b) | Step<1, 1>(b);
  }
  return table;
}();

// EmptyNeighbourCount disc by disc: cheaper for the few discs a move turns over.
inline int EmptyNeighbourCountOfFew(Bitboard discs, Bitboard empty) {
  int count = 0;
  for (; discs != 0; discs &= discs - 1)
    count += CountSquares(kNeighbours[LowestBit(discs)] & empty);
  return count;
}

// Adds `amount` times the square's power of 3 to each of its lines.
inline void AddToLines(DiscPosition& p, int bit, int amount) {
  for (const LineMembership& m : kBitLines[bit])
    p.lines[m.line] += static_cast<int16_t>(amount * m.weight);
}

// `to` becomes `from` after `colour` plays on `bit` turning over `flips`. With
// kKeepEvalTerms the line indices and placement sums follow; the solvers need only the discs.
template <bool kKeepEvalTerms>
inline void PlayMove(const DiscPosition& from, DiscPosition& to, int bit, Bitboard flips,
                     int colour, const PlacementByBit& placement) {
  const int other = 3 - colour;
  to.discs[colour] = from.discs[colour] | flips | (Bitboard{1} << bit);
  to.discs[other] = from.discs[other] & ~flips;
  to.discs[0] = 0;
  if constexpr (kKeepEvalTerms) {
    to.lines = from.lines;
    AddToLines(to, bit, colour);
    int moved = placement[bit];
    for (Bitboard rest = flips; rest != 0; rest &= rest - 1) {
      const int flipped = LowestBit(rest);
      AddToLines(to, flipped, colour - other);
      moved += placement[flipped];
    }
    to.placement[colour] = from.placement[colour] + moved;
    to.placement[other] = from.placement[other] - (moved - placement[bit]);
    to.placement[0] = 0;
  }
}

// Reads one Board layer (`layer` points at cell[0][0][d]) whose discs hold
// `white` and `black`, with line indices and placement sums from scratch.
inline DiscPosition LoadDiscPosition(const int16_t* layer, int white, int black,
                                     const PlacementByBit& placement) {
  DiscPosition p;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int v = layer[SquareOffset(x, y)];
      const int colour = v == white ? kWhite : v == black ? kBlack : 0;
      if (colour == 0) continue;
      const int bit = BitOf(x, y);
      p.discs[colour] |= Bitboard{1} << bit;
      AddToLines(p, bit, colour);
      p.placement[colour] += placement[bit];
    }
  }
  return p;
}

// Writes the discs back into one Board layer (empty squares 0).
inline void StoreDiscPosition(const DiscPosition& p, int16_t* layer, int white, int black) {
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const Bitboard b = SquareBit(x, y);
      layer[SquareOffset(x, y)] = static_cast<int16_t>((p.discs[kWhite] & b) != 0   ? white
                                                       : (p.discs[kBlack] & b) != 0 ? black
                                                                                    : kEmpty);
    }
  }
}

}  // namespace kerna::ai
