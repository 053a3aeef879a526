// The user's configuration folder (see settings_location.hpp).
#include "game/settings_location.hpp"

#include <filesystem>
#include <system_error>

#include "platform/file_io.hpp"
#include "platform/os_folders.hpp"

namespace kerna {

std::string UserConfigFolder() {
  const std::string base = platform::UserSettingsBase();
  return base.empty() ? std::string() : base + "/kerna-reversi";
}

std::string UserConfigFile(std::string_view file_name) {
  const std::string folder = UserConfigFolder();
  if (folder.empty()) return {};
  return folder + "/" + std::string(file_name);
}

bool MakeUserConfigFolder() {
  const std::string folder = UserConfigFolder();
  if (folder.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(platform::FsPath(folder), error);
  return std::filesystem::is_directory(platform::FsPath(folder), error);
}

bool UserFileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(platform::FsPath(path), error);
}

std::string OwnFilesFolder(const std::string& dat_folder) {
  return platform::FolderWritable(dat_folder) ? dat_folder : UserConfigFolder();
}

}  // namespace kerna
