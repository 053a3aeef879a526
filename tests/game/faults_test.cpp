// Damaged installations: every data file missing, empty, cut short or replaced
// by noise (4 kB and 50 MB); a data folder that cannot be written; voices that
// will not open, or none at all.
// In each case the game must start, reach the menu and go on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "data/eval_table_loader.hpp"
#include "data/eval_tables.hpp"
#include "data/opening_book.hpp"
#include "flow_fixture.hpp"
#include "game/run_game.hpp"
#include "game/settings_panel.hpp"
#include "installed_copy.hpp"
#include "support/sanitized.hpp"
#include "ui/speech_csv.hpp"

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
    io.StopWhen([&] { return game.buttonState.GroupActive[6] == 1; });
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

// The three large files cut at every tenth byte, straight through their
// parsers (a whole start per cut would take hours): no crash, nothing written
// outside the tables, and what is left well formed. Each cut parses from the
// start, so the short run takes every tenth byte of speech.csv and of the
// first and last 2 kB of the two big files, every 97th in between (fewer
// under the sanitizers);
// KERNA_FAULTS_EVERY_TENTH=1 (make faults-long) takes every tenth byte of all.
std::vector<size_t> Cuts(size_t size) {
  const bool every_tenth = std::getenv("KERNA_FAULTS_EVERY_TENTH") != nullptr;
  // Unoptimised and instrumented, the parsers run some fifty times slower.
  const size_t end_bytes = kSanitized ? 512 : 2048, middle_step = kSanitized ? 997 : 97;
  std::vector<size_t> cuts;
  for (size_t cut = 0; cut < size;) {
    cuts.push_back(cut);
    const bool near_an_end = cut < end_bytes || cut + end_bytes > size;
    cut += every_tenth || size < 20000 || near_an_end ? 10 : middle_step;
  }
  return cuts;
}

TEST_F(Faults, LargeFilesCutAtEveryTenthByteParse) {
  const auto tables = std::make_unique<EvalTables>();
  const auto book = std::make_unique<OpeningBook>();
  const auto speech = std::make_unique<SpeechLines[]>(1);
  const std::string table_bytes = Shipped("table.dat"), book_bytes = Shipped("zyouseki.txt"),
                    speech_bytes = Shipped("speech.csv");
  for (size_t cut : Cuts(table_bytes.size())) {
    ParseEvalTables(std::string_view(table_bytes).substr(0, cut), *tables, [](int) {});
  }
  for (size_t cut : Cuts(book_bytes.size())) {
    ParseOpeningBook(std::string_view(book_bytes).substr(0, cut), *book);
    ASSERT_GE(book->LineCount, 1) << "cut at " << cut;
    ASSERT_LE(book->LineCount, kBookCapacity) << "cut at " << cut;
  }
  for (size_t cut : Cuts(speech_bytes.size())) {
    std::memset(speech.get(), 0, sizeof(SpeechLines));
    ParseSpeechCsv(std::string_view(speech_bytes).substr(0, cut), speech[0]);
    for (const auto& level : speech[0]) {
      for (const auto& entry : level) ASSERT_EQ(entry[kSpeechTextBytes], 0) << "cut at " << cut;
    }
  }
}

TEST_F(Faults, EachDataFileReplacedBy4KilobytesAndBy50MegabytesOfNoise) {
  std::mt19937 random(7);
  const auto noise = [&](size_t size) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
  };
  const std::string big = noise(50u << 20);
  for (const char* name : kDataFiles) {
    Put(name, noise(4096));
    ReachesMenu(std::string(name) + " noise");
    Put(name, big);
    ReachesMenu(std::string(name) + " 50 MB of noise");
    Restore(name);
  }
}

// Every voice fails to open: each line shows the failure box, and the game
// plays on to its end (the box only reports; it stops nothing).
TEST_F(Faults, AVoiceThatFailsToOpenShowsTheBoxAndPlayGoesOn) {
  platform::HeadlessPlatform io;
  io.SetDataFolder(root_.string());
  io.SetTimeLimit(int64_t{1} << 40);
  io.SetRealTimeLimit(std::chrono::seconds(120));
  io.FailVoice(/*open=*/true, /*play=*/false, /*stop=*/false);
  Game game(io);
  // Menu: play the computer, black, level 0, start; then the first legal square each turn.
  io.When([&] { return game.buttonState.GroupActive[6] == 1 && io.PendingEvents() == 0; },
          [&] { io.ClickLeft(500, 135); });
  io.When([&] { return game.buttonState.GroupActive[2] == 1 && io.PendingEvents() == 0; },
          [&] {
            io.ClickLeft(530, 115);
            io.ClickLeft(530, 195);
            io.ClickLeft(530, 400);
          });
  int moves = 0;
  const auto awaiting_move = [&] { return io.RowText(22).find("置ける数") != std::string::npos; };
  const auto awaiting_pass = [&] {
    return io.RowText(21).find("クリックして下さい") != std::string::npos;
  };
  std::function<void()> arm = [&] {
    io.When([&] { return io.PendingEvents() == 0 && (awaiting_move() || awaiting_pass()); },
            [&] {
              const auto legal = LegalSquares(game.board.Position, game.board.SideToMove);
              if (awaiting_move() && !legal.empty()) {
                io.ClickLeft(22 + 48 * (legal.front().first - 1) + 24,
                             22 + 48 * (legal.front().second - 1) + 24);
                ++moves;
              } else {
                io.ClickLeft(200, 200);
              }
              arm();
            });
  };
  arm();
  io.StopWhen([&] { return io.RowText(21).find("あなた     （") != std::string::npos; });
  EXPECT_EQ(io.Run([&] { RunGame(game); }), Outcome::kStopped);
  EXPECT_GE(moves, 10);
  ASSERT_FALSE(io.message_boxes().empty());
  EXPECT_EQ(io.message_boxes().front().text, "デバイスのオープンに失敗!");
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
