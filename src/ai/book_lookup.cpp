// The opening-book lookup: symmetry by the first move, prefix match against
// every book line, the choice among matching lines, and the legality guard on
// the move it yields.
#include "ai/book_lookup.hpp"

#include "ai/book_symmetry.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace kerna {

void BookLookup::LookUpBook() {
  BoardState& board = board_;
  BookState& state = state_;
  ai_.BookHit = 0;
  const int16_t side_to_move = board.SideToMove;
  const float move_number = board.MoveNumber;

  rules_.CountLegalMoves();
  const int n = board.MovesPlayed;
  // No move yet, or only the first: the reply to the first move never comes
  // from the book. A full record has no next slot to read.
  if (board.GameRecord[1] != 0 && n >= 2 && n < kBookSlots && NormaliseRecord(n)) {
    board.SideToMove = side_to_move;
    CollectCandidates(n);
    if (state.BookCandidateCount > 0) {
      ai_.BookHit = ChooseLine();
      PlayableBookMove(n);
    }
  }
  board.SideToMove = side_to_move;
  board.MoveNumber = move_number;
}

bool BookLookup::NormaliseRecord(int n) {
  BookState& state = state_;
  // Black's first move, as a record entry 200 + 10 x X + Y, chooses the symmetry.
  const float first = board_.GameRecord[1];
  const int code = static_cast<int>(first) - 200;
  const bool black_square = first == static_cast<float>(200 + code) && code >= 11 && code <= 88;
  state.BookTransform =
      static_cast<uint8_t>(black_square ? BookTransformOf(code / 10, code % 10) : 0);
  if (state.BookTransform == 0) return false;  // e.g. after a random self-play start
  for (int k = 1; k <= kRecordSize; ++k) {
    if (k > n) {
      state.NormalisedMoves[k] = 0;
      continue;
    }
    const float entry = board_.GameRecord[k];
    const int side = static_cast<int>(std::floor(entry / 100));
    int x = static_cast<int>(std::floor((entry - side * 100) / 10));
    int y = static_cast<int>(std::lround(entry - side * 100 - x * 10));
    board_.SideToMove = static_cast<int16_t>(side);
    ReflectBookSquare(state.BookTransform, x, y);
    state.NormalisedMoves[k] = static_cast<float>(10 * x + y);
  }
  return true;
}

void BookLookup::CollectCandidates(int n) {
  BookState& state = state_;
  const OpeningBook& book = book_;
  state.BookCandidateCount = 0;
  for (int line = 1; line <= book.LineCount; ++line) {
    int k = 1;
    while (k <= n && book.Moves[line][k] == state.NormalisedMoves[k]) ++k;
    if (k > n && book.Moves[line][n + 1] != 0) {
      state.BookCandidates[++state.BookCandidateCount] = static_cast<int16_t>(line);
    }
  }
}

int16_t BookLookup::ChooseLine() {
  const BookState& state = state_;
  const int count = state.BookCandidateCount;
  if (count == 1) return state.BookCandidates[1];
  // The move every candidate may play next; 0 = any.
  const int next = board_.MovesPlayed + 1;
  int move = 0;
  if (settings_.ThinkingVaries != 0 && ai_.VarietyAllowed == 1) {
    // Every distinct next move equally likely, however many lines follow it: a
    // move the book explores more deeply is no better for it. The guard keeps an
    // r of 1 in range.
    std::array<int, 64> moves{};  // at most 60 empty squares
    int distinct = 0;
    for (int i = 1; i <= count; ++i) {
      const int m = static_cast<int>(book_.Moves[state.BookCandidates[i]][next]);
      if (std::find(moves.begin(), moves.begin() + distinct, m) == moves.begin() + distinct)
        moves[distinct++] = m;
    }
    const int pick =
        std::min(distinct - 1, static_cast<int>(std::floor(distinct * random_.Next())));
    move = moves[pick];
  }
  // The longest line (with that move); the earliest (lowest number) among equally long ones.
  int16_t best = 0;
  for (int i = 1; i <= count; ++i) {
    const int16_t line = state.BookCandidates[i];
    if (move != 0 && static_cast<int>(book_.Moves[line][next]) != move) continue;
    if (best == 0 || book_.MoveCount[line] > book_.MoveCount[best]) best = line;
  }
  return best;
}

void BookLookup::PlayableBookMove(int n) {
  BoardState& board = board_;
  BookState& state = state_;
  const int code = book_.Moves[ai_.BookHit][n + 1];
  int x = code / 10;
  int y = code - 10 * (code / 10);
  ReflectBookSquare(state.BookTransform, x, y);
  board.SquareX = static_cast<int16_t>(x);
  board.SquareY = static_cast<int16_t>(y);
  // A book that does not fit the position (a hand-edited file, an odd start)
  // must never make the computer play an illegal move: no book move then.
  rules_.TestLegal();
  if (board.LegalFlag == 0) ai_.BookHit = 0;
}

}  // namespace kerna
