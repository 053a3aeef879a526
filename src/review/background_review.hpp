// The review's analysis on a thread of its own, so that the review screen
// stays answerable while each position is valued: the screen reads the moves
// valued so far at every poll, and leaving it stops the analysis and waits for
// the thread (within a search, the stop is seen every few thousand nodes).
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "review/game_review.hpp"

namespace kerna::review {

// What values a game: the record, a stop request asked between positions and
// within searches, and the callback for each position valued.
using Analyser =
    std::function<ReviewResult(const GgfGame& record, const std::function<bool()>& stop_requested,
                               const std::function<void(const ReviewedMove&)>& on_move)>;

// The game's own analysis: the level-6 reviewer on the tables of `data_folder`.
Analyser LevelSixAnalyser(std::string data_folder);

class BackgroundReview {
 public:
  // Starts valuing the record at once.
  BackgroundReview(Analyser analyser, GgfGame record);
  // Stops the analysis and waits for its thread.
  ~BackgroundReview();
  BackgroundReview(const BackgroundReview&) = delete;
  BackgroundReview& operator=(const BackgroundReview&) = delete;

  // How many positions are valued; cheap enough for every poll.
  int ValuedCount() const { return valued_.load(); }
  // Copies the moves valued since `moves` was last brought up to date.
  void CatchUp(std::vector<ReviewedMove>& moves) const;
  // The analysis ended: every position valued, stopped, or it could not run.
  bool Ended() const { return ended_.load(); }
  // Why the analysis could not run ("" when it ran).
  std::string Failure() const;

 private:
  mutable std::mutex mutex_;
  std::vector<ReviewedMove> moves_;
  std::string failure_;
  std::atomic<int> valued_{0};
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::thread worker_;
};

}  // namespace kerna::review
