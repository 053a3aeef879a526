// The move rules on the layered Board: legality (plain and with openness), the
// two make-move variants, the count of legal moves, and the 2-D copies.
//
// Every walk visits the eight directions in the fixed order of the direction
// table and stops at the first cell that holds no disc; since the rim holds the
// wall value 4, which is neither side and has no disc bit, no walk needs a
// bounds test. Nothing here allocates.
#include "board/board_rules.hpp"

namespace kerna {

namespace {

// A cell holds a disc of either side; false for empty cells and for the wall.
inline bool HoldsDisc(int16_t value) {
  return (value & 3) != 0;
}

}  // namespace

void BoardRules::SetUpWalls() {
  BoardState& b = board_;
  for (int i = 0; i < 10; ++i) {
    for (int d = 0; d < kLayers; ++d) {
      b.cell[i][0][d] = b.cell[i][9][d] = kWall;
      b.cell[0][i][d] = b.cell[9][i][d] = kWall;
    }
    for (Grid* grid : {&b.Position, &b.PreviousPosition, &b.StartPosition}) {
      (*grid)[i][0] = (*grid)[i][9] = kWall;
      (*grid)[0][i] = (*grid)[9][i] = kWall;
    }
  }
}

void BoardRules::TestLegal() {
  BoardState& b = board_;
  b.LegalFlag = 0;
  const int x = b.SquareX, y = b.SquareY, d = b.Layer;
  if (b.cell[x][y][d] > 0) return;  // occupied or wall
  const int own = b.SideToMove;
  const int opponent = b.Opponent = b.OpponentTable[own];
  for (int k = 0; k < 8; ++k) {
    const int dx = b.DirectionX[k], dy = b.DirectionY[k];
    int wx = x + dx, wy = y + dy;
    if (b.cell[wx][wy][d] != opponent) continue;
    do {
      wx += dx;
      wy += dy;
    } while (b.cell[wx][wy][d] == opponent);
    if (b.cell[wx][wy][d] == own) {
      b.LegalFlag = 1;
      return;  // one closed line is enough
    }
  }
}

void BoardRules::TestLegalOpenness() {
  BoardState& b = board_;
  b.LegalFlag = 0;
  const int x = b.SquareX, y = b.SquareY, d = b.Layer;
  if (b.cell[x][y][d] >= 1) return;
  b.OpennessSum = 0;
  const int own = b.SideToMove;
  const int opponent = b.Opponent = b.OpponentTable[own];
  for (int k = 0; k < 8; ++k) {  // all eight: the openness of every closed line counts
    const int dx = b.DirectionX[k], dy = b.DirectionY[k];
    int wx = x + dx, wy = y + dy;
    if (b.cell[wx][wy][d] != opponent) continue;
    int running = 0;
    for (;;) {
      running += DiscOpenness(b, wx, wy, d);
      wx += dx;
      wy += dy;
      const int16_t next = b.cell[wx][wy][d];
      if (!HoldsDisc(next)) break;  // open line: nothing would flip
      if (next == own) {
        b.OpennessSum += running;
        b.LegalFlag = 1;
        break;
      }
    }
  }
}

int BoardRules::MakeMove() {
  BoardState& b = board_;
  const int x = b.SquareX, y = b.SquareY, d = b.Layer;
  b.OpennessSum = 0;
  const int16_t own = b.SideToMove;
  const int16_t opponent = b.Opponent = b.OpponentTable[own];
  for (int k = 0; k < 8; ++k) {
    const int dx = b.DirectionX[k], dy = b.DirectionY[k];
    int wx = x + dx, wy = y + dy;
    if (b.cell[wx][wy][d] != opponent) continue;
    // Flip as we go; on an open line write the flipped discs back.
    int flipped = 0, running = 0;
    for (;;) {
      ++flipped;
      b.cell[wx][wy][d] = own;
      running += DiscOpenness(b, wx, wy, d);
      wx += dx;
      wy += dy;
      const int16_t next = b.cell[wx][wy][d];
      if (!HoldsDisc(next)) {
        for (int i = 0; i < flipped; ++i) {
          wx -= dx;
          wy -= dy;
          b.cell[wx][wy][d] = opponent;
        }
        break;
      }
      if (next == own) {
        b.OpennessSum += running;
        break;
      }
    }
  }
  b.cell[x][y][d] = own;
  b.PlyOpenness[d] = b.OpennessSum;
  return b.OpennessSum;
}

void BoardRules::MakeMoveFast() {
  BoardState& b = board_;
  const int x = b.SquareX, y = b.SquareY, d = b.Layer;
  const int16_t own = b.SideToMove;
  const int16_t opponent = b.Opponent = b.OpponentTable[own];
  for (int k = 0; k < 8; ++k) {
    const int dx = b.DirectionX[k], dy = b.DirectionY[k];
    int wx = x + dx, wy = y + dy;
    if (b.cell[wx][wy][d] != opponent) continue;
    // Count first, flip only a closed line.
    int count = 0;
    do {
      ++count;
      wx += dx;
      wy += dy;
    } while (b.cell[wx][wy][d] == opponent);
    if (b.cell[wx][wy][d] != own) continue;
    for (int i = 0; i < count; ++i) {
      wx -= dx;
      wy -= dy;
      b.cell[wx][wy][d] = own;
    }
  }
  b.cell[x][y][d] = own;
}

void BoardRules::CountLegalMoves() {
  BoardState& b = board_;
  b.LegalMoveCount = 0;
  b.MovesPlayed = -4;
  for (b.SquareX = 1; b.SquareX <= 8; ++b.SquareX) {
    for (b.SquareY = 1; b.SquareY <= 8; ++b.SquareY) {
      TestLegal();
      b.LegalMoveCount += b.LegalFlag;
      if (b.LegalFlag) {
        b.LastLegalX = b.SquareX;
        b.LastLegalY = b.SquareY;
      }
      if (b.cell[b.SquareX][b.SquareY][b.Layer] > 0) ++b.MovesPlayed;
    }
  }
  // Both loops end with SquareX = SquareY = 9, where the callers expect them.
}

void BoardRules::CopyPositionToLayers() {
  BoardState& b = board_;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int16_t value = b.Position[x][y];
      for (int d = 0; d < kLayers; ++d) b.cell[x][y][d] = value;
    }
  }
}

void BoardRules::CopyLayerToPosition() {
  BoardState& b = board_;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.Position[x][y] = b.cell[x][y][b.Layer];
  }
}

void BoardRules::SavePreviousPosition() {
  BoardState& b = board_;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.PreviousPosition[x][y] = b.Position[x][y];
  }
}

}  // namespace kerna
