// The game thread's entry point: runs the program start and then the main loop.
#pragma once

namespace kerna {
class Game;
// Never returns normally; ends by throwing platform::WindowClosed once the
// window is closed.
void RunGame(Game& game);
}  // namespace kerna
