// Bitmap files decoded by SDL (see picture_file.hpp).
#include <SDL2/SDL.h>

#include "platform/picture_file.hpp"

namespace kerna::platform {

Picture DecodeBitmapFile(const std::string& path) {
  Picture picture;
  SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
  if (loaded == nullptr) return picture;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (rgb == nullptr) return picture;
  picture.width = rgb->w;
  picture.height = rgb->h;
  picture.pixels.resize(static_cast<size_t>(rgb->w) * rgb->h);
  const auto* bytes = static_cast<const uint8_t*>(rgb->pixels);
  for (int y = 0; y < rgb->h; ++y) {
    const uint8_t* row = bytes + static_cast<ptrdiff_t>(y) * rgb->pitch;
    for (int x = 0; x < rgb->w; ++x) {
      picture.pixels[y * rgb->w + x] = Rgb{row[3 * x], row[3 * x + 1], row[3 * x + 2]};
    }
  }
  SDL_FreeSurface(rgb);
  return picture;
}

}  // namespace kerna::platform
