// The real window: SDL2 video for the window, the mouse and presenting the
// off-screen copy, SDL2_mixer for the placing sound and the voices.
//
// Threads: Run() is called on the process's main thread, which becomes the
// window thread (SDL's event loop, mouse flags, key queue, presenting); the game runs on a
// thread Run() starts. Every drawing operation copies the rows it changed into
// the shared frame at once (single pixels at most every 16 ms, and whatever is
// left at the next Sleep/CheckClosed), never blocking on the window: if the
// window thread holds the frame just then, the rows wait for the next
// operation. The window thread presents the frame at most about 60 times a
// second, so a loading message shows even while the game does not sleep. Closing the window (or
// SIGTERM / SIGINT, which SDL turns into a quit request) makes the game's next Sleep or CheckClosed
// throw WindowClosed; if the game thread has not ended 0.9 s later the process exits 0 anyway.
//
// The window thread reads SDL's queue without waiting in SDL, every few
// milliseconds and whenever the game hands over a frame or ends (a semaphore,
// not an SDL event). Waiting in SDL would let SDL wake itself by sending a message to
// the window over a second display connection; the X server orders nothing
// across connections, so on a busy machine that message could arrive after the
// window was destroyed, and the X error it causes ends the process with code 1.
#pragma once

#include <SDL2/SDL.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <vector>

#include "platform/platform.hpp"
#include "platform/window_mapping.hpp"

typedef struct Mix_Chunk Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace kerna::platform {

class SdlPlatform : public Platform {
 public:
  // Opens the window (title, icon, 640 x 440 drawing area at the top left, fixed
  // size) and the audio device if there is one. nullptr and a one-line reason in
  // *error when there is no display or no IPAGothic font. The window shows the
  // drawing area at the largest whole-number scale that fits the display's
  // usable area, or at forced_scale (> 0) when the player chose one.
  static std::unique_ptr<SdlPlatform> Create(std::string* error, int forced_scale = 0);
  // The scale the window opened at.
  int WindowScale() const { return scale_; }
  ~SdlPlatform() override;

  // Runs the game on its own thread and the window on this one until the window
  // is closed (or the game ends). Returns the process exit code: 0 after a
  // close, 1 when the game stopped with an error.
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
  SdlPlatform() = default;
  bool OpenWindow(std::string* error, int forced_scale);
  void OpenAudio();
  void CloseAudio();

  // Window thread.
  void HandleEvent(const SDL_Event& event, bool& quit);
  // Shows the frame the game handed over, if any (always: show the last one again).
  void PresentNewFrame(bool always = false);
  void SetPointer(int window_x, int window_y);
  // Game thread: copies the changed rows into the shared frame, unless (when not
  // forced) the last hand-over is less than one frame old.
  void Publish(bool force);

  SDL_Window* window_ = nullptr;
  int scale_ = 1;
  std::atomic<bool> closed_{false};
  std::atomic<int> pointer_x_{0}, pointer_y_{0};

  // Frame hand-over: the game thread copies changed rows into frame_, the
  // window thread copies frame_ into presented_, both under the mutex. The
  // game thread releases window_wakeup_ when a frame starts waiting and when
  // the game ends, and never waits for the window thread.
  std::mutex frame_mutex_;
  std::vector<Rgb> frame_;
  bool frame_waiting_ = false;
  std::atomic<bool> wake_pending_{false};  // a frame waits to be presented
  std::atomic<bool> game_ended_{false};
  std::counting_semaphore<> window_wakeup_{0};
  std::vector<Rgb> presented_;  // window thread only
  // Game thread only: rows changed since the last hand-over (none: first > last).
  int dirty_first_ = kSurfaceHeight;
  int dirty_last_ = -1;
  int64_t last_publish_ms_ = 0;

  // Lets a close interrupt a long Sleep at once.
  std::mutex sleep_mutex_;
  std::condition_variable sleep_wakeup_;

  // Audio (game thread after start-up).
  bool audio_ = false;
  std::map<std::string, Mix_Chunk*> chunks_;
  Mix_Music* music_ = nullptr;
  bool voice_open_ = false;
};

}  // namespace kerna::platform
