// The folders the operating system names: where the running program is, the
// base of the user's settings, and whether a folder may be written to.
// posix_folders.cpp for Linux (and the browser), win_folders.cpp for Windows.
#pragma once

#include <string>

namespace kerna::platform {

// The folder the running program's file is in ("" when unknown).
std::string ProgramFolder();

// The folder under which programs keep their users' settings: $XDG_CONFIG_HOME
// or else ~/.config on Linux, %APPDATA% on Windows ("" when there is none).
std::string UserSettingsBase();

// Whether the folder exists and may be written to. A folder the system marks
// read-only (Linux: no write permission bit; Windows: the read-only attribute)
// counts as read-only even for a user who could write anyway (root, an
// administrator): an installed copy is never written into.
bool FolderWritable(const std::string& folder);

}  // namespace kerna::platform
