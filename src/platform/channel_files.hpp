// Numbered file channels for sequential text input and output (the settings
// file, the self-play log). A channel is opened on a game path in one mode; a
// read channel hands out one field at a time, a write channel takes text.
// Nothing here ever throws or crashes on a missing file or an unwritable
// folder: a failed open returns false, reads then give "" and writes go nowhere
// (and return false), so a caller that cares can tell.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

namespace kerna::platform {

class Platform;

enum class ChannelMode {
  kRead,    // an existing file, read field by field
  kWrite,   // start the file afresh (created if missing) and write
  kCreate,  // the same as kWrite: a new, empty file
  kAppend,  // keep what the file holds and write after it
};

class ChannelFiles {
 public:
  explicit ChannelFiles(Platform& platform) : platform_(platform) {}
  ~ChannelFiles();
  ChannelFiles(const ChannelFiles&) = delete;
  ChannelFiles& operator=(const ChannelFiles&) = delete;

  // Opens `game_path` (e.g. "dat\\set.ini") on `channel` (1 or more), closing
  // whatever that channel had open. False when the file cannot be opened.
  bool Open(int channel, std::string_view game_path, ChannelMode mode);
  // One field: the bytes up to the next comma or line end (CR LF, CR or LF),
  // which is consumed. At the end of the file, or on a channel not open for
  // reading, "".
  std::string ReadField(int channel);
  // True when a read channel has no more bytes (or is not open for reading).
  bool AtEnd(int channel) const;
  // Writes the bytes as they are (the caller adds "\r\n"); flushed at once, so
  // a file that is never closed still holds everything written.
  bool Write(int channel, std::string_view bytes);
  void Close(int channel);
  bool IsOpen(int channel) const;

 private:
  struct Channel {
    ChannelMode mode = ChannelMode::kRead;
    std::string bytes;  // read channels: the whole file
    size_t position = 0;
    std::FILE* file = nullptr;  // write channels
  };

  Platform& platform_;
  std::map<int, Channel> channels_;
};

}  // namespace kerna::platform
