// The search visits the same nodes in the same order, whatever its kernels do
// per node: the nodes and leaf evaluations of the middle-game search at depths
// 2 to 5 and of both solvers over fixed random positions are pinned (the bench
// pins its own positions; these run in every build, sanitizers included). A
// change to the move order, the cutoffs or the move rules moves these counts.
#include <gtest/gtest.h>

#include "reference_players.hpp"

namespace kerna::test {
namespace {

class NodeCountTest : public ::testing::Test {
 protected:
  EngineWorld world;
  Game& g = world.g;
  TestRandom rng{2024};

  NodeCountTest() {
    g.searchState.Observer = nullptr;
    TestRandom tables(11);
    FillRandomTables(g, tables);
  }

  RandomPosition Position(int empties) {
    RandomPosition p;
    while (!MakeRandomPosition(rng, empties, p)) {
    }
    return p;
  }

  void Prepare(const RandomPosition& p) {
    LayPosition(g, p);
    g.ai.GameStage = 2;
    g.searchDriver.PrepareSearch();
  }
};

TEST_F(NodeCountTest, MiddleGameSearchVisitsThePinnedNodes) {
  uint64_t nodes = 0, evaluations = 0;
  for (int round = 0; round < 12; ++round) {
    Prepare(Position(24 + 2 * round));
    g.searchDriver.ExpandRoot();
    g.ai.LookAheadDepth = static_cast<float>(2 + round % 4);
    g.searchDriver.ResetSearchTables();
    g.search.Search();
    nodes += g.searchState.Nodes;
    evaluations += g.searchState.Evaluations;
  }
  EXPECT_EQ(nodes, 69335u);
  EXPECT_EQ(evaluations, 59254u);
}

TEST_F(NodeCountTest, WinLossDrawSolverVisitsThePinnedNodes) {
  uint64_t nodes = 0;
  for (int round = 0; round < 8; ++round) {
    const int empties = 6 + round;
    Prepare(Position(empties));
    g.ai.EndgameDepthLimit = static_cast<uint8_t>(56 - 60 + empties);
    g.searchDriver.ExpandRoot();
    g.searchDriver.ResetSearchTables();
    g.searchState.SEL[1] = 1;
    g.searchDriver.EncodeSigned();
    g.search.SolveWinLossDraw();
    g.searchDriver.DecodeSigned();
    nodes += g.searchState.Nodes;
  }
  EXPECT_EQ(nodes, 149034u);
}

TEST_F(NodeCountTest, ExactSolverVisitsThePinnedNodes) {
  uint64_t nodes = 0;
  for (int round = 0; round < 8; ++round) {
    Prepare(Position(4 + round));
    g.searchDriver.ExpandRootExact();
    g.searchDriver.ResetSearchTables();
    g.search.SolveExact();
    nodes += g.searchState.Nodes;
  }
  EXPECT_EQ(nodes, 1061982u);
}

}  // namespace
}  // namespace kerna::test
