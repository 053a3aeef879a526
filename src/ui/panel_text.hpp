// Text on the right-hand panel: printing at a grid cell and blanking the rows
// of the message area, the hostess's speech rows and the panel column. Every
// screen of the game flow, the human turn and the thinking messages prints
// through these.
#pragma once

#include <string_view>

#include "platform/platform.hpp"
#include "ui/panel_layout.hpp"

namespace kerna {

class PanelText {
 public:
  PanelText(platform::Platform& io, const ScreenLayout& layout) : io_(io), layout_(layout) {}

  // Moves the cursor to (column, row) and prints the CP932 bytes.
  void PrintAt(int column, int row, std::string_view cp932);
  // Prints a number in the game's number format at the cursor.
  void PrintNumber(double value);
  // Prints text at the cursor.
  void Print(std::string_view cp932);
  // Blanks one row from column 56 in the current colours.
  void BlankRow(int row);
  // Blanks rows first..last from column 56.
  void BlankRows(int first, int last);
  // Blanks the think time's row (MessageRow + 4) up to 終了 beside it.
  void BlankThinkTimeRow();
  // Blanks column 55 of rows 1..24 (the whole panel's text).
  void BlankPanelColumn();
  // The first row of the message area (MessageRow).
  int MessageRow() const;

 private:
  platform::Platform& io_;
  const ScreenLayout& layout_;
};

}  // namespace kerna
