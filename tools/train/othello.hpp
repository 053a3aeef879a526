// A compact Reversi board for the training tool: two 64-bit masks, one bit per
// square, bit (y - 1) * 8 + (x - 1) for column x and row y (both 1..8). It
// replays the game records and solves short endgames; it shares no code with the
// game so that the tool can check the game against an independent model.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kerna::train {

inline constexpr int kWhite = 1;
inline constexpr int kBlack = 2;

inline constexpr int SquareBit(int x, int y) {
  return (y - 1) * 8 + (x - 1);
}

struct Bitboard {
  uint64_t white = 0;
  uint64_t black = 0;

  uint64_t Of(int side) const { return side == kWhite ? white : black; }
  uint64_t& Of(int side) { return side == kWhite ? white : black; }
  uint64_t Empty() const { return ~(white | black); }
  // 0 empty, 1 white, 2 black.
  int Cell(int x, int y) const {
    const uint64_t bit = uint64_t{1} << SquareBit(x, y);
    return (white & bit) ? kWhite : (black & bit) ? kBlack : 0;
  }
  int Discs() const;
  // The standard start: white d4 e5, black d5 e4.
  static Bitboard Standard();
};

inline int Opponent(int side) {
  return 3 - side;
}

// Squares where `me` may play against `opp`.
uint64_t LegalMoves(uint64_t me, uint64_t opp);
// The discs that a move on `square` (0..63) flips; 0 when the move is illegal.
uint64_t Flips(uint64_t me, uint64_t opp, int square);

// One position of a replayed game: the board after a move and who made it.
struct ReplayedPosition {
  Bitboard board;
  int justMoved = 0;    // the side that made the latest move
  int movesPlayed = 0;  // discs on the board - 4
};

struct ReplayedGame {
  std::vector<ReplayedPosition> positions;  // after each move, in order
  int finalDifference = 0;                  // white - black, empties to the winner
};

// Replays "f5d6c3..." from the standard start, passing when the side to move
// has no legal move. Empty when a move is malformed or illegal or the game does
// not reach its end (neither side can move).
std::optional<ReplayedGame> ReplayGame(std::string_view moves);

// White - black disc count of a finished position, empty squares to the winner.
int FinalDifference(const Bitboard& board);

// The exact final difference (white - black, empties to the winner) with
// `side` to move and perfect play by both sides.
int SolveExactly(const Bitboard& board, int side);

}  // namespace kerna::train
