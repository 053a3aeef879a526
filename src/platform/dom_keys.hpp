// Which browser keys the game answers, and as which Key: the same keys as the
// desktop (sdl_keys.hpp), named as the page's keyboard events name them. Kept
// apart from the web backend so that the mapping is tested in the desktop build.
#pragma once

#include <optional>
#include <string_view>

#include "platform/keys.hpp"

namespace kerna::platform {

// The game's key for a KeyboardEvent's `key` and `code`, or none. As on the
// desktop, a held key's repeats count only for the arrows, and the keypad's
// 8 4 6 2 and Enter act as the arrows and Enter whatever Num Lock says.
std::optional<Key> KeyFromDom(std::string_view key, std::string_view code, bool repeat);

}  // namespace kerna::platform
