// Whole-file reads and atomic whole-file writes.
#include "platform/file_io.hpp"

#include <memory>

namespace kerna::platform {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Writes, flushes and syncs an open file, then closes it; true when all worked.
bool WriteAndClose(std::FILE* file, std::string_view bytes) {
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (std::fflush(file) == 0) && ok;
  ok = SyncFile(file) && ok;
  return (std::fclose(file) == 0) && ok;
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

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string temporary = TemporaryFileName(path);
  std::FILE* file = OpenFile(temporary, "wb");
  if (file == nullptr) return false;
  bool ok = WriteAndClose(file, bytes);
  if (ok) ok = RenameFile(temporary, path);
  if (!ok) RemoveFile(temporary);
  return ok;
}

bool AppendFileBytes(const std::string& path, std::string_view bytes) {
  std::FILE* file = OpenFile(path, "ab");
  return file != nullptr && WriteAndClose(file, bytes);
}

bool CreateFileBytes(const std::string& path, std::string_view bytes) {
  // Fails when the file exists, so two saves never share one name.
  std::FILE* file = OpenFile(path, "wbx");
  if (file == nullptr) return false;
  if (WriteAndClose(file, bytes)) return true;
  RemoveFile(path);
  return false;
}

std::filesystem::path FsPath(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace kerna::platform
