// Scenarios of the whole game on the headless platform: a fresh Game on a data
// folder of its own (the shipped pictures linked in, an empty dat\ folder, and
// a user configuration folder of its own, so no test ever writes into the
// repository or the real home folder), and helpers that click the menus and
// play the human's moves by the scripted mouse.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::test {

namespace fs = std::filesystem;
using Outcome = platform::HeadlessPlatform::Outcome;

// The centre of square (x, y) in window pixels.
inline int SquareCentreX(int x) {
  return 22 + 48 * (x - 1) + 24;
}
inline int SquareCentreY(int y) {
  return 22 + 48 * (y - 1) + 24;
}

// The legal squares of `side` in column order (a1, a2, ..., h8).
inline std::vector<std::pair<int, int>> LegalSquares(const Grid& position, int side) {
  static constexpr int kSteps[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                       {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
  const auto at = [&](int x, int y) {
    return x < 1 || x > 8 || y < 1 || y > 8 ? 4 : position[x][y];
  };
  std::vector<std::pair<int, int>> squares;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (position[x][y] != kEmpty) continue;
      for (const auto& step : kSteps) {
        int cx = x + step[0], cy = y + step[1], run = 0;
        while (at(cx, cy) == 3 - side) cx += step[0], cy += step[1], ++run;
        if (run > 0 && at(cx, cy) == side) {
          squares.emplace_back(x, y);
          break;
        }
      }
    }
  }
  return squares;
}

inline int CountDiscs(const Grid& position, int side) {
  int count = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) count += position[x][y] == side;
  }
  return count;
}

inline Grid StandardStart() {
  Grid grid{};
  grid[4][4] = grid[5][5] = kWhite;
  grid[4][5] = grid[5][4] = kBlack;
  return grid;
}

// Three lone discs (black a1 and h8, white e5): neither side can move, so a
// game from here ends at once.
inline Grid NeitherSideCanMove() {
  Grid grid{};
  grid[1][1] = grid[8][8] = kBlack;
  grid[5][5] = kWhite;
  return grid;
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Where the buttons are: a point inside each one used by the scenarios.
struct ButtonPoint {
  int x, y;
};
inline constexpr ButtonPoint kPlayComputer{500, 135}, kTwoHumans{500, 175}, kSettings{500, 215};
inline constexpr ButtonPoint kBlackSide{530, 115}, kWhiteSide{530, 145}, kStart{530, 400};
inline constexpr ButtonPoint kUndo{480, 290}, kHint{580, 290}, kQuit{585, 395}, kOk{530, 390};
inline ButtonPoint LevelButton(int level) {
  return {530, 195 + 28 * level};
}
inline ButtonPoint ColourButton(int colour) {
  return {509 + 20 * colour, 347};
}
inline ButtonPoint YesButton(int row_y) {
  return {480, row_y + 10};
}

class FlowTest : public ::testing::Test {
 protected:
  FlowTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / ("kerna-flow-" + std::string(info->test_suite_name()) +
                                         "-" + info->name() + "-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "dat");
    fs::create_directory_symlink(fs::path(KERNA_ASSETS_DIR) / "bmp", root_ / "bmp");
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    io.SetDataFolder(root_.string());
    io.SetRealTimeLimit(std::chrono::seconds(60));
  }
  ~FlowTest() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // Program start, then settings a scenario can rely on, and the standard
  // start position (or the one given).
  void Start(const Grid& start = StandardStart()) {
    game->starter.ProgramStart();
    SettingsState& s = game->settings;
    s.PauseAfterMove = 0;
    s.ThinkingVaries = 0;
    s.ShowMovePosition = 1;
    s.SelfPlayMode = 0;
    s.SoundEffects = 0;
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) game->board.StartPosition[x][y] = start[x][y];
    }
  }

  // Program start with the settings as the data folder's files give them.
  void StartWithFileSettings() {
    game->starter.ProgramStart();
    const Grid start = StandardStart();
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) game->board.StartPosition[x][y] = start[x][y];
    }
  }

  Outcome RunLoop() {
    return io.Run([&] { game->loop.MainLoop(); });
  }

  // Whether the text (UTF-8) stands on the row; cheap to ask at every Sleep.
  std::function<bool()> TextOnRow(int row, std::string utf8) {
    return [this, row, utf8 = std::move(utf8), seen = ~uint64_t{0}, shown = false]() mutable {
      if (io.text().version() != seen) {
        seen = io.text().version();
        shown = io.RowText(row).find(utf8) != std::string::npos;
      }
      return shown;
    };
  }

  // Clicks the point once the condition holds and the script is idle.
  void ClickWhen(std::function<bool()> condition, ButtonPoint at) {
    io.When(
        [this, condition = std::move(condition)] { return io.PendingEvents() == 0 && condition(); },
        [this, at] { io.ClickLeft(at.x, at.y); });
  }
  void ClickOnMenu(ButtonPoint at) {
    ClickWhen([this] { return game->buttonState.GroupActive[6] == 1; }, at);
  }
  // Menu -> play the computer -> side -> level -> start.
  void ChooseGameAgainstComputer(bool human_black, int level) {
    ClickOnMenu(kPlayComputer);
    const auto choosing = [this] { return game->buttonState.GroupActive[2] == 1; };
    ClickWhen(choosing, human_black ? kBlackSide : kWhiteSide);
    ClickWhen(choosing, LevelButton(level));
    ClickWhen(choosing, kStart);
  }

  // True while the human turn polls for a move.
  bool HumanWaits() { return io.PendingEvents() == 0 && awaiting_move_(); }
  bool HumanMustPass() { return io.PendingEvents() == 0 && awaiting_pass_(); }

  // Plays the human's moves: the first legal square in column order (or the
  // one `choose` picks), pointed at first and then clicked, like a hand on the
  // mouse. Passes are acknowledged with a click. Stops after `moves` moves.
  void AutoPlay(int moves = 99, std::function<std::pair<int, int>()> choose = nullptr) {
    moves_left_ = moves;
    choose_ = std::move(choose);
    ArmAutoPlay();
  }
  int human_moves_played() const { return human_moves_; }
  // The position each time the human was asked for a move.
  const std::vector<Grid>& positions_seen() const { return positions_seen_; }
  // For runs of many games, which would otherwise hold every position.
  void ForgetPositionsSeen() { positions_seen_.clear(); }

  Grid position() const { return game->board.Position; }
  const fs::path& root() const { return root_; }

  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);

 private:
  void ArmAutoPlay() {
    io.When([this] { return moves_left_ > 0 && (HumanWaits() || HumanMustPass()); },
            [this] {
              if (HumanMustPass()) {
                io.ClickLeft(SquareCentreX(1), SquareCentreY(1));
              } else {
                positions_seen_.push_back(position());
                const auto square =
                    choose_ ? choose_() : LegalSquares(position(), game->board.SideToMove).front();
                io.MoveMouse(SquareCentreX(square.first), SquareCentreY(square.second));
                io.ClickLeft(SquareCentreX(square.first), SquareCentreY(square.second));
                ++human_moves_;
                --moves_left_;
              }
              ArmAutoPlay();
            });
  }

  fs::path root_;
  std::function<bool()> awaiting_move_ = TextOnRow(22, "置ける数");
  std::function<bool()> awaiting_pass_ = TextOnRow(21, "クリックして下さい");
  int moves_left_ = 0;
  int human_moves_ = 0;
  std::function<std::pair<int, int>()> choose_;
  std::vector<Grid> positions_seen_;
};

}  // namespace kerna::test
