// The browser backend: drawing, input and time (see web_backend.hpp).
#include "platform/web_backend.hpp"

#include <emscripten.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/dom_keys.hpp"
#include "platform/glyph_font.hpp"
#include "platform/window_mapping.hpp"

namespace kerna::platform {

static_assert(sizeof(Rgb) == 3, "the page reads the surface as packed RGB bytes");

namespace {

// What the page queued; see kernaPage.nextInput in web/kerna-page.js.
enum InputKind { kNoInput = 0, kPointerMove = 1, kButtonDown = 2, kButtonUp = 3, kKeyDown = 4 };

// clang-format off
EM_JS(void, page_present, (const uint8_t* rgb, int size, int first_row, int last_row), {
  Module.kernaPage.present(HEAPU8.subarray(rgb, rgb + size), first_row, last_row);
});
EM_JS(void, page_test_state, (double clock_ms, const char* text), {
  Module.kernaPage.testState(clock_ms, text ? UTF8ToString(text) : null);
});
// A yield that returns as soon as the browser has run what was waiting (a
// timer would wait 4 ms at least): the test mode's virtual time need not wait.
EM_ASYNC_JS(void, page_yield_briefly, (), {
  await Module.kernaPage.yieldBriefly();
});
// numbers: x, y, width, height (of the canvas, in hundredths of a CSS pixel),
// button (0 left, 2 right), repeat; text: "key\tcode" of a key press.
EM_JS(int, page_next_input, (int32_t* numbers, char* text, int text_size), {
  const event = Module.kernaPage.nextInput();
  if (!event) return 0;
  for (let i = 0; i < 6; ++i) HEAP32[(numbers >> 2) + i] = event.numbers[i] | 0;
  stringToUTF8(event.text || "", text, text_size);
  return event.kind;
});
// clang-format on

}  // namespace

WebPlatform::WebPlatform(bool test_mode) : test_mode_(test_mode) {
  // The game seeds its random numbers from the clock at start-up; a clock that
  // starts at a random point makes every visit's game different.
  std::random_device entropy;
  clock_origin_ms_ = emscripten_get_now() - static_cast<double>(entropy() % 1'000'000'000u);
  last_yield_ms_ = emscripten_get_now();
  if (const auto& file = GlyphFont::CachedFile()) SetFont(GlyphFont::Open(*file, nullptr));
}

void WebPlatform::SurfaceChanged(int first_row, int last_row, bool /*urgent*/) {
  dirty_first_ = std::min(dirty_first_, first_row);
  dirty_last_ = std::max(dirty_last_, last_row);
}

void WebPlatform::Present() {
  if (dirty_first_ <= dirty_last_) {
    page_present(reinterpret_cast<const uint8_t*>(surface().pixels().data()),
                 static_cast<int>(surface().pixels().size() * sizeof(Rgb)), dirty_first_,
                 dirty_last_);
    dirty_first_ = kSurfaceHeight;
    dirty_last_ = -1;
  }
  if (test_mode_) {
    std::string rows;
    // The rows the surface shows (the grid goes on below them).
    for (int row = 0; row * TextGrid::kCellHeight < kSurfaceHeight; ++row) {
      rows += text().RowText(row) + "\n";
    }
    const bool changed = rows != shown_text_;
    page_test_state(static_cast<double>(virtual_now_ms_), changed ? rows.c_str() : nullptr);
    if (changed) shown_text_ = std::move(rows);
  }
}

void WebPlatform::TakeInput() {
  int32_t numbers[6] = {};
  char text[64] = {};
  for (;;) {
    const int kind = page_next_input(numbers, text, sizeof text);
    if (kind == kNoInput) return;
    if (kind == kPointerMove || kind == kButtonDown) {
      const AreaPoint point = MapWindowToArea(numbers[0], numbers[1], numbers[2], numbers[3]);
      pointer_x_ = point.x;
      pointer_y_ = point.y;
    }
    if (kind == kButtonDown || kind == kButtonUp) {
      const bool down = kind == kButtonDown;
      if (numbers[4] == 2) {
        PressRight(down);
      } else {
        PressLeft(down);
      }
    }
    if (kind == kKeyDown) {
      const std::string_view both(text);
      const size_t tab = both.find('\t');
      const auto key =
          KeyFromDom(both.substr(0, tab), tab == std::string_view::npos ? "" : both.substr(tab + 1),
                     numbers[5] != 0);
      if (key) PushKey(*key);
    }
  }
}

void WebPlatform::ReadMouse() {
  TakeInput();
  mouse_x_ = pointer_x_;
  mouse_y_ = pointer_y_;
}

int64_t WebPlatform::Clock() {
  if (test_mode_) return virtual_now_ms_;
  return static_cast<int64_t>(emscripten_get_now() - clock_origin_ms_);
}

void WebPlatform::Yield(int milliseconds) {
  Present();
  if (test_mode_) {
    page_yield_briefly();
  } else {
    emscripten_sleep(static_cast<unsigned>(std::max(milliseconds, 0)));
  }
  last_yield_ms_ = emscripten_get_now();
  TakeInput();
}

void WebPlatform::Sleep(int milliseconds) {
  if (test_mode_) virtual_now_ms_ += std::max(milliseconds, 0);
  Yield(milliseconds);
}

void WebPlatform::CheckClosed() {
  if (emscripten_get_now() - last_yield_ms_ >= kSearchSliceMs) Yield(0);
}

}  // namespace kerna::platform
