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

// Told about the search's progress; the game's progress bar is one.
class SearchObserver {
 public:
  virtual ~SearchObserver() = default;
  // A candidate of ply 1 or 2 (`ply`) has been completed.
  virtual void OnProgress(int ply) = 0;
  // Levels 5 and 6: the ranking pass is done and the deep pass's depth
  // (LookAheadDepth) and cut (MovesCut) are settled; the look-ahead line can be shown.
  virtual void OnDeepPass() {}
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

  // Empty squares of the game position, column-major; rows 1..ENUL. A set-up
  // position with fewer than four discs has more than 60 of them.
  int16_t ENUL = 0;
  std::array<int16_t, 65> EmptyX{}, EmptyY{};

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
  SearchObserver* Observer = nullptr;
  uint8_t StoppedAtWin = 0;  // the win-loss-draw solver stopped at a proven win
  // The ordinary colours kept while the win-loss-draw solver runs on signed layers.
  int16_t SavedComputerSide = 0, SavedSideToMove = 0;
};

}  // namespace kerna
