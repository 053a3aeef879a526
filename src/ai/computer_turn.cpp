// Stand-in computer turn until the real one lands: plays the first legal square
// in column order (or reports it in hint mode), so the game loop can run.
#include "ai/computer_turn.hpp"

#include "game/game.hpp"

namespace kerna {

void ComputerPlayer::ComputerTurn() {
  BoardState& b = g_.board;
  g_.ai.BookHit = 0;
  g_.rules.CopyPositionToLayers();
  b.Layer = 1;
  g_.rules.CountLegalMoves();
  if (b.MovesPlayed == 60 || b.LegalMoveCount == 0) return;
  for (int16_t x = 1; x <= 8; ++x) {
    for (int16_t y = 1; y <= 8; ++y) {
      b.SquareX = x;
      b.SquareY = y;
      b.Layer = 1;
      g_.rules.TestLegal();
      if (b.LegalFlag == 0) continue;
      g_.ai.ShownValue = 0;
      if (g_.flow.HintMode == 1) return;
      b.LastMoveX = x;
      b.LastMoveY = y;
      g_.rules.MakeMove();
      g_.rules.RecordMove();
      g_.rules.CopyLayerToPosition();
      return;
    }
  }
}

}  // namespace kerna
