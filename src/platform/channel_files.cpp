// Numbered file channels (see channel_files.hpp).
#include "platform/channel_files.hpp"

#include "platform/file_io.hpp"
#include "platform/platform.hpp"

namespace kerna::platform {

ChannelFiles::~ChannelFiles() {
  for (auto& [number, channel] : channels_) {
    if (channel.file != nullptr) std::fclose(channel.file);
  }
}

bool ChannelFiles::Open(int channel, std::string_view game_path, ChannelMode mode) {
  Close(channel);
  if (channel < 1) return false;
  const std::string path = platform_.ResolvePath(game_path);
  Channel opened;
  opened.mode = mode;
  if (mode == ChannelMode::kRead) {
    if (!FileReadable(path)) return false;
    opened.bytes = ReadFileBytes(path);
  } else {
    opened.file = OpenFile(path, mode == ChannelMode::kAppend ? "ab" : "wb");
    if (opened.file == nullptr) return false;
  }
  channels_[channel] = std::move(opened);
  return true;
}

std::string ChannelFiles::ReadField(int channel) {
  auto found = channels_.find(channel);
  if (found == channels_.end() || found->second.mode != ChannelMode::kRead) return {};
  Channel& c = found->second;
  const std::string& bytes = c.bytes;
  size_t end = c.position;
  while (end < bytes.size() && bytes[end] != ',' && bytes[end] != '\r' && bytes[end] != '\n') ++end;
  std::string field = bytes.substr(c.position, end - c.position);
  if (end < bytes.size()) {
    if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
    ++end;
  }
  c.position = end;
  return field;
}

bool ChannelFiles::AtEnd(int channel) const {
  auto found = channels_.find(channel);
  if (found == channels_.end() || found->second.mode != ChannelMode::kRead) return true;
  return found->second.position >= found->second.bytes.size();
}

bool ChannelFiles::Write(int channel, std::string_view bytes) {
  auto found = channels_.find(channel);
  if (found == channels_.end() || found->second.file == nullptr) return false;
  std::FILE* file = found->second.file;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return (std::fflush(file) == 0) && written;
}

void ChannelFiles::Close(int channel) {
  auto found = channels_.find(channel);
  if (found == channels_.end()) return;
  if (found->second.file != nullptr) std::fclose(found->second.file);
  channels_.erase(found);
}

bool ChannelFiles::IsOpen(int channel) const {
  return channels_.count(channel) != 0;
}

}  // namespace kerna::platform
