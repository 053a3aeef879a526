// Where the game's own writable files live. They belong in the data folder
// (dat\set.ini, dat\sakiyomi.csv); when that folder cannot be written to (an
// installed copy) they go to the user's configuration folder instead,
// $XDG_CONFIG_HOME/kerna-reversi/ or else ~/.config/kerna-reversi/, and a copy
// found there is read first.
#pragma once

#include <string>
#include <string_view>

namespace kerna {

// The user's folder for the game ("" when neither XDG_CONFIG_HOME nor HOME is set).
std::string UserConfigFolder();
// The absolute path of a file in that folder ("" when there is none).
std::string UserConfigFile(std::string_view file_name);
// Creates the folder (and its parents); false when it cannot be made.
bool MakeUserConfigFolder();
// Whether the folder exists and may be written to. A folder whose permission
// bits forbid writing counts as read-only even for a user who could write
// anyway (root): an installed copy is never written into.
bool FolderWritable(const std::string& folder);
// Whether a file exists at an absolute path.
bool UserFileExists(const std::string& path);

}  // namespace kerna
