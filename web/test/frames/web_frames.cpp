// kerna-web-frames: plays the page test's scenario (web/test/scenario.txt) on
// the headless backend and writes the 640 x 440 picture at each "frame" step
// as a binary PPM, so web/test/play.mjs can check that the browser shows
// exactly what the desktop draws for the same inputs.
//
//   kerna-web-frames SCENARIO OUT_DIR
//
// The data folder is a scratch copy of assets/ whose dat/ is read-only, and
// the user's folder is a scratch one, as in the browser; a "reload" starts a
// new game on the same folders, as reloading the page does.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>

#include "game/game.hpp"
#include "game/run_game.hpp"
#include "platform/dom_keys.hpp"
#include "platform/headless_backend.hpp"
#include "review/review_screen.hpp"

namespace {

namespace fs = std::filesystem;
using kerna::platform::HeadlessPlatform;

struct Step {
  std::string verb;
  std::vector<std::string> words;
  int Number(size_t i) const { return i < words.size() ? std::stoi(words[i]) : 0; }
};

std::vector<Step> ReadScenario(const fs::path& path) {
  std::vector<Step> steps;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    Step step;
    if (!(words >> step.verb)) continue;
    for (std::string word; words >> word;) step.words.push_back(word);
    steps.push_back(step);
  }
  return steps;
}

void WritePpm(const fs::path& path, const kerna::platform::Surface& surface) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << surface.width() << " " << surface.height() << "\n255\n";
  out.write(reinterpret_cast<const char*>(surface.pixels().data()),
            static_cast<std::streamsize>(surface.pixels().size() * 3));
}

// The scenario from `next` up to the end or the next "reload", on one game.
// Returns false when a step could not be done.
bool PlaySegment(const std::vector<Step>& steps, size_t& next, const fs::path& data,
                 const fs::path& out_dir) {
  HeadlessPlatform io;
  io.SetDataFolder(data.string());
  io.SetRealTimeLimit(std::chrono::seconds(120));
  auto game = std::make_unique<kerna::Game>(io);
  // The browser has the review too: the saved games and the result screen offer it.
  game->review.Open = [&game, data](const std::optional<std::string>& ggf_text) {
    kerna::review::ReviewScreen(*game, kerna::review::LevelSixAnalyser(data.string()))
        .Show(ggf_text);
  };
  int64_t settle_until = -1;
  bool failed = false;
  // Called at every sleep of the game: does the steps that are due.
  io.StopWhen([&] {
    while (next < steps.size()) {
      const Step& step = steps[next];
      if (step.verb == "click" || step.verb == "tap") {
        // A touch shows where it is before it is lifted, as the mouse does on its way.
        if (step.verb == "tap") io.MoveMouse(step.Number(0), step.Number(1));
        if (step.words.size() > 2 && step.words[2] == "right") {
          io.ClickRight(step.Number(0), step.Number(1));
        } else {
          io.ClickLeft(step.Number(0), step.Number(1));
        }
      } else if (step.verb == "point") {
        io.MoveMouse(step.Number(0), step.Number(1));
      } else if (step.verb == "key") {
        const auto key = kerna::platform::KeyFromDom(step.words.at(0), "", false);
        if (!key) return failed = true;
        io.PressKey(*key);
      } else if (step.verb == "settle") {
        if (settle_until < 0) settle_until = io.Clock() + step.Number(0);
        if (io.Clock() < settle_until) return false;
        settle_until = -1;
      } else if (step.verb == "frame") {
        WritePpm(out_dir / (step.words.at(0) + ".ppm"), io.surface());
      } else if (step.verb == "reload") {
        ++next;
        return true;
      } else {
        std::fprintf(stderr, "unknown step: %s\n", step.verb.c_str());
        return failed = true;
      }
      ++next;
    }
    return true;
  });
  const auto outcome = io.Run([&] { kerna::RunGame(*game); });
  return !failed && outcome == HeadlessPlatform::Outcome::kStopped;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kerna-web-frames SCENARIO OUT_DIR\n");
    return 2;
  }
  const std::vector<Step> steps = ReadScenario(argv[1]);
  // Absolute: a relative XDG_CONFIG_HOME would be ignored for ~/.config.
  const fs::path out_dir = fs::absolute(argv[2]);
  const fs::path scratch = out_dir / "desktop-data";
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::copy(fs::path(KERNA_ASSETS_DIR) / "dat", scratch / "dat");
  for (const char* folder : {"bmp", "sound", "voice"}) {
    fs::create_directory_symlink(fs::path(KERNA_ASSETS_DIR) / folder, scratch / folder);
  }
  fs::permissions(scratch / "dat", fs::perms::owner_read | fs::perms::owner_exec);
  ::setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
  size_t next = 0;
  bool ok = true;
  while (ok && next < steps.size()) ok = PlaySegment(steps, next, scratch, out_dir);
  fs::permissions(scratch / "dat", fs::perms::owner_all);
  fs::remove_all(scratch);
  if (!ok) std::fprintf(stderr, "kerna-web-frames: the scenario stopped at step %zu\n", next + 1);
  return ok ? 0 : 1;
}
