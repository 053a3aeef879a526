// The text of the file that keeps the game in progress (game-in-progress.txt,
// beside set.ini), so that the next start can go on with it. One "key=value"
// a line after a first line naming the format and its version; every key
// once, in this order when written, in any order when read:
//
//   kerna-game-in-progress 1
//   mode=computer            computer | humans
//   level=3                  0..6; "-" between two people
//   human=black              black | white; "both" between two people
//   turn=white               the side whose turn the game goes on with
//   pass=0                   turns in a row without a move before it: 0 | 1
//   undo=1                   uses of 待った and ヒント in the game so far
//   hint=0
//   start=standard           or 64 squares row by row from a1: * black, O white, - empty
//   moves=f5d6c3             the discs placed, in order (passes are not written)
//   board=-------...         the position reached, 64 squares as in start=
//
// Whether 待った is offered follows from the moves: once the human has a move
// in the record. This module only reads and writes the text; whether the
// moves are legal and lead to the board is the keeper's question
// (kept_game.hpp).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "board/board_state.hpp"

namespace kerna {

struct KeptGame {
  bool versus_computer = true;
  int level = 1;            // versus the computer only
  int human_side = kBlack;  // versus the computer only
  int turn = kBlack;
  int pass_count = 0;
  int undo_count = 0, hint_count = 0;
  Grid start{};       // squares 1..8 x 1..8
  std::string moves;  // "f5d6c3": column a..h and row 1..8 of each disc placed
  Grid position{};    // squares 1..8 x 1..8
};

std::string KeptGameText(const KeptGame& game);
// Nothing when the text is not a whole, well-formed file of this version: a
// missing, repeated or unknown key, a value out of its range.
std::optional<KeptGame> ParseKeptGame(std::string_view text);

}  // namespace kerna
