// Drawing of the discs and the flip animation (see board_drawing.hpp).
#include "ui/board_drawing.hpp"

namespace kerna {

void BoardDrawing::DrawOnSquare(const platform::Picture& tile, int x, int y) {
  const ScreenLayout& s = layout_;
  io_.DrawPicture(tile, static_cast<int>(s.BoardLeft + s.SquareWidth * (x - 1) + 1),
                  static_cast<int>(s.BoardTop + s.SquareHeight * (y - 1) + 1));
}

void BoardDrawing::DrawSquareBox(int x, int y, int colour) {
  const int left = static_cast<int>(layout_.BoardLeft + layout_.SquareWidth * (x - 1));
  const int top = static_cast<int>(layout_.BoardTop + layout_.SquareHeight * (y - 1));
  const int right = static_cast<int>(layout_.BoardLeft + layout_.SquareWidth * x - 1);
  const int bottom = static_cast<int>(layout_.BoardTop + layout_.SquareHeight * y - 1);
  io_.Line(left, top, right, bottom, colour, platform::LineKind::kBox);
  io_.Line(left - 1, top - 1, right + 1, bottom + 1, colour, platform::LineKind::kBox);
}

void BoardDrawing::DrawHintSquare(int x, int y) {
  constexpr int kHintFill = 4;
  const int left = static_cast<int>(layout_.BoardLeft + layout_.SquareWidth * (x - 1));
  const int top = static_cast<int>(layout_.BoardTop + layout_.SquareHeight * (y - 1));
  io_.Line(left + 1, top + 1, left + 46, top + 46, kHintFill, platform::LineKind::kFilledBox);
}

void BoardDrawing::DrawWholeBoard() {
  const Grid& position = board_.Position;
  const TileSet& tiles = tiles_;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (position[x][y] == kEmpty) DrawOnSquare(tiles.EmptySquarePicture, x, y);
    }
  }
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (position[x][y] == kWhite) DrawOnSquare(tiles.WhiteDiscPicture, x, y);
    }
  }
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (position[x][y] == kBlack) DrawOnSquare(tiles.BlackDiscPicture, x, y);
    }
  }
}

void BoardDrawing::AnimateChanges() {
  const Grid& now = board_.Position;
  const Grid& before = board_.PreviousPosition;
  const TileSet& tiles = tiles_;
  // Every empty square: this also wipes the legal-move markers.
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (now[x][y] == kEmpty) DrawOnSquare(tiles.EmptySquarePicture, x, y);
    }
  }
  // The newly placed disc appears at once and silently.
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (before[x][y] != kEmpty) continue;
      if (now[x][y] == kWhite) DrawOnSquare(tiles.WhiteDiscPicture, x, y);
      if (now[x][y] == kBlack) DrawOnSquare(tiles.BlackDiscPicture, x, y);
    }
  }
  // Then the flipped discs turn one after the other.
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (now[x][y] == before[x][y]) continue;
      if (now[x][y] == kEmpty) {
        DrawOnSquare(tiles.EmptySquarePicture, x, y);
      } else if (before[x][y] == kBlack && now[x][y] == kWhite) {
        Flip(x, y, kWhite);
      } else if (before[x][y] == kWhite && now[x][y] == kBlack) {
        Flip(x, y, kBlack);
      }
    }
  }
}

void BoardDrawing::Flip(int x, int y, int to) {
  const TileSet& tiles = tiles_;
  if (settings_.SoundEffects == 1) io_.PlayWave("sound\\oku2.wav");
  // Frame 1 is nearest to white, frame 5 nearest to black.
  for (int step = 0; step < 5; ++step) {
    const int frame = to == kWhite ? 5 - step : 1 + step;
    DrawOnSquare(tiles.FlipPictures[frame], x, y);
    io_.Sleep(kFrameMs);
  }
  DrawOnSquare(to == kWhite ? tiles.WhiteDiscPicture : tiles.BlackDiscPicture, x, y);
}

}  // namespace kerna
