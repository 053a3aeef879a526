// The text grid's font: IPAGothic at 16 pixels, found through fontconfig and
// rasterised with SDL_ttf into crisp one-bit cell masks (half-width 8 x 16,
// full-width 16 x 16). Crisp masks make drawing text over itself idempotent,
// which a see-through background relies on. Masks are cached per character.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

typedef struct _TTF_Font TTF_Font;

namespace kerna::platform {

// Bit x (0 = left) of rows[y] is set where the glyph covers pixel (x, y).
struct GlyphMask {
  std::array<uint16_t, 16> rows{};
};

class GlyphFont {
 public:
  static constexpr const char* kFamily = "IPAGothic";
  static constexpr const char* kDebianPackage = "fonts-ipafont-gothic";

  // The font file of the IPAGothic family, or nullopt (with the reason in
  // *error) when fontconfig only offers some other family.
  static std::optional<std::string> FindFile(std::string* error);
  // The same, looked up once per process (the answer does not change).
  static const std::optional<std::string>& CachedFile();

  // Opens the file at 16 pixels; nullptr (reason in *error) when it cannot.
  static std::unique_ptr<GlyphFont> Open(const std::string& file, std::string* error);
  ~GlyphFont();
  GlyphFont(const GlyphFont&) = delete;
  GlyphFont& operator=(const GlyphFont&) = delete;

  // The mask of one character, clipped to `cells` half-width cells and 16 rows.
  const GlyphMask& Glyph(char32_t character, int cells);

 private:
  explicit GlyphFont(TTF_Font* font) : font_(font) {}
  GlyphMask Rasterise(char32_t character, int cells) const;

  TTF_Font* font_;
  std::unordered_map<uint64_t, GlyphMask> cache_;
};

}  // namespace kerna::platform
