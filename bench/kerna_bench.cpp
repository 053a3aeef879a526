// kerna-bench: runs the middle-game search at levels 2..6 (configured as the
// computer turn configures it: depth, ranking pass at 5 and 6, cut at 6) on the
// opening and middle-game positions, and both endgame solvers on the endgame
// positions (the exact one up to 14 empty squares), on the headless platform. Prints nodes,
// milliseconds and nodes per second per run; the last line, "Nodes: N", is the deterministic
// signature.
//
// The evaluation uses the shipped tables (assets/dat) when they are there, and
// otherwise fixed synthetic tables from a seeded generator.
//
// It also times the loading of the opening book.
//
// `kerna-bench --games N` instead times whole games through the computer turn
// (game_timing.hpp), and `kerna-bench --kept-games` times the start, the saved
// games screen and saving with many games kept (kept_games.hpp), which
// `--write-kept-games FOLDER LINES FILES` writes out for the browser; the default
// run and its signature are unchanged.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_positions.hpp"
#include "game/game.hpp"
#include "game_timing.hpp"
#include "kept_games.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::bench {
namespace {

void FillSyntheticTables(Game& g) {
  platform::Random random;
  random.Seed(20240601);
  for (auto& row : g.tables.Edge)
    for (auto& v : row) v = static_cast<int8_t>(random.Draw() % 41 - 20);
  for (auto& row : g.tables.Pattern)
    for (auto& v : row) v = static_cast<int8_t>(random.Draw() % 21 - 10);
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      for (int k = 0; k < 5; ++k)
        g.placementTables.SquareClass[x][y][k] = static_cast<int16_t>(random.Draw() % 61 - 30);
}

struct Totals {
  uint64_t nodes = 0;
  double ms = 0;
};

// Nodes and time per method, so that the search and each solver show their own speed.
struct MethodTotals {
  Totals search, wld, exact;
  Totals& Of(std::string_view method) {
    return method == "search" ? search : method == "wld" ? wld : exact;
  }
};

void PrintSpeed(const char* label, const Totals& t) {
  std::printf("%-22s %12llu nodes %10.1f ms %12.0f nodes/s\n", label,
              static_cast<unsigned long long>(t.nodes), t.ms,
              t.ms > 0 ? t.nodes / t.ms * 1000.0 : 0.0);
}

void Run(Game& g, const BenchPosition& position, const char* method, int level, Totals& totals) {
  if (!LayPosition(g, position.moves)) {
    std::printf("%-12s illegal move sequence\n", std::string(position.name).c_str());
    return;
  }
  g.ai.Level = static_cast<int16_t>(level);
  const auto start = std::chrono::steady_clock::now();
  if (std::string_view(method) == "search") g.searchDriver.ThinkMiddleGame();
  if (std::string_view(method) == "wld") g.searchDriver.ThinkWinLossDraw();
  if (std::string_view(method) == "exact") g.searchDriver.ThinkExact();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const uint64_t nodes = g.searchState.Nodes;
  totals.nodes += nodes;
  totals.ms += ms;
  std::printf("%-12s %-6s %5d %12llu %10.1f %12.0f   %c%d %6d\n",
              std::string(position.name).c_str(), method, level,
              static_cast<unsigned long long>(nodes), ms, ms > 0 ? nodes / ms * 1000.0 : 0.0,
              'a' + g.ai.ChosenX - 1, g.ai.ChosenY, g.ai.ShownValue);
  std::fflush(stdout);
}

int Main() {
  platform::HeadlessPlatform io;
  io.SetDataFolder(KERNA_ASSETS_DIR);
  Game g(io);
  g.rules.SetUpWalls();
  g.random.Seed(12345);
  g.settings.ThinkingVaries = 0;
  g.settings.SelfPlayMode = 0;
  // The game's own loaders, so that the bench measures the evaluation the game plays.
  const bool shipped = !io.ReadWholeFile("dat\\table.dat").empty() &&
                       !io.ReadWholeFile("dat\\abc-table.dat").empty() &&
                       !io.ReadWholeFile("dat\\ban.dat").empty();
  if (shipped) {
    g.tableLoader.LoadEvalTables();
    g.placementTableLoader.LoadSquareClasses();
  } else {
    FillSyntheticTables(g);
  }
  std::printf("Tables: %s\n", shipped ? "shipped (assets/dat)" : "synthetic (seeded)");
  {
    // The opening book is read at every start: its size is its loading time.
    const auto start = std::chrono::steady_clock::now();
    g.bookLoader.LoadOpeningBook();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("Opening book: %d lines loaded in %.1f ms\n", g.book.LineCount, ms);
  }
  std::printf("%-12s %-6s %5s %12s %10s %12s   %s\n", "position", "method", "level", "nodes", "ms",
              "nodes/s", "move value");
  Totals totals;
  MethodTotals by_method;
  auto run = [&](const BenchPosition& position, const char* method, int level) {
    Totals one;
    Run(g, position, method, level, one);
    totals.nodes += one.nodes, totals.ms += one.ms;
    Totals& m = by_method.Of(method);
    m.nodes += one.nodes, m.ms += one.ms;
  };
  for (const BenchPosition& position : kPositions) {
    if (!position.endgame) {
      for (int level = 2; level <= 6; ++level) run(position, "search", level);
    } else {
      run(position, "wld", 6);
      // The exact solver runs from 12 empty squares in play (level 6); 16 would take a minute.
      if (position.empties <= 14) run(position, "exact", 6);
    }
  }
  PrintSpeed("Middle-game search:", by_method.search);
  PrintSpeed("Win-loss-draw solver:", by_method.wld);
  PrintSpeed("Exact solver:", by_method.exact);
  std::printf("Total: %llu nodes in %.1f ms (%.0f nodes/s)\n",
              static_cast<unsigned long long>(totals.nodes), totals.ms,
              totals.ms > 0 ? totals.nodes / totals.ms * 1000.0 : 0.0);
  std::printf("Nodes: %llu\n", static_cast<unsigned long long>(totals.nodes));
  return 0;
}

}  // namespace
}  // namespace kerna::bench

int main(int argc, char** argv) {
  // --games N: whole games at every level instead of the fixed positions.
  if (argc >= 2 && std::string_view(argv[1]) == "--games") {
    const int games = argc >= 3 ? std::max(1, std::atoi(argv[2])) : 3;
    return kerna::bench::RunGameTiming(games);
  }
  // --kept-games [LINES FILES]: start, saved games and saving with many games kept.
  if (argc >= 2 && std::string_view(argv[1]) == "--kept-games") {
    const int lines = argc >= 3 ? std::max(0, std::atoi(argv[2])) : 100'000;
    const int files = argc >= 4 ? std::max(0, std::atoi(argv[3])) : 10'000;
    return kerna::bench::RunKeptGamesTiming(lines, files);
  }
  // --write-kept-games FOLDER LINES FILES: those kept games, for the browser's bench.
  if (argc == 5 && std::string_view(argv[1]) == "--write-kept-games") {
    kerna::bench::WriteKeptGames(argv[2], std::max(0, std::atoi(argv[3])),
                                 std::max(0, std::atoi(argv[4])));
    return 0;
  }
  return kerna::bench::Main();
}
