// The browser's storage for what the game writes: set.ini, window.ini, the
// game in progress and the game records live in the user's folder
// ($XDG_CONFIG_HOME/kerna-reversi), and XDG_CONFIG_HOME is a folder kept in IndexedDB (Emscripten's
// IDBFS). The game writes with the same code as on the desktop (temporary file + rename, each file
// synced): a file synced is in IndexedDB before the game goes on, and whatever else changed is
// copied a moment later, only the paths that changed, so thousands of kept games cost a save
// nothing. When IndexedDB is missing (some private modes) the files live on in memory for this
// visit and the page says that they will not be kept; when it refuses a copy (full), a synced write
// fails as on a full disk, and the page says so too. What was stored before stays as it was.
#pragma once

#include <functional>

namespace kerna::platform {

// Mounts the stored folder at `folder`, loads what earlier visits kept, points
// XDG_CONFIG_HOME at it and starts copying writes back. Runs `meanwhile`
// while the browser reads the stored files, then waits (yielding to the
// browser) until they are there.
void OpenBrowserStorage(const char* folder, const std::function<void()>& meanwhile);

}  // namespace kerna::platform
