// The browser build's glyph sheet: a file of the page's data package.
#include "platform/file_io.hpp"
#include "platform/glyph_sheet.hpp"

namespace kerna::platform {

namespace {

// Where the page's data package puts the sheet.
constexpr const char* kSheetPath = "/glyphs.bin";

}  // namespace

std::optional<std::string> BuiltInGlyphSheet(std::string* error) {
  auto bytes = TryReadFileBytes(kSheetPath);
  if (!bytes && error) *error = std::string("glyph sheet ") + kSheetPath + " missing";
  return bytes;
}

}  // namespace kerna::platform
