// The screen around the board, drawn from the shipped pictures: the title
// screen's frame pieces, title and panel tiles at their places, the panel's
// blue, the rows the panel redraw clears, the message frame and the faces.
#include <gtest/gtest.h>

#include "ui_fixture.hpp"

namespace kerna::ui_test {
namespace {

constexpr Rgb kRed{255, 0, 0};

class ScreenDrawingTest : public UiTest {
 protected:
  void SetUp() override { UseShippedAssets(); }
  Picture Load(const std::string& name) { return io.LoadPicture("bmp\\" + name); }
};

// Every pixel of the frame that the title screen leaves visible, checked
// against the piece that should lie on top there.
TEST_F(ScreenDrawingTest, TitleScreenFramePiecesLieAtTheirPlaces) {
  const Picture across = Load("waku-yoko.bmp");
  const Picture down = Load("waku-tate.bmp");
  ASSERT_EQ(across.width, 48);
  ASSERT_EQ(across.height, 22);
  ASSERT_EQ(down.width, 22);
  ASSERT_EQ(down.height, 48);
  game->screen.DrawTitleScreen();

  // Top and bottom edges between the side pieces: the pieces for X = 1..8 from
  // x 22, 48 apart, with the corner pieces at x 0 and 380 over their ends.
  for (int y : {0, 408}) {
    SCOPED_TRACE(y);
    for (int x = 22; x < 408; ++x) {
      const int px = x < 48 ? x : x >= 380 ? x - 380 : (x - 22) % 48;
      ASSERT_EQ(ScreenDiffers(io, x, y, 1, 22, across, px, 0), 0) << "x " << x;
    }
  }
  // Left and right edges over the full height: the pieces for Y = 1..8 from y
  // 22, with the corner pieces at y 0 and 380 over their ends. The right pieces'
  // last column, x 429, lies under the panel.
  for (int x : {0, 408}) {
    SCOPED_TRACE(x);
    for (int y = 0; y < 428; ++y) {
      const int py = y < 48 ? y : y >= 380 ? y - 380 : (y - 22) % 48;
      ASSERT_EQ(ScreenDiffers(io, x, y, x == 0 ? 22 : 21, 1, down, 0, py), 0) << "y " << y;
    }
  }
  // Below the side pieces' ends the bottom-left corner piece shows.
  EXPECT_EQ(ScreenDiffers(io, 0, 428, 22, 2, across, 0, 20), 0);
}

TEST_F(ScreenDrawingTest, TitleScreenSetsTheMessageRowAndDrawsTitleAndPanelTiles) {
  game->layout.MessageRow = 3;
  game->screenState.PanelBackgroundColour = 0;
  io.SetTextColour(0, 6);
  game->screen.DrawTitleScreen();
  EXPECT_EQ(game->layout.MessageRow, 20);
  EXPECT_EQ(game->screenState.PanelBackgroundColour, 1);
  const Picture title = Load("title.bmp");
  ASSERT_EQ(title.width, 211);
  EXPECT_EQ(ScreenDiffers(io, 429, 0, 211, 72, title), 0);
  const Picture tile = Load("haikei01.bmp");
  ASSERT_EQ(tile.height, 16);
  for (int y = 72; y < 440; y += 16) {
    ASSERT_EQ(ScreenDiffers(io, 429, y, 211, std::min(16, 440 - y), tile), 0) << "y " << y;
  }
  // Later texts are white on no background.
  EXPECT_EQ(io.text().foreground(), 7);
  EXPECT_EQ(io.text().background(), -1);
}

TEST_F(UiTest, TitleScreenPanelIsBlueUnderItsPictures) {
  ScratchFolder empty;  // no pictures at all: only the filled box shows
  io.SetDataFolder(empty.path().string());
  game->screen.DrawTitleScreen();
  for (int y : {0, 200, 439}) {
    for (int x : {429, 500, 639}) EXPECT_EQ(io.GetPixel(x, y), kPureBlue) << x << "," << y;
    EXPECT_EQ(io.GetPixel(428, y), kPureBlack);
  }
}

TEST_F(ScreenDrawingTest, PanelRowsRedrawCoversSpeechRowsAndRowsAboveTheMessages) {
  game->layout.MessageRow = 20;
  io.Line(429, 0, 639, 439, 2, platform::LineKind::kFilledBox);
  game->screen.RedrawPanelRows();
  const Picture tile = Load("haikei01.bmp");
  for (int y : {96, 112, 128, 272, 288}) EXPECT_EQ(ScreenDiffers(io, 429, y, 211, 16, tile), 0);
  EXPECT_EQ(ScreenDiffers(io, 429, 304, 211, 4, tile), 0);  // down to the message frame
  for (int y : {95, 144, 271, 308}) EXPECT_EQ(io.GetPixel(500, y), kRed) << y;
}

TEST_F(ScreenDrawingTest, MessageFrameAndFaceAtTheirPlaces) {
  game->layout.MessageRow = 20;
  game->screen.DrawMessageFrame();
  const Picture frame = Load("msg.bmp");
  ASSERT_FALSE(frame.empty());
  EXPECT_EQ(ScreenDiffers(io, 438, 308, frame.width, std::min(frame.height, 440 - 308), frame), 0);

  game->ai.Level = 0;
  game->hostessState.FaceNumber = 4;
  game->screen.DrawFace();
  const Picture face = Load("face04.bmp");
  ASSERT_EQ(face.width, 112);
  EXPECT_EQ(ScreenDiffers(io, 478, 149, 112, 120, face), 0);
  EXPECT_EQ(FacePictureFile(0, 4), "bmp\\face04.bmp");
  EXPECT_EQ(FacePictureFile(3, 2), "bmp\\face32.bmp");
}

// The pictures drawn again and again are read from disk once.
TEST_F(UiTest, RepeatedPicturesAreLoadedOnce) {
  ScratchFolder folder;
  io.SetDataFolder(folder.path().string());
  WriteBmp(folder.bmp("msg.bmp"), 4, 4, kRed);
  game->screen.DrawMessageFrame();
  std::filesystem::remove(folder.bmp("msg.bmp"));
  io.Clear();
  game->screen.DrawMessageFrame();
  EXPECT_EQ(io.GetPixel(438, 308), kRed);
}

}  // namespace
}  // namespace kerna::ui_test
