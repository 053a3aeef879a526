// The shipped lines and voices: dat/speech.csv has a row per speech event of seven CP932
// fields that fit the balloon, level 6 says what level 5's voices say, and
// every voice file exists and is an MP3 stream of a sensible length.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp932.hpp"
#include "ui/speech_csv.hpp"

namespace kerna {
namespace {

constexpr int kTitleEvent = 53;
constexpr int kTitleBytes = 10;

std::filesystem::path Assets() {
  return KERNA_ASSETS_DIR;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file split strictly: CR LF rows, comma-separated fields, nothing else.
std::vector<std::vector<std::string>> StrictRows(const std::string& file) {
  std::vector<std::vector<std::string>> rows;
  size_t start = 0;
  while (start < file.size()) {
    const size_t end = file.find("\r\n", start);
    if (end == std::string::npos) break;
    std::vector<std::string> fields;
    std::stringstream line(file.substr(start, end - start));
    for (std::string field; std::getline(line, field, ',');) fields.push_back(field);
    rows.push_back(fields);
    start = end + 2;
  }
  EXPECT_EQ(start, file.size()) << "the file must end with CR LF";
  return rows;
}

bool IsCp932Single(uint8_t b) {
  return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
}

// Checks the bytes [first, last) as whole CP932 characters; a character that
// would run past `last` is a split character.
::testing::AssertionResult WholeCharacters(const std::string& text, size_t first, size_t last) {
  size_t i = first;
  while (i < last) {
    const auto b = static_cast<uint8_t>(text[i]);
    if (platform::IsCp932LeadByte(b)) {
      if (i + 1 >= last) return ::testing::AssertionFailure() << "character split at " << i;
      if (!platform::IsCp932TrailByte(static_cast<uint8_t>(text[i + 1])))
        return ::testing::AssertionFailure() << "bad trail byte at " << i + 1;
      i += 2;
    } else if (IsCp932Single(b)) {
      ++i;
    } else {
      return ::testing::AssertionFailure()
             << "byte " << int{b} << " at " << i << " is not CP932 text";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(SpeechAssets, LinesFileHasARowOfSevenFittingFieldsPerEvent) {
  const std::string file = ReadFile(Assets() / "dat" / "speech.csv");
  const auto rows = StrictRows(file);
  ASSERT_EQ(rows.size(), static_cast<size_t>(kSpeechEvents));
  for (int event = 0; event < kSpeechEvents; ++event) {
    ASSERT_EQ(rows[event].size(), static_cast<size_t>(kSpeechLevels)) << "event " << event;
    for (int level = 0; level < kSpeechLevels; ++level) {
      const std::string& field = rows[event][level];
      SCOPED_TRACE("event " + std::to_string(event) + " level " + std::to_string(level));
      const size_t limit = event == kTitleEvent ? kTitleBytes : kSpeechTextBytes;
      EXPECT_GE(field.size(), 1u);
      EXPECT_LE(field.size(), limit);
      // Each balloon row holds whole characters.
      const size_t first_row_end = std::min<size_t>(field.size(), kBalloonRowBytes);
      EXPECT_TRUE(WholeCharacters(field, 0, first_row_end));
      EXPECT_TRUE(WholeCharacters(field, first_row_end, field.size()));
    }
  }
}

TEST(SpeechAssets, LevelSixSaysWhatTheVoicesOfLevelFiveSay) {
  const auto rows = StrictRows(ReadFile(Assets() / "dat" / "speech.csv"));
  ASSERT_EQ(rows.size(), static_cast<size_t>(kSpeechEvents));
  for (int event = 0; event < kSpeechEvents; ++event) {
    if (event == kTitleEvent) continue;
    EXPECT_EQ(rows[event][6], rows[event][5]) << "event " << event;
  }
}

TEST(SpeechAssets, LoaderFillsEveryEntryOfTheTable) {
  SpeechLines table{};
  ParseSpeechCsv(ReadFile(Assets() / "dat" / "speech.csv"), table);
  for (int level = 0; level < kSpeechLevels; ++level) {
    for (int event = 0; event < kSpeechEvents; ++event) {
      EXPECT_NE(table[level][event][0], 0) << "level " << level << " event " << event;
    }
  }
}

// --- MP3 frame walk ---

struct Mp3Stream {
  int frames = 0;
  double seconds = 0;
};

// Walks the MPEG audio Layer III frames of a file (after an optional ID3v2
// tag, up to an optional ID3v1 tag). Every byte must belong to a frame.
std::optional<Mp3Stream> WalkMp3(const std::string& data) {
  static constexpr int kBitrates[2][16] = {
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},  // MPEG-1
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};     // MPEG-2, 2.5
  static constexpr int kRates[3][3] = {
      {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
  size_t pos = 0;
  if (data.size() >= 10 && data.compare(0, 3, "ID3") == 0) {
    const auto b = [&](size_t i) { return static_cast<uint8_t>(data[i]) & 0x7F; };
    pos = 10 + ((b(6) << 21) | (b(7) << 14) | (b(8) << 7) | b(9));
  }
  size_t end = data.size();
  if (end >= 128 && data.compare(end - 128, 3, "TAG") == 0) end -= 128;
  Mp3Stream stream;
  while (pos < end) {
    if (pos + 4 > end) return std::nullopt;
    const auto h = [&](int i) { return static_cast<uint8_t>(data[pos + i]); };
    if (h(0) != 0xFF || (h(1) & 0xE0) != 0xE0) return std::nullopt;
    const int version = (h(1) >> 3) & 3;  // 0 MPEG-2.5, 2 MPEG-2, 3 MPEG-1
    const int layer = (h(1) >> 1) & 3;    // 1 = Layer III
    const int bitrate_index = h(2) >> 4;
    const int rate_index = (h(2) >> 2) & 3;
    const int padding = (h(2) >> 1) & 1;
    if (version == 1 || layer != 1 || bitrate_index == 0 || bitrate_index == 15 || rate_index == 3)
      return std::nullopt;
    const bool mpeg1 = version == 3;
    const int bitrate = kBitrates[mpeg1 ? 0 : 1][bitrate_index] * 1000;
    const int rate = kRates[mpeg1 ? 0 : (version == 2 ? 1 : 2)][rate_index];
    const int samples = mpeg1 ? 1152 : 576;
    const size_t length = static_cast<size_t>(samples / 8 * bitrate / rate + padding);
    if (pos + length > end) return std::nullopt;
    pos += length;
    ++stream.frames;
    stream.seconds += static_cast<double>(samples) / rate;
  }
  return stream;
}

TEST(SpeechAssets, Mp3WalkRejectsWhatIsNotAFrameChain) {
  EXPECT_FALSE(WalkMp3("not an mp3 file").has_value());
  // One MPEG-2 Layer III frame at 48 kbit/s and 22.05 kHz: 576 / 8 * 48000 / 22050 = 156 bytes.
  std::string frame(156, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xF3';
  frame[2] = '\x60';  // bitrate index 6 (48 kbit/s), rate index 0 (22050 Hz in MPEG-2)
  auto one = WalkMp3(frame);
  ASSERT_TRUE(one.has_value());
  EXPECT_EQ(one->frames, 1);
  EXPECT_FALSE(WalkMp3(frame.substr(0, 100)).has_value());  // a cut frame
}

TEST(SpeechAssets, EveryVoicedEventHasAVoiceOfSensibleLength) {
  for (int folder = 0; folder <= 5; ++folder) {
    for (int event = 0; event < kSpeechEvents; ++event) {
      const std::string name = (event + 1 < 10 ? "0" : "") + std::to_string(event + 1) + ".mp3";
      const auto path = Assets() / "voice" / std::to_string(folder) / name;
      SCOPED_TRACE(path.string());
      if (event == kTitleEvent) {
        EXPECT_FALSE(std::filesystem::exists(path)) << "the title is never voiced";
        continue;
      }
      ASSERT_TRUE(std::filesystem::exists(path));
      const auto stream = WalkMp3(ReadFile(path));
      ASSERT_TRUE(stream.has_value()) << "not a chain of MP3 frames";
      EXPECT_GE(stream->seconds, 0.3);
      EXPECT_LE(stream->seconds, 8.0);
    }
  }
}

}  // namespace
}  // namespace kerna
