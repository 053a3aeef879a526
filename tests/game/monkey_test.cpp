// The monkey: random mouse moves, presses and releases on the headless
// platform, biased toward the active buttons (their rectangles from the button
// table), the legal squares and the empty panel, through menus, settings,
// games at every level, hints, undos and result screens. Whenever the human is
// asked for a move, the position on screen, Board layer 0 and the game record
// replayed from the start position must agree (an undo, a pass, a hint or a new
// game must leave no entry behind that the board does not show); a watchdog on the virtual clock
// fails the run when nothing moves on. KERNA_MONKEY_EVENTS sets the events per
// seed (the long run); the short run in `make test` is sized to take seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "flow_fixture.hpp"
#include "game/run_game.hpp"
#include "installed_copy.hpp"
#include "support/sanitized.hpp"

namespace kerna::test {
namespace {

constexpr int kShortRunEvents = kSanitized ? 400 : 2500;

// Nothing new on screen (buttons, position) for this long of virtual time is a hang.
constexpr int64_t kStuckMs = 15 * 60 * 1000;

int EventsPerSeed() {
  const char* text = std::getenv("KERNA_MONKEY_EVENTS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : kShortRunEvents;
}

// The short run under the sanitizers leaves out what searches deeply (levels
// 4 to 6 and the hint, which searches at level 6): unoptimised and
// instrumented, one such search takes a minute. The long run keeps them.
bool DeepSearchesLeftOut() {
  return kSanitized && std::getenv("KERNA_MONKEY_EVENTS") == nullptr;
}

// The position reached by playing the record from the start position with
// rules of its own (not the game's), or a note of the first impossible entry.
bool ReplayRecord(const BoardState& b, Grid& out, std::string& problem) {
  out = b.StartPosition;
  for (int n = 1; n <= kRecordSize; ++n) {
    const int entry = static_cast<int>(std::lround(b.GameRecord[n]));
    if (entry == 0) continue;
    const int side = entry / 100, x = entry / 10 % 10, y = entry % 10;
    std::ostringstream where;
    where << "record entry " << n << " = " << entry;
    if ((side != kBlack && side != kWhite) || x < 1 || x > 8 || y < 1 || y > 8 ||
        out[x][y] != kEmpty) {
      problem = where.str() + " is not a move onto an empty square";
      return false;
    }
    int flipped = 0;
    for (int k = 0; k < 8; ++k) {
      const int dx = b.DirectionX[k], dy = b.DirectionY[k];
      int cx = x + dx, cy = y + dy, run = 0;
      while (cx >= 1 && cx <= 8 && cy >= 1 && cy <= 8 && out[cx][cy] == 3 - side) {
        cx += dx, cy += dy, ++run;
      }
      if (run == 0 || cx < 1 || cx > 8 || cy < 1 || cy > 8 || out[cx][cy] != side) continue;
      for (int i = 1; i <= run; ++i) out[x + dx * i][y + dy * i] = static_cast<int16_t>(side);
      flipped += run;
    }
    if (flipped == 0) {
      problem = where.str() + " flips nothing";
      return false;
    }
    out[x][y] = static_cast<int16_t>(side);
  }
  return true;
}

class Monkey : public ::testing::TestWithParam<uint32_t> {
 protected:
  Monkey() : copy_("monkey"), random_(GetParam()) {
    io.SetDataFolder(copy_.root().string());
    io.SetTimeLimit(int64_t{1} << 50);  // the progress watchdog below decides
    io.SetRealTimeLimit(std::chrono::seconds(600));
  }

  // One random mouse action, queued after a random pause.
  void QueueNextEvent() {
    const int64_t at = io.Clock() + Uniform(10, 700);
    int x = 0, y = 0;
    const int pick = Uniform(0, 99);
    const auto buttons = ActiveButtons();
    const auto legal = LegalSquares(game.board.Position, game.board.HumanSide);
    if (pick < 50 && !buttons.empty()) {
      const ButtonEntry& e = *buttons[static_cast<size_t>(Uniform(0, buttons.size() - 1))];
      x = static_cast<int>(e.X) + Uniform(0, std::max(0, static_cast<int>(e.Width) - 1));
      y = static_cast<int>(e.Y) + Uniform(0, std::max(0, static_cast<int>(e.Height) - 1));
    } else if (pick < 75 && !legal.empty()) {
      const auto& square = legal[static_cast<size_t>(Uniform(0, legal.size() - 1))];
      x = SquareCentreX(square.first) + Uniform(-20, 20);
      y = SquareCentreY(square.second) + Uniform(-20, 20);
    } else if (pick < 85) {
      x = SquareCentreX(Uniform(1, 8)), y = SquareCentreY(Uniform(1, 8));
    } else if (pick < 93) {
      x = Uniform(430, 639), y = Uniform(0, 439);
    } else {
      x = Uniform(-5, 650), y = Uniform(-5, 450);
    }
    if (quick_ && OnADeepSearchButton(x, y)) x = Uniform(0, 420);  // onto the board instead
    const int action = Uniform(0, 99);
    if (action < 70) {
      io.ClickLeft(x, y, at);
    } else if (action < 82) {
      io.ClickRight(x, y, at);
    } else if (action < 90) {
      io.MoveMouse(x, y, at);
    } else if (action < 95) {  // pressed here, released elsewhere
      io.PressLeftAt(x, y, at);
      io.MoveMouse(Uniform(0, 639), Uniform(0, 439), at + Uniform(20, 400));
      io.ReleaseLeft(at + Uniform(401, 900));
    } else {
      io.PressRightAt(x, y, at);
      io.ReleaseRight(at + Uniform(20, 600));
    }
    ++events_;
  }

  // Buttons of the active groups with a picture; levels 5 and 6 mostly left out
  // so that the slow searches do not eat the run, quit mostly left out so that
  // games run to their end.
  std::vector<const ButtonEntry*> ActiveButtons() {
    std::vector<const ButtonEntry*> found;
    for (int g = 0; g < kButtonGroups; ++g) {
      if (game.buttonState.GroupActive[g] != 1) continue;
      for (int i = 0; i < kButtonItems; ++i) {
        const ButtonEntry& e = game.buttonState.Button(g, i);
        if (e.Name.empty() || e.Width <= 0) continue;
        if (g == 1 && i >= 5 && Uniform(0, 99) >= 8) continue;
        if (quick_ && ((g == 1 && i >= 4) || g == 4)) continue;
        // Quit seldom, so that games reach their end and the result screen.
        if (g == 5 && Uniform(0, 99) >= 5) continue;
        // Hints search at level 6 (real time); games between two people are
        // left for a quarter of the menu clicks.
        if (g == 4 && Uniform(0, 99) >= 20) continue;
        if (g == 3 && Uniform(0, 99) >= 25) continue;  // undo, or games never end
        if (g == 6 && i == 1 && Uniform(0, 99) >= 25) continue;
        found.push_back(&e);
      }
    }
    return found;
  }

  bool OnADeepSearchButton(int x, int y) {
    const auto under = [&](const ButtonEntry& e) {
      return e.Width > 0 && e.X <= x && x <= e.X + e.Width && e.Y <= y && y <= e.Y + e.Height;
    };
    for (int level = 4; level <= 6; ++level) {
      if (under(game.buttonState.Button(1, level))) return true;
    }
    return under(game.buttonState.Button(4, 0));
  }

  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  int Uniform(int lo, size_t hi) { return Uniform(lo, static_cast<int>(hi)); }

  // Position, layer 0 and the record agree while the human is asked to move.
  void CheckAgreement() {
    const BoardState& b = game.board;
    Grid replayed{};
    std::string problem;
    bool agree = true;
    for (int x = 1; agree && x <= 8; ++x) {
      for (int y = 1; agree && y <= 8; ++y) {
        if (b.Position[x][y] != b.cell[x][y][0]) {
          agree = false, problem = "layer 0 differs from the position";
        }
      }
    }
    if (agree && !ReplayRecord(b, replayed, problem)) agree = false;
    for (int x = 1; agree && x <= 8; ++x) {
      for (int y = 1; agree && y <= 8; ++y) {
        if (b.Position[x][y] != replayed[x][y]) {
          agree = false, problem = "the replayed record differs from the position";
        }
      }
    }
    ++checks_;
    if (!agree && failures_++ < 3) {
      ADD_FAILURE() << "seed " << GetParam() << " at virtual " << io.Clock() << " ms: " << problem;
    }
  }

  // Called at every Sleep: feeds the script, checks, and watches for a hang.
  bool Step() {
    const auto signature = Signature();
    if (signature != last_signature_) {
      last_signature_ = signature;
      last_progress_ms_ = io.Clock();
      const int discs =
          CountDiscs(game.board.Position, kBlack) + CountDiscs(game.board.Position, kWhite);
      if (discs > last_discs_) ++turns_;
      last_discs_ = discs;
      if (awaiting_move_()) CheckAgreement();
    }
    CountGamesAndButtons();
    if (io.Clock() - last_progress_ms_ > kStuckMs) {
      stuck_ = true;
      return true;
    }
    if (io.PendingEvents() == 0) {
      if (events_ >= budget_) {
        io.CloseWindow();
      } else {
        QueueNextEvent();
      }
    }
    return false;
  }

  // A game starts when, after the menu, the turn's buttons (undo, hint, quit)
  // come up; it ends well when the result screen's score lines are shown.
  void CountGamesAndButtons() {
    const auto& active = game.buttonState.GroupActive;
    if (active[6] == 1) at_menu_ = true;
    if (at_menu_ && (active[3] == 1 || active[4] == 1 || active[5] == 1)) {
      at_menu_ = false;
      ++games_;
      if (game.flow.VersusComputer == 1) levels_ |= 1u << std::clamp<int>(game.ai.Level, 0, 6);
      if (game.flow.VersusComputer == 0) levels_ |= 1u << 7;
    }
    const bool result = result_shown_() || two_humans_result_shown_();
    if (result && !on_result_) ++results_;
    on_result_ = result;
    undos_ += std::max(0, game.flow.UndoCount - last_undos_);
    hints_ += std::max(0, game.flow.HintCount - last_hints_);
    last_undos_ = game.flow.UndoCount;
    last_hints_ = game.flow.HintCount;
  }

  std::string LevelsPlayed() const {
    std::string text;
    for (int level = 0; level <= 6; ++level) {
      if (levels_ & (1u << level)) text += std::to_string(level);
    }
    if (levels_ & (1u << 7)) text += " and two humans";
    return text.empty() ? "none" : text;
  }

  std::vector<int> Signature() {
    std::vector<int> s;
    for (float active : game.buttonState.GroupActive) s.push_back(static_cast<int>(active));
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) s.push_back(game.board.Position[x][y]);
    }
    s.push_back(awaiting_move_() ? 1 : 0);
    return s;
  }

  std::function<bool()> TextOnRow(int row, std::string utf8) {
    return [this, row, utf8 = std::move(utf8), seen = ~uint64_t{0}, shown = false]() mutable {
      if (io.text().version() != seen) {
        seen = io.text().version();
        shown = io.RowText(row).find(utf8) != std::string::npos;
      }
      return shown;
    };
  }

  InstalledCopy copy_;
  std::mt19937 random_;
  platform::HeadlessPlatform io;
  Game game{io};
  std::function<bool()> awaiting_move_ = TextOnRow(22, "置ける数");
  int budget_ = EventsPerSeed();
  bool quick_ = DeepSearchesLeftOut();
  std::function<bool()> result_shown_ = TextOnRow(21, "あなた     （");
  std::function<bool()> two_humans_result_shown_ = TextOnRow(21, " 白 ");
  int events_ = 0, checks_ = 0, failures_ = 0, turns_ = 0, games_ = 0, results_ = 0,
      last_discs_ = 4, undos_ = 0, hints_ = 0, last_undos_ = 0, last_hints_ = 0;
  unsigned levels_ = 0;
  bool at_menu_ = false, on_result_ = false;
  std::vector<int> last_signature_;
  int64_t last_progress_ms_ = 0;
  bool stuck_ = false;
};

TEST_P(Monkey, NothingBreaks) {
  io.StopWhen([this] { return Step(); });
  const auto started = std::chrono::steady_clock::now();
  const Outcome outcome = io.Run([&] { RunGame(game); });
  const auto real_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - started)
                           .count();
  EXPECT_FALSE(stuck_) << "seed " << GetParam() << ": nothing new for " << kStuckMs / 60000
                       << " virtual minutes, at virtual " << io.Clock() << " ms";
  EXPECT_EQ(outcome, Outcome::kWindowClosed) << "seed " << GetParam();
  std::printf(
      "monkey seed %u: %d events, %d games (%d to the result screen; levels %s), %d discs "
      "placed, %d undos, %d hints, %d agreement checks, %lld virtual s, %lld real ms\n",
      GetParam(), events_, games_, results_, LevelsPlayed().c_str(), turns_, undos_, hints_,
      checks_, static_cast<long long>(io.Clock() / 1000), static_cast<long long>(real_ms));
}

INSTANTIATE_TEST_SUITE_P(Seeds, Monkey, ::testing::Values(1u, 2u, 3u));

}  // namespace
}  // namespace kerna::test
