// Lines, boxes, pixels and pictures on the surface.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/headless_backend.hpp"

namespace kerna::platform {
namespace {

constexpr Rgb kBlack{};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

int Count(const Platform& io, Rgb colour) {
  int count = 0;
  for (const Rgb& pixel : const_cast<Platform&>(io).surface().pixels()) count += pixel == colour;
  return count;
}

TEST(Drawing, LineIncludesBothEnds) {
  HeadlessPlatform io;
  io.Line(10, 10, 20, 15, 7);
  EXPECT_EQ(io.GetPixel(10, 10), kWhite);
  EXPECT_EQ(io.GetPixel(20, 15), kWhite);
  EXPECT_EQ(Count(io, kWhite), 11);  // one pixel per column of the longer axis
  io.Line(5, 30, 5, 30, 2);
  EXPECT_EQ(Count(io, kRed), 1);
}

TEST(Drawing, BoxCornersAreInclusiveInAnyOrder) {
  for (auto [x1, y1, x2, y2] :
       {std::array{10, 20, 14, 23}, std::array{14, 23, 10, 20}, std::array{14, 20, 10, 23}}) {
    HeadlessPlatform io;
    io.Line(x1, y1, x2, y2, 7, LineKind::kBox);
    EXPECT_EQ(Count(io, kWhite), 2 * 5 + 2 * 2) << x1 << "," << y1;  // 5 x 4 outline
    EXPECT_EQ(io.GetPixel(12, 21), kBlack);
    io.Line(x1, y1, x2, y2, 1, LineKind::kFilledBox);
    EXPECT_EQ(Count(io, kBlue), 5 * 4);
  }
}

TEST(Drawing, FilledBoxWithItsOwnFillColour) {
  HeadlessPlatform io;
  io.Line(0, 0, 3, 3, 7, LineKind::kFilledBox, 2);
  EXPECT_EQ(Count(io, kWhite), 12);
  EXPECT_EQ(Count(io, kRed), 4);
}

TEST(Drawing, BoxesAreClippedToTheSurface) {
  HeadlessPlatform io;
  io.Line(0, 0, 640, 460, 1, LineKind::kFilledBox);
  EXPECT_EQ(Count(io, kBlue), 640 * 440);
  io.Clear();
  EXPECT_EQ(Count(io, kBlack), 640 * 440);
}

TEST(Drawing, RelativeEndAndLastPoint) {
  HeadlessPlatform io;
  io.LineRelative(100, 100, 5, -3, 7, LineKind::kBox);  // (100,97)-(105,100)
  EXPECT_EQ(io.GetPixel(105, 97), kWhite);
  EXPECT_EQ(io.GetPixel(106, 97), kBlack);
  io.LineFromLast(105, 110, 2);  // starts at the previous end point (105, 97)
  EXPECT_EQ(io.GetPixel(105, 110), kRed);
  EXPECT_EQ(io.GetPixel(105, 101), kRed);
  io.LineFromLast(100, 110, 2);  // and again from (105, 110)
  EXPECT_EQ(io.GetPixel(100, 110), kRed);
}

TEST(Drawing, SetPixelAndPictureClipping) {
  HeadlessPlatform io;
  io.SetPixel(639, 439, Rgb{1, 2, 3});
  io.SetPixel(640, 0, kWhite);  // outside: ignored
  EXPECT_EQ(io.GetPixel(639, 439), (Rgb{1, 2, 3}));
  Picture picture{3, 2, std::vector<Rgb>(6, kRed)};
  io.DrawPicture(picture, 638, -1);
  EXPECT_EQ(Count(io, kRed), 2);  // only (638,0) and (639,0) are on the surface
  io.DrawPicture(Picture{}, 0, 0);
  EXPECT_EQ(Count(io, kRed), 2);
}

// A 24-bit bottom-up Windows bitmap, written byte by byte.
std::string Bitmap(int width, int height, const std::vector<Rgb>& top_down) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const int size = 54 + stride * height;
  std::string b(size, '\0');
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  b[26] = 1, b[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& p = top_down[y * width + x];
      const int at = 54 + (height - 1 - y) * stride + 3 * x;
      b[at] = static_cast<char>(p.b), b[at + 1] = static_cast<char>(p.g),
      b[at + 2] = static_cast<char>(p.r);
    }
  }
  return b;
}

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("kerna_pictures_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_ / "bmp");
    io.SetDataFolder(folder_.string());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / "bmp" / name, std::ios::binary) << bytes;
  }
  std::filesystem::path folder_;
  HeadlessPlatform io;
};

TEST_F(PictureFiles, LoadsABitmapWithGamePath) {
  const std::vector<Rgb> pixels{kRed, kBlue, kWhite, Rgb{100, 151, 60}, kBlack, Rgb{0, 0, 1}};
  Write("kuro.bmp", Bitmap(3, 2, pixels));
  const Picture picture = io.LoadPicture("bmp\\kuro.bmp");
  ASSERT_EQ(picture.width, 3);
  ASSERT_EQ(picture.height, 2);
  EXPECT_EQ(picture.pixels, pixels);
  EXPECT_EQ(picture.Pixel(0, 1), (Rgb{100, 151, 60}));
  EXPECT_EQ(picture.Pixel(3, 0), kBlack);  // outside
  io.DrawPicture(picture, 10, 20);
  EXPECT_EQ(io.GetPixel(11, 20), kBlue);
  EXPECT_EQ(io.GetPixel(10, 21), (Rgb{100, 151, 60}));
}

TEST_F(PictureFiles, BrokenOrMissingBitmapIsEmpty) {
  std::string broken = Bitmap(2, 2, std::vector<Rgb>(4, kRed));
  broken[0] = 'X';
  Write("broken.bmp", broken);
  Write("short.bmp", Bitmap(2, 2, std::vector<Rgb>(4, kRed)).substr(0, 30));
  EXPECT_TRUE(io.LoadPicture("bmp\\broken.bmp").empty());
  EXPECT_TRUE(io.LoadPicture("bmp\\short.bmp").empty());
  EXPECT_TRUE(io.LoadPicture("bmp\\missing.bmp").empty());
}

}  // namespace
}  // namespace kerna::platform
