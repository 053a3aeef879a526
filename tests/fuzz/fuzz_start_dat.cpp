// Fuzz target: any bytes as dat\start.dat; only empty, white and black may
// reach the board.
#include "data/placement_table_loader.hpp"
#include "fuzz/fuzz_data_folder.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kerna::fuzz::DataFolder folder;
  folder.Write("start.dat", data, size);
  // One game for all runs (building one per run costs far more than the load),
  // its board cleared before each.
  static auto game = folder.NewGame();
  game->board = kerna::BoardState{};
  game->placementTableLoader.LoadStartPosition();
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const int16_t cell = game->board.StartPosition[x][y];
      if (cell != kerna::kEmpty && cell != kerna::kWhite && cell != kerna::kBlack) abort();
      if (game->board.Position[x][y] != cell) abort();
    }
  return 0;
}
