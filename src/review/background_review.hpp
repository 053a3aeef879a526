// The review's analysis on a thread of its own, so that the review screen
// stays answerable while each position is valued: the screen reads the moves
// valued so far at every poll, and leaving it stops the analysis and waits for
// the thread (within a search, the stop is seen every few thousand nodes).
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "review/review_analysis.hpp"

namespace kerna::review {

class BackgroundReview : public ReviewAnalysis {
 public:
  // Starts valuing the record at once.
  BackgroundReview(Analyser analyser, GgfGame record);
  // Stops the analysis and waits for its thread.
  ~BackgroundReview() override;
  BackgroundReview(const BackgroundReview&) = delete;
  BackgroundReview& operator=(const BackgroundReview&) = delete;

  // The desktop's way of running a review (an AnalysisStart).
  static std::unique_ptr<ReviewAnalysis> Start(const Analyser& analyser, const GgfGame& record);

  int ValuedCount() const override { return valued_.load(); }
  void CatchUp(std::vector<ReviewedMove>& moves) const override;
  bool Ended() const override { return ended_.load(); }
  std::string Failure() const override;

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
