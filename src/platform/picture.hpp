// A loaded picture: width x height RGB pixels. An empty picture (a file that
// failed to load) has width 0 and draws nothing.
#pragma once

#include <vector>

#include "platform/surface.hpp"

namespace kerna::platform {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // row-major

  bool empty() const { return width == 0 || height == 0; }
  // Pixels outside the picture read as black.
  Rgb Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    return pixels[y * width + x];
  }
};

}  // namespace kerna::platform
