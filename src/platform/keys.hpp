// The keys the game answers: the arrows move the selection box, Enter and
// Space stand for a left click, H, U and Escape for the hint, undo and quit
// buttons, Backspace for a right click, and 1..9 pick the buttons on screen.
// The review screen also steps with Home and End (to the game's start and
// end) and N (to the next mistake).
// The window (or a test script) pushes presses into the platform's key queue;
// the game takes them one at a time in the same polling loops that read the
// mouse.
#pragma once

#include <cstdint>

namespace kerna::platform {

enum class Key : uint8_t {
  kUp,
  kDown,
  kLeft,
  kRight,
  kEnter,
  kSpace,
  kEscape,
  kBackspace,
  kH,
  kU,
  kDigit1,
  kDigit2,
  kDigit3,
  kDigit4,
  kDigit5,
  kDigit6,
  kDigit7,
  kDigit8,
  kDigit9,
  kHome,
  kEnd,
  kN,
};

// 1..9 for a digit key, else 0.
constexpr int KeyDigit(Key key) {
  const int offset = static_cast<int>(key) - static_cast<int>(Key::kDigit1);
  return offset >= 0 && offset < 9 ? offset + 1 : 0;
}

// The digit key for 1..9.
constexpr Key DigitKey(int digit) {
  return static_cast<Key>(static_cast<int>(Key::kDigit1) + digit - 1);
}

// Enter and Space both mean "this one", like a left click.
constexpr bool IsConfirmKey(Key key) {
  return key == Key::kEnter || key == Key::kSpace;
}

}  // namespace kerna::platform
