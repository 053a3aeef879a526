// kerna-glyph-sheet: renders every CP932 character that IPAGothic draws, with
// the desktop's own GlyphFont, into the glyph sheet the browser build draws its
// text from (glyph_sheet.hpp). Then checks that the sheet holds every character
// the game can print: those of the files named after --check, CP932 data files
// (dat/speech.csv) and C++ sources (the "…"_sjis and u8"…" literals). A
// character the sheet lacks fails the build with its file and character.
//
//   kerna-glyph-sheet OUT.bin --check assets/dat/speech.csv src/ui/hostess_texts.hpp ...
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp932.hpp"
#include "platform/file_io.hpp"
#include "platform/glyph_font.hpp"
#include "platform/glyph_sheet.hpp"

namespace {

using kerna::platform::GlyphMask;
using kerna::platform::SheetGlyph;

bool Blank(const GlyphMask& mask) {
  for (uint16_t row : mask.rows) {
    if (row != 0) return false;
  }
  return true;
}

// Every character of CP932 with its width in cells, as the text grid prints
// it: one byte is one cell, a lead and trail byte pair two.
std::vector<std::pair<char32_t, int>> Cp932Characters() {
  using namespace kerna::platform;
  std::vector<std::pair<char32_t, int>> characters;
  for (int byte = 0x21; byte <= 0xFF; ++byte) {
    if (IsCp932LeadByte(static_cast<unsigned char>(byte))) continue;
    const char32_t c = DecodeCp932(byte);
    if (c != 0xFFFF && c != 0x7F) characters.emplace_back(c, 1);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsCp932TrailByte(static_cast<unsigned char>(trail))) continue;
      const char32_t c = DecodeCp932(lead << 8 | trail);
      if (c != 0xFFFF) characters.emplace_back(c, 2);
    }
  }
  return characters;
}

// UTF-8 text to characters (the sources are UTF-8).
std::vector<char32_t> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < text.size(); ++k) {
      c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    out.push_back(c);
    i += length;
  }
  return out;
}

// The characters a file makes the game print.
std::vector<char32_t> PrintedCharacters(const std::filesystem::path& file) {
  const std::string bytes = kerna::platform::ReadFileBytes(file.string());
  const std::string extension = file.extension().string();
  if (extension == ".cpp" || extension == ".hpp") {
    static const std::regex literal(R"re((?:u8)?"((?:[^"\\\n]|\\.)*)"(_sjis)?)re");
    std::vector<char32_t> out;
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), literal);
         it != std::sregex_iterator(); ++it) {
      const std::string whole = (*it)[0].str();
      if (!(*it)[2].matched && whole.rfind("u8", 0) != 0) continue;  // plain ASCII strings
      const auto characters = DecodeUtf8((*it)[1].str());
      out.insert(out.end(), characters.begin(), characters.end());
    }
    return out;
  }
  return DecodeUtf8(kerna::platform::FromCp932(bytes));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kerna-glyph-sheet OUT.bin [--check FILE...]\n");
    return 2;
  }
  std::string error;
  const auto& file = kerna::platform::GlyphFont::FindFile(&error);
  auto font = file ? kerna::platform::GlyphFont::Open(*file, &error) : nullptr;
  if (!font) {
    std::fprintf(stderr, "kerna-glyph-sheet: %s\n", error.c_str());
    return 1;
  }
  std::vector<SheetGlyph> glyphs;
  std::set<std::pair<char32_t, int>> in_sheet;
  for (const auto& [character, cells] : Cp932Characters()) {
    if (!in_sheet.emplace(character, cells).second) continue;  // one code for two characters
    const GlyphMask& mask = font->Glyph(character, cells);
    if (Blank(mask)) continue;  // blanks draw nothing either way
    glyphs.push_back({character, cells, mask});
  }
  in_sheet.clear();
  for (const SheetGlyph& glyph : glyphs) in_sheet.emplace(glyph.character, glyph.cells);
  if (!kerna::platform::WriteFileAtomically(argv[1], kerna::platform::WriteGlyphSheet(glyphs))) {
    std::fprintf(stderr, "kerna-glyph-sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  int missing = 0;
  bool checking = false;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--check") {
      checking = true;
      continue;
    }
    if (!checking) continue;
    for (char32_t c : PrintedCharacters(argv[i])) {
      const int code = kerna::platform::EncodeCp932(c);
      if (c <= 0x20 || c == 0x3000 || c == 0x7F || code < 0) continue;  // blanks, or no CP932
      const int cells = code > 0xFF ? 2 : 1;
      if (in_sheet.count({c, cells}) != 0) continue;
      std::fprintf(stderr, "%s: U+%04X has no glyph in %s\n", argv[i], static_cast<unsigned>(c),
                   kerna::platform::GlyphFont::kFamily);
      ++missing;
    }
  }
  std::printf("%s: %zu glyphs\n", argv[1], glyphs.size());
  return missing == 0 ? 0 : 1;
}
