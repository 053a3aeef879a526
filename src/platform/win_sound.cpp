// Until the Windows sound code arrives: a machine without an audio device.
#include "platform/win_sound.hpp"

namespace kerna::platform {

bool WinSound::Open() {
  return false;
}

void WinSound::PlayWave(const std::wstring& /*path*/) {}

bool WinSound::VoiceOpen(const std::wstring& /*path*/) {
  return false;
}

bool WinSound::VoicePlay() {
  return false;
}

bool WinSound::VoiceStop() {
  return false;
}

void WinSound::VoiceClose() {}

bool WinSound::VoicePlaying() const {
  return false;
}

void WinSound::Close() {}

}  // namespace kerna::platform
