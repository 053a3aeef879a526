// Where the game's own writable files live (set.ini, sakiyomi.csv, window.ini,
// records.txt and records/). While the data folder's dat\ can be written, they
// are there, full stop: a hand edit of dat\set.ini always counts. Only when it
// cannot be written (an installed copy) do they go to the user's configuration
// folder, $XDG_CONFIG_HOME/kerna-reversi/ or else ~/.config/kerna-reversi/
// (on Windows %APPDATA%\kerna-reversi\).
#pragma once

#include <string>
#include <string_view>

namespace kerna {

// The user's folder for the game ("" when the system names no settings folder).
std::string UserConfigFolder();
// The absolute path of a file in that folder ("" when there is none).
std::string UserConfigFile(std::string_view file_name);
// Creates the folder (and its parents); false when it cannot be made.
bool MakeUserConfigFolder();
// Whether a file exists at an absolute path.
bool UserFileExists(const std::string& path);
// The folder of the game's own files for the data folder's dat\ (absolute or
// relative path): dat\ itself when it can be written, else the user's folder
// ("" when there is none).
std::string OwnFilesFolder(const std::string& dat_folder);

}  // namespace kerna
