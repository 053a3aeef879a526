// The analysis thread (see background_review.hpp).
#include "review/background_review.hpp"

#include <utility>

namespace kerna::review {

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

std::unique_ptr<ReviewAnalysis> BackgroundReview::Start(const Analyser& analyser,
                                                        const GgfGame& record) {
  return std::make_unique<BackgroundReview>(analyser, record);
}

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
