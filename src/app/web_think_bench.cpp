// The browser build's think-time bench (build-web/bench/, not part of the
// site): the level-6 computer on kerna-bench's fixed positions, in the game's
// own WebAssembly build with the web backend (its search yields to the page
// as it does in a game), timed by the browser's clock. web/test/think-bench.mjs
// runs it in headless Chromium next to the desktop's kerna-bench.
#include <emscripten.h>

#include <cstdio>
#include <memory>

#include "bench_positions.hpp"
#include "game/game.hpp"
#include "platform/web_backend.hpp"

int main() {
  auto io = std::make_unique<kerna::platform::WebPlatform>(false);
  io->SetDataFolder("/data");
  auto game = std::make_unique<kerna::Game>(*io);
  kerna::Game& g = *game;
  g.starter.ProgramStart();  // the shipped tables, as the game loads them
  g.random.Seed(12345);
  g.settings.ThinkingVaries = 0;
  g.settings.SelfPlayMode = 0;
  std::printf("%-12s %-6s %12s %10s\n", "position", "method", "nodes", "ms");
  double total_ms = 0;
  for (const kerna::bench::BenchPosition& position : kerna::bench::kPositions) {
    if (!kerna::bench::LayPosition(g, position.moves)) continue;
    g.ai.Level = 6;
    const char* method = position.endgame ? "wld" : "search";
    const double start = emscripten_get_now();
    if (position.endgame) {
      g.searchDriver.ThinkWinLossDraw();
    } else {
      g.searchDriver.ThinkMiddleGame();
    }
    const double ms = emscripten_get_now() - start;
    total_ms += ms;
    std::printf("%-12s %-6s %12llu %10.1f\n", std::string(position.name).c_str(), method,
                static_cast<unsigned long long>(g.searchState.Nodes), ms);
  }
  std::printf("Total: %.1f ms\n", total_ms);
  EM_ASM({ Module.benchDone = true; });
  return 0;
}
