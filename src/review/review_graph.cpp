// The evaluation graph (see review_graph.hpp). Colours are the game's palette:
// a black field in a white frame, the zero line blue, black's lead cyan and
// white's green, mistakes red with a red tick along the top edge.
#include "review/review_graph.hpp"

#include <algorithm>

namespace kerna::review {

namespace {

constexpr int kField = 0, kBlue = 1, kRed = 2, kGreen = 4, kCyan = 5, kYellow = 6, kWhite = 7;

int ColumnWidth(const GraphArea& area, int moves) {
  const int inner = area.right - area.left - 1;
  return std::max(1, inner / (moves + 1) - 1);
}

int ZeroY(const GraphArea& area) {
  return (area.top + area.bottom) / 2;
}

// The y of a value in discs from black's side, cut to the graph's range.
int ValueY(const GraphArea& area, double black_discs) {
  const int half = ZeroY(area) - area.top - 2;
  const double cut = std::clamp(black_discs, -1.0 * kGraphRangeDiscs, 1.0 * kGraphRangeDiscs);
  return ZeroY(area) - static_cast<int>(cut * half / kGraphRangeDiscs);
}

}  // namespace

int GraphColumnX(const GraphArea& area, int moves, int k) {
  const int inner = area.right - area.left - 1;
  return area.left + 1 + k * inner / (moves + 1);
}

void DrawEvaluationGraph(platform::Platform& io, const GraphArea& area, int moves,
                         const std::vector<ReviewedMove>& valued, int k) {
  using platform::LineKind;
  io.Line(area.left, area.top, area.right, area.bottom, kField, LineKind::kFilledBox, kField);
  io.Line(area.left, area.top, area.right, area.bottom, kWhite, LineKind::kBox);
  const int zero = ZeroY(area);
  io.Line(area.left + 1, zero, area.right - 1, zero, kBlue);
  const int width = ColumnWidth(area, moves);
  for (size_t n = 0; n < valued.size() && static_cast<int>(n) < moves; ++n) {
    const ReviewedMove& move = valued[n];
    if (move.IsPass()) continue;
    const double black_view = move.mover == kGgfBlack ? move.playedValue : -move.playedValue;
    const int x = GraphColumnX(area, moves, static_cast<int>(n));
    const int y = ValueY(area, black_view);
    const int colour = IsMistake(move) ? kRed : black_view >= 0 ? kCyan : kGreen;
    if (y != zero) {
      io.Line(x, std::min(y, zero), x + width - 1, std::max(y, zero), colour, LineKind::kFilledBox,
              colour);
    }
    if (IsMistake(move)) {
      io.Line(x, area.top + 1, x + width - 1, area.top + 3, kRed, LineKind::kFilledBox, kRed);
    }
  }
  const int marker = GraphColumnX(area, moves, std::clamp(k, 0, moves));
  io.Line(marker, area.top + 4, marker, area.bottom - 1, kYellow);
}

}  // namespace kerna::review
