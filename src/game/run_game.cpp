// The game thread's entry point: program start, then the main loop, which never
// returns; closing the window unwinds it with platform::WindowClosed.
#include "game/run_game.hpp"

#include "game/game.hpp"

namespace kerna {

void RunGame(Game& game) {
  game.starter.ProgramStart();
  game.loop.MainLoop();
}

}  // namespace kerna
