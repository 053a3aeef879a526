// The search's move rules on 64-bit boards: one bit per square, one board per
// colour. Square (x, y) is bit (x - 1) * 8 + (y - 1), so ascending bits visit the
// squares column by column and row by row, the order of the empty-square list
// and of the evaluation's scan; the highest disc is the one scanned last.
//
// Legal moves fill each of the eight directions with shifts and masks; flips
// look along the eight rays from the move square. A shift along a column (y)
// masks the squares that would wrap into the next column; no shift is ever by 64.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace kerna::ai {

using Bitboard = uint64_t;

constexpr int BitOf(int x, int y) {
  return (x - 1) * 8 + (y - 1);
}
constexpr Bitboard SquareBit(int x, int y) {
  return Bitboard{1} << BitOf(x, y);
}
constexpr int ColumnOfBit(int bit) {
  return bit / 8 + 1;
}
constexpr int RowOfBit(int bit) {
  return bit % 8 + 1;
}

inline constexpr Bitboard kRow1 = 0x0101010101010101ull;
inline constexpr Bitboard kRow8 = 0x8080808080808080ull;
inline constexpr Bitboard kInnerRows = ~(kRow1 | kRow8);

// Moves every square one step by (dx, dy) with no wrap mask: for squares off
// row 1 and row 8 when dy is not 0 (a run the caller masked), or any square when dy is 0.
template <int dx, int dy>
constexpr Bitboard InnerStep(Bitboard b) {
  constexpr int amount = dx * 8 + dy;
  if constexpr (amount > 0) {
    return b << amount;
  } else {
    return b >> -amount;
  }
}

// Moves every square one step by (dx, dy); squares that leave the board vanish.
template <int dx, int dy>
constexpr Bitboard Step(Bitboard b) {
  const Bitboard moved = InnerStep<dx, dy>(b);
  if constexpr (dy > 0) return moved & ~kRow1;
  if constexpr (dy < 0) return moved & ~kRow8;
  return moved;
}

// Opponent discs a line in direction (dx, dy) may run over: a line along a
// column or a diagonal never flips a disc on row 1 or row 8.
template <int dx, int dy>
constexpr Bitboard Runnable(Bitboard opponent) {
  return dy == 0 ? opponent : opponent & kInnerRows;
}

#if defined(__GNUC__)
#define KERNA_ALWAYS_INLINE [[gnu::always_inline]] inline
#else
#define KERNA_ALWAYS_INLINE inline
#endif

// The empty squares where `own` closes a line of up to six `opponent` discs in
// direction (dx, dy): a fill that doubles its reach in its last two steps.
template <int dx, int dy>
KERNA_ALWAYS_INLINE constexpr Bitboard MovesInDirection(Bitboard own, Bitboard opponent,
                                                        Bitboard empty) {
  const Bitboard runnable = Runnable<dx, dy>(opponent);
  Bitboard run = runnable & InnerStep<dx, dy>(own);
  run |= runnable & InnerStep<dx, dy>(run);
  const Bitboard pairs = runnable & InnerStep<dx, dy>(runnable);
  run |= pairs & InnerStep<2 * dx, 2 * dy>(run);
  run |= pairs & InnerStep<2 * dx, 2 * dy>(run);
  return empty & InnerStep<dx, dy>(run);
}

// Every square where `own` may move.
KERNA_ALWAYS_INLINE constexpr Bitboard LegalMoves(Bitboard own, Bitboard opponent) {
  const Bitboard empty = ~(own | opponent);
  return MovesInDirection<-1, -1>(own, opponent, empty) |
         MovesInDirection<0, -1>(own, opponent, empty) |
         MovesInDirection<1, -1>(own, opponent, empty) |
         MovesInDirection<-1, 0>(own, opponent, empty) |
         MovesInDirection<1, 0>(own, opponent, empty) |
         MovesInDirection<-1, 1>(own, opponent, empty) |
         MovesInDirection<0, 1>(own, opponent, empty) |
         MovesInDirection<1, 1>(own, opponent, empty);
}

// The squares beyond each square in direction (dx, dy), up to the edge, by bit.
template <int dx, int dy>
inline constexpr auto kRays = [] {
  std::array<Bitboard, 64> rays{};
  for (int bit = 0; bit < 64; ++bit) {
    Bitboard at = Step<dx, dy>(Bitboard{1} << bit);
    while (at != 0) {
      rays[bit] |= at;
      at = Step<dx, dy>(at);
    }
  }
  return rays;
}();

// The discs a move on `bit` turns over in direction (dx, dy): the opponent
// discs up to the first other square of the ray, when that square is `own`.
// Rays towards higher bits find that square as their lowest bit, the others as their highest.
template <int dx, int dy>
KERNA_ALWAYS_INLINE constexpr Bitboard FlipsInDirection(int bit, Bitboard own, Bitboard opponent) {
  const Bitboard ray = kRays<dx, dy>[bit];
  const Bitboard stops = ray & ~opponent;
  Bitboard first, run;
  if constexpr (dx * 8 + dy > 0) {
    first = stops & (~stops + 1);
    run = (first - 1) & ray;
  } else {
    first = stops != 0 ? Bitboard{1} << (63 - std::countl_zero(stops)) : 0;
    run = ray & ~((first << 1) - 1);
  }
  return (first & own) != 0 ? run : 0;
}

// The discs a move of `own` on `bit` (an empty square) turns over; 0 when illegal.
KERNA_ALWAYS_INLINE constexpr Bitboard Flips(int bit, Bitboard own, Bitboard opponent) {
  return FlipsInDirection<-1, -1>(bit, own, opponent) |
         FlipsInDirection<0, -1>(bit, own, opponent) | FlipsInDirection<1, -1>(bit, own, opponent) |
         FlipsInDirection<-1, 0>(bit, own, opponent) | FlipsInDirection<1, 0>(bit, own, opponent) |
         FlipsInDirection<-1, 1>(bit, own, opponent) | FlipsInDirection<0, 1>(bit, own, opponent) |
         FlipsInDirection<1, 1>(bit, own, opponent);
}

// The number of squares in `b`. Where the target has no population-count
// instruction (x86-64 before its second level) the compiler would call a library
// routine; the inline bit-slice count is faster there.
KERNA_ALWAYS_INLINE constexpr int CountSquares(Bitboard b) {
#if defined(__x86_64__) && !defined(__POPCNT__)
  b -= (b >> 1) & 0x5555555555555555ull;
  b = (b & 0x3333333333333333ull) + ((b >> 2) & 0x3333333333333333ull);
  b = (b + (b >> 4)) & 0x0f0f0f0f0f0f0f0full;
  return static_cast<int>((b * 0x0101010101010101ull) >> 56);
#else
  return std::popcount(b);
#endif
}

// Summed over the discs of `discs`, the number of their eight neighbours that
// are in `empty` (off the board counts as occupied).
KERNA_ALWAYS_INLINE constexpr int EmptyNeighbourCount(Bitboard discs, Bitboard empty) {
  return CountSquares(Step<-1, -1>(discs) & empty) + CountSquares(Step<0, -1>(discs) & empty) +
         CountSquares(Step<1, -1>(discs) & empty) + CountSquares(Step<-1, 0>(discs) & empty) +
         CountSquares(Step<1, 0>(discs) & empty) + CountSquares(Step<-1, 1>(discs) & empty) +
         CountSquares(Step<0, 1>(discs) & empty) + CountSquares(Step<1, 1>(discs) & empty);
}

// The lowest set bit's index; `b` must not be 0.
inline int LowestBit(Bitboard b) {
  return std::countr_zero(b);
}
inline int HighestBit(Bitboard b) {
  return 63 - std::countl_zero(b);
}

}  // namespace kerna::ai
