// Closing the window in each phase of the game: RunGame unwinds with
// WindowClosed within a second of real time and leaves dat\set.ini as it was:
// loading, menu, settings, human turn, animation, a level-6 search, a solver,
// the result screen, and self-play with its log.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>

#include "ai/computer_turn.hpp"
#include "flow_fixture.hpp"
#include "game/run_game.hpp"

namespace kerna::test {
namespace {

using Clock = std::chrono::steady_clock;

class ClosePhases : public FlowTest {
 protected:
  ClosePhases() { WriteFile(root() / "dat" / "set.ini", kSettingsText); }

  // Closes the window where the condition first holds and checks the unwinding.
  void CloseWhenAndCheck(std::function<bool()> condition, const char* phase) {
    Clock::time_point closed_at{};
    io.CloseWhen([&, condition = std::move(condition)] {
      if (closed_at == Clock::time_point{} && condition()) closed_at = Clock::now();
      return closed_at != Clock::time_point{};
    });
    EXPECT_EQ(io.Run([&] { RunGame(*game); }), Outcome::kWindowClosed) << phase;
    ASSERT_NE(closed_at, Clock::time_point{}) << phase << ": never reached";
    const auto unwinding =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - closed_at);
    EXPECT_LT(unwinding.count(), 1000) << phase;
    EXPECT_EQ(ReadFile(root() / "dat" / "set.ini"), kSettingsText) << phase;
  }

  // A start position reached by random play, with `empties` squares left.
  void WriteStartPosition(int empties) {
    std::mt19937 random(11);
    Grid grid = StandardStart();
    int side = kBlack;
    while (CountDiscs(grid, kBlack) + CountDiscs(grid, kWhite) < 64 - empties) {
      auto moves = LegalSquares(grid, side);
      if (moves.empty()) moves = LegalSquares(grid, side = 3 - side);
      ASSERT_FALSE(moves.empty());
      const auto [x, y] = moves[random() % moves.size()];
      // Flip by replaying the move through the helper's rules.
      static constexpr int kSteps[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                           {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
      for (const auto& step : kSteps) {
        int cx = x + step[0], cy = y + step[1], run = 0;
        while (cx >= 1 && cx <= 8 && cy >= 1 && cy <= 8 && grid[cx][cy] == 3 - side) {
          cx += step[0], cy += step[1], ++run;
        }
        if (run == 0 || cx < 1 || cx > 8 || cy < 1 || cy > 8 || grid[cx][cy] != side) continue;
        for (int i = 1; i <= run; ++i) grid[x + step[0] * i][y + step[1] * i] = side;
      }
      grid[x][y] = static_cast<int16_t>(side);
      side = 3 - side;
    }
    std::string text;
    for (int y = 1; y <= 8; ++y) {
      for (int x = 1; x <= 8; ++x) text += static_cast<char>('0' + grid[x][y]);
      text += "\r\n";
    }
    WriteFile(root() / "dat" / "start.dat", text);
  }

  bool Searching(uint64_t nodes) { return game->searchState.Nodes > nodes; }
  // A close condition part: true when asked from within a search past `nodes`
  // nodes (no sleep since the previous time it was asked: only the search's
  // own checks ask without sleeping).
  std::function<bool(uint64_t)> InsideTheSearch() {
    return [this, sleeps = int64_t{-1}](uint64_t nodes) mutable {
      const bool inside = io.sleep_calls() == sleeps && Searching(nodes);
      sleeps = io.sleep_calls();
      return inside;
    };
  }
  int Discs() { return CountDiscs(position(), kBlack) + CountDiscs(position(), kWhite); }

  static constexpr const char* kSettingsText = "0\r\n0\r\n1\r\n0\r\n43\r\n0\r\n0\r\n";
};

TEST_F(ClosePhases, WhileLoading) {
  CloseWhenAndCheck([] { return true; }, "loading");
}

TEST_F(ClosePhases, InTheMenu) {
  CloseWhenAndCheck([this] { return game->buttonState.GroupActive[6] == 1; }, "menu");
}

TEST_F(ClosePhases, InTheSettings) {
  ClickOnMenu(kSettings);
  CloseWhenAndCheck([this] { return game->buttonState.GroupActive[12] == 1; }, "settings");
}

TEST_F(ClosePhases, OnTheHumansTurn) {
  ChooseGameAgainstComputer(/*human_black=*/true, 0);
  CloseWhenAndCheck([this] { return HumanWaits(); }, "human turn");
}

TEST_F(ClosePhases, DuringTheMoveAnimation) {
  ChooseGameAgainstComputer(/*human_black=*/true, 0);
  AutoPlay(1);
  CloseWhenAndCheck(
      [this] { return CountDiscs(position(), kBlack) + CountDiscs(position(), kWhite) == 5; },
      "animation");
}

// Closing while the computer searches or solves: the search looks for a
// closed window every 4096 nodes and at each progress step, never sleeping, so
// the close must be seen by one of those checks (the sleep count unchanged
// since the previous check), not at the next sleep after the search.
TEST_F(ClosePhases, InTheMiddleOfALevel6Search) {
  // The shipped evaluation, so the search has real values to weigh, in the
  // middle of a game, where it searches deepest.
  fs::copy_file(fs::path(KERNA_ASSETS_DIR) / "dat" / "table.dat", root() / "dat" / "table.dat");
  WriteStartPosition(30);
  ChooseGameAgainstComputer(/*human_black=*/false, 6);
  AutoPlay();
  const auto thinking = TextOnRow(20, "考えています");
  CloseWhenAndCheck(
      [&, inside = InsideTheSearch()]() mutable {
        return inside(8192) && thinking() &&
               ChooseTurnMethod(6, Discs() - 4, false) == TurnMethod::kMiddleGame;
      },
      "level 6 search");
}

TEST_F(ClosePhases, InTheEndgameSolver) {
  WriteStartPosition(16);
  ChooseGameAgainstComputer(/*human_black=*/false, 6);
  AutoPlay();
  const auto thinking = TextOnRow(21, "考えています");
  CloseWhenAndCheck(
      [&, inside = InsideTheSearch()]() mutable {
        return inside(4096) && thinking() &&
               ChooseTurnMethod(6, Discs() - 4, false) != TurnMethod::kMiddleGame;
      },
      "solver");
}

TEST_F(ClosePhases, OnTheResultScreen) {
  // Three lone discs: neither side can move, the game ends at once.
  WriteFile(root() / "dat" / "start.dat",
            "20000000\r\n00000000\r\n00000000\r\n00001000\r\n"
            "00000000\r\n00000000\r\n00000000\r\n00000002\r\n");
  ChooseGameAgainstComputer(/*human_black=*/true, 2);
  AutoPlay();
  const auto score_shown = TextOnRow(21, "あなた     （");
  CloseWhenAndCheck([&] { return score_shown() && game->buttonState.GroupActive[5] == 1; },
                    "result screen");
}

// Self-play logs every computer move; closing mid-search leaves only whole lines.
TEST_F(ClosePhases, InSelfPlayTheLogKeepsWholeLines) {
  const std::string self_play = "0\r\n0\r\n1\r\n1\r\n43\r\n0\r\n0\r\n";
  WriteFile(root() / "dat" / "set.ini", self_play);
  ChooseGameAgainstComputer(/*human_black=*/false, 3);
  io.SetTimeLimit(int64_t{1} << 40);
  Clock::time_point closed_at{};
  const fs::path log_file = root() / "dat" / "sakiyomi.csv";
  auto inside = InsideTheSearch();
  int log_checks = 0;
  bool enough_logged = false;
  io.CloseWhen([&] {
    // Looking at the file is slow: only now and then.
    if (!enough_logged && ++log_checks % 64 == 0) enough_logged = ReadFile(log_file).size() > 1500;
    if (closed_at == Clock::time_point{} && enough_logged && inside(300)) {
      closed_at = Clock::now();
    }
    return closed_at != Clock::time_point{};
  });
  EXPECT_EQ(io.Run([&] { RunGame(*game); }), Outcome::kWindowClosed);
  ASSERT_NE(closed_at, Clock::time_point{}) << "never reached";
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - closed_at).count(),
            1000);
  EXPECT_EQ(ReadFile(root() / "dat" / "set.ini"), self_play);
  const std::string log = ReadFile(log_file);
  ASSERT_FALSE(log.empty());
  EXPECT_TRUE(log.ends_with("END\r\n")) << log.substr(log.size() > 80 ? log.size() - 80 : 0);
  size_t lines = 0;
  for (size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2)) {
    ++lines;
  }
  EXPECT_EQ(lines, static_cast<size_t>(std::count(log.begin(), log.end(), '\n')));
  EXPECT_GE(lines, 5u);
}

}  // namespace
}  // namespace kerna::test
