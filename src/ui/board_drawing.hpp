// Drawing of the discs on the board: the whole board at once, and the update
// from PreviousPosition to Position after a move, where every flipped disc
// turns through the five flip frames with the placing sound.
#pragma once

#include "board/board_rules.hpp"
#include "board/board_state.hpp"
#include "data/settings_state.hpp"
#include "platform/platform.hpp"
#include "ui/panel_layout.hpp"
#include "ui/tiles.hpp"

#include "platform/picture.hpp"

namespace kerna {

class BoardDrawing {
 public:
  BoardDrawing(platform::Platform& io, const ScreenLayout& layout, BoardState& board,
               BoardRules& rules, const TileSet& tiles, const SettingsState& settings)
      : io_(io),
        layout_(layout),
        board_(board),
        rules_(rules),
        tiles_(tiles),
        settings_(settings) {}

  // Every empty square, then every white disc, then every black disc of Position.
  void DrawWholeBoard();
  // Redraws the empty squares, draws newly placed discs at once and then turns
  // each flipped disc, column by column, 30 ms per frame.
  void AnimateChanges();
  // Counts the legal moves of SideToMove on layer `Layer` as the board rules
  // do and marks them for the human: every legal square gets the legal-move
  // marker (or, with the marker setting off, the plain square, which wipes a
  // marker left from an earlier turn); the selection box starts on the latest
  // move. Also counts MovesPlayed.
  void CountLegalMovesAndMark();
  // Draws a tile on the inner area of square (x, y), x and y 1..8.
  void DrawOnSquare(const platform::Picture& tile, int x, int y);
  // The selection box around square (x, y): two outlines, on the square's
  // edge and one pixel outside it; drawn in the frame colour, it is erased.
  void DrawSquareBox(int x, int y, int colour);
  // The hint: the inner area of the empty square (x, y) filled green.
  void DrawHintSquare(int x, int y);

  // Milliseconds each flip frame stays on screen.
  static constexpr int kFrameMs = 30;

 private:
  // Shows the five flip frames of one disc and its new colour.
  void Flip(int x, int y, int to);

  platform::Platform& io_;
  const ScreenLayout& layout_;
  BoardState& board_;
  BoardRules& rules_;
  const TileSet& tiles_;
  const SettingsState& settings_;
};

}  // namespace kerna
