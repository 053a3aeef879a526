// The game is driven as the tests drive it, on the headless platform, but the
// times are real ones: the virtual clock only decides when a scripted click
// arrives, and everything between the click and the answer on the screen is
// the game's own work.
#include "kept_games.hpp"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 9;
constexpr int64_t kFirstDate = 1'700'000'000;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// A finished game of a human against level 3: a short opening, enough for
// lines and files of the usual shape.
GameSummary SampleGame(int64_t date) {
  GameSummary s;
  s.wall_clock_seconds = date;
  s.level = 3;
  s.start[4][4] = s.start[5][5] = kWhite;
  s.start[4][5] = s.start[5][4] = kBlack;
  const int moves[][3] = {{kBlack, 6, 5}, {kWhite, 4, 6}, {kBlack, 3, 3},
                          {kWhite, 4, 3}, {kBlack, 3, 4}, {kWhite, 6, 4}};
  int n = 1;
  for (const auto& m : moves) s.record[n++] = static_cast<float>(m[0] * 100 + m[1] * 10 + m[2]);
  s.final_position = s.start;
  s.black_discs = 33, s.white_discs = 31;
  return s;
}

// A data folder of its own: the shipped files linked in, dat\ a real folder
// (the records go there) holding links to the shipped data files.
fs::path MakeDataFolder(const std::string& name) {
  const fs::path root = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "dat");
  const fs::path assets(KERNA_ASSETS_DIR);
  for (const auto& entry : fs::directory_iterator(assets)) {
    if (entry.path().filename() != "dat")
      fs::create_symlink(entry.path(), root / entry.path().filename());
  }
  for (const auto& entry : fs::directory_iterator(assets / "dat")) {
    fs::create_symlink(entry.path(), root / "dat" / entry.path().filename());
  }
  return root;
}

double TimeStart(const fs::path& root) {
  platform::HeadlessPlatform io;
  io.SetDataFolder(root.string());
  Game game(io);
  const auto from = Clock::now();
  game.starter.ProgramStart();
  return Ms(from, Clock::now());
}

// The saved games screen: from the click on the menu to the first game shown,
// and from the key to the next older one to it shown.
void TimeSavedGames(const fs::path& root, bool any, double& open_ms, double& step_ms) {
  platform::HeadlessPlatform io;
  io.SetDataFolder(root.string());
  Game game(io);
  game.review.Open = [](const std::optional<std::string>&) {};
  game.starter.ProgramStart();
  Clock::time_point clicked, shown, pressed, stepped;
  const auto row_five = [&io](std::string text) {
    return [&io, text, seen = ~uint64_t{0}, found = false]() mutable {
      if (io.text().version() != seen) {
        seen = io.text().version();
        found = io.RowText(5).find(text) != std::string::npos;
      }
      return found;
    };
  };
  io.When([&] { return game.buttonState.GroupActive[kMenuGroup] == 1 && io.PendingEvents() == 0; },
          [&] {
            io.ClickLeft(534, 257);  // 保存した対局
            clicked = Clock::now();
          });
  io.When(row_five(any ? "1 / " : "ありません"), [&] {
    shown = Clock::now();
    io.PressKey(platform::Key::kRight);
    pressed = Clock::now();
  });
  if (any) {
    io.StopWhen([&, second = row_five("2 / ")]() mutable {
      if (!second()) return false;
      stepped = Clock::now();
      return true;
    });
  } else {
    io.StopWhen([&] { return shown != Clock::time_point{}; });
  }
  io.Run([&] { game.loop.MainLoop(); });
  open_ms = Ms(clicked, shown);
  step_ms = any ? Ms(pressed, stepped) : 0;
}

// Saving a finished game, and keeping the same game again.
void TimeSaving(const fs::path& root, int run, double& save_ms, double& again_ms) {
  platform::HeadlessPlatform io;
  io.SetDataFolder(root.string());
  io.SetWallClock(kFirstDate - 86'400 * (run + 1));  // a name no other game has
  Game game(io);
  game.starter.ProgramStart();
  game.flow.VersusComputer = 1;
  game.settings.SelfPlayMode = 0;
  game.ai.Level = 3;
  game.recorder.BeginGame();
  game.board.GameRecord = SampleGame(0).record;
  auto from = Clock::now();
  game.recorder.RecordFinishedGame();
  save_ms = Ms(from, Clock::now());
  from = Clock::now();
  game.recorder.RecordFinishedGame();
  again_ms = Ms(from, Clock::now());
}

struct Figures {
  double start, open, step, save, again;
};

Figures Measure(const fs::path& root, bool any) {
  std::vector<double> start, open, step, save, again;
  // Saving adds games: the start and the screen are timed first.
  for (int run = 0; run < kRuns; ++run) {
    start.push_back(TimeStart(root));
    double o = 0, s = 0;
    TimeSavedGames(root, any, o, s);
    open.push_back(o);
    step.push_back(s);
  }
  for (int run = 0; run < kRuns; ++run) {
    double a = 0, b = 0;
    TimeSaving(root, run, a, b);
    save.push_back(a);
    again.push_back(b);
  }
  return {Median(start), Median(open), Median(step), Median(save), Median(again)};
}

}  // namespace

void WriteKeptGames(const std::string& folder, int lines, int files) {
  const fs::path root(folder);
  fs::create_directories(root / "records");
  std::ofstream records(root / "records.txt", std::ios::binary);
  for (int i = 0; i < lines; ++i) records << RecordLine(SampleGame(kFirstDate + 600 * i)) << "\n";
  for (int i = 0; i < files; ++i) {
    const GameSummary s = SampleGame(kFirstDate + 600 * i);
    std::string name = LocalDateTime(s.wall_clock_seconds, 'T');
    std::replace(name.begin(), name.end(), ':', '-');
    std::ofstream(root / "records" / (name + ".ggf"), std::ios::binary)
        << WriteGgf(GgfOfGame(s)) << "\n";
  }
}

int RunKeptGamesTiming(int lines, int files) {
  const fs::path empty = MakeDataFolder("kerna-kept-none");
  const fs::path full = MakeDataFolder("kerna-kept-many");
  ::setenv("XDG_CONFIG_HOME", (empty / "config").c_str(), 1);
  WriteKeptGames((full / "dat").string(), lines, files);
  ::sync();  // the saves then sync their own bytes, not the whole filling
  const Figures none = Measure(empty, false);
  const Figures many = Measure(full, true);
  std::printf("Kept games: real ms, median of %d (none / %d lines in records.txt and %d files)\n",
              kRuns, lines, files);
  const auto row = [](const char* what, double a, double b) {
    std::printf("%-36s %10.1f %10.1f\n", what, a, b);
  };
  row("program start", none.start, many.start);
  row("saved games screen: open", none.open, many.open);
  row("saved games screen: next older", none.step, many.step);
  row("save a finished game", none.save, many.save);
  row("keep it again after undo", none.again, many.again);
  fs::remove_all(empty);
  fs::remove_all(full);
  return 0;
}

}  // namespace kerna::bench
