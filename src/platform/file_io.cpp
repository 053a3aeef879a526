// Whole-file reads and atomic whole-file writes.
#include "platform/file_io.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

namespace {

// Writes the bytes (only what fits in `room`, when given), flushes them and
// syncs the file; true when all of them are on the disk. Unbuffered, so that
// nothing of a failed write is left waiting to reach the file at its close.
bool WriteAll(std::FILE* file, std::string_view bytes, DiskRoom* room) {
  std::setvbuf(file, nullptr, _IONBF, 0);
  size_t fits = bytes.size();
  if (room != nullptr) {
    fits = static_cast<size_t>(std::min<uint64_t>(fits, room->bytes));
    room->bytes -= fits;
  }
  bool ok = std::fwrite(bytes.data(), 1, fits, file) == fits && fits == bytes.size();
  ok = (std::fflush(file) == 0) && ok;
  return (::fsync(::fileno(file)) == 0) && ok;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, DiskRoom* room) {
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = WriteAll(file, bytes, room);
  ok = (std::fclose(file) == 0) && ok;
  if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temporary.c_str());
  return ok;
}

bool AppendFileBytes(const std::string& path, std::string_view bytes, DiskRoom* room) {
  File file(std::fopen(path.c_str(), "ab"));
  if (!file) return false;
  struct stat before {};
  if (::fstat(::fileno(file.get()), &before) != 0) return false;
  if (WriteAll(file.get(), bytes, room)) return std::fclose(file.release()) == 0;
  // Whatever part reached the file is taken off again (which a full disk
  // allows: it frees space), so the last line stays the last whole one.
  std::clearerr(file.get());
  if (::ftruncate(::fileno(file.get()), before.st_size) == 0) ::fsync(::fileno(file.get()));
  return false;
}

bool CreateFileBytes(const std::string& path, std::string_view bytes, DiskRoom* room) {
  // "x": fails when the file exists, so two saves never share one name.
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) return false;
  bool ok = WriteAll(file, bytes, room);
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) std::remove(path.c_str());
  return ok;
}

bool CutOffEnd(const std::string& path, std::string_view tail) {
  File file(std::fopen(path.c_str(), "rb+"));
  if (!file) return false;
  struct stat status {};
  if (::fstat(::fileno(file.get()), &status) != 0) return false;
  const auto size = static_cast<uint64_t>(status.st_size);
  if (size < tail.size()) return false;
  const uint64_t keep = size - tail.size();
  std::string end(tail.size(), '\0');
  if (std::fseek(file.get(), static_cast<long>(keep), SEEK_SET) != 0 ||
      std::fread(end.data(), 1, end.size(), file.get()) != end.size() || end != tail) {
    return false;
  }
  return ::ftruncate(::fileno(file.get()), static_cast<off_t>(keep)) == 0 &&
         ::fsync(::fileno(file.get())) == 0;
}

}  // namespace kerna::platform
