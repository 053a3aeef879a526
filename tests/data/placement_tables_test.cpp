// The start-up table loaders: square classes from dat\abc-table.dat and
// dat\ban.dat, the start position from dat\start.dat.
#include "data/placement_table_loader.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna {
namespace {

class StartTablesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "kerna_start_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::create_directories(folder_ + "/dat");
    io_.SetDataFolder(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ + "/dat/" + name, std::ios::binary) << bytes;
  }
  int Class(int x, int y, int k) const { return game_.placementTables.SquareClass[x][y][k]; }

  std::string folder_;
  platform::HeadlessPlatform io_;
  Game game_{io_};
  PlacementTableLoader& loader_ = game_.placementTableLoader;
};

// Eight rows of the same eight letters.
std::string BanOf(const std::string& row) {
  std::string text;
  for (int y = 0; y < 8; ++y) text += row + "\r\n";
  return text;
}

TEST_F(StartTablesTest, ClassLettersPickFourCharacterFieldsOfEachStageLine) {
  Write("abc-table.dat",
        "1   2   3   4\r\n"
        "10  20  30  40\r\n"
        "  -5 -6 -7  -8\r\n"
        "9.9 -9.9x9999\r\n"
        "0001+2  &H10\r\n");
  Write("ban.dat", BanOf("ABCDDCBA"));
  loader_.LoadSquareClasses();
  EXPECT_EQ(game_.placementTables.ClassTable[0], "1   2   3   4");
  // Class A: characters 1-4; C: characters 9-12.
  EXPECT_EQ(Class(1, 1, 0), 1);
  EXPECT_EQ(Class(1, 1, 1), 10);
  EXPECT_EQ(Class(1, 1, 2), -5);  // blanks before the number
  EXPECT_EQ(Class(1, 1, 3), 9);   // cut toward zero
  EXPECT_EQ(Class(1, 1, 4), 1);
  EXPECT_EQ(Class(2, 5, 2), -6);  // " -6 "
  EXPECT_EQ(Class(2, 5, 3), -9);  // "-9.9" cut toward zero
  EXPECT_EQ(Class(2, 5, 4), 2);   // "+2  "
  EXPECT_EQ(Class(3, 8, 0), 3);
  EXPECT_EQ(Class(3, 8, 3), 0);   // "x999": not a number
  EXPECT_EQ(Class(3, 8, 4), 16);  // "&H10"
  EXPECT_EQ(Class(4, 2, 0), 4);   // the last field needs no trailing blanks
  EXPECT_EQ(Class(4, 2, 2), -8);
  EXPECT_EQ(Class(4, 2, 3), 9);  // "9" alone at the end of a short line
  EXPECT_EQ(Class(4, 2, 4), 0);  // past the end of the line
  EXPECT_EQ(Class(5, 2, 0), 4);  // D again on the mirrored side
  EXPECT_EQ(Class(8, 8, 1), 10);
}

TEST_F(StartTablesTest, ClassesOutsideTheLinesOrBeforeAReadZero) {
  Write("abc-table.dat", "1   2   3\r\n1   2   3\r\n1   2   3\r\n1   2   3\r\n1   2   3\r\n");
  // D lies past the end of every line; '@', '0', a blank and bytes above 127 are not letters
  // from A on; 'z' would be class 57, far past the line; row 8 is missing, row 7 is short.
  Write("ban.dat", BanOf("ACD@0 z\xff").substr(0, 6 * 10) + "AB\r\n");
  loader_.LoadSquareClasses();
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Class(1, 1, k), 1);
    EXPECT_EQ(Class(2, 1, k), 3);
    for (int x = 3; x <= 8; ++x) EXPECT_EQ(Class(x, 1, k), 0) << "x " << x;
    EXPECT_EQ(Class(2, 7, k), 2);
    EXPECT_EQ(Class(3, 7, k), 0);
    EXPECT_EQ(Class(1, 8, k), 0);
  }
}

TEST_F(StartTablesTest, MissingFilesGiveZeroClassesAndAnEmptyStart) {
  loader_.LoadSquareClasses();
  loader_.LoadStartPosition();
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      for (int k = 0; k < 5; ++k) ASSERT_EQ(Class(x, y, k), 0);
      ASSERT_EQ(game_.board.StartPosition[x][y], kEmpty);
      ASSERT_EQ(game_.board.Position[x][y], kEmpty);
    }
}

TEST_F(StartTablesTest, StartPositionRowsAreBoardRowsAndCharactersColumns) {
  Write("start.dat",
        "00000000\r\n00000000\r\n00000000\r\n00012000\r\n00021000\r\n00000000\r\n00000000\r\n"
        "20000001\r\n");
  loader_.LoadStartPosition();
  EXPECT_EQ(game_.board.StartPosition[4][4], kWhite);
  EXPECT_EQ(game_.board.StartPosition[5][5], kWhite);
  EXPECT_EQ(game_.board.StartPosition[5][4], kBlack);
  EXPECT_EQ(game_.board.StartPosition[4][5], kBlack);
  EXPECT_EQ(game_.board.StartPosition[1][8], kBlack);
  EXPECT_EQ(game_.board.StartPosition[8][8], kWhite);
  EXPECT_EQ(game_.board.StartPosition[3][4], kEmpty);
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      EXPECT_EQ(game_.board.Position[x][y], game_.board.StartPosition[x][y]);
}

TEST_F(StartTablesTest, CharactersThatAreNotDiscsReadAsEmpty) {
  // Letters, blanks and signs read 0; digits beyond 2 (4 is the wall value)
  // would put something on the board that the move rules cannot handle.
  Write("start.dat", "1x-2 .34\r\n2\r\n");
  game_.board.StartPosition[3][1] = 7;  // whatever was there is replaced
  loader_.LoadStartPosition();
  const int16_t row1[9] = {0, kWhite, 0, 0, kBlack, 0, 0, 0, 0};
  for (int x = 1; x <= 8; ++x) EXPECT_EQ(game_.board.StartPosition[x][1], row1[x]) << "x " << x;
  EXPECT_EQ(game_.board.StartPosition[1][2], kBlack);
  for (int x = 2; x <= 8; ++x) EXPECT_EQ(game_.board.StartPosition[x][2], kEmpty);
  EXPECT_EQ(game_.board.StartPosition[0][0], 0);  // the rim is not touched
}

// The files the game ships.
class ShippedStartTablesTest : public testing::Test {
 protected:
  void SetUp() override {
    io_.SetDataFolder(KERNA_ASSETS_DIR);
    loader_.LoadSquareClasses();
    loader_.LoadStartPosition();
  }
  platform::HeadlessPlatform io_;
  Game game_{io_};
  PlacementTableLoader& loader_ = game_.placementTableLoader;
};

TEST_F(ShippedStartTablesTest, StartIsTheStandardCentre) {
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      int16_t expected = kEmpty;
      if ((x == 4 && y == 4) || (x == 5 && y == 5)) expected = kWhite;
      if ((x == 4 && y == 5) || (x == 5 && y == 4)) expected = kBlack;
      EXPECT_EQ(game_.board.StartPosition[x][y], expected) << x << "," << y;
    }
}

TEST_F(ShippedStartTablesTest, PlacementIsSymmetricAndPrizesCornersOverTheirNeighbours) {
  const auto& p = game_.placementTables.SquareClass;
  for (int k = 0; k < 5; ++k) {
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) {
        ASSERT_EQ(p[x][y][k], p[9 - x][y][k]);
        ASSERT_EQ(p[x][y][k], p[x][9 - y][k]);
        ASSERT_EQ(p[x][y][k], p[y][x][k]);
      }
    EXPECT_GT(p[1][1][k], p[2][2][k]) << "stage " << k;
    EXPECT_GT(p[1][1][k], p[2][1][k]) << "stage " << k;
  }
  // The level-0 table: corners first, the squares that give them away last.
  EXPECT_GT(p[1][1][4], 0);
  EXPECT_LT(p[2][2][4], 0);
  EXPECT_LT(p[2][1][4], 0);
}

TEST_F(ShippedStartTablesTest, ProgramStartLoadsEveryTableFromTheDataFolder) {
  platform::HeadlessPlatform io;
  io.SetDataFolder(KERNA_ASSETS_DIR);
  auto game = std::make_unique<Game>(io);
  game->starter.ProgramStart();
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      EXPECT_EQ(game->board.StartPosition[x][y], game_.board.StartPosition[x][y]);
  EXPECT_EQ(game->board.Position[4][4], kWhite);
  EXPECT_EQ(game->placementTables.SquareClass[1][1][0], game_.placementTables.SquareClass[1][1][0]);
  EXPECT_EQ(game->placementTables.SquareClass[8][8][4], game_.placementTables.SquareClass[8][8][4]);
  int filled = 0;
  for (int i = 0; i < kLineConfigurations; ++i) filled += game->tables.Pattern[i][0] != 0;
  EXPECT_GT(filled, 1000);
  EXPECT_EQ(io.text().RowBytes(9).substr(14), "100 %");  // the table's progress line
}

}  // namespace
}  // namespace kerna
