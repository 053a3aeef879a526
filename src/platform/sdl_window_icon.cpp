// The window's small icon (see sdl_window_icon.hpp).
#include "platform/sdl_window_icon.hpp"

namespace kerna::platform {

SDL_Surface* MakeWindowIcon() {
  constexpr int kSize = 32;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 32, SDL_PIXELFORMAT_RGBA32);
  if (icon == nullptr) return nullptr;
  auto* pixels = static_cast<Uint32*>(icon->pixels);
  const int stride = icon->pitch / 4;
  const Uint32 green = SDL_MapRGBA(icon->format, 0, 128, 64, 255);
  const Uint32 black = SDL_MapRGBA(icon->format, 16, 16, 16, 255);
  const Uint32 white = SDL_MapRGBA(icon->format, 240, 240, 240, 255);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Two overlapping discs: white behind at the top left, black in front.
      const int bx = x - 19, by = y - 19, wx = x - 12, wy = y - 12;
      Uint32 colour = green;
      if (wx * wx + wy * wy <= 100) colour = white;
      if (bx * bx + by * by <= 100) colour = black;
      pixels[y * stride + x] = colour;
    }
  }
  return icon;
}

}  // namespace kerna::platform
