// Preparation of the square tiles in the chosen board colour: the plain and
// light squares are filled with the board's base colour, and the discs and flip
// frames are composed onto it, their black background becoming the board colour
// and their pure blue shadow the board colour halved.
#pragma once

#include "data/settings_state.hpp"
#include "platform/platform.hpp"
#include "ui/board_drawing.hpp"
#include "ui/panel_layout.hpp"
#include "ui/tiles.hpp"

#include <string>
#include <vector>

#include "platform/picture.hpp"
#include "platform/surface.hpp"

namespace kerna {

// The board picture's file for a board colour setting; anything outside 0..4
// uses the first one.
std::string BoardPictureFile(int board_colour);

// Each component plus 40, at most 255.
platform::Rgb LightColour(platform::Rgb base);
// Each component halved, rounded down.
platform::Rgb ShadowColour(platform::Rgb base);

// The off-screen surface the tiles are composed on, 640 x 400 pixels, black
// when made. Writes outside it are ignored and reads outside it give black.
class WorkSurface {
 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 400;

  WorkSurface() : pixels_(kWidth * kHeight) {}
  void Set(int x, int y, platform::Rgb colour);
  platform::Rgb Get(int x, int y) const;
  // Fills the width x height rectangle at (x, y) with one colour.
  void Fill(int x, int y, int width, int height, platform::Rgb colour);
  // Composes the width x height top left part of a disc picture at (x, y): black
  // becomes the base colour, pure blue its shadow, every other colour stays.
  void Compose(const platform::Picture& source, int x, int y, int width, int height,
               platform::Rgb base);
  // Copies the width x height rectangle at (x, y) out as a picture.
  platform::Picture CopyOut(int x, int y, int width, int height) const;

 private:
  std::vector<platform::Rgb> pixels_;
};

class DiscPictures {
 public:
  DiscPictures(platform::Platform& io, const ScreenLayout& layout, TileSet& tiles,
               const SettingsState& settings, BoardDrawing& boardDrawing)
      : io_(io), layout_(layout), tiles_(tiles), settings_(settings), boardDrawing_(boardDrawing) {}

  // Loads the board picture for BoardColour and remakes every tile of the
  // TileSet at the picture position (PicturePositionX, PicturePositionY) of the
  // work surface. Run at start-up and whenever the board colour changes.
  void PrepareDiscPictures();

  // What the settings screen does after it has stored a new BoardColour: puts
  // the picture position on the inner corner of square (5, 4), prepares the
  // tiles again, redraws the grid lines around that square and the whole board.
  // The board picture itself is not drawn on screen: it is only the source of
  // the board colour, and drawn at (0, 0) it would cover the frame's corner.
  void ApplyNewBoardColour();

 private:
  platform::Platform& io_;
  const ScreenLayout& layout_;
  TileSet& tiles_;
  const SettingsState& settings_;
  BoardDrawing& boardDrawing_;
};

}  // namespace kerna
