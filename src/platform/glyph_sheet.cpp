// Reading and writing the glyph sheet (see glyph_sheet.hpp).
#include "platform/glyph_sheet.hpp"

#include <cstdint>

namespace kerna::platform {

namespace {

constexpr std::string_view kMagic = "KGS1";
constexpr size_t kEntryBytes = 4 + 1 + 16 * 2;

void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

uint32_t GetLittle(std::string_view in, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = value << 8 | static_cast<uint8_t>(in[at + static_cast<size_t>(i)]);
  }
  return value;
}

}  // namespace

std::string WriteGlyphSheet(const std::vector<SheetGlyph>& glyphs) {
  std::string out(kMagic);
  PutLittle(out, static_cast<uint32_t>(glyphs.size()), 4);
  for (const SheetGlyph& glyph : glyphs) {
    PutLittle(out, static_cast<uint32_t>(glyph.character), 4);
    PutLittle(out, static_cast<uint32_t>(glyph.cells), 1);
    for (uint16_t row : glyph.mask.rows) PutLittle(out, row, 2);
  }
  return out;
}

std::optional<std::vector<SheetGlyph>> ReadGlyphSheet(std::string_view bytes) {
  if (bytes.size() < 8 || bytes.substr(0, 4) != kMagic) return std::nullopt;
  const uint32_t count = GetLittle(bytes, 4, 4);
  if ((bytes.size() - 8) / kEntryBytes != count || (bytes.size() - 8) % kEntryBytes != 0) {
    return std::nullopt;
  }
  std::vector<SheetGlyph> glyphs(count);
  size_t at = 8;
  for (SheetGlyph& glyph : glyphs) {
    glyph.character = GetLittle(bytes, at, 4);
    glyph.cells = static_cast<int>(GetLittle(bytes, at + 4, 1));
    for (size_t y = 0; y < 16; ++y) {
      glyph.mask.rows[y] = static_cast<uint16_t>(GetLittle(bytes, at + 5 + 2 * y, 2));
    }
    at += kEntryBytes;
  }
  return glyphs;
}

}  // namespace kerna::platform
