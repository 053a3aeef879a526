// Whole-file reads and writes on real paths (the platform resolves game paths
// like "dat\\set.ini" against the data folder before calling these).
//
// Paths are UTF-8 everywhere in the game. What opening, syncing and renaming a
// file means is the operating system's: posix_files.cpp, or win_files.cpp,
// which goes through Windows' wide-character API so that a folder named in
// Japanese works whatever the system's code page.
#pragma once

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

// Writes the bytes to a temporary file beside `path`, then renames it over
// `path`, so a reader never sees half a file. False (and `path` untouched) when
// the folder is not writable or the disk is full.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Appends the bytes (creating the file when missing) and flushes them to the
// disk, so a crash right after loses nothing. False when it cannot be written.
bool AppendFileBytes(const std::string& path, std::string_view bytes);

// Writes a new file; false (and nothing changed) when `path` already exists or
// cannot be written. A file left half written by a full disk is removed.
bool CreateFileBytes(const std::string& path, std::string_view bytes);

// Whether a file can be opened for reading.
bool FileReadable(const std::string& path);

// --- The operating system's part ---
// std::fopen by a UTF-8 path; the mode "wbx" creates a new file only.
std::FILE* OpenFile(const std::string& path, const char* mode);
// Sends what was written to the open file on to the disk.
bool SyncFile(std::FILE* file);
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
