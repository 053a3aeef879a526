// A game record made ready for the review screen: read, checked, and replayed
// into the position before every move, with who the review speaks to. A
// record that cannot be reviewed gives the reason as the screen shows it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/ggf.hpp"
#include "nboard/nboard_board.hpp"

namespace kerna::review {

struct ReviewedGame {
  GgfGame record;
  // positions[k]: the board before move k + 1 (k = 0 .. moves); the last is
  // the game's end.
  std::vector<nboard::Position> positions;
  // The side ケルナ talks to: the human in a game against her; in a game
  // between two people or one from another program, black.
  char playerColour = kGgfBlack;
  bool versusKerna = false;
  // Her look during the review: the level the game was played at, else 6.
  int hostessLevel = 6;

  int MoveCount() const { return static_cast<int>(record.moves.size()); }
  // Black's discs minus white's at the end of the record.
  int FinalMargin() const;
};

// Reads a GGF text (nothing: the file could not be read). On failure returns
// nothing and sets `error` to the reason in the player's words (UTF-8, two
// rows of her balloon, at most 20 cells each, separated by '\n').
std::optional<ReviewedGame> PrepareReview(const std::optional<std::string>& ggf_text,
                                          std::string* error);

}  // namespace kerna::review
