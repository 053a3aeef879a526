// kerna-engine: the game's computer player for other programs, speaking the
// NBoard protocol on stdin and stdout. No window and no sound.
//
//   kerna-engine [--level L] [--vary] [--seed N] [--no-book] [--data DIR]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "nboard/engine_loop.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kerna-engine [--level L] [--vary] [--seed N] [--no-book] [--data DIR]\n"
    "  --level L   play at the game's level L (0..6); \"set depth\" then leaves it alone\n"
    "              (without --level the level follows \"set depth\", starting at 6)\n"
    "  --vary      thinking variety on (sometimes the second-best move, random book lines)\n"
    "  --seed N    seed for the variety (default: from the clock)\n"
    "  --no-book   do not use the opening book\n"
    "  --data DIR  the game's data folder (the one holding dat/)\n";

bool ParseNumber(const char* text, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  kerna::nboard::EngineOptions engine;
  kerna::nboard::SessionOptions session;
  std::string data;
  bool seeded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    long number = 0;
    if (arg == "--level" && has_value && ParseNumber(argv[i + 1], number) && number >= 0 &&
        number <= 6) {
      session.level = static_cast<int>(number);
      session.levelFixed = true;
      ++i;
    } else if (arg == "--vary") {
      engine.vary = true;
    } else if (arg == "--seed" && has_value && ParseNumber(argv[i + 1], number)) {
      engine.seed = static_cast<uint32_t>(number);
      seeded = true;
      ++i;
    } else if (arg == "--no-book") {
      engine.useBook = false;
    } else if (arg == "--data" && has_value) {
      data = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      std::fprintf(stderr, "kerna-engine: unknown or incomplete option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }
  if (!seeded) {
    engine.seed = static_cast<uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() & 0x7fffffff);
  }
  engine.dataFolder = kerna::nboard::FindEngineDataFolder(data, KERNA_BUILT_ASSETS_DIR);
  return kerna::nboard::RunEngineLoop(0, stdout, stderr, engine, session);
}
