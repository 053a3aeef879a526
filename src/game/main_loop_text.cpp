// Panel text helpers (see main_loop_text.hpp).
#include "game/main_loop_text.hpp"

#include <string>

#include "game/game.hpp"

namespace kerna {

void PanelText::PrintAt(int column, int row, std::string_view cp932) {
  g_.io.MoveCursor(column, row);
  g_.io.Print(cp932);
}

void PanelText::PrintNumber(double value) {
  g_.io.PrintNumber(value);
}

void PanelText::Print(std::string_view cp932) {
  g_.io.Print(cp932);
}

void PanelText::BlankRow(int row) {
  PrintAt(kPanelMessageColumn, row, std::string(kPanelMessageWidth, ' '));
}

void PanelText::BlankRows(int first, int last) {
  for (int row = first; row <= last; ++row) BlankRow(row);
}

void PanelText::BlankThinkTimeRow() {
  PrintAt(kPanelMessageColumn, MessageRow() + kThinkTimeRowOffset,
          std::string(kThinkTimeWidth, ' '));
}

void PanelText::BlankPanelColumn() {
  for (int row = 1; row <= 24; ++row)
    PrintAt(kPanelLabelColumn, row, std::string(kPanelWidth, ' '));
}

int PanelText::MessageRow() const {
  return static_cast<int>(g_.layout.MessageRow);
}

}  // namespace kerna
