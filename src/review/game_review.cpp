// Each position is set up from the record on the engine player's headless Game.
// The engine players leave their book out; the book's moves are valued from
// the book's own values instead.
#include "review/game_review.hpp"

#include <algorithm>
#include <bit>
#include <future>

namespace kerna::review {
namespace {

nboard::EngineOptions ReviewOptions(const std::string& data_folder) {
  nboard::EngineOptions options;
  options.dataFolder = data_folder;
  options.useBook = false;
  options.vary = false;
  return options;
}

}  // namespace

GameReviewer::GameReviewer(const std::string& data_folder, std::function<bool()> stop_requested,
                           SearchOrder order)
    : stopRequested_(stop_requested),
      order_(order),
      player_(ReviewOptions(data_folder), stop_requested),
      bestPlayer_(ReviewOptions(data_folder), stop_requested),
      book_(player_.ReadDataFile("dat\\zyouseki.txt"),
            player_.ReadDataFile("dat\\zyouseki-values.txt")) {}

std::string ReviewableError(const GgfGame& record) {
  const nboard::SessionGame start =
      nboard::NewSessionGame(nboard::Position{record.board, record.blackToMove});
  if (!start.StartsFromStandardPosition()) {
    return "the game starts from a set-up board; only games from the usual start can be reviewed";
  }
  nboard::SessionGame replay;
  std::string error;
  if (!nboard::LoadSessionGame(record, replay, &error)) return error;
  return "";
}

ReviewedMove GameReviewer::ValuePosition(const nboard::SessionGame& game, int square) {
  ReviewedMove reviewed;
  reviewed.mover = game.current.Mover();
  reviewed.played = square;
  if (square == kGgfPass) return reviewed;

  const nboard::HintResult hint = player_.Hint(game, kReviewLevel, 1);
  if (!hint.ranked.empty()) {
    reviewed.best = hint.ranked[0].square;
    reviewed.bestValue = hint.ranked[0].eval.value_or(0.0);
    reviewed.depth = hint.ranked[0].depth;
  }
  if (hint.ranked.empty()) {  // never expected: the hint always proposes a legal move
    const nboard::MoveValue played = player_.ValueOfMove(game, kReviewLevel, square);
    reviewed.best = square;
    reviewed.bestValue = reviewed.playedValue = played.eval.value_or(0.0);
    reviewed.depth = played.depth;
  } else if (reviewed.best != square) {
    // The turn's own search looks one ply further than the search of the
    // reply to a move, and the evaluation swings with who is to move: the
    // best move is valued through its reply too, so that two moves as good
    // as each other lose nothing against each other.
    const auto value_best = [&] {
      return bestPlayer_.ValueOfMove(game, kReviewLevel, reviewed.best).eval.value_or(0.0);
    };
    if (order_ == SearchOrder::kSideBySide) {
      std::future<double> best = std::async(std::launch::async, value_best);
      // A stop ends both searches; the future's end waits for the other one.
      reviewed.playedValue = player_.ValueOfMove(game, kReviewLevel, square).eval.value_or(0.0);
      reviewed.bestValue = best.get();
    } else {
      reviewed.bestValue = value_best();
      reviewed.playedValue = player_.ValueOfMove(game, kReviewLevel, square).eval.value_or(0.0);
    }
  } else {
    reviewed.playedValue = reviewed.bestValue;
  }
  // Valued through the replies, the played move can come out ahead: it is then
  // the best move found.
  if (reviewed.playedValue > reviewed.bestValue) {
    reviewed.best = square;
    reviewed.bestValue = reviewed.playedValue;
  }
  reviewed.loss = reviewed.bestValue - reviewed.playedValue;
  return reviewed;
}

ReviewedMove GameReviewer::BookMove(const nboard::SessionGame& game, int square, double value) {
  ReviewedMove reviewed;
  reviewed.mover = game.current.Mover();
  reviewed.played = reviewed.best = square;
  reviewed.playedValue = reviewed.bestValue = value;
  reviewed.book = true;
  return reviewed;
}

ReviewResult GameReviewer::Review(const GgfGame& record,
                                  const std::function<void(const ReviewedMove&)>& on_move) {
  ReviewResult result;
  result.error = ReviewableError(record);
  if (!result.error.empty()) {
    result.end = ReviewEnd::kRejected;
    return result;
  }
  nboard::SessionGame game =
      nboard::NewSessionGame(nboard::Position{record.board, record.blackToMove});
  BookWalk book(book_);
  for (const GgfMove& move : record.moves) {
    if (stopRequested_ && stopRequested_()) {
      result.end = ReviewEnd::kStopped;
      return result;
    }
    ReviewedMove reviewed;
    if (const std::optional<double> value = book.ValueOf(move.square)) {
      reviewed = BookMove(game, move.square, *value);
    } else {
      try {
        reviewed = ValuePosition(game, move.square);
      } catch (const nboard::SearchStopped&) {
        result.end = ReviewEnd::kStopped;
        return result;
      }
    }
    book.Play(move.square);
    reviewed.number = static_cast<int>(result.moves.size()) + 1;
    result.moves.push_back(reviewed);
    if (on_move) on_move(reviewed);
    nboard::AppendMove(game, move);
  }
  return result;
}

}  // namespace kerna::review
