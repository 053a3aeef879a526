// The user's configuration folder (see settings_location.hpp).
#include "game/settings_location.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kerna {

std::string UserConfigFolder() {
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  // The base directory rules ignore a relative XDG_CONFIG_HOME.
  if (config_home != nullptr && config_home[0] == '/') {
    return std::string(config_home) + "/kerna-reversi";
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/kerna-reversi";
  return {};
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
  std::filesystem::create_directories(folder, error);
  return std::filesystem::is_directory(folder, error);
}

bool UserFileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string OwnFilesFolder(const std::string& dat_folder) {
  return FolderWritable(dat_folder) ? dat_folder : UserConfigFolder();
}

bool FolderWritable(const std::string& folder) {
  struct stat info {};
  if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace kerna
