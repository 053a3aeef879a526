// Window scale choice (see window_scale.hpp).
#include "platform/window_scale.hpp"

#include <algorithm>
#include <cstdint>

#include "platform/surface.hpp"

namespace kerna::platform {

namespace {
constexpr int kLargestScale = 8;  // a forced scale beyond this is a typing slip
}

int FittingWindowScale(int usable_width, int usable_height, int decoration_width,
                       int decoration_height, int forced_scale) {
  if (forced_scale >= 1 && forced_scale <= kLargestScale) return forced_scale;
  const int room_x = usable_width - std::max(decoration_width, 0);
  const int room_y = usable_height - std::max(decoration_height, 0);
  const int scale = std::min(room_x / kSurfaceWidth, room_y / kSurfaceHeight);
  return std::clamp(scale, 1, kLargestScale);
}

int ParseWindowScale(std::string_view text) {
  constexpr std::string_view kKey = "scale=";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line.starts_with(kKey)) {
      line.remove_prefix(kKey.size());
      int value = 0;
      bool digits = !line.empty() && line.size() <= 2;
      for (char c : line) {
        if (c < '0' || c > '9') digits = false;
        value = value * 10 + (c - '0');
      }
      return digits && value >= 1 && value <= kLargestScale ? value : 0;
    }
    start = end + 1;
  }
  return 0;
}

}  // namespace kerna::platform
