// Preparation of the square tiles in the board colour: which board picture is
// used, the base colours taken from it, the light colour's cap, and the
// composition of the discs (black see-through, pure blue shadow).
#include <gtest/gtest.h>

#include "ui_fixture.hpp"

namespace kerna::ui_test {
namespace {

constexpr Rgb kBase{100, 151, 60};
constexpr Rgb kEdge{10, 20, 30};  // pixel (0, 0) of the test swatch
constexpr Rgb kDiscBody{200, 201, 202};

// A swatch whose pixel (0, 0) is kEdge and everything else `base`: the plain
// tiles must take (0, 0), the composed ones (1, 1).
void WriteSwatch(const ScratchFolder& folder, const std::string& name, Rgb edge, Rgb base) {
  WriteBmp(folder.bmp(name), 18, 18, [=](int x, int y) { return x == 0 && y == 0 ? edge : base; });
}

// A 47 x 47 disc: left third see-through black, a blue shadow band, then body
// colour; `mark` tells the pictures apart.
void WriteDisc(const ScratchFolder& folder, const std::string& name, uint8_t mark) {
  WriteBmp(folder.bmp(name), 47, 47, [=](int x, int) {
    if (x < 15) return kPureBlack;
    if (x < 20) return kPureBlue;
    return Rgb{kDiscBody.r, kDiscBody.g, mark};
  });
}

class DiscPicturesTest : public UiTest {
 protected:
  ScratchFolder folder;

  void SetUp() override {
    io.SetDataFolder(folder.path().string());
    const char* discs[] = {"siro.bmp", "han1.bmp", "han2.bmp", "han3.bmp",
                           "han4.bmp", "han5.bmp", "kuro.bmp"};
    for (int k = 0; k < 7; ++k) WriteDisc(folder, discs[k], static_cast<uint8_t>(10 + k));
    game->tiles.PicturePositionX = 215;
    game->tiles.PicturePositionY = 167;
  }
};

TEST_F(DiscPicturesTest, ShadowIsHalfTheBaseAndBlackBecomesTheBase) {
  WriteSwatch(folder, "01-zero.bmp", kEdge, kBase);
  game->discPictures.PrepareDiscPictures();
  const TileSet& t = game->tiles;
  const Picture* composed[] = {&t.WhiteDiscPicture, &t.FlipPictures[1], &t.FlipPictures[2],
                               &t.FlipPictures[3],  &t.FlipPictures[4], &t.FlipPictures[5],
                               &t.BlackDiscPicture};
  for (int k = 0; k < 7; ++k) {
    SCOPED_TRACE(k);
    const Picture& tile = *composed[k];
    ASSERT_EQ(tile.width, 47);
    ASSERT_EQ(tile.height, 47);
    EXPECT_EQ(tile.Pixel(0, 0), kBase);
    EXPECT_EQ(tile.Pixel(14, 46), kBase);
    EXPECT_EQ(tile.Pixel(15, 0), (Rgb{50, 75, 30}));
    EXPECT_EQ(tile.Pixel(19, 46), (Rgb{50, 75, 30}));
    // Other colours are kept, and each tile comes from its own picture.
    EXPECT_EQ(tile.Pixel(46, 46), (Rgb{kDiscBody.r, kDiscBody.g, static_cast<uint8_t>(10 + k)}));
  }
}

TEST_F(DiscPicturesTest, PlainTilesTakeTheTopLeftPixelAndLightAddsForty) {
  WriteSwatch(folder, "01-zero.bmp", kEdge, kBase);
  game->discPictures.PrepareDiscPictures();
  const TileSet& t = game->tiles;
  ASSERT_EQ(t.EmptySquarePicture.width, 47);
  ASSERT_EQ(t.LightSquarePicture.height, 47);
  for (const Rgb& p : t.EmptySquarePicture.pixels) ASSERT_EQ(p, kEdge);
  for (const Rgb& p : t.LightSquarePicture.pixels) ASSERT_EQ(p, (Rgb{50, 60, 70}));
  EXPECT_EQ(t.BoardPicture.width, 18);
}

TEST_F(DiscPicturesTest, LightColourStopsAt255) {
  EXPECT_EQ(LightColour({215, 216, 255}), (Rgb{255, 255, 255}));
  EXPECT_EQ(LightColour({0, 214, 100}), (Rgb{40, 254, 140}));
  EXPECT_EQ(ShadowColour({255, 1, 0}), (Rgb{127, 0, 0}));

  WriteSwatch(folder, "01-zero.bmp", Rgb{230, 100, 216}, kBase);
  game->discPictures.PrepareDiscPictures();
  EXPECT_EQ(game->tiles.LightSquarePicture.Pixel(20, 20), (Rgb{255, 140, 255}));
}

TEST_F(DiscPicturesTest, BoardColourChoosesTheSwatchAndOutOfRangeUsesTheFirst) {
  const Rgb colours[] = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}};
  for (int k = 0; k < 5; ++k) {
    WriteSwatch(folder, "0" + std::to_string(k + 1) + "-zero.bmp", colours[k], colours[k]);
  }
  for (int setting : {0, 1, 2, 3, 4, 5, -1, 300}) {
    SCOPED_TRACE(setting);
    game->settings.BoardColour = static_cast<int16_t>(setting);
    game->discPictures.PrepareDiscPictures();
    const Rgb want = setting >= 0 && setting <= 4 ? colours[setting] : colours[0];
    EXPECT_EQ(game->tiles.EmptySquarePicture.Pixel(3, 3), want);
    EXPECT_EQ(game->tiles.BlackDiscPicture.Pixel(3, 3), want);
  }
  EXPECT_EQ(BoardPictureFile(4), "bmp\\05-zero.bmp");
  EXPECT_EQ(BoardPictureFile(5), "bmp\\01-zero.bmp");
}

TEST_F(DiscPicturesTest, ASmallerSourceReadsAsSeeThroughBeyondItsEdge) {
  WriteSwatch(folder, "01-zero.bmp", kEdge, kBase);
  WriteBmp(folder.bmp("siro.bmp"), 10, 10, kDiscBody);
  game->discPictures.PrepareDiscPictures();
  const Picture& white = game->tiles.WhiteDiscPicture;
  ASSERT_EQ(white.width, 47);
  EXPECT_EQ(white.Pixel(9, 9), kDiscBody);
  EXPECT_EQ(white.Pixel(10, 9), kBase);
  EXPECT_EQ(white.Pixel(46, 46), kBase);
}

TEST_F(DiscPicturesTest, MissingPicturesGiveEmptyTilesThatDrawNothing) {
  std::filesystem::remove(folder.bmp("kuro.bmp"));
  game->discPictures.PrepareDiscPictures();
  EXPECT_TRUE(game->tiles.BlackDiscPicture.empty());
  EXPECT_TRUE(game->tiles.EmptySquarePicture.empty());
}

// The shipped discs keep no see-through black or shadow blue after composing,
// on every board colour, and every tile has the size of kuro.bmp.
TEST_F(UiTest, ShippedDiscsComposeCleanlyOnEveryBoardColour) {
  UseShippedAssets();
  game->tiles.PicturePositionX = 215;
  game->tiles.PicturePositionY = 167;
  for (int colour = 0; colour < 5; ++colour) {
    SCOPED_TRACE(colour);
    game->settings.BoardColour = static_cast<int16_t>(colour);
    game->discPictures.PrepareDiscPictures();
    const TileSet& t = game->tiles;
    const Rgb base = t.BoardPicture.Pixel(1, 1);
    const Picture* tiles[] = {&t.WhiteDiscPicture, &t.FlipPictures[1], &t.FlipPictures[2],
                              &t.FlipPictures[3],  &t.FlipPictures[4], &t.FlipPictures[5],
                              &t.BlackDiscPicture};
    for (const Picture* tile : tiles) {
      ASSERT_EQ(tile->width, 47);
      ASSERT_EQ(tile->height, 47);
      EXPECT_EQ(tile->Pixel(0, 0), base);
      for (const Rgb& p : tile->pixels) {
        ASSERT_NE(p, kPureBlack);
        ASSERT_NE(p, kPureBlue);
      }
    }
    auto brightness = [](Rgb c) { return c.r + c.g + c.b; };
    EXPECT_GT(brightness(t.WhiteDiscPicture.Pixel(23, 23)), 600);
    EXPECT_LT(brightness(t.BlackDiscPicture.Pixel(23, 23)), 200);
  }
}

}  // namespace
}  // namespace kerna::ui_test

namespace kerna::ui_test {
namespace {

// A new board colour from the settings screen: the tiles and the board are
// redrawn in the new colour, and the frame around the board stays whole (the
// 18 x 18 board picture is not painted over its top left corner).
TEST_F(UiTest, NewBoardColourRedrawsTheBoardAndLeavesTheFrameWhole) {
  UseShippedAssets();
  game->rules.SetUpWalls();
  game->board.Position[4][4] = game->board.Position[5][5] = kWhite;
  game->board.Position[4][5] = game->board.Position[5][4] = kBlack;
  io.Line(0, 0, 429, 439, 0, platform::LineKind::kFilledBox);
  game->screen.DrawTitleScreen();
  game->tiles.PicturePositionX = 215;
  game->tiles.PicturePositionY = 167;
  game->discPictures.PrepareDiscPictures();
  game->boardDrawing.DrawWholeBoard();
  const std::vector<Rgb> before = io.surface().pixels();

  game->settings.BoardColour = 2;
  game->discPictures.ApplyNewBoardColour();
  const Rgb new_base = io.LoadPicture("bmp\\03-zero.bmp").Pixel(0, 0);
  EXPECT_EQ(game->tiles.PicturePositionX, 215);
  EXPECT_EQ(game->tiles.PicturePositionY, 167);
  EXPECT_EQ(io.GetPixel(SquareLeft(1) + 5, SquareTop(1) + 5), new_base);
  EXPECT_EQ(io.GetPixel(SquareLeft(5) + 46, SquareTop(4) + 46),
            new_base);  // where the tiles are made
  EXPECT_EQ(io.GetPixel(SquareLeft(5) + 23, SquareTop(4) + 23),
            game->tiles.BlackDiscPicture.Pixel(23, 23));
  // Everything outside the squares' insides is as before: frame, grid and panel.
  int changed_outside = 0;
  for (int y = 0; y < platform::kSurfaceHeight; ++y) {
    for (int x = 0; x < platform::kSurfaceWidth; ++x) {
      const bool inside_a_square = x >= 23 && x < 22 + 8 * 48 && y >= 23 && y < 22 + 8 * 48 &&
                                   (x - 22) % 48 != 0 && (y - 22) % 48 != 0;
      if (!inside_a_square && io.GetPixel(x, y) != before[y * platform::kSurfaceWidth + x]) {
        ++changed_outside;
      }
    }
  }
  EXPECT_EQ(changed_outside, 0);
}

}  // namespace
}  // namespace kerna::ui_test

namespace kerna::ui_test {
namespace {

TEST_F(UiTest, ProgramStartLeavesTheTilesPreparedAtTheirPosition) {
  UseShippedAssets();
  game->starter.ProgramStart();
  const TileSet& t = game->tiles;
  EXPECT_EQ(t.BlackDiscPicture.width, 47);
  EXPECT_EQ(t.FlipPictures[3].height, 47);
  EXPECT_EQ(t.EmptySquarePicture.Pixel(0, 0), t.BoardPicture.Pixel(0, 0));
  EXPECT_FALSE(t.BoardPicture.empty());
}

}  // namespace
}  // namespace kerna::ui_test
