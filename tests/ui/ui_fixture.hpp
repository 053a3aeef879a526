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

// Writes a w x h 24-bit Windows bitmap (bottom-up rows) with pixel(x, y) colours.
inline void WriteBmp(const std::filesystem::path& path, int w, int h,
                     const std::function<Rgb(int, int)>& pixel) {
  const int row_bytes = (w * 3 + 3) / 4 * 4;
  const uint32_t image = static_cast<uint32_t>(row_bytes * h);
  std::string bytes = "BM";
  auto put = [&](uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  put(54 + image, 4), put(0, 4), put(54, 4), put(40, 4);
  put(static_cast<uint32_t>(w), 4), put(static_cast<uint32_t>(h), 4);
  put(1, 2), put(24, 2), put(0, 4), put(image, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
  for (int y = h - 1; y >= 0; --y) {
    std::string row(static_cast<size_t>(row_bytes), '\0');
    for (int x = 0; x < w; ++x) {
      const Rgb c = pixel(x, y);
      row[3 * x] = static_cast<char>(c.b);
      row[3 * x + 1] = static_cast<char>(c.g);
      row[3 * x + 2] = static_cast<char>(c.r);
    }
    bytes += row;
  }
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline void WriteBmp(const std::filesystem::path& path, int w, int h, Rgb colour) {
  WriteBmp(path, w, h, [colour](int, int) { return colour; });
}

// A picture of one colour, made in memory.
inline Picture SolidPicture(int w, int h, Rgb colour) {
  Picture picture;
  picture.width = w;
  picture.height = h;
  picture.pixels.assign(static_cast<size_t>(w) * h, colour);
  return picture;
}

// A data folder of its own per test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("kerna-ui-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::create_directories(path_ / "bmp");
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path bmp(const std::string& name) const { return path_ / "bmp" / name; }

 private:
  std::filesystem::path path_;
};

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
