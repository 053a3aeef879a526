// Root ranking and move choice: sorting the root candidates, the ranking pass
// that gives every root candidate its exact score at a shallow depth, their
// deviation scores (T-scores) and the level-6 cut, and the choice of the move
// with its controlled chance of playing the second-best candidate.
#pragma once

#include "ai/ai_state.hpp"
#include "ai/game_tree_search.hpp"
#include "ai/search_state.hpp"
#include "board/board_state.hpp"
#include "data/settings_state.hpp"
#include "platform/random.hpp"

namespace kerna {

// The most the variety rule gives away: a tenth of a disc's worth times 10.
inline constexpr int kVarietyGap = 10;

class RootRanking {
 public:
  RootRanking(BoardState& board, AiState& ai, SearchState& search, GameTreeSearch& tree,
              const SettingsState& settings, platform::Random& random)
      : board_(board),
        ai_(ai),
        search_(search),
        tree_(tree),
        settings_(settings),
        random_(random) {}

  // The EN(1) root candidates into the root move lists, best (lowest SAKI)
  // first; the best becomes the sort's result and ShownValue.
  void SortRoot();
  // Repeats the search at LookAheadDepth, each time without the candidates
  // already ranked; leaves the root table best first with RankValue beside it.
  void RankRootCandidates();
  // Mean, standard deviation and T-scores of RankValue(1..RootCount).
  void DeviationScores();
  // The level-6 cut: ends the list at the first candidate at or below
  // SearchParameter; at least two candidates stay.
  void CutRootCandidates();
  // After the final middle-game search: the chosen move in ChosenX/Y and
  // SquareX/Y, ShownValue, SecondBestFlag.
  void ChooseMove();
  // After a solver: the lowest root score wins, a root left unscored counting as 2.
  void ChooseSolvedMove();

 private:
  void WriteListsToRootTable();
  BoardState& board_;
  AiState& ai_;
  SearchState& search_;
  GameTreeSearch& tree_;
  const SettingsState& settings_;
  platform::Random& random_;
};

}  // namespace kerna
