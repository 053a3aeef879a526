// Positions from random games with a fixed seed: three openings, three middle
// games and four endgames with 16, 14, 12 and 10 empty squares.
#include "bench_positions.hpp"

#include "game/game.hpp"

namespace kerna::bench {

const std::array<BenchPosition, 10> kPositions{{
    {"opening-6", "c4c5c6c3e3e2", false, 54},
    {"opening-10", "e6f6c4d6e7d3c7b4c3f4", false, 50},
    {"opening-14", "f5f4d3f6g4c3c4c5b3e2e3h4g6b2", false, 46},
    {"middle-20", "c4e3f5c5e2f6d3c3b5g5h5b4e7f1a4e6f4d6f2g2", false, 40},
    {"middle-26", "c4c3c2c5e6f6c6b4g7c1a3h8b3a5d3f5g5h4d1e7a4d6a6g6h7a2", false, 34},
    {"middle-32", "d3c3c4c5c6e2b2c2b1e6d6e3d2b7f4d7b6a2c1f6f5b3a3b4f7g4b5d1f2g6g5e1", false, 28},
    {"empties-16",
     "c4c5b6b5b4b3c6a6f5a3a4c7d7a5c8d8a2f4a7g6g5b7e6b2d3b8c3h6g4e2b1d6c2g3f6f7h2g2e8f8h4e7h5c1",
     true, 16},
    {"empties-14",
     "c4c3e6b4d3f4b5e7g4e3d6c5e8a5c6f7a4f5e2c7b2c2g5a1b1c1g8f8b7g7b8c8d8g6b3f2h7a3d7h4d2h6h5b6g1e1",
     true, 14},
    {"empties-12",
     "d3c5f6f3f5d2c6g5g2f4c4b3h4h1f2b5a5d6c2a6b4b2e7b7a8e6d1h5h6f1g3c8c3f7a4e3a7e2g6h3g1g7g4h2c7d7g"
     "8b6",
     true, 12},
    {"empties-10",
     "e6f4e3f2g4f6e2e1d6d7d2f5c8f3d3h5g5e7g6g3e8g7f1c5f7g2c4c1h2h1c6b6b5c3c7a6h3d1h4g1b3b7c2b4a7a2a"
     "8b1h8b8",
     true, 10},
}};

bool LayPosition(Game& g, std::string_view moves) {
  BoardState& b = g.board;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) b.Position[x][y] = kEmpty;
  b.Position[4][4] = b.Position[5][5] = kWhite;
  b.Position[5][4] = b.Position[4][5] = kBlack;
  g.rules.CopyPositionToLayers();
  b.Layer = 0;
  b.SideToMove = kBlack;
  for (size_t i = 0; i + 1 < moves.size(); i += 2) {
    g.rules.CountLegalMoves();
    if (b.LegalMoveCount == 0) b.SideToMove = static_cast<int16_t>(3 - b.SideToMove);  // pass
    b.SquareX = static_cast<int16_t>(moves[i] - 'a' + 1);
    b.SquareY = static_cast<int16_t>(moves[i + 1] - '0');
    b.Layer = 0;
    g.rules.TestLegal();
    if (b.LegalFlag == 0) return false;
    g.rules.MakeMove();
    b.SideToMove = static_cast<int16_t>(3 - b.SideToMove);
  }
  g.rules.CountLegalMoves();
  if (b.LegalMoveCount == 0) b.SideToMove = static_cast<int16_t>(3 - b.SideToMove);
  g.rules.CopyLayerToPosition();
  g.rules.CopyPositionToLayers();
  b.ComputerSide = b.SideToMove;
  b.HumanSide = static_cast<int16_t>(3 - b.SideToMove);
  const int played = static_cast<int>(moves.size() / 2);
  g.ai.GameStage = static_cast<int16_t>(played >= 45 ? 3 : played >= 36 ? 2 : played >= 26 ? 1 : 0);
  return true;
}

}  // namespace kerna::bench
