// The glyph sheet: the text font's masks stored in a file, so the browser build
// draws exactly the glyphs the desktop renders without a font library.
// tools/glyphs renders the sheet with the desktop's GlyphFont at build time.
//
// File layout (little-endian): "KGS1", u32 count, then per glyph u32 character
// (Unicode), u8 cells (1 half-width, 2 full-width) and 16 u16 mask rows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/glyph_font.hpp"

namespace kerna::platform {

struct SheetGlyph {
  char32_t character = 0;
  int cells = 1;
  GlyphMask mask;
};

std::string WriteGlyphSheet(const std::vector<SheetGlyph>& glyphs);
// nullopt when the bytes are not a whole sheet.
std::optional<std::vector<SheetGlyph>> ReadGlyphSheet(std::string_view bytes);

// The builds without a font library carry their sheet with them: the browser
// build in its data package (web_glyph_sheet.cpp), the Windows build as a
// resource of the program (win_glyph_sheet.cpp). Its bytes, or nullopt and
// the reason in *error.
std::optional<std::string> BuiltInGlyphSheet(std::string* error);
// The name GlyphFont::FindFile gives that sheet.
inline constexpr const char* kBuiltInSheetName = "built-in glyph sheet";

}  // namespace kerna::platform
