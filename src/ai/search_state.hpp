// The search's ply tables and the empty-square list, shared by the middle-game
// search, the root ranking and both endgame solvers. The progress bar and the
// thinking display read them while a search runs.
//
// Tables are indexed [ply][candidate]: ply N is played on Board layer N and its
// line continues on layer N + 1, so plies run 0..kLayers - 1. That is deeper
// than any line can get from the solvers' positions (a line takes one ply per
// move and per pass); a line that would leave the tables is scored where it stands.
#pragma once

#include <array>
#include <cstdint>

#include "ai/disc_position.hpp"
#include "board/board_state.hpp"

namespace kerna {

inline constexpr int kPlies = kLayers;
inline constexpr int kDeepestPly = kLayers - 1;
// Candidates are rows 1..60; row 0 takes the score of a line ended by two passes
// before its ply was expanded, row 61 is the one-past-the-end a finished ply points at.
inline constexpr int kCandidateRows = 62;
inline constexpr int16_t kNoScore = -9999;
inline constexpr int16_t kNoBound = 10000;
inline constexpr int16_t kDecided = 9000;
inline constexpr int16_t kLargestLeaf = kDecided - 1;  // a leaf evaluation is clamped to +-8999
// The search looks for a closed window every 4096 moves (a few ms).
inline constexpr uint64_t kCloseCheckMask = 4095;

// How the computer turn thinks: by level and moves played.
enum class TurnMethod : uint8_t { kOnePly, kMiddleGame, kWinLossDraw, kExact };

// How a move the computer played came about, for what is shown after it.
enum class MoveSource : uint8_t {
  kOnePly,    // the one-ply choice of levels 0 and 1
  kSearched,  // the search, the book or a single candidate: its value is shown
  kSolved,    // an endgame solver: its openness is shown
};

// Told what the search and the computer turn around it are doing. The search
// never draws or prints: the window's progress bar, thinking messages and the
// hostess's word on a pass are one observer; the engine program watches the
// ranking; tests watch the rows. Every report but OnProgress may be ignored.
class SearchObserver {
 public:
  virtual ~SearchObserver() = default;

  // --- The search ---
  // A search or a solver is about to run on a freshly prepared root.
  virtual void OnSearchStarted() {}
  // The turn thinks in `parts` parts (levels 5 and 6 and the win-loss-draw
  // solver: the ranking passes, then the deep pass or the solver) and part
  // `part` (from 0) begins; a search of one part reports nothing.
  virtual void OnPartStarted(int /*part*/, int /*parts*/) {}
  // A candidate of ply 1 or 2 (`ply`) has been completed.
  virtual void OnProgress(int ply) = 0;
  // Levels 5 and 6: the ranking pass is done and the deep pass's depth
  // (LookAheadDepth) and cut (MovesCut) are settled; the look-ahead line can be shown.
  virtual void OnDeepPass() {}

  // --- The computer turn around it ---
  // The turn begins; `hint` when it only proposes a move for the human, and
  // then nothing but the search's own reports follows.
  virtual void OnTurnStarted(bool /*hint*/) {}
  // The computer has no legal move and passes.
  virtual void OnComputerPasses() {}
  // The computer starts to think by `method` (a book move or the one-ply
  // choice do not).
  virtual void OnThinking(TurnMethod /*method*/) {}
  // The computer's move is chosen; it is made next.
  virtual void OnMoveChosen() {}
  // The computer's move is made and recorded on the Board.
  virtual void OnMovePlayed(MoveSource /*source*/) {}
};

// Hears nothing: the listener of a search nobody watches.
class SilentObserver final : public SearchObserver {
 public:
  void OnProgress(int) override {}
};

struct SearchState {
  std::array<int16_t, kPlies> EN{};   // candidates generated at each ply (0 = pass)
  std::array<int16_t, kPlies> SEL{};  // candidate being searched (0 = not expanded)
  std::array<int16_t, kPlies> AB{};   // lowest completed score: the cutoff bound
  int16_t MX[kPlies][kCandidateRows] = {};
  int16_t MY[kPlies][kCandidateRows] = {};
  int16_t SAKI[kPlies][kCandidateRows] =
      {};          // score after the candidate, for the side to move then
  int16_t PS = 0;  // consecutive passes on the line

  // The empty squares of the game position (layer 0), the only squares a ply's
  // expansion considers, and how many they are. A set-up position with fewer
  // than four discs has more than 60 of them.
  int16_t ENUL = 0;
  ai::Bitboard EmptySquares = 0;

  // The position of each ply while a search runs: ply N as layer N stands before
  // ply N's move (ply 0: the game position; the last one takes the leaves of
  // the deepest ply). The layers themselves are read at the start and layer 1 is
  // written back at the end.
  std::array<ai::DiscPosition, kPlies + 1> PlyPosition{};
  // The discs each candidate turns over, where the expansion worked them out (else 0).
  ai::Bitboard MoveFlips[kPlies][kCandidateRows] = {};
  // The placement value of each square at the turn's stage.
  ai::PlacementByBit Placement{};

  // Move-ordering keys of the ply being expanded.
  std::array<int16_t, kCandidateRows> OrderKey{};
  // Display value of each root candidate; travels with it when the root table is reordered.
  std::array<int16_t, kCandidateRows> RootTableDisplay{};

  // Moves made on the current line before ply N (the solvers' end-of-board test).
  std::array<int16_t, kPlies> MovesOnLine{};

  // Moves played by the search (loop and move ordering), and leaf evaluations.
  uint64_t Nodes = 0;
  uint64_t Evaluations = 0;

  uint8_t ProgressColour = 6;  // bar colour (palette); hint mode draws in 5 unless this is 1
  SearchObserver* Observer = nullptr;  // nullptr: nobody watches
  SilentObserver Silent;
  // Where the search and the turn report: Observer, or nobody.
  SearchObserver& Listener() { return Observer != nullptr ? *Observer : Silent; }
  uint8_t StoppedAtWin = 0;  // the win-loss-draw solver stopped at a proven win
  // The ordinary colours kept while the win-loss-draw solver runs on signed layers.
  int16_t SavedComputerSide = 0, SavedSideToMove = 0;
};

}  // namespace kerna
