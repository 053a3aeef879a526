// Files on Linux and the browser: paths are bytes, UTF-8 by convention (see
// file_io.hpp).
#include <unistd.h>

#include "platform/file_io.hpp"

namespace kerna::platform {

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool SyncFile(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFile(const std::string& path) {
  std::remove(path.c_str());
}

std::string TemporaryFileName(const std::string& path) {
  return path + ".tmp" + std::to_string(::getpid());
}

}  // namespace kerna::platform
