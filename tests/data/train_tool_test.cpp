// The training tool's own pieces: game replay, the exact endgame solver that
// cleans its labels, and the data files it writes, read back by the game's
// loaders.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../ai/ai_test_support.hpp"
#include "data/eval_table_loader.hpp"
#include "data/placement_table_loader.hpp"
#include "data_files.hpp"
#include "game/game.hpp"
#include "othello.hpp"

namespace kerna {
namespace {

namespace kt = train;

TEST(TrainReplay, ReplaysAGameToItsEndAndCountsEmptiesForTheWinner) {
  // The shortest game: after nine moves white has no disc left.
  const auto game = kt::ReplayGame("f5d6c5f6e7f4g5e6e3");
  ASSERT_TRUE(game.has_value());
  EXPECT_EQ(game->positions.front().justMoved, kt::kBlack);
  EXPECT_EQ(game->positions.front().movesPlayed, 1);
  const auto& last = game->positions.back();
  EXPECT_EQ(last.movesPlayed, 9);
  EXPECT_EQ(last.board.white, 0u);
  EXPECT_EQ(game->finalDifference, -64);  // empties go to the winner
  EXPECT_EQ(kt::FinalDifference({~uint64_t{0} >> 4, 0}), 64);
  EXPECT_EQ(kt::FinalDifference({0xffffffffULL, 0xffffffffULL << 32}), 0);
}

TEST(TrainReplay, RejectsIllegalMalformedAndUnfinishedGames) {
  EXPECT_FALSE(kt::ReplayGame("f5f5").has_value());  // occupied
  EXPECT_FALSE(kt::ReplayGame("a1").has_value());    // flips nothing
  EXPECT_FALSE(kt::ReplayGame("f5z9").has_value());
  EXPECT_FALSE(kt::ReplayGame("f5d").has_value());
  EXPECT_FALSE(kt::ReplayGame("f5d6").has_value());  // not at its end
}

// Plain minimax over every move, for checking the solver on small endgames.
int Minimax(uint64_t me, uint64_t opp, bool passed) {
  uint64_t moves = kt::LegalMoves(me, opp);
  if (moves == 0) {
    if (passed) return kt::FinalDifference({me, opp});
    return -Minimax(opp, me, true);
  }
  int best = -65;
  for (; moves; moves &= moves - 1) {
    const int square = __builtin_ctzll(moves);
    const uint64_t flips = kt::Flips(me, opp, square);
    best = std::max(best, -Minimax(opp & ~flips, me | flips | (uint64_t{1} << square), false));
  }
  return best;
}

TEST(TrainSolver, AgreesWithPlainMinimaxOnRecordedEndgames) {
  const char* games[] = {
      "f5d6c3f3f4d3c4g6f6e6c5c6d7d8e7g5e3d2g4h3f7b5h5g3b4b6c8b8c7e8f8g8h4h6e2d1c1a3a6a5e1f2g7c2"
      "a4h8a2b7f1b3b1b2h7a7a8a1g1g2h2h1",
      "f5f6e6f4f3d6c6d3g6e7g5d7c7h5c3h6e3b6c5d8c8b8a6b5g4d2e1c1f2h4a5e2f8b3f7g1h3h2g3a4c4b4c2b1"
      "a3a7a8e8b7b2a1a2d1g8h8g2g7h7f1h1"};
  int checked = 0;
  for (const char* moves : games) {
    const auto game = kt::ReplayGame(moves);
    ASSERT_TRUE(game.has_value());
    for (const auto& pos : game->positions) {
      if (60 - pos.movesPlayed > 8) continue;
      const int side = kt::Opponent(pos.justMoved);
      const int forMover = Minimax(pos.board.Of(side), pos.board.Of(kt::Opponent(side)), false);
      EXPECT_EQ(kt::SolveExactly(pos.board, side), side == kt::kWhite ? forMover : -forMover);
      ++checked;
    }
  }
  EXPECT_GE(checked, 14);
}

class TrainDataFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "kerna_train_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::create_directories(folder_ + "/dat");
    world_.io.SetDataFolder(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  // Every value the files can carry, written as the tool writes them.
  void WriteExtremes() {
    for (int i = 0; i < kt::kIndices; ++i) {
      for (int c = 0; c < 8; ++c) model_->edge[i][c] = static_cast<int8_t>((i * 7 + c * 31) % 256);
      for (int c = 0; c < 2; ++c) model_->pattern[i][c] = static_cast<int8_t>(i * 3 + c - 128);
    }
    const int16_t extremes[] = {-999, 9999, 0, -1, 100, 42, -50, 7, 1000, -30};
    for (int k = 0; k < kt::kSquareClasses; ++k)
      for (int s = 0; s < kt::kStages; ++s) model_->place[k][s] = extremes[(k + s) % 10];
    Write("table.dat", kt::TableDatText(*model_));
    Write("abc-table.dat", kt::AbcTableText(*model_));
    Write("ban.dat", kt::BanText());
    Write("start.dat", kt::StartText());
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + "/dat/" + name, std::ios::binary) << text;
  }

  std::string folder_;
  test::EngineWorld world_;
  Game& g = world_.g;
  std::unique_ptr<kt::EvaluationTables> model_ = std::make_unique<kt::EvaluationTables>();
};

TEST_F(TrainDataFilesTest, TheGameReadsBackEveryValueTheToolWrites) {
  WriteExtremes();
  g.tableLoader.LoadEvalTables();
  g.placementTableLoader.LoadSquareClasses();
  g.placementTableLoader.LoadStartPosition();

  for (int i = 0; i < kt::kIndices; ++i) {
    for (int c = 0; c < 8; ++c) ASSERT_EQ(g.tables.Edge[i][c], model_->edge[i][c]) << i;
    for (int c = 0; c < 2; ++c) ASSERT_EQ(g.tables.Pattern[i][c], model_->pattern[i][c]) << i;
  }
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      for (int s = 0; s < kt::kStages; ++s)
        ASSERT_EQ(g.placementTables.SquareClass[x][y][s], model_->place[kt::SquareClassOf(x, y)][s])
            << x << "," << y << " stage " << s;
      ASSERT_EQ(g.board.StartPosition[x][y], kt::Bitboard::Standard().Cell(x, y));
    }
}

TEST_F(TrainDataFilesTest, TheToolReadsBackEveryValueItWrites) {
  WriteExtremes();
  auto back = std::make_unique<kt::EvaluationTables>();
  kt::ReadTables(folder_ + "/dat", *back);
  EXPECT_EQ(std::memcmp(back->edge, model_->edge, sizeof back->edge), 0);
  EXPECT_EQ(std::memcmp(back->pattern, model_->pattern, sizeof back->pattern), 0);
  EXPECT_EQ(std::memcmp(back->place, model_->place, sizeof back->place), 0);
}

TEST(TrainDataFiles, SquareClassesFollowTheBoardsSymmetries) {
  // Ten classes, one per kind of square under the eight symmetries.
  int seen[kt::kSquareClasses] = {};
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const int k = kt::SquareClassOf(x, y);
      ASSERT_GE(k, 0);
      ASSERT_LT(k, kt::kSquareClasses);
      ++seen[k];
      EXPECT_EQ(k, kt::SquareClassOf(9 - x, y));
      EXPECT_EQ(k, kt::SquareClassOf(x, 9 - y));
      EXPECT_EQ(k, kt::SquareClassOf(y, x));
    }
  const int expected[kt::kSquareClasses] = {4, 8, 8, 8, 4, 8, 8, 4, 8, 4};
  for (int k = 0; k < kt::kSquareClasses; ++k) EXPECT_EQ(seen[k], expected[k]) << k;
  EXPECT_EQ(kt::BanText().substr(0, 10), "ABCDDCBA\r\n");
  EXPECT_EQ(kt::StartText().substr(30, 20), "00012000\r\n00021000\r\n");
}

}  // namespace
}  // namespace kerna
