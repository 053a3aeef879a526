// Whole-file reads and writes on real paths (the platform resolves game paths
// like "dat\\set.ini" against the data folder before calling these).
//
// Paths are UTF-8 everywhere in the game. What opening, syncing and renaming a
// file means is the operating system's: posix_files.cpp, or win_files.cpp,
// which goes through Windows' wide-character API so that a folder named in
// Japanese works whatever the system's code page.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kerna::platform {

// The file's bytes; a missing or unreadable file reads as empty.
std::string ReadFileBytes(const std::string& path);
// The same, but nothing when the file is missing or cannot be read, for the
// callers that tell the player so.
std::optional<std::string> TryReadFileBytes(const std::string& path);

// The room left on a disk, for tests of a full disk: a write that needs more
// writes what fits and then fails as the real disk would (the callers below
// take none: the disk itself says when it is full).
struct DiskRoom {
  uint64_t bytes = 0;
};

// Every write below flushes its bytes to the disk before it returns, and a
// write that fails leaves the earlier file as it was.

// Writes the bytes to a temporary file beside `path`, then renames it over
// `path`, so a reader never sees half a file. False (and `path` untouched) when
// the folder is not writable or the disk is full.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, DiskRoom* room = nullptr);

// Appends the bytes (creating the file when missing). False when they cannot
// all be written; a part written before the disk filled up is cut off again,
// so the file keeps only whole appends.
bool AppendFileBytes(const std::string& path, std::string_view bytes, DiskRoom* room = nullptr);

// Writes a new file; false (and nothing changed) when `path` already exists or
// cannot be written. A file left half written by a full disk is removed.
bool CreateFileBytes(const std::string& path, std::string_view bytes, DiskRoom* room = nullptr);

// When the file ends with `tail`, cuts it off in place and returns true. Only
// the end is read, however long the file, and a full disk allows it (it frees
// room).
bool CutOffEnd(const std::string& path, std::string_view tail);

// Whether a file can be opened for reading.
bool FileReadable(const std::string& path);

// --- The operating system's part ---
// std::fopen by a UTF-8 path; the mode "wbx" creates a new file only.
std::FILE* OpenFile(const std::string& path, const char* mode);
// Sends what was written to the open file on to the disk.
bool SyncFile(std::FILE* file);
// The open file's size in bytes; nothing when the system cannot tell.
std::optional<uint64_t> OpenFileSize(std::FILE* file);
// Cuts the open file to `size` bytes.
bool TruncateFile(std::FILE* file, uint64_t size);
// Renames `from` to `to`, replacing a file already there.
bool RenameFile(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);
// A name beside `path` that no other running copy of the game uses.
std::string TemporaryFileName(const std::string& path);

// std::filesystem paths from and to the game's UTF-8 strings (a plain
// std::string would be read in the system's code page on Windows).
std::filesystem::path FsPath(std::string_view utf8);
std::string Utf8Path(const std::filesystem::path& path);

}  // namespace kerna::platform
