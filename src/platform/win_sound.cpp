// waveOut plays a buffer of PCM on an output opened for its format; several
// outputs open at once are mixed by the system, which is how the click
// overlaps the voice and the clicks of a quick run of flips overlap each other.
// Outputs are polled (no callback thread): a header's WHDR_DONE flag says the
// buffer has been played.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include "platform/win_sound.hpp"

#include <cstdio>

#include "platform/win_mp3_decoder.hpp"

namespace kerna::platform {

namespace {

WAVEFORMATEX WaveFormat(int channels, int samples_per_second, int bits_per_sample) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = static_cast<DWORD>(samples_per_second);
  format.wBitsPerSample = static_cast<WORD>(bits_per_sample);
  format.nBlockAlign = static_cast<WORD>(channels * bits_per_sample / 8);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  return format;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char piece[16 * 1024];
  size_t got = 0;
  while ((got = std::fread(piece, 1, sizeof(piece), file)) > 0) bytes.append(piece, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

}  // namespace

// One waveOut output and the one buffer it plays. The sound's bytes belong to
// the caller and must outlive the playback (Stop or the next Start).
class WaveOutput {
 public:
  ~WaveOutput() { CloseDevice(); }

  bool Start(const PcmSound& sound) {
    Stop();
    const WAVEFORMATEX format =
        WaveFormat(sound.channels, sound.samples_per_second, sound.bits_per_sample);
    if (device_ != nullptr && !SameFormat(format)) CloseDevice();
    if (device_ == nullptr) {
      if (waveOutOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return false;
      }
      format_ = format;
    }
    header_ = WAVEHDR{};
    header_.lpData = reinterpret_cast<LPSTR>(const_cast<uint8_t*>(sound.bytes.data()));
    header_.dwBufferLength = static_cast<DWORD>(sound.bytes.size());
    if (waveOutPrepareHeader(device_, &header_, sizeof(header_)) != MMSYSERR_NOERROR) return false;
    prepared_ = true;
    if (waveOutWrite(device_, &header_, sizeof(header_)) != MMSYSERR_NOERROR) {
      Stop();
      return false;
    }
    return true;
  }

  void Stop() {
    if (!prepared_) return;
    waveOutReset(device_);  // marks the buffer done at once
    waveOutUnprepareHeader(device_, &header_, sizeof(header_));
    prepared_ = false;
  }

  bool Playing() const {
    return prepared_ && (static_cast<volatile const DWORD&>(header_.dwFlags) & WHDR_DONE) == 0;
  }

 private:
  bool SameFormat(const WAVEFORMATEX& format) const {
    return format.nChannels == format_.nChannels &&
           format.nSamplesPerSec == format_.nSamplesPerSec &&
           format.wBitsPerSample == format_.wBitsPerSample;
  }

  void CloseDevice() {
    Stop();
    if (device_ != nullptr) waveOutClose(device_);
    device_ = nullptr;
  }

  HWAVEOUT device_ = nullptr;
  WAVEFORMATEX format_{};
  WAVEHDR header_{};
  bool prepared_ = false;
};

WinSound::WinSound() = default;

WinSound::~WinSound() {
  Close();
}

bool WinSound::Open() {
  Close();
  // The format of the voices, asked of the device without opening it.
  WAVEFORMATEX format = WaveFormat(1, 22050, 16);
  audio_ = waveOutGetNumDevs() > 0 &&
           waveOutOpen(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
  if (!audio_) return false;
  voice_output_ = std::make_unique<WaveOutput>();
  for (auto& output : click_outputs_) output = std::make_unique<WaveOutput>();
  return true;
}

void WinSound::PlayWave(const std::wstring& path) {
  if (!audio_) return;
  auto found = waves_.find(path);
  if (found == waves_.end()) {
    const std::optional<std::string> file = ReadWholeFile(path);
    found = waves_.emplace(path, file ? ParseWave(*file) : std::nullopt).first;
  }
  if (!found->second) return;
  // A free output if there is one, else the one that started longest ago.
  int chosen = next_click_;
  for (int i = 0; i < kClickOutputs; ++i) {
    const int candidate = (next_click_ + i) % kClickOutputs;
    if (!click_outputs_[candidate]->Playing()) {
      chosen = candidate;
      break;
    }
  }
  click_outputs_[chosen]->Start(*found->second);
  next_click_ = (chosen + 1) % kClickOutputs;
}

bool WinSound::VoiceOpen(const std::wstring& path) {
  VoiceClose();
  const std::optional<std::string> file = ReadWholeFile(path);
  if (!file) return false;
  if (!audio_) {
    voice_open_ = true;  // silently "playable"
    return true;
  }
  std::optional<PcmSound> decoded = DecodeMp3(*file);
  if (!decoded) return false;
  voice_ = std::move(*decoded);
  voice_open_ = true;
  return true;
}

bool WinSound::VoicePlay() {
  if (!voice_open_) return false;
  if (!audio_) return true;
  return voice_output_->Start(voice_);
}

bool WinSound::VoiceStop() {
  if (!voice_open_) return false;
  if (audio_) voice_output_->Stop();
  return true;
}

void WinSound::VoiceClose() {
  if (voice_output_) voice_output_->Stop();
  voice_ = PcmSound{};
  voice_open_ = false;
}

bool WinSound::VoicePlaying() const {
  return audio_ && voice_open_ && voice_output_->Playing();
}

void WinSound::Close() {
  VoiceClose();
  voice_output_.reset();
  for (auto& output : click_outputs_) output.reset();
  waves_.clear();
  audio_ = false;
}

}  // namespace kerna::platform
