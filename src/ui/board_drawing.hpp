// Drawing of the discs on the board: the whole board at once, and the update
// from PreviousPosition to Position after a move, where every flipped disc
// turns through the five flip frames with the placing sound.
#pragma once

#include "platform/picture.hpp"

namespace kerna {

class Game;

class BoardDrawing {
 public:
  explicit BoardDrawing(Game& game) : g_(game) {}

  // Every empty square, then every white disc, then every black disc of Position.
  void DrawWholeBoard();
  // Redraws the empty squares, draws newly placed discs at once and then turns
  // each flipped disc, column by column, 30 ms per frame.
  void AnimateChanges();
  // Draws a tile on the inner area of square (x, y), x and y 1..8.
  void DrawOnSquare(const platform::Picture& tile, int x, int y);

  // Milliseconds each flip frame stays on screen.
  static constexpr int kFrameMs = 30;

 private:
  // Shows the five flip frames of one disc and its new colour.
  void Flip(int x, int y, int to);

  Game& g_;
};

}  // namespace kerna
