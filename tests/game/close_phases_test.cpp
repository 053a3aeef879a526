// Closing the window in each phase of the game: RunGame unwinds with
// WindowClosed within a second of real time and leaves dat\set.ini as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

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

  static constexpr const char* kSettingsText = "0\r\n0\r\n1\r\n0\r\n43\r\n0\r\n0\r\n";
};

TEST_F(ClosePhases, WhileLoading) {
  CloseWhenAndCheck([] { return true; }, "loading");
}

TEST_F(ClosePhases, InTheMenu) {
  CloseWhenAndCheck([this] { return game->start.GroupActive[6] == 1; }, "menu");
}

TEST_F(ClosePhases, InTheSettings) {
  ClickOnMenu(kSettings);
  CloseWhenAndCheck([this] { return game->start.GroupActive[12] == 1; }, "settings");
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

// Enabled once the computer turn searches (main still plays a stand-in that does not).
TEST_F(ClosePhases, DISABLED_InTheMiddleOfALevel6Search) {
  ChooseGameAgainstComputer(/*human_black=*/false, 6);
  AutoPlay();
  CloseWhenAndCheck([this] { return Searching(4096); }, "level 6 search");
}

TEST_F(ClosePhases, DISABLED_InTheEndgameSolver) {
  WriteStartPosition(16);
  ChooseGameAgainstComputer(/*human_black=*/false, 6);
  AutoPlay();
  CloseWhenAndCheck([this] { return Searching(4096); }, "solver");
}

}  // namespace
}  // namespace kerna::test
