// Where the game's data (dat/ bmp/ sound/ voice/) is found, and the window
// settings file beside set.ini. The data folder is the working directory when
// it holds dat/ and bmp/ (a run from the source tree's assets), else the
// installed copy at <program dir>/../share/kerna-reversi, else the assets the
// program was built from.
#pragma once

#include <string>

namespace kerna {

// The first of the candidate folders that holds both dat/ and bmp/; the last
// candidate when none does (its loaders then report what is missing).
std::string ChooseDataFolder(const std::string& working_dir, const std::string& program_dir,
                             const std::string& built_assets_dir);

// The scale the window settings file (window.ini, "scale=N") forces, 0 for
// none. Placed like set.ini: <data folder>/dat/window.ini while that folder
// can be written, else the user's configuration folder's copy (when there is one).
int ForcedWindowScale(const std::string& data_folder);

}  // namespace kerna
