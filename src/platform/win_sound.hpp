// The Windows backend's sound: the placing click (a WAV file) and the voice
// device (one mp3 at a time), played through waveOut; the mp3 is decoded with
// the system's own MP3 codec when the voice is opened. Without an audio device
// Open() fails and everything is silently nothing, but a voice still "opens"
// whenever its file exists, so the game never shows a failure box for a
// machine that cannot play (the SDL backend does the same).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/pcm_sound.hpp"

namespace kerna::platform {

class WaveOutput;

class WinSound {
 public:
  WinSound();
  ~WinSound();
  WinSound(const WinSound&) = delete;
  WinSound& operator=(const WinSound&) = delete;

  // False when the machine has no audio device that plays 16-bit PCM.
  bool Open();
  // Starts the WAV file without waiting; clicks in quick succession and the
  // voice sound together.
  void PlayWave(const std::wstring& path);
  // Closes the previous voice, then reads and decodes this one; false when
  // the file is missing or is not an mp3 the system can decode.
  bool VoiceOpen(const std::wstring& path);
  // From the start, without waiting; false when no voice is open.
  bool VoicePlay();
  bool VoiceStop();
  void VoiceClose();
  // True from VoicePlay until the voice has been heard to its end or stopped.
  bool VoicePlaying() const;
  void Close();

 private:
  static constexpr int kClickOutputs = 3;

  bool audio_ = false;
  bool voice_open_ = false;
  PcmSound voice_;
  std::unique_ptr<WaveOutput> voice_output_;
  std::unique_ptr<WaveOutput> click_outputs_[kClickOutputs];
  int next_click_ = 0;
  // Each WAV file read once; one that cannot be read stays silent.
  std::map<std::wstring, std::optional<PcmSound>> waves_;
};

}  // namespace kerna::platform
