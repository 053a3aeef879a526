// The middle-game evaluation: scores layer `Layer` of the Board from the
// computer's point of view (placement by stage, frontier, line patterns, edges
// with tempo, long diagonals, corner correction) and leaves it in ShownValue.
#pragma once

#include <cstdint>

#include "ai/ai_state.hpp"
#include "ai/disc_position.hpp"
#include "ai/eval_state.hpp"
#include "board/board_state.hpp"
#include "data/eval_tables.hpp"
#include "data/placement_tables.hpp"

namespace kerna {

class Evaluation {
 public:
  Evaluation(BoardState& board, AiState& ai, EvalState& state, const EvalTables& tables,
             const PlacementTables& placement)
      : board_(board), ai_(ai), state_(state), tables_(tables), placement_(placement) {}

  // E of layer `Layer`, `SideToMove` being the side that has just moved. Leaves
  // the neighbour sum of the last disc scanned in `OpennessSum` (the move
  // ordering reads it).
  void Evaluate();
  // The same for a position the search keeps as bitboards with its line indices
  // and placement sums (taken for the turn's stage); `just_moved` stands for
  // SideToMove. Leaves exactly what Evaluate leaves.
  void EvaluatePosition(const ai::DiscPosition& position, int just_moved);

  // The 38 line indices of layer `Layer` into LineIndex.
  void ComputeLineIndices();
  // Et, Ep and D of both colours from LineIndex (the one-ply player uses them too).
  void ComputeEdgeTerms();
  // The placement that the corner correction takes back from each side on layer `Layer`.
  void ComputeCornerCorrection();

 private:
  const int16_t* LayerBase() const;
  ai::DiscPosition LoadLayer() const;
  int Stage() const;

  BoardState& board_;
  AiState& ai_;
  EvalState& state_;
  const EvalTables& tables_;
  const PlacementTables& placement_;
};

}  // namespace kerna
