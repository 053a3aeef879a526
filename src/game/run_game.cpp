// Temporary game entry until program start is in place: paints the panel blue
// and the board area black, then waits for the window to close.
#include "game/run_game.hpp"

#include "game/game.hpp"

namespace kerna {

void RunGame(Game& game) {
  platform::Platform& io = game.io;
  io.Line(429, 0, 639, 439, 1, platform::LineKind::kFilledBox);
  io.Line(0, 0, 428, 439, 0, platform::LineKind::kFilledBox);
  for (;;) io.Sleep(20);
}

}  // namespace kerna
