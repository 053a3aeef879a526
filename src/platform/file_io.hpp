// Whole-file reads and writes on real paths (the platform resolves game paths
// like "dat\\set.ini" against the data folder before calling these).
#pragma once

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

}  // namespace kerna::platform
