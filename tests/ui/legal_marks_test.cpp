// The count that marks the human's legal squares on the screen: the marker
// (or the plain square) at each legal square's inner corner, and the selection
// box's start on the latest move.
#include "board/board_fixture.hpp"

namespace kerna::test {
namespace {

constexpr platform::Rgb kMarker{120, 200, 120};
constexpr platform::Rgb kPlain{40, 120, 40};

class LegalMarks : public BoardTest {
 protected:
  LegalMarks() {
    game->tiles.LightSquarePicture = Tile(kMarker);
    game->tiles.EmptySquarePicture = Tile(kPlain);
    Lay(kStart);
    Aim(0, 0, kBlack, 0);
  }

  static platform::Picture Tile(platform::Rgb colour) {
    platform::Picture tile;
    tile.width = tile.height = 46;
    tile.pixels.assign(46 * 46, colour);
    return tile;
  }

  // The pixel at the inner corner of square (x, y), and just outside it.
  platform::Rgb Corner(int x, int y) {
    return io.GetPixel(22 + 48 * (x - 1) + 1, 22 + 48 * (y - 1) + 1);
  }
  platform::Rgb Outside(int x, int y) { return io.GetPixel(22 + 48 * (x - 1), 22 + 48 * (y - 1)); }
};

TEST_F(LegalMarks, MarksEveryLegalSquareWhenTheSettingIsOn) {
  game->settings.ShowMovePosition = 1;
  game->boardDrawing.CountLegalMovesAndMark();
  EXPECT_EQ(b().LegalMoveCount, 4);
  EXPECT_EQ(b().MovesPlayed, 0);
  for (auto [x, y] : {std::pair{4, 3}, {3, 4}, {6, 5}, {5, 6}}) {
    EXPECT_EQ(Corner(x, y), kMarker) << x << "," << y;
    EXPECT_EQ(Outside(x, y), platform::Rgb{}) << x << "," << y;
  }
  EXPECT_EQ(Corner(5, 3), platform::Rgb{});  // not legal: untouched
  EXPECT_EQ(b().CursorX, 6);                 // no move yet: the last legal square, f5
  EXPECT_EQ(b().CursorY, 5);
  EXPECT_EQ(b().LastLegalX, 6);
}

TEST_F(LegalMarks, DrawsThePlainSquareWhenTheSettingIsOff) {
  game->settings.ShowMovePosition = 0;
  game->boardDrawing.CountLegalMovesAndMark();
  EXPECT_EQ(Corner(4, 3), kPlain);
  EXPECT_EQ(Corner(5, 6), kPlain);
}

TEST_F(LegalMarks, TheSelectionStartsOnTheLatestMove) {
  b().LastMoveX = 2;
  b().LastMoveY = 7;
  game->boardDrawing.CountLegalMovesAndMark();
  EXPECT_EQ(b().LastLegalX, 2);
  EXPECT_EQ(b().LastLegalY, 7);
  EXPECT_EQ(b().CursorX, 2);
  EXPECT_EQ(b().CursorY, 7);

  // With no legal square the latest move still moves it; off the board it does not.
  Lay({"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
       "XXXXXXX."});
  b().LastMoveX = 8;
  b().LastMoveY = 7;
  Aim(0, 0, kWhite, 0);
  game->boardDrawing.CountLegalMovesAndMark();
  EXPECT_EQ(b().LegalMoveCount, 0);
  EXPECT_EQ(b().LastLegalX, 8);
  EXPECT_EQ(b().CursorY, 7);
  b().LastMoveX = 0;
  game->boardDrawing.CountLegalMovesAndMark();
  EXPECT_EQ(b().LastLegalX, 8);
  EXPECT_EQ(b().LastLegalY, 7);
}

}  // namespace
}  // namespace kerna::test
