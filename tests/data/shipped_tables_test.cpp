// The evaluation data the game ships (assets/dat), loaded by the game's own
// loaders: within the bounds that keep the evaluation's 8-bit sums from
// wrapping, symmetric, and scored by the game's evaluation exactly as the
// training tool's model of it predicts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "../ai/ai_test_support.hpp"
#include "data/eval_table_loader.hpp"
#include "data/placement_table_loader.hpp"
#include "evaluation_model.hpp"
#include "game/game.hpp"
#include "self_check.hpp"

namespace kerna {
namespace {

namespace kt = train;

class ShippedTablesTest : public testing::Test {
 protected:
  void SetUp() override {
    world_.io.SetDataFolder(KERNA_ASSETS_DIR);
    g.rules.SetUpWalls();
    g.tableLoader.LoadEvalTables();
    g.placementTableLoader.LoadSquareClasses();
    // The tool's model reads the same tables.
    for (int i = 0; i < kLineConfigurations; ++i) {
      for (int c = 0; c < 8; ++c) model_->edge[i][c] = g.tables.Edge[i][c];
      for (int c = 0; c < 2; ++c) model_->pattern[i][c] = g.tables.Pattern[i][c];
    }
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y)
        for (int k = 0; k < 5; ++k)
          model_->place[kt::SquareClassOf(x, y)][k] = g.placementTables.SquareClass[x][y][k];
  }

  // The game's evaluation of `board` on `layer`.
  int EngineValue(const kt::Bitboard& board, int layer, int justMoved, int computer, int stage) {
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y)
        g.board.cell[x][y][layer] = static_cast<int16_t>(board.Cell(x, y));
    g.board.Layer = static_cast<int16_t>(layer);
    g.board.SideToMove = static_cast<int16_t>(justMoved);
    g.board.ComputerSide = static_cast<int16_t>(computer);
    g.board.HumanSide = static_cast<int16_t>(3 - computer);
    g.ai.GameStage = static_cast<int16_t>(stage);
    g.evaluation.Evaluate();
    return g.ai.ShownValue;
  }

  // Positions of a few deterministic random games, with who made the last move.
  static std::vector<kt::ReplayedPosition> RandomGamePositions(int games) {
    std::vector<kt::ReplayedPosition> positions;
    uint32_t seed = 12345;
    for (int n = 0; n < games; ++n) {
      kt::Bitboard board = kt::Bitboard::Standard();
      int side = kt::kBlack;
      for (int passes = 0; passes < 2;) {
        uint64_t moves = kt::LegalMoves(board.Of(side), board.Of(kt::Opponent(side)));
        if (moves == 0) {
          ++passes;
          side = kt::Opponent(side);
          continue;
        }
        passes = 0;
        seed = seed * 1103515245u + 12345u;
        for (int skip = (seed >> 16) % __builtin_popcountll(moves); skip > 0; --skip)
          moves &= moves - 1;
        const int square = __builtin_ctzll(moves);
        const uint64_t flips = kt::Flips(board.Of(side), board.Of(kt::Opponent(side)), square);
        board.Of(side) |= flips | (uint64_t{1} << square);
        board.Of(kt::Opponent(side)) &= ~flips;
        positions.push_back({board, side, board.Discs() - 4});
        side = kt::Opponent(side);
      }
    }
    return positions;
  }

  test::EngineWorld world_;
  Game& g = world_.g;
  std::unique_ptr<kt::EvaluationTables> model_ = std::make_unique<kt::EvaluationTables>();
};

TEST_F(ShippedTablesTest, ValuesStayWithinTheBoundsThatKeepEightBitSumsFromWrapping) {
  int nonZero = 0;
  for (int i = 0; i < kLineConfigurations; ++i) {
    for (int c = 0; c < 2; ++c) {
      ASSERT_LE(std::abs(g.tables.Pattern[i][c]), 15) << i;  // eight column values
      nonZero += g.tables.Pattern[i][c] != 0;
    }
    for (int c = 0; c < 6; ++c) ASSERT_LE(std::abs(g.tables.Edge[i][c]), 31) << i;  // four edges
    for (int c = 6; c < 8; ++c) ASSERT_LE(std::abs(g.tables.Edge[i][c]), 63) << i;  // two diagonals
  }
  EXPECT_GT(nonZero, 1000);  // the file was there and fitted
}

TEST_F(ShippedTablesTest, TablesAreColourSymmetricAndReadTheSameBackwards) {
  static constexpr int kPowers[9] = {1, 3, 9, 27, 81, 243, 729, 2187, 6561};
  for (int i = 0; i < kLineConfigurations; ++i) {
    const int swapped = kt::SwapColours(i);
    ASSERT_EQ(g.tables.Pattern[i][0], g.tables.Pattern[swapped][1]) << i;
    for (int length = 3; length <= 8; ++length) {
      if (i >= kPowers[length]) continue;
      for (int c = 0; c < 2; ++c)
        ASSERT_EQ(g.tables.Pattern[i][c], g.tables.Pattern[kt::ReverseLine(i, length)][c]) << i;
    }
    const int pairs[4][2] = {{0, 2}, {1, 3}, {4, 5}, {6, 7}};
    for (const auto& [white, black] : pairs)
      ASSERT_EQ(g.tables.Edge[i][white], g.tables.Edge[swapped][black]) << i;
    for (int c = 0; c < 8; ++c)
      ASSERT_EQ(g.tables.Edge[i][c], g.tables.Edge[kt::ReverseLine(i, 8)][c]) << i;
  }
}

TEST_F(ShippedTablesTest, TheToolPredictsTheGamesEvaluationExactly) {
  int n = 0;
  for (const auto& pos : RandomGamePositions(40)) {
    const int stage = kt::StageOf(pos.movesPlayed);
    const int computer = n % 3 == 0 ? kt::kBlack : kt::kWhite;
    const int layer = n % 59;
    ++n;
    const int predicted = kt::Evaluate(*model_, {pos.board, pos.justMoved, computer, stage});
    ASSERT_EQ(EngineValue(pos.board, layer, pos.justMoved, computer, stage), predicted)
        << "position " << n << ", moves played " << pos.movesPlayed;
  }
  EXPECT_GT(n, 2000);
}

TEST_F(ShippedTablesTest, MirrorImagesAndTheColourSwappedTwinScoreAlike) {
  int n = 0;
  for (const auto& pos : RandomGamePositions(8)) {
    const int stage = kt::StageOf(pos.movesPlayed);
    const int value = EngineValue(pos.board, 1, pos.justMoved, kt::kWhite, stage);
    for (int symmetry = 1; symmetry < 8; ++symmetry)
      ASSERT_EQ(
          EngineValue(kt::Transform(pos.board, symmetry), 1, pos.justMoved, kt::kWhite, stage),
          value)
          << "symmetry " << symmetry << " of position " << n;
    ASSERT_EQ(
        EngineValue(kt::SwapColours(pos.board), 1, kt::Opponent(pos.justMoved), kt::kBlack, stage),
        value)
        << "colour swap of position " << n;
    ++n;
  }
}

TEST_F(ShippedTablesTest, ValuesReadLikeTheHostessLadder) {
  // The start position is even; a position where white owns all four corners
  // and most edges late in the game is clearly won for white.
  const kt::Bitboard start = kt::Bitboard::Standard();
  EXPECT_LT(std::abs(EngineValue(start, 1, kt::kBlack, kt::kWhite, 0)), 30);
  kt::Bitboard won;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const bool edge = x == 1 || x == 8 || y == 1 || y == 8;
      if (edge || (x + y) % 3 == 0)
        won.white |= uint64_t{1} << kt::SquareBit(x, y);
      else if ((x * y) % 5 != 0)
        won.black |= uint64_t{1} << kt::SquareBit(x, y);
    }
  EXPECT_GT(EngineValue(won, 1, kt::kWhite, kt::kWhite, 3), 150);
}

}  // namespace
}  // namespace kerna
