// Fuzz target: any bytes as dat\set.ini through the real settings loader.
#include <stdlib.h>

#include "fuzz/fuzz_data_folder.hpp"
#include "game/settings_panel.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kerna::fuzz::DataFolder folder;
  // No user copy of the settings: the loader must read the fuzzed file.
  static const bool ready = (setenv("XDG_CONFIG_HOME", "/nonexistent-kerna-fuzz", 1), true);
  (void)ready;
  folder.Write("set.ini", data, size);
  static auto game = folder.NewGame();  // one game: building it costs more than the load
  kerna::SettingsPanel(*game).LoadSettings();
  return 0;
}
