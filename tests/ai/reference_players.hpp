// Independent references for the search tests. A bitboard Reversi with a
// full-window alpha-beta to the end of the game (disc margin, empty squares
// count for nobody), and a plain recursive negamax over the Board's layers that
// uses the board rules and the evaluation at its leaves. Neither shares code
// with the search loop, its move rules or its ply tables.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "ai_test_support.hpp"

namespace kerna::test {

// Bit (y - 1) * 8 + (x - 1) is square (x, y).
struct Bits {
  uint64_t black = 0, white = 0;
};

inline int BitOf(int x, int y) {
  return (y - 1) * 8 + (x - 1);
}

inline uint64_t ShiftDir(uint64_t b, int dir) {
  constexpr uint64_t kNotColumn1 = 0xfefefefefefefefeull, kNotColumn8 = 0x7f7f7f7f7f7f7f7full;
  switch (dir) {
    case 0:
      return (b << 1) & kNotColumn1;  // x + 1
    case 1:
      return (b >> 1) & kNotColumn8;  // x - 1
    case 2:
      return b << 8;  // y + 1
    case 3:
      return b >> 8;  // y - 1
    case 4:
      return (b << 9) & kNotColumn1;
    case 5:
      return (b >> 9) & kNotColumn8;
    case 6:
      return (b << 7) & kNotColumn8;
    default:
      return (b >> 7) & kNotColumn1;
  }
}

inline uint64_t LegalMoves(uint64_t own, uint64_t other) {
  const uint64_t empty = ~(own | other);
  uint64_t moves = 0;
  for (int dir = 0; dir < 8; ++dir) {
    uint64_t run = ShiftDir(own, dir) & other;
    for (int i = 0; i < 5; ++i) run |= ShiftDir(run, dir) & other;
    moves |= ShiftDir(run, dir) & empty;
  }
  return moves;
}

inline uint64_t Flips(uint64_t own, uint64_t other, uint64_t move) {
  uint64_t flips = 0;
  for (int dir = 0; dir < 8; ++dir) {
    uint64_t line = 0, at = ShiftDir(move, dir);
    while (at & other) {
      line |= at;
      at = ShiftDir(at, dir);
    }
    if (at & own) flips |= line;
  }
  return flips;
}

// Final margin (own - other) with best play, `own` to move.
inline int SolveMargin(uint64_t own, uint64_t other, int alpha, int beta, bool passed = false) {
  uint64_t moves = LegalMoves(own, other);
  if (moves == 0) {
    if (passed) return std::popcount(own) - std::popcount(other);
    return -SolveMargin(other, own, -beta, -alpha, true);
  }
  int best = -100;
  while (moves) {
    const uint64_t move = moves & -moves;
    moves ^= move;
    const uint64_t flips = Flips(own, other, move);
    const int value = -SolveMargin(other ^ flips, own | flips | move, -beta, -alpha);
    best = std::max(best, value);
    alpha = std::max(alpha, value);
    if (alpha >= beta) break;
  }
  return best;
}

struct RootMoveValue {
  int x, y, margin;  // margin for the side to move after playing (x, y)
};

// Exact margin of every legal move of `own`, in column-major order.
inline std::vector<RootMoveValue> SolveRootMoves(uint64_t own, uint64_t other) {
  std::vector<RootMoveValue> values;
  const uint64_t moves = LegalMoves(own, other);
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const uint64_t move = 1ull << BitOf(x, y);
      if (!(moves & move)) continue;
      const uint64_t flips = Flips(own, other, move);
      values.push_back({x, y, -SolveMargin(other ^ flips, own | flips | move, -100, 100)});
    }
  return values;
}

// A position reached by random play from the start, with `empties` empty
// squares and `to_move` (1 white, 2 black) having a legal move.
struct RandomPosition {
  Bits bits;
  int to_move = kBlack;
};

inline bool MakeRandomPosition(TestRandom& rng, int empties, RandomPosition& out) {
  uint64_t black = (1ull << BitOf(5, 4)) | (1ull << BitOf(4, 5));
  uint64_t white = (1ull << BitOf(4, 4)) | (1ull << BitOf(5, 5));
  int side = kBlack, passes = 0;
  while (64 - std::popcount(black | white) > empties) {
    uint64_t& own = side == kBlack ? black : white;
    uint64_t& other = side == kBlack ? white : black;
    uint64_t moves = LegalMoves(own, other);
    if (moves == 0) {
      if (++passes == 2) return false;
      side = 3 - side;
      continue;
    }
    passes = 0;
    for (int skip = rng.Below(std::popcount(moves)); skip > 0; --skip) moves &= moves - 1;
    const uint64_t move = moves & -moves;
    const uint64_t flips = Flips(own, other, move);
    own |= flips | move;
    other ^= flips;
    side = 3 - side;
  }
  const uint64_t own = side == kBlack ? black : white, other = side == kBlack ? white : black;
  if (LegalMoves(own, other) == 0) return false;
  out.bits = {black, white};
  out.to_move = side;
  return true;
}

// Writes the position into Position and every layer, with the computer to move.
inline void LayPosition(Game& g, const RandomPosition& p) {
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const uint64_t bit = 1ull << BitOf(x, y);
      g.board.Position[x][y] = (p.bits.black & bit)   ? kBlack
                               : (p.bits.white & bit) ? kWhite
                                                      : kEmpty;
    }
  g.rules.CopyPositionToLayers();
  g.board.ComputerSide = static_cast<int16_t>(p.to_move);
  g.board.HumanSide = static_cast<int16_t>(3 - p.to_move);
  g.board.SideToMove = static_cast<int16_t>(p.to_move);
}

inline uint64_t OwnBits(const RandomPosition& p) {
  return p.to_move == kBlack ? p.bits.black : p.bits.white;
}
inline uint64_t OtherBits(const RandomPosition& p) {
  return p.to_move == kBlack ? p.bits.white : p.bits.black;
}

// Plain negamax of the middle-game search's rules: a move at ply >= depth is a
// leaf scored by the evaluation; a pass takes a ply; two passes score +-9000 for
// the computer (a draw is -9000); leaf values are kept within +-8999. Returns the score for the
// side to move at `ply`.
inline int ReferenceNegamax(Game& g, int layer, int ply, int side, int depth, bool passed = false,
                            int* pass_count = nullptr) {
  BoardState& b = g.board;
  const int computer = b.ComputerSide;
  std::vector<std::pair<int, int>> moves;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      b.SquareX = static_cast<int16_t>(x);
      b.SquareY = static_cast<int16_t>(y);
      b.Layer = static_cast<int16_t>(layer);
      b.SideToMove = static_cast<int16_t>(side);
      g.rules.TestLegal();
      if (b.LegalFlag) moves.push_back({x, y});
    }
  if (moves.empty()) {
    if (passed) {
      int mine = 0, theirs = 0;
      for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) {
          mine += b.cell[x][y][layer] == computer;
          theirs += b.cell[x][y][layer] == 3 - computer;
        }
      const int final_value = mine > theirs ? 9000 : -9000;
      return side == computer ? final_value : -final_value;
    }
    if (pass_count) ++*pass_count;
    CopyLayer(g, layer, layer + 1);
    return -ReferenceNegamax(g, layer + 1, ply + 1, 3 - side, depth, true, pass_count);
  }
  int best = -100000;
  for (auto [x, y] : moves) {
    CopyLayer(g, layer, layer + 1);
    b.SquareX = static_cast<int16_t>(x);
    b.SquareY = static_cast<int16_t>(y);
    b.Layer = static_cast<int16_t>(layer + 1);
    b.SideToMove = static_cast<int16_t>(side);
    g.rules.MakeMoveFast();
    int value;
    if (ply >= depth) {
      g.evaluation.Evaluate();
      const int leaf = std::clamp<int>(g.ai.ShownValue, -8999, 8999);
      value = side == computer ? leaf : -leaf;
    } else {
      value = -ReferenceNegamax(g, layer + 1, ply + 1, 3 - side, depth, false, pass_count);
    }
    best = std::max(best, value);
  }
  return best;
}

// Random tables for the evaluation (full 8-bit range, placement -30..30).
inline void FillRandomTables(Game& g, TestRandom& rng) {
  for (auto& row : g.tables.Edge)
    for (auto& v : row) v = static_cast<int8_t>(rng.Below(256) - 128);
  for (auto& row : g.tables.Pattern)
    for (auto& v : row) v = static_cast<int8_t>(rng.Below(256) - 128);
  for (auto& column : g.placementTables.SquareClass)
    for (auto& square : column)
      for (auto& v : square) v = static_cast<int16_t>(rng.Below(61) - 30);
}

}  // namespace kerna::test
