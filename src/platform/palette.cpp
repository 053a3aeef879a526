#include "platform/surface.hpp"

namespace kerna::platform {

Rgb PaletteColour(int index) {
  switch (index & 7) {
    case 1:
      return {0, 0, 255};
    case 2:
      return {255, 0, 0};
    case 3:
      return {255, 0, 255};
    case 4:
      return {0, 255, 0};
    case 5:
      return {0, 255, 255};
    case 6:
      return {255, 255, 0};
    case 7:
      return {255, 255, 255};
    default:
      return {0, 0, 0};
  }
}

}  // namespace kerna::platform
