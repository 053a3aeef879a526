// Replaying the GUI's game: a pass is accepted only when the mover has no move
// and the game is not over, as the GUIs themselves require.
#include "nboard/nboard_board.hpp"

#include <bit>

namespace kerna::nboard {
namespace {

constexpr int kDx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int kDy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

// The discs a move at `square` would flip, as bits.
uint64_t Flips(const Position& p, int square) {
  if (p.squares[square] != kGgfEmpty) return 0;
  const char own = p.Mover(), other = p.Other();
  uint64_t flips = 0;
  for (int d = 0; d < 8; ++d) {
    int x = square % 8 + kDx[d], y = square / 8 + kDy[d];
    uint64_t line = 0;
    while (x >= 0 && x < 8 && y >= 0 && y < 8 && p.squares[y * 8 + x] == other) {
      line |= uint64_t{1} << (y * 8 + x);
      x += kDx[d];
      y += kDy[d];
    }
    if (line != 0 && x >= 0 && x < 8 && y >= 0 && y < 8 && p.squares[y * 8 + x] == own) {
      flips |= line;
    }
  }
  return flips;
}

Position Swapped(Position p) {
  p.blackToMove = !p.blackToMove;
  return p;
}

}  // namespace

uint64_t LegalMoves(const Position& position) {
  uint64_t moves = 0;
  for (int square = 0; square < 64; ++square) {
    if (Flips(position, square) != 0) moves |= uint64_t{1} << square;
  }
  return moves;
}

bool MustPass(const Position& position) {
  return LegalMoves(position) == 0 && LegalMoves(Swapped(position)) != 0;
}

bool GameOver(const Position& position) {
  return LegalMoves(position) == 0 && LegalMoves(Swapped(position)) == 0;
}

bool Play(Position& position, int square) {
  if (square == kGgfPass) {
    if (!MustPass(position)) return false;
    position.blackToMove = !position.blackToMove;
    return true;
  }
  if (square < 0 || square > 63) return false;
  uint64_t flips = Flips(position, square);
  if (flips == 0) return false;
  while (flips != 0) {
    position.squares[std::countr_zero(flips)] = position.Mover();
    flips &= flips - 1;
  }
  position.squares[square] = position.Mover();
  position.blackToMove = !position.blackToMove;
  return true;
}

int DiscMargin(const Position& position) {
  int margin = 0;
  for (const char c : position.squares) margin += (c == kGgfBlack) - (c == kGgfWhite);
  return margin;
}

int DiscCount(const Position& position) {
  int count = 0;
  for (const char c : position.squares) count += c != kGgfEmpty;
  return count;
}

bool SessionGame::StartsFromStandardPosition() const {
  const GgfGame standard = StandardGgfGame();
  return start.blackToMove && start.squares == standard.board;
}

SessionGame NewSessionGame(const Position& start) {
  return SessionGame{start, start, {}};
}

bool LoadSessionGame(const GgfGame& record, SessionGame& game, std::string* error) {
  SessionGame loaded = NewSessionGame(Position{record.board, record.blackToMove});
  for (size_t i = 0; i < record.moves.size(); ++i) {
    if (!AppendMove(loaded, record.moves[i])) {
      if (error) {
        *error = "move " + std::to_string(i + 1) + " (" + GgfSquareName(record.moves[i].square) +
                 ") is not legal";
      }
      return false;
    }
  }
  game = std::move(loaded);
  return true;
}

bool AppendMove(SessionGame& game, const GgfMove& move) {
  if (!Play(game.current, move.square)) return false;
  game.moves.push_back(move);
  return true;
}

}  // namespace kerna::nboard
