// The hostess's state: her lines by level and event, the event to speak next
// and the one spoken last, her face and the voice file names.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ui/speech_csv.hpp"

namespace kerna {

inline constexpr int kVoiceNames = 64;

// The speech events with a fixed meaning (0..19 behind, 20..39 ahead).
namespace speech_event {
inline constexpr uint8_t kEvenBehind = 0;
inline constexpr uint8_t kLost = 19;
inline constexpr uint8_t kEvenAhead = 20;
inline constexpr uint8_t kWon = 39;
inline constexpr uint8_t kFirstSwingDown = 40;  // was ahead, now behind: 40..44
inline constexpr uint8_t kFirstSwingUp = 45;    // was behind, now ahead: 45..49
inline constexpr uint8_t kPass = 50;
inline constexpr uint8_t kGameWon = 51;
inline constexpr uint8_t kGameLost = 52;
inline constexpr uint8_t kTitle = 53;
inline constexpr uint8_t kForcedMove = 54;
inline constexpr uint8_t kGreeting = 55;
inline constexpr uint8_t kSecondBest = 56;
inline constexpr uint8_t kBookMove = 57;
}  // namespace speech_event

struct HostessState {
  // [level][event][byte]: a CP932 text of at most 40 bytes and a zero byte;
  // bytes 0..19 are the balloon's first row, 20..39 its second.
  SpeechLines SpeechTable{};
  uint8_t SpeechEvent = 0;
  uint8_t PreviousSpeechEvent = 0;  // set by each first-row print
  uint8_t FaceNumber = 0;           // 0..6, chooses the face picture
  // "00.mp3" .. "63.mp3"; event E is voiced by name E + 1.
  std::array<std::string, kVoiceNames> VoiceNames{};
  std::string VoicePath;  // the file the voice playback opens
};

}  // namespace kerna
