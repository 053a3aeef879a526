// The text grid: rows 0..100 of up to 255 half-width cells, each cell holding one
// CP932 byte with its own text and background colour (a full-width character
// takes two cells: lead byte, then trail byte). The grid only stores text; the
// platform renders the cells a print touched onto the surface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kerna::platform {

struct TextCell {
  uint8_t byte = ' ';
  int8_t foreground = 7;   // palette 0..7
  int8_t background = -1;  // palette 0..7, or -1: the drawing behind shows through
};

// Cells [first, last) of one row that a print changed.
struct RowSpan {
  int row = 0;
  int first = 0;
  int last = 0;
};

class TextGrid {
 public:
  static constexpr int kRows = 101;
  static constexpr int kColumns = 255;
  static constexpr int kCellWidth = 8;
  static constexpr int kCellHeight = 16;

  TextGrid() : rows_(kRows) {}

  // Foreground 0..7; a negative background prints without a background.
  void SetColour(int foreground, int background);
  int foreground() const { return foreground_; }
  int background() const { return background_; }

  // A negative column or row becomes 0, a row above 100 becomes 100, a column
  // above 255 becomes 255 (then printing stores nothing more on that row). A
  // row shorter than the column is padded with see-through blanks.
  void MoveCursor(int column, int row);
  int column() const { return column_; }
  int row() const { return row_; }

  // Stores the bytes at the cursor with the current colours and advances it. TAB
  // fills blanks up to the next multiple of 8; CR LF (or a lone CR or LF) moves to
  // column 0 of the next row (row 100 stays at 100). Returns the changed cells.
  std::vector<RowSpan> Print(std::string_view cp932);

  const std::vector<TextCell>& Row(int row) const { return rows_[ClampRow(row)]; }
  // The row's bytes (CP932) and its text as UTF-8.
  std::string RowBytes(int row) const;
  std::string RowText(int row) const;
  // Counts every change; lets readers cache what they derive from the text.
  uint64_t version() const { return version_; }

 private:
  static int ClampRow(int row) { return row < 0 ? 0 : row >= kRows ? kRows - 1 : row; }
  void PadTo(int column);
  void Put(uint8_t byte, std::vector<RowSpan>& spans);

  std::vector<std::vector<TextCell>> rows_;
  int column_ = 0;
  int row_ = 0;
  int foreground_ = 7;
  int background_ = -1;
  uint64_t version_ = 0;
};

}  // namespace kerna::platform
