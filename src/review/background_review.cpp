// The analysis thread (see background_review.hpp).
#include "review/background_review.hpp"

#include <utility>

namespace kerna::review {

Analyser LevelSixAnalyser(std::string data_folder) {
  return [data_folder = std::move(data_folder)](
             const GgfGame& record, const std::function<bool()>& stop_requested,
             const std::function<void(const ReviewedMove&)>& on_move) {
    GameReviewer reviewer(data_folder, stop_requested);
    if (!reviewer.TablesLoaded()) {
      ReviewResult result;
      result.end = ReviewEnd::kRejected;
      result.error = "the evaluation tables were not found";
      return result;
    }
    return reviewer.Review(record, on_move);
  };
}

BackgroundReview::BackgroundReview(Analyser analyser, GgfGame record)
    : worker_([this, analyser = std::move(analyser), record = std::move(record)] {
        const ReviewResult result = analyser(
            record, [this] { return stop_.load(); },
            [this](const ReviewedMove& move) {
              std::lock_guard lock(mutex_);
              moves_.push_back(move);
              valued_.store(static_cast<int>(moves_.size()));
            });
        if (result.end == ReviewEnd::kRejected) {
          std::lock_guard lock(mutex_);
          failure_ = result.error.empty() ? "?" : result.error;
        }
        ended_.store(true);
      }) {}

BackgroundReview::~BackgroundReview() {
  stop_.store(true);
  worker_.join();
}

void BackgroundReview::CatchUp(std::vector<ReviewedMove>& moves) const {
  std::lock_guard lock(mutex_);
  for (size_t n = moves.size(); n < moves_.size(); ++n) moves.push_back(moves_[n]);
}

std::string BackgroundReview::Failure() const {
  std::lock_guard lock(mutex_);
  return failure_;
}

}  // namespace kerna::review
