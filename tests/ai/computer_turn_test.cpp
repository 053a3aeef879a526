// The computer turn: which method runs by level and moves played, the pause
// and the missing look-ahead line for a single candidate, the one-ply choice
// with its ties and variety rule, hint mode, the pass, the book move, and the
// texts on the message rows. Every move played is checked against a bitboard.
#include <map>
#include <set>

#include "ai/computer_turn.hpp"
#include "computer_turn_support.hpp"

namespace kerna::test {
namespace {

class ComputerTurnTest : public ::testing::Test {
 protected:
  TurnWorld world;
  Game& g = world.g;
  BoardState& b = g.board;
  TurnWatcher watcher{world};
  Grid before{};
  int64_t slept = 0;

  ComputerTurnTest() { g.searchState.Observer = &watcher; }

  void Arrange(const RandomPosition& p) {
    SetUpTurn(g, p, p.to_move);
    before = b.Position;
  }

  void Turn(int level) {
    g.ai.Level = static_cast<int16_t>(level);
    watcher.Reset();
    const int64_t start = world.io.Clock();
    g.computer.ComputerTurn();
    slept = world.io.Clock() - start;
  }

  ::testing::AssertionResult PlayedLegally() {
    return IsLegalMove(before, b.Position, b.ComputerSide, b.SquareX, b.SquareY);
  }

  // The exact final margin, for the side to move, after each of its moves.
  std::vector<RootMoveValue> Margins() const {
    const Bits bits = BitsOf(before);
    return b.ComputerSide == kBlack ? SolveRootMoves(bits.black, bits.white)
                                    : SolveRootMoves(bits.white, bits.black);
  }
  int BestMargin() const {
    int best = -100;
    for (const RootMoveValue& m : Margins()) best = std::max(best, m.margin);
    return best;
  }
  int MarginOfPlayed() const {
    for (const RootMoveValue& m : Margins())
      if (m.x == b.SquareX && m.y == b.SquareY) return m.margin;
    return -1000;
  }

  // Writes `text` over the message rows 20..24, to see what a turn prints there.
  void FillMessageRows(std::string_view text) {
    for (int row = 20; row <= 24; ++row) {
      world.io.MoveCursor(56, row);
      world.io.Print(text);
    }
  }
};

int Sign(int v) {
  return (v > 0) - (v < 0);
}

// --- Method by level and moves played ---

struct MethodCase {
  int level, played;
  TurnMethod method;
};

class TurnMethodTest : public ComputerTurnTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(TurnMethodTest, TheMethodForLevelAndMovesPlayedRunsAndPlaysItsBestMove) {
  const MethodCase c = GetParam();
  if (kSanitized && c.level >= 5) GTEST_SKIP() << "deep searches are slow under the sanitizers";
  Arrange(FindPosition(100 + c.played, c.played, 2, 64));
  Turn(c.level);
  ASSERT_TRUE(PlayedLegally());
  EXPECT_EQ(slept, 0);
  const int value = g.ai.ShownValue;
  switch (c.method) {
    case TurnMethod::kMiddleGame:
      EXPECT_EQ(watcher.rows_at_progress[0], "考えています。");
      EXPECT_EQ(g.ai.LookAheadDepth, c.level == 4 ? 3 : c.level == 5 ? 6 : 7);
      break;
    case TurnMethod::kWinLossDraw:
      EXPECT_EQ(watcher.rows_at_progress[0], "");
      EXPECT_EQ(watcher.rows_at_progress[1], "考えています。");
      EXPECT_EQ(g.ai.LookAheadDepth, 4);
      EXPECT_TRUE(value == 9000 || value == -9000 || value == 0) << value;
      // A win, a draw or a loss, as perfect play decides it; the move keeps it.
      // (The reference solver is too slow beyond a dozen empty squares.)
      if (c.played >= 48) {
        EXPECT_EQ(value, 9000 * Sign(BestMargin()));
        EXPECT_EQ(Sign(MarginOfPlayed()), Sign(BestMargin()));
      }
      break;
    case TurnMethod::kExact: {
      EXPECT_EQ(watcher.rows_at_progress[1], "考えています。");
      EXPECT_EQ(g.ai.LookAheadDepth, 2);
      const int best = BestMargin();
      EXPECT_EQ(value, best > 0 ? 9000 + best : best < 0 ? -9000 + best : 0);
      EXPECT_EQ(MarginOfPlayed(), best);
      break;
    }
    case TurnMethod::kOnePly:
      break;
  }
  EXPECT_EQ(watcher.deep_passes, c.method == TurnMethod::kMiddleGame && c.level >= 5 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TurnMethodTest,
    ::testing::Values(
        MethodCase{4, 50, TurnMethod::kMiddleGame}, MethodCase{4, 51, TurnMethod::kWinLossDraw},
        MethodCase{4, 53, TurnMethod::kWinLossDraw}, MethodCase{4, 54, TurnMethod::kExact},
        MethodCase{4, 58, TurnMethod::kExact}, MethodCase{5, 44, TurnMethod::kMiddleGame},
        MethodCase{5, 45, TurnMethod::kWinLossDraw}, MethodCase{5, 51, TurnMethod::kExact},
        MethodCase{6, 43, TurnMethod::kMiddleGame}, MethodCase{6, 44, TurnMethod::kWinLossDraw},
        MethodCase{6, 47, TurnMethod::kWinLossDraw}, MethodCase{6, 48, TurnMethod::kExact}));

TEST_F(ComputerTurnTest, SelfPlayAtLevelSixNeverSolvesAndLooksSevenPliesAhead) {
  if (kSanitized) GTEST_SKIP() << "deep searches are slow under the sanitizers";
  g.settings.SelfPlayMode = 1;
  // Few candidates: outside self-play the deep pass would go to depth 8.
  for (int played : {40, 46, 50}) {
    Arrange(FindPosition(7 + played, played, 2, 5));
    Turn(6);
    ASSERT_TRUE(PlayedLegally());
    EXPECT_EQ(watcher.rows_at_progress[0], "考えています。");
    EXPECT_EQ(watcher.deep_passes, 1);
    EXPECT_EQ(watcher.deep_depth, 7);
    EXPECT_EQ(watcher.rows_at_deep_pass[1], "7 手先読み");
  }
  g.settings.SelfPlayMode = 0;
  Arrange(FindPosition(47, 40, 2, 5));
  Turn(6);
  EXPECT_EQ(watcher.rows_at_deep_pass[1], "8 手先読み");
}

TEST_F(ComputerTurnTest, LevelSixShowsTheMovesCutBesideTheLookAhead) {
  if (kSanitized) GTEST_SKIP() << "deep searches are slow under the sanitizers";
  bool seen_cut = false;
  for (uint64_t seed = 1; seed <= 8 && !seen_cut; ++seed) {
    Arrange(FindPosition(seed, 16, 9, 64));
    Turn(6);
    ASSERT_TRUE(PlayedLegally());
    if (g.ai.MovesCut <= 0) continue;
    seen_cut = true;
    const int cut = static_cast<int>(g.ai.MovesCut);
    EXPECT_EQ(watcher.rows_at_deep_pass[2],
              std::to_string(b.LegalMoveCount) + " →( " + std::to_string(cut) + " 手カット)");
  }
  EXPECT_TRUE(seen_cut);
}

// --- Single candidate ---

TEST_F(ComputerTurnTest, ASingleLegalMoveIsPlayedAfter200MsWithoutLookAhead) {
  struct Case {
    int level, played;
  };
  // The middle game at every searching level, and both solvers' stages at level 4.
  for (Case c : {Case{2, 30}, Case{3, 30}, Case{4, 30}, Case{5, 30}, Case{6, 30}, Case{4, 52},
                 Case{4, 55}}) {
    SCOPED_TRACE("level " + std::to_string(c.level) + ", " + std::to_string(c.played) + " played");
    Arrange(FindPosition(c.played, c.played, 1, 1));
    FillMessageRows("");
    Turn(c.level);
    ASSERT_TRUE(PlayedLegally());
    EXPECT_EQ(slept, 200);
    EXPECT_EQ(watcher.progress_reports, 0) << "searched a single candidate";
    EXPECT_EQ(watcher.deep_passes, 0);
    EXPECT_FALSE(world.io.HasText("手先読み"));
    EXPECT_EQ(g.searchState.SAKI[1][1], 0);
    EXPECT_EQ(g.ai.ShownValue, 0);
    EXPECT_EQ(b.GameRecord[c.played + 1], b.ComputerSide * 100 + 10 * b.SquareX + b.SquareY);
  }
}

// --- One-ply choice (levels 0 and 1) ---

// Placement values alike on all eight symmetric images of a square.
void SymmetricPlacement(Game& g) {
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) {
      const int a = std::min(x, 9 - x), c = std::min(y, 9 - y);
      for (int s = 0; s <= 4; ++s)
        g.placementTables.SquareClass[x][y][s] = static_cast<int16_t>(a * c + a + c + s);
    }
}

// The four first moves for black are images of each other under the diagonal
// mirrors, so at level 0 they tie: c4, the first in column order, is played.
TEST_F(ComputerTurnTest, LevelZeroTiesKeepTheEarlierCandidateWithoutVariety) {
  SymmetricPlacement(g);
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    g.random.Seed(seed);
    b.Position = b.StartPosition;
    b.ComputerSide = b.SideToMove = kBlack;
    b.HumanSide = kWhite;
    before = b.Position;
    Turn(0);
    ASSERT_TRUE(PlayedLegally());
    EXPECT_EQ(b.SquareX * 10 + b.SquareY, 34);
    EXPECT_EQ(g.ai.SecondBestFlag, 0);
    EXPECT_EQ(g.onePly.CandidateCount, 4);
    EXPECT_EQ(b.GameRecord[1], 234);
    EXPECT_EQ(slept, 0);
  }
}

// The variety rule plays the second candidate (d3, the next in column order)
// about half the time when it is within 5 of the best, never when it is not.
TEST_F(ComputerTurnTest, VarietyTakesTheSecondOnlyWhenItIsCloseAndAllowed) {
  g.settings.ThinkingVaries = 1;
  for (int bonus : {0, 4, 5, 10}) {
    SymmetricPlacement(g);
    g.placementTables.SquareClass[3][4][4] += static_cast<int16_t>(bonus);  // c4 only
    std::set<int> played;
    std::map<int, int> shown;  // the value shown with each square
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      g.random.Seed(seed);
      g.ai.SecondBestFlag = 0;
      b.Position = b.StartPosition;
      b.ComputerSide = b.SideToMove = kBlack;
      b.HumanSide = kWhite;
      Turn(0);
      const int square = b.SquareX * 10 + b.SquareY;
      played.insert(square);
      EXPECT_EQ(g.ai.SecondBestFlag, square == 43 ? 1 : 0);
      shown[square] = g.ai.ShownValue;
    }
    const std::set<int> expected = bonus < 5 ? std::set<int>{34, 43} : std::set<int>{34};
    EXPECT_EQ(played, expected) << "bonus " << bonus;
    if (shown.count(43)) {
      EXPECT_EQ(shown[34] - shown[43], bonus) << "the second shows its own value";
    }
  }
}

// Level 0 against a reference of its values: placement (stage 4) of the
// computer's discs less the human's, each less what an occupied corner takes
// back from its neighbours (at the game's stage); the first best is played.
TEST_F(ComputerTurnTest, LevelZeroPlaysTheFirstBestByPlacementAndCornerCorrection) {
  auto place = [&](int x, int y, int s) { return g.placementTables.SquareClass[x][y][s]; };
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    const RandomPosition p = FindPosition(seed, 8 + static_cast<int>(seed), 2, 64);
    Arrange(p);
    const int me = b.ComputerSide, stage = g.ai.GameStage;
    int best = -100000, best_square = 0;
    const Bits bits = BitsOf(before);
    const uint64_t own = me == kBlack ? bits.black : bits.white;
    const uint64_t other = me == kBlack ? bits.white : bits.black;
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) {
        const uint64_t move = 1ull << BitOf(x, y);
        if (!(LegalMoves(own, other) & move)) continue;
        const uint64_t flips = Flips(own, other, move);
        const uint64_t mine = own | flips | move, theirs = other & ~flips;
        int value = 0;
        for (int u = 1; u <= 8; ++u)
          for (int v = 1; v <= 8; ++v) {
            if (mine >> BitOf(u, v) & 1) value += place(u, v, 4);
            if (theirs >> BitOf(u, v) & 1) value -= place(u, v, 4);
          }
        for (auto [cx, cy, dx, dy] : {std::array{1, 1, 1, 1}, std::array{8, 1, -1, 1},
                                      std::array{1, 8, 1, -1}, std::array{8, 8, -1, -1}}) {
          if (!((mine | theirs) >> BitOf(cx, cy) & 1)) continue;
          for (auto [nx, ny] :
               {std::pair{cx + dx, cy}, std::pair{cx + dx, cy + dy}, std::pair{cx, cy + dy}}) {
            if (mine >> BitOf(nx, ny) & 1) value -= place(nx, ny, stage);
            if (theirs >> BitOf(nx, ny) & 1) value += place(nx, ny, stage);
          }
        }
        if (value > best) best = value, best_square = 10 * x + y;
      }
    Turn(0);
    ASSERT_TRUE(PlayedLegally());
    EXPECT_EQ(b.SquareX * 10 + b.SquareY, best_square) << "seed " << seed;
    EXPECT_EQ(g.ai.ShownValue, best);
  }
}

TEST_F(ComputerTurnTest, LevelOneAddsMobilityEdgesAndDiagonalsAndPlaysTheFirstBest) {
  for (uint64_t seed = 1; seed <= 30; ++seed) {
    Arrange(FindPosition(seed, 10 + static_cast<int>(seed), 2, 64));
    Turn(1);
    ASSERT_TRUE(PlayedLegally());
    const OnePlyState& p = g.onePly;
    ASSERT_GE(p.CandidateCount, 2);
    // Each candidate's mobility for both sides, from the bitboard.
    const Bits bits = BitsOf(before);
    const int me = b.ComputerSide;
    const uint64_t own = me == kBlack ? bits.black : bits.white;
    const uint64_t other = me == kBlack ? bits.white : bits.black;
    int k = 0;
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) {
        const uint64_t move = 1ull << BitOf(x, y);
        if (!(LegalMoves(own, other) & move)) continue;
        ++k;
        const uint64_t flips = Flips(own, other, move);
        EXPECT_EQ(p.ReplyMobility[k][0],
                  std::popcount(LegalMoves(own | flips | move, other & ~flips)));
        EXPECT_EQ(p.ReplyMobility[k][1],
                  std::popcount(LegalMoves(other & ~flips, own | flips | move)));
      }
    EXPECT_EQ(k, p.CandidateCount);
    int first_best = 1;
    for (int c = 2; c <= p.CandidateCount; ++c)
      if (p.CandidateValue[c] > p.CandidateValue[first_best]) first_best = c;
    EXPECT_EQ(b.SquareX, b.PlyMoveX[first_best]);
    EXPECT_EQ(b.SquareY, b.PlyMoveY[first_best]);
    EXPECT_EQ(world.Row(22), "") << "one-ply turns leave no message";
  }
}

// --- Hint mode ---

TEST_F(ComputerTurnTest, HintModeProposesWithoutPrintingPlayingOrRecording) {
  g.ai.HintMode = 1;
  struct Case {
    int played, min_moves, max_moves;
  };
  // Middle game, a single candidate (searched all the same), the exact solver's stage.
  for (Case c : {Case{20, 2, 64}, Case{24, 1, 1}, Case{50, 2, 64}}) {
    if (kSanitized && c.played != 50) continue;
    SCOPED_TRACE(std::to_string(c.played) + " played");
    Arrange(FindPosition(c.played * 3, c.played, c.min_moves, c.max_moves));
    b.GameRecord[1] = 265;
    const auto record = b.GameRecord;
    FillMessageRows("xxxxxxxxxxxxxxxxxxxxxx");
    const auto text_before = world.io.text().version();
    Turn(6);
    EXPECT_EQ(world.io.text().version(), text_before) << "hint mode printed";
    EXPECT_EQ(b.Position, before);
    EXPECT_EQ(b.GameRecord, record);
    EXPECT_EQ(slept, 0);
    EXPECT_EQ(g.ai.BookHit, 0);
    // The proposal is a legal move (played here on a copy to check it).
    Grid after = before;
    const Bits bits = BitsOf(before);
    const uint64_t own = b.ComputerSide == kBlack ? bits.black : bits.white;
    const uint64_t other = b.ComputerSide == kBlack ? bits.white : bits.black;
    const uint64_t move = 1ull << BitOf(b.SquareX, b.SquareY);
    ASSERT_TRUE(LegalMoves(own, other) & move);
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y)
        if ((Flips(own, other, move) | move) >> BitOf(x, y) & 1) after[x][y] = b.ComputerSide;
    EXPECT_TRUE(IsLegalMove(before, after, b.ComputerSide, b.SquareX, b.SquareY));
    if (c.played == 50) {
      const int best = BestMargin();
      EXPECT_EQ(g.ai.ShownValue, best > 0 ? 9000 + best : best < 0 ? -9000 + best : 0);
      EXPECT_EQ(MarginOfPlayed(), best);
    }
  }
}

// --- Pass, full board ---

TEST_F(ComputerTurnTest, APassSpeaksEventFiftyWithFaceZeroAndChangesNothing) {
  g.hostess.LoadSpeech();
  g.ai.Level = 3;
  TestRandom rng(3);
  RandomPosition p;
  // A position whose side to move has moves and whose other side has none.
  bool found = false;
  for (int tries = 0; tries < 100000 && !found; ++tries) {
    if (!MakeRandomPosition(rng, 8 + rng.Below(20), p)) continue;
    found = LegalMoves(OtherBits(p), OwnBits(p)) == 0;
  }
  ASSERT_TRUE(found);
  SetUpTurn(g, p, 3 - p.to_move);
  before = b.Position;
  g.hostessState.FaceNumber = 3;
  Turn(3);
  EXPECT_EQ(b.LegalMoveCount, 0);
  EXPECT_EQ(g.hostessState.FaceNumber, 0);
  EXPECT_EQ(g.hostessState.PreviousSpeechEvent, speech_event::kPass);
  std::string line;
  for (int i = 0; i < 20 && g.hostessState.SpeechTable[3][50][i] != 0; ++i)
    line += static_cast<char>(g.hostessState.SpeechTable[3][50][i]);
  EXPECT_FALSE(line.empty());
  EXPECT_EQ(world.Row(6).substr(0, platform::FromCp932(line).size()), platform::FromCp932(line));
  EXPECT_EQ(world.Row(22), "") << "no turn message on a pass";
  EXPECT_EQ(b.Position, before);
  EXPECT_EQ(b.GameRecord[1], 0);
  EXPECT_EQ(slept, 0);
}

TEST_F(ComputerTurnTest, AFullBoardReturnsAtOnce) {
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) b.Position[x][y] = (x + y) % 3 == 0 ? kWhite : kBlack;
  before = b.Position;
  b.ComputerSide = b.SideToMove = kWhite;
  b.HumanSide = kBlack;
  const auto text_before = world.io.text().version();
  Turn(6);
  EXPECT_EQ(b.Position, before);
  EXPECT_EQ(world.io.text().version(), text_before);
  EXPECT_EQ(g.hostessState.PreviousSpeechEvent, 0);
}

// --- The opening book ---

TEST_F(ComputerTurnTest, ABookMoveShowsTheTurnWaits200MsAndIsPlayedWithValueZero) {
  ASSERT_GT(g.book.LineCount, 1) << "the shipped book is missing";
  // f5 (black), d6 (white): the computer plays black's third move.
  auto play = [&](int x, int y, int side, int n) {
    b.Layer = 0;
    b.SquareX = static_cast<int16_t>(x);
    b.SquareY = static_cast<int16_t>(y);
    b.SideToMove = static_cast<int16_t>(side);
    g.rules.MakeMoveFast();
    b.GameRecord[n] = static_cast<float>(side * 100 + 10 * x + y);
  };
  auto start = [&] {
    b.GameRecord.fill(0);
    b.Position = b.StartPosition;
    g.rules.CopyPositionToLayers();
    play(6, 5, kBlack, 1);
    play(4, 6, kWhite, 2);
    g.rules.CopyLayerToPosition();
    before = b.Position;
    b.ComputerSide = b.SideToMove = kBlack;
    b.HumanSide = kWhite;
  };
  std::string turn_row;
  world.io.When([] { return true; }, [&] { turn_row = world.Row(22); });
  g.searchState.SAKI[1][1] = 123;  // an older search's value must not show
  start();
  Turn(4);
  EXPECT_GE(g.ai.BookHit, 1);
  EXPECT_EQ(slept, 200);
  EXPECT_EQ(turn_row, "私の（黒）の番") << "the turn message stands while the turn waits";
  ASSERT_TRUE(PlayedLegally());
  EXPECT_EQ(b.GameRecord[3], 200 + 10 * b.SquareX + b.SquareY);
  EXPECT_EQ(g.ai.ShownValue, 0);
  EXPECT_EQ(watcher.progress_reports, 0);
  for (int row = 20; row <= 23; ++row) EXPECT_EQ(world.Row(row), "") << row;

  // In hint mode the book's square comes back at once; below level 4 there is no book.
  g.ai.HintMode = 1;
  start();
  Turn(6);
  EXPECT_GE(g.ai.BookHit, 1);
  EXPECT_EQ(slept, 0);
  EXPECT_EQ(b.Position, before);
  g.ai.HintMode = 0;
  start();
  Turn(3);
  EXPECT_EQ(g.ai.BookHit, 0);
  EXPECT_GT(watcher.progress_reports, 0);
  ASSERT_TRUE(PlayedLegally());
}

}  // namespace
}  // namespace kerna::test

namespace kerna::test {
namespace {

// Black to move: the corner h1 (about -49) or the X-square g2 (about -83).
// The variety rule may give away a little, never a corner for a thrown game.
TEST(ComputerTurnVariety, LevelsFiveAndSixNeverThrowTheCornerForTheXSquare) {
  const std::string_view moves = "f5d6c3d3c6f6e3f4f3e2f1f2f7d2e6g5h5e1d1g3h3c4c5c1b1c2b3h2g4h4";
  const int seeds = kSanitized ? 3 : 16;
  for (int level : {5, 6}) {
    for (int seed = 1; seed <= seeds; ++seed) {
      TurnWorld world;
      Game& g = world.g;
      BoardState& b = g.board;
      b.Position = b.StartPosition;
      b.SideToMove = kBlack;
      g.rules.CopyPositionToLayers();
      for (size_t i = 0; i + 1 < moves.size(); i += 2) {
        b.Layer = 0;
        g.rules.CountLegalMoves();
        if (b.LegalMoveCount == 0) b.SideToMove = static_cast<int16_t>(3 - b.SideToMove);
        b.SquareX = static_cast<int16_t>(moves[i] - 'a' + 1);
        b.SquareY = static_cast<int16_t>(moves[i + 1] - '0');
        g.rules.TestLegal();
        ASSERT_EQ(b.LegalFlag, 1) << moves.substr(i, 2);
        g.rules.MakeMove();
        b.SideToMove = static_cast<int16_t>(3 - b.SideToMove);
      }
      g.rules.CopyLayerToPosition();
      ASSERT_EQ(b.SideToMove, kBlack);
      b.ComputerSide = kBlack;
      b.HumanSide = kWhite;
      b.MovesPlayed = static_cast<int16_t>(moves.size() / 2);
      g.ai.GameStage = 1;
      g.ai.Level = static_cast<int16_t>(level);
      g.settings.ThinkingVaries = 1;
      g.random.Seed(static_cast<uint32_t>(seed));
      g.computer.ComputerTurn();
      EXPECT_FALSE(b.LastMoveX == 7 && b.LastMoveY == 2) << "level " << level << " seed " << seed;
      if (g.ai.SecondBestFlag == 1) {
        // The value shown is the played move's own, not the best's.
        EXPECT_EQ(g.ai.ShownValue, -g.ai.RootMoveScore[2]);
      }
    }
  }
}

}  // namespace
}  // namespace kerna::test
