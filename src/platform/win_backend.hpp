// The Windows window: Win32 for the window, the mouse, the keys and presenting
// the off-screen copy, WinSound for the placing sound and the voices, and text
// from the glyph sheet the program carries (no font library).
//
// Threads, as with SDL: Run() is called on the process's main thread, which
// becomes the window thread (the message loop, the mouse flags, the key queue,
// presenting); the game runs on a thread Run() starts and never waits for the
// window. Drawing copies the changed rows into the shared frame (converted to
// the window's BGRX pixels) at once, single pixels at most every 16 ms, the
// rest at the next Sleep/CheckClosed; the window thread paints the frame at
// most about 60 times a second, at a whole-number scale with sharp pixels.
// Closing the window (its close box, Alt+F4, the system logging off) makes the
// game's next Sleep or CheckClosed throw WindowClosed; if the game thread has not
// ended kCloseGraceMs later the process exits 0 anyway.
//
// Test mode (--test-mode): the clock is virtual, as in the headless backend
// (it starts at 0 and only the game's sleeps advance it, without waiting), so a
// scripted run shows the same pictures as a headless run of the same inputs.
// The program then reports on stdout, one line each: "window X Y SCALE" (the
// drawing area's screen position and scale, whenever it changes) and
// "clock MS EVENTS" (the virtual clock at a sleep of the game, and how many
// button presses, releases and key presses the window has received by then).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.hpp"
#include "platform/win_sound.hpp"

struct HWND__;

namespace kerna::platform {

class WinPlatform : public Platform {
 public:
  // Opens the window (title, icon, the drawing area centred in the work area at
  // the largest whole-number scale that fits it, or at forced_scale > 0) and the
  // audio device if there is one. nullptr and a one-line reason in *error when
  // the window cannot be made or the glyph sheet is missing.
  static std::unique_ptr<WinPlatform> Create(std::string* error, int forced_scale, bool test_mode);
  ~WinPlatform() override;
  int WindowScale() const { return scale_; }

  // Runs the game on its own thread and the message loop on this one until the
  // window is closed (or the game ends). Returns the process exit code: 0 after
  // a close, 1 when the game stopped with an error.
  int Run(const std::function<void()>& game);

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
  explicit WinPlatform(bool test_mode) : test_mode_(test_mode) {}
  bool OpenWindow(std::string* error, int forced_scale);

  // Window thread.
  static intptr_t __stdcall WindowProc(HWND__* window, unsigned message, uintptr_t wparam,
                                       intptr_t lparam);
  intptr_t HandleMessage(unsigned message, uintptr_t wparam, intptr_t lparam);
  // Sizes the window for the monitor it is on: the scale that fits its work area.
  void FitToMonitor(bool centre);
  void TakeFrame();
  void Paint();
  void SetPointer(int client_x, int client_y);
  void Received();
  void ReportWindow();

  // Game thread: copies the changed rows into the shared frame, unless (when not
  // forced) the last hand-over is less than one frame old.
  void Publish(bool force);
  void ReportClock();

  const bool test_mode_;
  HWND__* window_ = nullptr;
  int scale_ = 1;
  int forced_scale_ = 0;
  std::atomic<bool> closed_{false};
  std::atomic<int> pointer_x_{0}, pointer_y_{0};
  bool tracking_leave_ = false;  // window thread: WM_MOUSELEAVE asked for

  // Frame hand-over: the game thread converts changed rows into frame_, the
  // window thread copies frame_ into presented_, both under the mutex.
  std::mutex frame_mutex_;
  std::vector<uint32_t> frame_;
  bool frame_waiting_ = false;
  std::atomic<bool> wake_pending_{false};  // a frame message is on its way
  std::vector<uint32_t> presented_;        // window thread only
  int64_t last_paint_ms_ = 0;              // window thread only
  int dirty_first_ = kSurfaceHeight;       // game thread only (none: first > last)
  int dirty_last_ = -1;
  int64_t last_publish_ms_ = 0;

  // Lets a close interrupt a long Sleep at once.
  std::mutex sleep_mutex_;
  std::condition_variable sleep_wakeup_;

  // Test mode.
  std::atomic<int64_t> virtual_now_ms_{0};
  std::atomic<int> events_received_{0};
  int64_t last_report_ms_ = -1;  // game thread: real time of the last clock line
  int reported_events_ = 0;      // game thread: the count in that line
  std::mutex report_mutex_;

  WinSound sound_;
  bool audio_ = false;
  bool voice_open_ = false;
};

}  // namespace kerna::platform
