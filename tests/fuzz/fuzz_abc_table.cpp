// Fuzz target: any bytes as dat\abc-table.dat, read through a full class map
// (every letter A..Z, a..z and some non-letters occur in dat\ban.dat).
#include "data/placement_table_loader.hpp"
#include "fuzz/fuzz_data_folder.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kerna::fuzz::DataFolder folder;
  static const bool ready =
      (folder.Write("ban.dat",
                    "ABCDEFGH\r\nIJKLMNOP\r\nQRSTUVWX\r\nYZ[\\]^_`\r\nabcdefgh\r\nijklmnop\r\n"
                    "qrstuvwx\r\n@0 ~\x7f\x80\xfe\xff\r\n"),
       true);
  (void)ready;
  folder.Write("abc-table.dat", data, size);
  // One game for all runs (building one per run costs far more than the load),
  // its tables cleared before each.
  static auto game = folder.NewGame();
  game->placementTables = kerna::PlacementTables{};
  game->placementTableLoader.LoadSquareClasses();
  return 0;
}
