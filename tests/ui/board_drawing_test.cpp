// Drawing the discs: the whole board in three passes, and the animated update
// after a move with its frames, timing and sound, checked on the virtual clock
// and on the screen's pixels.
#include <gtest/gtest.h>

#include <vector>

#include "ui_fixture.hpp"

namespace kerna::ui_test {
namespace {

constexpr Rgb kEmptyColour{0, 100, 0};
constexpr Rgb kWhiteColour{250, 250, 250};
constexpr Rgb kBlackColour{5, 5, 5};
Rgb FrameColour(int frame) {
  return {static_cast<uint8_t>(40 * frame), 0, 200};
}

// Solid tiles, each of its own colour, so the screen tells which one is shown.
class BoardDrawingTest : public UiTest {
 protected:
  void SetUp() override {
    game->rules.SetUpWalls();
    UseTiles(47);
  }

  void UseTiles(int size) {
    TileSet& t = game->tiles;
    t.EmptySquarePicture = SolidPicture(size, size, kEmptyColour);
    t.WhiteDiscPicture = SolidPicture(size, size, kWhiteColour);
    t.BlackDiscPicture = SolidPicture(size, size, kBlackColour);
    for (int k = 1; k <= 5; ++k) t.FlipPictures[k] = SolidPicture(size, size, FrameColour(k));
  }

  Rgb CentreOf(int x, int y) { return io.GetPixel(SquareLeft(x) + 23, SquareTop(y) + 23); }

  void Put(Grid& grid, int x, int y, int16_t value) { grid[x][y] = value; }

  // Black plays (4, 4) and flips white discs at (3, 3), (4, 5) and (5, 5), one in
  // each of three columns; the white disc at (5, 3) stays.
  void PlayMoveFlippingThree() {
    BoardState& b = game->board;
    for (auto [x, y, v] : {std::tuple{2, 2, kBlack},
                           {3, 3, kWhite},
                           {4, 5, kWhite},
                           {4, 6, kBlack},
                           {5, 5, kWhite},
                           {6, 6, kBlack},
                           {5, 3, kWhite}}) {
      Put(b.Position, x, y, v);
    }
    game->boardDrawing.DrawWholeBoard();
    game->rules.SavePreviousPosition();
    game->rules.CopyPositionToLayers();
    b.Layer = 0;
    b.SideToMove = kBlack;
    b.SquareX = 4;
    b.SquareY = 4;
    game->rules.MakeMove();
    game->rules.CopyLayerToPosition();
  }
};

struct Snapshot {
  int64_t at_ms;
  std::vector<Rgb> centres;  // of the watched squares
};

TEST_F(BoardDrawingTest, ThreeFlipsPlayTheSoundThriceAndShowFifteenFramesInColumnOrder) {
  game->settings.SoundEffects = 1;
  PlayMoveFlippingThree();
  const std::vector<std::pair<int, int>> flipped = {{3, 3}, {4, 5}, {5, 5}};
  std::vector<Snapshot> shots;
  io.on_sleep = [&] {
    Snapshot shot{io.Clock(), {}};
    for (auto [x, y] : flipped) shot.centres.push_back(CentreOf(x, y));
    shot.centres.push_back(CentreOf(4, 4));
    shots.push_back(shot);
  };
  const int64_t start = io.Clock();
  game->boardDrawing.AnimateChanges();

  ASSERT_EQ(shots.size(), 15u);
  for (int i = 0; i < 15; ++i) {
    SCOPED_TRACE(i);
    const Snapshot& shot = shots[i];
    EXPECT_EQ(shot.at_ms, start + 30 * i);
    EXPECT_EQ(shot.centres[3], kBlackColour);  // the placed disc is there from the start
    const int turning = i / 5;
    for (int k = 0; k < 3; ++k) {
      const Rgb want = k < turning   ? kBlackColour
                       : k > turning ? kWhiteColour
                                     : FrameColour(i % 5 + 1);
      EXPECT_EQ(shot.centres[k], want) << "square " << k;
    }
  }
  EXPECT_EQ(io.Clock(), start + 450);
  ASSERT_EQ(io.waves().size(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(io.waves()[k].at_ms, start + 150 * k);
    EXPECT_EQ(io.waves()[k].path, "sound\\oku2.wav");
  }
  for (auto [x, y] : flipped) EXPECT_EQ(CentreOf(x, y), kBlackColour);
  EXPECT_EQ(CentreOf(5, 3), kWhiteColour);
}

TEST_F(BoardDrawingTest, BlackTurningWhiteRunsTheFramesBackwardsAndSoundOffIsSilent) {
  game->settings.SoundEffects = 0;
  Put(game->board.PreviousPosition, 2, 7, kBlack);
  Put(game->board.Position, 2, 7, kWhite);
  std::vector<Rgb> seen;
  io.on_sleep = [&] { seen.push_back(CentreOf(2, 7)); };
  game->boardDrawing.AnimateChanges();
  EXPECT_EQ(seen, (std::vector<Rgb>{FrameColour(5), FrameColour(4), FrameColour(3), FrameColour(2),
                                    FrameColour(1)}));
  EXPECT_EQ(CentreOf(2, 7), kWhiteColour);
  EXPECT_TRUE(io.waves().empty());
  EXPECT_EQ(io.Clock(), 150);
}

TEST_F(BoardDrawingTest, SoundSettingOtherThanOneIsSilent) {
  game->settings.SoundEffects = 2;
  Put(game->board.PreviousPosition, 2, 7, kWhite);
  Put(game->board.Position, 2, 7, kBlack);
  game->boardDrawing.AnimateChanges();
  EXPECT_TRUE(io.waves().empty());
  EXPECT_EQ(io.sleep_calls(), 5);
}

TEST_F(BoardDrawingTest, PlacedDiscsAndEmptiedSquaresAreDrawnAtOnceWithoutSound) {
  game->settings.SoundEffects = 1;
  BoardState& b = game->board;
  Put(b.Position, 1, 1, kWhite);                               // placed
  Put(b.Position, 8, 8, kBlack);                               // placed
  Put(b.PreviousPosition, 6, 2, kBlack);                       // taken off
  io.Line(0, 0, 639, 439, 2, platform::LineKind::kFilledBox);  // red everywhere
  game->boardDrawing.AnimateChanges();
  EXPECT_EQ(io.sleep_calls(), 0);
  EXPECT_TRUE(io.waves().empty());
  EXPECT_EQ(CentreOf(1, 1), kWhiteColour);
  EXPECT_EQ(CentreOf(8, 8), kBlackColour);
  EXPECT_EQ(CentreOf(6, 2), kEmptyColour);
  EXPECT_EQ(CentreOf(3, 6), kEmptyColour);  // every empty square is redrawn
  // Only the squares' inner 47 x 47 pixels are drawn; the grid lines stay.
  EXPECT_EQ(io.GetPixel(SquareLeft(3) - 1, SquareTop(6)), (Rgb{255, 0, 0}));
  EXPECT_EQ(io.GetPixel(SquareLeft(3) + 47, SquareTop(6)), (Rgb{255, 0, 0}));
  EXPECT_EQ(io.GetPixel(SquareLeft(3) + 46, SquareTop(6) + 46), kEmptyColour);
}

// A take-back copies PreviousPosition into Position and redraws the board whole:
// every square shows its value at once, with no sleeping and no sound.
TEST_F(BoardDrawingTest, TakeBackIsDrawnWholeWithoutAnimation) {
  game->settings.SoundEffects = 1;
  PlayMoveFlippingThree();
  game->boardDrawing.AnimateChanges();
  const int64_t sleeps = io.sleep_calls();
  const size_t waves = io.waves().size();
  game->board.Position = game->board.PreviousPosition;
  game->boardDrawing.DrawWholeBoard();
  EXPECT_EQ(io.sleep_calls(), sleeps);
  EXPECT_EQ(io.waves().size(), waves);
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int16_t v = game->board.Position[x][y];
      EXPECT_EQ(CentreOf(x, y), v == kWhite   ? kWhiteColour
                                : v == kBlack ? kBlackColour
                                              : kEmptyColour)
          << x << "," << y;
    }
  }
}

// With tiles one pixel larger than a square's inside, each tile covers the first
// column and row of its right and lower neighbours, so the screen shows the
// order: empties first, whites next, blacks last.
TEST_F(BoardDrawingTest, WholeBoardDrawsEmptiesThenWhitesThenBlacks) {
  UseTiles(49);
  Grid& p = game->board.Position;
  Put(p, 1, 1, kBlack);  // covers (2, 1)'s first column although (2, 1) is white
  Put(p, 2, 1, kWhite);
  Put(p, 3, 1, kWhite);  // covers (4, 1), an empty square drawn before it
  Put(p, 6, 2, kWhite);  // covers (7, 2), an empty square
  game->boardDrawing.DrawWholeBoard();
  EXPECT_EQ(io.GetPixel(SquareLeft(2), SquareTop(1) + 10), kBlackColour);
  EXPECT_EQ(io.GetPixel(SquareLeft(4), SquareTop(1) + 10), kWhiteColour);
  EXPECT_EQ(io.GetPixel(SquareLeft(4) + 1, SquareTop(1) + 10), kEmptyColour);
  EXPECT_EQ(io.GetPixel(SquareLeft(7), SquareTop(2) + 10), kWhiteColour);
  // An empty square's tile never lies over a disc.
  Put(p, 1, 1, kEmpty);
  Put(p, 2, 1, kBlack);
  game->boardDrawing.DrawWholeBoard();
  EXPECT_EQ(io.GetPixel(SquareLeft(2), SquareTop(1) + 10), kBlackColour);
  EXPECT_EQ(io.sleep_calls(), 0);
}

}  // namespace
}  // namespace kerna::ui_test
