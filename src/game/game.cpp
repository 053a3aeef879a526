#include "game/game.hpp"

namespace kerna {

Game::Game(platform::Platform& platform) : io(platform) {}

}  // namespace kerna
