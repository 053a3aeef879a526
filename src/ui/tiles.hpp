// The prepared square tiles the board is drawn with: the board picture of the
// chosen colour, the empty and light squares, the two discs and the five flip
// frames. Presentation fills them at start-up and whenever the board colour
// changes; the board rules draw the empty and light tiles as legal-move marks.
#pragma once

#include <array>

#include "platform/picture.hpp"

namespace kerna {

struct TileSet {
  platform::Picture BoardPicture;
  platform::Picture EmptySquarePicture;  // a square in the board's own colour
  platform::Picture LightSquarePicture;  // a square in the light colour: the legal-move marker
  platform::Picture WhiteDiscPicture;
  platform::Picture BlackDiscPicture;
  // Flip frames 1..5 (1 nearest to white, 5 nearest to black); index 0 is unused.
  std::array<platform::Picture, 6> FlipPictures;
  // Where the tiles are composed on the work surface; program start puts it on
  // the inner corner of square (5, 4).
  float PicturePositionX = 0, PicturePositionY = 0;
};

}  // namespace kerna
