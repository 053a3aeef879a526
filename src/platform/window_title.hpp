// The title of the game's window, the same on every system. KERNA_VERSION is
// the project's version, which each build defines for the files that show it.
#pragma once

#ifndef KERNA_VERSION
#error "KERNA_VERSION is defined by the build (the project version)"
#endif

namespace kerna::platform {

inline constexpr const char* kWindowTitle = "ケルナのリバーシ V" KERNA_VERSION;

}  // namespace kerna::platform
