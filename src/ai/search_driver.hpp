// The steps the computer turn takes around the search and the solvers: setting
// up the empty-square list and the root, the depths by level, and the three
// ways of thinking (middle game, win-loss-draw, exact) from a prepared Board up
// to the chosen move. The turn itself adds the book, the messages and the play.
#pragma once

#include "ai/ai_state.hpp"
#include "ai/game_tree_search.hpp"
#include "ai/root_ranking.hpp"
#include "ai/search_state.hpp"
#include "board/board_state.hpp"
#include "data/settings_state.hpp"

namespace kerna {

class SearchDriver {
 public:
  SearchDriver(BoardState& board, AiState& ai, SearchState& search, GameTreeSearch& tree,
               RootRanking& ranking, const SettingsState& settings)
      : board_(board),
        ai_(ai),
        search_(search),
        tree_(tree),
        ranking_(ranking),
        settings_(settings) {}

  // Layer 1, the computer to move, the empty-square list of layer 0, counters
  // cleared, SecondBestFlag 0, display values 0; the observer hears that a search starts.
  void PrepareSearch();
  // Expand ply 1 (middle-game order, or list order for the exact solver); RootCount.
  void ExpandRoot();
  void ExpandRootExact();
  void ResetSearchTables();
  // The first depth by level: 2 at level 2, 3 at 3 and 4, 4 at 5, 5 at 6.
  void SetLookAheadDepth();
  // The deep pass: 6 at level 5; 7 at level 6, or 8 when at most five root
  // candidates remain and self-play is off.
  void SetDeepLookAheadDepth();

  // Each expects layers 0 and 1 to hold the game position and `ComputerSide`
  // set; leaves the move in ChosenX/Y and SquareX/Y and its value in
  // ShownValue. A single root candidate is taken without searching (except in
  // hint mode), with SAKI(1, 1) = 0.
  void ThinkMiddleGame();
  void ThinkWinLossDraw();
  void ThinkExact();

  // The win-loss-draw solver's signed encoding of layers 0 and 1 and the sides, and back.
  void EncodeSigned();
  void DecodeSigned();

 private:
  bool TakeSingleCandidate();
  // Tells the observer that part `part` (0-based) of the turn's `parts` begins.
  void ReportPart(int part, int parts);
  // Levels 5 and 6, when the variety rule chose the deep search's second
  // candidate: its score there is only a bound (its search stopped once it
  // could not be the best), so it is searched again alone. It is played only
  // when its exact value is within kVarietyGap of the best, with that value.
  void ConfirmSecondCandidate();

  BoardState& board_;
  AiState& ai_;
  SearchState& search_;
  GameTreeSearch& tree_;
  RootRanking& ranking_;
  const SettingsState& settings_;
};

}  // namespace kerna
