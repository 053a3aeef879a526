// The headless platform: virtual clock, mouse script, stop conditions,
// watchdogs and the records tests assert on.
#include <gtest/gtest.h>

#include "platform/headless_backend.hpp"

namespace kerna::platform {
namespace {

using kerna::operator""_sjis;
using Outcome = HeadlessPlatform::Outcome;

// The game's way of waiting for a click: poll, sleeping 1 ms per pass.
void WaitForLeftButton(Platform& io) {
  for (;;) {
    io.ReadMouse();
    if (io.LeftButtonDown() == 1) return;
    io.Sleep(1);
  }
}

TEST(Headless, SleepAdvancesTheVirtualClockAtOnce) {
  HeadlessPlatform io;
  EXPECT_EQ(io.Clock(), 0);
  io.Sleep(1500);
  io.Sleep(-5);
  EXPECT_EQ(io.Clock(), 1500);
}

TEST(Headless, PressReleasedBeforeThePollIsSeenOnce) {
  HeadlessPlatform io;
  io.PressLeftAt(100, 200, 10);
  io.ReleaseLeft(12);
  io.Sleep(50);  // the whole click happens during this sleep
  io.ReadMouse();
  EXPECT_EQ(io.MouseX(), 100);
  EXPECT_EQ(io.MouseY(), 200);
  EXPECT_EQ(io.LeftButtonDown(), 1);
  EXPECT_EQ(io.LeftButtonDown(), 0);
  EXPECT_EQ(io.RightButtonDown(), 0);
}

TEST(Headless, HeldButtonReadsOneUntilReleasedOrCleared) {
  HeadlessPlatform io;
  io.PressRightAt(5, 5, 0);
  io.ReleaseRight(100);
  io.Sleep(10);
  EXPECT_EQ(io.RightButtonDown(), 1);
  EXPECT_EQ(io.RightButtonDown(), 1);
  io.SetRightButtonDown(0);  // the game clears the flag after acting on it
  EXPECT_EQ(io.RightButtonDown(), 0);
  io.Sleep(200);
  EXPECT_EQ(io.RightButtonDown(), 0);
}

TEST(Headless, UntimedEventsFollowEachOther) {
  HeadlessPlatform io;
  io.Sleep(1000);
  io.ClickLeft(30, 40);  // from now
  io.ClickLeft(50, 60);  // after the first click
  int64_t first = -1, second = -1;
  EXPECT_EQ(io.Run([&] {
    WaitForLeftButton(io);
    first = io.Clock();
    EXPECT_EQ(io.MouseX(), 30);
    while (io.LeftButtonDown() != 0) io.Sleep(1);
    WaitForLeftButton(io);
    second = io.Clock();
    EXPECT_EQ(io.MouseX(), 50);
  }),
            Outcome::kReturned);
  EXPECT_EQ(first, 1000);
  EXPECT_GT(second, first + HeadlessPlatform::kClickHoldMs - 1);
  EXPECT_EQ(io.PendingEvents(), 1u);  // the second release
}

TEST(Headless, StopsWhenTextAppears) {
  HeadlessPlatform io;
  io.StopWhenText("レベル");
  int slept = 0;
  EXPECT_EQ(io.Run([&] {
    for (int i = 0;; ++i) {
      if (i == 300) {
        io.MoveCursor(55, 5);
        io.Print("レベル 3"_sjis);
      }
      io.Sleep(1);
      ++slept;
    }
  }),
            Outcome::kStopped);
  EXPECT_EQ(slept, 300);  // the first Sleep after the print ends the run
  EXPECT_EQ(io.RowText(5).substr(55), "レベル 3");
  const auto found = io.FindText("3");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->column, 62);
  EXPECT_EQ(found->row, 5);
}

TEST(Headless, FindTextOnlyMatchesWholeCharacters) {
  HeadlessPlatform io;
  io.Print("ア"_sjis);  // 0x83 0x41: its trail byte is an 'A'
  EXPECT_FALSE(io.HasText("A"));
  io.Print("A");
  EXPECT_EQ(io.FindText("A")->column, 2);
}

TEST(Headless, TriggersQueueClicksWhenTheirTextShows) {
  HeadlessPlatform io;
  io.WhenText("menu", [&] { io.ClickLeft(470, 130); });
  int64_t clicked_at = -1;
  EXPECT_EQ(io.Run([&] {
    io.Sleep(5000);
    io.Print("menu");
    WaitForLeftButton(io);
    clicked_at = io.Clock();
  }),
            Outcome::kReturned);
  EXPECT_EQ(clicked_at, 5001);
  EXPECT_EQ(io.MouseX(), 470);
}

TEST(Headless, WatchdogEndsAStuckGame) {
  HeadlessPlatform io;
  io.SetTimeLimit(60'000);
  EXPECT_EQ(io.Run([&] {
    for (;;) io.Sleep(1);
  }),
            Outcome::kTimedOut);
  EXPECT_LE(io.Clock(), 60'001);
}

TEST(Headless, ClosingTheWindowEndsSleepAndSearch) {
  HeadlessPlatform io;
  io.CloseWindow(2000);
  EXPECT_EQ(io.Run([&] {
    for (;;) io.Sleep(7);
  }),
            Outcome::kWindowClosed);
  EXPECT_GE(io.Clock(), 2000);
  EXPECT_THROW(io.CheckClosed(), WindowClosed);
}

TEST(Headless, RecordsSoundsVoicesAndMessageBoxes) {
  HeadlessPlatform io;
  io.SetDataFolder(KERNA_ASSETS_DIR);
  io.Sleep(250);
  io.PlayWave("sound\\oku2.wav");
  EXPECT_FALSE(io.VoiceOpen("voice\\9\\99.mp3"));
  io.ShowMessageBox("デバイスのオープンに失敗!"_sjis, "voice\\9\\99.mp3");
  ASSERT_EQ(io.waves().size(), 1u);
  EXPECT_EQ(io.waves()[0].at_ms, 250);
  EXPECT_EQ(io.waves()[0].path, "sound\\oku2.wav");
  ASSERT_EQ(io.voice_log().size(), 1u);
  EXPECT_FALSE(io.voice_log()[0].succeeded);
  EXPECT_FALSE(io.VoiceIsOpen());
  ASSERT_EQ(io.message_boxes().size(), 1u);
  EXPECT_EQ(io.message_boxes()[0].text, "デバイスのオープンに失敗!");
}

}  // namespace
}  // namespace kerna::platform
