// Geometry of the bar from the panel layout: the frame spans PanelColumn to
// PanelColumn + ProgressLength text cells across and two 20-pixel rows from
// ProgressRow down; the bar fills the inside of the frame.
#include "ui/progress_bar.hpp"

#include <algorithm>
#include <cstdint>

namespace kerna {

namespace {

struct BarArea {
  int left, top, right, bottom;
  int Width() const { return right - left + 1; }
};

BarArea Area(const ScreenLayout& layout) {
  const int left = layout.PanelColumn * 8, top = layout.ProgressRow * 20;
  const int right = (layout.PanelColumn + layout.ProgressLength) * 8,
            bottom = (layout.ProgressRow + 2) * 20;
  return {left + 1, top + 1, right - 1, bottom - 1};
}

}  // namespace

void ProgressBar::DrawFrame() {
  const BarArea area = Area(layout_);
  io_.Line(area.left - 1, area.top - 1, area.right + 1, area.bottom + 1, 7,
           platform::LineKind::kBox);
}

void ProgressBar::ShowShare(int done, int total, int colour) {
  if (total <= 0 || done <= 0) return;
  const BarArea area = Area(layout_);
  const int length =
      static_cast<int>(static_cast<int64_t>(area.Width()) * std::min(done, total) / total);
  if (length <= 0) return;
  io_.Line(area.left, area.top, area.left + length - 1, area.bottom, colour,
           platform::LineKind::kFilledBox, colour);
}

void ProgressBar::OnProgress(int ply) {
  const SearchState& s = search_;
  const float roots = ai_.RootCount;
  if (roots <= 0) return;
  int colour = s.ProgressColour;
  if (hint_ && colour != 1) colour = 5;
  const BarArea area = Area(layout_);
  // This part's share of the bar (the whole bar for a turn of one part).
  const float share = static_cast<float>(area.Width()) / static_cast<float>(parts_);
  int from = static_cast<int>(share * static_cast<float>(part_)), length = 0;
  if (ply == 1) {
    length = static_cast<int>(share * s.SEL[1] / roots);
  } else {
    if (s.EN[2] <= 0) return;
    const float slot = share / roots;
    from += static_cast<int>(slot * (s.SEL[1] - 1));
    length = static_cast<int>(slot * s.SEL[2] / s.EN[2]);
  }
  if (length <= 0) return;
  const int x1 = area.left + from, x2 = std::min(area.right, x1 + length - 1);
  if (x1 > area.right) return;
  io_.Line(x1, area.top, x2, area.bottom, colour, platform::LineKind::kFilledBox, colour);
}

}  // namespace kerna
