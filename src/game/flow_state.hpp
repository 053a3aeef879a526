// The state of the game in progress, shared by the game loop, the turns, the
// result screen and the hostess.
#pragma once

#include <cstdint>

namespace kerna {

struct FlowState {
  uint8_t VersusComputer = 0;
  int16_t Level = 1;
  int16_t PassCount = 0;
  int16_t GameStage = 0;
  int16_t UndoCount = 0, HintCount = 0;
  // Result screen: discs of ComputerSide and HumanSide (between two people:
  // white and black).
  int16_t ComputerCount = 0, HumanCount = 0;
  uint8_t QuitRequested = 0;
  int64_t ThinkStart = 0;
  int64_t ThinkTenths = 0;
  uint8_t HintMode = 0;
  int64_t TurnSeconds = 0;
};

}  // namespace kerna
