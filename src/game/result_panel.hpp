// The result screen at the end of a game: both disc counts, the hostess's
// reaction, how often undo and hint were used, and then either a move taken
// back to play on or a click back to the menu. Its answer is QuitRequested
// (a QuitAnswer): back to the menu, play on after an undo, or (self-play) the
// next game.
#pragma once

#include <cstdint>
#include <string>

#include "platform/keys.hpp"

namespace kerna {

class Game;

// "｢待った｣ の使用" etc.: the count right-aligned in four characters, then "回".
std::string UsageLine(std::string_view label_cp932, int count);

class ResultPanel {
 public:
  explicit ResultPanel(Game& game) : g_(game) {}

  void ResultScreen();

 private:
  void CountDiscs();
  void PrintScoreLines();
  void ReactToResult();
  void PrintUsageCounts();
  // Polls until undo (true) or quit (false) is clicked, or pressed by a key:
  // U or Escape, or 1..9 for the buttons shown.
  bool WaitForUndoOrQuit();
  // The button group a key presses here (0: none).
  int GroupForKey(platform::Key key) const;
  void PlayOnAfterUndo();
  void ReturnToMenuOnClick();
  void EraseBoxAtCursor();

  Game& g_;
};

}  // namespace kerna
