#include "game/game.hpp"

namespace kerna {

Game::Game(platform::Platform& platform) : io(platform) {
  // The search and the computer turn report to the window's panel.
  searchState.Observer = &thinkingDisplay;
}

}  // namespace kerna
