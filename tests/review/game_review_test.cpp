// The review of a game: every position valued in order and heard as it comes,
// the late positions' values as a full solve gives them, records that cannot be
// reviewed refused with the reason, and a review stopped half-way.
#include "review/game_review.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>

#include "nboard/nboard_test_support.hpp"
#include "review_test_support.hpp"
#include "support/sanitized.hpp"

namespace kerna::review {
namespace {

using nboard::Position;
using nboard::test::SolveMargin;

std::string ShippedFile(const std::string& name) {
  std::ifstream file(std::string(KERNA_ASSETS_DIR) + "/dat/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool ChecksPass(const GgfGame& record) {
  for (const GgfMove& move : record.moves) {
    if (move.square == kGgfPass) return true;
  }
  return false;
}

TEST(GameReview, ValuesEveryPositionAndTheLastOnesExactly) {
  if (::kerna::test::kSanitized)
    GTEST_SKIP() << "a whole game at level 6 takes minutes under the sanitizers";
  // A seed whose game has a pass, so that the pass is checked too.
  uint32_t seed = 1;
  GgfGame record = test::SeededGame(seed);
  while (!ChecksPass(record)) record = test::SeededGame(++seed);

  GameReviewer reviewer(KERNA_ASSETS_DIR, nullptr);
  ASSERT_TRUE(reviewer.TablesLoaded());
  std::vector<ReviewedMove> heard;
  const ReviewResult result =
      reviewer.Review(record, [&heard](const ReviewedMove& move) { heard.push_back(move); });
  ASSERT_EQ(result.end, ReviewEnd::kFinished) << result.error;
  ASSERT_EQ(result.moves.size(), record.moves.size());
  ASSERT_EQ(heard.size(), record.moves.size());

  Position p{record.board, true};
  int solved = 0;
  for (size_t k = 0; k < record.moves.size(); ++k) {
    const ReviewedMove& move = result.moves[k];
    SCOPED_TRACE("move " + std::to_string(k + 1));
    EXPECT_EQ(move.number, static_cast<int>(k + 1));
    EXPECT_EQ(heard[k].played, move.played);
    EXPECT_EQ(move.mover, p.Mover());
    EXPECT_EQ(move.played, record.moves[k].square);
    if (!move.IsPass()) {
      EXPECT_TRUE(nboard::LegalMoves(p) >> move.best & 1);
      EXPECT_GE(move.loss, 0.0);
      EXPECT_DOUBLE_EQ(move.loss, move.bestValue - move.playedValue);
      if (move.best == move.played) {
        EXPECT_EQ(move.loss, 0.0);
      }
      if (64 - nboard::DiscCount(p) <= 9) {
        Position after = p;
        nboard::Play(after, move.played);
        EXPECT_DOUBLE_EQ(move.bestValue, SolveMargin(p));
        EXPECT_DOUBLE_EQ(move.playedValue, -SolveMargin(after));
        ++solved;
      }
    }
    ASSERT_TRUE(nboard::Play(p, record.moves[k].square));
  }
  EXPECT_GE(solved, 5);
}

TEST(GameReview, RefusesIllegalMovesAndSetUpBoardsSayingWhy) {
  GameReviewer reviewer(KERNA_ASSETS_DIR, nullptr);
  GgfGame illegal = test::SeededGame(3, 4);
  illegal.moves.push_back({0, std::nullopt, std::nullopt});  // a1 on the fifth move
  ReviewResult result = reviewer.Review(illegal);
  EXPECT_EQ(result.end, ReviewEnd::kRejected);
  EXPECT_EQ(result.error, "move 5 (a1) is not legal");
  EXPECT_TRUE(result.moves.empty());

  GgfGame needless_pass = test::SeededGame(3, 2);
  needless_pass.moves.push_back({kGgfPass, std::nullopt, std::nullopt});
  EXPECT_EQ(reviewer.Review(needless_pass).error, "move 3 (PA) is not legal");

  GgfGame set_up = test::SeededGame(3, 0);
  set_up.board[0] = kGgfBlack;
  result = reviewer.Review(set_up);
  EXPECT_EQ(result.end, ReviewEnd::kRejected);
  EXPECT_NE(result.error.find("set-up board"), std::string::npos) << result.error;
}

TEST(GameReview, StopsBetweenPositionsAndInsideASearch) {
  const GgfGame record = test::SeededGame(5);
  bool stop = false;
  GameReviewer between(KERNA_ASSETS_DIR, [&stop] { return stop; });
  ReviewResult result = between.Review(record, [&stop](const ReviewedMove& move) {
    if (move.number == 3) stop = true;
  });
  EXPECT_EQ(result.end, ReviewEnd::kStopped);
  EXPECT_EQ(result.moves.size(), 3u);

  // The opening's book moves take no search: asked once before each of them
  // and before the first searched position; every later question comes from
  // inside that search, which must end at the first yes.
  const BookValues book(ShippedFile("zyouseki.txt"), ShippedFile("zyouseki-values.txt"));
  BookWalk walk(book);
  int book_moves = 0;
  while (walk.ValueOf(record.moves[book_moves].square))
    walk.Play(record.moves[book_moves++].square);
  std::atomic<int> questions = 0;
  GameReviewer inside(KERNA_ASSETS_DIR,
                      [&questions, book_moves] { return ++questions > book_moves + 2; });
  result = inside.Review(record);
  EXPECT_EQ(result.end, ReviewEnd::kStopped);
  EXPECT_EQ(static_cast<int>(result.moves.size()), book_moves);
  EXPECT_EQ(questions, book_moves + 3);
}

}  // namespace
}  // namespace kerna::review
