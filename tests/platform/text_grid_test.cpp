// The text grid: cursor rules, TAB and line breaks, colours, and how printed
// text lands on the surface.
#include <gtest/gtest.h>

#include "platform/headless_backend.hpp"

namespace kerna::platform {
namespace {

using kerna::operator""_sjis;

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};

TEST(TextGrid, TabFillsToTheNextMultipleOfEight) {
  TextGrid grid;
  grid.Print("ab\tc");
  EXPECT_EQ(grid.RowBytes(0), "ab      c");
  grid.MoveCursor(8, 1);
  grid.Print("\tx");  // already on a multiple of 8: a whole tab further
  EXPECT_EQ(grid.column(), 17);
}

TEST(TextGrid, LineBreaksGoToColumnZeroOfTheNextRow) {
  TextGrid grid;
  grid.MoveCursor(5, 3);
  grid.Print("one\r\ntwo\nthree");
  EXPECT_EQ(grid.RowText(3), "     one");
  EXPECT_EQ(grid.RowText(4), "two");
  EXPECT_EQ(grid.RowText(5), "three");
  grid.MoveCursor(0, 100);
  grid.Print("last\r\nmore");  // the last row stays the last
  EXPECT_EQ(grid.row(), 100);
  EXPECT_EQ(grid.RowText(100), "more");
}

TEST(TextGrid, CursorIsClampedAndShortRowsArePadded) {
  TextGrid grid;
  grid.MoveCursor(-4, -9);
  EXPECT_EQ(grid.column(), 0);
  EXPECT_EQ(grid.row(), 0);
  grid.MoveCursor(3, 250);
  EXPECT_EQ(grid.row(), 100);
  EXPECT_EQ(grid.RowText(100), "   ");
  // Padding blanks are see-through, so they never paint over the drawing.
  EXPECT_EQ(grid.Row(100)[1].background, -1);
  // Past the last cell nothing more is stored.
  grid.MoveCursor(253, 7);
  grid.Print("xyz");
  EXPECT_EQ(grid.Row(7).size(), 255u);
  EXPECT_EQ(grid.RowBytes(7).substr(253), "xy");
}

TEST(TextGrid, EachCellKeepsItsOwnColours) {
  TextGrid grid;
  grid.SetColour(2, 7);
  grid.Print("a");
  grid.SetColour(7, -1);
  grid.Print("b");
  grid.SetColour(0, 1);
  grid.MoveCursor(0, 0);
  grid.Print("c");
  const auto& row = grid.Row(0);
  EXPECT_EQ(row[0].byte, 'c');
  EXPECT_EQ(row[0].foreground, 0);
  EXPECT_EQ(row[0].background, 1);
  EXPECT_EQ(row[1].foreground, 7);
  EXPECT_EQ(row[1].background, -1);
}

TEST(TextGrid, FullWidthCharacterTakesTwoCells) {
  TextGrid grid;
  grid.MoveCursor(56, 20);
  grid.Print("評価値 -12"_sjis);
  EXPECT_EQ(grid.column(), 66);
  EXPECT_EQ(grid.RowBytes(20).substr(56), std::string("評価値 -12"_sjis));
  EXPECT_EQ(grid.Row(20)[63].byte, '-');
}

// Whether any pixel in the 8 x 16 cell has the colour.
bool CellHas(const Platform& io, int column, int row, Rgb colour) {
  for (int y = 16 * row; y < 16 * row + 16; ++y) {
    for (int x = 8 * column; x < 8 * column + 8; ++x) {
      if (io.GetPixel(x, y) == colour) return true;
    }
  }
  return false;
}

int CountInBox(const Platform& io, int left, int top, int right, int bottom, Rgb colour) {
  int count = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) count += io.GetPixel(x, y) == colour;
  }
  return count;
}

class PrintedText : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(io.HasFont()) << "IPAGothic missing: install fonts-ipafont-gothic";
  }
  HeadlessPlatform io;
};

TEST_F(PrintedText, ValueLineLandsInItsCells) {
  io.MoveCursor(56, 20);
  io.SetTextColour(0, 7);
  io.Print("評価値 -12"_sjis);
  // 評 covers cells 56-57: ink at x 448..463 on row 20 (y 320..335).
  EXPECT_GT(CountInBox(io, 448, 320, 463, 335, Rgb{}), 20);
  // "-" is in cell 63: a short horizontal stroke near x = 504..511.
  const int dash = CountInBox(io, 504, 320, 511, 335, Rgb{});
  EXPECT_GE(dash, 3);
  EXPECT_LE(dash, 12);
  // The background is white over the whole text, nothing above or below it.
  EXPECT_EQ(io.GetPixel(503, 320), kWhite);
  EXPECT_EQ(io.GetPixel(503, 319), Rgb{});
  EXPECT_EQ(io.GetPixel(503, 336), Rgb{});
  EXPECT_EQ(io.GetPixel(528, 327), Rgb{});  // past the text (cell 66)
}

TEST_F(PrintedText, SeeThroughBackgroundKeepsTheDrawingBehind) {
  io.Line(0, 0, 639, 439, 1, LineKind::kFilledBox);
  io.SetTextColour(7, -1);
  io.MoveCursor(2, 1);
  io.Print("W");
  EXPECT_TRUE(CellHas(io, 2, 1, kWhite));
  EXPECT_TRUE(CellHas(io, 2, 1, kBlue));  // between the strokes
  EXPECT_EQ(CountInBox(io, 16, 16, 23, 31, Rgb{}), 0);
  // Printing the same text again changes nothing (glyphs are crisp).
  const int white = CountInBox(io, 16, 16, 23, 31, kWhite);
  io.MoveCursor(2, 1);
  io.Print("W");
  EXPECT_EQ(CountInBox(io, 16, 16, 23, 31, kWhite), white);
}

TEST_F(PrintedText, OnlyTheCellsPrintedAreRedrawn) {
  io.SetTextColour(7, 2);
  io.MoveCursor(0, 3);
  io.Print("ab");
  io.Line(0, 48, 15, 63, 4, LineKind::kFilledBox);  // a picture over the text
  io.MoveCursor(4, 3);
  io.Print("c");
  EXPECT_FALSE(CellHas(io, 0, 3, kRed));
  EXPECT_TRUE(CellHas(io, 4, 3, kRed));
  // A TAB paints its blanks' background.
  io.MoveCursor(8, 5);
  io.Print("\t");
  EXPECT_EQ(CountInBox(io, 64, 80, 127, 95, kRed), 64 * 16);
  EXPECT_FALSE(CellHas(io, 16, 5, kRed));
}

TEST_F(PrintedText, GlyphsStayInsideTheirRow) {
  io.SetTextColour(7, -1);
  io.MoveCursor(0, 1);
  io.Print("|gjy_"_sjis);
  EXPECT_EQ(CountInBox(io, 0, 0, 639, 15, kWhite), 0);
  EXPECT_EQ(CountInBox(io, 0, 32, 639, 47, kWhite), 0);
  EXPECT_GT(CountInBox(io, 0, 16, 39, 31, kWhite), 10);
}

}  // namespace
}  // namespace kerna::platform
