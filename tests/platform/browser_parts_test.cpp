// The pieces of the browser build that the desktop build can check: its keys
// match the desktop's, its bitmap decoder draws every shipped picture as SDL
// does, and the glyph sheet file keeps the masks it was given.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <filesystem>
#include <string>

#include "platform/dom_keys.hpp"
#include "platform/file_io.hpp"
#include "platform/glyph_sheet.hpp"
#include "platform/picture_file.hpp"
#include "platform/plain_bitmap.hpp"
#include "platform/sdl_keys.hpp"

namespace kerna::platform {
namespace {

TEST(BrowserKeys, AnswerAsTheDesktopKeysDo) {
  struct Press {
    const char* key;
    const char* code;
    int32_t sdl;
  };
  const Press presses[] = {
      {"ArrowUp", "ArrowUp", SDLK_UP},
      {"ArrowLeft", "ArrowLeft", SDLK_LEFT},
      {"8", "Numpad8", SDLK_KP_8},
      {"ArrowDown", "Numpad2", SDLK_KP_2},
      {"Enter", "Enter", SDLK_RETURN},
      {"Enter", "NumpadEnter", SDLK_KP_ENTER},
      {" ", "Space", SDLK_SPACE},
      {"Escape", "Escape", SDLK_ESCAPE},
      {"Backspace", "Backspace", SDLK_BACKSPACE},
      {"h", "KeyH", SDLK_h},
      {"H", "KeyH", SDLK_h},
      {"u", "KeyU", SDLK_u},
      {"Home", "Home", SDLK_HOME},
      {"End", "End", SDLK_END},
      {"n", "KeyN", SDLK_n},
      {"N", "KeyN", SDLK_n},
      {"1", "Digit1", SDLK_1},
      {"9", "Digit9", SDLK_9},
      {"0", "Digit0", SDLK_0},
      {"q", "KeyQ", SDLK_q},
  };
  for (const Press& press : presses) {
    for (const bool repeat : {false, true}) {
      EXPECT_EQ(KeyFromDom(press.key, press.code, repeat), KeyFromSdl(press.sdl, repeat))
          << press.key << " " << press.code << (repeat ? " held" : "");
    }
  }
}

TEST(PlainBitmaps, DecodeEveryShippedPictureAsSdlDoes) {
  int pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KERNA_ASSETS_DIR "/bmp")) {
    const std::string path = entry.path().string();
    const Picture expected = DecodeBitmapFile(path);
    const Picture decoded = DecodePlainBitmap(ReadFileBytes(path));
    ASSERT_FALSE(expected.empty()) << path;
    EXPECT_EQ(decoded.width, expected.width) << path;
    EXPECT_EQ(decoded.height, expected.height) << path;
    EXPECT_TRUE(decoded.pixels == expected.pixels) << path;
    ++pictures;
  }
  EXPECT_GT(pictures, 0);
}

// The same picture stored from the top down (a negative height) and cut short.
TEST(PlainBitmaps, ReadTopDownRowsAndRefuseCutFiles) {
  const std::string path = KERNA_ASSETS_DIR "/bmp/kuro.bmp";
  const std::string bytes = ReadFileBytes(path);
  const Picture bottom_up = DecodePlainBitmap(bytes);
  ASSERT_FALSE(bottom_up.empty());
  const size_t row_bytes = (static_cast<size_t>(bottom_up.width) * 3 + 3) / 4 * 4;
  const size_t pixels_at = 54;
  std::string top_down = bytes.substr(0, pixels_at);
  for (int row = bottom_up.height - 1; row >= 0; --row) {
    top_down += bytes.substr(pixels_at + row * row_bytes, row_bytes);
  }
  const int32_t negative = -bottom_up.height;
  for (int i = 0; i < 4; ++i) top_down[22 + i] = static_cast<char>(negative >> (8 * i) & 0xFF);
  EXPECT_TRUE(DecodePlainBitmap(top_down).pixels == bottom_up.pixels);
  EXPECT_TRUE(DecodePlainBitmap(bytes.substr(0, bytes.size() - 1)).empty());
  EXPECT_TRUE(DecodePlainBitmap(bytes.substr(0, 40)).empty());
}

TEST(GlyphSheet, KeepsItsMasksAndRefusesACutFile) {
  SheetGlyph wide{U'碁', 2, {}};
  for (int y = 0; y < 16; ++y) wide.mask.rows[y] = static_cast<uint16_t>(0x8001u << (y % 2));
  SheetGlyph narrow{U'A', 1, {}};
  narrow.mask.rows[3] = 0x3C;
  const std::string file = WriteGlyphSheet({wide, narrow});
  const auto read = ReadGlyphSheet(file);
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->size(), 2u);
  EXPECT_EQ((*read)[0].character, U'碁');
  EXPECT_EQ((*read)[0].cells, 2);
  EXPECT_EQ((*read)[0].mask.rows, wide.mask.rows);
  EXPECT_EQ((*read)[1].mask.rows, narrow.mask.rows);
  EXPECT_FALSE(ReadGlyphSheet(file.substr(0, file.size() - 1)).has_value());
  EXPECT_FALSE(ReadGlyphSheet("KGS0" + file.substr(4)).has_value());
}

}  // namespace
}  // namespace kerna::platform
