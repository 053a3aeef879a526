// The middle-game search and the loop the endgame solvers share with it: a
// negamax over the ply tables without recursion, with a one-level cutoff (only
// the bound of the enclosing ply is used; ties cut), passes taking a ply, and
// the progress reported at plies 1 and 2. The solvers play the last moves of a
// line out by a recursion that keeps the loop's order, cutoffs and tables. The
// positions of the plies are bitboards (SearchState::PlyPosition); the Board's
// layers 0 and 1 are read when a search or an expansion starts and layer 1 is
// written back at the end.
#pragma once

#include <cstdint>

#include "ai/ai_state.hpp"
#include "ai/evaluation.hpp"
#include "ai/search_state.hpp"
#include "board/board_state.hpp"
#include "data/placement_tables.hpp"
#include "platform/platform.hpp"

namespace kerna {

struct PlyCandidates;

class GameTreeSearch {
 public:
  GameTreeSearch(BoardState& board, SearchState& state, AiState& ai, Evaluation& evaluation,
                 const PlacementTables& placement, platform::Platform& io)
      : board_(board),
        state_(state),
        ai_(ai),
        evaluation_(evaluation),
        placement_(placement),
        io_(io) {}

  // ENUL and EmptySquares: the empty squares of layer 0.
  void BuildEmptySquareList();

  // Expansion of ply `Layer` for `SideToMove`: the legal squares of the
  // empty-square list, ordered (plies 1 and 2 by evaluation, deeper by
  // openness and placement), and the ply's tables reset.
  void ExpandPly();
  // The exact solver's expansion: legal squares in list order, no ordering.
  void ExpandPlyExact();
  // The win-loss-draw solver's expansion on signed layers: fewest opponent
  // replies first, up to ply EndgameDepthLimit.
  void ExpandPlyWinLossDraw();

  // Before each search pass: ply 1, the computer to move, every root score and
  // every deeper ply cleared, every bound open. Keeps the root list (EN(1)).
  void Reset();

  // Runs until ply 1 is finished; every root candidate then has its score in
  // SAKI(k, 1) (exact for the best, a bound for the others).
  void Search();
  // The same loop to the end of the game: leaf = sign of the disc difference
  // (signed layers) or the disc margin.
  void SolveWinLossDraw();
  void SolveExact();

 private:
  enum class Mode : uint8_t { kMiddleGame, kWinLossDraw, kExact };
  template <Mode mode>
  void RunLoop();
  template <Mode mode>
  int LeafValue(const ai::DiscPosition& position, int side);
  // A solver's value of a finished board (computer's view).
  template <Mode mode>
  int EndValue(ai::Bitboard white, ai::Bitboard black) const;
  // A solver's ply `ply` with few empty squares left, played out by recursion
  // exactly as the loop would play it: the same moves, passes, cutoffs and
  // node counts, the same rows and positions left behind. `above` is the score
  // of the candidate above (SAKI of the ply above), `bound` that ply's AB.
  template <Mode mode>
  void PlayOut(int ply, int side, int16_t& above, int16_t bound);
  // The legal squares of ply `ply` for `side` in the order they are searched,
  // with their flips where the ordering worked them out, also written to the
  // ply's rows (MX, MY, MoveFlips, OrderKey when keyed). True when keyed.
  template <Mode mode>
  bool CollectCandidates(int ply, int side, PlyCandidates& candidates);
  // `deeper_clear`: SEL below the ply and PlyOpenness from it are known to be 0 already.
  template <Mode mode>
  void Expand(int ply, int side, bool deeper_clear);
  // The discs of the side `side` stands for in `mode`'s encoding.
  template <Mode mode>
  static int ColourOf(int side);
  // PlyPosition[ply] from layer `ply`, in `mode`'s encoding, and the turn's placement values.
  template <Mode mode>
  void LoadPly(int ply);
  template <Mode mode>
  void StorePly(int ply);
  void ResetExpandedPly(int ply, bool deeper_clear);
  void ReportProgress(int ply);

  int16_t* Cells();
  int Stage() const;
  // Counts a move made by the search; every 4096 lets a closed window stop it.
  void CountNode();

  BoardState& board_;
  SearchState& state_;
  AiState& ai_;
  Evaluation& evaluation_;
  const PlacementTables& placement_;
  platform::Platform& io_;
};

}  // namespace kerna
