// Drawing of the screen around the board: the title screen with the board
// frame, the panel background, the message frame and the hostess's face.
// Every picture is drawn at its own size with its top left corner at the given
// pixel; the positions follow from the board geometry of ScreenLayout.
#pragma once

#include "ai/ai_state.hpp"
#include "platform/platform.hpp"
#include "ui/hostess_state.hpp"
#include "ui/panel_layout.hpp"
#include "ui/screen_state.hpp"

#include <string>
#include <string_view>

#include "platform/picture.hpp"

namespace kerna {

// "bmp\\face" + level + face + ".bmp", the numbers in the game's number format.
std::string FacePictureFile(int level, int face);

class ScreenDrawing {
 public:
  ScreenDrawing(platform::Platform& io, ScreenLayout& layout, ScreenState& state,
                const HostessState& hostess, const AiState& ai)
      : io_(io), layout_(layout), state_(state), hostess_(hostess), ai_(ai) {}

  // Sets MessageRow to 20 and the panel colour to blue, fills the panel blue,
  // draws the board frame, the title picture and the panel background.
  void DrawTitleScreen();
  // The panel tile from y 72 down to the bottom of the window.
  void DrawPanelBackground();
  // The panel tile over rows first..last of the text grid (16 pixels each).
  void DrawPanelTileRows(int first, int last);
  // The panel tile over the hostess's speech rows (6..8) and from row 17 down
  // to the message frame's top (the undo and hint buttons' place).
  void RedrawPanelRows();
  // The frame of the four-row message area.
  void DrawMessageFrame();
  // The hostess's face FaceNumber for the current Level.
  void DrawFace();

 private:
  void DrawFrame();
  // The picture at a game path, loaded on first use.
  const platform::Picture& Cached(const std::string& path);
  void Draw(const std::string& path, float x, float y);

  platform::Platform& io_;
  ScreenLayout& layout_;
  ScreenState& state_;
  const HostessState& hostess_;
  const AiState& ai_;
};

}  // namespace kerna
