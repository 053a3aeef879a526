// The search's progress bar on the panel: a frame, a bar that grows with the
// root candidates completed, and within the current root candidate's slot a bar
// for its replies. It is the only thing on screen while the computer thinks.
#pragma once

#include "ai/search_state.hpp"

namespace kerna {

class Game;

class ProgressBar : public SearchObserver {
 public:
  explicit ProgressBar(Game& game) : g_(game) {}

  // The frame: a box outline in colour 7 around the bar area.
  void DrawFrame();
  // Called by the search when a candidate of ply 1 or 2 is completed.
  void OnProgress(int ply) override;

 private:
  Game& g_;
};

}  // namespace kerna
