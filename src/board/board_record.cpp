// The game record: one entry per disc placed, side * 100 + X * 10 + Y at index
// n = discs on the board - 4, and its replay from the start position, which
// undo uses to take back the human's latest move.
#include <algorithm>
#include <cmath>

#include "board/board_rules.hpp"
namespace kerna {

void BoardRules::ComputeMoveNumber() {
  BoardState& b = board_;
  int empty = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) empty += b.cell[x][y][b.Layer] == kEmpty;
  }
  b.MoveNumber = static_cast<float>(60 - empty);
}

void BoardRules::RecordMove() {
  BoardState& b = board_;
  ComputeMoveNumber();
  const int n = static_cast<int>(b.MoveNumber);
  // A start position with fewer than four discs gives a move number below 1;
  // such a move has no place in the record and must not be written before it.
  if (n >= 1 && n <= kRecordSize) {
    b.GameRecord[n] = static_cast<float>(b.SideToMove * 100 + b.SquareX * 10 + b.SquareY);
  }
  for (int i = std::max(n + 1, 1); i <= kRecordSize; ++i) b.GameRecord[i] = 0;
}

void BoardRules::ReplayRecord() {
  BoardState& b = board_;
  const int16_t kept_side = b.SideToMove;
  b.Layer = 0;
  b.MovesPlayed = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      b.PreviousPosition[x][y] = b.Position[x][y];
      b.cell[x][y][0] = b.StartPosition[x][y];
    }
  }

  int last_human = 0;  // the human's latest entry
  for (int n = kRecordSize; n >= 1; --n) {
    if (static_cast<int>(std::floor(b.GameRecord[n] / 100)) == b.HumanSide) {
      last_human = n;
      break;
    }
  }
  if (last_human == 0) {
    // Nothing of the human's to take back: layer 0 returns to the position shown.
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) b.cell[x][y][0] = b.Position[x][y];
    }
    b.SideToMove = kept_side;
    return;
  }

  for (int n = 1; n < last_human; ++n) {
    const float entry = b.GameRecord[n];
    if (entry <= 0) continue;
    const float side = std::floor(entry / 100);
    const float x = std::floor((entry - side * 100) / 10);
    b.SideToMove = static_cast<int16_t>(side);
    b.SquareX = static_cast<int16_t>(x);
    b.SquareY = static_cast<int16_t>(std::lround(entry - side * 100 - x * 10));
    MakeMoveFast();
  }

  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.PreviousPosition[x][y] = b.cell[x][y][0];
  }
  CopyLayerToPosition();
  b.SideToMove = kept_side;
}

}  // namespace kerna
