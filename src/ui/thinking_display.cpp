// The order of what is shown follows the turn: the turn message, "考えています。"
// (on the first message row for the search, on the second for a solver), the
// bar, the look-ahead line once the deep pass's depth is known, then the panel
// after the move.
#include "ui/thinking_display.hpp"

namespace kerna {

void ThinkingDisplay::OnSearchStarted() {
  bar_.SetPart(0, 1);
  bar_.DrawFrame();
}

void ThinkingDisplay::OnPartStarted(int part, int parts) {
  bar_.SetPart(part, parts);
}

void ThinkingDisplay::OnProgress(int ply) {
  bar_.OnProgress(ply);
}

void ThinkingDisplay::OnDeepPass() {
  if (!hint_) messages_.PrintLookAhead();
}

void ThinkingDisplay::OnTurnStarted(bool hint) {
  hint_ = hint;
  bar_.SetHint(hint);
  bar_.SetPart(0, 1);
  if (!hint) messages_.PrintTurnMessage();
}

void ThinkingDisplay::OnComputerPasses() {
  hostess_.CommentOnPass();  // face 0 and event 50
}

void ThinkingDisplay::OnThinking(TurnMethod method) {
  const int row = messages_.MessageRow() + (method == TurnMethod::kMiddleGame ? 0 : 1);
  messages_.ShowThinking(row);
}

void ThinkingDisplay::OnMoveChosen() {
  messages_.ClearMessageRows();
}

void ThinkingDisplay::OnMovePlayed(MoveSource source) {
  switch (source) {
    case MoveSource::kOnePly:
      messages_.ClearMessageRows();
      break;
    case MoveSource::kSearched:
      screen_.RedrawPanelRows();
      break;
    case MoveSource::kSolved:
      messages_.PrintOpenness();
      screen_.RedrawPanelRows();
      break;
  }
}

}  // namespace kerna
