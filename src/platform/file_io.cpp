// Whole-file reads and atomic whole-file writes.
#include "platform/file_io.hpp"

#include <algorithm>
#include <memory>

namespace kerna::platform {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

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
  return SyncFile(file) && ok;
}

}  // namespace

std::optional<std::string> TryReadFileBytes(const std::string& path) {
  File file(OpenFile(path, "rb"));
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

bool FileReadable(const std::string& path) {
  return File(OpenFile(path, "rb")) != nullptr;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, DiskRoom* room) {
  const std::string temporary = TemporaryFileName(path);
  std::FILE* file = OpenFile(temporary, "wb");
  if (file == nullptr) return false;
  bool ok = WriteAll(file, bytes, room);
  ok = (std::fclose(file) == 0) && ok;
  if (ok) ok = RenameFile(temporary, path);
  if (!ok) RemoveFile(temporary);
  return ok;
}

bool AppendFileBytes(const std::string& path, std::string_view bytes, DiskRoom* room) {
  File file(OpenFile(path, "ab"));
  if (!file) return false;
  const std::optional<uint64_t> before = OpenFileSize(file.get());
  if (!before) return false;
  if (WriteAll(file.get(), bytes, room)) return std::fclose(file.release()) == 0;
  // Whatever part reached the file is taken off again (which a full disk
  // allows: it frees space), so the last line stays the last whole one.
  std::clearerr(file.get());
  if (TruncateFile(file.get(), *before)) SyncFile(file.get());
  return false;
}

bool CreateFileBytes(const std::string& path, std::string_view bytes, DiskRoom* room) {
  // "x": fails when the file exists, so two saves never share one name.
  std::FILE* file = OpenFile(path, "wbx");
  if (file == nullptr) return false;
  bool ok = WriteAll(file, bytes, room);
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) RemoveFile(path);
  return ok;
}

bool CutOffEnd(const std::string& path, std::string_view tail) {
  File file(OpenFile(path, "rb+"));
  if (!file) return false;
  const std::optional<uint64_t> size = OpenFileSize(file.get());
  if (!size || *size < tail.size()) return false;
  const uint64_t keep = *size - tail.size();
  std::string end(tail.size(), '\0');
  if (std::fseek(file.get(), static_cast<long>(keep), SEEK_SET) != 0 ||
      std::fread(end.data(), 1, end.size(), file.get()) != end.size() || end != tail) {
    return false;
  }
  return TruncateFile(file.get(), keep) && SyncFile(file.get());
}

std::filesystem::path FsPath(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace kerna::platform
