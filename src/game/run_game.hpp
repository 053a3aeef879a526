// The game thread's entry point: runs the program start and then the main loop.
#pragma once

#include <functional>

namespace kerna {
class Game;
// Never returns normally; ends by throwing platform::WindowClosed once the
// window is closed. `first_screen`, when given, runs between the program start
// and the main loop (the review of a game named on the command line).
void RunGame(Game& game, const std::function<void()>& first_screen = {});
}  // namespace kerna
