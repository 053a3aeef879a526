// Where things stand on the screen: the board's squares, the right-hand
// panel's text columns and rows, the message area and the progress bar. The
// text grid's cells are 8 x 16 pixels; the panel's left edge is at pixel
// 55 * 8 - 11 = 429.
#pragma once

#include <cstdint>

#include "platform/surface.hpp"

namespace kerna {

// Panel texts: labels and menus at column 55, messages (and the hostess's
// balloon) at column 56.
inline constexpr int kPanelLabelColumn = 55;
inline constexpr int kPanelMessageColumn = 56;
// Blanks that clear one message row from column 56 (x 448..623): they stay
// inside the message frame, which ends at x 633.
inline constexpr int kPanelMessageWidth = 22;
// The think time stands on the message area's fifth row (MessageRow + 4),
// beside 終了 (x 548..623, y 384..407): its blanks stop short of the button.
inline constexpr int kThinkTimeRowOffset = 4;
inline constexpr int kThinkTimeWidth = 12;
// Blanks that clear the panel from column 55 to the window's right edge.
inline constexpr int kPanelWidth = 25;
// The computer's "私の（白）の番" line.
inline constexpr int kTurnMessageRow = 22;
// The hostess's balloon text: two rows at the message column. The balloon
// picture starts on the first row's top pixel line, just below the level line
// of row 5, and the panel rows 6..8 redrawn after a move erase it whole.
inline constexpr int kBalloonFirstRow = 6;
inline constexpr int kBalloonSecondRow = 7;
inline constexpr int kBalloonTop = 16 * kBalloonFirstRow;
// The 待った and ヒント buttons stand above the message frame, and the rows
// redrawn after a move reach down to the frame's top so that no strip of their
// frames stays on screen; the frame's top is 12 pixels above MessageRow.
inline constexpr int kMessageFrameAboveRow = 12;

// The geometry values set at program start (the message row by the title
// drawing) and read by every drawing.
struct ScreenLayout {
  float BoardLeft = 22, BoardTop = 22;
  float SquareWidth = 48, SquareHeight = 48;
  float MessageRow = 20;  // first of the four rows of the message area
  int16_t PanelColumn = 55;
  int16_t ProgressRow = 5;
  int16_t ProgressLength = 22;
  int16_t SelectedFrameColour = 7;
};

// A rectangle of the picture, in its pixels.
struct PictureArea {
  int left = 0, top = 0, width = 0, height = 0;
};

// The two parts of the picture that a narrow screen shows one above the
// other: the board in its 22-pixel frame (x 0..428, y 0..429), and the panel
// right of it, from its left edge (x 429) to the picture's right edge.
constexpr PictureArea BoardPart(const ScreenLayout& s) {
  return {0, 0, static_cast<int>(2 * s.BoardLeft + 8 * s.SquareWidth + 1),
          static_cast<int>(2 * s.BoardTop + 8 * s.SquareHeight + 2)};
}
constexpr PictureArea PanelPart(const ScreenLayout& s) {
  const int left = BoardPart(s).width;
  return {left, 0, platform::kSurfaceWidth - left, platform::kSurfaceHeight};
}

}  // namespace kerna
