// The platform seam: everything the game does to the outside world goes through
// this interface. Game code never includes an SDL header. Two backends:
//
// - SdlPlatform (sdl_backend.hpp): the real window. The process's main thread is
//   the window thread: it owns SDL's event loop, writes the mouse position and
//   the button flags, queues key presses, and presents the off-screen copy (about 60 times a second
//   while it changes). The game runs on a second thread and never waits for the
//   window: it draws into the off-screen copy, which it hands over at every
//   Sleep/CheckClosed. Closing the window makes Sleep and CheckClosed throw
//   WindowClosed on the game thread; a watchdog ends the process (exit 0) if the
//   game thread has not come back within 0.9 s.
// - HeadlessPlatform (headless_backend.hpp): for tests, single-threaded. Drawing
//   goes to memory, the clock is virtual (Sleep advances it at once), the mouse
//   and the keyboard follow a script, and a test stops the game when a condition holds, a text
//   appears, or a virtual-time watchdog runs out.
//
// What both share lives here: one 640 x 440 RGB surface (the off-screen copy),
// the text grid and its rendering with IPAGothic, lines, boxes, pixels,
// pictures, files and the button flags.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/channel_files.hpp"
#include "platform/cp932.hpp"
#include "platform/file_io.hpp"
#include "platform/keys.hpp"
#include "platform/picture.hpp"
#include "platform/surface.hpp"
#include "platform/text_grid.hpp"

namespace kerna::platform {

// Thrown out of Sleep() (and CheckClosed()) once the window has been closed, so
// that the game thread unwinds from wherever it is: a menu wait, an animation,
// a search. The game thread's top level catches it and ends quietly.
struct WindowClosed {};

// What a line operation draws.
enum class LineKind { kLine = 0, kBox = 1, kFilledBox = 2 };

class GlyphFont;

class Platform {
 public:
  Platform();
  virtual ~Platform();
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  // --- Off-screen copy, text grid and pictures (shared by both backends) ---
  Surface& surface() { return surface_; }
  TextGrid& text() { return text_; }
  const TextGrid& text() const { return text_; }
  // Whether glyphs are drawn (the headless backend has no font when IPAGothic is missing).
  bool HasFont() const { return font_ != nullptr; }

  // Text colour (palette 0..7); background -1 prints without a background.
  void SetTextColour(int foreground, int background);
  // Moves the text cursor; negative becomes 0, rows above 100 become 100.
  void MoveCursor(int column, int row);
  // Prints CP932 bytes at the cursor (TAB, CR LF handled; see TextGrid) and
  // redraws the cells it changed onto the surface: each cell's background (none
  // for -1), then the glyph in its foreground colour, clipped to its 16-pixel row.
  // Cell (column, row) is the 8 x 16 pixels at (8 * column, 16 * row).
  void Print(std::string_view cp932);
  // Prints a number in the game's number format (see number_format.hpp).
  void PrintNumber(double value);
  int CursorRow() const;

  // Fills the whole surface with black (the text grid keeps its contents).
  void Clear();
  // Line, box outline or filled box; corners inclusive and in any order, clipped
  // to the surface. A filled box is filled with fill_colour and outlined with
  // colour (fill_colour -1: all in colour). The end point becomes the last point.
  void Line(int x1, int y1, int x2, int y2, int colour, LineKind kind = LineKind::kLine,
            int fill_colour = -1);
  // The same with (dx, dy) relative to the start point.
  void LineRelative(int x1, int y1, int dx, int dy, int colour, LineKind kind = LineKind::kLine,
                    int fill_colour = -1);
  // The same starting from the last point.
  void LineFromLast(int x2, int y2, int colour, LineKind kind = LineKind::kLine,
                    int fill_colour = -1);
  // Sets one pixel of the surface (outside: ignored).
  void SetPixel(int x, int y, Rgb colour);
  Rgb GetPixel(int x, int y) const { return surface_.Get(x, y); }
  // Draws a picture at its own size with its top left corner at (x, y), clipped.
  void DrawPicture(const Picture& picture, int x, int y);
  // The same, but only the picture's top `rows` rows.
  void DrawPictureRows(const Picture& picture, int x, int y, int rows);

  // Loads a Windows bitmap from the data folder; a path like "bmp\\x.bmp" means
  // bmp/x.bmp. A picture that fails to load is empty (width 0) and draws nothing.
  Picture LoadPicture(std::string_view path) const;

  // --- Data folder and files ---
  // Resolves a game path ("dat\\set.ini") against the data folder.
  std::string ResolvePath(std::string_view game_path) const;
  void SetDataFolder(std::string folder) { data_folder_ = std::move(folder); }
  const std::string& DataFolder() const { return data_folder_; }
  // Whole file as bytes; missing or unreadable reads as empty.
  std::string ReadWholeFile(std::string_view game_path) const;
  // Replaces the file atomically (temporary file + rename); false when it could
  // not be written, and then the old file is untouched.
  bool WriteWholeFile(std::string_view game_path, std::string_view bytes);
  // Appends the bytes; false when they could not all be written, and then the
  // file is as it was before.
  bool AppendToFile(std::string_view game_path, std::string_view bytes);
  // Writes a new file; false when it exists already or could not be written
  // (and then no file is left).
  bool CreateNewFile(std::string_view game_path, std::string_view bytes);
  ChannelFiles& channels() { return channels_; }
  // Seconds since 1970 (UTC) by the wall clock, for dating saved games.
  virtual int64_t WallClockSeconds();

  // --- Mouse (window coordinates of the 640 x 440 drawing area) ---
  // Reads the current mouse position into MouseX()/MouseY().
  virtual void ReadMouse() = 0;
  int MouseX() const { return mouse_x_; }
  int MouseY() const { return mouse_y_; }
  // 1 while the button is held, as the window's message handling writes it. A press
  // that was released before the game looked is still reported once.
  int LeftButtonDown();
  int RightButtonDown();
  // The game clears the flags itself after acting on a click.
  void SetLeftButtonDown(int value);
  void SetRightButtonDown(int value);

  // --- Keyboard ---
  // The oldest key press the game has not taken yet. Presses wait in a short
  // queue (the oldest are dropped when it is full), so keys typed quickly are
  // all seen, in order.
  std::optional<Key> ReadKey();
  // Forgets every waiting press: a wait that starts ignores keys typed before
  // it, as it ignores a click made before it.
  void DropKeys();
  static constexpr size_t kKeyQueueSize = 16;

  // --- Time ---
  // Milliseconds since an arbitrary start.
  virtual int64_t Clock() = 0;
  // Sleeps; throws WindowClosed once the window is gone. The SDL backend also
  // hands what was drawn to the window here.
  virtual void Sleep(int milliseconds) = 0;
  // For long computations that do not sleep (the search): throws WindowClosed
  // once the window is gone, and lets the window show what was drawn so far.
  virtual void CheckClosed() = 0;

  // --- Sound ---
  // Starts a wave file without waiting; silently nothing without an audio device.
  virtual void PlayWave(std::string_view game_path) = 0;
  // The voice device: one compressed-audio playback at a time.
  bool VoiceFileExists(std::string_view game_path) const;
  virtual bool VoiceOpen(std::string_view game_path) = 0;
  virtual bool VoicePlay() = 0;
  virtual bool VoiceStop() = 0;
  virtual void VoiceClose() = 0;
  virtual bool VoiceIsOpen() const = 0;
  // A modal message box (texts in CP932); the headless backend records it.
  virtual void ShowMessageBox(std::string_view cp932_text, std::string_view cp932_caption) = 0;

  // How long a window backend waits for the game thread to end after the window
  // closed before it ends the process anyway.
  static constexpr int kCloseGraceMs = 900;

 protected:
  // Called after anything was drawn, with the surface rows it touched (first and
  // last, inclusive, within 0..439). `urgent` is false for single pixels, which
  // come in long runs; the SDL backend then may wait to show them.
  virtual void SurfaceChanged(int /*first_row*/, int /*last_row*/, bool /*urgent*/) {}
  // The room left on the disk the game's files go to; none: the real disk's
  // own (the headless backend fills a disk up on purpose).
  virtual DiskRoom* Room() { return nullptr; }
  // The text font; without one the grid still stores text but draws no glyphs.
  void SetFont(std::unique_ptr<GlyphFont> font);

  // Button state written by the input side (window thread or test script).
  // Bit 0 (kHeld): held now. Bit 1 (kPressed): went down since the game last
  // read the flag, so a press released before the game polls is seen once.
  static constexpr int kHeld = 1;
  static constexpr int kPressed = 2;
  std::atomic<int> left_state_{0};
  std::atomic<int> right_state_{0};
  int mouse_x_ = 0;
  int mouse_y_ = 0;

  // Input side: a button went down or up.
  void PressLeft(bool down);
  void PressRight(bool down);
  // Input side: a key went down (window thread or test script).
  void PushKey(Key key);

 private:
  void RenderSpan(const RowSpan& span);
  void ReportChange(int first_row, int last_row, bool urgent);
  void DrawLine(int x1, int y1, int x2, int y2, Rgb colour);
  void FillBox(int x1, int y1, int x2, int y2, Rgb colour);

  Surface surface_;
  TextGrid text_;
  ChannelFiles channels_{*this};
  std::string data_folder_ = ".";
  int last_x_ = 0;
  int last_y_ = 0;
  std::unique_ptr<GlyphFont> font_;
  // Written by the window thread, read by the game thread.
  std::mutex key_mutex_;
  std::deque<Key> keys_;
};

}  // namespace kerna::platform
