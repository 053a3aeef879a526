// The game in progress, kept so that the next start can go on with it. After
// every move, undo and hint the position, the record, the level, the sides and
// the counts are written to game-in-progress.txt beside set.ini (the same
// folder rule: dat\ while it can be written, else the user's folder; in the
// browser that folder is kept in its storage), replacing the file at once
// (temporary file + rename), so a closed window or a crash leaves the latest
// whole file. A game that ends (finished or quit) or a new game removes it.
// At the next start the menu offers 続きから for a file that reads back: a
// well-formed text whose moves are legal from this game's start position,
// reach its board and leave a move to play. Anything else is ignored and
// left as it is, and the game starts as always.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "board/board_state.hpp"
#include "game/kept_game_file.hpp"

namespace kerna {

class Game;

struct KeptGameState {
  // Whose turn the game goes on with; the game loop sets it as each turn starts.
  int16_t TurnSide = kBlack;
  // What this run last wrote to the file: the same text is not written again.
  std::string LastText;
  // The game the file keeps, when it can be continued (FindKeptGame).
  std::optional<KeptGame> Found;
};

class GameKeeper {
 public:
  explicit GameKeeper(Game& game) : g_(game) {}

  // Writes the game in progress (nothing in self-play, where nobody would go
  // on with it). False when it could be written nowhere: an earlier file then
  // stays whole and the game plays on.
  bool Keep();
  // The game is over or another begins: the file is removed.
  void Forget();
  // Found = the game the file keeps when it can be continued (never in
  // self-play), else nothing.
  void FindKeptGame();
  // Puts Found into the game: start, record and position, sides, level,
  // counts, the pass and whether 待った is offered. The turn to play is TurnSide.
  void RestoreKeptGame();

  // game-in-progress.txt in the folder set.ini goes to ("" when there is none).
  std::string FilePath() const;

 private:
  KeptGame Gather() const;

  Game& g_;
};

}  // namespace kerna
