// Missing or broken resources the platform must survive: no IPAGothic (a
// clear reason naming the Debian package, never a crash) and bad bitmaps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

#include "platform/glyph_font.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::platform {
namespace {

TEST(FontLookup, NoFontConfiguredNamesTheDebianPackage) {
  const auto config =
      std::filesystem::temp_directory_path() / ("kerna-empty-fonts-" + std::to_string(::getpid()));
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  const char* before = std::getenv("FONTCONFIG_FILE");
  const std::optional<std::string> saved =
      before ? std::optional<std::string>(before) : std::nullopt;
  ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
  std::string error;
  const auto file = GlyphFont::FindFile(&error);
  if (saved) {
    ::setenv("FONTCONFIG_FILE", saved->c_str(), 1);
  } else {
    ::unsetenv("FONTCONFIG_FILE");
  }
  std::filesystem::remove(config);
  EXPECT_FALSE(file.has_value());
  EXPECT_NE(error.find("fonts-ipafont-gothic"), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
}

TEST(FontLookup, ABitmapWithAWrongHeaderLoadsEmptyAndDrawsNothing) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("kerna-bad-bmp-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "bmp");
  // "BM" and then a header that claims a huge picture with no pixels behind it.
  std::string bytes = "BM";
  bytes += std::string(8, '\0');
  bytes += std::string("\x36\0\0\0\x28\0\0\0\xff\xff\0\0\xff\xff\0\0\1\0\x18\0", 20);
  bytes += std::string(24, '\0');
  std::ofstream(folder / "bmp" / "bad.bmp", std::ios::binary) << bytes;
  // The same with the old 12-byte core header (16-bit sizes): 65535 x 65535.
  std::string core = "BM";
  core += std::string(8, '\0');
  core += std::string("\x1a\0\0\0\x0c\0\0\0\xff\xff\xff\xff\1\0\x18\0", 16);
  core += std::string(16, '\0');
  std::ofstream(folder / "bmp" / "core.bmp", std::ios::binary) << core;
  std::ofstream(folder / "bmp" / "noise.bmp", std::ios::binary) << "not a picture at all";
  HeadlessPlatform io;
  io.SetDataFolder(folder.string());
  io.SetPixel(10, 10, Rgb{1, 2, 3});
  for (const char* name : {"bmp\\bad.bmp", "bmp\\core.bmp", "bmp\\noise.bmp", "bmp\\missing.bmp"}) {
    const Picture picture = io.LoadPicture(name);
    EXPECT_TRUE(picture.empty()) << name;
    io.DrawPicture(picture, 10, 10);
    EXPECT_EQ(io.GetPixel(10, 10), (Rgb{1, 2, 3})) << name;
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kerna::platform
