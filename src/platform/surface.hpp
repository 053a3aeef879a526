// The off-screen copy of the window's drawing area: 640 x 440 RGB pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace kerna::platform {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The eight palette colours: 0 black, 1 blue, 2 red, 3 magenta, 4 green, 5 cyan, 6 yellow, 7 white.
Rgb PaletteColour(int index);

inline constexpr int kSurfaceWidth = 640;
inline constexpr int kSurfaceHeight = 440;

class Surface {
 public:
  Surface() : pixels_(kSurfaceWidth * kSurfaceHeight) {}
  int width() const { return kSurfaceWidth; }
  int height() const { return kSurfaceHeight; }
  // Pixels outside the surface are ignored on write and read as black.
  void Set(int x, int y, Rgb colour) {
    if (x >= 0 && y >= 0 && x < kSurfaceWidth && y < kSurfaceHeight)
      pixels_[y * kSurfaceWidth + x] = colour;
  }
  Rgb Get(int x, int y) const {
    if (x >= 0 && y >= 0 && x < kSurfaceWidth && y < kSurfaceHeight)
      return pixels_[y * kSurfaceWidth + x];
    return {};
  }
  const std::vector<Rgb>& pixels() const { return pixels_; }

 private:
  std::vector<Rgb> pixels_;
};

}  // namespace kerna::platform
