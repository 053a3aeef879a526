// Which Windows virtual-key codes the game answers, and as which Key: the same
// keys as the desktop (sdl_keys.hpp). Kept apart from the Windows backend so
// that the mapping is tested in the desktop build.
#pragma once

#include <optional>

#include "platform/keys.hpp"

namespace kerna::platform {

// The game's key for a WM_KEYDOWN's virtual-key code, or none. As on the
// desktop, a held key's repeats count only for the arrows, and the keypad's
// 8 4 6 2 act as the arrows whatever Num Lock says (Windows reports the keypad's
// Enter as VK_RETURN).
std::optional<Key> KeyFromVirtualKey(unsigned virtual_key, bool repeat);

}  // namespace kerna::platform
