// Fuzz target: any bytes as a picture file through the platform's BMP loader,
// then drawn, so a picture that claims more pixels than it holds is caught.
#include "fuzz/fuzz_data_folder.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kerna::fuzz::DataFolder folder;
  folder.Write("fuzz.bmp", data, size);
  static auto game = folder.NewGame();  // one game: building it costs more than the load
  const kerna::platform::Picture picture = game->io.LoadPicture("dat\\fuzz.bmp");
  game->io.DrawPicture(picture, 0, 0);
  game->io.DrawPicture(picture, -3, 437);
  return 0;
}
