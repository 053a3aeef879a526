// The evaluation runs at every leaf of the search, so it reads the layer once,
// builds all line indices and per-disc sums in that one scan, and keeps the
// 8-bit and 16-bit wraps that the scoring depends on.
#include "legacy_evaluation.hpp"

#include "ai/layer_geometry.hpp"
#include "ai/line_geometry.hpp"

namespace kerna {

namespace legacy_eval {

constexpr float kLegacyNeighbourWeight[8][4] = {{0, -2, -2, 0}};

using ai::kLineCount;
using ai::SquareOffset;

void LineIndices(const int16_t* layer, std::array<int16_t, kLineCount>& index) {
  int sums[kLineCount + 1] = {};
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int v = layer[SquareOffset(x, y)];
      if (v == 0) continue;
      ai::AddToLineSums(sums, x, y, v);
    }
  }
  for (int l = 0; l < kLineCount; ++l) index[l] = static_cast<int16_t>(sums[l]);
}

void EdgeTerms(const EvalTables& t, const std::array<int16_t, kLineCount>& index, int just_moved,
               EvalState& e) {
  for (int colour = 1; colour <= 2; ++colour) {
    const int diagonal_column = colour == 1 ? 6 : 7;
    e.DiagonalSum[colour] =
        static_cast<int8_t>(t.Edge[index[ai::kMainDiagonalLine]][diagonal_column] +
                            t.Edge[index[ai::kAntiDiagonalLine]][diagonal_column]);
  }
  bool all_edges_empty = true;
  for (int line : ai::kEdgeLines) all_edges_empty = all_edges_empty && index[line] == 0;
  for (int colour = 1; colour <= 2; ++colour) {
    if (all_edges_empty) {
      e.EdgeTempo[colour] = 0;
      e.EdgeNoTempo[colour] = 0;
      continue;
    }
    const int tempo_column = colour == just_moved ? (colour == 1 ? 0 : 2) : (colour == 1 ? 1 : 3);
    const int plain_column = colour == 1 ? 4 : 5;
    int tempo = 0, plain = 0;
    for (int line : ai::kEdgeLines) {
      tempo += t.Edge[index[line]][tempo_column];
      plain += t.Edge[index[line]][plain_column];
    }
    e.EdgeTempo[colour] = static_cast<int8_t>(tempo);
    e.EdgeNoTempo[colour] = static_cast<int8_t>(plain);
  }
}

struct CornerNeighbours {
  int cx, cy;
  int n[3][2];
};
constexpr std::array<CornerNeighbours, 4> kCorners{{
    {1, 1, {{2, 1}, {2, 2}, {1, 2}}},
    {8, 1, {{7, 1}, {7, 2}, {8, 2}}},
    {1, 8, {{1, 7}, {2, 7}, {2, 8}}},
    {8, 8, {{8, 7}, {7, 7}, {7, 8}}},
}};

void CornerCorrection(const BoardState& board, const PlacementTables& placement,
                      const int16_t* layer, int stage, EvalState& e) {
  int comp = 0, opp = 0;
  for (const CornerNeighbours& corner : kCorners) {
    if ((layer[SquareOffset(corner.cx, corner.cy)] & 3) == 0) continue;
    for (const auto& square : corner.n) {
      const int v = layer[SquareOffset(square[0], square[1])];
      const int place = placement.SquareClass[square[0]][square[1]][stage];
      if (v == board.ComputerSide) comp += place;
      if (v == board.HumanSide) opp += place;
    }
  }
  e.CornerTakeBackComp = static_cast<int16_t>(comp);
  e.CornerTakeBackOpp = static_cast<int16_t>(opp);
}

}  // namespace legacy_eval
using namespace legacy_eval;

const int16_t* LegacyEvaluation::LayerBase() const {
  return &board_.cell[0][0][0] + board_.Layer;
}

int LegacyEvaluation::Stage() const {
  return ai::ClampedStage(ai_.GameStage);
}

void LegacyEvaluation::ComputeLineIndices() {
  LineIndices(LayerBase(), state_.LineIndex);
}

void LegacyEvaluation::ComputeEdgeTerms() {
  EdgeTerms(tables_, state_.LineIndex, board_.SideToMove, state_);
}

void LegacyEvaluation::ComputeCornerCorrection() {
  CornerCorrection(board_, placement_, LayerBase(), Stage(), state_);
}

void LegacyEvaluation::Evaluate() {
  EvalState& e = state_;
  const EvalTables& t = tables_;
  const int16_t* layer = LayerBase();
  const int stage = Stage();

  // Step 1 and 2 in one scan: line indices, placement and frontier sums.
  int sums[kLineCount + 1] = {};
  int place[4] = {}, frontier[4] = {};
  int last_neighbour_sum = board_.OpennessSum;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int at = SquareOffset(x, y);
      const int v = layer[at];
      if ((v & 3) == 0) continue;
      ai::AddToLineSums(sums, x, y, v);
      float neighbour_sum = 0;
      for (int offset : ai::kDirections)
        neighbour_sum += kLegacyNeighbourWeight[layer[at + offset] & 7][v];
      last_neighbour_sum = static_cast<int16_t>(neighbour_sum);
      frontier[v] += last_neighbour_sum;
      place[v] += placement_.SquareClass[x][y][stage];
    }
  }
  board_.OpennessSum = static_cast<int16_t>(last_neighbour_sum);
  for (int l = 0; l < kLineCount; ++l) e.LineIndex[l] = static_cast<int16_t>(sums[l]);

  for (int colour = 1; colour <= 2; ++colour) {
    int columns = 0;
    for (int l = 0; l < ai::kFirstRowLine; ++l) columns += t.Pattern[e.LineIndex[l]][colour - 1];
    int pattern = static_cast<int8_t>(columns);
    for (int l = ai::kFirstRowLine; l < kLineCount; ++l)
      pattern += t.Pattern[e.LineIndex[l]][colour - 1];
    e.PatternSum[colour] = static_cast<int16_t>(pattern);
    e.PlacementSum[colour] = static_cast<int16_t>(place[colour]);
    e.FrontierSum[colour] = static_cast<int16_t>(frontier[colour]);
  }

  // Step 3: by the computer's colour.
  const int comp = board_.ComputerSide == 1 ? 1 : 2;
  const int opp = 3 - comp;
  const int human = board_.HumanSide == 1 ? 1 : 2;
  e.FrontierDiff = static_cast<int16_t>(frontier[comp] - frontier[opp]);

  // Steps 4 to 6.
  EdgeTerms(t, e.LineIndex, board_.SideToMove, e);
  CornerCorrection(board_, placement_, layer, stage, e);
  const int comp_total = place[comp] + 10 * e.EdgeTempo[comp] + 10 * e.EdgeNoTempo[comp] +
                         50 * e.DiagonalSum[comp] + e.PatternSum[comp] - e.CornerTakeBackComp;
  const int opp_total = place[opp] + 10 * e.EdgeTempo[opp] + 10 * e.EdgeNoTempo[opp] +
                        50 * e.DiagonalSum[opp] + e.PatternSum[human] - e.CornerTakeBackOpp;
  e.CompTotal = static_cast<int16_t>(comp_total);
  e.OppTotal = static_cast<int16_t>(opp_total);

  // Step 7.
  ai_.ShownValue = static_cast<int16_t>(e.CompTotal + 5 * e.FrontierDiff - e.OppTotal);
}

}  // namespace kerna
