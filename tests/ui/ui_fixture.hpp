// Shared by the drawing tests: a fresh Game on the headless platform, a scratch
// data folder with small bitmaps written by the test, and pixel comparisons of
// the screen against pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <unistd.h>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"
#include "support/scratch_data.hpp"

namespace kerna::platform {
// Lets test failures show colours as (r, g, b).
inline void PrintTo(const Rgb& c, std::ostream* out) {
  *out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}
}  // namespace kerna::platform

namespace kerna::ui_test {

using platform::Picture;
using platform::Rgb;

inline constexpr Rgb kPureBlue{0, 0, 255};
inline constexpr Rgb kPureBlack{0, 0, 0};

inline std::string Describe(const Rgb& c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

using test::WriteBmp;

// A picture of one colour, made in memory.
inline Picture SolidPicture(int w, int h, Rgb colour) {
  Picture picture;
  picture.width = w;
  picture.height = h;
  picture.pixels.assign(static_cast<size_t>(w) * h, colour);
  return picture;
}

using test::ScratchFolder;

// How many pixels of the w x h rectangle of the screen at (x, y) differ from the
// picture's pixels at (px + i, py + j); the first difference goes to the log.
inline int ScreenDiffers(platform::Platform& io, int x, int y, int w, int h, const Picture& picture,
                         int px = 0, int py = 0) {
  int differing = 0;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      const Rgb want = picture.Pixel(px + i, py + j);
      const Rgb got = io.GetPixel(x + i, y + j);
      if (got == want) continue;
      if (differing++ == 0) {
        ADD_FAILURE() << "screen (" << x + i << ", " << y + j << ") is " << Describe(got)
                      << ", picture (" << px + i << ", " << py + j << ") is " << Describe(want);
      }
    }
  }
  return differing;
}

// The inner top left pixel of square (x, y).
inline int SquareLeft(int x) {
  return 22 + 48 * (x - 1) + 1;
}
inline int SquareTop(int y) {
  return 22 + 48 * (y - 1) + 1;
}

// The headless platform with a look at the screen at every Sleep, before the
// virtual clock moves on: what is on screen during each animation frame.
class WatchedPlatform : public platform::HeadlessPlatform {
 public:
  std::function<void()> on_sleep;
  void Sleep(int milliseconds) override {
    if (on_sleep) on_sleep();
    HeadlessPlatform::Sleep(milliseconds);
  }
};

class UiTest : public ::testing::Test {
 protected:
  WatchedPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);

  void UseShippedAssets() { io.SetDataFolder(KERNA_ASSETS_DIR); }
};

}  // namespace kerna::ui_test
