// The Windows sound, checked where a machine has no sound card (run.sh runs
// it under Wine):
//
//   sound_check.exe DATA_FOLDER VOICE              WinSound driven the way the game
//                                                  drives it, with or without a device
//   sound_check.exe --decode DATA_FOLDER VOICE OUT the voice decoded by the system's
//                                                  MP3 codec, as PCM into OUT
//   sound_check.exe --play DATA_FOLDER VOICE       the voice played to its end
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/win_mp3_decoder.hpp"
#include "platform/win_sound.hpp"

namespace {

using kerna::platform::PcmSound;
using kerna::platform::WinSound;
namespace fs = std::filesystem;

int failures = 0;

void Expect(bool ok, const char* what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The voice's playing time from its decoded length.
double Seconds(const PcmSound& sound) {
  return static_cast<double>(sound.bytes.size()) / sound.BytesPerFrame() / sound.samples_per_second;
}

template <typename Condition>
double SecondsUntil(Condition done, double limit) {
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  while (!done() && elapsed() < limit) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return elapsed();
}

void CheckSilent(WinSound& sound, const fs::path& voice, const fs::path& wave) {
  sound.PlayWave(wave.wstring());
  Expect(sound.VoiceOpen(voice.wstring()), "without a device an existing voice opens");
  Expect(sound.VoicePlay(), "and plays");
  Expect(!sound.VoicePlaying(), "silently: nothing is playing");
  Expect(sound.VoiceStop(), "and stops");
  Expect(!sound.VoiceOpen(L"no-such-voice.mp3"), "a missing voice does not open");
  Expect(!sound.VoicePlay(), "nor play");
}

void CheckPlaying(WinSound& sound, const fs::path& voice, const fs::path& wave, double length) {
  Expect(sound.VoiceOpen(voice.wstring()), "the voice opens");
  Expect(sound.VoicePlay(), "and starts");
  Expect(sound.VoicePlaying(), "it is playing");
  for (int i = 0; i < 5; ++i) sound.PlayWave(wave.wstring());  // a run of flips over it
  Expect(sound.VoicePlaying(), "the clicks leave it playing");
  const double heard = SecondsUntil([&] { return !sound.VoicePlaying(); }, length + 10);
  std::printf("     voice of %.2f s played in %.2f s\n", length, heard);
  // Wine's device without a sound card takes the samples as fast as they
  // come, so only the end is certain here, not the time it takes.
  Expect(heard < length + 5, "it ends by itself");
  Expect(sound.VoicePlay(), "it plays again");
  Expect(sound.VoiceStop(), "and stops");
  Expect(SecondsUntil([&] { return !sound.VoicePlaying(); }, 1) < 0.2, "at once");
  Expect(!sound.VoiceOpen(L"no-such-voice.mp3"), "a missing voice does not open");
  Expect(!sound.VoicePlaying() && !sound.VoicePlay(), "and the old one is closed");
}

int Decode(const fs::path& voice, const char* out) {
  const std::optional<PcmSound> decoded = kerna::platform::DecodeMp3(ReadAll(voice));
  if (!decoded) return 1;
  std::printf("%d channel(s), %d Hz, %d bits, %zu bytes\n", decoded->channels,
              decoded->samples_per_second, decoded->bits_per_sample, decoded->bytes.size());
  std::ofstream(out, std::ios::binary)
      .write(reinterpret_cast<const char*>(decoded->bytes.data()),
             static_cast<std::streamsize>(decoded->bytes.size()));
  return 0;
}

int PlayToTheEnd(const fs::path& voice) {
  WinSound sound;
  if (!sound.Open() || !sound.VoiceOpen(voice.wstring()) || !sound.VoicePlay()) return 1;
  SecondsUntil([&] { return !sound.VoicePlaying(); }, 30);
  return 0;
}

int Check(const fs::path& data, const fs::path& voice) {
  const fs::path wave = data / "sound" / "oku2.wav";
  const std::optional<PcmSound> decoded = kerna::platform::DecodeMp3(ReadAll(voice));
  Expect(decoded.has_value(), "the system's codec decodes the voice");
  if (!decoded) return 1;

  // The voice again under a name in Japanese, as a data folder may be.
  const fs::path folder = fs::temp_directory_path() / L"ケルナの声";
  fs::create_directories(folder);
  const fs::path japanese = folder / L"声.mp3";
  fs::copy_file(voice, japanese, fs::copy_options::overwrite_existing);

  WinSound sound;
  const bool device = sound.Open();
  std::printf("     audio device: %s\n", device ? "yes" : "none");
  if (device) {
    CheckPlaying(sound, japanese, wave, Seconds(*decoded));
  } else {
    CheckSilent(sound, japanese, wave);
  }
  sound.Close();
  Expect(!sound.VoicePlay(), "after Close no voice plays");
  fs::remove_all(folder);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc == 5 && mode == "--decode") return Decode(fs::path(argv[2]) / argv[3], argv[4]);
  if (argc == 4 && mode == "--play") return PlayToTheEnd(fs::path(argv[2]) / argv[3]);
  if (argc == 3) return Check(argv[1], fs::path(argv[1]) / argv[2]);
  std::fprintf(stderr, "usage: see the top of sound_check.cpp\n");
  return 2;
}
