// Program entry: finds the data folder (the working directory, the installed
// share/kerna-reversi beside the program),
// opens the SDL window at the scale that fits the display (or the one
// window.ini forces), builds the game on it and runs the game thread until the
// window is closed. `--review FILE.ggf --text` prints the review of a kept game
// instead, without a window.
#include <cstdio>
#include <string_view>

#include "game/data_folder.hpp"
#include "game/game.hpp"
#include "game/run_game.hpp"
#include "nboard/engine_player.hpp"
#include "platform/sdl_backend.hpp"
#include "review/review_text.hpp"

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--review" &&
      std::string_view(argv[3]) == "--text") {
    return kerna::review::RunTextReview(
        argv[2], kerna::nboard::FindEngineDataFolder("", KERNA_BUILT_ASSETS_DIR), stdout, stderr);
  }
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
