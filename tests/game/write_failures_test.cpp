// A write that fails because the disk is full: the earlier file stays whole,
// the player is told once in a message box, and the game plays on; once
// there is room again the next write is kept as usual.
#include <algorithm>
#include <iterator>

#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

class WriteFailures : public FlowTest {
 protected:
  // From the menu, `times` times: the action, then back on the menu.
  void FromTheMenu(int times, const std::function<void()>& action) {
    io.ClearScript();
    int started = 0;
    for (int time = 0; time < times; ++time) {
      io.When([this, &started, time] { return started == time && InMenu(); },
              [&started, action] {
                ++started;
                action();
              });
    }
    io.StopWhen([this, &started, times] { return started == times && InMenu(); });
    ASSERT_EQ(RunLoop(), Outcome::kStopped);
  }
  bool InMenu() { return io.PendingEvents() == 0 && game->buttonState.GroupActive[6] == 1; }
  int BoxesSaying(const std::string& text) const {
    int boxes = 0;
    for (const auto& box : io.message_boxes()) boxes += box.text.find(text) != std::string::npos;
    return boxes;
  }
  int GgfFiles() const {
    const fs::path folder = root() / "dat" / "records";
    return fs::exists(folder) ? static_cast<int>(std::distance(fs::directory_iterator(folder), {}))
                              : 0;
  }
};

TEST_F(WriteFailures, GamesKeptOnAFullDiskLeaveTheEarlierRecordsWholeAndAreToldOnce) {
  const std::string earlier = "date=2026-12-01T10:00:00 mode=humans moves=f5\n";
  WriteFile(root() / "dat" / "records.txt", earlier);
  Start();
  io.SetWallClock(1'765'000'000);
  const auto two_people_quit_at_once = [this] {
    io.ClickLeft(kTwoHumans.x, kTwoHumans.y);
    ClickWhen([this] { return HumanWaits(); }, kQuit);
    ClickWhen(TextOnRow(21, "メニューに戻ります"), {100, 100});
  };
  io.FillDiskAfter(20);  // part of the first game's line fits
  ASSERT_NO_FATAL_FAILURE(FromTheMenu(2, two_people_quit_at_once));
  EXPECT_EQ(ReadFile(root() / "dat" / "records.txt"), earlier);
  EXPECT_EQ(GgfFiles(), 0);
  EXPECT_EQ(BoxesSaying("対局の記録を保存できませんでした"), 1);

  io.FreeDisk();
  ASSERT_NO_FATAL_FAILURE(FromTheMenu(1, two_people_quit_at_once));
  const std::string kept = ReadFile(root() / "dat" / "records.txt");
  EXPECT_TRUE(kept.starts_with(earlier + "date=")) << kept;
  EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 2);
  EXPECT_EQ(GgfFiles(), 1);
  // Each file is told of once: the record, and the game in progress the full
  // disk also refused while the first game was played.
  EXPECT_EQ(BoxesSaying("途中の対局を保存できませんでした"), 1);
  EXPECT_EQ(io.message_boxes().size(), 2u);
}

TEST_F(WriteFailures, SettingsWrittenOnAFullDiskKeepTheOldFileAndAreToldOnce) {
  // An eighth line the game ignores, gone once the file is written anew.
  const std::string earlier = "0\r\n0\r\n1\r\n0\r\n43\r\n0\r\n0\r\nold\r\n";
  WriteFile(root() / "dat" / "set.ini", earlier);
  StartWithFileSettings();
  const auto settings_ok = [this] {
    io.ClickLeft(kSettings.x, kSettings.y);
    ClickWhen([this] { return game->buttonState.GroupActive[kOkGroup] == 1; }, kOk);
  };
  io.FillDiskAfter(4);
  ASSERT_NO_FATAL_FAILURE(FromTheMenu(2, settings_ok));
  EXPECT_EQ(ReadFile(root() / "dat" / "set.ini"), earlier);
  EXPECT_EQ(BoxesSaying("設定を保存できませんでした"), 1);

  io.FreeDisk();
  ASSERT_NO_FATAL_FAILURE(FromTheMenu(1, settings_ok));
  EXPECT_EQ(ReadFile(root() / "dat" / "set.ini"), SettingsFileText(*game));
  EXPECT_EQ(io.message_boxes().size(), 1u);
}

}  // namespace
}  // namespace kerna::test
