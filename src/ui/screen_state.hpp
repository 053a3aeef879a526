// What the screen drawing keeps between calls: the panel's background colour
// and the pictures it draws again and again, loaded once (the files do not
// change while the game runs).
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/picture.hpp"

namespace kerna {

struct ScreenState {
  float PanelBackgroundColour = 1;  // palette colour; blue once the title is drawn
  // Loaded pictures by game path ("bmp\\title.bmp"); a failed load is kept as an
  // empty picture, so it is not retried and draws nothing.
  std::map<std::string, platform::Picture> PictureCache;
};

}  // namespace kerna
