// What the window shows of the computer's turn: the one observer the game gives
// the search. It draws the progress bar, prints the thinking messages, lets
// the hostess speak when the computer passes and redraws the panel after the
// move. A hint's search shows only its bar, in the hint's colour.
#pragma once

#include "ai/search_state.hpp"
#include "ui/hostess.hpp"
#include "ui/progress_bar.hpp"
#include "ui/screen_drawing.hpp"
#include "ui/thinking_messages.hpp"

namespace kerna {

class ThinkingDisplay : public SearchObserver {
 public:
  ThinkingDisplay(ThinkingMessages& messages, ProgressBar& bar, Hostess& hostess,
                  ScreenDrawing& screen)
      : messages_(messages), bar_(bar), hostess_(hostess), screen_(screen) {}

  void OnSearchStarted() override;
  void OnPartStarted(int part, int parts) override;
  void OnProgress(int ply) override;
  void OnDeepPass() override;
  void OnTurnStarted(bool hint) override;
  void OnComputerPasses() override;
  void OnThinking(TurnMethod method) override;
  void OnMoveChosen() override;
  void OnMovePlayed(MoveSource source) override;

 private:
  ThinkingMessages& messages_;
  ProgressBar& bar_;
  Hostess& hostess_;
  ScreenDrawing& screen_;
  bool hint_ = false;
};

}  // namespace kerna
