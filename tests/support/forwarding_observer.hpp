// A search observer that passes every report on to another one (the game's
// own display), so that a test can watch a turn and still see what the game
// shows. Derived watchers override what they look at and call the base first.
#pragma once

#include "ai/search_state.hpp"

namespace kerna::test {

class ForwardingObserver : public SearchObserver {
 public:
  explicit ForwardingObserver(SearchObserver& next) : next_(next) {}

  void OnSearchStarted() override { next_.OnSearchStarted(); }
  void OnPartStarted(int part, int parts) override { next_.OnPartStarted(part, parts); }
  void OnProgress(int ply) override { next_.OnProgress(ply); }
  void OnDeepPass() override { next_.OnDeepPass(); }
  void OnTurnStarted(bool hint) override { next_.OnTurnStarted(hint); }
  void OnComputerPasses() override { next_.OnComputerPasses(); }
  void OnThinking(TurnMethod method) override { next_.OnThinking(method); }
  void OnMoveChosen() override { next_.OnMoveChosen(); }
  void OnMovePlayed(MoveSource source) override { next_.OnMovePlayed(source); }

 private:
  SearchObserver& next_;
};

}  // namespace kerna::test
