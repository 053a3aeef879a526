// The two file formats the Windows sound reads before handing samples to the
// system: RIFF WAVE (the placing sound) and the frame header of an mp3 (the
// voices), both little more than a walk over their headers.
#include "platform/pcm_sound.hpp"

#include <array>

namespace kerna::platform {

namespace {

uint32_t LittleEndian(std::string_view bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

bool IsSupportedPcm(const PcmSound& sound) {
  return (sound.channels == 1 || sound.channels == 2) &&
         (sound.bits_per_sample == 8 || sound.bits_per_sample == 16) &&
         sound.samples_per_second > 0;
}

}  // namespace

std::optional<PcmSound> ParseWave(std::string_view file) {
  if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  PcmSound sound;
  bool have_format = false;
  size_t at = 12;
  while (at + 8 <= file.size()) {
    const std::string_view id = file.substr(at, 4);
    const size_t size = LittleEndian(file, at + 4, 4);
    const size_t body = at + 8;
    if (size > file.size() - body) return std::nullopt;  // cut short
    if (id == "fmt ") {
      if (size < 16 || LittleEndian(file, body, 2) != 1) return std::nullopt;  // not plain PCM
      sound.channels = static_cast<int>(LittleEndian(file, body + 2, 2));
      sound.samples_per_second = static_cast<int>(LittleEndian(file, body + 4, 4));
      sound.bits_per_sample = static_cast<int>(LittleEndian(file, body + 14, 2));
      if (!IsSupportedPcm(sound)) return std::nullopt;
      have_format = true;
    } else if (id == "data" && have_format) {
      const size_t whole_frames = size - size % sound.BytesPerFrame();
      if (whole_frames == 0) return std::nullopt;
      sound.bytes.assign(file.begin() + body, file.begin() + body + whole_frames);
      return sound;
    }
    at = body + size + size % 2;  // chunks are padded to an even length
  }
  return std::nullopt;
}

namespace {

// Layer III only: the voices are layer III, and so is every mp3.
constexpr std::array<int, 15> kMpeg1Kbps = {0,   32,  40,  48,  56,  64,  80, 96,
                                            112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 15> kMpeg2Kbps = {0,  8,  16, 24,  32,  40,  48, 56,
                                            64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 3> kMpeg1Rates = {44100, 48000, 32000};

std::optional<Mp3Stream> ReadFrameHeader(std::string_view file, size_t at) {
  if (at + 4 > file.size()) return std::nullopt;
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(file[at + i]); };
  if (byte(0) != 0xFF || (byte(1) & 0xE0) != 0xE0) return std::nullopt;
  const int version_bits = byte(1) >> 3 & 3;
  const int layer_bits = byte(1) >> 1 & 3;
  const int bitrate_index = byte(2) >> 4;
  const int rate_index = byte(2) >> 2 & 3;
  if (version_bits == 1 || layer_bits != 1 || bitrate_index == 0 || bitrate_index == 15 ||
      rate_index == 3) {
    return std::nullopt;  // reserved values, another layer or a free-format stream
  }
  Mp3Stream stream;
  stream.first_frame = at;
  stream.mpeg_version = version_bits == 3 ? 1 : version_bits == 2 ? 2 : 25;
  const int rate_divisor = stream.mpeg_version == 1 ? 1 : stream.mpeg_version == 2 ? 2 : 4;
  stream.samples_per_second = kMpeg1Rates[rate_index] / rate_divisor;
  stream.bits_per_second =
      1000 * (stream.mpeg_version == 1 ? kMpeg1Kbps : kMpeg2Kbps)[bitrate_index];
  stream.channels = (byte(3) >> 6) == 3 ? 1 : 2;
  // A frame holds 1152 samples in MPEG 1 and 576 in MPEG 2 and 2.5.
  const int samples_per_frame = stream.mpeg_version == 1 ? 1152 : 576;
  stream.frame_bytes = samples_per_frame / 8 * stream.bits_per_second / stream.samples_per_second +
                       (byte(2) >> 1 & 1);
  return stream;
}

size_t AfterId3Tag(std::string_view file) {
  if (file.size() < 10 || file.substr(0, 3) != "ID3") return 0;
  size_t size = 0;  // four bytes of seven bits each
  for (int i = 6; i < 10; ++i) size = size << 7 | (static_cast<uint8_t>(file[i]) & 0x7F);
  const bool footer = (static_cast<uint8_t>(file[5]) & 0x10) != 0;
  return 10 + size + (footer ? 10 : 0);
}

}  // namespace

std::optional<Mp3Stream> FindMp3Stream(std::string_view file) {
  // The first header whose frame is followed by another header (or by the
  // end of the file), so that stray 0xFF bytes in a tag are not taken for one.
  for (size_t at = AfterId3Tag(file); at + 4 <= file.size(); ++at) {
    const std::optional<Mp3Stream> stream = ReadFrameHeader(file, at);
    if (!stream) continue;
    const size_t next = at + stream->frame_bytes;
    if (next >= file.size() || ReadFrameHeader(file, next)) return stream;
  }
  return std::nullopt;
}

}  // namespace kerna::platform
