// The human's turn: whose turn it is and how many squares are playable, a
// selection box that follows the mouse over the board (yellow over a legal
// square, red over an illegal one), a left click that plays the boxed square,
// and the three buttons served while waiting: undo, hint and quit. The keys do
// the same: the arrows move the box, Enter or Space play the boxed square, and
// U, H and Escape press undo, hint and quit.
#pragma once

#include <cstdint>

#include "platform/keys.hpp"

namespace kerna {

class Game;

struct HumanTurnState {
  // The square under the mouse at the last poll (may lie off the board). Kept
  // between turns: the box leaves the latest move's square only when the mouse
  // points at another square.
  int16_t PointedX = 0, PointedY = 0;
  float BoxColour = 6;    // 6 (yellow) over a legal square, 2 (red) otherwise
  float FrameColour = 0;  // the colour that erases the box
};

class HumanPlayer {
 public:
  explicit HumanPlayer(Game& game) : g_(game) {}

  // Plays one move for SideToMove on layer 0 and records it, or acknowledges a
  // pass, or returns at once on a full board, or after quit (QuitRequested = 1).
  // After a move SquareX/SquareY hold its square.
  void HumanTurn();
  // Takes back the human's latest move and the computer's reply after it. Does
  // nothing while the undo button is disabled (GroupChoice of group 3 = -1).
  void UndoMove();

 private:
  void Hint();
  void Quit();
  void AcknowledgePass();
  // Polls the mouse until a legal square is clicked; false after quit.
  bool ChooseSquare();
  enum class KeyAnswer { kGoOn, kPlay, kQuit };
  // A key while the turn polls: what the click it stands for would do.
  KeyAnswer AnswerKey(platform::Key key);
  // An arrow key: the cursor square one step that way, kept on the board.
  void StepCursor(int dx, int dy);
  void PlayChosenSquare();
  // Tests the cursor square once more just before it is played, so that no
  // path can ever play an illegal square.
  bool CursorSquareLegal();
  void PrintTurnMessage();
  // "置ける数" and the LegalMoveCount on message row + 2.
  void PrintLegalCount();
  void PrintHintSquare();
  void PrintHintValue();
  // Pointing at a square of the board moves the cursor there.
  void FollowMouse();
  // Moves the box to the cursor square when it is elsewhere.
  void MoveBoxToCursor();
  // The box's two outlines around square (x, y) in a palette colour.
  void DrawBox(int x, int y, int colour);
  void EraseBoxAtCursor();
  void DisableUndo();

  Game& g_;
};

}  // namespace kerna
