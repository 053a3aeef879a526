// Reading and writing dat\set.ini. A fractional number is stored in a byte or
// 16-bit setting rounded toward zero; a number out of the setting's range
// becomes a value no button stands for, which OK then stores as 0.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "game/game.hpp"
#include "game/settings_location.hpp"
#include "game/settings_panel.hpp"
#include "platform/number_format.hpp"
#include "platform/os_folders.hpp"

namespace kerna {

namespace {

constexpr int kSettingsChannel = 1;
constexpr char kSettingsFile[] = "dat\\set.ini";
constexpr char kUserCopyName[] = "set.ini";

uint8_t ToByte(double value) {
  const double whole = std::trunc(value);
  return whole >= 0 && whole <= 255 ? static_cast<uint8_t>(whole) : uint8_t{255};
}

int16_t ToShort(double value) {
  const double whole = std::trunc(value);
  return whole >= -32768 && whole <= 32767 ? static_cast<int16_t>(whole) : int16_t{-1};
}

// A real setting as written back: the shortest decimal that reads back as the
// same single-precision value, so 0.1 in the file stays "0.1".
std::string FormatReal(float value) {
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return platform::FormatNumber(
      platform::ParseNumber(std::string_view(digits, result.ptr - digits)));
}

}  // namespace

std::string SettingsFileText(const Game& game) {
  const SettingsState& s = game.settings;
  std::string text;
  for (const std::string& line :
       {platform::FormatNumber(s.PauseAfterMove), platform::FormatNumber(s.ThinkingVaries),
        platform::FormatNumber(s.ShowMovePosition), FormatReal(s.SelfPlayMode),
        FormatReal(s.SearchParameter), platform::FormatNumber(s.SoundEffects),
        platform::FormatNumber(s.BoardColour)}) {
    text += line + "\r\n";
  }
  return text;
}

void SettingsPanel::LoadSettings() {
  SettingsState& s = g_.settings;
  s.SearchParameter = 43;
  platform::ChannelFiles& channels = g_.io.channels();
  // A data folder that cannot be written keeps its settings in the user's
  // copy, made from dat\set.ini the first time.
  const std::string user_copy = UserSettingsCopy();
  if (user_copy.empty() ||
      !channels.Open(kSettingsChannel, user_copy, platform::ChannelMode::kRead)) {
    channels.Open(kSettingsChannel, kSettingsFile, platform::ChannelMode::kRead);
  }
  double field[7];
  for (double& value : field) value = platform::ParseNumber(channels.ReadField(kSettingsChannel));
  channels.Close(kSettingsChannel);

  s.PauseAfterMove = ToByte(field[0]);
  s.ThinkingVaries = ToByte(field[1]);
  s.ShowMovePosition = ToByte(field[2]);
  s.SelfPlayMode = static_cast<float>(field[3]);
  s.SearchParameter = static_cast<float>(field[4]);
  s.SoundEffects = ToByte(field[5]);
  s.BoardColour = ToShort(field[6]);

  auto& choice = g_.buttonState.GroupChoice;
  choice[kPauseGroup] = s.PauseAfterMove;
  choice[kVariesGroup] = s.ThinkingVaries;
  choice[kShowMoveGroup] = s.ShowMovePosition;
  choice[kSoundGroup] = s.SoundEffects;
  choice[kColourGroup] = s.BoardColour;
}

bool SettingsPanel::SaveSettings() {
  return g_.writeFailureNotice.Report(KeptFile::kSettings, WriteSettingsFile());
}

bool SettingsPanel::WriteSettingsFile() {
  const std::string text = SettingsFileText(g_);
  // Every write replaces the whole file at once (a temporary file renamed over
  // it), so a crash or a full disk leaves the old file, never half a new one.
  if (platform::FolderWritable(g_.io.ResolvePath("dat")))
    return g_.io.WriteWholeFile(kSettingsFile, text);
  // The data folder is not writable (an installed copy): the user's copy.
  const std::string user_copy = UserConfigFile(kUserCopyName);
  return !user_copy.empty() && MakeUserConfigFolder() && g_.io.WriteWholeFile(user_copy, text);
}

std::string SettingsPanel::UserSettingsCopy() {
  if (platform::FolderWritable(g_.io.ResolvePath("dat"))) return {};
  const std::string user_copy = UserConfigFile(kUserCopyName);
  if (user_copy.empty() || UserFileExists(user_copy)) return user_copy;
  const std::string original = g_.io.ReadWholeFile(kSettingsFile);
  if (original.empty() || !MakeUserConfigFolder() || !g_.io.WriteWholeFile(user_copy, original)) {
    return {};
  }
  return user_copy;
}

}  // namespace kerna
