// The evaluation runs at every leaf of the search, on the bitboards and the
// line indices the search keeps move by move; a Board layer is read into the
// same form first. It keeps the 8-bit and 16-bit wraps the scoring depends on.
#include "ai/evaluation.hpp"

#include <algorithm>
#include <bit>

#include "ai/bitboard.hpp"
#include "ai/line_geometry.hpp"

namespace kerna {

namespace {

using ai::kLineCount;

// A disc's frontier weight: each empty neighbour costs 2, any other neighbour
// (a disc or the edge of the board) nothing.
constexpr int kEmptyNeighbourCost = 2;

// The discs of the side `value` stands for (1 white, 2 black; none otherwise).
ai::Bitboard DiscsOf(const ai::DiscPosition& p, int value) {
  return value == kWhite || value == kBlack ? p.discs[value] : 0;
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

// The three squares next to each corner.
constexpr std::array<ai::Bitboard, 4> kCornerNeighbours{
    ai::SquareBit(2, 1) | ai::SquareBit(2, 2) | ai::SquareBit(1, 2),
    ai::SquareBit(7, 1) | ai::SquareBit(7, 2) | ai::SquareBit(8, 2),
    ai::SquareBit(1, 7) | ai::SquareBit(2, 7) | ai::SquareBit(2, 8),
    ai::SquareBit(8, 7) | ai::SquareBit(7, 7) | ai::SquareBit(7, 8),
};
constexpr std::array<ai::Bitboard, 4> kCorners{ai::SquareBit(1, 1), ai::SquareBit(8, 1),
                                               ai::SquareBit(1, 8), ai::SquareBit(8, 8)};

int PlacementOf(ai::Bitboard squares, const PlacementTables& placement, int stage) {
  int sum = 0;
  for (; squares != 0; squares &= squares - 1) {
    const int bit = ai::LowestBit(squares);
    sum += placement.SquareClass[ai::ColumnOfBit(bit)][ai::RowOfBit(bit)][stage];
  }
  return sum;
}

void CornerCorrection(const BoardState& board, const PlacementTables& placement,
                      const ai::DiscPosition& p, int stage, EvalState& e) {
  ai::Bitboard taken_back = 0;
  const ai::Bitboard occupied = p.discs[kWhite] | p.discs[kBlack];
  for (int corner = 0; corner < 4; ++corner)
    if ((occupied & kCorners[corner]) != 0) taken_back |= kCornerNeighbours[corner];
  int comp = 0, opp = 0;
  if (taken_back != 0) {
    comp = PlacementOf(taken_back & DiscsOf(p, board.ComputerSide), placement, stage);
    opp = PlacementOf(taken_back & DiscsOf(p, board.HumanSide), placement, stage);
  }
  e.CornerTakeBackComp = static_cast<int16_t>(comp);
  e.CornerTakeBackOpp = static_cast<int16_t>(opp);
}

}  // namespace

const int16_t* Evaluation::LayerBase() const {
  return &board_.cell[0][0][0] + board_.Layer;
}

int Evaluation::Stage() const {
  return ai::ClampedStage(ai_.GameStage);
}

ai::DiscPosition Evaluation::LoadLayer() const {
  return ai::LoadDiscPosition(LayerBase(), kWhite, kBlack,
                              ai::PlacementOfStage(placement_, Stage()));
}

void Evaluation::ComputeLineIndices() {
  const ai::DiscPosition p = LoadLayer();
  std::copy_n(p.lines.begin(), kLineCount, state_.LineIndex.begin());
}

void Evaluation::ComputeEdgeTerms() {
  EdgeTerms(tables_, state_.LineIndex, board_.SideToMove, state_);
}

void Evaluation::ComputeCornerCorrection() {
  CornerCorrection(board_, placement_, LoadLayer(), Stage(), state_);
}

void Evaluation::Evaluate() {
  EvaluatePosition(LoadLayer(), board_.SideToMove);
}

void Evaluation::EvaluatePosition(const ai::DiscPosition& p, int just_moved) {
  EvalState& e = state_;
  const EvalTables& t = tables_;

  // Step 1 and 2: line indices, placement and frontier sums.
  const ai::Bitboard occupied = p.discs[kWhite] | p.discs[kBlack];
  const ai::Bitboard empty = ~occupied;
  // The move ordering reads the neighbour sum of the disc scanned last.
  if (occupied != 0) {
    board_.OpennessSum = static_cast<int16_t>(
        -kEmptyNeighbourCost * ai::CountSquares(ai::kNeighbours[ai::HighestBit(occupied)] & empty));
  }
  const int frontier[3] = {0, -kEmptyNeighbourCost * ai::EmptyNeighbourCount(p.discs[1], empty),
                           -kEmptyNeighbourCost * ai::EmptyNeighbourCount(p.discs[2], empty)};
  const std::array<int, 3>& place = p.placement;
  std::copy_n(p.lines.begin(), kLineCount, e.LineIndex.begin());

  // Both colours' pattern scores of a line sit side by side: one pass reads them
  // together. The columns' sum wraps to 8 bits before the rest is added.
  int columns[2] = {}, rest[2] = {};
  for (int l = 0; l < ai::kFirstRowLine; ++l) {
    const int8_t* scores = t.Pattern[p.lines[l]];
    columns[0] += scores[0];
    columns[1] += scores[1];
  }
  for (int l = ai::kFirstRowLine; l < kLineCount; ++l) {
    const int8_t* scores = t.Pattern[p.lines[l]];
    rest[0] += scores[0];
    rest[1] += scores[1];
  }
  for (int colour = 1; colour <= 2; ++colour) {
    e.PatternSum[colour] =
        static_cast<int16_t>(static_cast<int8_t>(columns[colour - 1]) + rest[colour - 1]);
    e.PlacementSum[colour] = static_cast<int16_t>(place[colour]);
    e.FrontierSum[colour] = static_cast<int16_t>(frontier[colour]);
  }

  // Step 3: by the computer's colour.
  const int comp = board_.ComputerSide == 1 ? 1 : 2;
  const int opp = 3 - comp;
  const int human = board_.HumanSide == 1 ? 1 : 2;
  e.FrontierDiff = static_cast<int16_t>(frontier[comp] - frontier[opp]);

  // Steps 4 to 6.
  EdgeTerms(t, e.LineIndex, just_moved, e);
  CornerCorrection(board_, placement_, p, Stage(), e);
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
