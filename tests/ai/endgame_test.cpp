// Both endgame solvers against a bitboard alpha-beta written for the test: the
// exact margin and the move chosen, win/loss/draw, the early stop at the first
// proven win, the single-move rule, the drawn final position and the reported values.
#include <gtest/gtest.h>

#include <algorithm>

#include "reference_players.hpp"

namespace kerna::test {
namespace {

class EndgameTest : public ::testing::Test {
 protected:
  EngineWorld world;
  Game& g = world.g;
  TestRandom rng{101};

  EndgameTest() { g.searchState.Observer = nullptr; }

  // A random position with `empties` empty squares and at least `min_moves` moves.
  RandomPosition Position(int empties, int min_moves = 2) {
    for (;;) {
      RandomPosition p;
      if (MakeRandomPosition(rng, empties, p) &&
          std::popcount(LegalMoves(OwnBits(p), OtherBits(p))) >= min_moves)
        return p;
    }
  }
  static int BestMargin(const std::vector<RootMoveValue>& values) {
    int best = -100;
    for (const auto& v : values) best = std::max(best, v.margin);
    return best;
  }
  static int Sign(int v) { return (v > 0) - (v < 0); }
};

TEST_F(EndgameTest, ExactSolverAgreesWithBruteForceOnScoreAndBestMove) {
  const int positions = kSanitized ? 40 : 300;
  for (int round = 0; round < positions; ++round) {
    const RandomPosition p = Position(6 + round % 5, 1);
    LayPosition(g, p);
    g.ai.SearchSingleCandidate = 1;  // solve even a single move, so every position is checked
    g.searchDriver.ThinkExact();
    const auto values = SolveRootMoves(OwnBits(p), OtherBits(p));
    const int best = BestMargin(values);
    // The first best move in column-major order (the exact solver's root order).
    const auto first_best =
        std::find_if(values.begin(), values.end(), [&](auto& v) { return v.margin == best; });
    ASSERT_EQ(g.searchState.SAKI[1][1], -best) << "round " << round;
    ASSERT_EQ(g.ai.ChosenX, first_best->x) << "round " << round;
    ASSERT_EQ(g.ai.ChosenY, first_best->y) << "round " << round;
    // The others were cut: each score lies between the best and its own true value.
    for (int k = 1; k <= g.searchState.EN[1]; ++k) {
      const auto it = std::find_if(values.begin(), values.end(), [&](auto& v) {
        return v.x == g.searchState.MX[1][k] && v.y == g.searchState.MY[1][k];
      });
      ASSERT_NE(it, values.end());
      EXPECT_GE(g.searchState.SAKI[1][k], -best) << "round " << round;
      EXPECT_LE(g.searchState.SAKI[1][k], -it->margin) << "round " << round;
    }
    const int expected_shown = best > 0 ? 9000 + best : best == 0 ? 0 : -9000 + best;
    EXPECT_EQ(g.ai.ShownValue, expected_shown);
    EXPECT_EQ(g.ai.EndgameDepthLimit, 57 - (60 - (6 + round % 5)));
  }
}

TEST_F(EndgameTest, WinLossDrawSolverFindsTheOutcomeAndPlaysAMoveThatKeepsIt) {
  const int positions = kSanitized ? 12 : 50;
  for (int round = 0; round < positions; ++round) {
    const int empties = 8 + round % 4;
    const RandomPosition p = Position(empties);
    LayPosition(g, p);
    g.ai.SearchSingleCandidate = 0;
    g.searchDriver.ThinkWinLossDraw();
    EXPECT_EQ(g.board.ComputerSide, p.to_move);  // the colours are restored
    EXPECT_EQ(g.board.cell[4][4][0] == kWhite || g.board.cell[4][4][0] == kBlack, true);
    const auto values = SolveRootMoves(OwnBits(p), OtherBits(p));
    const int outcome = Sign(BestMargin(values));
    ASSERT_EQ(g.searchState.SAKI[1][1], -outcome) << "round " << round;
    const auto chosen = std::find_if(values.begin(), values.end(), [&](auto& v) {
      return v.x == g.ai.ChosenX && v.y == g.ai.ChosenY;
    });
    ASSERT_NE(chosen, values.end());
    EXPECT_EQ(Sign(chosen->margin), outcome) << "round " << round;
    EXPECT_EQ(g.ai.ShownValue, outcome * 9000);
    EXPECT_EQ(g.ai.EndgameDepthLimit, 56 - (60 - empties));
  }
}

TEST_F(EndgameTest, WinLossDrawSolverStopsAtTheFirstProvenWin) {
  int stopped = 0;
  for (int round = 0; stopped < (kSanitized ? 3 : 12) && round < 500; ++round) {
    const RandomPosition p = Position(10, 3);
    const auto values = SolveRootMoves(OwnBits(p), OtherBits(p));
    if (std::count_if(values.begin(), values.end(), [](auto& v) { return v.margin > 0; }) < 2)
      continue;
    LayPosition(g, p);
    // The solver branch up to the move choice, to look at the root scores it leaves.
    SearchDriver& d = g.searchDriver;
    d.PrepareSearch();
    g.ai.EndgameDepthLimit = static_cast<uint8_t>(56 - 50);
    d.ExpandRoot();
    g.ai.LookAheadDepth = 4;
    d.ResetSearchTables();
    g.ranking.RankRootCandidates();
    d.ResetSearchTables();
    g.searchState.SEL[1] = 1;
    d.EncodeSigned();
    g.search.SolveWinLossDraw();
    d.DecodeSigned();
    const SearchState& s = g.searchState;
    ASSERT_EQ(s.StoppedAtWin, 1);
    int first_win = 0;
    for (int k = 1; k <= s.EN[1] && first_win == 0; ++k)
      if (s.SAKI[1][k] == -1) first_win = k;
    ASSERT_GT(first_win, 0);
    for (int k = 1; k < first_win; ++k) EXPECT_GE(s.SAKI[1][k], 0);
    for (int k = first_win + 1; k <= s.EN[1]; ++k)
      EXPECT_EQ(s.SAKI[1][k], kNoScore) << "candidate " << k;
    const auto win = std::find_if(values.begin(), values.end(), [&](auto& v) {
      return v.x == s.MX[1][first_win] && v.y == s.MY[1][first_win];
    });
    ASSERT_NE(win, values.end());
    EXPECT_GT(win->margin, 0);
    g.ranking.ChooseSolvedMove();  // the unsearched count as 2: the win is played
    EXPECT_EQ(g.ai.ChosenX, win->x);
    EXPECT_EQ(g.ai.ChosenY, win->y);
    ++stopped;
  }
  EXPECT_GT(stopped, 0);
}

TEST_F(EndgameTest, SingleLegalMoveIsTakenWithoutSolving) {
  for (int solver = 0; solver < 2; ++solver) {
    RandomPosition p;
    for (;;) {
      if (MakeRandomPosition(rng, 8 + rng.Below(5), p) &&
          std::popcount(LegalMoves(OwnBits(p), OtherBits(p))) == 1)
        break;
    }
    LayPosition(g, p);
    g.ai.SearchSingleCandidate = 0;
    g.searchState.SAKI[1][1] = 77;
    if (solver == 0) g.searchDriver.ThinkExact();
    if (solver == 1) g.searchDriver.ThinkWinLossDraw();
    const uint64_t move = LegalMoves(OwnBits(p), OtherBits(p));
    // At most the root expansion's trial of its one move (the middle-game order
    // of the win-loss-draw branch); no search, no ranking pass.
    EXPECT_LE(g.searchState.Nodes, 1u);
    EXPECT_LE(g.searchState.Evaluations, 1u);
    EXPECT_EQ(g.searchState.SEL[1], 1);  // ply 1 expanded, never searched
    EXPECT_EQ(g.searchState.SAKI[1][1], 0);
    EXPECT_EQ(1ull << BitOf(g.ai.ChosenX, g.ai.ChosenY), move);
    EXPECT_EQ(g.board.SquareX, g.ai.ChosenX);
    EXPECT_EQ(g.board.SquareY, g.ai.ChosenY);
  }
}

TEST_F(EndgameTest, DrawnFinalPositionIsZeroInBothSolvers) {
  // Black fills a1 and the game ends 32 to 32 (the middle-game search calls that a loss).
  SetLayer(g, 0,
           {".OXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "OOOOOOOO", "OOOOOOOO", "OOOOOOOO",
            "OOOOOOOO"});
  CopyLayer(g, 0, 1);
  g.board.ComputerSide = kBlack;
  g.board.HumanSide = kWhite;
  g.ai.SearchSingleCandidate = 1;  // a single move: solve it anyway (as a hint does)
  g.searchDriver.ThinkExact();
  EXPECT_EQ(g.searchState.SAKI[1][1], 0);
  EXPECT_EQ(g.ai.ShownValue, 0);
  g.searchDriver.ThinkWinLossDraw();
  EXPECT_EQ(g.searchState.SAKI[1][1], 0);
  EXPECT_EQ(g.ai.ShownValue, 0);
  EXPECT_GT(g.searchState.Nodes, 0u);
}

TEST_F(EndgameTest, ExactSolverReportsWinByTenAsNineThousandTenAndLossBySixAsMinusNineThousandSix) {
  bool won = false, lost = false;
  for (int round = 0; !(won && lost) && round < 5000; ++round) {
    const RandomPosition p = Position(8);
    const int best = BestMargin(SolveRootMoves(OwnBits(p), OtherBits(p)));
    if (!((best == 10 && !won) || (best == -6 && !lost))) continue;
    LayPosition(g, p);
    g.ai.SearchSingleCandidate = 0;
    g.searchDriver.ThinkExact();
    EXPECT_EQ(g.ai.ShownValue, best == 10 ? 9010 : -9006);
    (best == 10 ? won : lost) = true;
  }
  EXPECT_TRUE(won);
  EXPECT_TRUE(lost);
}

}  // namespace
}  // namespace kerna::test
