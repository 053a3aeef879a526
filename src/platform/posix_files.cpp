// Files on Linux and the browser: paths are bytes, UTF-8 by convention (see
// file_io.hpp).
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.hpp"

namespace kerna::platform {

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool SyncFile(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

std::optional<uint64_t> OpenFileSize(std::FILE* file) {
  struct stat status {};
  if (::fstat(::fileno(file), &status) != 0) return std::nullopt;
  return static_cast<uint64_t>(status.st_size);
}

bool TruncateFile(std::FILE* file, uint64_t size) {
  return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0;
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
