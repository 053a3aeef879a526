// Program entry: finds the data folder (the working directory, the installed
// share/kerna-reversi beside the program),
// opens the SDL window at the scale that fits the display (or the one
// window.ini forces), builds the game on it and runs the game thread until the
// window is closed.
#include <cstdio>

#include "game/data_folder.hpp"
#include "game/game.hpp"
#include "game/run_game.hpp"
#include "platform/sdl_backend.hpp"

int main() {
  const std::string data_folder = kerna::ChooseDataFolder(".", kerna::ProgramFolder(), "");
  std::string error;
  std::unique_ptr<kerna::platform::SdlPlatform> io =
      kerna::platform::SdlPlatform::Create(&error, kerna::ForcedWindowScale(data_folder));
  if (!io) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  io->SetDataFolder(data_folder);
  kerna::Game game(*io);
  return io->Run([&game] { kerna::RunGame(game); });
}
