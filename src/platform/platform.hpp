// The platform seam: everything the game does to the outside world goes through
// this interface. Two backends implement it: the SDL2 window (sdl_backend) and a
// headless one for tests (headless_backend) with a virtual clock and a scripted
// mouse. Game code never includes an SDL header.
//
// Drawing is done in software into one 640 x 440 RGB surface (the off-screen
// copy) shared by both backends; the SDL backend presents it from its own
// window thread, the headless backend lets tests read its pixels.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/channel_files.hpp"
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

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Off-screen copy, text grid and pictures (shared by both backends) ---
  Surface& surface() { return surface_; }
  TextGrid& text() { return text_; }

  // Text colour (palette 0..7); background -1 prints without a background.
  void SetTextColour(int foreground, int background);
  // Moves the text cursor; negative becomes 0, rows above 100 become 100.
  void MoveCursor(int column, int row);
  // Prints CP932 bytes at the cursor (TAB, CR LF handled) and redraws the changed rows.
  void Print(std::string_view cp932);
  // Prints a number in the game's number format (see number_format.hpp).
  void PrintNumber(double value);
  int CursorColumn() const;
  int CursorRow() const;

  // Fills the whole surface with black.
  void Clear();
  // Line, box outline or filled box; corners inclusive and in any order. The end
  // point becomes the last point.
  void Line(int x1, int y1, int x2, int y2, int colour, LineKind kind = LineKind::kLine,
            int fill_colour = -1);
  // The same with (dx, dy) relative to the start point.
  void LineRelative(int x1, int y1, int dx, int dy, int colour, LineKind kind = LineKind::kLine,
                    int fill_colour = -1);
  // The same starting from the last point.
  void LineFromLast(int x2, int y2, int colour, LineKind kind = LineKind::kLine,
                    int fill_colour = -1);
  // Sets one pixel of the surface.
  void SetPixel(int x, int y, Rgb colour);
  // Draws a picture at its own size with its top left corner at (x, y).
  void DrawPicture(const Picture& picture, int x, int y);

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
  ChannelFiles& channels() { return channels_; }

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

  // --- Time ---
  // Milliseconds since an arbitrary start.
  virtual int64_t Clock() = 0;
  // Sleeps; throws WindowClosed once the window is gone.
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
  // A modal message box; the headless backend records it.
  virtual void ShowMessageBox(std::string_view cp932_text, std::string_view cp932_caption) = 0;

 protected:
  // Called after anything was drawn; the SDL backend marks the frame dirty.
  virtual void SurfaceChanged() {}

  // Button state written by the input side (window thread or test script).
  // Bit 0: held now. Bit 1: pressed since the game last read the flag.
  std::atomic<int> left_state_{0};
  std::atomic<int> right_state_{0};
  int mouse_x_ = 0;
  int mouse_y_ = 0;

  // Input side: a button went down or up.
  void PressLeft(bool down);
  void PressRight(bool down);

 private:
  Surface surface_;
  TextGrid text_;
  ChannelFiles channels_{*this};
  std::string data_folder_ = ".";
  int last_x_ = 0;
  int last_y_ = 0;
};

}  // namespace kerna::platform
