// Preparation of the square tiles in the board colour (see disc_pictures.hpp).
#include "ui/disc_pictures.hpp"

#include <algorithm>
#include <memory>

namespace kerna {

using platform::Picture;
using platform::Rgb;

namespace {

constexpr Rgb kSeeThrough{0, 0, 0};
constexpr Rgb kShadowMarker{0, 0, 255};

uint8_t Lighten(uint8_t component) {
  return static_cast<uint8_t>(std::min(component + 40, 255));
}

}  // namespace

std::string BoardPictureFile(int board_colour) {
  if (board_colour < 0 || board_colour > 4) board_colour = 0;
  return "bmp\\0" + std::to_string(board_colour + 1) + "-zero.bmp";
}

Rgb LightColour(Rgb base) {
  return {Lighten(base.r), Lighten(base.g), Lighten(base.b)};
}

Rgb ShadowColour(Rgb base) {
  return {static_cast<uint8_t>(base.r / 2), static_cast<uint8_t>(base.g / 2),
          static_cast<uint8_t>(base.b / 2)};
}

void WorkSurface::Set(int x, int y, Rgb colour) {
  if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) pixels_[y * kWidth + x] = colour;
}

Rgb WorkSurface::Get(int x, int y) const {
  if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) return pixels_[y * kWidth + x];
  return {};
}

void WorkSurface::Fill(int x, int y, int width, int height, Rgb colour) {
  for (int i = 0; i < width; ++i) {
    for (int j = 0; j < height; ++j) Set(x + i, y + j, colour);
  }
}

void WorkSurface::Compose(const Picture& source, int x, int y, int width, int height, Rgb base) {
  const Rgb shadow = ShadowColour(base);
  // Only the tile's own width x height pixels are read: a source smaller than
  // the tile reads as see-through beyond its edge.
  for (int i = 0; i < width; ++i) {
    for (int j = 0; j < height; ++j) {
      const Rgb colour = source.Pixel(i, j);
      if (colour == kShadowMarker) {
        Set(x + i, y + j, shadow);
      } else if (colour == kSeeThrough) {
        Set(x + i, y + j, base);
      } else {
        Set(x + i, y + j, colour);
      }
    }
  }
}

Picture WorkSurface::CopyOut(int x, int y, int width, int height) const {
  Picture picture;
  picture.width = std::max(width, 0);
  picture.height = std::max(height, 0);
  picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
  for (int j = 0; j < picture.height; ++j) {
    for (int i = 0; i < picture.width; ++i)
      picture.pixels[j * picture.width + i] = Get(x + i, y + j);
  }
  return picture;
}

void DiscPictures::PrepareDiscPictures() {
  TileSet& tiles = tiles_;
  tiles.BoardPicture = io_.LoadPicture(BoardPictureFile(settings_.BoardColour));
  // 2.5 MB: kept off the stack and only for the length of the preparation.
  auto work = std::make_unique<WorkSurface>();
  const int x = static_cast<int>(tiles.PicturePositionX);
  const int y = static_cast<int>(tiles.PicturePositionY);

  const Picture black_disc = io_.LoadPicture("bmp\\kuro.bmp");
  const int w = black_disc.width;
  const int h = black_disc.height;

  // The plain squares take the board colour at (0, 0), the composed ones at
  // (1, 1): a board picture may have an edge of its own.
  const Rgb plain_base = tiles.BoardPicture.Pixel(0, 0);
  work->Fill(x, y, w, h, LightColour(plain_base));
  tiles.LightSquarePicture = work->CopyOut(x, y, w, h);
  work->Fill(x, y, w, h, plain_base);
  tiles.EmptySquarePicture = work->CopyOut(x, y, w, h);

  const Rgb base = tiles.BoardPicture.Pixel(1, 1);
  auto compose = [&](const Picture& source) {
    work->Compose(source, x, y, w, h, base);
    return work->CopyOut(x, y, w, h);
  };
  tiles.WhiteDiscPicture = compose(io_.LoadPicture("bmp\\siro.bmp"));
  for (int frame = 1; frame <= 5; ++frame) {
    tiles.FlipPictures[frame] =
        compose(io_.LoadPicture("bmp\\han" + std::to_string(frame) + ".bmp"));
  }
  tiles.BlackDiscPicture = compose(black_disc);
}

void DiscPictures::ApplyNewBoardColour() {
  const ScreenLayout& s = layout_;
  tiles_.PicturePositionX = s.BoardLeft + 4 * s.SquareWidth + 1;
  tiles_.PicturePositionY = s.BoardTop + 3 * s.SquareHeight + 1;
  PrepareDiscPictures();
  // The grid lines around square (5, 4), where the tiles are composed.
  const int left = static_cast<int>(s.BoardLeft + 4 * s.SquareWidth);
  const int top = static_cast<int>(s.BoardTop + 3 * s.SquareHeight);
  const int right = static_cast<int>(s.BoardLeft + 5 * s.SquareWidth - 1);
  const int bottom = static_cast<int>(s.BoardTop + 4 * s.SquareHeight - 1);
  io_.Line(left, top, right, bottom, 0, platform::LineKind::kBox);
  io_.Line(left - 1, top - 1, right + 1, bottom + 1, 0, platform::LineKind::kBox);
  boardDrawing_.DrawWholeBoard();
}

}  // namespace kerna
