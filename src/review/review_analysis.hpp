// The review's analysis as the review screen sees it while it runs: the moves
// valued so far, whether it ended, and why it could not run. How it gets its
// time is up to the run: BackgroundReview values on a thread of its own (the
// desktop), SlicedReview in slices that the screen's loop hands it between
// its looks at the input (the browser, whose page has a single thread). The
// screen, the analyser and the reviewer are the same for both.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "review/game_review.hpp"

namespace kerna::review {

// What values a game: the record, a stop request asked between positions and
// within searches, and the callback for each position valued.
using Analyser =
    std::function<ReviewResult(const GgfGame& record, const std::function<bool()>& stop_requested,
                               const std::function<void(const ReviewedMove&)>& on_move)>;

// The game's own analysis: the level-6 reviewer on the tables of `data_folder`.
Analyser LevelSixAnalyser(std::string data_folder, SearchOrder order = SearchOrder::kSideBySide);

class ReviewAnalysis {
 public:
  virtual ~ReviewAnalysis() = default;

  // Called at every pass of the screen's loop: a run in slices values on for
  // one slice here; a run on a thread of its own needs nothing.
  virtual void Advance() {}
  // How many positions are valued; cheap enough for every poll.
  virtual int ValuedCount() const = 0;
  // Copies the moves valued since `moves` was last brought up to date.
  virtual void CatchUp(std::vector<ReviewedMove>& moves) const = 0;
  // The analysis ended: every position valued, stopped, or it could not run.
  virtual bool Ended() const = 0;
  // Why the analysis could not run ("" when it ran).
  virtual std::string Failure() const = 0;
};

// Starts valuing a record with an analyser; leaving the review destroys the
// run, which stops the analysis.
using AnalysisStart =
    std::function<std::unique_ptr<ReviewAnalysis>(const Analyser& analyser, const GgfGame& record)>;

}  // namespace kerna::review
