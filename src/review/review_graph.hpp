// The review's evaluation graph: the whole game from black's side, one column
// per move (the value of the position the move left, in discs), moves that
// lost more than kMistakeDiscs marked in red, and the move on the board marked
// by a yellow line. Drawn with the platform's lines and boxes only.
#pragma once

#include <vector>

#include "platform/platform.hpp"
#include "review/game_review.hpp"

namespace kerna::review {

// A move that loses more than this many discs is a mistake.
inline constexpr double kMistakeDiscs = 6.0;

// Whether a valued move is a mistake.
inline bool IsMistake(const ReviewedMove& move) {
  return !move.IsPass() && move.loss > kMistakeDiscs;
}

// The graph's frame, inclusive: inside the panel, between the progress bar and
// the review's buttons.
struct GraphArea {
  int left = 433, top = 324, right = 635, bottom = 382;
};

// The values shown reach this many discs either way; larger ones are cut.
inline constexpr int kGraphRangeDiscs = 32;

// The x of the column of move k + 1 (k = 0 .. moves - 1), and for k = moves,
// the column after the last move: where the marker stands at position k.
int GraphColumnX(const GraphArea& area, int moves, int k);

// Draws the whole graph: the moves valued so far, and the marker at position k.
void DrawEvaluationGraph(platform::Platform& io, const GraphArea& area, int moves,
                         const std::vector<ReviewedMove>& valued, int k);

}  // namespace kerna::review
