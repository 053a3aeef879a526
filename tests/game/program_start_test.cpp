// Program start: the screen it leaves, the geometry and board tables, the
// button table built from the shipped pictures, and the game thread's entry.
#include "game/run_game.hpp"
#include "game_fixture.hpp"

namespace kerna::test {
namespace {

class ProgramStart : public GameTest {
 protected:
  void Start() {
    io.SetDataFolder(KERNA_ASSETS_DIR);
    game->starter.ProgramStart();
  }
  const ButtonEntry& Button(int g, int i) { return game->buttonState.Button(g, i); }
};

TEST_F(ProgramStart, LeavesThePanelBlueAndTheBoardAreaBlack) {
  Start();
  for (int y : {0, 200, 439}) {
    EXPECT_EQ(io.GetPixel(0, y), kBlackPixel);
    EXPECT_EQ(io.GetPixel(429, y), kBlackPixel);  // the black box includes x = 429
    EXPECT_EQ(io.GetPixel(430, y), kBluePixel);
    EXPECT_EQ(io.GetPixel(639, y), kBluePixel);
  }
}

TEST_F(ProgramStart, SetsGeometryPanelValuesAndBoardTables) {
  io.Sleep(4321);
  Start();
  const ScreenLayout& s = game->layout;
  EXPECT_EQ(s.BoardLeft, 22);
  EXPECT_EQ(s.SquareHeight, 48);
  EXPECT_EQ(s.SelectedFrameColour, 7);
  EXPECT_EQ(s.PanelColumn, 55);
  EXPECT_EQ(s.ProgressRow, 5);
  EXPECT_EQ(s.ProgressLength, 22);
  EXPECT_EQ(game->tiles.PicturePositionX, 215);
  EXPECT_EQ(game->tiles.PicturePositionY, 167);
  EXPECT_EQ(game->random.seed(), 4321u);  // seeded from the clock
  const BoardState& b = game->board;
  EXPECT_EQ(b.OpponentTable[kWhite], kBlack);
  EXPECT_EQ(b.OpponentTable[kBlack], kWhite);
  EXPECT_EQ(b.cell[0][5][59], kWall);
  EXPECT_EQ(b.cell[9][9][0], kWall);
  EXPECT_EQ(b.StartPosition[4][0], kWall);
}

TEST_F(ProgramStart, BuildsTheButtonTableFromTheShippedPictures) {
  Start();
  EXPECT_EQ(Button(6, 0).Name, "c-taisen.bmp");
  EXPECT_EQ(Button(6, 1).X, 450);
  EXPECT_EQ(Button(6, 1).Y, 160);
  EXPECT_EQ(Button(1, 6).Name, "lv6.bmp");
  EXPECT_EQ(Button(1, 6).Y, 352);
  EXPECT_EQ(Button(12, 0).Name, "setok.bmp");
  int buttons = 0;
  for (int g = 0; g < kButtonGroups; ++g) {
    for (int i = 0; i < kButtonItems; ++i) {
      const ButtonEntry& entry = Button(g, i);
      if (entry.Name.empty()) {
        EXPECT_EQ(entry.Width, 0) << g << "/" << i;
        continue;
      }
      ++buttons;
      EXPECT_GT(entry.Width, 0) << entry.Name;  // every named picture is shipped
      EXPECT_GT(entry.Height, 0) << entry.Name;
    }
  }
  EXPECT_EQ(buttons, 43);
  // Group 11: five board colours 20 pixels apart on one row.
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Button(11, i).X, 500 + 20 * i);
    EXPECT_EQ(Button(11, i).Y, 338);
  }
  EXPECT_TRUE(Button(11, 5).Name.empty());
  // Groups 7..10: "yes" (item 1) to the left of "no" (item 0), on one row.
  for (int g = 7; g <= 10; ++g) {
    EXPECT_EQ(Button(g, 1).Name, "yes.bmp");
    EXPECT_EQ(Button(g, 0).Name, "no.bmp");
    EXPECT_LT(Button(g, 1).X, Button(g, 0).X);
    EXPECT_EQ(Button(g, 1).Y, Button(g, 0).Y);
  }
}

TEST_F(ProgramStart, AButtonWhosePictureIsMissingKeepsWidthZero) {
  ScratchFolder folder;
  WriteBmp(folder.path() / "bmp" / "setup.bmp", 40, 24, kWhitePixel);
  io.SetDataFolder(folder.path().string());
  game->starter.ProgramStart();
  EXPECT_EQ(Button(6, 2).Width, 40);
  EXPECT_EQ(Button(6, 2).Height, 24);
  EXPECT_EQ(Button(6, 0).Name, "c-taisen.bmp");
  EXPECT_EQ(Button(6, 0).Width, 0);
  EXPECT_EQ(Button(6, 0).Height, 0);
}

TEST_F(ProgramStart, RunGameStartsUpAndWaitsInTheMenuUntilTheWindowCloses) {
  io.SetDataFolder(KERNA_ASSETS_DIR);
  io.CloseWindow(5000);
  EXPECT_EQ(io.Run([&] { RunGame(*game); }), platform::HeadlessPlatform::Outcome::kWindowClosed);
  EXPECT_GE(io.Clock(), 5000);
  EXPECT_EQ(game->buttonState.Button(6, 0).Width > 0, true);
  EXPECT_EQ(game->buttonState.GroupActive[6], 1);  // the menu waits for a choice
  EXPECT_EQ(game->board.Position[4][4], kWhite);
  EXPECT_EQ(game->board.Position[4][5], kBlack);
}

}  // namespace
}  // namespace kerna::test
