// The game thread's entry point: program start, then the main loop. Until the
// main loop is in place the game idles after start-up, polling every
// millisecond like every wait of the game, until the window is closed.
#include "game/run_game.hpp"

#include "game/game.hpp"

namespace kerna {

void RunGame(Game& game) {
  game.starter.ProgramStart();
  for (;;) game.io.Sleep(1);  // throws WindowClosed when the window goes
}

}  // namespace kerna
