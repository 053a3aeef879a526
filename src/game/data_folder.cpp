// Data folder search and the window settings file (see data_folder.hpp).
#include "game/data_folder.hpp"

#include <filesystem>
#include <system_error>

#include "game/settings_location.hpp"
#include "platform/file_io.hpp"
#include "platform/os_folders.hpp"
#include "platform/window_scale.hpp"

namespace kerna {

namespace {

bool HoldsData(const std::string& folder) {
  std::error_code error;
  const std::filesystem::path base = platform::FsPath(folder);
  return !folder.empty() && std::filesystem::is_directory(base / "dat", error) &&
         std::filesystem::is_directory(base / "bmp", error);
}

}  // namespace

std::string ChooseDataFolder(const std::string& working_dir, const std::string& program_dir,
                             const std::string& built_assets_dir) {
  if (HoldsData(working_dir)) return working_dir;
  if (!program_dir.empty()) {
    const std::string installed = program_dir + "/../share/kerna-reversi";
    if (HoldsData(installed)) return installed;
  }
  if (HoldsData(built_assets_dir)) return built_assets_dir;
  return working_dir;
}

int ForcedWindowScale(const std::string& data_folder) {
  const std::string dat = data_folder + "/dat";
  const std::string user_copy = platform::FolderWritable(dat) ? "" : UserConfigFile("window.ini");
  const std::string path = UserFileExists(user_copy) ? user_copy : dat + "/window.ini";
  return platform::ParseWindowScale(platform::ReadFileBytes(path));
}

}  // namespace kerna
