// A fresh Game on the headless platform, and a throw-away data folder where a
// test writes the few small bitmaps it needs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::test {

// Writes a w x h 24-bit Windows bitmap of one colour.
inline void WriteBmp(const std::filesystem::path& path, int w, int h, platform::Rgb colour) {
  const int row_bytes = (w * 3 + 3) / 4 * 4;
  const uint32_t image = static_cast<uint32_t>(row_bytes * h);
  std::string bytes = "BM";
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  auto put16 = [&](uint16_t v) {
    bytes += static_cast<char>(v & 0xff);
    bytes += static_cast<char>(v >> 8);
  };
  put32(54 + image);
  put32(0);
  put32(54);
  put32(40);
  put32(static_cast<uint32_t>(w));
  put32(static_cast<uint32_t>(h));
  put16(1);
  put16(24);
  put32(0);
  put32(image);
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int y = 0; y < h; ++y) {
    std::string row(static_cast<size_t>(row_bytes), '\0');
    for (int x = 0; x < w; ++x) {
      row[3 * x] = static_cast<char>(colour.b);
      row[3 * x + 1] = static_cast<char>(colour.g);
      row[3 * x + 2] = static_cast<char>(colour.r);
    }
    bytes += row;
  }
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A data folder of its own per test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("kerna-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::create_directories(path_ / "bmp");
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class GameTest : public ::testing::Test {
 protected:
  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);
};

inline constexpr platform::Rgb kBluePixel{0, 0, 255};
inline constexpr platform::Rgb kBlackPixel{0, 0, 0};
inline constexpr platform::Rgb kWhitePixel{255, 255, 255};

}  // namespace kerna::test
