// What the opening book says about a game's opening: whether a move follows a
// good line of the book, and the value the book gives it. The book's values
// come from searches at the ends of a tree of the lines strong players played,
// backed up through that tree by negamax; dat\zyouseki-values.txt holds them beside
// dat\zyouseki.txt: one text line per book line, the number of the line's
// first move that the line before does not share, then the values of that
// move and of every later move of the line, each in discs for the side that
// played it ("3 +0.5 -0.5 +1.0").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "data/ggf.hpp"

namespace kerna::review {

// A book move is a good one when its value is at most this many discs below
// the best book move of its position.
inline constexpr double kGoodBookMoveDiscs = 3.0;

class BookValues {
 public:
  // A book line without a well-formed line of values is left out.
  BookValues(std::string_view book_bytes, std::string_view values_bytes);

  // The value of the last move of `moves` (book orientation, "f5d6c3"), for
  // the side that played it; nothing when the moves are not a book line's.
  std::optional<double> Find(const std::string& moves) const;
  // Whether the last move of `moves`, a book line's, is a good book move.
  bool Good(const std::string& moves) const;

 private:
  std::unordered_map<std::string, double> values_;
  // The best value among the book moves of each position (its moves so far).
  std::unordered_map<std::string, double> best_;
};

// Follows one game through the book, move by move (passes are skipped).
class BookWalk {
 public:
  explicit BookWalk(const BookValues& book) : book_(book) {}

  // The value, for its mover, of playing `square` next; nothing when that move
  // is not a good book move (or the game has left the book already). A book
  // move that is not a good one keeps the game in the book.
  std::optional<double> ValueOf(int square) const;
  void Play(int square);

 private:
  // The move in the book's orientation ("f5"); empty when the game's first
  // move has none.
  std::string BookMove(int square) const;

  const BookValues& book_;
  std::string moves_;  // the game so far in the book's orientation
  int transform_ = 0;
  bool inBook_ = true;
};

}  // namespace kerna::review
