// Measures how fast the game answers the mouse on the real window: sends one
// pointer event through the XTest extension (as the X server would get it from
// a mouse), then polls a screen pixel every half millisecond until it shows the
// expected colour, and prints the milliseconds in between.
//   reply_probe move X Y PX PY RRGGBB TIMEOUT_MS    pointer to (X, Y)
//   reply_probe click BUTTON PX PY RRGGBB TIMEOUT_MS  press and release a button
// Exit 1 when the pixel does not get the colour in time.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool PixelIs(Display* display, int x, int y, unsigned long wanted) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel == wanted;
}

// release_button: a button held since `sent`, let go after 30 ms like a hand
// would (0: none). The pixel is watched all the time.
int WaitAfter(Display* display, Clock::time_point sent, int x, int y, unsigned long wanted,
              int timeout_ms, unsigned release_button = 0) {
  while (Clock::now() - sent < std::chrono::milliseconds(timeout_ms)) {
    if (release_button != 0 && Clock::now() - sent >= std::chrono::milliseconds(30)) {
      XTestFakeButtonEvent(display, release_button, False, CurrentTime);
      XFlush(display);
      release_button = 0;
    }
    if (PixelIs(display, x, y, wanted)) {
      const auto micros =
          std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - sent).count();
      std::printf("%.1f\n", static_cast<double>(micros) / 1000.0);
      if (release_button != 0) {
        std::this_thread::sleep_until(sent + std::chrono::milliseconds(30));
        XTestFakeButtonEvent(display, release_button, False, CurrentTime);
        XFlush(display);
      }
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  if (release_button != 0) {
    XTestFakeButtonEvent(display, release_button, False, CurrentTime);
    XFlush(display);
  }
  std::fprintf(stderr, "pixel (%d,%d) never became %06lx\n", x, y, wanted);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "reply_probe: cannot open the display\n");
    return 2;
  }
  int result = 2;
  if (argc == 8 && std::strcmp(argv[1], "move") == 0) {
    XTestFakeMotionEvent(display, -1, std::atoi(argv[2]), std::atoi(argv[3]), CurrentTime);
    XFlush(display);
    const auto sent = Clock::now();
    result = WaitAfter(display, sent, std::atoi(argv[4]), std::atoi(argv[5]),
                       std::strtoul(argv[6], nullptr, 16), std::atoi(argv[7]));
  } else if (argc == 7 && std::strcmp(argv[1], "click") == 0) {
    const unsigned button = static_cast<unsigned>(std::atoi(argv[2]));
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XFlush(display);
    const auto sent = Clock::now();
    result = WaitAfter(display, sent, std::atoi(argv[3]), std::atoi(argv[4]),
                       std::strtoul(argv[5], nullptr, 16), std::atoi(argv[6]), button);
  } else {
    std::fprintf(stderr,
                 "usage: reply_probe move X Y PX PY RRGGBB TIMEOUT_MS | "
                 "click BUTTON PX PY RRGGBB TIMEOUT_MS\n");
  }
  XCloseDisplay(display);
  return result;
}
