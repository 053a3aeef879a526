// The analysis in slices (see web_sliced_review.hpp).
#include "review/web_sliced_review.hpp"

#include <emscripten.h>

#include <utility>

namespace kerna::review {
namespace {

// The analysis's C stack is as deep as the page's own (Emscripten's 5 MB
// less what the screen uses), so that the search recurses as in a game. Its
// frames live mostly in wasm locals, which the Asyncify stack keeps while the
// other side runs: the room the page's own sleeps are given (ASYNCIFY_STACK_SIZE
// in web/) for a yield deep in a search.
constexpr size_t kCStackBytes = size_t{4} << 20;
constexpr size_t kFramesBytes = size_t{1} << 20;

}  // namespace

SlicedReview::SlicedReview(Analyser analyser, GgfGame record)
    : analyser_(std::move(analyser)),
      record_(std::move(record)),
      cStack_(new StackBlock[kCStackBytes / sizeof(StackBlock)]),
      analysisFrames_(new StackBlock[kFramesBytes / sizeof(StackBlock)]),
      screenFrames_(new StackBlock[kFramesBytes / sizeof(StackBlock)]) {
  emscripten_fiber_init(&analysis_, &SlicedReview::RunOnOwnStack, this, cStack_.get(), kCStackBytes,
                        analysisFrames_.get(), kFramesBytes);
}

std::unique_ptr<ReviewAnalysis> SlicedReview::Start(const Analyser& analyser,
                                                    const GgfGame& record) {
  return std::make_unique<SlicedReview>(analyser, record);
}

SlicedReview::~SlicedReview() {
  if (!started_) return;
  stop_ = true;
  while (!ended_) Advance();
}

void SlicedReview::Advance() {
  if (ended_) return;
  if (!started_) {
    started_ = true;
    emscripten_fiber_init_from_current_context(&screen_, screenFrames_.get(), kFramesBytes);
  }
  sliceStart_ = emscripten_get_now();
  emscripten_fiber_swap(&screen_, &analysis_);
}

void SlicedReview::CatchUp(std::vector<ReviewedMove>& moves) const {
  for (size_t n = moves.size(); n < moves_.size(); ++n) moves.push_back(moves_[n]);
}

bool SlicedReview::StopRequested() {
  if (emscripten_get_now() - sliceStart_ >= kSliceMs) emscripten_fiber_swap(&analysis_, &screen_);
  return stop_;
}

void SlicedReview::RunOnOwnStack(void* self) {
  auto& run = *static_cast<SlicedReview*>(self);
  {
    const ReviewResult result = run.analyser_(
        run.record_, [&run] { return run.StopRequested(); },
        [&run](const ReviewedMove& move) { run.moves_.push_back(move); });
    if (result.end == ReviewEnd::kRejected)
      run.failure_ = result.error.empty() ? "?" : result.error;
  }
  run.ended_ = true;
  // A fiber's entry must not return: the screen's side is never left again.
  emscripten_fiber_swap(&run.analysis_, &run.screen_);
}

}  // namespace kerna::review
