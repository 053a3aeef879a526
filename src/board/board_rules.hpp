// The rules of Reversi as operations on the Board: legality tests, making moves,
// counting, copying positions, and the game record with its replay.
//
// They are the hottest code of the computer player (called tens of thousands of
// times per move), so they allocate nothing and stop at the wall rim instead of
// testing bounds. Each reads and writes the shared variables of BoardState.
#pragma once

namespace kerna {

class Game;

class BoardRules {
 public:
  explicit BoardRules(Game& game) : g_(game) {}

  // Writes the wall rim into all layers and the rim of the 2-D positions.
  void SetUpWalls();

  void TestLegal();
  void TestLegalOpenness();
  int MakeMove();  // returns OpennessSum
  void MakeMoveFast();
  void CountLegalMoves();
  void CountLegalMovesAndMark();
  void CopyPositionToLayers();
  void CopyLayerToPosition();
  void SavePreviousPosition();
  void ComputeMoveNumber();
  void RecordMove();
  void ReplayRecord();

 private:
  Game& g_;
};

}  // namespace kerna
