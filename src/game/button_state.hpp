// The state of the picture-button machinery: where the mouse was last read,
// what the latest click hit, and the button pictures loaded once for the run.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "game/start_state.hpp"
#include "platform/picture.hpp"

namespace kerna {

struct ButtonState {
  int16_t MouseX = 0, MouseY = 0;  // client pixels, as last read
  int16_t ClickCount = 0;          // buttons hit by the latest click
  int16_t LastClickedGroup = 0;
  int16_t PointedGroup = 0;  // last active group under the mouse, else 0

  // The two looks of each button table entry, loaded on first use: the files
  // stay the same for the whole run, so there is no need to reload per draw.
  std::array<std::optional<platform::Picture>, kButtonGroups * kButtonItems> ChosenLook;
  std::array<std::optional<platform::Picture>, kButtonGroups * kButtonItems> UnchosenLook;
};

}  // namespace kerna
