// Damaged installations: every data file missing, empty, cut short or replaced
// by noise; a data folder that cannot be written; a voice that will not open.
// In each case the game must start, reach the menu and go on.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "flow_fixture.hpp"
#include "game/run_game.hpp"
#include "game/settings.hpp"
#include "installed_copy.hpp"

namespace kerna::test {
namespace {

const char* const kDataFiles[] = {"set.ini",   "abc-table.dat", "ban.dat",     "speech.csv",
                                  "start.dat", "table.dat",     "zyouseki.txt"};

class Faults : public ::testing::Test {
 protected:
  Faults() : copy_("faults"), root_(copy_.root()) {}

  std::string Shipped(const char* name) {
    return ReadFile(fs::path(KERNA_ASSETS_DIR) / "dat" / name);
  }
  void Put(const char* name, const std::string& bytes) { WriteFile(root_ / "dat" / name, bytes); }
  void Restore(const char* name) { Put(name, Shipped(name)); }

  // A fresh game started from the folder; true when it reached the menu.
  bool ReachesMenu(const std::string& what) {
    platform::HeadlessPlatform io;
    io.SetDataFolder(root_.string());
    io.SetTimeLimit(120'000);
    io.SetRealTimeLimit(std::chrono::seconds(60));
    Game game(io);
    io.StopWhen([&] { return game.start.GroupActive[6] == 1; });
    const auto outcome = io.Run([&] { RunGame(game); });
    EXPECT_EQ(outcome, Outcome::kStopped) << what;
    return outcome == Outcome::kStopped;
  }

  InstalledCopy copy_;
  fs::path root_;
};

TEST_F(Faults, EachDataFileMissingOrEmpty) {
  for (const char* name : kDataFiles) {
    fs::remove(root_ / "dat" / name);
    ReachesMenu(std::string(name) + " missing");
    Put(name, "");
    ReachesMenu(std::string(name) + " empty");
    Restore(name);
  }
}

TEST_F(Faults, EachDataFileCutShort) {
  for (const char* name : kDataFiles) {
    const std::string bytes = Shipped(name);
    // Every tenth byte for the small files, about 12 cuts for the large ones.
    const size_t step = bytes.size() <= 400 ? 10 : bytes.size() / 12 + 1;
    for (size_t cut = 1; cut < bytes.size(); cut += step) {
      Put(name, bytes.substr(0, cut));
      if (!ReachesMenu(std::string(name) + " cut at " + std::to_string(cut))) break;
    }
    Restore(name);
  }
}

TEST_F(Faults, SmallFilesReplacedByNoiseAndTwoBigOnesBy50MegabytesOfIt) {
  std::mt19937 random(7);
  const auto noise = [&](size_t size) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
  };
  for (const char* name : kDataFiles) {
    Put(name, noise(4096));
    ReachesMenu(std::string(name) + " noise");
    Restore(name);
  }
  for (const char* name : {"table.dat", "zyouseki.txt"}) {
    Put(name, noise(50u << 20));
    ReachesMenu(std::string(name) + " 50 MB of noise");
    Restore(name);
  }
}

TEST_F(Faults, ReadOnlyDataFolderKeepsTheSettingsInTheUserFolder) {
  const std::string before = ReadFile(root_ / "dat" / "set.ini");
  ::chmod((root_ / "dat").c_str(), 0555);
  // Root may write anyway: a directory where the temporary file would go makes
  // the write fail just the same.
  fs::create_directory(root_ / "dat" / ("set.ini.tmp" + std::to_string(::getpid())));
  platform::HeadlessPlatform io;
  io.SetDataFolder(root_.string());
  Game game(io);
  game.starter.ProgramStart();
  game.settings.PauseAfterMove = 1;
  EXPECT_TRUE(SettingsPanel(game).SaveSettings());
  EXPECT_EQ(ReadFile(root_ / "dat" / "set.ini"), before);
  EXPECT_TRUE(fs::exists(root_ / "config" / "kerna-reversi" / "set.ini"));
  // The next start reads the user's copy.
  Game again(io);
  SettingsPanel(again).LoadSettings();
  EXPECT_EQ(again.settings.PauseAfterMove, 1);
  EXPECT_TRUE(ReachesMenu("read-only data folder"));
}

TEST_F(Faults, NoVoiceFilesAtAllStillReachesTheMenu) {
  fs::remove(root_ / "voice");
  fs::create_directory(root_ / "voice");
  EXPECT_TRUE(ReachesMenu("no voice files"));
}

}  // namespace
}  // namespace kerna::test
