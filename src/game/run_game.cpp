// The game thread's entry point: program start, then the main loop, which never
// returns; closing the window unwinds it with platform::WindowClosed.
#include "game/run_game.hpp"

#include "game/game.hpp"

namespace kerna {

void RunGame(Game& game, const std::function<void()>& first_screen) {
  game.starter.ProgramStart();
  if (first_screen) first_screen();
  game.loop.MainLoop();
}

}  // namespace kerna
