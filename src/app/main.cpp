// Program entry: finds the data folder (the working directory, the installed
// share/kerna-reversi beside the program),
// opens the SDL window at the scale that fits the display (or the one
// window.ini forces), builds the game on it and runs the game thread until the
// window is closed. `--review FILE.ggf` (or the file alone, as the menu entry
// passes it) opens the window on the review of that game, and the title and
// menu follow; with `--text` it prints the review instead, without a window.
#include <cstdio>
#include <optional>
#include <string_view>

#include "game/data_folder.hpp"
#include "game/game.hpp"
#include "game/run_game.hpp"
#include "nboard/engine_player.hpp"
#include "platform/file_io.hpp"
#include "platform/os_folders.hpp"
#include "platform/sdl_backend.hpp"
#include "review/review_screen.hpp"
#include "review/review_text.hpp"

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--review" &&
      std::string_view(argv[3]) == "--text") {
    return kerna::review::RunTextReview(
        argv[2], kerna::nboard::FindEngineDataFolder("", KERNA_BUILT_ASSETS_DIR), stdout, stderr);
  }
  const std::string data_folder =
      kerna::ChooseDataFolder(".", kerna::platform::ProgramFolder(), "");
  std::string error;
  std::unique_ptr<kerna::platform::SdlPlatform> io =
      kerna::platform::SdlPlatform::Create(&error, kerna::ForcedWindowScale(data_folder));
  if (!io) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  io->SetDataFolder(data_folder);
  kerna::Game game(*io);
  game.review.Open = [&game, data_folder](const std::optional<std::string>& ggf_text) {
    kerna::review::ReviewScreen(game, kerna::review::LevelSixAnalyser(data_folder)).Show(ggf_text);
  };
  // `--review FILE`, or the file alone as the menu entry passes it (Exec %f).
  const char* review_file = argc == 3 && std::string_view(argv[1]) == "--review"       ? argv[2]
                            : argc == 2 && !std::string_view(argv[1]).starts_with("-") ? argv[1]
                                                                                       : nullptr;
  return io->Run([&game, review_file] {
    if (!review_file) {
      kerna::RunGame(game);
    } else {
      kerna::RunGame(game, [&game, review_file] {
        game.review.Open(kerna::platform::TryReadFileBytes(review_file));
      });
    }
  });
}
