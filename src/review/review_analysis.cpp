// The level-6 analyser (see review_analysis.hpp).
#include "review/review_analysis.hpp"

#include <utility>

namespace kerna::review {

Analyser LevelSixAnalyser(std::string data_folder, SearchOrder order) {
  return [data_folder = std::move(data_folder), order](
             const GgfGame& record, const std::function<bool()>& stop_requested,
             const std::function<void(const ReviewedMove&)>& on_move) {
    GameReviewer reviewer(data_folder, stop_requested, order);
    if (!reviewer.TablesLoaded()) {
      ReviewResult result;
      result.end = ReviewEnd::kRejected;
      result.error = "the evaluation tables were not found";
      return result;
    }
    return reviewer.Review(record, on_move);
  };
}

}  // namespace kerna::review
