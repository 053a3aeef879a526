// Game records for the review tests, made here: a game played out from the
// usual start with moves picked by a fixed seed, passes written in.
#pragma once

#include <bit>
#include <random>

#include "data/ggf.hpp"
#include "nboard/nboard_board.hpp"

namespace kerna::review::test {

inline GgfGame SeededGame(uint32_t seed, int moves = 60) {
  std::mt19937 rng(seed);
  GgfGame record = StandardGgfGame();
  nboard::Position p{record.board, true};
  while (!nboard::GameOver(p) && static_cast<int>(record.moves.size()) < moves) {
    uint64_t legal = nboard::LegalMoves(p);
    int square = kGgfPass;
    if (legal != 0) {
      for (int skip = static_cast<int>(rng() % std::popcount(legal)); skip > 0; --skip) {
        legal &= legal - 1;
      }
      square = std::countr_zero(legal);
    }
    nboard::Play(p, square);
    record.moves.push_back({square, std::nullopt, std::nullopt});
  }
  return record;
}

}  // namespace kerna::review::test
