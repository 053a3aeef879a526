// Small X11 helper for the real-window checks (xdotool cannot do these):
//   xvfb_helper close WINDOW_ID        asks the window to close, as a window
//                                      manager's close button does (WM_DELETE_WINDOW)
//   xvfb_helper close-wait WINDOW_ID PID TIMEOUT_MS
//                                      the same, then polls the process every
//                                      millisecond and prints the time from the
//                                      request to its end (ms); exit 1 on timeout.
//                                      Timed here, the request is not delayed by
//                                      this helper's own start on a busy machine
//   xvfb_helper wait-colour X Y RRGGBB TIMEOUT_MS
//                                      polls the screen pixel every millisecond and
//                                      prints the wall-clock time (ms since the epoch)
//                                      when it first has the colour; exit 1 on timeout
//   xvfb_helper wait-change X Y RRGGBB TIMEOUT_MS
//                                      the same, for the first colour other than RRGGBB
//   xvfb_helper grids STEP N X Y [X Y...]
//                                      prints "R G B" (decimal) of the N x N screen
//                                      pixels (X + i STEP, Y + j STEP), row by row,
//                                      for each origin in turn, all from one read
//                                      of the screen
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

int64_t WallClockMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

int Close(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  return 0;
}

// Gone, or a zombie its parent (the check's shell) has not collected yet.
bool ProcessEnded(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::stringstream text;
  text << stat.rdbuf();
  // "pid (name) state ...": the name may hold anything, so read after the last ')'.
  const std::string fields = text.str();
  const size_t name_end = fields.rfind(')');
  if (name_end == std::string::npos || name_end + 2 >= fields.size()) return true;
  const char state = fields[name_end + 2];
  return state == 'Z' || state == 'X';
}

int CloseAndWait(Display* display, Window window, pid_t pid, int timeout_ms) {
  const auto start = std::chrono::steady_clock::now();
  Close(display, window);
  XSync(display, False);  // a window already gone fails here, with Xlib's message
  while (!ProcessEnded(pid)) {
    const auto waited = std::chrono::steady_clock::now() - start;
    if (waited > std::chrono::milliseconds(timeout_ms)) {
      std::fprintf(stderr, "process %d still runs %d ms after the close request\n",
                   static_cast<int>(pid), timeout_ms);
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const auto took = std::chrono::steady_clock::now() - start;
  std::printf("%lld\n", static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
  return 0;
}

int WaitColour(Display* display, int x, int y, unsigned long wanted, bool equal, int timeout_ms) {
  const Window root = DefaultRootWindow(display);
  const int64_t deadline = WallClockMs() + timeout_ms;
  while (WallClockMs() < deadline) {
    if (XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap)) {
      const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
      XDestroyImage(image);
      if ((pixel == wanted) == equal) {
        std::printf("%lld\n", static_cast<long long>(WallClockMs()));
        return 0;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::fprintf(stderr, "pixel (%d,%d) never %s %06lx\n", x, y, equal ? "became" : "left", wanted);
  return 1;
}

// Every grid's pixels from one read of the screen, so that they show one moment.
int PrintGrids(Display* display, int step, int count,
               const std::vector<std::pair<int, int>>& origins) {
  int left = origins[0].first, top = origins[0].second, right = left, bottom = top;
  for (const auto& [x, y] : origins) {
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x);
    bottom = std::max(bottom, y);
  }
  const int span = step * (count - 1) + 1;
  XImage* image = XGetImage(display, DefaultRootWindow(display), left, top, right - left + span,
                            bottom - top + span, AllPlanes, ZPixmap);
  if (image == nullptr) {
    std::fprintf(stderr, "cannot read the screen at (%d,%d)\n", left, top);
    return 1;
  }
  for (const auto& [x, y] : origins) {
    for (int j = 0; j < count; ++j) {
      for (int i = 0; i < count; ++i) {
        const unsigned long pixel = XGetPixel(image, x - left + i * step, y - top + j * step);
        std::printf("%lu %lu %lu\n", (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
      }
    }
  }
  XDestroyImage(image);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "xvfb_helper: cannot open the display\n");
    return 2;
  }
  int result = 2;
  if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    result = Close(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  } else if (argc == 5 && std::strcmp(argv[1], "close-wait") == 0) {
    result = CloseAndWait(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)),
                          static_cast<pid_t>(std::atoi(argv[3])), std::atoi(argv[4]));
  } else if (argc >= 6 && argc % 2 == 0 && std::strcmp(argv[1], "grids") == 0) {
    std::vector<std::pair<int, int>> origins;
    for (int arg = 4; arg < argc; arg += 2) {
      origins.emplace_back(std::atoi(argv[arg]), std::atoi(argv[arg + 1]));
    }
    result = PrintGrids(display, std::atoi(argv[2]), std::atoi(argv[3]), origins);
  } else if (argc == 6 && (std::strcmp(argv[1], "wait-colour") == 0 ||
                           std::strcmp(argv[1], "wait-change") == 0)) {
    result = WaitColour(display, std::atoi(argv[2]), std::atoi(argv[3]),
                        std::strtoul(argv[4], nullptr, 16),
                        std::strcmp(argv[1], "wait-colour") == 0, std::atoi(argv[5]));
  } else {
    std::fprintf(
        stderr,
        "usage: xvfb_helper close ID | close-wait ID PID TIMEOUT_MS |\n"
        "       wait-colour|wait-change X Y RRGGBB TIMEOUT_MS | grids STEP N X Y [X Y...]\n");
  }
  XCloseDisplay(display);
  return result;
}
