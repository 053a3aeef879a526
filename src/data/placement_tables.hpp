// Tables read at program start for the opening and the placement scores: the
// five class-table lines and the placement value SquareClass[X][Y][k] of each
// square for each of the five game stages k.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kerna {

struct PlacementTables {
  std::array<std::string, 5> ClassTable{};
  int16_t SquareClass[9][9][5] = {};
};

}  // namespace kerna
