// The text font of the browser build: the same one-bit masks as the desktop's
// IPAGothic, read from the glyph sheet made at build time (glyph_sheet.hpp).
// This file replaces glyph_font.cpp there: no TTF font is ever opened (font_
// stays null), every mask is in the cache from the start, and a character the
// sheet lacks draws nothing, as the desktop draws nothing for a character the
// font lacks. The build checks that every character the game prints is there.
#include <filesystem>

#include "platform/file_io.hpp"
#include "platform/glyph_font.hpp"
#include "platform/glyph_sheet.hpp"

namespace kerna::platform {

namespace {

// Where the page's data package puts the sheet.
constexpr const char* kSheetPath = "/glyphs.bin";

uint64_t CacheKey(char32_t character, int cells) {
  return static_cast<uint64_t>(character) << 8 | static_cast<uint64_t>(cells);
}

}  // namespace

std::optional<std::string> GlyphFont::FindFile(std::string* error) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(kSheetPath, ignored)) return std::string(kSheetPath);
  if (error) *error = std::string("glyph sheet ") + kSheetPath + " missing";
  return std::nullopt;
}

const std::optional<std::string>& GlyphFont::CachedFile() {
  static const std::optional<std::string> file = FindFile(nullptr);
  return file;
}

std::unique_ptr<GlyphFont> GlyphFont::Open(const std::string& file, std::string* error) {
  const auto glyphs = ReadGlyphSheet(ReadFileBytes(file));
  if (!glyphs) {
    if (error) *error = "cannot read glyph sheet " + file;
    return nullptr;
  }
  std::unique_ptr<GlyphFont> font(new GlyphFont(nullptr));
  for (const SheetGlyph& glyph : *glyphs) {
    font->cache_.emplace(CacheKey(glyph.character, glyph.cells), glyph.mask);
  }
  return font;
}

GlyphFont::~GlyphFont() = default;

const GlyphMask& GlyphFont::Glyph(char32_t character, int cells) {
  static const GlyphMask kBlank;
  const auto found = cache_.find(CacheKey(character, cells));
  return found != cache_.end() ? found->second : kBlank;
}

}  // namespace kerna::platform
