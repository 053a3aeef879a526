// SDL key codes to the game's keys (see sdl_keys.hpp).
#include "platform/sdl_keys.hpp"

#include <SDL2/SDL.h>

namespace kerna::platform {

namespace {

std::optional<Key> ArrowKey(int32_t code) {
  switch (code) {
    case SDLK_UP:
    case SDLK_KP_8:
      return Key::kUp;
    case SDLK_DOWN:
    case SDLK_KP_2:
      return Key::kDown;
    case SDLK_LEFT:
    case SDLK_KP_4:
      return Key::kLeft;
    case SDLK_RIGHT:
    case SDLK_KP_6:
      return Key::kRight;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<Key> KeyFromSdl(int32_t code, bool repeat) {
  if (const auto arrow = ArrowKey(code)) return arrow;
  if (repeat) return std::nullopt;
  if (code >= SDLK_1 && code <= SDLK_9) return DigitKey(code - SDLK_1 + 1);
  switch (code) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Key::kEnter;
    case SDLK_SPACE:
      return Key::kSpace;
    case SDLK_ESCAPE:
      return Key::kEscape;
    case SDLK_BACKSPACE:
      return Key::kBackspace;
    case SDLK_h:
      return Key::kH;
    case SDLK_u:
      return Key::kU;
    case SDLK_HOME:
      return Key::kHome;
    case SDLK_END:
      return Key::kEnd;
    case SDLK_n:
      return Key::kN;
    default:
      return std::nullopt;
  }
}

}  // namespace kerna::platform
