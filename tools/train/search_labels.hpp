// Labels from a shallow search with fitted tables. The final result of a game is
// mostly noise for its early positions (a whole game of moves still to come), so
// the fit is run once, every training position is valued by a small alpha-beta
// search with the fitted evaluation, and the fit is run again toward a blend of
// that value and the (exact) final result, the result weighing more the later
// the position.
#pragma once

#include <vector>

#include "dataset.hpp"

namespace kerna::train {

// The value, seen from white, in evaluation units, of `board` with `toMove` to
// move (`justMoved` made the latest move), by an alpha-beta search `depth` moves
// deep whose leaves are evaluated with the placement values of `stage` (the
// game's search reads the stage of its root at every leaf). A finished game is
// worth 10 x its final difference.
int SearchValue(const EvaluationTables& tables, const Bitboard& board, int toMove, int justMoved,
                int depth, int stage);

struct SearchLabelOptions {
  int depth = 2;
  // Share of the label taken from the search up to `blendFrom` moves played; it
  // falls linearly to none at `blendTo`, from where the exact result alone counts.
  double searchShare = 0.6;
  int blendFrom = 30;
  int blendTo = 50;
  // Off-line positions (no result of their own) take the search value alone, or
  // their exact value when they have at most this many empty squares.
  int exactEmpties = 0;
  // A deep search costs milliseconds a position: only record positions after at
  // least `fromMove` moves are searched, and of those a fixed share drawn by
  // their place in the sample list (the others keep their present label).
  int fromMove = 0;
  double sampleShare = 1;
  int threads = 2;
};

// Whether the relabelling searches record sample number `n` (by moves played
// and the fixed draw of `sampleShare`).
bool SearchesRecordSample(const SearchLabelOptions& options, size_t n, int movesPlayed);

// Leaves out the record samples that the search would blend but did not draw,
// so that the searched ones alone speak for their moves (call after relabelling).
void DropUnsearchedRecordSamples(std::vector<Sample>& samples, const SearchLabelOptions& options);

double SearchShareAt(const SearchLabelOptions& options, int movesPlayed);

// Replaces every sample's label (discs, white - black) by the blend of its
// search value and its present label (off-line samples: by the search value or
// their exact value). Each sample is valued on its own, so the
// result does not depend on the thread count.
void RelabelBySearch(std::vector<Sample>& samples, const EvaluationTables& tables,
                     const SearchLabelOptions& options);

}  // namespace kerna::train
