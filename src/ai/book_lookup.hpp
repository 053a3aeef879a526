// The opening-book lookup: does the game so far follow a line of the book, and
// which move does the book play next?
//
// The book holds every line in one orientation, beginning at f5. The game's
// moves are mapped into that orientation by the symmetry that sends the first
// move (f5, c4, e6 or d3) to f5, compared with every line, and the chosen
// line's next move is mapped back onto the real board.
#pragma once

#include "ai/ai_state.hpp"
#include "board/board_rules.hpp"
#include "data/settings_state.hpp"
#include "platform/random.hpp"

#include <array>
#include <cstdint>

#include "board/board_state.hpp"
#include "data/opening_book.hpp"

namespace kerna {

struct BookState {
  // 1..4: the symmetry chosen by the first move (f5, c4, e6, d3); 0 = none.
  uint8_t BookTransform = 0;
  // NormalisedMoves[k], k = 1..60: the game's k-th move as a book square code.
  std::array<float, kRecordSize + 1> NormalisedMoves{};
  // BookCandidates[1..BookCandidateCount]: the numbers of the matching lines.
  std::array<int16_t, kBookCapacity + 1> BookCandidates{};
  int16_t BookCandidateCount = 0;
  // The chosen line itself is AiState::BookHit, which the hint and the hostess read.
};

class BookLookup {
 public:
  BookLookup(BoardState& board, BoardRules& rules, AiState& ai, BookState& state,
             const OpeningBook& book, const SettingsState& settings, platform::Random& random)
      : board_(board),
        rules_(rules),
        ai_(ai),
        state_(state),
        book_(book),
        settings_(settings),
        random_(random) {}

  // Reads the game record, layer `Layer` of the Board (the computer turn's
  // layer 1) and SideToMove; sets BookHit and, on a hit, SquareX/SquareY.
  // SideToMove and MoveNumber are left as they were. A book move that is not
  // legal in the position is never reported.
  void LookUpBook();

 private:
  // Fills BookTransform and NormalisedMoves for the first n moves; false when
  // the first move is not one the book's symmetries know.
  bool NormaliseRecord(int n);
  void CollectCandidates(int n);
  int16_t ChooseLine();
  // Maps the chosen line's next move back onto the board and keeps it only
  // when it is legal there.
  void PlayableBookMove(int n);

  BoardState& board_;
  BoardRules& rules_;
  AiState& ai_;
  BookState& state_;
  const OpeningBook& book_;
  const SettingsState& settings_;
  platform::Random& random_;
};

}  // namespace kerna
