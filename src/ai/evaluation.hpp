// The middle-game evaluation: scores layer `Layer` of the Board from the
// computer's point of view (placement by stage, frontier, line patterns, edges
// with tempo, long diagonals, corner correction) and leaves it in ShownValue.
#pragma once

namespace kerna {

class Game;

class Evaluation {
 public:
  explicit Evaluation(Game& game) : g_(game) {}

  // E of layer `Layer`, `SideToMove` being the side that has just moved. Leaves
  // the neighbour sum of the last disc scanned in `OpennessSum` (the move
  // ordering reads it).
  void Evaluate();

  // The 38 line indices of layer `Layer` into LineIndex.
  void ComputeLineIndices();
  // Et, Ep and D of both colours from LineIndex (the one-ply player uses them too).
  void ComputeEdgeTerms();
  // The placement that the corner correction takes back from each side on layer `Layer`.
  void ComputeCornerCorrection();

 private:
  Game& g_;
};

}  // namespace kerna
