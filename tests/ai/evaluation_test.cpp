// Checks of the evaluation: an independent reference written from the rules of
// the evaluation, the 8-bit wraps, the empty-edge rule, the corner correction,
// the frontier cost, layer independence and the board's symmetries.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "ai_test_support.hpp"

namespace kerna::test {
namespace {

using Square = std::pair<int, int>;

// The 38 lines in reading order, built by walking the board (not from the engine's tables).
std::vector<std::vector<Square>> ReferenceLines() {
  std::vector<std::vector<Square>> lines;
  for (int x = 1; x <= 8; ++x) {
    lines.emplace_back();
    for (int y = 1; y <= 8; ++y) lines.back().push_back({x, y});
  }
  for (int y = 1; y <= 8; ++y) {
    lines.emplace_back();
    for (int x = 1; x <= 8; ++x) lines.back().push_back({x, y});
  }
  for (int d = -7; d <= 7; ++d) {  // x - y = d, walked by increasing row
    std::vector<Square> line;
    for (int y = 1; y <= 8; ++y)
      if (y + d >= 1 && y + d <= 8) line.push_back({y + d, y});
    if (line.size() >= 3) lines.push_back(line);
  }
  for (int s = 2; s <= 16; ++s) {  // x + y = s, walked by increasing row
    std::vector<Square> line;
    for (int y = 1; y <= 8; ++y)
      if (s - y >= 1 && s - y <= 8) line.push_back({s - y, y});
    if (line.size() >= 3) lines.push_back(line);
  }
  return lines;
}

int ReferenceEvaluate(const Game& g, int layer) {
  static const std::vector<std::vector<Square>> lines = ReferenceLines();
  auto cell = [&](int x, int y) { return static_cast<int>(g.board.cell[x][y][layer]); };
  const int stage = g.ai.GameStage;
  std::vector<int> index;
  int main_diagonal = 0, anti_diagonal = 0;
  std::vector<int> edges;
  for (const auto& line : lines) {
    int value = 0, power = 1;
    for (auto [x, y] : line) {
      value += cell(x, y) * power;
      power *= 3;
    }
    index.push_back(value);
    if (line.size() == 8 && line[0] == Square{1, 1} && line[7] == Square{8, 8})
      main_diagonal = value;
    if (line.size() == 8 && line[0] == Square{8, 1} && line[7] == Square{1, 8})
      anti_diagonal = value;
    const bool edge =
        (line.front().first == line.back().first && (line[0].first == 1 || line[0].first == 8)) ||
        (line.front().second == line.back().second && (line[0].second == 1 || line[0].second == 8));
    if (edge) edges.push_back(value);
  }
  EXPECT_EQ(lines.size(), 38u);
  EXPECT_EQ(edges.size(), 4u);

  int pattern[3] = {}, place[3] = {}, frontier[3] = {};
  for (int c = 1; c <= 2; ++c) {
    int columns = 0;
    for (int l = 0; l < 8; ++l) columns += g.tables.Pattern[index[l]][c - 1];
    pattern[c] = static_cast<int8_t>(columns);
    for (int l = 8; l < 38; ++l) pattern[c] += g.tables.Pattern[index[l]][c - 1];
  }
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const int c = cell(x, y);
      if (c != 1 && c != 2) continue;
      int empty_neighbours = 0;
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
          if ((dx || dy) && cell(x + dx, y + dy) == 0) ++empty_neighbours;
      frontier[c] -= 2 * empty_neighbours;
      place[c] += g.placementTables.SquareClass[x][y][stage];
    }
  const int comp = g.board.ComputerSide, opp = 3 - comp, moved = g.board.SideToMove;
  auto side_total = [&](int c, int pattern_colour) {
    const int diagonal = static_cast<int8_t>(g.tables.Edge[main_diagonal][c == 1 ? 6 : 7] +
                                             g.tables.Edge[anti_diagonal][c == 1 ? 6 : 7]);
    int tempo = 0, plain = 0;
    if (std::any_of(edges.begin(), edges.end(), [](int e) { return e != 0; })) {
      const int tempo_column = c == moved ? (c == 1 ? 0 : 2) : (c == 1 ? 1 : 3);
      for (int e : edges) {
        tempo += g.tables.Edge[e][tempo_column];
        plain += g.tables.Edge[e][c == 1 ? 4 : 5];
      }
    }
    return place[c] + 10 * static_cast<int8_t>(tempo) + 10 * static_cast<int8_t>(plain) +
           50 * diagonal + pattern[pattern_colour];
  };
  int comp_total = side_total(comp, comp);
  int opp_total = side_total(opp, g.board.HumanSide);
  const Square corners[4] = {{1, 1}, {8, 1}, {1, 8}, {8, 8}};
  for (auto [cx, cy] : corners) {
    if (cell(cx, cy) == 0) continue;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) {
        const int x = cx + dx, y = cy + dy;
        if ((dx == 0 && dy == 0) || x < 1 || x > 8 || y < 1 || y > 8) continue;
        if (cell(x, y) == comp) comp_total -= g.placementTables.SquareClass[x][y][stage];
        if (cell(x, y) == g.board.HumanSide)
          opp_total -= g.placementTables.SquareClass[x][y][stage];
      }
  }
  return static_cast<int16_t>(comp_total + 5 * (frontier[comp] - frontier[opp]) - opp_total);
}

class EvaluationTest : public ::testing::Test {
 protected:
  EngineWorld world;
  Game& g = world.g;

  int EvaluateLayer(int layer, int just_moved) {
    g.board.Layer = static_cast<int16_t>(layer);
    g.board.SideToMove = static_cast<int16_t>(just_moved);
    g.evaluation.Evaluate();
    EXPECT_EQ(g.board.SideToMove, just_moved);
    return g.ai.ShownValue;
  }
  void SetSides(int computer) {
    g.board.ComputerSide = static_cast<int16_t>(computer);
    g.board.HumanSide = static_cast<int16_t>(3 - computer);
  }
  void RandomLayer(TestRandom& rng, int layer, int empty_percent) {
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y)
        g.board.cell[x][y][layer] =
            static_cast<int16_t>(rng.Below(100) < empty_percent ? 0 : 1 + rng.Below(2));
  }
};

constexpr std::array<std::string_view, 8> kStart{"........", "........", "........", "...OX...",
                                                 "...XO...", "........", "........", "........"};

TEST_F(EvaluationTest, AgreesWithReferenceOnRandomPositionsAndTables) {
  TestRandom rng(7);
  for (int round = 0; round < 300; ++round) {
    if (round % 20 == 0) {  // fresh random tables now and then, full 8-bit range
      for (auto& row : g.tables.Edge)
        for (auto& v : row) v = static_cast<int8_t>(rng.Below(256) - 128);
      for (auto& row : g.tables.Pattern)
        for (auto& v : row) v = static_cast<int8_t>(rng.Below(256) - 128);
      for (auto& column : g.placementTables.SquareClass)
        for (auto& square : column)
          for (auto& v : square) v = static_cast<int16_t>(rng.Below(61) - 30);
    }
    const int layer = 1 + rng.Below(kLayers - 1);
    RandomLayer(rng, layer, rng.Below(90));
    g.ai.GameStage = static_cast<int16_t>(rng.Below(5));
    SetSides(1 + rng.Below(2));
    const int moved = 1 + rng.Below(2);
    g.board.SideToMove = static_cast<int16_t>(moved);
    ASSERT_EQ(EvaluateLayer(layer, moved), ReferenceEvaluate(g, layer)) << "round " << round;
  }
}

TEST_F(EvaluationTest, ColumnPatternSumWrapsToEightBitsBeforeTheOtherLines) {
  SetLayer(g, 1, kStart);
  SetSides(1);
  for (auto& row : g.tables.Pattern) row[0] = 100;  // every white line value 100
  EvaluateLayer(1, 1);
  // 8 columns: 800 wraps to 32; the 30 other lines add 3000 unwrapped.
  EXPECT_EQ(g.evalState.PatternSum[1], 32 + 3000);
  EXPECT_EQ(g.evalState.PatternSum[2], 0);
  for (auto& row : g.tables.Pattern) row[0] = -100;
  EvaluateLayer(1, 1);
  EXPECT_EQ(g.evalState.PatternSum[1], -32 - 3000);
  EXPECT_EQ(g.ai.ShownValue, -3032 + 5 * g.evalState.FrontierDiff);
}

TEST_F(EvaluationTest, EmptyEdgesGiveNoEdgeTermsButTheDiagonalsCount) {
  SetLayer(g, 1, kStart);
  SetSides(2);
  for (auto& row : g.tables.Edge)
    for (auto& v : row) v = 10;
  EvaluateLayer(1, 2);
  for (int c = 1; c <= 2; ++c) {
    EXPECT_EQ(g.evalState.EdgeTempo[c], 0);
    EXPECT_EQ(g.evalState.EdgeNoTempo[c], 0);
    EXPECT_EQ(g.evalState.DiagonalSum[c], 20);
  }
  const int frontier_only = 5 * g.evalState.FrontierDiff;
  EXPECT_EQ(g.ai.ShownValue, frontier_only);  // both sides' diagonal terms cancel

  g.board.cell[1][5][1] = kBlack;  // one disc on the edge: all edge terms count
  EvaluateLayer(1, 2);
  EXPECT_EQ(g.evalState.EdgeTempo[2], 40);
  EXPECT_EQ(g.evalState.EdgeNoTempo[1], 40);

  // The four edge values wrap to 8 bits: 4 x 100 = 400 -> -112.
  for (auto& row : g.tables.Edge)
    for (auto& v : row) v = 100;
  EvaluateLayer(1, 2);
  EXPECT_EQ(g.evalState.EdgeTempo[2], -112);
  EXPECT_EQ(g.evalState.DiagonalSum[1], -56);  // 200 -> -56
}

TEST_F(EvaluationTest, TempoColumnFollowsTheSideThatHasJustMoved) {
  SetLayer(g, 1,
           {"X.......", "........", "........", "...OX...", "...XO...", "........", "........",
            "........"});
  SetSides(2);
  for (auto& row : g.tables.Edge) {
    row[0] = 1;  // white just moved
    row[1] = 2;  // white to move next
    row[2] = 3;  // black just moved
    row[3] = 4;  // black to move next
  }
  EvaluateLayer(1, 2);
  EXPECT_EQ(g.evalState.EdgeTempo[2], 12);
  EXPECT_EQ(g.evalState.EdgeTempo[1], 8);
  EvaluateLayer(1, 1);
  EXPECT_EQ(g.evalState.EdgeTempo[2], 16);
  EXPECT_EQ(g.evalState.EdgeTempo[1], 4);
}

TEST_F(EvaluationTest, OccupiedCornerTakesBackItsNeighboursPlacementWhoeverOwnsIt) {
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      g.placementTables.SquareClass[x][y][0] = static_cast<int16_t>(x * 10 + y);
  SetSides(1);  // computer white
  // Human corner at (8,8); computer on (7,7), human on (8,7); (7,8) empty.
  SetLayer(g, 1,
           {"........", "........", "........", "...OX...", "...XO...", "........", "......OX",
            ".......X"});
  EvaluateLayer(1, 1);
  EXPECT_EQ(g.evalState.CornerTakeBackComp, 77);
  EXPECT_EQ(g.evalState.CornerTakeBackOpp, 87);
  const int with_corner = g.ai.ShownValue;
  EXPECT_EQ(with_corner, ReferenceEvaluate(g, 1));
  // The same squares without the corner disc: no correction.
  g.board.cell[8][8][1] = kEmpty;
  EvaluateLayer(1, 1);
  EXPECT_EQ(g.evalState.CornerTakeBackComp, 0);
  EXPECT_EQ(g.evalState.CornerTakeBackOpp, 0);
  // Both neighbours lose their placement: the computer's 77 and the human's 87.
  // (The corner's own placement and frontier change too; compare with the reference.)
  EXPECT_EQ(g.ai.ShownValue, ReferenceEvaluate(g, 1));
  EXPECT_EQ(g.evalState.PlacementSum[1], 44 + 55 + 77);
}

TEST_F(EvaluationTest, IsolatedDiscCostsSixteenFrontierAndEightyInTheValue) {
  SetSides(2);
  SetLayer(g, 1,
           {"........", "........", "........", "....X...", "........", "........", "........",
            "........"});
  EXPECT_EQ(EvaluateLayer(1, 2), -80);
  EXPECT_EQ(g.evalState.FrontierSum[2], -16);
  EXPECT_EQ(g.board.OpennessSum, -16);
  // A corner disc with all three neighbours taken has no open neighbour.
  SetLayer(g, 1,
           {"XO......", "OO......", "........", "........", "........", "........", "........",
            "........"});
  EvaluateLayer(1, 2);
  EXPECT_EQ(g.evalState.FrontierSum[2], 0);
  EXPECT_EQ(g.evalState.FrontierSum[1], -2 * (2 + 2 + 5));
  // OpennessSum keeps the neighbour sum of the last disc in column-major order: (2,2).
  EXPECT_EQ(g.board.OpennessSum, -10);
}

TEST_F(EvaluationTest, SamePositionScoresAlikeOnEveryLayer) {
  TestRandom rng(11);
  for (auto& row : g.tables.Pattern)
    for (auto& v : row) v = static_cast<int8_t>(rng.Below(256) - 128);
  for (auto& row : g.tables.Edge)
    for (auto& v : row) v = static_cast<int8_t>(rng.Below(256) - 128);
  SetSides(1);
  for (int round = 0; round < 20; ++round) {
    RandomLayer(rng, 0, 40);
    const int expected = EvaluateLayer(0, 2);
    for (int layer = 1; layer < kLayers; ++layer) {
      CopyLayer(g, 0, layer);
      ASSERT_EQ(EvaluateLayer(layer, 2), expected) << "layer " << layer;
    }
  }
}

// Tables that no symmetry of the board can tell apart: values depend only on how
// many white and black discs a line holds (so reversal changes nothing), with the
// colours' columns mirrored, and placement classes by distance from the centre.
void FillSymmetricTables(Game& g, TestRandom& rng) {
  int pattern[9][9], edge[9][9][4];
  for (auto& row : pattern)
    for (int& v : row) v = rng.Below(31) - 15;  // eight columns stay within 8 bits
  for (auto& row : edge)
    for (auto& cell : row)
      for (int& v : cell) v = rng.Below(63) - 31;  // four edges stay within 8 bits
  for (int index = 0; index < kLineConfigurations; ++index) {
    int whites = 0, blacks = 0;
    for (int rest = index; rest > 0; rest /= 3) {
      whites += rest % 3 == 1;
      blacks += rest % 3 == 2;
    }
    g.tables.Pattern[index][0] = static_cast<int8_t>(pattern[whites][blacks]);
    g.tables.Pattern[index][1] = static_cast<int8_t>(pattern[blacks][whites]);
    for (int role = 0; role < 4; ++role) {  // white column 0,1,4,6 <-> black column 2,3,5,7
      static constexpr int kWhiteColumn[4] = {0, 1, 4, 6}, kBlackColumn[4] = {2, 3, 5, 7};
      g.tables.Edge[index][kWhiteColumn[role]] = static_cast<int8_t>(edge[whites][blacks][role]);
      g.tables.Edge[index][kBlackColumn[role]] = static_cast<int8_t>(edge[blacks][whites][role]);
    }
  }
  int by_distance[4][4];
  for (auto& row : by_distance)
    for (int& v : row) v = rng.Below(41) - 20;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const int a = std::min(x, 9 - x) - 1, b = std::min(y, 9 - y) - 1;
      for (int s = 0; s < 5; ++s)
        g.placementTables.SquareClass[x][y][s] =
            static_cast<int16_t>(by_distance[std::min(a, b)][std::max(a, b)] + s);
    }
}

TEST_F(EvaluationTest, MirrorImagesAndTheColourSwappedTwinEvaluateAlike) {
  TestRandom rng(23);
  FillSymmetricTables(g, rng);
  for (int round = 0; round < 100; ++round) {
    RandomLayer(rng, 0, rng.Below(80));
    g.ai.GameStage = static_cast<int16_t>(rng.Below(4));
    const int computer = 1 + rng.Below(2), moved = 1 + rng.Below(2);
    SetSides(computer);
    const int expected = EvaluateLayer(0, moved);
    for (int symmetry = 1; symmetry < 8; ++symmetry) {
      for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) {
          int u = (symmetry & 1) ? 9 - x : x, v = (symmetry & 2) ? 9 - y : y;
          if (symmetry & 4) std::swap(u, v);
          g.board.cell[u][v][symmetry] = g.board.cell[x][y][0];
        }
      ASSERT_EQ(EvaluateLayer(symmetry, moved), expected) << "symmetry " << symmetry;
    }
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) {
        const int v = g.board.cell[x][y][0];
        g.board.cell[x][y][8] = static_cast<int16_t>(v == 0 ? 0 : 3 - v);
      }
    SetSides(3 - computer);
    ASSERT_EQ(EvaluateLayer(8, 3 - moved), expected) << "colour-swapped twin, round " << round;
  }
}

}  // namespace
}  // namespace kerna::test
