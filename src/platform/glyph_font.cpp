// Finding IPAGothic through fontconfig and rasterising its glyphs with SDL_ttf.
#include "platform/glyph_font.hpp"

#include <SDL2/SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstring>

namespace kerna::platform {

namespace {

// Glyph pixels at or above this coverage are set; the rest are left alone.
constexpr uint8_t kCoverageThreshold = 128;

bool HasFamily(FcPattern* pattern, const char* wanted) {
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (std::strcmp(reinterpret_cast<const char*>(family), wanted) == 0) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> GlyphFont::FindFile(std::string* error) {
  // A private configuration, destroyed afterwards, so nothing stays allocated.
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) {
    if (error) *error = "fontconfig could not load its configuration";
    return std::nullopt;
  }
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kFamily));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  std::optional<std::string> file;
  // fontconfig always answers with some font; only IPAGothic itself will do.
  if (match != nullptr && HasFamily(match, kFamily)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
      file = reinterpret_cast<const char*>(path);
    }
  }
  if (!file && error) {
    *error = std::string("font family ") + kFamily + " not found (install the Debian package " +
             kDebianPackage + ")";
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return file;
}

const std::optional<std::string>& GlyphFont::CachedFile() {
  static const std::optional<std::string> file = FindFile(nullptr);
  return file;
}

std::unique_ptr<GlyphFont> GlyphFont::Open(const std::string& file, std::string* error) {
  if (TTF_Init() != 0) {
    if (error) *error = std::string("SDL_ttf: ") + TTF_GetError();
    return nullptr;
  }
  TTF_Font* font = TTF_OpenFont(file.c_str(), 16);
  if (font == nullptr) {
    if (error) *error = "cannot open font " + file + ": " + TTF_GetError();
    TTF_Quit();
    return nullptr;
  }
  TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
  return std::unique_ptr<GlyphFont>(new GlyphFont(font));
}

GlyphFont::~GlyphFont() {
  TTF_CloseFont(font_);
  TTF_Quit();
}

const GlyphMask& GlyphFont::Glyph(char32_t character, int cells) {
  const uint64_t key = static_cast<uint64_t>(character) << 8 | static_cast<uint64_t>(cells);
  auto found = cache_.find(key);
  if (found != cache_.end()) return found->second;
  return cache_.emplace(key, Rasterise(character, cells)).first->second;
}

GlyphMask GlyphFont::Rasterise(char32_t character, int cells) const {
  GlyphMask mask;
  if (!TTF_GlyphIsProvided32(font_, character)) return mask;
  SDL_Surface* glyph = TTF_RenderGlyph32_Shaded(font_, character, SDL_Color{255, 255, 255, 255},
                                                SDL_Color{0, 0, 0, 255});
  if (glyph == nullptr) return mask;
  // Row 0 of the rendered glyph is the font's ascent line, which is the top of
  // the 16-pixel text row; whatever reaches beyond the row or the cells is clipped.
  const int width = std::min(glyph->w, cells * 8);
  const int height = std::min(glyph->h, 16);
  const auto* pixels = static_cast<const uint8_t*>(glyph->pixels);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (pixels[y * glyph->pitch + x] >= kCoverageThreshold) mask.rows[y] |= uint16_t(1u << x);
    }
  }
  SDL_FreeSurface(glyph);
  return mask;
}

}  // namespace kerna::platform
