// The position an NBoard-protocol session talks about: 64 squares and the side
// to move, as the GUI's game record sets them up, with just enough of the rules
// to replay the GUI's moves and refuse illegal ones. Squares are numbered 0..63
// row by row from a1; the game's own Board is set up from this for each search.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/ggf.hpp"

namespace kerna::nboard {

struct Position {
  std::array<char, 64> squares{};  // kGgfBlack / kGgfWhite / kGgfEmpty
  bool blackToMove = true;

  char Mover() const { return blackToMove ? kGgfBlack : kGgfWhite; }
  char Other() const { return blackToMove ? kGgfWhite : kGgfBlack; }
};

// Bit n set for every square where the side to move may place a disc.
uint64_t LegalMoves(const Position& position);
// Whether the side to move must pass: no legal move, but the other side has one.
bool MustPass(const Position& position);
// Neither side can move.
bool GameOver(const Position& position);
// Plays a square (flipping) or a pass; false, position untouched, if not legal.
bool Play(Position& position, int square);
// Black's discs minus White's.
int DiscMargin(const Position& position);
int DiscCount(const Position& position);

// A game as the GUI sent it: where it started and every move since.
struct SessionGame {
  Position start;
  Position current;
  std::vector<GgfMove> moves;

  // The usual start: the four centre discs, Black to move.
  bool StartsFromStandardPosition() const;
};

SessionGame NewSessionGame(const Position& start);
// Replays a parsed record; on an illegal move returns false with the reason.
bool LoadSessionGame(const GgfGame& record, SessionGame& game, std::string* error);
// Appends one move; false (game unchanged) if it is not legal here.
bool AppendMove(SessionGame& game, const GgfMove& move);

}  // namespace kerna::nboard
