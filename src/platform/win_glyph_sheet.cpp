// The Windows build's glyph sheet: a resource of the program itself (the
// resource script puts glyphs.bin there), so no extra file has to travel with it.
#include <windows.h>

#include "platform/glyph_sheet.hpp"

namespace kerna::platform {

std::optional<std::string> BuiltInGlyphSheet(std::string* error) {
  const HRSRC found = FindResourceW(nullptr, L"GLYPHS", MAKEINTRESOURCEW(10));  // RT_RCDATA
  const HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) {
    if (error) *error = "the program carries no glyph sheet";
    return std::nullopt;
  }
  return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

}  // namespace kerna::platform
