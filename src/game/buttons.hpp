// The picture buttons every screen is driven by: drawing a group, the hit test
// on a click, the test which group the mouse points at, and the wait for a
// click on one group. Groups and their entries are the button table. Also the
// plain click waits of the turns and screens, which every screen shares.
#pragma once

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
  // Clicks on other active groups only change their choices.
  void WaitForButton(int g);

  // Sleeps 1 ms and reads the mouse position into MouseX/MouseY.
  void ReadMousePosition();

  // The click waits. In self-play (nobody at the mouse) they return at once.
  // Waits until the left button is up, then until it goes down again; returns
  // with the button still held.
  void WaitForLeftClick();
  // Waits until the left button is up, then until the left or the right button
  // is down. Returns which ended the wait: kLeftClick, kRightClick, or 0 in
  // self-play.
  int WaitForLeftOrRightClick();
  // Waits until neither button is held.
  void WaitForButtonsUp();

  static constexpr int kLeftClick = 1;
  static constexpr int kRightClick = 2;

 private:
  // Whether item i of group g is an active, drawn button containing the mouse.
  bool ItemUnderMouse(int g, int i);
  // Self-play: the click waits do not wait.
  bool NobodyAtTheMouse() const;

  Game& g_;
};

}  // namespace kerna
