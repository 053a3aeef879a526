// The book's values as the review reads them: a game in any of the four
// orientations follows the book's lines, a move off the book ends the book
// for the rest of the game, and a book line with an unusable line of values
// is left out rather than misread. The reviewer then takes a book move's
// value from the book and searches the moves after it.
#include "review/book_values.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>

#include "nboard/nboard_board.hpp"
#include "review/game_review.hpp"

namespace kerna::review {
namespace {

int Square(std::string_view name) {
  return *ParseGgfSquare(name);
}

// Four lines after f5 d6: c3 (the best), c5 (within the margin), e3 (a weak
// move, then f4); and a line whose values are one short.
constexpr std::string_view kBook = "f5d6c3\r\nf5d6c5\r\nf5d6e3f4\r\nf5f6e6\r\n";
constexpr std::string_view kValues = "1 +0.0 -0.0 +1.5\r\n3 -1.0\r\n3 -2.0 +2.0\r\n2 +0.5\r\n";

TEST(BookValues, FollowsTheGameInEveryOrientationAndKnowsOnlyItsGoodMoves) {
  const BookValues book(kBook, kValues);
  // c4 e3 f6 is f5 d6 c3 turned half round.
  BookWalk walk(book);
  for (const auto& [move, value] : std::initializer_list<std::pair<const char*, double>>{
           {"c4", 0.0}, {"e3", 0.0}, {"f6", 1.5}}) {
    ASSERT_EQ(walk.ValueOf(Square(move)), value) << move;
    walk.Play(Square(move));
  }
  EXPECT_FALSE(walk.ValueOf(Square("f4")).has_value());  // past the line's end

  BookWalk other(book);
  other.Play(Square("f5"));
  other.Play(Square("d6"));
  EXPECT_EQ(other.ValueOf(Square("c5")), -1.0);
  EXPECT_FALSE(other.ValueOf(Square("e3")).has_value());  // 3.5 discs below c3
  EXPECT_FALSE(other.ValueOf(kGgfPass).has_value());
  other.Play(Square("e3"));  // a weak book move, but still the book
  EXPECT_EQ(other.ValueOf(Square("f4")), 2.0);

  BookWalk short_values(book);
  short_values.Play(Square("f5"));
  EXPECT_FALSE(short_values.ValueOf(Square("f6")).has_value());  // its values were one short

  // Once off the book, a later move that would spell a book line is not one.
  BookWalk left(book);
  left.Play(Square("f5"));
  left.Play(Square("f4"));
  EXPECT_FALSE(left.ValueOf(Square("c3")).has_value());
}

TEST(BookValues, TheReviewerValuesBookMovesByTheBookAndSearchesTheRest) {
  // The shipped book's first line; one move more leaves the book (the line is
  // a maximal one).
  std::ifstream file(std::string(KERNA_ASSETS_DIR) + "/dat/zyouseki.txt");
  std::string line;
  ASSERT_TRUE(std::getline(file, line));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  GgfGame record = StandardGgfGame();
  nboard::Position p{record.board, true};
  for (size_t i = 0; i + 1 < line.size(); i += 2) {
    record.moves.push_back({Square(line.substr(i, 2)), std::nullopt, std::nullopt});
    ASSERT_TRUE(nboard::Play(p, record.moves.back().square));
  }
  const int book_moves = static_cast<int>(record.moves.size());
  record.moves.push_back({std::countr_zero(nboard::LegalMoves(p)), std::nullopt, std::nullopt});

  GameReviewer reviewer(KERNA_ASSETS_DIR, nullptr);
  const ReviewResult result = reviewer.Review(record);
  ASSERT_EQ(result.end, ReviewEnd::kFinished) << result.error;
  ASSERT_EQ(static_cast<int>(result.moves.size()), book_moves + 1);
  int book = 0;
  for (int k = 0; k < book_moves; ++k) {
    const ReviewedMove& move = result.moves[k];
    SCOPED_TRACE("move " + std::to_string(k + 1));
    if (!move.book) continue;  // a weak move of the book is searched as any other
    ++book;
    EXPECT_EQ(move.best, move.played);
    EXPECT_EQ(move.loss, 0.0);
    EXPECT_EQ(move.bestValue, move.playedValue);
  }
  EXPECT_TRUE(result.moves[0].book);  // f5, the book's one first move
  EXPECT_GE(book, book_moves / 2);
  EXPECT_FALSE(result.moves.back().book);
  EXPECT_FALSE(result.moves.back().depth.empty());  // searched
}

}  // namespace
}  // namespace kerna::review
