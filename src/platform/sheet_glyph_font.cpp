// The text font of the builds without a font library (the browser, Windows):
// the same one-bit masks as the desktop's IPAGothic, read from the glyph sheet
// made at build time (glyph_sheet.hpp) that the build carries with it
// (BuiltInGlyphSheet). This file replaces glyph_font.cpp there: no TTF font is
// ever opened (font_ stays null), every mask is in the cache from the start,
// and a character the sheet lacks draws nothing, as the desktop draws nothing
// for a character the font lacks. The build checks that every character the
// game prints is there.
#include "platform/glyph_font.hpp"
#include "platform/glyph_sheet.hpp"

namespace kerna::platform {

namespace {

uint64_t CacheKey(char32_t character, int cells) {
  return static_cast<uint64_t>(character) << 8 | static_cast<uint64_t>(cells);
}

}  // namespace

std::optional<std::string> GlyphFont::FindFile(std::string* error) {
  if (!BuiltInGlyphSheet(error)) return std::nullopt;
  return std::string(kBuiltInSheetName);
}

const std::optional<std::string>& GlyphFont::CachedFile() {
  static const std::optional<std::string> file = FindFile(nullptr);
  return file;
}

std::unique_ptr<GlyphFont> GlyphFont::Open(const std::string& file, std::string* error) {
  const auto bytes = BuiltInGlyphSheet(error);
  const auto glyphs = bytes ? ReadGlyphSheet(*bytes) : std::nullopt;
  if (!glyphs) {
    if (error && bytes) *error = "cannot read the glyph sheet " + file;
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
