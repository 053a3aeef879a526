// Root sorting, the ranking pass (every candidate its exact score), deviation
// scores and the level-6 cut, the depths by level, and the variety rule.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_players.hpp"

namespace kerna::test {
namespace {

class RootRankingTest : public ::testing::Test {
 protected:
  EngineWorld world;
  Game& g = world.g;

  RootRankingTest() {
    g.searchState.Observer = nullptr;
    SetLayer(g, 0,
             {"........", "........", "........", "...OX...", "...XO...", "........", "........",
              "........"});
  }
  // A root table of the given scores at squares (k, 1).
  void SetRoot(std::initializer_list<int> scores) {
    int k = 0;
    for (int score : scores) {
      ++k;
      g.searchState.MX[1][k] = static_cast<int16_t>(k);
      g.searchState.MY[1][k] = 1;
      g.searchState.SAKI[1][k] = static_cast<int16_t>(score);
      g.searchState.RootTableDisplay[k] = static_cast<int16_t>(100 + k);
    }
    g.searchState.EN[1] = static_cast<int16_t>(k);
    g.ai.RootCount = static_cast<float>(k);
  }
  void SetRankValues(std::initializer_list<float> values) {
    int i = 0;
    for (float v : values) g.ai.RankValue[++i] = v;
    g.ai.RootCount = static_cast<float>(i);
    g.searchState.EN[1] = static_cast<int16_t>(i);
  }
};

TEST_F(RootRankingTest, SortRootPutsTheEarliestOfEqualBestScoresFirst) {
  SetRoot({5, 3, 3, 7, 3});
  g.ranking.SortRoot();
  EXPECT_EQ(g.ai.RootMoveX[1], 2);
  EXPECT_EQ(g.ai.RootMoveScore[1], 3);
  EXPECT_EQ(g.ai.RootDisplay[1], 102);  // the display value travels with its candidate
  EXPECT_EQ(g.ai.RootMoveScore[2], 3);
  EXPECT_EQ(g.ai.RootMoveScore[3], 3);
  EXPECT_EQ(g.ai.RootMoveScore[5], 7);
  EXPECT_EQ(g.ai.SortBestX, 2);
  EXPECT_EQ(g.ai.ShownValue, -3);
}

TEST_F(RootRankingTest, RankingPassGivesEveryCandidateItsExactScoreBestFirst) {
  TestRandom rng(61);
  FillRandomTables(g, rng);
  for (int round = 0; round < (kSanitized ? 3 : 12); ++round) {
    RandomPosition p;
    while (!MakeRandomPosition(rng, 20 + rng.Below(30), p)) {
    }
    const int depth = 2 + round % 2;
    LayPosition(g, p);
    g.searchDriver.PrepareSearch();
    g.searchDriver.ExpandRoot();
    const int count = g.searchState.EN[1];
    g.ai.LookAheadDepth = static_cast<float>(depth);
    g.searchDriver.ResetSearchTables();
    g.ranking.RankRootCandidates();
    const SearchState& s = g.searchState;
    ASSERT_EQ(s.EN[1], count);
    std::vector<std::pair<int, int>> ranked;
    for (int i = 1; i <= count; ++i) ranked.push_back({s.MX[1][i], s.MY[1][i]});
    std::vector<float> values(g.ai.RankValue.begin() + 1, g.ai.RankValue.begin() + 1 + count);
    for (int i = 0; i < count; ++i) {
      if (i > 0) {
        EXPECT_LE(values[i], values[i - 1]);
      }
      // The computer's score of that move: the negamax of the opponent after it.
      LayPosition(g, p);
      g.board.Layer = 30;
      g.board.SquareX = static_cast<int16_t>(ranked[i].first);
      g.board.SquareY = static_cast<int16_t>(ranked[i].second);
      g.board.SideToMove = static_cast<int16_t>(p.to_move);
      g.rules.MakeMoveFast();
      const int expected = -ReferenceNegamax(g, 30, 2, 3 - p.to_move, depth);
      EXPECT_EQ(values[i], expected) << "round " << round << " rank " << i + 1;
    }
    // The kept ranking-pass result is the candidate ranked last.
    EXPECT_EQ(g.ai.RankResultX, ranked.back().first);
    EXPECT_EQ(g.ai.RankResultY, ranked.back().second);
    EXPECT_EQ(g.ai.RankResultValue, values.back());
  }
}

TEST_F(RootRankingTest, DeviationScoresAreTScores) {
  SetRankValues({30, 20, 10, 0});
  g.ranking.DeviationScores();
  EXPECT_FLOAT_EQ(g.ai.RankMean, 15);
  EXPECT_FLOAT_EQ(g.ai.RankDeviation, std::sqrt(125.0f));
  EXPECT_NEAR(g.ai.TScore[1], 50 + 150 / std::sqrt(125.0), 1e-4);
  EXPECT_NEAR(g.ai.TScore[4], 50 - 150 / std::sqrt(125.0), 1e-4);
}

TEST_F(RootRankingTest, CutEndsTheListAtTheFirstCandidateAtOrBelowTheThreshold) {
  SetRankValues({100, 90, 80, 70, 0, -10, -20, -30});
  g.settings.SearchParameter = 43;
  g.ranking.DeviationScores();
  int expected = 0;
  for (int l = 8; l >= 1; --l)
    if (g.ai.TScore[l] <= 43) expected = l;
  ASSERT_GT(expected, 2);
  g.ai.MovesCut = 0;
  g.ranking.CutRootCandidates();
  EXPECT_EQ(g.ai.RootCount, expected);
  EXPECT_EQ(g.ai.MovesCut, 8 - expected);
  EXPECT_EQ(g.searchState.EN[1], expected);
}

TEST_F(RootRankingTest, CutKeepsTwoEvenWhenAllValuesAreEqual) {
  SetRankValues({5, 5, 5, 5, 5, 5, 5, 5});
  g.ranking.DeviationScores();
  for (int i = 1; i <= 8; ++i) EXPECT_TRUE(std::isfinite(g.ai.TScore[i]));
  g.settings.SearchParameter = -1000;  // whatever the threshold: no spread cuts at the first
  g.ai.MovesCut = 0;
  g.ranking.CutRootCandidates();
  EXPECT_EQ(g.ai.RootCount, 2);
  EXPECT_EQ(g.ai.MovesCut, 7);

  SetRankValues({100, 0, -1, -2, -3, -4});  // first already at or below: still two
  g.ranking.DeviationScores();
  g.settings.SearchParameter = 1000;
  g.ranking.CutRootCandidates();
  EXPECT_EQ(g.ai.RootCount, 2);
  EXPECT_EQ(g.ai.MovesCut, 5);
}

TEST_F(RootRankingTest, DepthsByLevel) {
  const int first[7] = {0, 0, 2, 3, 3, 4, 5};
  for (int level = 2; level <= 6; ++level) {
    g.ai.Level = static_cast<int16_t>(level);
    g.searchDriver.SetLookAheadDepth();
    EXPECT_EQ(g.ai.LookAheadDepth, first[level]);
  }
  g.ai.Level = 5;
  g.ai.RootCount = 3;
  g.searchDriver.SetDeepLookAheadDepth();
  EXPECT_EQ(g.ai.LookAheadDepth, 6);
  g.ai.Level = 6;
  g.settings.SelfPlayMode = 0;
  g.searchDriver.SetDeepLookAheadDepth();
  EXPECT_EQ(g.ai.LookAheadDepth, 8);
  g.ai.RootCount = 6;
  g.searchDriver.SetDeepLookAheadDepth();
  EXPECT_EQ(g.ai.LookAheadDepth, 7);
  g.ai.RootCount = 3;
  g.settings.SelfPlayMode = 1;
  g.searchDriver.SetDeepLookAheadDepth();
  EXPECT_EQ(g.ai.LookAheadDepth, 7);
}

TEST_F(RootRankingTest, VarietyPlaysTheSecondOnACloseGapAndACoinBelowOneHalf) {
  g.ai.Level = 3;
  g.settings.ThinkingVaries = 1;
  int seconds = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    SetRoot({-20, -12, 40});  // gap 8
    g.random.Seed(seed);
    platform::Random copy;
    copy.Seed(seed);
    const bool second = copy.Next() < 0.5;
    g.ranking.ChooseMove();
    EXPECT_EQ(g.ai.ChosenX, second ? 2 : 1);
    EXPECT_EQ(g.ai.SecondBestFlag, second ? 1 : 0);
    EXPECT_EQ(g.ai.ShownValue, second ? 12 : 20);
    EXPECT_EQ(g.searchState.SAKI[1][1], -20);  // the best's score stays first for the turn
    seconds += second;
  }
  EXPECT_GT(seconds, 0);
  EXPECT_LT(seconds, 40);

  SetRoot({-20, -9, 40});  // gap 11: always the best
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    g.random.Seed(seed);
    g.ranking.ChooseMove();
    EXPECT_EQ(g.ai.ChosenX, 1);
  }
  g.ai.VarietyAllowed = 0;  // never in hint mode (the computer turn forbids it)
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    SetRoot({-20, -12, 40});
    g.random.Seed(seed);
    g.ranking.ChooseMove();
    EXPECT_EQ(g.ai.ChosenX, 1);
  }
}

TEST_F(RootRankingTest, VarietyAtLevelsFiveAndSixGivesAwayNoMoreThanTheLowerLevels) {
  g.settings.ThinkingVaries = 1;
  for (int level : {5, 6}) {
    g.ai.Level = static_cast<int16_t>(level);
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      SetRoot({-50, -10, 40});  // gap 40: always the best
      g.random.Seed(seed);
      g.ranking.ChooseMove();
      EXPECT_EQ(g.ai.ChosenX, 1);
      EXPECT_EQ(g.ai.ShownValue, 50);
      SetRoot({-50, -45, 40});  // gap 5: the coin decides
      g.random.Seed(seed);
      platform::Random copy;
      copy.Seed(seed);
      const bool second = copy.Next() < 0.5;
      g.ranking.ChooseMove();
      EXPECT_EQ(g.ai.ChosenX, second ? 2 : 1);
      EXPECT_EQ(g.ai.ShownValue, second ? 45 : 50);
    }
  }
}

class DeepPassObserver : public SearchObserver {
 public:
  explicit DeepPassObserver(Game& game) : g(game) {}
  void OnProgress(int) override {}
  void OnDeepPass() override {
    depth = g.ai.LookAheadDepth;
    cut = g.ai.MovesCut;
    roots = g.ai.RootCount;
  }
  Game& g;
  float depth = 0, cut = -1, roots = 0;
};

TEST_F(RootRankingTest, LevelSixCutsBeforeTheDeepPassAndKeepsAtLeastTwo) {
  TestRandom rng(71);
  FillRandomTables(g, rng);
  DeepPassObserver observer(g);
  g.searchState.Observer = &observer;
  g.ai.Level = 6;
  g.settings.SearchParameter = 43;
  for (int round = 0; round < (kSanitized ? 1 : 3); ++round) {
    RandomPosition p;
    do {
      while (!MakeRandomPosition(rng, 16, p)) {
      }
    } while (std::popcount(LegalMoves(OwnBits(p), OtherBits(p))) < 6);
    LayPosition(g, p);
    const int before = std::popcount(LegalMoves(OwnBits(p), OtherBits(p)));
    g.searchDriver.ThinkMiddleGame();
    EXPECT_GE(observer.roots, 2);
    EXPECT_EQ(observer.roots + observer.cut, before);
    EXPECT_EQ(observer.depth, observer.roots <= 5 ? 8 : 7);
  }
}

}  // namespace
}  // namespace kerna::test
