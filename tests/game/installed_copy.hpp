// A throw-away copy of the shipped game folder: dat/ copied (so tests may
// damage or rewrite it), bmp/ sound/ voice/ linked, and a user configuration
// folder of its own, so nothing is written into the repository or real home.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace kerna::test {

class InstalledCopy {
 public:
  explicit InstalledCopy(const std::string& tag) {
    namespace fs = std::filesystem;
    root_ = fs::temp_directory_path() / ("kerna-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    fs::copy(fs::path(KERNA_ASSETS_DIR) / "dat", root_ / "dat", fs::copy_options::recursive);
    for (const char* shared : {"bmp", "sound", "voice"}) {
      fs::create_directory_symlink(fs::path(KERNA_ASSETS_DIR) / shared, root_ / shared);
    }
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  }
  ~InstalledCopy() {
    ::chmod((root_ / "dat").c_str(), 0755);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
};

}  // namespace kerna::test
