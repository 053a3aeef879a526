// The browser: the game compiled to WebAssembly runs on the page's one thread.
// Its blocking waits become yields to the browser (Asyncify): Sleep() sleeps
// with emscripten_sleep, and CheckClosed() lets the page breathe every few tens
// of milliseconds of a long search. At each of them the rows drawn since the
// last one are shown on the page's canvas, and the mouse, touch and keyboard
// events the page queued meanwhile are handed to the game, so input and
// drawing need no locks. The page (web/kerna-page.js) does the rest: the
// canvas's scale, Web Audio, the storage and the loading bar.
//
// The page is never "closed" from the game's side: leaving the page simply
// ends everything, so Sleep and CheckClosed never throw WindowClosed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.hpp"

namespace kerna::platform {

class WebPlatform : public Platform {
 public:
  // test_mode: the clock is virtual, as in the headless backend (it starts at 0
  // and only the game's sleeps advance it, by what they ask for, without
  // waiting for real time), and every frame shown also hands the clock and
  // the text grid to the page, so a page test sees the same pictures as a
  // headless run of the same inputs.
  explicit WebPlatform(bool test_mode);

  void ReadMouse() override;
  int64_t Clock() override;
  void Sleep(int milliseconds) override;
  void CheckClosed() override;
  void PlayWave(std::string_view game_path) override;
  bool VoiceOpen(std::string_view game_path) override;
  bool VoicePlay() override;
  bool VoiceStop() override;
  void VoiceClose() override;
  bool VoiceIsOpen() const override { return voice_open_; }
  void ShowMessageBox(std::string_view cp932_text, std::string_view cp932_caption) override;

 protected:
  void SurfaceChanged(int first_row, int last_row, bool urgent) override;

 private:
  // Shows the rows drawn since the last call on the canvas.
  void Present();
  // Applies the input events the page queued since the last call.
  void TakeInput();
  // Hands the thread to the browser for `milliseconds` (0: just let it run).
  void Yield(int milliseconds);

  // How long a search may run before it lets the page draw and take input.
  static constexpr double kSearchSliceMs = 40;

  bool test_mode_;
  int64_t virtual_now_ms_ = 0;
  double clock_origin_ms_ = 0;
  double last_yield_ms_ = 0;
  int pointer_x_ = 0, pointer_y_ = 0;
  int dirty_first_ = kSurfaceHeight;
  int dirty_last_ = -1;
  bool voice_open_ = false;
  std::string shown_text_;  // test mode: the text last handed to the page
};

}  // namespace kerna::platform
