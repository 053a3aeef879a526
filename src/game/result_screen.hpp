// The result screen at the end of a game: both disc counts, the hostess's
// reaction, how often undo and hint were used, and then either a move taken
// back to play on or a click back to the menu. Its answer is QuitRequested:
// 1 back to the menu, 2 play goes on after an undo, 3 (self-play) next game.
#pragma once

#include <cstdint>
#include <string>

namespace kerna {

class Game;

// "｢待った｣ の使用" etc.: the count right-aligned in four characters, then "回".
std::string UsageLine(std::string_view label_cp932, int count);

class GameEnd {
 public:
  explicit GameEnd(Game& game) : g_(game) {}

  void ResultScreen();

 private:
  void CountDiscs();
  void PrintScoreLines();
  void ReactToResult();
  void PrintUsageCounts();
  // Polls until undo (true) or quit (false) is clicked.
  bool WaitForUndoOrQuit();
  void PlayOnAfterUndo();
  void ReturnToMenuOnClick();
  void EraseBoxAtCursor();

  Game& g_;
};

}  // namespace kerna
