// A whole game driven one of two ways, by the mouse or by the keyboard, so a
// scenario written once can be played both ways and the results compared. Each
// session has its own data folder (the shipped pictures linked in, an empty
// dat\ folder) and its own user configuration folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "game/flow_fixture.hpp"
#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::test {

using platform::DigitKey;
using platform::Key;

enum class Hand { kMouse, kKeyboard };

// Holds while the text (UTF-8) stands on the row; looks again only after the
// text grid changed, so it is cheap to ask at every Sleep.
class TextOnRowCondition {
 public:
  TextOnRowCondition(const platform::HeadlessPlatform& io, int row, std::string utf8)
      : io_(io), row_(row), utf8_(std::move(utf8)) {}
  bool operator()() {
    if (io_.text().version() != seen_) {
      seen_ = io_.text().version();
      shown_ = io_.RowText(row_).find(utf8_) != std::string::npos;
    }
    return shown_;
  }

 private:
  const platform::HeadlessPlatform& io_;
  int row_;
  std::string utf8_;
  uint64_t seen_ = ~uint64_t{0};
  bool shown_ = false;
};

// What a player sees and what the game keeps, to compare two sessions.
struct Snapshot {
  Grid position{};
  std::array<float, kRecordSize + 1> record{};
  std::vector<std::string> rows;
  std::vector<platform::Rgb> pixels;
  int undo_count = 0, hint_count = 0, level = 0, human_side = 0;
};

class InputSession {
 public:
  InputSession(const std::string& name, Hand hand) : hand_(hand) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / ("kerna-input-" + std::string(info->name()) + "-" + name +
                                         "-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "dat");
    fs::create_directory_symlink(fs::path(KERNA_ASSETS_DIR) / "bmp", root_ / "bmp");
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    io.SetDataFolder(root_.string());
    io.SetRealTimeLimit(std::chrono::seconds(90));
    io.SetWallClock(1'765'000'000);
  }
  ~InputSession() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  InputSession(const InputSession&) = delete;
  InputSession& operator=(const InputSession&) = delete;

  // Program start with the settings the scenarios rely on.
  void Start(int pause_after_move = 0) {
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    game->starter.ProgramStart();
    SettingsState& s = game->settings;
    s.PauseAfterMove = static_cast<uint8_t>(pause_after_move);
    game->buttonState.GroupChoice[7] = pause_after_move;
    s.ThinkingVaries = 0;
    s.ShowMovePosition = 1;
    s.SelfPlayMode = 0;
    s.SoundEffects = 0;
    const Grid start = StandardStart();
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) game->board.StartPosition[x][y] = start[x][y];
    }
  }

  Outcome Run() {
    return io.Run([&] { game->loop.MainLoop(); });
  }

  // A button: clicked with the mouse, or its key pressed.
  void Press(ButtonPoint button, Key key) {
    if (hand_ == Hand::kMouse) {
      io.ClickLeft(button.x, button.y);
    } else {
      io.PressKey(key);
    }
  }
  // Presses the button once the condition holds and the script is idle.
  void PressWhen(std::function<bool()> condition, ButtonPoint button, Key key) {
    io.When([this, condition = std::move(condition)] { return Idle() && condition(); },
            [this, button, key] { Press(button, key); });
  }

  // Plays square (x, y) in the human turn: the box walked there one square at
  // a time (columns first) and played, by pointing and clicking or by the
  // arrows and Enter. Both leave the same trail of erased boxes behind.
  void PlaySquare(int x, int y) {
    std::vector<std::pair<int, int>> path;
    int cx = static_cast<int>(game->board.CursorX), cy = static_cast<int>(game->board.CursorY);
    while (cx != x) path.emplace_back(cx += cx < x ? 1 : -1, cy);
    while (cy != y) path.emplace_back(cx, cy += cy < y ? 1 : -1);
    if (hand_ == Hand::kMouse) {
      io.MoveMouse(kOffBoard, kOffBoard);  // from nowhere, so every step is a new square
      for (const auto& [px, py] : path) io.MoveMouse(SquareCentreX(px), SquareCentreY(py));
      io.ClickLeft(SquareCentreX(x), SquareCentreY(y));
      return;
    }
    std::pair<int, int> at{static_cast<int>(game->board.CursorX),
                           static_cast<int>(game->board.CursorY)};
    for (const auto& step : path) {
      io.PressKey(step.first > at.first     ? Key::kRight
                  : step.first < at.first   ? Key::kLeft
                  : step.second > at.second ? Key::kDown
                                            : Key::kUp);
      at = step;
    }
    io.PressKey(Key::kEnter);
  }
  // Plays the boxed square: a click left of the panel but off the board, which
  // leaves the box where it is, or Enter.
  void PlayBoxedSquare() {
    if (hand_ == Hand::kMouse) {
      io.ClickLeft(kOffBoard, kOffBoard);
    } else {
      io.PressKey(Key::kEnter);
    }
  }
  // A plain click wait answered (a click off the board, or Enter).
  void Acknowledge() {
    if (hand_ == Hand::kMouse) {
      io.ClickLeft(kOffBoard, kOffBoard);
    } else {
      io.PressKey(Key::kEnter);
    }
  }
  // A move played by the scenario itself counts like one of AutoPlay's.
  void CountMove() {
    ++moves_played_;
    --moves_left_;
  }
  static constexpr int kOffBoard = 10;

  // The human's moves: the first legal square in column order until `moves`
  // were played (passes acknowledged). `before_move` may act instead of a move
  // (return true to skip playing at this question).
  void AutoPlay(int moves, std::function<bool(int move)> before_move = nullptr) {
    moves_left_ = moves;
    before_move_ = std::move(before_move);
    Arm();
  }
  int moves_played() const { return moves_played_; }

  bool Idle() const { return io.PendingEvents() == 0; }
  bool HumanWaits() { return Idle() && awaiting_move_(); }
  bool HumanMustPass() { return Idle() && awaiting_pass_(); }
  bool InMenu() const { return game->buttonState.GroupActive[6] == 1; }
  bool ChoosingSideAndLevel() const { return game->buttonState.GroupActive[2] == 1; }

  // Menu -> play the computer -> side -> level -> start.
  void ChooseGameAgainstComputer(bool human_black, int level) {
    PressWhen([this] { return InMenu(); }, kPlayComputer, DigitKey(1));
    const auto choosing = [this] { return ChoosingSideAndLevel(); };
    PressWhen(choosing, human_black ? kBlackSide : kWhiteSide, DigitKey(human_black ? 1 : 2));
    // 1 and 2 are the side buttons; the level buttons follow, level 0 as 3.
    PressWhen(choosing, LevelButton(level), DigitKey(3 + level));
    PressWhen(choosing, kStart, Key::kEnter);
  }

  Snapshot Take() {
    Snapshot s;
    s.position = game->board.Position;
    s.record = game->board.GameRecord;
    for (int row = 0; row < 30; ++row) s.rows.push_back(io.RowText(row));
    s.pixels = io.surface().pixels();
    s.undo_count = game->flow.UndoCount;
    s.hint_count = game->flow.HintCount;
    s.level = game->ai.Level;
    s.human_side = game->board.HumanSide;
    return s;
  }

  TextOnRowCondition TextOnRow(int row, std::string utf8) {
    return TextOnRowCondition(io, row, std::move(utf8));
  }

  const fs::path& root() const { return root_; }

  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);

 private:
  void Arm() {
    io.When([this] { return moves_left_ > 0 && (HumanWaits() || HumanMustPass()); },
            [this] {
              if (HumanMustPass()) {
                Acknowledge();
              } else if (!before_move_ || !before_move_(moves_played_ + 1)) {
                const auto square = LegalSquares(game->board.Position, game->board.SideToMove);
                PlaySquare(square.front().first, square.front().second);
                ++moves_played_;
                --moves_left_;
              }
              Arm();
            });
  }

  Hand hand_;
  fs::path root_;
  TextOnRowCondition awaiting_move_{io, 22, "置ける数"};
  TextOnRowCondition awaiting_pass_{io, 21, "クリックして下さい"};
  int moves_left_ = 0;
  int moves_played_ = 0;
  std::function<bool(int)> before_move_;
};

}  // namespace kerna::test
