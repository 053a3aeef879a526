// Which SDL key codes the game answers, and as which Key. Kept apart from the
// window code so that the mapping can be tested without a display.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/keys.hpp"

namespace kerna::platform {

// The game's key for an SDL key code (SDL_Keycode), or none. A held key's
// repeats count only for the arrows, so holding one moves the box along.
std::optional<Key> KeyFromSdl(int32_t sdl_keycode, bool repeat);

}  // namespace kerna::platform
