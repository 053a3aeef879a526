// How large the window is drawn: a whole-number multiple of the 640 x 440
// drawing area, so every drawing-area pixel becomes a sharp square block
// (window_mapping.hpp maps window pixels back).
#pragma once

#include <string_view>

namespace kerna::platform {

// The largest scale at which the drawing area plus the window's frame
// (decoration_width / decoration_height) fits the display's usable area;
// at least 1. A forced scale (> 0, from the window settings file) wins.
int FittingWindowScale(int usable_width, int usable_height, int decoration_width,
                       int decoration_height, int forced_scale = 0);

// The scale a window settings file asks for: the number on its "scale=N"
// line (1..8), else 0 (fit the display).
int ParseWindowScale(std::string_view file_text);

}  // namespace kerna::platform
