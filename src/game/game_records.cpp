// The records of finished and quit games (see game_records.hpp): the summary,
// its line in records.txt and the folder it goes to.
#include "game/game_records.hpp"

#include <cmath>
#include <ctime>
#include <filesystem>

#include "game/game.hpp"
#include "game/settings_location.hpp"
#include "platform/file_io.hpp"

namespace kerna {

namespace {

constexpr char kRecordsFileName[] = "records.txt";

const char* ModeName(GameSummary::Mode mode) {
  switch (mode) {
    case GameSummary::Mode::kVersusComputer:
      return "computer";
    case GameSummary::Mode::kTwoHumans:
      return "humans";
    case GameSummary::Mode::kSelfPlay:
      return "self-play";
  }
  return "?";
}

std::string HumanSideName(const GameSummary& s) {
  if (s.mode == GameSummary::Mode::kTwoHumans) return "both";
  if (s.mode == GameSummary::Mode::kSelfPlay) return "none";
  return s.human_side == kWhite ? "white" : "black";
}

std::string WinnerName(const GameSummary& s) {
  if (!s.finished) return "none";
  if (s.black_discs == s.white_discs) return "draw";
  return s.black_discs > s.white_discs ? "black" : "white";
}

}  // namespace

Grid StandardStart() {
  Grid start{};
  start[4][4] = start[5][5] = kWhite;
  start[4][5] = start[5][4] = kBlack;
  return start;
}

bool IsStandardStart(const Grid& start) {
  const Grid standard = StandardStart();
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (start[x][y] != standard[x][y]) return false;
    }
  }
  return true;
}

std::string BoardText(const Grid& position) {
  std::string text;
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) {
      text += position[x][y] == kBlack   ? kGgfBlack
              : position[x][y] == kWhite ? kGgfWhite
                                         : kGgfEmpty;
    }
  }
  return text;
}

std::optional<Grid> GridOfBoardText(std::string_view text) {
  if (text.size() != 64) return std::nullopt;
  Grid grid{};
  for (int i = 0; i < 64; ++i) {
    const char square = text[static_cast<size_t>(i)];
    int16_t& cell = grid[i % 8 + 1][i / 8 + 1];
    if (square == kGgfBlack) {
      cell = kBlack;
    } else if (square == kGgfWhite) {
      cell = kWhite;
    } else if (square != kGgfEmpty) {
      return std::nullopt;
    }
  }
  return grid;
}

std::string Transcript(const std::array<float, kRecordSize + 1>& record) {
  std::string moves;
  for (int n = 1; n <= kRecordSize; ++n) {
    const float entry = record[n];
    if (entry <= 0) continue;
    const float side = std::floor(entry / 100);
    const int x = static_cast<int>(std::floor((entry - side * 100) / 10));
    const int y = static_cast<int>(std::lround(entry - side * 100 - x * 10));
    if (x < 1 || x > 8 || y < 1 || y > 8) continue;
    moves += static_cast<char>('a' + x - 1);
    moves += static_cast<char>('0' + y);
  }
  return moves;
}

std::string LocalDateTime(int64_t wall_clock_seconds, char separator) {
  const std::time_t time = static_cast<std::time_t>(wall_clock_seconds);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr)
    return "0000-00-00" + std::string(1, separator) + "00:00:00";
  char text[32];
  const std::string format = std::string("%Y-%m-%d") + separator + "%H:%M:%S";
  std::strftime(text, sizeof text, format.c_str(), &local);
  return text;
}

std::string RecordLine(const GameSummary& s) {
  std::string line = "date=" + LocalDateTime(s.wall_clock_seconds, 'T');
  line += std::string(" mode=") + ModeName(s.mode);
  line += " level=" + (s.mode == GameSummary::Mode::kTwoHumans ? "-" : std::to_string(s.level));
  line += " human=" + HumanSideName(s);
  line += std::string(" end=") + (s.finished ? "finished" : "quit");
  line += " black=" + std::to_string(s.black_discs) + " white=" + std::to_string(s.white_discs);
  line += " winner=" + WinnerName(s);
  line += " undo=" + std::to_string(s.undo_count) + " hint=" + std::to_string(s.hint_count);
  line += " start=" + (IsStandardStart(s.start) ? std::string("standard") : BoardText(s.start));
  line += " moves=" + Transcript(s.record);
  return line;
}

// --- The recorder ---

void GameRecorder::BeginGame() {
  BoardState& b = g_.board;
  b.GameRecord.fill(0);
  RecordsState& r = g_.records;
  r.StartOfGame = b.Position;
  // A new game: nothing of it is kept yet, so nothing is to be replaced.
  r.LastRecordsFile.clear();
  r.LastGgfFile.clear();
  r.LastLine.clear();
  r.LastGgfText.clear();
}

void GameRecorder::ForgetEarlierRecord() {
  RecordsState& r = g_.records;
  // Only while it is still the file's last line: the end is read and cut
  // off, so this costs the same with a hundred thousand games kept.
  if (!r.LastRecordsFile.empty()) platform::CutOffEnd(r.LastRecordsFile, r.LastLine + "\n");
  if (!r.LastGgfFile.empty()) {
    std::error_code ignored;
    std::filesystem::remove(platform::FsPath(r.LastGgfFile), ignored);
  }
}

void GameRecorder::RecordFinishedGame() {
  Keep(Summarise(true));
}

void GameRecorder::RecordQuitGame() {
  Keep(Summarise(false));
}

GameSummary GameRecorder::Summarise(bool finished) const {
  const BoardState& b = g_.board;
  const FlowState& f = g_.flow;
  GameSummary s;
  s.wall_clock_seconds = g_.io.WallClockSeconds();
  s.mode = g_.settings.SelfPlayMode == 1 ? GameSummary::Mode::kSelfPlay
           : f.VersusComputer == 1       ? GameSummary::Mode::kVersusComputer
                                         : GameSummary::Mode::kTwoHumans;
  s.level = g_.ai.Level;
  s.human_side = b.HumanSide;
  s.finished = finished;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      s.black_discs += b.Position[x][y] == kBlack;
      s.white_discs += b.Position[x][y] == kWhite;
    }
  }
  s.undo_count = f.UndoCount;
  s.hint_count = f.HintCount;
  s.start = g_.records.StartOfGame;
  s.final_position = b.Position;
  s.record = b.GameRecord;
  return s;
}

std::string GameRecorder::RecordsFolder() const {
  return OwnFilesFolder(g_.io.ResolvePath("dat"));
}

bool GameRecorder::AppendLine(const std::string& folder, const std::string& line) {
  if (folder.empty()) return false;
  if (folder == UserConfigFolder() && !MakeUserConfigFolder()) return false;
  return g_.io.AppendToFile(folder + "/" + kRecordsFileName, line + "\n");
}

void GameRecorder::Keep(const GameSummary& summary) {
  RecordsState& r = g_.records;
  g_.keeper.Forget();  // the game is over: nothing is left to continue
  // The same game kept before: played on after 待った on the result screen.
  ForgetEarlierRecord();
  r.LastLine = RecordLine(summary);
  r.LastGgfText = WriteGgf(GgfOfGame(summary));
  r.LastRecordsFile.clear();
  r.LastGgfFile.clear();
  const std::string folder = RecordsFolder();
  const bool line_kept = AppendLine(folder, r.LastLine);
  if (line_kept) r.LastRecordsFile = folder + "/" + kRecordsFileName;
  // Self-play plays on without end; its games are logged in sakiyomi.csv, and
  // records.txt keeps one line each, but they are not saved one file a game.
  const bool own_file = summary.mode != GameSummary::Mode::kSelfPlay;
  if (line_kept && own_file) r.LastGgfFile = SaveGgf(folder, summary);
  // Nowhere to keep it: the player is told, and plays on.
  g_.writeFailureNotice.Report(KeptFile::kGameRecord,
                               line_kept && (!own_file || !r.LastGgfFile.empty()));
}

}  // namespace kerna
