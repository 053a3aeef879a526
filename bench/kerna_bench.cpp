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
// `kerna-bench --games N` instead times whole games through the computer turn
// (game_timing.hpp); the default run and its signature are unchanged.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_positions.hpp"
#include "data/eval_table_loader.hpp"
#include "game/game.hpp"
#include "game_timing.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::bench {
namespace {

// Placement values from the class table (fields of 4 characters per class) and
// the board of class letters.
bool LoadSquareClasses(Game& g) {
  const std::string classes = g.io.ReadWholeFile("dat\\abc-table.dat");
  const std::string board = g.io.ReadWholeFile("dat\\ban.dat");
  if (classes.empty() || board.empty()) return false;
  auto lines = [](const std::string& text) {
    std::vector<std::string> out(1);
    for (char c : text) {
      if (c == '\n')
        out.emplace_back();
      else if (c != '\r')
        out.back() += c;
    }
    return out;
  };
  const auto class_lines = lines(classes), board_lines = lines(board);
  for (int y = 1; y <= 8 && y <= static_cast<int>(board_lines.size()); ++y) {
    for (int x = 1; x <= 8 && x <= static_cast<int>(board_lines[y - 1].size()); ++x) {
      const int n = board_lines[y - 1][x - 1] - 'A';
      for (int k = 0; k < 5 && k < static_cast<int>(class_lines.size()); ++k) {
        const std::string& line = class_lines[k];
        const std::string field =
            n >= 0 && 4 * n < static_cast<int>(line.size()) ? line.substr(4 * n, 4) : "";
        g.startTables.SquareClass[x][y][k] = static_cast<int16_t>(std::atoi(field.c_str()));
      }
    }
  }
  return true;
}

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
        g.startTables.SquareClass[x][y][k] = static_cast<int16_t>(random.Draw() % 61 - 30);
}

struct Totals {
  uint64_t nodes = 0;
  double ms = 0;
};

void Run(Game& g, const BenchPosition& position, const char* method, int level, Totals& totals) {
  if (!LayPosition(g, position.moves)) {
    std::printf("%-12s illegal move sequence\n", std::string(position.name).c_str());
    return;
  }
  g.flow.Level = static_cast<int16_t>(level);
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
  const std::string table = io.ReadWholeFile("dat\\table.dat");
  const bool shipped = !table.empty() && LoadSquareClasses(g);
  if (shipped) {
    ParseEvalTables(table, g.tables, [](int) {});
  } else {
    FillSyntheticTables(g);
  }
  std::printf("Tables: %s\n", shipped ? "shipped (assets/dat)" : "synthetic (seeded)");
  std::printf("%-12s %-6s %5s %12s %10s %12s   %s\n", "position", "method", "level", "nodes", "ms",
              "nodes/s", "move value");
  Totals totals;
  for (const BenchPosition& position : kPositions) {
    if (!position.endgame) {
      for (int level = 2; level <= 6; ++level) Run(g, position, "search", level, totals);
    } else {
      Run(g, position, "wld", 6, totals);
      // The exact solver runs from 12 empty squares in play (level 6); 16 would take a minute.
      if (position.empties <= 14) Run(g, position, "exact", 6, totals);
    }
  }
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
  return kerna::bench::Main();
}
