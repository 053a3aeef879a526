// Sound as the Windows backend hands it to waveOut: 16- or 8-bit PCM samples,
// interleaved by channel, with their format. Two sources fill it: a WAV
// file's data chunk (ParseWave) and a decoded mp3 (win_mp3_decoder).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kerna::platform {

struct PcmSound {
  int channels = 0;
  int samples_per_second = 0;
  int bits_per_sample = 0;
  std::vector<uint8_t> bytes;

  int BytesPerFrame() const { return channels * bits_per_sample / 8; }
};

// The PCM of a RIFF WAVE file (format tag 1, 8 or 16 bits, 1 or 2 channels);
// nothing for any other file, for a truncated one or one without samples.
std::optional<PcmSound> ParseWave(std::string_view file);

// What the first MPEG audio frame of an mp3 says about the stream, as the
// system's mp3 codec wants it described before it decodes anything. A leading
// ID3v2 tag is skipped.
struct Mp3Stream {
  size_t first_frame = 0;  // offset of the first frame header in the file
  int mpeg_version = 0;    // 1, 2 or 25 (MPEG 2.5)
  int channels = 0;
  int samples_per_second = 0;
  int bits_per_second = 0;
  int frame_bytes = 0;  // the first frame's length, padding included
};

// Nothing when no layer III frame header starts the audio.
std::optional<Mp3Stream> FindMp3Stream(std::string_view file);

}  // namespace kerna::platform
