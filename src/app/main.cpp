// Program entry: opens the SDL window, builds the game on it (data folder =
// the working directory) and runs the game thread until the window is closed.
#include <cstdio>

#include "game/game.hpp"
#include "game/run_game.hpp"
#include "platform/sdl_backend.hpp"

int main() {
  std::string error;
  std::unique_ptr<kerna::platform::SdlPlatform> io = kerna::platform::SdlPlatform::Create(&error);
  if (!io) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  io->SetDataFolder(".");
  kerna::Game game(*io);
  return io->Run([&game] { kerna::RunGame(game); });
}
