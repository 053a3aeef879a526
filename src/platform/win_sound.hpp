// Sound on Windows: the placing click (WAV, several may overlap) and the voice
// device (one compressed voice at a time). Paths are full wide-character paths.
// Without an audio device Open() says so and everything stays silent.
#pragma once

#include <string>

namespace kerna::platform {

class WinSound {
 public:
  // False when there is no audio device: the game then plays on silently.
  bool Open();
  // Starts a wave file without waiting.
  void PlayWave(const std::wstring& path);
  bool VoiceOpen(const std::wstring& path);
  bool VoicePlay();
  bool VoiceStop();
  void VoiceClose();
  bool VoicePlaying() const;
  void Close();
};

}  // namespace kerna::platform
