// Helpers for the computer-turn tests: a Game on the headless platform (virtual
// clock) with the shipped tables from assets/, positions from random play, an
// observer that looks at the message rows while the turn searches, and a check
// of a played move against an independent bitboard.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/eval_table_loader.hpp"
#include "data/placement_table_loader.hpp"
#include "game/game.hpp"
#include "platform/headless_backend.hpp"
#include "reference_players.hpp"
#include "support/forwarding_observer.hpp"

namespace kerna::test {

// A Game as the program start leaves it for play: walls, the shipped
// evaluation and placement tables, the book (when shipped), the start position.
struct TurnWorld {
  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game;
  Game& g;

  TurnWorld() : game(MakeGame(io)), g(*game) {
    io.SetTimeLimit(int64_t{24} * 3600 * 1000);  // whole games sleep a lot of virtual time
    g.rules.SetUpWalls();
    ParseEvalTables(io.ReadWholeFile("dat\\table.dat"), g.tables, [](int) {});
    PlacementTableLoader& tables = g.placementTableLoader;
    tables.LoadSquareClasses();
    tables.LoadStartPosition();
    g.bookLoader.LoadOpeningBook();
    g.random.Seed(7);
    g.settings.ThinkingVaries = 0;
    g.settings.SelfPlayMode = 0;
    g.flow.VersusComputer = 1;
    g.searchState.Observer = &g.thinkingDisplay;  // the window's messages, on the headless screen
  }

  static std::unique_ptr<Game> MakeGame(platform::HeadlessPlatform& io) {
    io.SetDataFolder(KERNA_ASSETS_DIR);
    return std::make_unique<Game>(io);
  }

  // The text of a message row from column 56, without trailing blanks.
  std::string Row(int row) const {
    const std::string bytes = io.text().RowBytes(row);
    std::string text = platform::FromCp932(bytes.size() > 56 ? bytes.substr(56) : "");
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }
};

// Sets Position (and the layers) and the sides: `side` is the computer, to move.
inline void SetUpTurn(Game& g, const RandomPosition& p, int side) {
  LayPosition(g, p);
  BoardState& b = g.board;
  b.ComputerSide = static_cast<int16_t>(side);
  b.HumanSide = static_cast<int16_t>(3 - side);
  b.SideToMove = static_cast<int16_t>(side);
  b.GameRecord.fill(0);
  g.ai.SecondBestFlag = 0;
  g.rules.SavePreviousPosition();
  const int discs = std::popcount(p.bits.black | p.bits.white);
  const int played = discs - 4;
  g.ai.GameStage = static_cast<int16_t>(played > 44 ? 3 : played > 35 ? 2 : played > 25 ? 1 : 0);
}

// A position from random play with `played` moves made and the side to move
// having between `min_moves` and `max_moves` legal moves.
inline RandomPosition FindPosition(uint64_t seed, int played, int min_moves, int max_moves) {
  TestRandom rng(seed);
  for (int tries = 0; tries < 100000; ++tries) {
    RandomPosition p;
    if (!MakeRandomPosition(rng, 60 - played, p)) continue;
    const int moves = std::popcount(LegalMoves(OwnBits(p), OtherBits(p)));
    if (moves >= min_moves && moves <= max_moves) return p;
  }
  ADD_FAILURE() << "no position with " << played << " moves and " << min_moves << ".." << max_moves
                << " legal moves";
  return {};
}

inline Bits BitsOf(const Grid& position) {
  Bits bits;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      if (position[x][y] == kBlack) bits.black |= 1ull << BitOf(x, y);
      if (position[x][y] == kWhite) bits.white |= 1ull << BitOf(x, y);
    }
  return bits;
}

// Checks that going from `before` to `after` is the legal move (x, y) of `side`.
inline ::testing::AssertionResult IsLegalMove(const Grid& before, const Grid& after, int side,
                                              int x, int y) {
  if (x < 1 || x > 8 || y < 1 || y > 8)
    return ::testing::AssertionFailure() << "square (" << x << ", " << y << ") is off the board";
  const Bits b = BitsOf(before);
  const uint64_t own = side == kBlack ? b.black : b.white;
  const uint64_t other = side == kBlack ? b.white : b.black;
  const uint64_t move = 1ull << BitOf(x, y);
  if (!(LegalMoves(own, other) & move))
    return ::testing::AssertionFailure()
           << "(" << x << ", " << y << ") is not legal for side " << side;
  const uint64_t flips = Flips(own, other, move);
  const uint64_t own_after = own | flips | move, other_after = other & ~flips;
  const Bits a = BitsOf(after);
  const uint64_t expect_black = side == kBlack ? own_after : other_after;
  const uint64_t expect_white = side == kBlack ? other_after : own_after;
  if (a.black != expect_black || a.white != expect_white)
    return ::testing::AssertionFailure()
           << "the position after (" << x << ", " << y << ") is not the one the move gives";
  return ::testing::AssertionSuccess();
}

// Watches the turn's search: the message rows at the first progress report
// and at the deep pass, and the depth of the deep pass. Everything is passed
// on to the game's own display first, so the rows are the ones it printed.
class TurnWatcher : public ForwardingObserver {
 public:
  explicit TurnWatcher(TurnWorld& world)
      : ForwardingObserver(world.g.thinkingDisplay), world_(world) {}

  void OnProgress(int ply) override {
    ForwardingObserver::OnProgress(ply);
    if (progress_reports++ > 0) return;
    for (int r = 0; r <= 4; ++r) rows_at_progress[r] = world_.Row(20 + r);
  }
  void OnDeepPass() override {
    ForwardingObserver::OnDeepPass();
    ++deep_passes;
    deep_depth = world_.g.ai.LookAheadDepth;
    for (int r = 0; r <= 4; ++r) rows_at_deep_pass[r] = world_.Row(20 + r);
  }
  void Reset() {
    progress_reports = deep_passes = 0;
    deep_depth = 0;
    for (int r = 0; r < 5; ++r) rows_at_progress[r].clear(), rows_at_deep_pass[r].clear();
  }

  int progress_reports = 0;
  int deep_passes = 0;
  float deep_depth = 0;
  std::string rows_at_progress[5], rows_at_deep_pass[5];

 private:
  TurnWorld& world_;
};

}  // namespace kerna::test
