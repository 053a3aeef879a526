// Drawing of the title screen, the panel, the message frame and the face.
#include "ui/screen_drawing.hpp"

#include "platform/number_format.hpp"

namespace kerna {

using platform::Picture;

std::string FacePictureFile(int level, int face) {
  return "bmp\\face" + platform::FormatNumber(level) + platform::FormatNumber(face) + ".bmp";
}

const Picture& ScreenDrawing::Cached(const std::string& path) {
  auto& cache = state_.PictureCache;
  auto found = cache.find(path);
  if (found == cache.end()) found = cache.emplace(path, io_.LoadPicture(path)).first;
  return found->second;
}

void ScreenDrawing::Draw(const std::string& path, float x, float y) {
  io_.DrawPicture(Cached(path), static_cast<int>(x), static_cast<int>(y));
}

void ScreenDrawing::DrawTitleScreen() {
  const ScreenLayout& s = layout_;
  layout_.MessageRow = 20;
  state_.PanelBackgroundColour = 1;
  const int panel_left = s.PanelColumn * 8 - 11;  // 429
  io_.Line(panel_left, 0, 639, 439, 1, platform::LineKind::kFilledBox);
  io_.SetTextColour(7, -1);
  DrawFrame();
  Draw("bmp\\title.bmp", s.BoardLeft * 2 + s.SquareWidth * 8 + 1, 0);
  DrawPanelBackground();
}

// The frame pieces are 22 pixels thick and 48 long; the corner pieces go on
// last so that they lie over the ends of the side pieces.
void ScreenDrawing::DrawFrame() {
  const ScreenLayout& s = layout_;
  const float far_side = s.BoardTop + s.SquareHeight * 8 + 2;  // 408
  const float corner = s.BoardLeft * 2 + s.SquareWidth * 7;    // 380
  const std::string across = "bmp\\waku-yoko.bmp";
  for (int x = 1; x <= 8; ++x) {
    Draw(across, s.BoardLeft + s.SquareWidth * (x - 1), 0);
    Draw(across, s.BoardLeft + s.SquareWidth * (x - 1), far_side);
  }
  Draw(across, 0, 0);
  Draw(across, 0, far_side);
  Draw(across, corner, far_side);
  Draw(across, corner, 0);

  const float right_side = s.BoardLeft + s.SquareWidth * 8 + 2;  // 408
  const std::string down = "bmp\\waku-tate.bmp";
  for (int y = 1; y <= 8; ++y) {
    Draw(down, 0, s.BoardTop + s.SquareHeight * (y - 1));
    Draw(down, right_side, s.BoardTop + s.SquareHeight * (y - 1));
  }
  Draw(down, 0, 0);
  Draw(down, right_side, 0);
  Draw(down, right_side, corner);
  Draw(down, 0, corner);
}

void ScreenDrawing::DrawPanelBackground() {
  const ScreenLayout& s = layout_;
  const float left = s.BoardLeft * 2 + s.SquareWidth * 8 + 1;  // 429
  for (int y = 72; y < 461; y += 16) Draw("bmp\\haikei01.bmp", left, y);
}

void ScreenDrawing::DrawPanelTileRows(int first, int last) {
  const ScreenLayout& s = layout_;
  const float left = s.BoardLeft * 2 + s.SquareWidth * 8 + 1;  // 429
  for (int row = first; row <= last; ++row) Draw("bmp\\haikei01.bmp", left, 16 * row);
}

void ScreenDrawing::RedrawPanelRows() {
  const ScreenLayout& s = layout_;
  const float left = s.BoardLeft * 2 + s.SquareWidth * 8 + 1;  // 429
  for (int row = kBalloonFirstRow; row <= kBalloonFirstRow + 2; ++row)
    Draw("bmp\\haikei01.bmp", left, 16 * row);
  int row = 17;
  for (; row <= s.MessageRow - 2; ++row) Draw("bmp\\haikei01.bmp", left, 16 * row);
  // Down to the message frame's top, which ends the strip of the buttons above it.
  const int frame_top = static_cast<int>(s.MessageRow * 16) - kMessageFrameAboveRow;
  io_.DrawPictureRows(Cached("bmp\\haikei01.bmp"), static_cast<int>(left), 16 * row,
                      frame_top - 16 * row);
}

void ScreenDrawing::DrawMessageFrame() {
  const ScreenLayout& s = layout_;
  Draw("bmp\\msg.bmp", s.BoardLeft * 2 + s.SquareWidth * 8 + 2 + 8,
       s.MessageRow * 16 - kMessageFrameAboveRow);
}

void ScreenDrawing::DrawFace() {
  const ScreenLayout& s = layout_;
  Draw(FacePictureFile(ai_.Level, hostess_.FaceNumber),
       s.BoardLeft * 2 + s.SquareWidth * 8 + 2 + 8 + 40, 149);
}

}  // namespace kerna
