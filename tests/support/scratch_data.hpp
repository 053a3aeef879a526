// A throw-away data folder per test and the small bitmaps tests write into it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

#include "platform/platform.hpp"

namespace kerna::test {

// Writes a w x h 24-bit Windows bitmap (bottom-up rows) with pixel(x, y) colours.
inline void WriteBmp(const std::filesystem::path& path, int w, int h,
                     const std::function<platform::Rgb(int, int)>& pixel) {
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
      const platform::Rgb c = pixel(x, y);
      row[3 * x] = static_cast<char>(c.b);
      row[3 * x + 1] = static_cast<char>(c.g);
      row[3 * x + 2] = static_cast<char>(c.r);
    }
    bytes += row;
  }
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Writes a w x h bitmap of one colour.
inline void WriteBmp(const std::filesystem::path& path, int w, int h, platform::Rgb colour) {
  WriteBmp(path, w, h, [colour](int, int) { return colour; });
}

// A data folder of its own per test (with its bmp folder), removed afterwards.
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
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path bmp(const std::string& name) const { return path_ / "bmp" / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace kerna::test
