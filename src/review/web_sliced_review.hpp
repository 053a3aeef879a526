// The review's analysis in the browser, where the page has a single thread:
// the analysis runs on a stack of its own (an Asyncify fiber) and the review
// screen's loop hands it one slice at every pass (Advance). A slice ends at the
// first stop check after kSliceMs, between positions or inside a search (the
// search asks every few thousand nodes), and the thread goes back to the
// screen, which takes the input, draws, and sleeps, and so lets the page draw.
// The analyser and the reviewer are the desktop's, searching one position's
// two moves one after the other, so the values are the desktop's.
//
// Leaving the review with the analysis in the middle of a search resumes it
// once with the stop asked for: the search throws as on the desktop, the
// analyser returns, and its stack is left empty.
#pragma once

#include <emscripten/fiber.h>

#include <memory>
#include <string>
#include <vector>

#include "review/review_analysis.hpp"

namespace kerna::review {

class SlicedReview : public ReviewAnalysis {
 public:
  // Prepares the analysis; the first slice runs at the first Advance.
  SlicedReview(Analyser analyser, GgfGame record);
  ~SlicedReview() override;
  SlicedReview(const SlicedReview&) = delete;
  SlicedReview& operator=(const SlicedReview&) = delete;

  // The browser's way of running a review (an AnalysisStart).
  static std::unique_ptr<ReviewAnalysis> Start(const Analyser& analyser, const GgfGame& record);

  void Advance() override;
  int ValuedCount() const override { return static_cast<int>(moves_.size()); }
  void CatchUp(std::vector<ReviewedMove>& moves) const override;
  bool Ended() const override { return ended_; }
  std::string Failure() const override { return failure_; }

  // How long a slice runs before the screen gets the thread back. The screen's
  // pass around it (input, drawing, a 1-ms sleep that lets the page draw)
  // takes a few milliseconds, so the analysis keeps most of the time.
  static constexpr double kSliceMs = 25;

 private:
  static void RunOnOwnStack(void* self);
  // The stop request the analyser asks: first hands the thread back to the
  // screen when the slice is used up.
  bool StopRequested();

  Analyser analyser_;
  GgfGame record_;
  std::vector<ReviewedMove> moves_;
  std::string failure_;
  bool started_ = false;
  bool ended_ = false;
  bool stop_ = false;
  double sliceStart_ = 0;
  // The stacks are allocated in blocks of 16 bytes: the compiled code takes
  // the C stack to be aligned so (a frame's 16-byte values, long double's in
  // printf among them, are placed by it), and new char[] aligns to 8 only, on
  // which "%.2f" printed 0.8 as "+7.80".
  struct alignas(16) StackBlock {
    char bytes[16];
  };
  // The C stack grows down from the end of its buffer; the Asyncify stacks
  // keep each side's frames while the other one runs.
  std::unique_ptr<StackBlock[]> cStack_, analysisFrames_, screenFrames_;
  emscripten_fiber_t screen_{}, analysis_{};
};

}  // namespace kerna::review
