// The opening-book lookup: symmetry by the first move, prefix match, choice
// among matching lines, and that it never hands the computer an illegal move.
#include "ai/book_lookup.hpp"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <utility>

#include "ai/ai_test_support.hpp"
#include "data/opening_book.hpp"

namespace kerna {
namespace {

using Square = std::pair<int, int>;

Square SquareOf(std::string_view move) {
  return {move[0] - 'a' + 1, move[1] - '0'};
}

// The board symmetry that sends f5 to the given first move (each is its own inverse).
Square Reflect(char first_move, Square s) {
  auto [x, y] = s;
  switch (first_move) {
    case 'c':
      return {9 - x, 9 - y};  // c4
    case 'e':
      return {y, x};  // e6
    case 'd':
      return {9 - y, 9 - x};  // d3
    default:
      return {x, y};  // f5
  }
}

class BookLookupTest : public ::testing::Test {
 protected:
  // Lays the standard start (or another centre) on layer 0.
  void Start(const std::array<std::string_view, 8>& rows = kStandardStart) {
    test::SetLayer(g, 0, rows);
    b().GameRecord = {};
    b().SideToMove = kBlack;
  }

  // Plays moves on layer 0 with the pass rule and records them, as the turns do.
  void Play(std::string_view moves, char symmetry = 'f') {
    for (size_t i = 0; i + 1 < moves.size(); i += 2) {
      const auto [x, y] = Reflect(symmetry, SquareOf(moves.substr(i, 2)));
      b().Layer = 0;
      Aim(x, y);
      g.rules.TestLegal();
      if (b().LegalFlag == 0) {  // the side to move has no move: it passes
        b().SideToMove = b().OpponentTable[b().SideToMove];
        Aim(x, y);
        g.rules.TestLegal();
      }
      ASSERT_EQ(b().LegalFlag, 1) << "illegal test move " << moves.substr(i, 2);
      g.rules.MakeMove();
      g.rules.RecordMove();
      b().SideToMove = b().OpponentTable[b().SideToMove];
    }
  }

  // Prepares the board as the computer turn does and looks the book up.
  void LookUp() {
    b().Layer = 0;
    g.rules.CopyLayerToPosition();
    g.rules.CopyPositionToLayers();
    b().Layer = 1;
    g.bookLookup.LookUpBook();
  }

  void UseBook(std::string_view text) { ParseOpeningBook(text, g.book); }
  void Aim(int x, int y) {
    b().SquareX = static_cast<int16_t>(x);
    b().SquareY = static_cast<int16_t>(y);
  }
  Square Answer() const { return {g.board.SquareX, g.board.SquareY}; }
  BoardState& b() { return g.board; }

  static constexpr std::array<std::string_view, 8> kStandardStart = {
      "........", "........", "........", "...OX...",
      "...XO...", "........", "........", "........"};

  test::EngineWorld world;
  Game& g = world.g;
};

TEST_F(BookLookupTest, EveryLongerLineWithTheSamePrefixIsACandidate) {
  UseBook("f5d6c3\r\nf5f6e6\r\nf5d6c5f4\r\nf5d6\r\nf5d6c4\r\n");
  Start();
  Play("f5d6");
  LookUp();
  EXPECT_EQ(g.bookState.BookTransform, 1);
  ASSERT_EQ(g.bookState.BookCandidateCount, 3);
  EXPECT_EQ(g.bookState.BookCandidates[1], 1);
  EXPECT_EQ(g.bookState.BookCandidates[2], 3);
  EXPECT_EQ(g.bookState.BookCandidates[3], 5);
  EXPECT_EQ(g.ai.BookHit, 3);  // the longest line
  EXPECT_EQ(Answer(), SquareOf("c5"));
}

TEST_F(BookLookupTest, EachFirstMoveMapsTheGameOntoTheBookAndTheAnswerBack) {
  UseBook("f5d6c3d3c4f4\r\n");
  const std::map<char, uint8_t> transforms = {{'f', 1}, {'c', 2}, {'e', 3}, {'d', 4}};
  for (auto [first, transform] : transforms) {
    SCOPED_TRACE(std::string(1, first));
    Start();
    Play("f5d6", first);
    LookUp();
    EXPECT_EQ(g.bookState.BookTransform, transform);
    EXPECT_EQ(g.bookState.NormalisedMoves[1], 65);
    EXPECT_EQ(g.bookState.NormalisedMoves[2], 46);
    EXPECT_EQ(g.bookState.NormalisedMoves[3], 0);
    EXPECT_EQ(g.ai.BookHit, 1);
    EXPECT_EQ(Answer(), Reflect(first, SquareOf("c3")));

    Play("c3d3c4", first);
    LookUp();
    EXPECT_EQ(g.ai.BookHit, 1);
    EXPECT_EQ(Answer(), Reflect(first, SquareOf("f4")));
  }
}

TEST_F(BookLookupTest, AfterC4TheBookMoveF4IsPlayedAtC5) {
  UseBook("f5d6c3d3c4f4\r\n");
  Start();
  Play("c4e3f6e6f5");  // the line above, turned half round
  ASSERT_EQ(b().SideToMove, kWhite);
  LookUp();
  EXPECT_EQ(g.bookState.BookTransform, 2);
  EXPECT_EQ(g.ai.BookHit, 1);
  EXPECT_EQ(Answer(), SquareOf("c5"));
}

TEST_F(BookLookupTest, NoBookMoveBeforeTheSecondMoveOrPastTheBook) {
  UseBook("f5d6c3\r\nf5d6\r\n");
  Start();
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);  // nothing played yet
  Play("f5");
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);  // the reply to the first move never comes from the book
  Play("d6c3");
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);  // both lines end at or before the current move
  EXPECT_EQ(g.bookState.BookCandidateCount, 0);
}

TEST_F(BookLookupTest, LineEndingAtTheCurrentMoveIsNoCandidate) {
  UseBook("f5d6\r\nf5d6c3\r\n");
  Start();
  Play("f5d6");
  LookUp();
  ASSERT_EQ(g.bookState.BookCandidateCount, 1);
  EXPECT_EQ(g.ai.BookHit, 2);
}

TEST_F(BookLookupTest, EmptyBookNeverMatches) {
  UseBook("");
  Start();
  Play("f5d6");
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);
}

TEST_F(BookLookupTest, WithoutVarietyOrInHintModeTheLongestLowestLineAlwaysWins) {
  UseBook("f5d6c3d3\r\nf5d6c5f4e3\r\nf5d6c3d3c4\r\nf5f6e6f4e3c5c4\r\n");
  for (auto [varies, hint] : {std::pair{0, 0}, std::pair{1, 1}}) {
    g.settings.ThinkingVaries = static_cast<uint8_t>(varies);
    g.ai.VarietyAllowed =
        static_cast<uint8_t>(hint ? 0 : 1);  // as the computer turn sets it for a hint
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      g.random.Seed(seed);
      Start();
      Play("f5d6");
      LookUp();
      ASSERT_EQ(g.ai.BookHit, 2);
      EXPECT_EQ(Answer(), SquareOf("c5"));
    }
  }
}

TEST_F(BookLookupTest, WithVarietyEveryCandidateIsPlayedAboutEquallyOften) {
  UseBook("f5d6c3d3\r\nf5d6c5f4e3\r\nf5d6c4\r\nf5f6e6\r\n");
  g.settings.ThinkingVaries = 1;
  std::map<int, int> times;
  g.random.Seed(12345);
  for (int i = 0; i < 300; ++i) {
    Start();
    Play("f5d6");
    LookUp();
    ++times[g.ai.BookHit];
  }
  ASSERT_EQ(times.size(), 3u);
  for (int line : {1, 2, 3}) {
    EXPECT_GT(times[line], 60) << "line " << line;
  }
}

TEST_F(BookLookupTest, WithVarietyEachNextMoveIsEquallyLikelyHoweverManyLinesFollowIt) {
  // c3 has three lines, c5 one: the book explores c3 more, it does not prefer it.
  UseBook("f5d6c3d3c4\r\nf5d6c3d3c4f4\r\nf5d6c3f4\r\nf5d6c5f4e3\r\n");
  g.settings.ThinkingVaries = 1;
  std::map<Square, int> times;
  g.random.Seed(4321);
  for (int i = 0; i < 400; ++i) {
    Start();
    Play("f5d6");
    LookUp();
    ++times[Answer()];
    // Within a move the longest line is taken, as without variety.
    if (Answer() == SquareOf("c3")) {
      EXPECT_EQ(g.ai.BookHit, 2);
    }
  }
  ASSERT_EQ(times.size(), 2u);
  EXPECT_GT(times[SquareOf("c3")], 150);
  EXPECT_GT(times[SquareOf("c5")], 150);
}

TEST_F(BookLookupTest, IllegalBookMoveIsNeverPlayed) {
  // a1 is empty but flips nothing; f5 is taken; the last line's move is legal.
  UseBook("f5d6a1c3\r\nf5d6f5\r\nf5d6c5\r\n");
  Start();
  Play("f5d6");
  g.settings.ThinkingVaries = 0;
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);  // the longest line's move is illegal

  UseBook("f5d6f5\r\n");
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);

  UseBook("f5d6c5\r\n");
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 1);
  EXPECT_EQ(Answer(), SquareOf("c5"));
}

TEST_F(BookLookupTest, BookMoveForTheWrongSideIsNotPlayed) {
  // After f5 d6 black is to move; with white to move c3 does not flip anything.
  UseBook("f5d6c3\r\n");
  Start();
  Play("f5d6");
  b().SideToMove = kWhite;
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);
}

TEST_F(BookLookupTest, OtherFirstMoveAfterARandomCentreGivesNoBookMove) {
  UseBook("f4d3c3\r\nf5d6c3\r\n");
  Start({"........", "........", "........", "...XO...", "...OX...", "........", "........",
         "........"});
  Play("f4d3");
  LookUp();
  EXPECT_EQ(g.bookState.BookTransform, 0);
  EXPECT_EQ(g.ai.BookHit, 0);
}

TEST_F(BookLookupTest, SideToMoveAndMoveNumberAreLeftAsTheyWere) {
  UseBook("f5d6c3\r\n");
  Start();
  Play("f5d6");
  b().MoveNumber = 17;  // any value the caller holds
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 1);
  EXPECT_EQ(b().SideToMove, kBlack);
  EXPECT_EQ(b().MoveNumber, 17);

  Play("c3");
  b().MoveNumber = 5;
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);
  EXPECT_EQ(b().SideToMove, kWhite);
  EXPECT_EQ(b().MoveNumber, 5);
}

TEST_F(BookLookupTest, WholeGameLineAnswersUpToItsLastMoveAndStopsAtAFullBoard) {
  const std::string game =
      "f5f6e6f4g6f7g5h4h5h6e3c5c4e2g7c3b5a6b4a5f3d3d2e1c1g3b3d1c2c6d6b6c7d7e7a4f1f2g1g4b1g2h7h8h1"
      "g8f8b2a3a1a2e8h2h3c8d8b8a8a7b7";
  UseBook(game + "\r\n");
  Start();
  Play(std::string_view(game).substr(0, 118));
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 1);
  EXPECT_EQ(Answer(), SquareOf("b7"));
  Play("b7");
  LookUp();
  EXPECT_EQ(g.ai.BookHit, 0);
}

}  // namespace
}  // namespace kerna
