// Self-play: the computer plays both sides from random starts, writes one log
// line per move in the log's exact layout, and starts the next game by itself.
#include <regex>

#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

class SelfPlay : public FlowTest {
 protected:
  // Self-play is switched on in the settings file only; the game starts from
  // the menu with the computer playing black.
  void StartSelfPlay() {
    Start();
    game->settings.SelfPlayMode = 1;
    ChooseGameAgainstComputer(/*human_black=*/false, /*level=*/1);
  }
  // Stops two moves into the second game.
  void StopInSecondGame() {
    io.StopWhen([this, previous = -1, new_games = 0]() mutable {
      const int moves = game->board.MovesPlayed;
      if (moves < previous) ++new_games;
      previous = moves;
      return new_games == 1 && moves >= 14;
    });
  }
  static std::vector<std::string> Lines(const std::string& log) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < log.size();) {
      const size_t end = log.find("\r\n", start);
      if (end == std::string::npos) break;
      lines.push_back(log.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }
  // Every number followed by a blank before its comma; the candidate squares
  // padded with empty places to 40.
  static void ExpectLogLayout(const std::string& line) {
    static const std::regex kHead("^(\\d+) ,\\d+ , -?\\d+ , \\d+ ,(\\d+ )?,(.*)END$");
    std::smatch head;
    ASSERT_TRUE(std::regex_match(line, head, kHead)) << line;
    const int count = std::stoi(head[1]);
    std::string rest = head[3];
    const std::string squares = "(\\d+ ,){" + std::to_string(count) + "}";
    const std::string empty = ",{" + std::to_string(40 - count) + "}";
    const std::string values = "(-?[\\d.]+ ,){" + std::to_string(count) + "}";
    EXPECT_TRUE(std::regex_match(rest, std::regex(squares + empty + values))) << line;
  }
};

TEST_F(SelfPlay, EveryComputerMoveIsLoggedAndAFinishedGameStartsTheNext) {
  StartSelfPlay();
  StopInSecondGame();
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  const std::string log = ReadFile(root() / "dat" / "sakiyomi.csv");
  const std::vector<std::string> lines = Lines(log);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_TRUE(log.ends_with("END\r\n"));  // flushed line by line
  for (const std::string& line : lines) ExpectLogLayout(line);
  // The second game began from a random 4 x 4 centre: only two discs outside it.
  int outside = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const bool centre = x >= 3 && x <= 6 && y >= 3 && y <= 6;
      outside += !centre && position()[x][y] != kEmpty;
    }
  }
  EXPECT_EQ(outside, 2);
  EXPECT_EQ(game->flow.VersusComputer, 1);
  // Self-play games are logged here, not saved one file a game.
  EXPECT_FALSE(fs::exists(root() / "dat" / "records"));
}

TEST_F(SelfPlay, TheLogGoesToTheUserFolderWhenTheDataFolderIsReadOnly) {
  StartSelfPlay();
  fs::permissions(root() / "dat", fs::perms::owner_read | fs::perms::owner_exec);
  io.StopWhen([&] { return game->board.MovesPlayed >= 16; });  // 12 at the random start
  const Outcome outcome = RunLoop();
  fs::permissions(root() / "dat", fs::perms::owner_all);
  ASSERT_EQ(outcome, Outcome::kStopped);
  EXPECT_FALSE(fs::exists(root() / "dat" / "sakiyomi.csv"));
  const std::vector<std::string> lines =
      Lines(ReadFile(root() / "config" / "kerna-reversi" / "sakiyomi.csv"));
  ASSERT_GE(lines.size(), 3u);
  ExpectLogLayout(lines.front());
}

TEST_F(SelfPlay, ALogLineHasTheExactFieldLayout) {
  Start();
  AiState& ai = game->ai;
  ai.RootCount = 3;
  const int squares[3][2] = {{6, 5}, {4, 3}, {3, 4}};
  const float values[3] = {12, -3.5f, -20};
  for (int i = 1; i <= 3; ++i) {
    ai.RootMoveX[i] = static_cast<int16_t>(squares[i - 1][0]);
    ai.RootMoveY[i] = static_cast<int16_t>(squares[i - 1][1]);
    ai.RankValue[i] = values[i - 1];
  }
  ai.ShownValue = -3;
  game->flow.ThinkTenths = 7;
  game->board.SquareX = 4;
  game->board.SquareY = 3;
  EXPECT_EQ(game->loop.SelfPlayLogLine(),
            "3 ,43 , -3 , 7 ,2 ,65 ,43 ,34 ," + std::string(37, ',') + "12 ,-3.5 ,-20 ,END\r\n");
  // A move that is not among the candidates leaves its place empty.
  game->board.SquareX = 1;
  EXPECT_EQ(game->loop.SelfPlayLogLine().substr(0, 18), "3 ,13 , -3 , 7 ,,6");
}

}  // namespace
}  // namespace kerna::test
