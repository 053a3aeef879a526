// The count of legal moves that also marks them on the screen for the human:
// every legal square gets the legal-move marker (or, with the marker setting
// off, the plain square, which wipes a marker left from an earlier turn), and
// the selection box starts on the latest move.
#include "board/board_rules.hpp"
#include "game/game.hpp"

namespace kerna {

void BoardRules::CountLegalMovesAndMark() {
  BoardState& b = g_.board;
  const StartState& geometry = g_.start;
  const platform::Picture& mark =
      g_.settings.ShowMovePosition == 1 ? g_.tiles.LightSquarePicture : g_.tiles.EmptySquarePicture;
  b.LegalMoveCount = 0;
  b.MovesPlayed = -4;
  for (b.SquareX = 1; b.SquareX <= 8; ++b.SquareX) {
    for (b.SquareY = 1; b.SquareY <= 8; ++b.SquareY) {
      TestLegal();
      b.LegalMoveCount += b.LegalFlag;
      if (b.LegalFlag) {
        b.LastLegalX = b.CursorX = b.SquareX;
        b.LastLegalY = b.CursorY = b.SquareY;
        const int left =
            static_cast<int>(geometry.BoardLeft + geometry.SquareWidth * (b.SquareX - 1) + 1);
        const int top =
            static_cast<int>(geometry.BoardTop + geometry.SquareHeight * (b.SquareY - 1) + 1);
        g_.io.DrawPicture(mark, left, top);
      }
      if (b.cell[b.SquareX][b.SquareY][b.Layer] > 0) ++b.MovesPlayed;
    }
  }
  if (b.LastMoveX >= 1 && b.LastMoveX <= 8 && b.LastMoveY >= 1 && b.LastMoveY <= 8) {
    b.LastLegalX = b.CursorX = b.LastMoveX;
    b.LastLegalY = b.CursorY = b.LastMoveY;
  }
}

}  // namespace kerna
