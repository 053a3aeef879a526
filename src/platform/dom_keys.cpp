// Browser key names to the game's keys (see dom_keys.hpp).
#include "platform/dom_keys.hpp"

namespace kerna::platform {

namespace {

std::optional<Key> ArrowKey(std::string_view key, std::string_view code) {
  if (key == "ArrowUp" || code == "Numpad8") return Key::kUp;
  if (key == "ArrowDown" || code == "Numpad2") return Key::kDown;
  if (key == "ArrowLeft" || code == "Numpad4") return Key::kLeft;
  if (key == "ArrowRight" || code == "Numpad6") return Key::kRight;
  return std::nullopt;
}

}  // namespace

std::optional<Key> KeyFromDom(std::string_view key, std::string_view code, bool repeat) {
  if (const auto arrow = ArrowKey(key, code)) return arrow;
  if (repeat) return std::nullopt;
  if (key.size() == 1 && key[0] >= '1' && key[0] <= '9') return DigitKey(key[0] - '0');
  if (key == "Enter" || code == "NumpadEnter") return Key::kEnter;
  if (key == " ") return Key::kSpace;
  if (key == "Escape") return Key::kEscape;
  if (key == "Backspace") return Key::kBackspace;
  if (key == "h" || key == "H") return Key::kH;
  if (key == "u" || key == "U") return Key::kU;
  if (key == "Home") return Key::kHome;
  if (key == "End") return Key::kEnd;
  if (key == "n" || key == "N") return Key::kN;
  return std::nullopt;
}

}  // namespace kerna::platform
