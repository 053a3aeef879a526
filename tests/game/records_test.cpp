// Every game kept: the line in records.txt replays under the game's own rules
// to the position the game ended in, the GGF file reads back with the GGF
// reader, a quit game is kept too, a new game keeps nothing of the one before,
// and the records go to the user's folder when the data folder is read-only.
#include <algorithm>
#include <map>
#include <sstream>

#include "data/ggf.hpp"
#include "game/input_session.hpp"

namespace kerna::test {
namespace {

// The fields of a record line, by key.
std::map<std::string, std::string> Fields(const std::string& line) {
  std::map<std::string, std::string> fields;
  std::istringstream words(line);
  std::string word;
  while (words >> word) {
    const size_t equals = word.find('=');
    if (equals != std::string::npos) fields[word.substr(0, equals)] = word.substr(equals + 1);
  }
  // "moves=" with nothing after it has no word of its own after the blank.
  if (line.ends_with("moves=")) fields["moves"] = "";
  return fields;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Grid WithWalls(Grid grid) {
  for (int i = 0; i < 10; ++i) grid[0][i] = grid[9][i] = grid[i][0] = grid[i][9] = kWall;
  return grid;
}

// Replays a transcript with the game's own rules, from the start position with
// black to move; a side without a legal move passes. Fails the test on an
// illegal move and returns the final position.
Grid Replay(const std::string& moves, const Grid& start) {
  platform::HeadlessPlatform io;
  Game referee(io);
  BoardState& b = referee.board;
  b.Position = WithWalls(start);
  referee.rules.SetUpWalls();
  referee.rules.CopyPositionToLayers();
  b.Layer = 0;
  int side = kBlack;
  for (size_t i = 0; i + 1 < moves.size(); i += 2) {
    const int x = moves[i] - 'a' + 1, y = moves[i + 1] - '0';
    b.SideToMove = static_cast<int16_t>(side);
    b.Layer = 0;
    referee.rules.CountLegalMoves();
    if (b.LegalMoveCount == 0) side = 3 - side;  // a pass
    b.SideToMove = static_cast<int16_t>(side);
    b.SquareX = static_cast<int16_t>(x);
    b.SquareY = static_cast<int16_t>(y);
    b.Layer = 0;
    referee.rules.TestLegal();
    EXPECT_EQ(b.LegalFlag, 1) << "move " << i / 2 + 1 << " " << moves.substr(i, 2);
    if (b.LegalFlag != 1) break;
    referee.rules.MakeMove();
    side = 3 - side;
  }
  b.Layer = 0;
  referee.rules.CopyLayerToPosition();
  return b.Position;
}

fs::path OnlyGgf(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder / "records"))
    files.push_back(entry.path());
  EXPECT_EQ(files.size(), 1u);
  return files.empty() ? fs::path() : files.front();
}

TEST(Records, AFinishedGameIsALineThatReplaysAndAGgfThatReads) {
  InputSession s("finished", Hand::kMouse);
  s.Start();
  s.ChooseGameAgainstComputer(/*human_black=*/false, /*level=*/1);
  s.AutoPlay(99);
  Grid final_position{};
  s.io.When(s.TextOnRow(21, "あなた     （白）"), [&] {
    final_position = s.game->board.Position;
    s.Press(kQuit, Key::kEscape);
  });
  bool back = false;
  s.io.When(s.TextOnRow(21, "メニューに戻ります"), [&] {
    s.Acknowledge();
    back = true;
  });
  s.io.StopWhen([&] { return back && s.InMenu(); });
  ASSERT_EQ(s.Run(), Outcome::kStopped);

  const std::vector<std::string> lines = Lines(ReadFile(s.root() / "dat" / "records.txt"));
  ASSERT_EQ(lines.size(), 1u);
  auto f = Fields(lines[0]);
  ASSERT_EQ(f["date"].size(), 19u);  // 2025-12-06T05:46:40, local time
  EXPECT_EQ(f["date"][10], 'T');
  EXPECT_EQ(f["mode"], "computer");
  EXPECT_EQ(f["level"], "1");
  EXPECT_EQ(f["human"], "white");
  EXPECT_EQ(f["end"], "finished");
  const int black = CountDiscs(final_position, kBlack), white = CountDiscs(final_position, kWhite);
  EXPECT_EQ(f["black"], std::to_string(black));
  EXPECT_EQ(f["white"], std::to_string(white));
  EXPECT_EQ(f["winner"], black > white ? "black" : white > black ? "white" : "draw");
  EXPECT_EQ(f["undo"], "0");
  EXPECT_EQ(f["hint"], "0");
  EXPECT_EQ(f["start"], "standard");
  EXPECT_EQ(f["moves"].size() % 2, 0u);
  EXPECT_EQ(Replay(f["moves"], StandardStart()), WithWalls(final_position));

  const std::string ggf_text = ReadFile(OnlyGgf(s.root() / "dat"));
  std::string error;
  const auto ggf = ParseGgf(ggf_text, &error);
  ASSERT_TRUE(ggf.has_value()) << error << "\n" << ggf_text;
  EXPECT_EQ(ggf->board, StandardGgfGame().board);
  EXPECT_TRUE(ggf->blackToMove);
  EXPECT_EQ(ggf->result, GgfResult(black - white));
  EXPECT_EQ(ggf->whiteName, "human");
  EXPECT_EQ(ggf->blackName, "computer level 1");
  std::string placed;
  bool black_to_move = true;
  for (const GgfMove& move : ggf->moves) {
    // The colours alternate; a pass stands where a side had no move.
    if (move.square != kGgfPass) placed += GgfSquareName(move.square);
    black_to_move = !black_to_move;
  }
  EXPECT_EQ(placed, f["moves"]);
}

TEST(Records, AQuitGameIsKeptAndTheNextGameKeepsNoMovesOfIt) {
  InputSession s("quit", Hand::kKeyboard);
  s.Start();
  s.PressWhen([&] { return s.InMenu(); }, kTwoHumans, DigitKey(2));
  s.AutoPlay(3);
  s.PressWhen([&] { return s.moves_played() == 3 && s.HumanWaits(); }, kQuit, Key::kEscape);
  int games = 0;
  const auto back_to_menu = [&] {
    s.io.When(s.TextOnRow(21, "メニューに戻ります"), [&] {
      s.Acknowledge();
      ++games;
    });
  };
  back_to_menu();
  // The second game is quit at once, before a single move.
  s.PressWhen([&] { return games == 1 && s.InMenu(); }, kTwoHumans, DigitKey(2));
  s.io.When([&] { return games == 1 && s.HumanWaits(); },
            [&] {
              s.Press(kQuit, Key::kEscape);
              back_to_menu();
            });
  s.io.StopWhen([&] { return games == 2 && s.InMenu(); });
  ASSERT_EQ(s.Run(), Outcome::kStopped);

  const std::vector<std::string> lines = Lines(ReadFile(s.root() / "dat" / "records.txt"));
  ASSERT_EQ(lines.size(), 2u);
  auto first = Fields(lines[0]);
  EXPECT_EQ(first["mode"], "humans");
  EXPECT_EQ(first["level"], "-");
  EXPECT_EQ(first["human"], "both");
  EXPECT_EQ(first["end"], "quit");
  EXPECT_EQ(first["winner"], "none");
  EXPECT_EQ(first["moves"].size(), 6u);
  const Grid after_three = Replay(first["moves"], StandardStart());
  EXPECT_EQ(first["black"], std::to_string(CountDiscs(after_three, kBlack)));
  EXPECT_EQ(first["white"], std::to_string(CountDiscs(after_three, kWhite)));
  auto second = Fields(lines[1]);
  EXPECT_EQ(second["end"], "quit");
  EXPECT_EQ(second["moves"], "");
  EXPECT_EQ(second["black"], "2");
  EXPECT_EQ(second["white"], "2");

  // Both games ended in the same virtual second: two GGF files, two names.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(s.root() / "dat" / "records")) {
    names.push_back(entry.path().filename().string());
    const auto ggf = ParseGgf(ReadFile(entry.path()));
    ASSERT_TRUE(ggf.has_value());
    EXPECT_EQ(ggf->result, "?");
  }
  std::sort(names.begin(), names.end());  // '-' sorts before '.'
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], names[1].substr(0, names[1].size() - 4) + "-2.ggf");
}

// Quits a two-person game after one move.
void PlayOneMoveAndQuit(InputSession& s) {
  s.PressWhen([&] { return s.InMenu(); }, kTwoHumans, DigitKey(2));
  s.AutoPlay(1);
  s.PressWhen([&] { return s.moves_played() == 1 && s.HumanWaits(); }, kQuit, Key::kEscape);
  bool back = false;
  s.io.When(s.TextOnRow(21, "メニューに戻ります"), [&] {
    s.Acknowledge();
    back = true;
  });
  s.io.StopWhen([&] { return back && s.InMenu(); });
  ASSERT_EQ(s.Run(), Outcome::kStopped);
}

TEST(Records, AReadOnlyDataFolderSendsThemToTheUserFolder) {
  InputSession s("read-only", Hand::kKeyboard);
  s.Start();
  fs::permissions(s.root() / "dat", fs::perms::owner_read | fs::perms::owner_exec);
  PlayOneMoveAndQuit(s);
  fs::permissions(s.root() / "dat", fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(s.root() / "dat" / "records.txt"));
  EXPECT_FALSE(fs::exists(s.root() / "dat" / "records"));
  const fs::path user = s.root() / "config" / "kerna-reversi";
  EXPECT_EQ(s.game->records.LastRecordsFile, (user / "records.txt").string());
  const auto lines = Lines(ReadFile(user / "records.txt"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(Fields(lines[0])["moves"], "c4");  // the first legal square in column order
  EXPECT_TRUE(ParseGgf(ReadFile(OnlyGgf(user))).has_value());
}

TEST(Records, NowhereToWriteNeverStopsTheGame) {
  InputSession s("nowhere", Hand::kKeyboard);
  s.Start();
  fs::permissions(s.root() / "dat", fs::perms::owner_read | fs::perms::owner_exec);
  ::setenv("XDG_CONFIG_HOME", "/dev/null/nowhere", 1);
  PlayOneMoveAndQuit(s);
  fs::permissions(s.root() / "dat", fs::perms::owner_all);
  EXPECT_TRUE(s.game->records.LastRecordsFile.empty());
  EXPECT_TRUE(s.game->records.LastGgfFile.empty());
  EXPECT_FALSE(s.game->records.LastLine.empty());
  EXPECT_TRUE(s.InMenu());
}

TEST(RecordLine, NamesEveryFieldAndWritesAnUnusualStartAsABoard) {
  GameSummary summary;
  summary.wall_clock_seconds = 1'765'000'000;
  summary.mode = GameSummary::Mode::kSelfPlay;
  summary.level = 6;
  summary.finished = true;
  summary.black_discs = 33;
  summary.white_discs = 31;
  summary.start = StandardStart();
  summary.start[3][3] = kBlack;                    // c3
  summary.record[13] = kWhite * 100 + 4 * 10 + 3;  // d3 by white
  summary.record[14] = kWhite * 100 + 8 * 10 + 8;  // h8 by white again: black passed
  const std::string line = RecordLine(summary);
  EXPECT_EQ(line.substr(0, 5), "date=");
  const std::string start =
      std::string(16, '-') + "--*-----" + "---O*---" + "---*O---" + std::string(24, '-');
  EXPECT_EQ(line.substr(24),
            " mode=self-play level=6 human=none end=finished black=33 white=31 "
            "winner=black undo=0 hint=0 start=" +
                start + " moves=d3h8");
  EXPECT_EQ(LocalDateTime(summary.wall_clock_seconds, 'T').size(), 19u);

  const GgfGame ggf = GgfOfGame(summary);
  EXPECT_FALSE(ggf.blackToMove);  // white placed the first disc
  ASSERT_EQ(ggf.moves.size(), 3u);
  EXPECT_EQ(GgfSquareName(ggf.moves[0].square), "d3");
  EXPECT_EQ(ggf.moves[1].square, kGgfPass);
  EXPECT_EQ(GgfSquareName(ggf.moves[2].square), "h8");
  EXPECT_EQ(ggf.board[2 * 8 + 2], kGgfBlack);
  EXPECT_EQ(ggf.result, "+2");
}

TEST(RecordLine, TranscriptColumnsAreLettersFromTheLeftAndRowsFromTheTop) {
  std::array<float, kRecordSize + 1> record{};
  record[1] = 265;  // black f5
  record[2] = 146;  // white d6
  record[4] = 233;  // black c3 (an entry taken back before it stays empty)
  record[5] = 118;  // white a8
  EXPECT_EQ(Transcript(record), "f5d6c3a8");
}

}  // namespace
}  // namespace kerna::test
