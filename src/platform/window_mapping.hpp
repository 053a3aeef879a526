// Window pixels -> drawing-area pixels. Today the window's drawing area is the
// 640 x 440 surface itself; should the window ever be scaled, mouse positions
// are mapped back through this one function.
#pragma once

#include <cstdint>

#include "platform/surface.hpp"

namespace kerna::platform {

struct AreaPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const AreaPoint&, const AreaPoint&) = default;
};

constexpr AreaPoint MapWindowToArea(int x, int y, int window_width, int window_height) {
  if (window_width <= 0 || window_height <= 0) return {x, y};
  // Floor division, so positions left of or above the window stay negative.
  const auto scale = [](int64_t value, int64_t area, int64_t window) {
    const int64_t product = value * area;
    return static_cast<int>(product >= 0 ? product / window : -((-product + window - 1) / window));
  };
  return {scale(x, kSurfaceWidth, window_width), scale(y, kSurfaceHeight, window_height)};
}

}  // namespace kerna::platform
