// Windows virtual-key codes to the game's keys (see virtual_keys.hpp).
#include "platform/virtual_keys.hpp"

namespace kerna::platform {

namespace {

// The codes of <windows.h> (fixed by the Windows ABI), written out so that the
// mapping builds and is tested on every system.
enum VirtualKey : unsigned {
  kBack = 0x08,
  kReturn = 0x0D,
  kEscape = 0x1B,
  kSpace = 0x20,
  kEnd = 0x23,
  kHome = 0x24,
  kLeft = 0x25,
  kUp = 0x26,
  kRight = 0x27,
  kDown = 0x28,
  kDigit1 = 0x31,
  kDigit9 = 0x39,
  kLetterH = 0x48,
  kLetterN = 0x4E,
  kLetterU = 0x55,
  kNumpad2 = 0x62,
  kNumpad4 = 0x64,
  kNumpad6 = 0x66,
  kNumpad8 = 0x68,
};

std::optional<Key> ArrowKey(unsigned code) {
  switch (code) {
    case kUp:
    case kNumpad8:
      return Key::kUp;
    case kDown:
    case kNumpad2:
      return Key::kDown;
    case kLeft:
    case kNumpad4:
      return Key::kLeft;
    case kRight:
    case kNumpad6:
      return Key::kRight;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<Key> KeyFromVirtualKey(unsigned code, bool repeat) {
  if (const auto arrow = ArrowKey(code)) return arrow;
  if (repeat) return std::nullopt;
  if (code >= kDigit1 && code <= kDigit9) return DigitKey(static_cast<int>(code - kDigit1) + 1);
  switch (code) {
    case kReturn:
      return Key::kEnter;
    case kSpace:
      return Key::kSpace;
    case kEscape:
      return Key::kEscape;
    case kBack:
      return Key::kBackspace;
    case kLetterH:
      return Key::kH;
    case kLetterU:
      return Key::kU;
    case kHome:
      return Key::kHome;
    case kEnd:
      return Key::kEnd;
    case kLetterN:
      return Key::kN;
    default:
      return std::nullopt;
  }
}

}  // namespace kerna::platform
