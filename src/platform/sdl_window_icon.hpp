// The window's small icon, drawn in code: a black and a white disc on a green square.
#pragma once

#include <SDL2/SDL.h>

namespace kerna::platform {

// A new 32 x 32 surface; the caller frees it.
SDL_Surface* MakeWindowIcon();

}  // namespace kerna::platform
