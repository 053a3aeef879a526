// The seven settings kept in dat/set.ini, in file order.
#pragma once

#include <cstdint>

namespace kerna {

struct SettingsState {
  uint8_t PauseAfterMove = 0;
  uint8_t ThinkingVaries = 0;
  uint8_t ShowMovePosition = 0;
  float SelfPlayMode = 0;
  float SearchParameter = 43;
  uint8_t SoundEffects = 0;
  int16_t BoardColour = 0;
};

}  // namespace kerna
