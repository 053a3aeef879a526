// Fuzz target: the evaluation-table loader reads any bytes as dat\table.dat
// without leaving its tables or the text grid.
#include "data/eval_table_loader.hpp"
#include "fuzz/fuzz_data_folder.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kerna::fuzz::DataFolder folder;
  folder.Write("table.dat", data, size);
  // One game for all runs (building one per run costs far more than the load),
  // its tables cleared before each.
  static auto game = folder.NewGame();
  game->tables = kerna::EvalTables{};
  game->tableLoader.LoadEvalTables();
  return 0;
}
