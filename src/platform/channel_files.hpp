// Numbered file channels for sequential text input and output (settings, logs).
#pragma once

namespace kerna::platform {

class Platform;

class ChannelFiles {
 public:
  explicit ChannelFiles(Platform& platform) : platform_(platform) {}

 private:
  [[maybe_unused]] Platform& platform_;
};

}  // namespace kerna::platform
