// Whole games on the headless platform with the shipped tables and book: the
// computer plays both sides at each level, from the start position to the end,
// as the game loop runs it (sides swapped after every turn, passes counted).
// Every move must be legal, the record must replay to the final board, and
// the thinking texts must stand on their rows.
#include <chrono>
#include <cstdio>

#include "ai/computer_turn.hpp"
#include "computer_turn_support.hpp"

namespace kerna::test {
namespace {

int DiscCount(const Grid& position) {
  int discs = 0;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) discs += position[x][y] == kBlack || position[x][y] == kWhite;
  return discs;
}

// Replays the record from the start position with the board rules on layer 0;
// every entry must be a legal move there.
::testing::AssertionResult RecordReplaysTo(Game& g, const Grid& final_position) {
  BoardState& b = g.board;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) b.cell[x][y][0] = b.StartPosition[x][y];
  for (int n = 1; n <= kRecordSize; ++n) {
    const int entry = static_cast<int>(b.GameRecord[n]);
    if (entry == 0) break;
    b.Layer = 0;
    b.SideToMove = static_cast<int16_t>(entry / 100);
    b.SquareX = static_cast<int16_t>(entry / 10 % 10);
    b.SquareY = static_cast<int16_t>(entry % 10);
    g.rules.TestLegal();
    if (b.LegalFlag != 1) return ::testing::AssertionFailure() << "entry " << n << " is illegal";
    g.rules.MakeMoveFast();
  }
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      if (b.cell[x][y][0] != final_position[x][y])
        return ::testing::AssertionFailure() << "the replay differs at (" << x << ", " << y << ")";
  return ::testing::AssertionSuccess();
}

class WholeGameTest : public ::testing::TestWithParam<int> {};

TEST_P(WholeGameTest, ComputerPlaysBothSidesLegallyWithItsThinkingTexts) {
  const int level = GetParam();
  if (kSanitized && level >= 5) GTEST_SKIP() << "levels 5 and 6 take minutes under the sanitizers";
  TurnWorld world;
  Game& g = world.g;
  BoardState& b = g.board;
  TurnWatcher watcher(world);
  g.searchState.Observer = &watcher;
  g.ai.Level = static_cast<int16_t>(level);
  g.settings.ThinkingVaries = 1;  // the variety rule's branches are played too
  b.Position = b.StartPosition;
  b.GameRecord.fill(0);
  g.ai.GameStage = 0;

  int side = kBlack, passes = 0, moves = 0, book_moves = 0, searched = 0;
  double longest_ms = 0;
  while (passes < 2) {
    ASSERT_LT(moves + passes, 130) << "the game does not end";
    b.ComputerSide = static_cast<int16_t>(side);
    b.HumanSide = static_cast<int16_t>(3 - side);
    b.SideToMove = static_cast<int16_t>(side);
    g.ai.SecondBestFlag = 0;
    g.rules.CopyPositionToLayers();
    g.rules.SavePreviousPosition();
    watcher.Reset();
    const Grid before = b.Position;
    const int played = DiscCount(before) - 4;
    const int64_t clock_before = world.io.Clock();
    const auto started = std::chrono::steady_clock::now();

    g.computer.ComputerTurn();

    longest_ms = std::max(longest_ms, std::chrono::duration<double, std::milli>(
                                          std::chrono::steady_clock::now() - started)
                                          .count());
    const int64_t slept = world.io.Clock() - clock_before;
    if (played == 60) {
      EXPECT_EQ(b.Position, before);
      EXPECT_EQ(slept, 0);
      break;
    }
    const Bits bits = BitsOf(before);
    const uint64_t own = side == kBlack ? bits.black : bits.white;
    const uint64_t other = side == kBlack ? bits.white : bits.black;
    if (b.LegalMoveCount == 0) {
      ++passes;
      EXPECT_EQ(LegalMoves(own, other), 0u) << "passed with a legal move";
      EXPECT_EQ(b.Position, before);
      EXPECT_EQ(g.hostessState.FaceNumber, 0);
      EXPECT_EQ(g.hostessState.PreviousSpeechEvent, speech_event::kPass);
    } else {
      passes = 0;
      ++moves;
      SCOPED_TRACE("move " + std::to_string(played + 1) + " level " + std::to_string(level));
      ASSERT_TRUE(IsLegalMove(before, b.Position, side, b.SquareX, b.SquareY));
      EXPECT_EQ(b.LastMoveX, b.SquareX);
      EXPECT_EQ(b.LastMoveY, b.SquareY);
      EXPECT_EQ(b.GameRecord[played + 1], side * 100 + 10 * b.SquareX + b.SquareY);
      EXPECT_EQ(b.LegalMoveCount, std::popcount(LegalMoves(own, other)));

      const TurnMethod method = ChooseTurnMethod(level, played, false);
      const bool book = g.ai.BookHit >= 1;
      const bool single = level >= 2 && !book && g.ai.RootCount == 1;
      book_moves += book;
      if (book) {
        EXPECT_EQ(g.ai.ShownValue, 0);
      }
      // Book moves and single candidates wait 200 ms; nothing else sleeps.
      EXPECT_EQ(slept, book || single ? 200 : 0);
      if (method == TurnMethod::kOnePly || book || single) {
        EXPECT_EQ(watcher.progress_reports, 0);
        EXPECT_EQ(watcher.deep_passes, 0);
      } else if (method == TurnMethod::kMiddleGame) {
        ++searched;
        EXPECT_EQ(watcher.rows_at_progress[0], "考えています。");
        if (level >= 5) {
          ASSERT_EQ(watcher.deep_passes, 1);
          const int depth = static_cast<int>(watcher.deep_depth);
          EXPECT_TRUE(level == 5 ? depth == 6 : depth == 7 || depth == 8) << depth;
          EXPECT_EQ(watcher.rows_at_deep_pass[1], std::to_string(depth) + " 手先読み");
          if (g.ai.MovesCut > 0) {
            EXPECT_EQ(watcher.rows_at_deep_pass[2],
                      std::to_string(b.LegalMoveCount) + " →( " +
                          std::to_string(static_cast<int>(g.ai.MovesCut)) + " 手カット)");
          } else {
            EXPECT_EQ(watcher.rows_at_deep_pass[2], "");
          }
        } else {
          EXPECT_EQ(watcher.deep_passes, 0);
        }
      } else {
        ++searched;
        EXPECT_EQ(watcher.rows_at_progress[0], "");
        EXPECT_EQ(watcher.rows_at_progress[1], "考えています。");
        EXPECT_EQ(watcher.deep_passes, 0);
        const int v = g.ai.ShownValue;
        if (method == TurnMethod::kWinLossDraw)
          EXPECT_TRUE(v == 9000 || v == -9000 || v == 0) << v;
        else
          EXPECT_TRUE(v == 0 || std::abs(v) > 9000) << v;
      }
      // What stays after the move: nothing but a solver's openness line.
      // (the exact solver plays even its single candidate as a solved move).
      const bool solved = !book && (method == TurnMethod::kExact ||
                                    (method == TurnMethod::kWinLossDraw && !single));
      EXPECT_EQ(world.Row(20), "");
      EXPECT_EQ(world.Row(21), "");
      if (solved)
        EXPECT_EQ(world.Row(22), "開放度 " + std::to_string(b.OpennessSum));
      else
        EXPECT_EQ(world.Row(22), "");
      EXPECT_EQ(world.Row(23), "");
    }
    const int after = DiscCount(b.Position) - 4;
    g.ai.GameStage = static_cast<int16_t>(after > 44 ? 3 : after > 35 ? 2 : after > 25 ? 1 : 0);
    side = 3 - side;
  }

  const int discs = DiscCount(b.Position);
  EXPECT_EQ(moves, discs - 4);
  EXPECT_TRUE(RecordReplaysTo(g, b.Position));
  if (level >= 4 && g.book.LineCount > 1) {
    EXPECT_GE(book_moves, 1) << "the shipped book opens every game";
  }
  if (level >= 2) {
    EXPECT_GT(searched, 0);
  }
  std::printf("level %d: %d moves, %d passes at the end, %d book moves, longest turn %.0f ms\n",
              level, moves, passes, book_moves, longest_ms);
}

INSTANTIATE_TEST_SUITE_P(Levels, WholeGameTest, ::testing::Range(0, 7));

}  // namespace
}  // namespace kerna::test
