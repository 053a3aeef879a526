// Fuzz target: any bytes as the game-in-progress file through the real
// keeper: read, checked by replaying its moves, and put into the game when
// it is offered.
#include <stdlib.h>

#include "fuzz/fuzz_data_folder.hpp"
#include "game/game.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kerna::fuzz::DataFolder folder;
  static const bool ready = (setenv("XDG_CONFIG_HOME", "/nonexistent-kerna-fuzz", 1), true);
  (void)ready;
  folder.Write("game-in-progress.txt", data, size);
  static auto game = folder.NewGame();  // one game: building it costs more than the load
  game->board.StartPosition = kerna::StandardStart();
  game->keeper.FindKeptGame();
  if (game->keptGame.Found) game->keeper.RestoreKeptGame();
  return 0;
}
