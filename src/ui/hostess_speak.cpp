// Loading the hostess's lines and speaking them: the balloon, the two text
// rows, the title pairs and the voice device.
#include <string>

#include "ui/hostess.hpp"
#include "ui/hostess_texts.hpp"

namespace kerna {

namespace {
constexpr int kTextWhite = 7, kTextBlue = 1, kTextBlack = 0;
constexpr int kTitlePaddedThrough = 10;  // last byte of the padded title
}  // namespace

void Hostess::BuildVoiceNames() {
  for (int n = 0; n < kVoiceNames; ++n) {
    state_.VoiceNames[n] =
        std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)} + ".mp3";
  }
}

void Hostess::LoadSpeech() {
  auto& io = io_;
  io.SetTextColour(kTextWhite, kTextBlue);
  io.MoveCursor(14, 8);
  io.Print(hostess_texts::kLoadingMessage);
  io.Print("\r\n");
  ParseSpeechCsv(io.ReadWholeFile("dat\\speech.csv"), state_.SpeechTable);
  io.SetTextColour(kTextWhite, kTextBlack);
}

void Hostess::PadTitles() {
  for (auto& level : state_.SpeechTable) {
    uint8_t* title = level[speech_event::kTitle];
    int first_empty = 0;
    while (first_empty < kSpeechTextBytes && title[first_empty] != 0) ++first_empty;
    for (int i = first_empty; i <= kTitlePaddedThrough; ++i) title[i] = ' ';
  }
}

bool Hostess::SpeakableEvent() const {
  const int level = ai_.Level;
  return level >= 0 && level < kSpeechLevels && state_.SpeechEvent < kSpeechEvents;
}

int Hostess::VoiceFolder() const {
  return ai_.Level >= 5 ? 5 : ai_.Level;
}

bool Hostess::ShouldVoice() const {
  const auto& h = state_;
  const uint8_t event = h.SpeechEvent;
  if (event == speech_event::kTitle || settings_.SoundEffects == 0) return false;
  const bool repeats = event == speech_event::kLost || event == speech_event::kWon ||
                       event == speech_event::kPass || event == speech_event::kForcedMove;
  return event != h.PreviousSpeechEvent || repeats;
}

void Hostess::PrintRow(int first_byte) {
  if (!SpeakableEvent()) return;
  const uint8_t* entry = state_.SpeechTable[ai_.Level][state_.SpeechEvent];
  // The bytes go out one by one with the zero bytes left out; printing them
  // as one string draws the same cells.
  std::string row;
  for (int i = first_byte; i < first_byte + kBalloonRowBytes; ++i) {
    if (entry[i] != 0) row.push_back(static_cast<char>(entry[i]));
  }
  io_.Print(row);
}

void Hostess::Speak() {
  auto& h = state_;
  if (SpeakableEvent() && ShouldVoice()) {
    h.VoicePath =
        "voice\\" + std::to_string(VoiceFolder()) + "\\" + h.VoiceNames[h.SpeechEvent + 1];
    PlayVoiceFile();
  }
  DrawBalloon();
  PrintRow(0);
  h.PreviousSpeechEvent = h.SpeechEvent;
}

void Hostess::SpeakSecondRow() {
  PrintRow(kBalloonRowBytes);
}

void Hostess::SpeakOnRows() {
  io_.MoveCursor(kPanelMessageColumn, kBalloonFirstRow);
  Speak();
  io_.MoveCursor(kPanelMessageColumn, kBalloonSecondRow);
  SpeakSecondRow();
}

void Hostess::PrintPairs() {
  if (!SpeakableEvent()) return;
  const uint8_t* entry = state_.SpeechTable[ai_.Level][state_.SpeechEvent];
  for (int k = 0; k < kBalloonRowBytes; k += 2) {
    if (entry[k] == 0) continue;
    // A pair whose second byte is zero prints as its first byte alone.
    std::string pair(1, static_cast<char>(entry[k]));
    if (entry[k + 1] != 0) pair.push_back(static_cast<char>(entry[k + 1]));
    io_.Print(pair);
  }
}

void Hostess::DrawBalloon() {
  const auto& s = layout_;
  const int x = static_cast<int>(8 * s.SquareWidth + 2 * s.BoardLeft + 1);
  io_.DrawPicture(io_.LoadPicture("bmp\\hukidasi.bmp"), x, kBalloonTop);
}

void Hostess::PlayVoiceFile() {
  auto& io = io_;
  const std::string& path = state_.VoicePath;
  if (!io.VoiceFileExists(path)) return;
  if (io.VoiceIsOpen()) {
    // A device that will not stop is left open rather than closed under its feet.
    if (io.VoiceStop()) {
      io.VoiceClose();
    } else {
      io.ShowMessageBox(hostess_texts::kStopFailed, hostess_texts::kErrorCaption);
    }
  }
  if (!io.VoiceOpen(path)) {
    // Nothing is open to play; one message is enough.
    io.ShowMessageBox(hostess_texts::kOpenFailed, path);
    return;
  }
  if (!io.VoicePlay()) io.ShowMessageBox(hostess_texts::kPlayFailed, hostess_texts::kErrorCaption);
}

}  // namespace kerna
