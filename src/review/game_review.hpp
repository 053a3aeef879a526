// The review of a finished game: for every position, the value of the best move
// and of the move actually played, as the level-6 computer values them (the
// method its move count chooses), in discs for the side to move, and what the
// played move lost. A move of the opening book is a good move by the book's
// making: it takes the book's value and loses nothing. Results come position by position so that a
// screen can show the part already valued, and the review can be stopped between positions or in
// the middle of a search.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/ggf.hpp"
#include "nboard/engine_player.hpp"
#include "review/book_values.hpp"

namespace kerna::review {

inline constexpr int kReviewLevel = 6;

struct ReviewedMove {
  int number = 0;          // 1 for the game's first move; passes count
  char mover = kGgfBlack;  // kGgfBlack / kGgfWhite
  int played = kGgfPass;   // the square played, or kGgfPass when the mover had to pass
  // The rest only when a move was played: discs for the mover.
  int best = kGgfPass;
  double bestValue = 0.0;
  double playedValue = 0.0;
  double loss = 0.0;  // bestValue - playedValue, never below 0
  std::string depth;  // as the engine reports it: "7", "100%W", "100%"
  // A move of the opening book: its value is the book's, and it lost nothing.
  bool book = false;

  bool IsPass() const { return played == kGgfPass; }
};

// How the two searches of a position (the best move's and the played move's
// values) run: side by side on a second core, or one after the other where
// there is one thread (the browser). Each has a player of its own, so the
// values are the same either way.
enum class SearchOrder { kSideBySide, kOneAfterAnother };

enum class ReviewEnd { kFinished, kStopped, kRejected };

struct ReviewResult {
  ReviewEnd end = ReviewEnd::kFinished;
  std::string error;                // kRejected: why, naming the move when one is illegal
  std::vector<ReviewedMove> moves;  // what was valued before the end
};

class GameReviewer {
 public:
  // `stop_requested` is asked between positions and, through the platform's
  // closed check, during each search, from two threads at once while the best
  // and the played move are valued side by side.
  GameReviewer(const std::string& data_folder, std::function<bool()> stop_requested,
               SearchOrder order = SearchOrder::kSideBySide);

  // False when the evaluation tables could not be read.
  bool TablesLoaded() const { return player_.TablesLoaded(); }

  // Values the whole game; `on_move` hears each position as soon as it is valued.
  ReviewResult Review(const GgfGame& record,
                      const std::function<void(const ReviewedMove&)>& on_move = {});

 private:
  ReviewedMove ValuePosition(const nboard::SessionGame& game, int square);
  static ReviewedMove BookMove(const nboard::SessionGame& game, int square, double value);

  std::function<bool()> stopRequested_;
  SearchOrder order_;
  nboard::EnginePlayer player_;
  // Values the best move while player_ values the one played.
  nboard::EnginePlayer bestPlayer_;
  // The book's moves are valued by the book: its deep searches at the ends of
  // its lines know the openings better than one search from the position.
  BookValues book_;
};

// Checks that a record can be reviewed: it starts from the usual position and
// every move is legal. Empty when it can; otherwise why not.
std::string ReviewableError(const GgfGame& record);

}  // namespace kerna::review
