// The title of the game's window, the same on every system.
#pragma once

namespace kerna::platform {

inline constexpr const char* kWindowTitle = "ケルナのリバーシ V2.73";

}  // namespace kerna::platform
