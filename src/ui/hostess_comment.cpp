// Choosing what the hostess says: after a computer move (from the value the
// computer turn shows, and how it changed since her last comment), when she
// passes, at game start and at game end.
#include <array>
#include <cstdlib>

#include "ui/hostess.hpp"
#include "ui/hostess_texts.hpp"

namespace kerna {

namespace {

// Below each threshold the ladder index drops to the next one: index 18 below
// the first threshold, down to 0 below the last. Level 0 plays weakly and its
// values are small, so it has its own, finer column.
struct LadderStep {
  int index;
  int below;  // levels 1..6
  int below_level0;
};
constexpr std::array<LadderStep, 19> kLadder{{
    {18, 9000, 9000}, {17, 1500, 500}, {16, 1000, 400}, {15, 700, 300}, {14, 500, 200},
    {13, 400, 100},   {12, 300, 60},   {11, 200, 50},   {10, 150, 40},  {9, 100, 30},
    {8, 90, 20},      {7, 80, 18},     {6, 70, 16},     {5, 60, 14},    {4, 50, 12},
    {3, 40, 10},      {2, 30, 7},      {1, 20, 5},      {0, 10, 3},
}};

constexpr int kMovesBeforeComments = 5;

uint8_t FaceForLadderEvent(uint8_t event) {
  if (event >= 5 && event <= 12) return 1;
  if (event >= 13 && event <= 18) return 0;
  if (event == 19) return 5;
  if (event >= 25 && event <= 31) return 3;
  if (event >= 32 && event <= 38) return 4;
  if (event == 39) return 6;
  return 2;
}

// The swing event with its sum S cut into five bands, or 0 for none.
uint8_t SwingEvent(uint8_t first_of_band, int sum) {
  if (sum < 5) return first_of_band;
  if (sum < 10) return first_of_band + 1;
  if (sum < 20) return first_of_band + 2;
  if (sum < 30) return first_of_band + 3;
  return first_of_band + 4;
}

bool IsBehindEvent(uint8_t event) {
  return event <= speech_event::kLost;
}
bool IsAheadEvent(uint8_t event) {
  return event >= speech_event::kEvenAhead && event <= speech_event::kWon;
}
bool IsCorner(int x, int y) {
  return (x == 1 || x == 8) && (y == 1 || y == 8);
}

}  // namespace

void Hostess::ChooseLadderEvent(uint8_t& event, uint8_t& face) const {
  const int value = ai_.ShownValue;
  const int magnitude = std::abs(value);
  const bool level0 = ai_.Level == 0;
  int index = 19;
  for (const LadderStep& step : kLadder) {
    if (magnitude < (level0 ? step.below_level0 : step.below)) index = step.index;
  }
  event = static_cast<uint8_t>(value > 0 ? index + 20 : index);
  face = 2;
  if (board_.MovesPlayed > kMovesBeforeComments) face = FaceForLadderEvent(event);
}

void Hostess::CommentOnMove() {
  auto& h = state_;
  const AiState& move = ai_;
  if (move.BookHit >= 1) {
    h.SpeechEvent = speech_event::kBookMove;
    SpeakOnRows();
    h.FaceNumber = 3;
    screen_.DrawFace();
    return;
  }
  if (settings_.SelfPlayMode == 1) return;
  if (board_.LegalMoveCount == 1) {
    h.SpeechEvent = speech_event::kForcedMove;
    io_.MoveCursor(kPanelMessageColumn, kBalloonFirstRow);
    Speak();
    h.FaceNumber = 1;
    screen_.DrawFace();
    return;
  }

  uint8_t event = 0;
  uint8_t face = 2;
  ChooseLadderEvent(event, face);
  if (board_.MovesPlayed <= kMovesBeforeComments) {
    event = speech_event::kEvenBehind;
    face = 2;
  } else {
    // A change of side since her last comment is spoken as a swing, whose
    // size is how far she was from even before plus how far she is now.
    const uint8_t previous = h.PreviousSpeechEvent;
    uint8_t swing = 0;
    if (IsAheadEvent(previous) && IsBehindEvent(event)) {
      swing = SwingEvent(speech_event::kFirstSwingDown, (previous - 20) + event);
      face = 5;
    } else if (IsBehindEvent(previous) && IsAheadEvent(event)) {
      swing = SwingEvent(speech_event::kFirstSwingUp, (event - 20) + previous);
      face = 6;
    }
    if (swing != 0) {
      h.SpeechEvent = swing;
      SpeakOnRows();
      // The next comment measures the change from where she stands now.
      h.PreviousSpeechEvent = event;
      h.FaceNumber = face;
      screen_.DrawFace();
      return;
    }
  }

  h.SpeechEvent = event;
  if (ai_.Level == 0 && IsCorner(board_.LastMoveX, board_.LastMoveY)) {
    io_.MoveCursor(kPanelMessageColumn, kBalloonFirstRow);
    io_.Print(hostess_texts::kCornerFirstRow);
    io_.MoveCursor(kPanelMessageColumn, kBalloonSecondRow);
    io_.Print(hostess_texts::kCornerSecondRow);
    h.FaceNumber = 6;
    screen_.DrawFace();
    return;
  }
  if (move.SecondBestFlag == 1) h.SpeechEvent = speech_event::kSecondBest;
  SpeakOnRows();
  h.FaceNumber = face;
  screen_.DrawFace();
}

void Hostess::CommentOnPass() {
  auto& h = state_;
  h.FaceNumber = 0;
  screen_.DrawFace();
  io_.MoveCursor(kPanelMessageColumn, kBalloonFirstRow);
  h.SpeechEvent = speech_event::kPass;
  Speak();
}

void Hostess::GreetHuman() {
  state_.SpeechEvent = speech_event::kGreeting;
  SpeakOnRows();
}

void Hostess::PrintLevelTitle() {
  state_.SpeechEvent = speech_event::kTitle;
  PrintPairs();
}

void Hostess::PrintResultTitle() {
  state_.SpeechEvent = speech_event::kTitle;
  Speak();
}

void Hostess::CommentOnWin() {
  auto& h = state_;
  h.SpeechEvent = speech_event::kGameWon;
  SpeakOnRows();
  h.FaceNumber = 4;
  screen_.DrawFace();
}

void Hostess::CommentOnLoss() {
  auto& h = state_;
  h.SpeechEvent = speech_event::kGameLost;
  SpeakOnRows();
  h.FaceNumber = 5;
  screen_.DrawFace();
}

void Hostess::CommentOnDraw() {
  io_.MoveCursor(kPanelMessageColumn, kBalloonFirstRow);
  io_.Print(hostess_texts::kDrawText);
  io_.Print("\r\n");
  state_.FaceNumber = 2;
  screen_.DrawFace();
}

void Hostess::WelcomeBack() {
  DrawBalloon();
  io_.MoveCursor(kPanelMessageColumn, kBalloonFirstRow);
  io_.Print(hostess_texts::kWelcomeBackText);
  io_.Print("\r\n");
  state_.FaceNumber = 3;
  screen_.DrawFace();
}

void Hostess::ResetSpeech() {
  state_.SpeechEvent = 0;
  state_.PreviousSpeechEvent = 0;
}

}  // namespace kerna
