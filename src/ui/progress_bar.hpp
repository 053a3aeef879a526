// The search's progress bar on the panel: a frame, a bar that grows with the
// root candidates completed, and within the current root candidate's slot a bar
// for its replies. It is the only thing on screen while the computer thinks.
#pragma once

#include "ai/ai_state.hpp"
#include "ai/search_state.hpp"
#include "platform/platform.hpp"
#include "ui/panel_layout.hpp"

namespace kerna {

class ProgressBar {
 public:
  ProgressBar(platform::Platform& io, const ScreenLayout& layout, const SearchState& search,
              const AiState& ai)
      : io_(io), layout_(layout), search_(search), ai_(ai) {}

  // The frame: a box outline in colour 7 around the bar area.
  void DrawFrame();
  // A candidate of ply 1 or 2 is completed: the bar grows.
  void OnProgress(int ply);
  // A hint's search draws in cyan (5) unless the bar's colour is blue (1).
  void SetHint(bool hint) { hint_ = hint; }
  // The bar shows the whole turn: part `part` of `parts` fills its share of
  // the bar, from where the earlier parts ended. A new turn is one part.
  // The bar filled to done / total from its left end (the rest left as it
  // is): progress of work that is not a search, such as a game's review.
  void ShowShare(int done, int total, int colour);
  void SetPart(int part, int parts) {
    part_ = part;
    parts_ = parts < 1 ? 1 : parts;
  }

 private:
  platform::Platform& io_;
  const ScreenLayout& layout_;
  const SearchState& search_;
  const AiState& ai_;
  bool hint_ = false;
  int part_ = 0, parts_ = 1;
};

}  // namespace kerna
