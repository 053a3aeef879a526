// The bitboard search against the layer search it replaces, on random
// positions: every ply table, the node and evaluation counts at every progress
// report and at the end, the evaluation's leftovers and layer 1, for the
// middle-game search at depths 1..5 and both solvers.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "legacy/legacy_game_tree_search.hpp"
#include "reference_players.hpp"

namespace kerna::test {
namespace {

std::vector<int64_t> Snapshot(const Game& g) {
  const SearchState& s = g.searchState;
  std::vector<int64_t> out;
  auto add = [&out](const auto& array) {
    for (const auto& v : array) out.push_back(v);
  };
  add(s.EN);
  add(s.SEL);
  add(s.AB);
  for (int ply = 0; ply < kPlies; ++ply) {
    add(s.MX[ply]);
    add(s.MY[ply]);
    add(s.SAKI[ply]);
  }
  add(s.OrderKey);
  add(s.MovesOnLine);
  out.push_back(s.PS);
  out.push_back(static_cast<int64_t>(s.Nodes));
  out.push_back(static_cast<int64_t>(s.Evaluations));
  out.push_back(s.StoppedAtWin);
  return out;
}

std::vector<int64_t> FinalState(const Game& g) {
  std::vector<int64_t> out = Snapshot(g);
  const EvalState& e = g.evalState;
  auto add = [&out](const auto& array) {
    for (const auto& v : array) out.push_back(v);
  };
  add(e.LineIndex);
  add(e.PatternSum);
  add(e.PlacementSum);
  add(e.FrontierSum);
  add(e.EdgeTempo);
  add(e.EdgeNoTempo);
  add(e.DiagonalSum);
  for (int16_t v :
       {e.FrontierDiff, e.CornerTakeBackComp, e.CornerTakeBackOpp, e.CompTotal, e.OppTotal,
        g.ai.ShownValue, g.board.OpennessSum, g.board.Layer, g.board.SideToMove})
    out.push_back(v);
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) out.push_back(g.board.cell[x][y][1]);
  return out;
}

class Recorder : public SearchObserver {
 public:
  explicit Recorder(const Game& g) : g_(g) {}
  void OnProgress(int) override { reports.push_back(Snapshot(g_)); }
  std::vector<std::vector<int64_t>> reports;

 private:
  const Game& g_;
};

class KernelDifferentialTest : public ::testing::Test {
 protected:
  EngineWorld fast_world, old_world;
  Game& fast = fast_world.g;
  Game& old = old_world.g;
  LegacyEvaluation old_evaluation{old.board, old.ai, old.evalState, old.tables,
                                  old.placementTables};
  LegacyGameTreeSearch old_search{old.board,      old.searchState,     old.ai,
                                  old_evaluation, old.placementTables, old_world.io};
  Recorder fast_recorder{fast}, old_recorder{old};
  TestRandom rng{77};

  KernelDifferentialTest() {
    TestRandom tables_a(9), tables_b(9);
    FillRandomTables(fast, tables_a);
    FillRandomTables(old, tables_b);
    fast.searchState.Observer = &fast_recorder;
    old.searchState.Observer = &old_recorder;
  }

  void Lay(const RandomPosition& p, int stage) {
    for (Game* g : {&fast, &old}) {
      LayPosition(*g, p);
      g->ai.GameStage = static_cast<int16_t>(stage);
      g->board.Layer = 1;
      g->searchState.Nodes = 0;
      g->searchState.Evaluations = 0;
    }
    fast.search.BuildEmptySquareList();
    old_search.BuildEmptySquareList();
    fast_recorder.reports.clear();
    old_recorder.reports.clear();
  }

  void ExpectSame(const char* what, int round) {
    ASSERT_EQ(fast_recorder.reports, old_recorder.reports) << what << " round " << round;
    ASSERT_EQ(FinalState(fast), FinalState(old)) << what << " round " << round;
  }
};

TEST_F(KernelDifferentialTest, EvaluationOfALayerIsUnchanged) {
  for (int round = 0; round < 300; ++round) {
    RandomPosition p;
    if (!MakeRandomPosition(rng, 1 + rng.Below(60), p)) continue;
    Lay(p, rng.Below(6) - 1);
    for (Game* g : {&fast, &old}) g->board.SideToMove = static_cast<int16_t>(1 + round % 2);
    fast.evaluation.Evaluate();
    old_evaluation.Evaluate();
    ExpectSame("evaluate", round);
    fast.evaluation.ComputeLineIndices();
    fast.evaluation.ComputeEdgeTerms();
    fast.evaluation.ComputeCornerCorrection();
    old_evaluation.ComputeLineIndices();
    old_evaluation.ComputeEdgeTerms();
    old_evaluation.ComputeCornerCorrection();
    ExpectSame("evaluation parts", round);
  }
}

TEST_F(KernelDifferentialTest, MiddleGameSearchIsUnchanged) {
  const int rounds = kSanitized ? 20 : 150;
  for (int round = 0; round < rounds; ++round) {
    RandomPosition p;
    if (!MakeRandomPosition(rng, 20 + rng.Below(40), p)) continue;
    const int depth = 1 + round % 5;
    Lay(p, rng.Below(6) - 1);
    fast.search.ExpandPly();
    old_search.ExpandPly();
    ExpectSame("expand", round);
    for (Game* g : {&fast, &old}) g->ai.LookAheadDepth = static_cast<float>(depth);
    fast.search.Reset();
    old_search.Reset();
    fast.search.Search();
    old_search.Search();
    ExpectSame("search", round);
    // A second pass over the kept root, as the ranking does.
    for (Game* g : {&fast, &old}) --g->searchState.EN[1];
    fast.search.Reset();
    old_search.Reset();
    fast.searchState.SEL[1] = old.searchState.SEL[1] = 1;
    fast.search.Search();
    old_search.Search();
    ExpectSame("second pass", round);
  }
}

TEST_F(KernelDifferentialTest, WinLossDrawSolverIsUnchanged) {
  const int rounds = kSanitized ? 10 : 120;
  for (int round = 0; round < rounds; ++round) {
    RandomPosition p;
    const int empties = 4 + rng.Below(9);
    if (!MakeRandomPosition(rng, empties, p)) continue;
    Lay(p, 3);
    for (Game* g : {&fast, &old}) g->ai.EndgameDepthLimit = static_cast<uint8_t>(56 - 60 + empties);
    fast.search.ExpandPly();
    old_search.ExpandPly();
    for (Game* g : {&fast, &old}) g->ai.LookAheadDepth = 2;
    fast.search.Reset();
    old_search.Reset();
    fast.search.Search();
    old_search.Search();
    ExpectSame("ranking", round);
    fast.search.Reset();
    old_search.Reset();
    fast.searchState.SEL[1] = old.searchState.SEL[1] = 1;
    fast.searchDriver.EncodeSigned();
    old.searchDriver.EncodeSigned();
    fast.search.SolveWinLossDraw();
    old_search.SolveWinLossDraw();
    fast.searchDriver.DecodeSigned();
    old.searchDriver.DecodeSigned();
    ExpectSame("win-loss-draw", round);
  }
}

TEST_F(KernelDifferentialTest, ExactSolverIsUnchanged) {
  const int rounds = kSanitized ? 10 : 120;
  for (int round = 0; round < rounds; ++round) {
    RandomPosition p;
    if (!MakeRandomPosition(rng, 3 + rng.Below(8), p)) continue;
    Lay(p, 4);
    fast.search.ExpandPlyExact();
    old_search.ExpandPlyExact();
    fast.search.Reset();
    old_search.Reset();
    fast.search.SolveExact();
    old_search.SolveExact();
    ExpectSame("exact", round);
  }
}

}  // namespace
}  // namespace kerna::test
