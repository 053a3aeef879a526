// Helpers for the engine-program tests: positions written as 64 characters, a
// move checked with the game's own board rules, and a stand-in player.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <memory>
#include <string>

#include "game/game.hpp"
#include "nboard/engine_player.hpp"
#include "nboard/nboard_board.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::nboard::test {

// "--------...O*..." row by row from a1, and the side to move.
inline Position PositionOf(const std::string& squares, bool black_to_move) {
  Position p;
  EXPECT_EQ(squares.size(), 64u);
  for (size_t i = 0; i < 64 && i < squares.size(); ++i) p.squares[i] = squares[i];
  p.blackToMove = black_to_move;
  return p;
}

// Best final disc margin for the side to move (empty squares count for nobody).
inline int SolveMargin(const Position& p, bool passed = false) {
  uint64_t legal = LegalMoves(p);
  if (legal == 0) {
    const int mine = p.blackToMove ? DiscMargin(p) : -DiscMargin(p);
    if (passed) return mine;
    Position swapped = p;
    swapped.blackToMove = !p.blackToMove;
    return -SolveMargin(swapped, true);
  }
  int best = -65;
  for (; legal != 0; legal &= legal - 1) {
    Position next = p;
    Play(next, std::countr_zero(legal));
    best = std::max(best, -SolveMargin(next));
  }
  return best;
}

inline EngineOptions ShippedData() {
  EngineOptions options;
  options.dataFolder = KERNA_ASSETS_DIR;
  return options;
}

// Checks a move with the game's board rules on a Game of its own: legal, and
// the position after it is the one the session's replay gives.
class GameRulesReferee {
 public:
  GameRulesReferee() : game_(std::make_unique<Game>(io_)) { game_->rules.SetUpWalls(); }

  ::testing::AssertionResult IsLegal(const Position& before, int square) {
    if (square < 0 || square > 63) return ::testing::AssertionFailure() << "no square";
    Game& g = *game_;
    BoardState& b = g.board;
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) {
        const char c = before.squares[(y - 1) * 8 + x - 1];
        b.Position[x][y] = c == kGgfBlack ? kBlack : c == kGgfWhite ? kWhite : kEmpty;
      }
    g.rules.CopyPositionToLayers();
    b.Layer = 0;
    b.SideToMove = before.blackToMove ? kBlack : kWhite;
    b.SquareX = static_cast<int16_t>(square % 8 + 1);
    b.SquareY = static_cast<int16_t>(square / 8 + 1);
    g.rules.TestLegal();
    if (b.LegalFlag != 1) {
      return ::testing::AssertionFailure() << GgfSquareName(square) << " is not legal";
    }
    g.rules.MakeMoveFast();
    Position after = before;
    if (!Play(after, square)) {
      return ::testing::AssertionFailure()
             << "the session's rules refuse " << GgfSquareName(square);
    }
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) {
        const char c = after.squares[(y - 1) * 8 + x - 1];
        const int expected = c == kGgfBlack ? kBlack : c == kGgfWhite ? kWhite : kEmpty;
        if (b.cell[x][y][0] != expected) {
          return ::testing::AssertionFailure()
                 << "the flips of " << GgfSquareName(square) << " differ from the game's rules";
        }
      }
    return ::testing::AssertionSuccess();
  }

 private:
  platform::HeadlessPlatform io_;
  std::unique_ptr<Game> game_;
};

// Plays the first legal move and ranks the legal moves in square order.
class FirstLegalPlayer : public MovePlayer {
 public:
  MoveDecision ChooseMove(const SessionGame& game, int level) override {
    ++moves_asked;
    last_level = level;
    MoveDecision decision;
    decision.move = {std::countr_zero(LegalMoves(game.current)), -1.5, "4"};
    return decision;
  }
  HintResult Hint(const SessionGame& game, int, int count) override {
    HintResult hint;
    uint64_t legal = LegalMoves(game.current);
    while (legal != 0 && static_cast<int>(hint.ranked.size()) < count) {
      hint.ranked.push_back({std::countr_zero(legal), 2.0, "100%"});
      legal &= legal - 1;
    }
    return hint;
  }
  int moves_asked = 0;
  int last_level = -1;
};

}  // namespace kerna::nboard::test
