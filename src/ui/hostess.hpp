// The hostess ケルナ's operations: loading her lines, choosing what she says
// after a move or at the end of a game, showing it in the balloon beside the
// board, voicing it and setting her face.
//
// Rows: the balloon's text sits at column 56, rows 6 and 7. Operations that
// "speak on rows 6 and 7" move the cursor themselves; Speak() and
// SpeakSecondRow() print at the cursor the caller set. The operations that
// choose a face set FaceNumber and draw it with the screen drawing's DrawFace.
#pragma once

#include "ai/ai_state.hpp"
#include "board/board_state.hpp"
#include "data/settings_state.hpp"
#include "platform/platform.hpp"
#include "ui/hostess_state.hpp"
#include "ui/panel_layout.hpp"
#include "ui/screen_drawing.hpp"

namespace kerna {

class Hostess {
 public:
  Hostess(platform::Platform& io, HostessState& state, const ScreenLayout& layout,
          ScreenDrawing& screen, const BoardState& board, const AiState& ai,
          const SettingsState& settings)
      : io_(io),
        state_(state),
        layout_(layout),
        screen_(screen),
        board_(board),
        ai_(ai),
        settings_(settings) {}

  // --- Program start ---
  void BuildVoiceNames();
  // Reads dat\speech.csv into the speech table, with the loading message.
  void LoadSpeech();
  // Pads each level's title (event 53) with blanks up to byte 10, so that the
  // result screen's columns line up with "あなた     ".
  void PadTitles();

  // --- Speaking SpeechEvent at the current Level ---
  // Voices the event (when allowed), draws the balloon and prints the first
  // row at the cursor; the event becomes the previous one.
  void Speak();
  // Prints the second row at the cursor.
  void SpeakSecondRow();
  // Speak() at (56, 6) and SpeakSecondRow() at (56, 7).
  void SpeakOnRows();
  // Prints the first row as two-byte pairs at the cursor: no voice, no
  // balloon. Used for the title on the level line.
  void PrintPairs();
  // The empty balloon, drawn before a comment on a computer move.
  void DrawBalloon();
  // Plays VoicePath on the voice device; failures show a message box.
  void PlayVoiceFile();

  // --- Events chosen by the game ---
  // Game start with the human playing black: the greeting (event 55).
  void GreetHuman();
  // The level line at game start: event 53 as pairs at the cursor.
  void PrintLevelTitle();
  // The result screen's first score line: event 53 as a first row (balloon,
  // no voice) at the cursor.
  void PrintResultTitle();
  // The computer must pass (event 50, face 0).
  void CommentOnPass();
  // After a computer move, once, after the value line: a book move (BookHit
  // >= 1) gives 57 even in self-play; otherwise, unless in self-play, the
  // only legal move gives 54, else the value ladder, the swings, the level-0
  // corner and the second-best move. Reads the computer turn's ShownValue,
  // BookHit, SecondBestFlag and LegalMoveCount, MovesPlayed, Level and the
  // computer's LastMoveX/LastMoveY.
  void CommentOnMove();
  // Game end against the computer: she won (51, face 4), lost (52, face 5),
  // or a draw (a fixed text, face 2).
  void CommentOnWin();
  void CommentOnLoss();
  void CommentOnDraw();
  // A kept game taken up again: a fixed line in the balloon, face 3.
  void WelcomeBack();
  // A new game or a move taken back: no event spoken yet.
  void ResetSpeech();

 private:
  // The ladder event for ShownValue and the face that goes with it.
  void ChooseLadderEvent(uint8_t& event, uint8_t& face) const;
  // The level's folder of voices: level 6 speaks with level 5's voices.
  int VoiceFolder() const;
  bool ShouldVoice() const;
  bool SpeakableEvent() const;
  void PrintRow(int first_byte);

  platform::Platform& io_;
  HostessState& state_;
  const ScreenLayout& layout_;
  ScreenDrawing& screen_;
  const BoardState& board_;
  const AiState& ai_;
  const SettingsState& settings_;
};

}  // namespace kerna
