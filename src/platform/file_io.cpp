// Whole-file reads and atomic whole-file writes.
#include "platform/file_io.hpp"

#include <unistd.h>

#include <cstdio>
#include <memory>

namespace kerna::platform {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::optional<std::string> TryReadFileBytes(const std::string& path) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

std::string ReadFileBytes(const std::string& path) {
  return TryReadFileBytes(path).value_or(std::string{});
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (std::fflush(file) == 0) && ok;
  ok = (::fsync(::fileno(file)) == 0) && ok;
  ok = (std::fclose(file) == 0) && ok;
  if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temporary.c_str());
  return ok;
}

namespace {

// Writes, flushes and syncs an open file, then closes it; true when all worked.
bool WriteAndClose(std::FILE* file, std::string_view bytes) {
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (std::fflush(file) == 0) && ok;
  ok = (::fsync(::fileno(file)) == 0) && ok;
  return (std::fclose(file) == 0) && ok;
}

}  // namespace

bool AppendFileBytes(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "ab");
  return file != nullptr && WriteAndClose(file, bytes);
}

bool CreateFileBytes(const std::string& path, std::string_view bytes) {
  // "x": fails when the file exists, so two saves never share one name.
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) return false;
  if (WriteAndClose(file, bytes)) return true;
  std::remove(path.c_str());
  return false;
}

}  // namespace kerna::platform
