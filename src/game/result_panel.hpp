// The result screen at the end of a game: both disc counts, the hostess's
// reaction, how often undo and hint were used, and then either a move taken
// back to play on or a click back to the menu; 振り返り shows the game's
// review and comes back here. Its answer is QuitRequested
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
  // Undo (against the computer), quit and, where there is a review, 振り返り.
  void ShowButtons();
  // Polls until undo, quit or 振り返り is clicked, or pressed by a key: U,
  // Escape, or 1..9 for the buttons shown; returns the button's group.
  int WaitForChoice();
  void RedrawAfterReview();
  // The button group a key presses here (0: none).
  int GroupForKey(platform::Key key) const;
  void PlayOnAfterUndo();
  void ReturnToMenuOnClick();
  void EraseBoxAtCursor();

  Game& g_;
};

}  // namespace kerna
