// The text grid's storage and cursor rules.
#include "platform/text_grid.hpp"

#include <algorithm>

#include "platform/cp932.hpp"

namespace kerna::platform {

void TextGrid::SetColour(int foreground, int background) {
  foreground_ = foreground & 7;
  background_ = background < 0 ? -1 : background & 7;
}

void TextGrid::MoveCursor(int column, int row) {
  column_ = std::clamp(column, 0, kColumns);
  row_ = ClampRow(row);
  PadTo(column_);
}

void TextGrid::PadTo(int column) {
  auto& cells = rows_[row_];
  const size_t wanted = std::min(column, kColumns);
  if (cells.size() >= wanted) return;
  cells.resize(wanted, TextCell{' ', static_cast<int8_t>(foreground_), -1});
  ++version_;
}

void TextGrid::Put(uint8_t byte, std::vector<RowSpan>& spans) {
  if (column_ >= kColumns) return;
  auto& cells = rows_[row_];
  PadTo(column_);
  const TextCell cell{byte, static_cast<int8_t>(foreground_), static_cast<int8_t>(background_)};
  if (static_cast<int>(cells.size()) == column_) {
    cells.push_back(cell);
  } else {
    cells[column_] = cell;
  }
  if (spans.empty() || spans.back().row != row_ || spans.back().last != column_) {
    spans.push_back({row_, column_, column_ + 1});
  } else {
    spans.back().last = column_ + 1;
  }
  ++column_;
}

std::vector<RowSpan> TextGrid::Print(std::string_view cp932) {
  std::vector<RowSpan> spans;
  for (size_t i = 0; i < cp932.size(); ++i) {
    const auto byte = static_cast<uint8_t>(cp932[i]);
    if (byte == '\t') {
      do {
        Put(' ', spans);
      } while (column_ % 8 != 0 && column_ < kColumns);
    } else if (byte == '\r' || byte == '\n') {
      if (byte == '\r' && i + 1 < cp932.size() && cp932[i + 1] == '\n') ++i;
      column_ = 0;
      row_ = ClampRow(row_ + 1);
    } else {
      Put(byte, spans);
    }
  }
  ++version_;
  return spans;
}

std::string TextGrid::RowBytes(int row) const {
  std::string bytes;
  for (const TextCell& cell : Row(row)) bytes += static_cast<char>(cell.byte);
  return bytes;
}

std::string TextGrid::RowText(int row) const {
  return FromCp932(RowBytes(row));
}

}  // namespace kerna::platform
