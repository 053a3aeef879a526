// The computer player outside the window: legal moves from any set-up position,
// the same move as the game's computer turn, values in discs (the exact
// solver's margin), the book only after the usual start, hints, and a search
// stopped half-way leaving nothing behind.
#include "nboard/engine_player.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "ai/computer_turn_support.hpp"
#include "nboard_test_support.hpp"

namespace kerna::nboard {
namespace {

using test::GameRulesReferee;
using test::PositionOf;
using test::ShippedData;
using test::SolveMargin;

SessionGame SetUpGame(const Position& p) {
  return NewSessionGame(p);
}

SessionGame StandardGame(const std::vector<std::string>& moves) {
  const GgfGame standard = StandardGgfGame();
  SessionGame game = NewSessionGame(Position{standard.board, true});
  for (const std::string& move : moves) {
    EXPECT_TRUE(AppendMove(game, {*ParseGgfSquare(move), std::nullopt, std::nullopt})) << move;
  }
  return game;
}

// Random play from the usual start until `discs` are on the board, the side to
// move having a move.
Position RandomPosition(uint32_t seed, int discs) {
  std::mt19937 rng(seed);
  for (;;) {
    const GgfGame standard = StandardGgfGame();
    Position p{standard.board, true};
    while (DiscCount(p) < discs && !GameOver(p)) {
      uint64_t legal = LegalMoves(p);
      if (legal == 0) {
        Play(p, kGgfPass);
        continue;
      }
      for (int skip = static_cast<int>(rng() % std::popcount(legal)); skip > 0; --skip) {
        legal &= legal - 1;
      }
      Play(p, std::countr_zero(legal));
    }
    if (DiscCount(p) == discs && LegalMoves(p) != 0) return p;
  }
}

TEST(EnginePlayer, SetUpPositionsGetLegalMovesAtEveryLevel) {
  EnginePlayer player(ShippedData(), [] { return false; });
  ASSERT_TRUE(player.TablesLoaded());
  GameRulesReferee referee;
  const std::vector<Position> positions = {
      // Three discs (61 empty squares): Black has c1 and c3.
      PositionOf("*O------"
                 "-O------" +
                     std::string(48, '-'),
                 true),
      // Two discs, one move.
      PositionOf("*O" + std::string(62, '-'), true),
      // The usual start with White to move.
      PositionOf(std::string(27, '-') + "O*------*O" + std::string(27, '-'), false),
      // A crowded board, White to move, few empties.
      RandomPosition(11, 57),
  };
  for (size_t i = 0; i < positions.size(); ++i) {
    for (int level = 0; level <= 6; ++level) {
      const MoveDecision decision = player.ChooseMove(SetUpGame(positions[i]), level);
      EXPECT_TRUE(referee.IsLegal(positions[i], decision.move.square))
          << "position " << i << " level " << level;
      EXPECT_FALSE(decision.fromBook);
    }
  }
}

TEST(EnginePlayer, PlaysTheMoveOfTheGamesComputerTurn) {
  EnginePlayer player(ShippedData(), [] { return false; });
  for (const auto& [seed, level] : {std::pair{3u, 5}, std::pair{4u, 3}, std::pair{5u, 1}}) {
    const kerna::test::RandomPosition p = kerna::test::FindPosition(seed, 26, 6, 12);
    kerna::test::TurnWorld world;
    world.g.ai.Level = static_cast<int16_t>(level);
    kerna::test::SetUpTurn(world.g, p, p.to_move);
    world.g.computer.ComputerTurn();
    const int expected = (world.g.board.LastMoveY - 1) * 8 + world.g.board.LastMoveX - 1;

    Position position;
    for (int square = 0; square < 64; ++square) {
      position.squares[square] = (p.bits.black >> square & 1)   ? kGgfBlack
                                 : (p.bits.white >> square & 1) ? kGgfWhite
                                                                : kGgfEmpty;
    }
    position.blackToMove = p.to_move == kBlack;
    EXPECT_EQ(player.ChooseMove(SetUpGame(position), level).move.square, expected)
        << "level " << level;
  }
}

TEST(EnginePlayer, ExactSolverReportsTheDiscMarginAndTheSearchItsDepth) {
  EnginePlayer player(ShippedData(), [] { return false; });
  const Position late = RandomPosition(21, 56);  // 8 empty squares: the exact solver at level 6
  const MoveDecision exact = player.ChooseMove(SetUpGame(late), 6);
  if (std::popcount(LegalMoves(late)) > 1) {
    EXPECT_EQ(exact.move.depth, "100%");
    ASSERT_TRUE(exact.move.eval);
    EXPECT_DOUBLE_EQ(*exact.move.eval, SolveMargin(late));
  }

  const Position middle = RandomPosition(22, 24);
  const MoveDecision searched = player.ChooseMove(SetUpGame(middle), 5);
  EXPECT_EQ(searched.move.depth, "6");  // the deep pass of level 5
  ASSERT_TRUE(searched.move.eval);
  EXPECT_LT(std::abs(*searched.move.eval), 64.0);
  EXPECT_GT(searched.nodes, 0u);
}

TEST(EnginePlayer, BookOnlyAfterTheUsualStartAndHintListsItsMoves) {
  EnginePlayer player(ShippedData(), [] { return false; });
  ASSERT_TRUE(player.BookLoaded());
  const SessionGame game = StandardGame({"f5", "d6"});
  const MoveDecision book = player.ChooseMove(game, 6);
  EXPECT_TRUE(book.fromBook);
  EXPECT_EQ(book.move.eval, 0.0);
  EXPECT_FALSE(player.ChooseMove(game, 3).fromBook);  // below the book's levels

  // The same position set up directly: no game record, no book.
  EXPECT_FALSE(player.ChooseMove(SetUpGame(game.current), 6).fromBook);

  const HintResult hint = player.Hint(game, 6, 64);
  ASSERT_FALSE(hint.book.empty());
  EXPECT_TRUE(hint.ranked.empty());
  std::set<int> squares;
  GameRulesReferee referee;
  for (const BookMove& move : hint.book) {
    EXPECT_TRUE(referee.IsLegal(game.current, move.square));
    EXPECT_GE(move.lines, 1);
    squares.insert(move.square);
  }
  EXPECT_EQ(squares.size(), hint.book.size());
  EXPECT_TRUE(squares.count(book.move.square));
}

TEST(EnginePlayer, HintRanksSeveralMovesWithTheChosenOneFirst) {
  EnginePlayer player(ShippedData(), [] { return false; });
  const Position middle = RandomPosition(31, 28);
  const int legal = std::popcount(LegalMoves(middle));
  ASSERT_GE(legal, 3);
  const HintResult hint = player.Hint(SetUpGame(middle), 5, 3);
  ASSERT_EQ(hint.ranked.size(), 3u);
  EXPECT_EQ(hint.ranked[0].square, player.ChooseMove(SetUpGame(middle), 5).move.square);
  EXPECT_EQ(hint.ranked[0].depth, "6");
  EXPECT_EQ(hint.ranked[1].depth, "4");
  std::set<int> squares;
  for (const MoveValue& move : hint.ranked) {
    EXPECT_TRUE(LegalMoves(middle) >> move.square & 1);
    squares.insert(move.square);
  }
  EXPECT_EQ(squares.size(), 3u);
  // No ranking pass below level 5: each move asked for is valued on its own.
  EXPECT_EQ(player.Hint(SetUpGame(middle), 2, 3).ranked.size(), 3u);
}

TEST(EnginePlayer, HintValuesEveryMoveOfASolvedPositionExactly) {
  EnginePlayer player(ShippedData(), [] { return false; });
  Position late = RandomPosition(23, 55);  // 9 empty squares: the exact solver at level 6
  for (uint32_t seed = 24; std::popcount(LegalMoves(late)) < 3; ++seed) {
    late = RandomPosition(seed, 55);
  }
  const HintResult hint = player.Hint(SetUpGame(late), 6, 64);
  ASSERT_EQ(hint.ranked.size(), static_cast<size_t>(std::popcount(LegalMoves(late))));
  EXPECT_DOUBLE_EQ(*hint.ranked[0].eval, SolveMargin(late));
  std::set<int> squares;
  for (size_t i = 0; i < hint.ranked.size(); ++i) {
    const MoveValue& move = hint.ranked[i];
    Position after = late;
    ASSERT_TRUE(Play(after, move.square));
    ASSERT_TRUE(move.eval);
    EXPECT_DOUBLE_EQ(*move.eval, -SolveMargin(after)) << GgfSquareName(move.square);
    if (i > 0) {
      EXPECT_LE(*move.eval, *hint.ranked[i - 1].eval);
    }
    squares.insert(move.square);
  }
  EXPECT_EQ(squares.size(), hint.ranked.size());
}

TEST(EnginePlayer, StoppedSearchLeavesNothingBehind) {
  int checks = 0;
  bool stop = false;
  EnginePlayer player(ShippedData(), [&] { return stop && ++checks > 3; });
  EnginePlayer fresh(ShippedData(), [] { return false; });
  // The win-loss-draw solver re-encodes the Board while it runs; a middle-game
  // search and the one-ply choice use it as it stands.
  for (const auto& [discs, level] : {std::pair{50, 6}, std::pair{30, 6}}) {
    const SessionGame game = SetUpGame(RandomPosition(41, discs));
    stop = true;
    checks = 0;
    EXPECT_THROW(player.ChooseMove(game, level), SearchStopped) << discs;
    stop = false;
    EXPECT_EQ(player.ChooseMove(game, level).move.square, fresh.ChooseMove(game, level).move.square)
        << discs;
  }
}

TEST(EnginePlayer, MissingDataFolderIsReported) {
  EngineOptions options;
  options.dataFolder = "/nonexistent/kerna";
  EnginePlayer player(options, [] { return false; });
  EXPECT_FALSE(player.TablesLoaded());
  EXPECT_FALSE(player.BookLoaded());
  EXPECT_EQ(FindEngineDataFolder("/some/where", "/built"), "/some/where");
}

}  // namespace
}  // namespace kerna::nboard
