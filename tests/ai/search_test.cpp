// The middle-game search against a plain recursive negamax, its bitboard move
// rules and kept line indices against the board rules, ties, passes and the drawn final position,
// progress reporting, a closed window in mid-search, and determinism.
#include <gtest/gtest.h>

#include <algorithm>

#include "ai/bitboard.hpp"
#include "ai/disc_position.hpp"
#include "reference_players.hpp"

namespace kerna::test {
namespace {

class SearchTest : public ::testing::Test {
 protected:
  EngineWorld world;
  Game& g = world.g;

  SearchTest() { g.searchState.Observer = nullptr; }

  // Searches layer 1 (a copy of layer 0) for the computer at a fixed depth;
  // returns the lowest root score.
  int SearchAtDepth(int depth) {
    g.searchDriver.PrepareSearch();
    g.searchDriver.ExpandRoot();
    g.ai.LookAheadDepth = static_cast<float>(depth);
    g.searchDriver.ResetSearchTables();
    g.search.Search();
    int best = kNoBound;
    for (int k = 1; k <= g.searchState.EN[1]; ++k)
      best = std::min<int>(best, g.searchState.SAKI[1][k]);
    return best;
  }
};

TEST_F(SearchTest, BitboardMovesAgreeWithTheBoardRules) {
  TestRandom rng(5);
  FillRandomTables(g, rng);
  BoardState& b = g.board;
  const ai::PlacementByBit placement = ai::PlacementOfStage(g.placementTables, 2);
  for (int round = 0; round < 200; ++round) {
    RandomPosition p;
    if (!MakeRandomPosition(rng, 4 + rng.Below(50), p)) continue;
    LayPosition(g, p);
    const ai::DiscPosition before =
        ai::LoadDiscPosition(&b.cell[0][0][0], kWhite, kBlack, placement);
    const ai::Bitboard empty = ~(before.discs[kWhite] | before.discs[kBlack]);
    for (int side = 1; side <= 2; ++side) {
      const ai::Bitboard own = before.discs[side], other = before.discs[3 - side];
      int frontier = 0;
      for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
          if (b.cell[x][y][0] == side) frontier += DiscOpenness(b, x, y, 0);
          b.Layer = 0;
          b.SquareX = static_cast<int16_t>(x);
          b.SquareY = static_cast<int16_t>(y);
          b.SideToMove = static_cast<int16_t>(side);
          g.rules.TestLegalOpenness();
          const int bit = ai::BitOf(x, y);
          const bool legal = (ai::LegalMoves(own, other) >> bit & 1) != 0;
          ASSERT_EQ(legal, b.LegalFlag == 1);
          const ai::Bitboard flips = b.cell[x][y][0] == kEmpty ? ai::Flips(bit, own, other) : 0;
          ASSERT_EQ(flips != 0, legal);
          if (!legal) continue;
          ASSERT_EQ(ai::EmptyNeighbourCountOfFew(flips, empty), b.OpennessSum);
          // The move with its line indices and placement kept, against the board
          // rules' move read afresh.
          b.Layer = 1;
          g.rules.MakeMoveFast();
          ai::DiscPosition after;
          ai::PlayMove<true>(before, after, bit, flips, side, placement);
          const ai::DiscPosition expected =
              ai::LoadDiscPosition(&b.cell[0][0][0] + 1, kWhite, kBlack, placement);
          ASSERT_EQ(after.discs, expected.discs);
          ASSERT_EQ(after.lines, expected.lines);
          ASSERT_EQ(after.placement, expected.placement);
          CopyLayer(g, 0, 1);
        }
      }
      ASSERT_EQ(ai::EmptyNeighbourCount(own, empty), frontier);
    }
  }
}

TEST_F(SearchTest, BestRootScoreEqualsPlainNegamax) {
  TestRandom rng(17);
  FillRandomTables(g, rng);
  int checked = 0;
  for (int round = 0; checked < (kSanitized ? 15 : 60) && round < 1000; ++round) {
    RandomPosition p;
    if (!MakeRandomPosition(rng, 6 + rng.Below(50), p)) continue;
    LayPosition(g, p);
    g.ai.GameStage = static_cast<int16_t>(rng.Below(4));
    const int depth = 1 + rng.Below(3);
    const int expected = -ReferenceNegamax(g, 30, 1, p.to_move, depth);
    LayPosition(g, p);
    ASSERT_EQ(SearchAtDepth(depth), expected) << "round " << round << " depth " << depth;
    ++checked;
  }
}

TEST_F(SearchTest, PassesAndBothSidesPassingAreScoredThroughTheLine) {
  // Late positions, where lines with one pass and with two (the end) are common.
  TestRandom rng(31);
  FillRandomTables(g, rng);
  int with_pass = 0;
  for (int round = 0; with_pass < (kSanitized ? 5 : 25) && round < 4000; ++round) {
    RandomPosition p;
    if (!MakeRandomPosition(rng, 3 + rng.Below(8), p)) continue;
    LayPosition(g, p);
    int passes = 0;
    const int expected = -ReferenceNegamax(g, 30, 1, p.to_move, 3, false, &passes);
    if (passes == 0) continue;
    LayPosition(g, p);
    ASSERT_EQ(SearchAtDepth(3), expected) << "round " << round;
    ++with_pass;
  }
  EXPECT_GT(with_pass, 0);
}

// Black (the computer) fills a1 and the game ends 32 to 32; with one disc
// changed, 33 to 31 or 31 to 33.
constexpr std::array<std::string_view, 8> kDrawnAfterA1{
    ".OXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "OOOOOOOO", "OOOOOOOO", "OOOOOOOO", "OOOOOOOO"};

TEST_F(SearchTest, ADrawnFinalPositionIsWorthNothingBetweenAWinAndALoss) {
  auto value_after_a1 = [&](std::string_view row2, std::string_view row5) {
    std::array<std::string_view, 8> rows = kDrawnAfterA1;
    rows[1] = row2;
    rows[4] = row5;
    SetLayer(g, 0, rows);
    CopyLayer(g, 0, 1);
    g.board.ComputerSide = kBlack;
    g.board.HumanSide = kWhite;
    const int score = SearchAtDepth(2);  // seen from the opponent
    g.ranking.ChooseMove();
    EXPECT_EQ(g.ai.ChosenX, 1);
    EXPECT_EQ(g.ai.ChosenY, 1);
    EXPECT_EQ(g.ai.ShownValue, -score);
    return -score;
  };
  const int draw = value_after_a1(kDrawnAfterA1[1], kDrawnAfterA1[4]);
  const int win = value_after_a1(kDrawnAfterA1[1], "XOOOOOOO");
  const int loss = value_after_a1("XXXXXXXO", kDrawnAfterA1[4]);
  EXPECT_EQ(draw, 0);
  EXPECT_EQ(win, kDecided);
  EXPECT_EQ(loss, -kDecided);
}

TEST_F(SearchTest, EqualRootScoresKeepTheEarlierCandidate) {
  // With empty tables the four opening moves are mirror images: all score alike.
  SetLayer(g, 0,
           {"........", "........", "........", "...OX...", "...XO...", "........", "........",
            "........"});
  CopyLayer(g, 0, 1);
  g.board.ComputerSide = kBlack;
  g.board.HumanSide = kWhite;
  for (int depth = 1; depth <= 4; ++depth) {
    const int best = SearchAtDepth(depth);
    const SearchState& s = g.searchState;
    ASSERT_EQ(s.EN[1], 4);
    const int first_x = s.MX[1][1], first_y = s.MY[1][1];
    EXPECT_EQ(s.SAKI[1][1], best);
    for (int k = 2; k <= 4; ++k) EXPECT_GE(s.SAKI[1][k], best);  // cut on the tie, never below
    g.settings.ThinkingVaries = 0;
    g.ranking.ChooseMove();
    EXPECT_EQ(g.ai.ChosenX, first_x);
    EXPECT_EQ(g.ai.ChosenY, first_y);
  }
}

TEST_F(SearchTest, FirstRootCandidateHasAllItsRepliesEvaluated) {
  TestRandom rng(41);
  FillRandomTables(g, rng);
  RandomPosition p;
  while (!MakeRandomPosition(rng, 40, p)) {
  }
  LayPosition(g, p);
  SearchAtDepth(2);
  const int root_evaluations = g.searchState.EN[1];  // the ordering of ply 1
  // Replies to the first root candidate: count them with the board rules.
  const SearchState& s = g.searchState;
  CopyLayer(g, 0, 5);
  g.board.Layer = 5;
  g.board.SquareX = s.MX[1][1];
  g.board.SquareY = s.MY[1][1];
  g.board.SideToMove = static_cast<int16_t>(p.to_move);
  g.rules.MakeMoveFast();
  g.board.SideToMove = static_cast<int16_t>(3 - p.to_move);
  g.rules.CountLegalMoves();
  // Each reply is evaluated twice at depth 2: once to order ply 2, once as a leaf.
  EXPECT_GE(static_cast<int>(s.Evaluations), root_evaluations + 2 * g.board.LegalMoveCount);
}

class CountingObserver : public SearchObserver {
 public:
  void OnProgress(int ply) override { ++calls[ply]; }
  int calls[3] = {};
};

TEST_F(SearchTest, ProgressIsReportedAtPliesOneAndTwoAndTheWindowIsWatched) {
  TestRandom rng(43);
  FillRandomTables(g, rng);
  RandomPosition p;
  while (!MakeRandomPosition(rng, 36, p)) {
  }
  LayPosition(g, p);
  CountingObserver observer;
  g.searchState.Observer = &observer;
  SearchAtDepth(4);
  EXPECT_EQ(observer.calls[1], g.searchState.EN[1]);  // every root candidate completes once
  EXPECT_GT(observer.calls[2], 0);
  EXPECT_GE(world.io.closed_checks, observer.calls[1] + observer.calls[2]);
}

// Closes the window after a number of checks.
class ClosingPlatform : public QuietPlatform {
 public:
  void CheckClosed() override {
    if (++closed_checks >= close_after) throw platform::WindowClosed{};
  }
  int64_t close_after = 1 << 30;
};

TEST_F(SearchTest, ClosedWindowStopsTheSearchAndAFreshSearchStillAgrees) {
  ClosingPlatform io;
  Game game(io);
  game.rules.SetUpWalls();
  game.searchState.Observer = nullptr;
  TestRandom rng(47);
  FillRandomTables(game, rng);
  RandomPosition p;
  while (!MakeRandomPosition(rng, 34, p)) {
  }
  auto search = [&]() {
    LayPosition(game, p);
    game.ai.Level = 4;
    game.searchDriver.ThinkMiddleGame();
    return std::pair(game.searchState.Nodes, game.ai.ShownValue);
  };
  const auto untouched = search();
  io.closed_checks = 0;
  io.close_after = 3;
  EXPECT_THROW(search(), platform::WindowClosed);
  io.close_after = 1 << 30;
  EXPECT_EQ(search(), untouched);
}

TEST_F(SearchTest, SearchResetSearchAgainGivesIdenticalNodesAndScores) {
  TestRandom rng(53);
  FillRandomTables(g, rng);
  for (int level = 2; level <= (kSanitized ? 4 : 6); ++level) {
    RandomPosition p;
    while (!MakeRandomPosition(rng, 46, p)) {
    }
    g.ai.Level = static_cast<int16_t>(level);
    LayPosition(g, p);
    g.searchDriver.ThinkMiddleGame();
    const uint64_t nodes = g.searchState.Nodes;
    const int value = g.ai.ShownValue, x = g.ai.ChosenX, y = g.ai.ChosenY;
    std::vector<int16_t> scores(g.searchState.SAKI[1], g.searchState.SAKI[1] + kCandidateRows);
    LayPosition(g, p);
    g.searchDriver.ThinkMiddleGame();
    EXPECT_EQ(g.searchState.Nodes, nodes) << "level " << level;
    EXPECT_EQ(g.ai.ShownValue, value);
    EXPECT_EQ(g.ai.ChosenX, x);
    EXPECT_EQ(g.ai.ChosenY, y);
    EXPECT_TRUE(std::equal(scores.begin(), scores.end(), g.searchState.SAKI[1]));
  }
}

}  // namespace
}  // namespace kerna::test
