// Files on Windows: the game's UTF-8 paths opened through the wide-character
// API (see file_io.hpp).
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "platform/file_io.hpp"
#include "platform/win_text.hpp"

namespace kerna::platform {

std::FILE* OpenFile(const std::string& path, const char* mode) {
  const std::wstring wide_path = WideFromUtf8(path);
  if (std::string_view(mode) == "wbx") {
    // The C library of Windows knows no "x": an exclusive create, then a stream on it.
    const int fd =
        _wopen(wide_path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) _close(fd);
    return file;
  }
  return _wfopen(wide_path.c_str(), WideFromUtf8(mode).c_str());
}

bool SyncFile(std::FILE* file) {
  return _commit(_fileno(file)) == 0;
}

std::optional<uint64_t> OpenFileSize(std::FILE* file) {
  struct _stat64 status {};
  if (_fstat64(_fileno(file), &status) != 0) return std::nullopt;
  return static_cast<uint64_t>(status.st_size);
}

bool TruncateFile(std::FILE* file, uint64_t size) {
  return _chsize_s(_fileno(file), static_cast<__int64>(size)) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  // std::rename refuses to replace a file on Windows.
  return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFile(const std::string& path) {
  DeleteFileW(WideFromUtf8(path).c_str());
}

std::string TemporaryFileName(const std::string& path) {
  return path + ".tmp" + std::to_string(GetCurrentProcessId());
}

}  // namespace kerna::platform
