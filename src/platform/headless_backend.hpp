// The headless platform for tests: the game draws into memory, time is virtual
// and the mouse follows a script. Everything runs on the test's own thread:
//
//   HeadlessPlatform io;                   // data folder ".", IPAGothic if installed
//   kerna::Game game(io);
//   io.ClickLeft(470, 130, 5000);          // at virtual 5 s
//   io.WhenText("色の選択", [&] { io.ClickLeft(490, 110); });
//   io.StopWhenText("レベル");
//   EXPECT_EQ(io.Run([&] { kerna::RunGame(game); }), HeadlessPlatform::Outcome::kStopped);
//
// Sleep advances the virtual clock at once and applies the script's events that
// fall due on the way; ReadMouse applies those due now. Stop conditions, triggers
// and the watchdogs are checked in Sleep; closing is also seen in CheckClosed.
// Run() ends the game by throwing from Sleep and reports why it ended.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.hpp"

namespace kerna::platform {

class HeadlessPlatform : public Platform {
 public:
  enum class Outcome { kReturned, kStopped, kWindowClosed, kTimedOut };

  // Untimed script events happen this long after the previous one.
  static constexpr int64_t kEventGapMs = 10;
  // A click holds the button this long.
  static constexpr int64_t kClickHoldMs = 30;

  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // --- The mouse script. at_ms: virtual time of the event; -1: kEventGapMs
  // after the previous scripted event, or after now if that is later. ---
  void MoveMouse(int x, int y, int64_t at_ms = -1);
  void PressLeftAt(int x, int y, int64_t at_ms = -1);
  void ReleaseLeft(int64_t at_ms = -1);
  void ClickLeft(int x, int y, int64_t at_ms = -1);
  void PressRightAt(int x, int y, int64_t at_ms = -1);
  void ReleaseRight(int64_t at_ms = -1);
  void ClickRight(int x, int y, int64_t at_ms = -1);
  // A key press (the game reads it from the key queue at its next poll).
  void PressKey(Key key, int64_t at_ms = -1);
  // The window is closed: from then on Sleep and CheckClosed throw WindowClosed.
  void CloseWindow(int64_t at_ms = -1);
  // The window is closed at the first Sleep or CheckClosed where the condition
  // holds: closing in the middle of a search, which neither sleeps nor reads
  // the mouse but looks for a closed window every few thousand moves.
  void CloseWhen(std::function<bool()> condition) { close_condition_ = std::move(condition); }
  size_t PendingEvents() const { return script_.size(); }

  // --- Running ---
  // Runs the game on this thread until it returns or is ended; the exceptions
  // used to end it (WindowClosed included) do not escape.
  Outcome Run(const std::function<void()>& game);
  // Ends the run at the next Sleep once the condition holds.
  void StopWhen(std::function<bool()> condition);
  // Ends the run at the next Sleep once the text (UTF-8) is on the grid.
  void StopWhenText(std::string utf8);
  // Runs the action once, at the first Sleep where the condition holds (it may
  // queue more script events; untimed ones then start from now).
  void When(std::function<bool()> condition, std::function<void()> action);
  void WhenText(std::string utf8, std::function<void()> action);
  // Watchdogs: the run ends as kTimedOut after this much virtual time (default
  // 10 minutes) or real time (default 120 s), so a stuck test fails, not hangs.
  void SetTimeLimit(int64_t virtual_ms) { virtual_limit_ms_ = virtual_ms; }
  void SetRealTimeLimit(std::chrono::milliseconds limit) { real_limit_ = limit; }
  // Forgets the stop conditions, the triggers, the close condition and the
  // events not yet applied, and lets go of the buttons, so that one platform
  // runs scenario after scenario (the clock and the game go on). Between runs.
  void ClearScript();

  // --- Looking at the result ---
  // A row's text as UTF-8 (padding blanks included).
  std::string RowText(int row) const { return text().RowText(row); }
  struct TextPosition {
    int column = 0;  // cell of the text's first byte
    int row = 0;
  };
  // The first place (top to bottom, left to right) where the text stands.
  std::optional<TextPosition> FindText(std::string_view utf8) const;
  bool HasText(std::string_view utf8) const { return FindText(utf8).has_value(); }

  struct SoundRecord {
    int64_t at_ms;
    std::string path;  // as the game gave it
  };
  struct VoiceRecord {
    int64_t at_ms;
    std::string action;  // "open", "play", "stop", "close"
    std::string path;    // for "open"
    bool succeeded;
  };
  struct MessageBoxRecord {
    int64_t at_ms;
    std::string text;  // UTF-8
    std::string caption;
  };
  const std::vector<SoundRecord>& waves() const { return waves_; }
  const std::vector<VoiceRecord>& voice_log() const { return voice_log_; }
  const std::vector<MessageBoxRecord>& message_boxes() const { return message_boxes_; }
  // Forgets the sounds, voice actions and message boxes recorded so far (a
  // long run would otherwise hold them all).
  void ClearRecordings();
  // Makes the voice device fail at the given steps (to test the failure boxes).
  void FailVoice(bool open, bool play, bool stop) {
    fail_open_ = open, fail_play_ = play, fail_stop_ = stop;
  }
  // The disk fills up after this many more bytes of the game's file writes:
  // the write that needs more writes what fits and fails, as on a full disk,
  // and so does every write after it. FreeDisk() gives the room back.
  void FillDiskAfter(uint64_t bytes) { disk_room_ = DiskRoom{bytes}; }
  void FreeDisk() { disk_room_.reset(); }
  // Sleep calls made so far and the virtual milliseconds they asked for.
  int64_t sleep_calls() const { return sleep_calls_; }
  // Pins the wall clock (seconds since 1970) at this value plus the virtual
  // seconds passed since; unpinned it is the real wall clock.
  void SetWallClock(int64_t seconds) { wall_clock_base_ = seconds - now_ms_ / 1000; }

  // --- Platform ---
  void ReadMouse() override;
  int64_t Clock() override { return now_ms_; }
  int64_t WallClockSeconds() override;
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
  DiskRoom* Room() override { return disk_room_ ? &*disk_room_ : nullptr; }

 private:
  enum class EventKind { kMove, kLeftDown, kLeftUp, kRightDown, kRightUp, kKey, kClose };
  struct Event {
    int64_t at_ms;
    EventKind kind;
    int x = 0, y = 0;  // kKey: x is the Key
  };
  struct Trigger {
    std::function<bool()> condition;
    std::function<void()> action;
  };

  // A condition that holds while the text is on the grid; it searches again
  // only after the grid changed, so checking it at every Sleep stays cheap.
  std::function<bool()> TextShown(std::string utf8) const;
  void Queue(EventKind kind, int x, int y, int64_t at_ms);
  int64_t NextTime(int64_t at_ms) const;
  void ApplyDueEvents(int64_t until_ms);
  void CheckWatchdogs();
  void CheckConditions();

  int64_t now_ms_ = 0;
  std::deque<Event> script_;  // sorted by time
  int64_t last_event_ms_ = 0;
  int pointer_x_ = 0, pointer_y_ = 0;
  bool closed_ = false;
  std::optional<int64_t> wall_clock_base_;
  std::function<bool()> close_condition_;

  std::vector<std::function<bool()>> stop_conditions_;
  std::vector<Trigger> triggers_;
  int64_t virtual_limit_ms_ = 10 * 60 * 1000;
  std::chrono::milliseconds real_limit_{120'000};
  std::chrono::steady_clock::time_point run_started_{};
  uint32_t check_calls_ = 0;
  int64_t sleep_calls_ = 0;

  std::vector<SoundRecord> waves_;
  std::vector<VoiceRecord> voice_log_;
  std::vector<MessageBoxRecord> message_boxes_;
  bool voice_open_ = false;
  bool fail_open_ = false, fail_play_ = false, fail_stop_ = false;
  std::optional<DiskRoom> disk_room_;
};

}  // namespace kerna::platform
