// The text grid: rows 0..100 of up to 255 half-width cells, each cell with its
// own CP932 byte and colours. Rendering onto the surface is done by the platform.
#pragma once

namespace kerna::platform {

class TextGrid {
 public:
};

}  // namespace kerna::platform
