#include "game/game.hpp"

namespace kerna {

Game::Game(platform::Platform& platform) : io(platform) {
  searchState.Observer = &progressBar;  // the search reports to the panel's progress bar
}

}  // namespace kerna
