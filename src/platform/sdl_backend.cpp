// The SDL window, its event loop, the frame hand-over and the game thread
// (see sdl_backend.hpp).
#include "platform/sdl_backend.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "platform/glyph_font.hpp"
#include "platform/quiet_stderr.hpp"
#include "platform/sdl_keys.hpp"
#include "platform/sdl_window_icon.hpp"
#include "platform/window_scale.hpp"
#include "platform/window_title.hpp"

namespace kerna::platform {

namespace {

static_assert(sizeof(Rgb) == 3, "the surface must be packed RGB24 to be handed to SDL");

// A new frame at most this often.
constexpr int64_t kFrameMs = 16;
constexpr std::chrono::milliseconds kFrame{kFrameMs};
// The window thread reads SDL's queue this often: a click reaches the game at
// most this much later than the display has it (the game thread itself looks
// every millisecond).
constexpr std::chrono::milliseconds kInputPoll{4};

// Starts SDL's video on a real display. Left to itself SDL would fall back to an
// invisible "offscreen" window, and probing Wayland without a compositor prints
// to stderr, so only the displays the environment names are tried.
bool InitVideo(std::string* error) {
  if (std::getenv("SDL_VIDEODRIVER") != nullptr) {  // the user's explicit choice
    if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
    *error = std::string("no display found: ") + SDL_GetError();
    return false;
  }
  std::vector<const char*> drivers;
  if (std::getenv("DISPLAY") != nullptr) drivers.push_back("x11");
  if (std::getenv("WAYLAND_DISPLAY") != nullptr) drivers.push_back("wayland");
  if (drivers.empty()) {
    *error = "no display found: neither DISPLAY nor WAYLAND_DISPLAY is set";
    return false;
  }
  std::string reasons;
  for (const char* driver : drivers) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    if (Quietly([] { return SDL_Init(SDL_INIT_VIDEO); }) == 0) return true;
    const char* name = driver[0] == 'x' ? "DISPLAY" : "WAYLAND_DISPLAY";
    reasons += (reasons.empty() ? "" : "; ") + std::string(driver) + " (" + name + "=" +
               std::getenv(name) + "): " + SDL_GetError();
  }
  *error = "no display found: " + reasons;
  return false;
}

}  // namespace

std::unique_ptr<SdlPlatform> SdlPlatform::Create(std::string* error, int forced_scale) {
  // A click that activates the window also counts, as players expect.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Present through the display's own shared-memory images. Otherwise SDL
  // first probes OpenGL (on a machine without a GPU: a software renderer that
  // compiles shaders at start-up) only to blit one 640 x 440 picture.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (!InitVideo(error)) return nullptr;
  std::string font_error;
  const auto font_file = GlyphFont::FindFile(&font_error);
  std::unique_ptr<GlyphFont> font = font_file ? GlyphFont::Open(*font_file, &font_error) : nullptr;
  if (!font) {
    *error = font_error;
    SDL_Quit();
    return nullptr;
  }
  std::unique_ptr<SdlPlatform> platform(new SdlPlatform());
  platform->SetFont(std::move(font));
  if (!platform->OpenWindow(error, forced_scale)) return nullptr;
  platform->OpenAudio();
  return platform;
}

bool SdlPlatform::OpenWindow(std::string* error, int forced_scale) {
  frame_.resize(static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight);
  presented_.resize(frame_.size());
  window_ = SDL_CreateWindow(kWindowTitle, 0, 0, kSurfaceWidth, kSurfaceHeight, 0);
  if (window_ == nullptr) {
    *error = std::string("cannot open the window: ") + SDL_GetError();
    return false;
  }
  // The frame's size is known once the window exists; without a window
  // manager it is 0.
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;
  }
  SDL_Rect usable{0, 0, kSurfaceWidth, kSurfaceHeight};
  const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) usable = {0, 0, 0, 0};
  scale_ = FittingWindowScale(usable.w, usable.h, left + right, top + bottom, forced_scale);
  // Each drawing-area pixel is blitted as a scale x scale block (surface
  // stretching is nearest-neighbour), so the pictures stay sharp.
  if (scale_ != 1) SDL_SetWindowSize(window_, kSurfaceWidth * scale_, kSurfaceHeight * scale_);
  if (SDL_Surface* icon = MakeWindowIcon()) {
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
  }
  PresentNewFrame(true);  // black until the game draws
  return true;
}

SdlPlatform::~SdlPlatform() {
  CloseAudio();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SetFont(nullptr);
  SDL_Quit();
}

// --- Window thread ---

int SdlPlatform::Run(const std::function<void()>& game) {
  std::promise<bool> game_ended;  // true when the game stopped with an error
  std::future<bool> game_result = game_ended.get_future();
  std::thread game_thread([&] {
    bool failed = false;
    try {
      game();
    } catch (const WindowClosed&) {
    } catch (const std::exception& problem) {
      std::fprintf(stderr, "the game stopped: %s\n", problem.what());
      failed = true;
    }
    SDL_TLSCleanup();  // SDL keeps per-thread error texts; this thread is not SDL's own
    game_ended.set_value(failed);
    game_ended_ = true;  // a game that ends by itself closes the window
    window_wakeup_.release();
  });

  bool quit = false;
  auto next_present = std::chrono::steady_clock::now();
  while (!game_ended_) {
    SDL_Event event;
    while (!quit && SDL_PollEvent(&event)) HandleEvent(event, quit);
    if (quit) break;
    const auto now = std::chrono::steady_clock::now();
    if (wake_pending_ && now >= next_present) {
      wake_pending_ = false;
      PresentNewFrame();
      next_present = now + kFrame;
    }
    // Until the next look at the queue, a new frame (when it may be shown) or the game's end.
    const auto next_look = now + kInputPoll;
    (void)window_wakeup_.try_acquire_until(wake_pending_ ? std::min(next_present, next_look)
                                                         : next_look);
  }

  {
    std::lock_guard lock(sleep_mutex_);
    closed_ = true;
  }
  sleep_wakeup_.notify_all();
  SDL_HideWindow(window_);
  if (game_result.wait_for(std::chrono::milliseconds(kCloseGraceMs)) != std::future_status::ready) {
    // The game is stuck somewhere that never sleeps or checks (a message box,
    // say); the player closed the window, so end now.
    std::fflush(nullptr);
    std::_Exit(0);
  }
  game_thread.join();
  return game_result.get() ? 1 : 0;
}

void SdlPlatform::HandleEvent(const SDL_Event& event, bool& quit) {
  switch (event.type) {
    case SDL_QUIT:
      quit = true;
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) quit = true;
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) SDL_UpdateWindowSurface(window_);
      if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
        pointer_x_ = -1;  // outside the drawing area: over no button and no square
        pointer_y_ = -1;
      }
      break;
    case SDL_MOUSEMOTION:
      SetPointer(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      SetPointer(event.button.x, event.button.y);
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (event.button.button == SDL_BUTTON_LEFT) PressLeft(down);
      if (event.button.button == SDL_BUTTON_RIGHT) PressRight(down);
      break;
    }
    case SDL_KEYDOWN:
      if (const auto key = KeyFromSdl(event.key.keysym.sym, event.key.repeat != 0)) PushKey(*key);
      break;
    default:
      break;
  }
}

void SdlPlatform::SetPointer(int window_x, int window_y) {
  int width = 0, height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  const AreaPoint area = MapWindowToArea(window_x, window_y, width, height);
  pointer_x_ = area.x;
  pointer_y_ = area.y;
}

void SdlPlatform::PresentNewFrame(bool always) {
  {
    std::lock_guard lock(frame_mutex_);
    if (frame_waiting_) {
      std::copy(frame_.begin(), frame_.end(), presented_.begin());
      frame_waiting_ = false;
    } else if (!always) {
      return;
    }
  }
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  SDL_Surface* source =
      SDL_CreateRGBSurfaceWithFormatFrom(presented_.data(), kSurfaceWidth, kSurfaceHeight, 24,
                                         kSurfaceWidth * 3, SDL_PIXELFORMAT_RGB24);
  if (target != nullptr && source != nullptr) {
    if (target->w == kSurfaceWidth && target->h == kSurfaceHeight) {
      SDL_BlitSurface(source, nullptr, target, nullptr);
    } else {
      SDL_BlitScaled(source, nullptr, target, nullptr);
    }
    SDL_UpdateWindowSurface(window_);
  }
  SDL_FreeSurface(source);
}

// --- Game thread ---

void SdlPlatform::SurfaceChanged(int first_row, int last_row, bool urgent) {
  dirty_first_ = std::min(dirty_first_, first_row);
  dirty_last_ = std::max(dirty_last_, last_row);
  Publish(urgent);
}

void SdlPlatform::Publish(bool force) {
  if (dirty_first_ > dirty_last_) return;
  const int64_t now = Clock();
  if (!force && now - last_publish_ms_ < kFrameMs) return;
  std::unique_lock lock(frame_mutex_, std::try_to_lock);
  if (!lock.owns_lock()) return;  // the window is copying the frame: next time
  const auto first = surface().pixels().begin() + dirty_first_ * kSurfaceWidth;
  const auto last = surface().pixels().begin() + (dirty_last_ + 1) * kSurfaceWidth;
  std::copy(first, last, frame_.begin() + dirty_first_ * kSurfaceWidth);
  frame_waiting_ = true;
  lock.unlock();
  dirty_first_ = kSurfaceHeight;
  dirty_last_ = -1;
  last_publish_ms_ = now;
  if (!wake_pending_.exchange(true)) window_wakeup_.release();
}

int64_t SdlPlatform::Clock() {
  // CLOCK_MONOTONIC: milliseconds since the system started.
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SdlPlatform::Sleep(int milliseconds) {
  if (closed_) throw WindowClosed{};
  Publish(true);  // whatever is still waiting to be shown
  std::unique_lock lock(sleep_mutex_);
  if (sleep_wakeup_.wait_for(lock, std::chrono::milliseconds(std::max(milliseconds, 0)),
                             [this] { return closed_.load(); })) {
    throw WindowClosed{};
  }
}

void SdlPlatform::CheckClosed() {
  if (closed_) throw WindowClosed{};
  Publish(false);
}

void SdlPlatform::ReadMouse() {
  mouse_x_ = pointer_x_;
  mouse_y_ = pointer_y_;
}

}  // namespace kerna::platform
