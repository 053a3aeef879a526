// The table.dat loader on the headless platform: the file, the loading line
// and the progress line (the record rules are tested on the parse itself).
#include "data/eval_table_loader.hpp"

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

class EvalTableLoaderTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "kerna_table_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::create_directories(folder_ + "/dat");
    io_.SetDataFolder(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Load(const std::string& bytes) {
    std::ofstream(folder_ + "/dat/table.dat", std::ios::binary) << bytes;
    g.tableLoader.LoadEvalTables();
  }
  std::string Row(int row) const { return io_.text().RowBytes(row); }
  bool RowIsBlank(int row) const { return Row(row).find_first_not_of(' ') == std::string::npos; }

  std::string folder_;
  platform::HeadlessPlatform io_;
  std::unique_ptr<Game> game_ = std::make_unique<Game>(io_);
  Game& g = *game_;
};

TEST_F(EvalTableLoaderTest, AMissingFileLeavesTheTablesZeroAndShowsOnlyTheLoadingLine) {
  g.tableLoader.LoadEvalTables();
  for (int i = 0; i < kLineConfigurations; ++i) {
    for (int c = 0; c < 8; ++c) ASSERT_EQ(g.tables.Edge[i][c], 0);
    ASSERT_EQ(g.tables.Pattern[i][0] | g.tables.Pattern[i][1], 0);
  }
  const std::string message = platform::Sjis(u8"ファイル読み込み中です。しばらくお待ち下さい");
  EXPECT_EQ(Row(8).substr(14, message.size()), message);
  const platform::TextCell& first = io_.text().Row(8)[14];
  EXPECT_EQ(first.foreground, 7);  // white on blue
  EXPECT_EQ(first.background, 1);
  EXPECT_TRUE(RowIsBlank(9));
  EXPECT_EQ(io_.text().foreground(), 7);  // white on black afterwards
  EXPECT_EQ(io_.text().background(), 0);
}

TEST_F(EvalTableLoaderTest, ReadsTheFileFromTheDataFolder) {
  Load("6560,1,2,3,4,5,6,7,8,9,10\r\n");
  EXPECT_EQ(g.tables.Edge[6560][0], 1);
  EXPECT_EQ(g.tables.Pattern[6560][1], 10);
}

TEST_F(EvalTableLoaderTest, TheProgressLineStandsUnderTheMessageAndCountsUpInPlace) {
  Load("66,0,0,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(Row(9).substr(14), "1 %");
  EXPECT_EQ(io_.text().Row(9)[14].background, 1);
  std::string all;
  for (int i = 0; i <= 6560; ++i) all += std::to_string(i) + ",0,0,0,0,0,0,0,0,0,0\r\n";
  Load(all);
  EXPECT_EQ(Row(9).substr(14), "100 %");
  EXPECT_TRUE(RowIsBlank(10));
}

TEST_F(EvalTableLoaderTest, IndexZeroAloneShowsNoProgress) {
  Load("0,0,0,0,0,0,0,0,0,0,0\r\n");
  EXPECT_TRUE(RowIsBlank(9));
}

}  // namespace
}  // namespace kerna
