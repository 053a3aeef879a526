// The headless test platform (see headless_backend.hpp).
#include "platform/headless_backend.hpp"

#include <algorithm>

#include "platform/glyph_font.hpp"

namespace kerna::platform {

namespace {

// Thrown from Sleep to end a run; deliberately not a std::exception, so game
// code that catches those does not swallow it.
struct RunStopped {};
struct RunTimedOut {};

}  // namespace

HeadlessPlatform::HeadlessPlatform() {
  if (const auto& file = GlyphFont::CachedFile()) SetFont(GlyphFont::Open(*file, nullptr));
}

HeadlessPlatform::~HeadlessPlatform() = default;

// --- Script ---

int64_t HeadlessPlatform::NextTime(int64_t at_ms) const {
  if (at_ms >= 0) return at_ms;
  return std::max(last_event_ms_ + kEventGapMs, now_ms_);
}

void HeadlessPlatform::Queue(EventKind kind, int x, int y, int64_t at_ms) {
  const Event event{at_ms, kind, x, y};
  // Keep the script sorted; events at the same time stay in the order given.
  auto place = std::upper_bound(script_.begin(), script_.end(), event,
                                [](const Event& a, const Event& b) { return a.at_ms < b.at_ms; });
  script_.insert(place, event);
  last_event_ms_ = std::max(last_event_ms_, at_ms);
}

void HeadlessPlatform::MoveMouse(int x, int y, int64_t at_ms) {
  Queue(EventKind::kMove, x, y, NextTime(at_ms));
}

void HeadlessPlatform::PressLeftAt(int x, int y, int64_t at_ms) {
  const int64_t at = NextTime(at_ms);
  Queue(EventKind::kMove, x, y, at);
  Queue(EventKind::kLeftDown, x, y, at);
}

void HeadlessPlatform::ReleaseLeft(int64_t at_ms) {
  Queue(EventKind::kLeftUp, 0, 0, NextTime(at_ms));
}

void HeadlessPlatform::ClickLeft(int x, int y, int64_t at_ms) {
  const int64_t at = NextTime(at_ms);
  PressLeftAt(x, y, at);
  ReleaseLeft(at + kClickHoldMs);
}

void HeadlessPlatform::PressRightAt(int x, int y, int64_t at_ms) {
  const int64_t at = NextTime(at_ms);
  Queue(EventKind::kMove, x, y, at);
  Queue(EventKind::kRightDown, x, y, at);
}

void HeadlessPlatform::ReleaseRight(int64_t at_ms) {
  Queue(EventKind::kRightUp, 0, 0, NextTime(at_ms));
}

void HeadlessPlatform::ClickRight(int x, int y, int64_t at_ms) {
  const int64_t at = NextTime(at_ms);
  PressRightAt(x, y, at);
  ReleaseRight(at + kClickHoldMs);
}

void HeadlessPlatform::PressKey(Key key, int64_t at_ms) {
  Queue(EventKind::kKey, static_cast<int>(key), 0, NextTime(at_ms));
}

void HeadlessPlatform::CloseWindow(int64_t at_ms) {
  Queue(EventKind::kClose, 0, 0, NextTime(at_ms));
}

void HeadlessPlatform::ApplyDueEvents(int64_t until_ms) {
  while (!script_.empty() && script_.front().at_ms <= until_ms) {
    const Event event = script_.front();
    script_.pop_front();
    now_ms_ = std::max(now_ms_, event.at_ms);
    switch (event.kind) {
      case EventKind::kMove:
        pointer_x_ = event.x, pointer_y_ = event.y;
        break;
      case EventKind::kLeftDown:
        PressLeft(true);
        break;
      case EventKind::kLeftUp:
        PressLeft(false);
        break;
      case EventKind::kRightDown:
        PressRight(true);
        break;
      case EventKind::kRightUp:
        PressRight(false);
        break;
      case EventKind::kKey:
        PushKey(static_cast<Key>(event.x));
        break;
      case EventKind::kClose:
        closed_ = true;
        break;
    }
  }
}

// --- Running ---

void HeadlessPlatform::StopWhen(std::function<bool()> condition) {
  stop_conditions_.push_back(std::move(condition));
}

std::function<bool()> HeadlessPlatform::TextShown(std::string utf8) const {
  return [this, utf8 = std::move(utf8), seen_version = ~uint64_t{0}, shown = false]() mutable {
    if (text().version() != seen_version) {
      seen_version = text().version();
      shown = HasText(utf8);
    }
    return shown;
  };
}

void HeadlessPlatform::StopWhenText(std::string utf8) {
  StopWhen(TextShown(std::move(utf8)));
}

void HeadlessPlatform::When(std::function<bool()> condition, std::function<void()> action) {
  triggers_.push_back({std::move(condition), std::move(action)});
}

void HeadlessPlatform::WhenText(std::string utf8, std::function<void()> action) {
  When(TextShown(std::move(utf8)), std::move(action));
}

void HeadlessPlatform::ClearScript() {
  script_.clear();
  last_event_ms_ = now_ms_;
  stop_conditions_.clear();
  triggers_.clear();
  close_condition_ = nullptr;
  PressLeft(false);
  PressRight(false);
}

HeadlessPlatform::Outcome HeadlessPlatform::Run(const std::function<void()>& game) {
  run_started_ = std::chrono::steady_clock::now();
  try {
    game();
    return Outcome::kReturned;
  } catch (const RunStopped&) {
    return Outcome::kStopped;
  } catch (const WindowClosed&) {
    return Outcome::kWindowClosed;
  } catch (const RunTimedOut&) {
    return Outcome::kTimedOut;
  }
}

void HeadlessPlatform::CheckWatchdogs() {
  if (now_ms_ > virtual_limit_ms_) throw RunTimedOut{};
  if (run_started_ != std::chrono::steady_clock::time_point{} &&
      std::chrono::steady_clock::now() - run_started_ > real_limit_) {
    throw RunTimedOut{};
  }
}

void HeadlessPlatform::CheckConditions() {
  // Triggers first: an action may queue the very click a stop condition awaits.
  for (size_t i = 0; i < triggers_.size();) {
    if (triggers_[i].condition()) {
      Trigger fired = std::move(triggers_[i]);
      triggers_.erase(triggers_.begin() + static_cast<ptrdiff_t>(i));
      fired.action();
    } else {
      ++i;
    }
  }
  for (const auto& condition : stop_conditions_) {
    if (condition()) throw RunStopped{};
  }
}

void HeadlessPlatform::Sleep(int milliseconds) {
  ++sleep_calls_;
  if (closed_) throw WindowClosed{};
  CheckConditions();
  if (close_condition_ && close_condition_()) closed_ = true;
  if (closed_) throw WindowClosed{};
  const int64_t until = now_ms_ + std::max(milliseconds, 0);
  ApplyDueEvents(until);
  now_ms_ = until;
  if (closed_) throw WindowClosed{};
  CheckWatchdogs();
}

void HeadlessPlatform::CheckClosed() {
  if (closed_) throw WindowClosed{};
  // Reading the real clock is cheap, but a search calls this very often.
  if (close_condition_ && close_condition_()) closed_ = true;
  if (closed_) throw WindowClosed{};
  if (++check_calls_ % 1024 == 0) CheckWatchdogs();
}

void HeadlessPlatform::ReadMouse() {
  ApplyDueEvents(now_ms_);
  mouse_x_ = pointer_x_;
  mouse_y_ = pointer_y_;
}

int64_t HeadlessPlatform::WallClockSeconds() {
  if (!wall_clock_base_) return Platform::WallClockSeconds();
  return *wall_clock_base_ + now_ms_ / 1000;
}

// --- Looking ---

std::optional<HeadlessPlatform::TextPosition> HeadlessPlatform::FindText(
    std::string_view utf8) const {
  const std::string needle = ToCp932(utf8);
  if (needle.empty()) return std::nullopt;
  const TextGrid& grid = text();
  for (int row = 0; row < TextGrid::kRows; ++row) {
    const std::string bytes = grid.RowBytes(row);
    // Only matches that start on a character boundary count (a trail byte can
    // look like an ASCII letter).
    for (size_t column = 0; column < bytes.size();) {
      if (bytes.compare(column, needle.size(), needle) == 0) {
        return TextPosition{static_cast<int>(column), row};
      }
      const bool pair =
          IsCp932LeadByte(static_cast<unsigned char>(bytes[column])) && column + 1 < bytes.size();
      column += pair ? 2 : 1;
    }
  }
  return std::nullopt;
}

// --- Sound and message boxes: recorded with their virtual times ---

void HeadlessPlatform::PlayWave(std::string_view game_path) {
  waves_.push_back({now_ms_, std::string(game_path)});
}

bool HeadlessPlatform::VoiceOpen(std::string_view game_path) {
  voice_open_ = !fail_open_ && VoiceFileExists(game_path);
  voice_log_.push_back({now_ms_, "open", std::string(game_path), voice_open_});
  return voice_open_;
}

bool HeadlessPlatform::VoicePlay() {
  const bool ok = voice_open_ && !fail_play_;
  voice_log_.push_back({now_ms_, "play", "", ok});
  return ok;
}

bool HeadlessPlatform::VoiceStop() {
  const bool ok = voice_open_ && !fail_stop_;
  voice_log_.push_back({now_ms_, "stop", "", ok});
  return ok;
}

void HeadlessPlatform::VoiceClose() {
  voice_log_.push_back({now_ms_, "close", "", voice_open_});
  voice_open_ = false;
}

void HeadlessPlatform::ClearRecordings() {
  waves_.clear();
  voice_log_.clear();
  message_boxes_.clear();
}

void HeadlessPlatform::ShowMessageBox(std::string_view cp932_text, std::string_view cp932_caption) {
  message_boxes_.push_back({now_ms_, FromCp932(cp932_text), FromCp932(cp932_caption)});
}

}  // namespace kerna::platform
