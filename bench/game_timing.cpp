// Each game starts from the shipped start position with the shipped tables and
// book; the variety rule is on, with a seed per game, so that the games differ.
// The virtual clock makes the 200 ms pauses of instant moves cost nothing, so
// the times are the thinking alone.
#include "game_timing.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::bench {
namespace {

struct TurnTime {
  double ms;
  double cpu_ms;  // the process's processor time: on a shared machine, what the turn itself cost
  int played;     // moves on the board before the turn
};

int DiscCount(const Grid& position) {
  int discs = 0;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) discs += position[x][y] == kBlack || position[x][y] == kWhite;
  return discs;
}

// One game, both sides played by the computer turn; appends the time of every turn that moved.
void PlayGame(Game& g, int level, std::vector<TurnTime>& times) {
  BoardState& b = g.board;
  g.ai.Level = static_cast<int16_t>(level);
  b.Position = b.StartPosition;
  b.GameRecord.fill(0);
  g.ai.GameStage = 0;
  int side = kBlack, passes = 0;
  while (passes < 2 && DiscCount(b.Position) < 64) {
    b.ComputerSide = static_cast<int16_t>(side);
    b.HumanSide = static_cast<int16_t>(3 - side);
    b.SideToMove = static_cast<int16_t>(side);
    g.ai.SecondBestFlag = 0;
    g.rules.CopyPositionToLayers();
    g.rules.SavePreviousPosition();
    const int played = DiscCount(b.Position) - 4;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    g.computer.ComputerTurn();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double cpu_ms = 1000.0 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    if (b.LegalMoveCount == 0) {
      ++passes;
    } else {
      passes = 0;
      times.push_back({ms, cpu_ms, played});
    }
    const int after = DiscCount(b.Position) - 4;
    g.ai.GameStage = static_cast<int16_t>(after > 44 ? 3 : after > 35 ? 2 : after > 25 ? 1 : 0);
    side = 3 - side;
  }
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int RunGameTiming(int games_per_level) {
  platform::HeadlessPlatform io;
  io.SetDataFolder(KERNA_ASSETS_DIR);
  io.SetTimeLimit(int64_t{1} << 40);
  Game g(io);
  g.rules.SetUpWalls();
  g.tableLoader.LoadEvalTables();
  g.placementTableLoader.LoadSquareClasses();
  g.placementTableLoader.LoadStartPosition();
  g.bookLoader.LoadOpeningBook();
  g.settings.ThinkingVaries = 1;
  g.settings.SelfPlayMode = 0;
  g.flow.VersusComputer = 1;
  std::printf("Whole games, computer against itself, %d per level; think time per turn (ms)\n",
              games_per_level);
  std::printf("%5s %6s %10s %10s %10s %12s %10s\n", "level", "turns", "median", "worst", "total",
              "worst at move", "worst cpu");
  for (int level = 0; level <= 6; ++level) {
    std::vector<TurnTime> times;
    for (int game = 0; game < games_per_level; ++game) {
      g.random.Seed(static_cast<uint32_t>(1000 * level + game + 1));
      PlayGame(g, level, times);
    }
    std::vector<double> ms;
    double total = 0;
    TurnTime worst{0, 0, 0};
    double worst_cpu = 0;
    for (const TurnTime& t : times) {
      ms.push_back(t.ms);
      total += t.ms;
      if (t.ms > worst.ms) worst = t;
      worst_cpu = std::max(worst_cpu, t.cpu_ms);
    }
    std::printf("%5d %6zu %10.1f %10.1f %10.1f %12d %10.1f\n", level, times.size(), Median(ms),
                worst.ms, total, worst.played + 1, worst_cpu);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace kerna::bench
