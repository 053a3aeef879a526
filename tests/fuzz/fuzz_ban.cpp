// Fuzz target: any bytes as dat\ban.dat, with class lines of differing lengths.
#include "data/placement_table_loader.hpp"
#include "fuzz/fuzz_data_folder.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kerna::fuzz::DataFolder folder;
  static const bool ready =
      (folder.Write(
           "abc-table.dat",
           "100 -30 10  5   -50 -5  -2  2   1   0\r\n1   2   3\r\n\r\n"
           "1   2   3   4   5   6   7   8   9   10  11  12  13  14  15  16  17  18  19  20  21  "
           "22  23  24  25  26  27\r\n-1\r\n"),
       true);
  (void)ready;
  folder.Write("ban.dat", data, size);
  // One game for all runs (building one per run costs far more than the load),
  // its tables cleared before each.
  static auto game = folder.NewGame();
  game->placementTables = kerna::PlacementTables{};
  game->placementTableLoader.LoadSquareClasses();
  return 0;
}
