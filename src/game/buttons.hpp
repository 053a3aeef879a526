// The picture buttons every screen is driven by: drawing a group, the hit test
// on a click, the test which group the mouse points at, and the wait for a
// click on one group. Groups and their entries are the button table. Also the
// plain click waits of the turns and screens, which every screen shares. Every
// wait also answers keys: a key acts as the click it stands for.
#pragma once

#include <functional>

#include "platform/keys.hpp"

namespace kerna {

class Game;

class ButtonPanel {
 public:
  explicit ButtonPanel(Game& game) : g_(game) {}

  // Draws the items of group g (when the group is active) in their chosen or
  // unchosen look, framed in SelectedFrameColour or black.
  void DrawButtonGroup(int g);
  // On a left click: hit-tests every group, redraws them all when something
  // was hit, and waits for the button to come up.
  void ClickButtons();
  // Sets GroupChoice, LastClickedGroup and ClickCount when the mouse is on an
  // item of group g.
  void HitTestGroup(int g);
  // PointedGroup = the last active group with an item under the mouse, else 0.
  void PointedGroupTest();
  // Waits, polling every millisecond, until an item of group g is clicked.
  // Clicks on other active groups only change their choices. Keys: 1..9 press
  // the visible buttons in reading order, Enter or Space the awaited group's
  // button when it is a single one (start, OK), the arrows step the level
  // (up/down) or the board colour (left/right) when those are shown.
  void WaitForButton(int g);
  // What a click on item i of group g does: its choice, LastClickedGroup,
  // ClickCount, and every group redrawn.
  void PressButton(int g, int i);
  // The n-th (1-based) drawn item of the active groups in reading order (top
  // to bottom, then left to right); false when fewer are shown.
  bool VisibleButton(int n, int* group, int* item) const;

  // One look at the mouse and the keyboard for the screens that do more than
  // wait (the saved games, the review): the item of group g clicked, or the
  // item key_item gives for a key (digits press the visible buttons as in
  // every wait), drawn in its chosen look; -1 when nothing was pressed.
  // Sleeps 1 ms.
  int PollGroup(int g, const std::function<int(platform::Key)>& key_item);

  // Sleeps 1 ms and reads the mouse position into MouseX/MouseY.
  void ReadMousePosition();

  // The click waits. In self-play (nobody at the mouse) they return at once.
  // Waits until the left button is up, then until it goes down again; returns
  // with the button still held. Enter or Space answer it too.
  void WaitForLeftClick();
  // Waits until the left button is up, then until the left or the right button
  // is down. Returns which ended the wait: kLeftClick, kRightClick, or 0 in
  // self-play. Enter or Space answer as a left click, U or Backspace as a right
  // one, and Escape as a left click when escape_answers is set (the waits that
  // only lead back to the menu).
  int WaitForLeftOrRightClick(bool escape_answers = false);
  // Waits until neither button is held.
  void WaitForButtonsUp();

  static constexpr int kLeftClick = 1;
  static constexpr int kRightClick = 2;

 private:
  // Whether item i of group g is an active, drawn button containing the mouse.
  bool ItemUnderMouse(int g, int i);
  // Self-play: the click waits do not wait.
  bool NobodyAtTheMouse() const;
  // A key in a wait for a button of group g.
  void AnswerKey(platform::Key key, int g);
  // The choice of group g moved by step, kept within its drawn items.
  void StepChoice(int g, int step);

  Game& g_;
};

}  // namespace kerna
