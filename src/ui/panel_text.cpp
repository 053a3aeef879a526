// Panel text helpers (see panel_text.hpp).
#include "ui/panel_text.hpp"

#include <string>

namespace kerna {

void PanelText::PrintAt(int column, int row, std::string_view cp932) {
  io_.MoveCursor(column, row);
  io_.Print(cp932);
}

void PanelText::PrintNumber(double value) {
  io_.PrintNumber(value);
}

void PanelText::Print(std::string_view cp932) {
  io_.Print(cp932);
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
  return static_cast<int>(layout_.MessageRow);
}

}  // namespace kerna
