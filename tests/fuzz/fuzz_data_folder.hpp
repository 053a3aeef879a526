// Shared by the data-file fuzz targets: a headless platform whose data folder
// is a fresh temporary directory, into which each input is written as one file
// before the real loader reads it.
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::fuzz {

class DataFolder {
 public:
  DataFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kerna_fuzz_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) abort();
    folder_ = pattern;
    std::filesystem::create_directories(folder_ + "/dat");
    io_.SetDataFolder(folder_);
  }
  ~DataFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // Writes dat/<name>.
  void Write(std::string_view name, std::string_view bytes) {
    std::ofstream(folder_ + "/dat/" + std::string(name), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void Write(std::string_view name, const uint8_t* data, size_t size) {
    Write(name, std::string_view(reinterpret_cast<const char*>(data), size));
  }
  // A fresh game (all tables zero) on this folder.
  std::unique_ptr<Game> NewGame() { return std::make_unique<Game>(io_); }

 private:
  std::string folder_;
  platform::HeadlessPlatform io_;
};

}  // namespace kerna::fuzz
