// The state of the game in progress, shared by the game loop, the turns, the
// result screen and the hostess.
#pragma once

#include <cstdint>

namespace kerna {

// What QuitRequested holds: nothing, the human's quit, or the result screen's
// answer.
enum QuitAnswer : uint8_t {
  kNoQuit = 0,
  kBackToMenu = 1,        // 終了 in a game, or the result screen left for the menu
  kPlayOnAfterUndo = 2,   // 待った on the result screen: the game goes on
  kNextSelfPlayGame = 3,  // self-play: the next game starts at once
};

struct FlowState {
  uint8_t VersusComputer = 0;
  int16_t PassCount = 0;
  int16_t UndoCount = 0, HintCount = 0;
  // Result screen: discs of ComputerSide and HumanSide (between two people:
  // white and black).
  int16_t ComputerCount = 0, HumanCount = 0;
  uint8_t QuitRequested = 0;
  int64_t ThinkStart = 0;
  int64_t ThinkTenths = 0;
  int64_t TurnSeconds = 0;
};

}  // namespace kerna
