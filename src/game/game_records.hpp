// Every game kept: a game that reaches the result screen, or that the player
// quits, is appended as one line to records.txt, and saved as a GGF file of
// its own in records/ beside it. Both go to the folder set.ini goes to: the
// data folder's dat/ when it can be written, else the user's configuration
// folder. The files are only ever appended to or created, and each write is
// flushed before the game goes on; a failed write (a full disk) leaves the
// files as they were, the player is told once, and the game goes on.
//
// One line of records.txt (fields separated by single blanks):
//   date=2026-12-08T14:03:21 mode=computer level=3 human=black end=finished
//   black=40 white=24 winner=black undo=1 hint=0 start=standard moves=f5d6c3...
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "board/board_state.hpp"
#include "data/ggf.hpp"

namespace kerna {

class Game;

struct RecordsState {
  Grid StartOfGame{};  // the position the game in progress started from
  // Where the game's record went ("" when it could not be written or the game
  // is not kept yet); a game kept again (played on after 待った on the result
  // screen) replaces it.
  std::string LastRecordsFile;
  std::string LastGgfFile;
  std::string LastLine;  // without its line break
  // The game as a GGF record, kept even where no file could be written: the
  // result screen's review reads it.
  std::string LastGgfText;
};

// What one record holds, gathered from the game when it ends.
struct GameSummary {
  int64_t wall_clock_seconds = 0;
  enum class Mode { kVersusComputer, kTwoHumans, kSelfPlay } mode = Mode::kVersusComputer;
  int level = 0;
  int human_side = kBlack;  // versus the computer only
  bool finished = true;     // false: quit
  int black_discs = 0, white_discs = 0;
  int undo_count = 0, hint_count = 0;
  Grid start{};  // squares 1..8 x 1..8
  Grid final_position{};
  // The discs placed, in order: side * 100 + X * 10 + Y (passes are not entries).
  std::array<float, kRecordSize + 1> record{};
};

// The usual start: white d4 and e5, black e4 and d5 (squares 1..8 x 1..8).
Grid StandardStart();
bool IsStandardStart(const Grid& start);
// A position row by row from a1 to h8: '*' black, 'O' white, '-' empty.
std::string BoardText(const Grid& position);
// The reverse (squares 1..8 x 1..8); nothing unless the text is 64 of those.
std::optional<Grid> GridOfBoardText(std::string_view text);
// The moves of a game record in the usual notation, "f5d6c3": column letter a..h
// (X, left to right) and row 1..8 (Y, top to bottom); empty entries skipped.
std::string Transcript(const std::array<float, kRecordSize + 1>& record);
// The line for records.txt, without its line break.
std::string RecordLine(const GameSummary& summary);
// The game as a GGF record: its start position, its moves with a pass wherever
// the same side placed two discs in a row, the players and (finished games)
// the result.
GgfGame GgfOfGame(const GameSummary& summary);
// Local date and time: "2026-12-08T14:03:21" (separator 'T') or "2026-12-08 14:03:21".
std::string LocalDateTime(int64_t wall_clock_seconds, char separator);

class GameRecorder {
 public:
  explicit GameRecorder(Game& game) : g_(game) {}

  // At the start of every game: the game record is emptied (a game keeps no
  // entries of the one before) and the position shown becomes its start.
  void BeginGame();
  // The result screen shows a finished game.
  void RecordFinishedGame();
  // The player quit the game in progress.
  void RecordQuitGame();

  // The folder records go to: where set.ini is kept.
  std::string RecordsFolder() const;

 private:
  GameSummary Summarise(bool finished) const;
  // Takes the game's earlier record back out of records.txt and records/.
  void ForgetEarlierRecord();
  void Keep(const GameSummary& summary);
  // Appends the line to records.txt in `folder`; false when it cannot.
  bool AppendLine(const std::string& folder, const std::string& line);
  // records/<date>-<time>.ggf, a new name for every game; "" when none could be written.
  std::string SaveGgf(const std::string& folder, const GameSummary& summary) const;

  Game& g_;
};

}  // namespace kerna
