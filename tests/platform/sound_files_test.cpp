// The headers the Windows sound reads before the system plays anything: the
// placing sound's RIFF WAVE and the voices' mp3 frames, on the shipped files.
#include <gtest/gtest.h>

#include "platform/file_io.hpp"
#include "platform/pcm_sound.hpp"

namespace kerna::platform {
namespace {

std::string Shipped(const std::string& path) {
  return ReadFileBytes(std::string(KERNA_ASSETS_DIR) + "/" + path);
}

void PutLittleEndian(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

TEST(SoundFiles, WaveGivesItsSamplesAndRefusesWhatWaveOutCannotPlay) {
  const std::string wave = Shipped("sound/oku2.wav");
  const std::optional<PcmSound> sound = ParseWave(wave);
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->channels, 1);
  EXPECT_EQ(sound->samples_per_second, 44100);
  EXPECT_EQ(sound->bits_per_sample, 16);
  EXPECT_EQ(sound->bytes.size(), wave.size() - 44);  // the plain 44-byte header

  // An odd-sized chunk before the samples is padded to an even length.
  std::string tagged =
      wave.substr(0, 36) + "LIST" + std::string("\3\0\0\0abc\0", 8) + wave.substr(36);
  PutLittleEndian(tagged, 4, static_cast<uint32_t>(tagged.size() - 8));
  ASSERT_TRUE(ParseWave(tagged).has_value());
  EXPECT_EQ(ParseWave(tagged)->bytes, sound->bytes);

  EXPECT_FALSE(ParseWave(wave.substr(0, wave.size() - 100))) << "cut short";
  std::string compressed = wave;
  compressed[20] = 2;  // ADPCM
  EXPECT_FALSE(ParseWave(compressed));
  EXPECT_FALSE(ParseWave(Shipped("voice/3/34.mp3")));
}

TEST(SoundFiles, Mp3StreamIsDescribedByItsFirstFrame) {
  const std::string voice = Shipped("voice/3/34.mp3");
  const std::optional<Mp3Stream> stream = FindMp3Stream(voice);
  ASSERT_TRUE(stream.has_value());
  EXPECT_EQ(stream->first_frame, 0u);
  EXPECT_EQ(stream->mpeg_version, 2);
  EXPECT_EQ(stream->channels, 1);
  EXPECT_EQ(stream->samples_per_second, 22050);
  EXPECT_EQ(stream->bits_per_second, 48000);
  EXPECT_EQ(stream->frame_bytes, 156);  // 576 samples of 48 kbit/s at 22.05 kHz, unpadded

  // An ID3v2 tag (its size in 7-bit bytes) in front, holding bytes that look
  // like a frame header, is skipped whole.
  const std::string tag =
      std::string("ID3\4\0\0\0\0\1\0", 10) + "\xFF\xF3\x60\xC4" + std::string(124, '\0');
  const std::optional<Mp3Stream> tagged = FindMp3Stream(tag + voice);
  ASSERT_TRUE(tagged.has_value());
  EXPECT_EQ(tagged->first_frame, tag.size());

  EXPECT_FALSE(FindMp3Stream(Shipped("sound/oku2.wav")));
}

}  // namespace
}  // namespace kerna::platform
