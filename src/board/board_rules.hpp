// The rules of Reversi as operations on the Board: legality tests, making moves,
// counting, copying positions, and the game record with its replay.
//
// They allocate nothing and stop at the wall rim instead of testing bounds.
// Each reads and writes the shared variables of BoardState, and nothing else.
#pragma once

#include "board/board_state.hpp"

namespace kerna {

// Openness of the disc at (x, y) on a layer: the number of empty cells among its
// eight neighbours, the wall counting as occupied (so at most 5 on an edge and 3
// in a corner). (x, y) must lie inside the rim.
inline int DiscOpenness(const BoardState& board, int x, int y, int layer) {
  int occupied = 0;
  for (int k = 0; k < 8; ++k) {
    occupied += board.cell[x + board.DirectionX[k]][y + board.DirectionY[k]][layer] > 0;
  }
  return 8 - occupied;
}

class BoardRules {
 public:
  explicit BoardRules(BoardState& board) : board_(board) {}

  // Writes the wall rim into all layers and the rim of the 2-D positions.
  void SetUpWalls();

  void TestLegal();
  void TestLegalOpenness();
  int MakeMove();  // returns OpennessSum
  void MakeMoveFast();
  void CountLegalMoves();
  void CopyPositionToLayers();
  void CopyLayerToPosition();
  void SavePreviousPosition();
  void ComputeMoveNumber();
  void RecordMove();
  void ReplayRecord();

 private:
  BoardState& board_;
};

}  // namespace kerna
