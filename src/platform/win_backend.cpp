// The Win32 window, its message loop, the frame hand-over and the game thread
// (see win_backend.hpp).
#include "platform/win_backend.hpp"

#include <windows.h>
// After windows.h:
#include <mmsystem.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "platform/glyph_font.hpp"
#include "platform/virtual_keys.hpp"
#include "platform/win_text.hpp"
#include "platform/window_mapping.hpp"
#include "platform/window_scale.hpp"
#include "platform/window_title.hpp"

namespace kerna::platform {

namespace {

constexpr const wchar_t* kWindowClass = L"KernaReversiWindow";
// The resource script's icon (windows/kerna-reversi.rc).
constexpr int kIconResource = 1;
// A frame is waiting in the shared frame.
constexpr UINT kFrameMessage = WM_APP + 1;
constexpr UINT_PTR kFrameTimer = 1;
// A new frame at most this often.
constexpr int64_t kFrameMs = 16;
// Test mode: a clock line at most this often (real time), and whenever the input changed.
constexpr int64_t kReportMs = 5;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int64_t RealMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

uint32_t Bgrx(Rgb colour) {
  return static_cast<uint32_t>(colour.r) << 16 | static_cast<uint32_t>(colour.g) << 8 | colour.b;
}

// The frame's size for a client area: AdjustWindowRectExForDpi where the
// system has it (Windows 10), so the frame is measured at the monitor's DPI.
// A function of user32 that older systems lack, or nullptr.
template <typename Function>
Function SystemFunction(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

SIZE FrameSize(HWND window) {
  RECT rect{0, 0, 100, 100};
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  using DpiForWindow = UINT(WINAPI*)(HWND);
  const auto adjust = SystemFunction<AdjustForDpi>("AdjustWindowRectExForDpi");
  const auto dpi = SystemFunction<DpiForWindow>("GetDpiForWindow");
  if (adjust != nullptr && dpi != nullptr) {
    adjust(&rect, kStyle, FALSE, 0, dpi(window));
  } else {
    AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  }
  return {rect.right - rect.left - 100, rect.bottom - rect.top - 100};
}

}  // namespace

std::unique_ptr<WinPlatform> WinPlatform::Create(std::string* error, int forced_scale,
                                                 bool test_mode) {
  std::string font_error;
  const auto font_file = GlyphFont::FindFile(&font_error);
  std::unique_ptr<GlyphFont> font = font_file ? GlyphFont::Open(*font_file, &font_error) : nullptr;
  if (!font) {
    *error = font_error;
    return nullptr;
  }
  std::unique_ptr<WinPlatform> platform(new WinPlatform(test_mode));
  platform->SetFont(std::move(font));
  if (!platform->OpenWindow(error, forced_scale)) return nullptr;
  platform->audio_ = platform->sound_.Open();
  return platform;
}

bool WinPlatform::OpenWindow(std::string* error, int forced_scale) {
  forced_scale_ = forced_scale;
  frame_.resize(static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight);
  presented_.resize(frame_.size());
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = reinterpret_cast<WNDPROC>(&WinPlatform::WindowProc);
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.lpszClassName = kWindowClass;
  if (RegisterClassExW(&window_class) == 0) {
    *error = "cannot register the window class";
    return false;
  }
  window_ = CreateWindowExW(0, kWindowClass, WideFromUtf8(kWindowTitle).c_str(), kStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, kSurfaceWidth, kSurfaceHeight, nullptr,
                            nullptr, instance, this);
  if (window_ == nullptr) {
    *error = "cannot open the window (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  FitToMonitor(true);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  return true;
}

// The window is left to the system, which takes it away with the process (one
// platform lives as long as the program): under Wine without a window manager
// DestroyWindow alone waits two seconds for one.
WinPlatform::~WinPlatform() {
  if (audio_) sound_.Close();
  SetFont(nullptr);
}

// --- Window thread ---

void WinPlatform::FitToMonitor(bool centre) {
  const HMONITOR monitor = MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT work{0, 0, kSurfaceWidth, kSurfaceHeight};
  if (GetMonitorInfoW(monitor, &info)) work = info.rcWork;
  const SIZE frame = FrameSize(window_);
  const int work_width = work.right - work.left;
  const int work_height = work.bottom - work.top;
  scale_ = FittingWindowScale(work_width, work_height, frame.cx, frame.cy, forced_scale_);
  const int width = kSurfaceWidth * scale_ + frame.cx;
  const int height = kSurfaceHeight * scale_ + frame.cy;
  RECT now{};
  GetWindowRect(window_, &now);
  int x = now.left, y = now.top;
  if (centre) {
    x = work.left + std::max(0, (work_width - width) / 2);
    y = work.top + std::max(0, (work_height - height) / 2);
  }
  SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ReportWindow();
}

int WinPlatform::Run(const std::function<void()>& game) {
  timeBeginPeriod(1);             // the game's 1-ms sleeps, not the default 15.6 ms
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
    game_ended.set_value(failed);
    PostMessageW(window_, WM_CLOSE, 0, 0);  // a game that ends by itself closes the window
  });

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  {
    std::lock_guard lock(sleep_mutex_);
    closed_ = true;
  }
  sleep_wakeup_.notify_all();
  const bool ended =
      game_result.wait_for(std::chrono::milliseconds(kCloseGraceMs)) == std::future_status::ready;
  timeEndPeriod(1);
  if (!ended) {
    // The game is stuck somewhere that never sleeps or checks (a message box,
    // say); the player closed the window, so end now.
    std::fflush(nullptr);
    std::_Exit(0);
  }
  game_thread.join();
  return game_result.get() ? 1 : 0;
}

intptr_t __stdcall WinPlatform::WindowProc(HWND window, unsigned message, uintptr_t wparam,
                                           intptr_t lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<WinPlatform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->window_ != window) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

intptr_t WinPlatform::HandleMessage(unsigned message, uintptr_t wparam, intptr_t lparam) {
  switch (message) {
    case WM_CLOSE: {
      // The game thread ends, and the window with the process. It is not hidden
      // first: a message box the game shows keeps its owner, and under Wine
      // without a window manager hiding waits two seconds for one.
      {
        std::lock_guard lock(sleep_mutex_);
        closed_ = true;
      }
      sleep_wakeup_.notify_all();
      PostQuitMessage(0);
      return 0;
    }
    case WM_ENDSESSION:
      if (wparam) SendMessageW(window_, WM_CLOSE, 0, 0);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole client area
    case kFrameMessage:
    case WM_TIMER: {
      KillTimer(window_, kFrameTimer);
      const int64_t wait = last_paint_ms_ + kFrameMs - RealMilliseconds();
      if (wait > 0) {
        SetTimer(window_, kFrameTimer, static_cast<UINT>(wait), nullptr);
      } else {
        TakeFrame();
      }
      return 0;
    }
    case WM_MOVE:
      ReportWindow();
      return 0;
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
      FitToMonitor(false);
      return 0;
    case WM_MOUSEMOVE:
      SetPointer(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window_, 0};
        tracking_leave_ = TrackMouseEvent(&track) != 0;
      }
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      pointer_x_ = -1;  // outside the drawing area: over no button and no square
      pointer_y_ = -1;
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
      SetPointer(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
      // Held outside the window, the button's release still comes here.
      if (down) SetCapture(window_);
      if (!down && (wparam & (MK_LBUTTON | MK_RBUTTON)) == 0) ReleaseCapture();
      if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        PressLeft(down);
      } else {
        PressRight(down);
      }
      Received();
      return 0;
    }
    case WM_KEYDOWN:
      if (const auto key = KeyFromVirtualKey(static_cast<unsigned>(wparam), (lparam >> 30) & 1)) {
        PushKey(*key);
        Received();
      }
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

void WinPlatform::SetPointer(int client_x, int client_y) {
  const AreaPoint area =
      MapWindowToArea(client_x, client_y, kSurfaceWidth * scale_, kSurfaceHeight * scale_);
  pointer_x_ = area.x;
  pointer_y_ = area.y;
}

void WinPlatform::Received() {
  if (test_mode_) ++events_received_;
}

void WinPlatform::TakeFrame() {
  wake_pending_ = false;
  {
    std::lock_guard lock(frame_mutex_);
    if (!frame_waiting_) return;
    std::copy(frame_.begin(), frame_.end(), presented_.begin());
    frame_waiting_ = false;
  }
  last_paint_ms_ = RealMilliseconds();
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void WinPlatform::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  BITMAPINFO bitmap{};
  bitmap.bmiHeader.biSize = sizeof bitmap.bmiHeader;
  bitmap.bmiHeader.biWidth = kSurfaceWidth;
  bitmap.bmiHeader.biHeight = -kSurfaceHeight;  // top row first
  bitmap.bmiHeader.biPlanes = 1;
  bitmap.bmiHeader.biBitCount = 32;
  bitmap.bmiHeader.biCompression = BI_RGB;
  // Each drawing-area pixel becomes a scale x scale block: COLORONCOLOR
  // stretches by repeating pixels, so the pictures stay sharp.
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, kSurfaceWidth * scale_, kSurfaceHeight * scale_, 0, 0, kSurfaceWidth,
                kSurfaceHeight, presented_.data(), &bitmap, DIB_RGB_COLORS, SRCCOPY);
  EndPaint(window_, &paint);
}

void WinPlatform::ReportWindow() {
  if (!test_mode_ || window_ == nullptr) return;
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  std::lock_guard lock(report_mutex_);
  std::printf("window %ld %ld %d\n", static_cast<long>(origin.x), static_cast<long>(origin.y),
              scale_);
  std::fflush(stdout);
}

// --- Game thread ---

void WinPlatform::SurfaceChanged(int first_row, int last_row, bool urgent) {
  dirty_first_ = std::min(dirty_first_, first_row);
  dirty_last_ = std::max(dirty_last_, last_row);
  Publish(urgent);
}

void WinPlatform::Publish(bool force) {
  if (dirty_first_ > dirty_last_) return;
  const int64_t now = RealMilliseconds();
  if (!force && now - last_publish_ms_ < kFrameMs) return;
  std::unique_lock lock(frame_mutex_, std::try_to_lock);
  if (!lock.owns_lock()) return;  // the window is copying the frame: next time
  const auto& pixels = surface().pixels();
  const size_t first = static_cast<size_t>(dirty_first_) * kSurfaceWidth;
  const size_t last = static_cast<size_t>(dirty_last_ + 1) * kSurfaceWidth;
  std::transform(pixels.begin() + first, pixels.begin() + last, frame_.begin() + first, Bgrx);
  frame_waiting_ = true;
  lock.unlock();
  dirty_first_ = kSurfaceHeight;
  dirty_last_ = -1;
  last_publish_ms_ = now;
  if (!wake_pending_.exchange(true)) PostMessageW(window_, kFrameMessage, 0, 0);
}

void WinPlatform::ReportClock() {
  if (!test_mode_) return;
  const int events = events_received_;
  const int64_t now = RealMilliseconds();
  // The clock's own progress is reported now and then, new input at once.
  if (events == reported_events_ && now - last_report_ms_ < kReportMs) return;
  last_report_ms_ = now;
  reported_events_ = events;
  std::lock_guard lock(report_mutex_);
  std::printf("clock %lld %d\n", static_cast<long long>(virtual_now_ms_.load()), events);
  std::fflush(stdout);
}

int64_t WinPlatform::Clock() {
  return test_mode_ ? virtual_now_ms_.load() : RealMilliseconds();
}

void WinPlatform::Sleep(int milliseconds) {
  if (closed_) throw WindowClosed{};
  Publish(true);  // whatever is still waiting to be shown
  if (test_mode_) {
    virtual_now_ms_ += std::max(milliseconds, 0);
    ReportClock();
    std::this_thread::yield();
    if (closed_) throw WindowClosed{};
    return;
  }
  std::unique_lock lock(sleep_mutex_);
  if (sleep_wakeup_.wait_for(lock, std::chrono::milliseconds(std::max(milliseconds, 0)),
                             [this] { return closed_.load(); })) {
    throw WindowClosed{};
  }
}

void WinPlatform::CheckClosed() {
  if (closed_) throw WindowClosed{};
  Publish(false);
}

void WinPlatform::ReadMouse() {
  mouse_x_ = pointer_x_;
  mouse_y_ = pointer_y_;
}

// --- Sound and message boxes ---

void WinPlatform::PlayWave(std::string_view game_path) {
  if (audio_) sound_.PlayWave(WideFromUtf8(ResolvePath(game_path)));
}

bool WinPlatform::VoiceOpen(std::string_view game_path) {
  VoiceClose();
  // No sound device: the voice "plays" silently, so no failure box appears.
  voice_open_ =
      audio_ ? sound_.VoiceOpen(WideFromUtf8(ResolvePath(game_path))) : VoiceFileExists(game_path);
  return voice_open_;
}

bool WinPlatform::VoicePlay() {
  if (!voice_open_) return false;
  return !audio_ || sound_.VoicePlay();
}

bool WinPlatform::VoiceStop() {
  if (!voice_open_) return false;
  if (audio_) sound_.VoiceStop();
  return true;
}

void WinPlatform::VoiceClose() {
  if (voice_open_ && audio_) sound_.VoiceClose();
  voice_open_ = false;
}

void WinPlatform::ShowMessageBox(std::string_view cp932_text, std::string_view cp932_caption) {
  Publish(true);  // let the window show what led to the message
  MessageBoxW(window_, WideFromUtf8(FromCp932(cp932_text)).c_str(),
              WideFromUtf8(FromCp932(cp932_caption)).c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace kerna::platform
