// The count of legal moves that also marks them on the screen for the human:
// every legal square gets the legal-move marker (or, with the marker setting
// off, the plain square, which wipes a marker left from an earlier turn), and
// the selection box starts on the latest move.
#include "ui/board_drawing.hpp"

namespace kerna {

void BoardDrawing::CountLegalMovesAndMark() {
  BoardState& b = board_;
  const ScreenLayout& geometry = layout_;
  const platform::Picture& mark =
      settings_.ShowMovePosition == 1 ? tiles_.LightSquarePicture : tiles_.EmptySquarePicture;
  b.LegalMoveCount = 0;
  b.MovesPlayed = -4;
  for (b.SquareX = 1; b.SquareX <= 8; ++b.SquareX) {
    for (b.SquareY = 1; b.SquareY <= 8; ++b.SquareY) {
      rules_.TestLegal();
      b.LegalMoveCount += b.LegalFlag;
      if (b.LegalFlag) {
        b.LastLegalX = b.CursorX = b.SquareX;
        b.LastLegalY = b.CursorY = b.SquareY;
        const int left =
            static_cast<int>(geometry.BoardLeft + geometry.SquareWidth * (b.SquareX - 1) + 1);
        const int top =
            static_cast<int>(geometry.BoardTop + geometry.SquareHeight * (b.SquareY - 1) + 1);
        io_.DrawPicture(mark, left, top);
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
