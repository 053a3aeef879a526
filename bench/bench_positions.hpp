// The bench's fixed positions, each a game from the start written as its moves
// ("f5d6..."; a side without a move passes), and how to lay one on the Board.
#pragma once

#include <array>
#include <string_view>

namespace kerna {
class Game;
}

namespace kerna::bench {

enum class Method { kMiddleGame, kWinLossDraw, kExact };

struct BenchPosition {
  std::string_view name;
  std::string_view moves;
  bool endgame;  // solved by the solvers instead of searched at levels 2..6
  int empties;
};

extern const std::array<BenchPosition, 10> kPositions;

// Replays the moves from the start position into Position and every layer and
// sets the computer to the side to move. Returns false on an illegal move.
bool LayPosition(Game& g, std::string_view moves);

}  // namespace kerna::bench
