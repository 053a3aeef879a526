// The key queue: scripted presses arrive at their virtual times and in order, a
// full queue keeps the newest, a wait can drop what was typed before it, the
// window thread's presses reach the game thread, and SDL's and Windows' key
// codes map to the game's keys (held keys repeat only as arrows).
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include <unistd.h>

#include "platform/file_io.hpp"
#include "platform/headless_backend.hpp"
#include "platform/sdl_keys.hpp"
#include "platform/virtual_keys.hpp"

namespace kerna::platform {
namespace {

TEST(Keys, ScriptedPressesArriveAtTheirTimeInOrder) {
  HeadlessPlatform io;
  io.PressKey(Key::kRight, 20);
  io.PressKey(Key::kEnter, 20);
  io.PressKey(Key::kH);  // untimed: after the previous event
  io.Sleep(19);
  EXPECT_FALSE(io.ReadKey().has_value());
  io.Sleep(1);
  EXPECT_EQ(io.ReadKey(), Key::kRight);
  EXPECT_EQ(io.ReadKey(), Key::kEnter);
  EXPECT_FALSE(io.ReadKey().has_value());
  io.Sleep(10);
  EXPECT_EQ(io.ReadKey(), Key::kH);
  EXPECT_FALSE(io.ReadKey().has_value());
}

TEST(Keys, AFullQueueKeepsTheNewestAndDropKeysEmptiesIt) {
  HeadlessPlatform io;
  for (size_t i = 0; i < Platform::kKeyQueueSize + 3; ++i) {
    io.PressKey(i % 2 == 0 ? Key::kUp : Key::kDown, 5);
  }
  io.PressKey(Key::kEscape, 5);
  io.Sleep(5);
  std::vector<Key> seen;
  while (const auto key = io.ReadKey()) seen.push_back(*key);
  ASSERT_EQ(seen.size(), Platform::kKeyQueueSize);
  EXPECT_EQ(seen.back(), Key::kEscape);

  io.PressKey(Key::kU, 10);
  io.Sleep(10);
  io.DropKeys();
  EXPECT_FALSE(io.ReadKey().has_value());
}

// The window thread pushes while the game thread reads: nothing lost or doubled.
class PushingPlatform : public HeadlessPlatform {
 public:
  void Push(Key key) { PushKey(key); }
};

TEST(Keys, PressesFromAnotherThreadArriveInOrder) {
  PushingPlatform io;
  constexpr int kPresses = 2000;
  std::atomic<bool> done{false};
  std::thread window([&] {
    for (int i = 0; i < kPresses; ++i) {
      io.Push(DigitKey(1 + i % 9));
      if (i % 8 == 7) std::this_thread::yield();
    }
    done = true;
  });
  // A full queue drops the oldest presses; those that arrive keep their order.
  int sent_index = 0, received = 0;
  bool in_order = true;
  for (;;) {
    const bool finished = done;
    const auto key = io.ReadKey();
    if (!key) {
      if (finished) break;
      continue;
    }
    while (sent_index < kPresses && KeyDigit(*key) != 1 + sent_index % 9) ++sent_index;
    in_order = in_order && sent_index < kPresses;
    ++sent_index;
    ++received;
  }
  window.join();
  EXPECT_TRUE(in_order);
  EXPECT_GE(received, static_cast<int>(Platform::kKeyQueueSize));
}

TEST(Keys, SdlKeyCodesMapToTheGameKeys) {
  EXPECT_EQ(KeyFromSdl(SDLK_UP, false), Key::kUp);
  EXPECT_EQ(KeyFromSdl(SDLK_KP_4, false), Key::kLeft);
  EXPECT_EQ(KeyFromSdl(SDLK_RETURN, false), Key::kEnter);
  EXPECT_EQ(KeyFromSdl(SDLK_KP_ENTER, false), Key::kEnter);
  EXPECT_EQ(KeyFromSdl(SDLK_SPACE, false), Key::kSpace);
  EXPECT_EQ(KeyFromSdl(SDLK_ESCAPE, false), Key::kEscape);
  EXPECT_EQ(KeyFromSdl(SDLK_BACKSPACE, false), Key::kBackspace);
  EXPECT_EQ(KeyFromSdl(SDLK_h, false), Key::kH);
  EXPECT_EQ(KeyFromSdl(SDLK_u, false), Key::kU);
  EXPECT_EQ(KeyFromSdl(SDLK_1, false), Key::kDigit1);
  EXPECT_EQ(KeyFromSdl(SDLK_9, false), Key::kDigit9);
  EXPECT_EQ(KeyFromSdl(SDLK_HOME, false), Key::kHome);
  EXPECT_EQ(KeyFromSdl(SDLK_END, false), Key::kEnd);
  EXPECT_EQ(KeyFromSdl(SDLK_n, false), Key::kN);
  EXPECT_FALSE(KeyFromSdl(SDLK_0, false).has_value());
  EXPECT_FALSE(KeyFromSdl(SDLK_q, false).has_value());
  // A held key: the arrows repeat, nothing else does.
  EXPECT_EQ(KeyFromSdl(SDLK_DOWN, true), Key::kDown);
  EXPECT_FALSE(KeyFromSdl(SDLK_RETURN, true).has_value());
  EXPECT_FALSE(KeyFromSdl(SDLK_h, true).has_value());
  EXPECT_EQ(KeyDigit(Key::kDigit5), 5);
  EXPECT_EQ(KeyDigit(Key::kEnter), 0);
}

// Windows' virtual-key codes, as WM_KEYDOWN reports them (values of <windows.h>).
TEST(Keys, VirtualKeyCodesMapToTheSameGameKeys) {
  EXPECT_EQ(KeyFromVirtualKey(0x26, false), Key::kUp);     // VK_UP
  EXPECT_EQ(KeyFromVirtualKey(0x64, false), Key::kLeft);   // VK_NUMPAD4
  EXPECT_EQ(KeyFromVirtualKey(0x0D, false), Key::kEnter);  // VK_RETURN
  EXPECT_EQ(KeyFromVirtualKey(0x08, false), Key::kBackspace);
  EXPECT_EQ(KeyFromVirtualKey(0x31, false), Key::kDigit1);
  EXPECT_EQ(KeyFromVirtualKey(0x39, false), Key::kDigit9);
  EXPECT_EQ(KeyFromVirtualKey(0x48, false), Key::kH);
  EXPECT_EQ(KeyFromVirtualKey(0x55, false), Key::kU);
  EXPECT_EQ(KeyFromVirtualKey(0x4E, false), Key::kN);
  EXPECT_EQ(KeyFromVirtualKey(0x24, false), Key::kHome);
  EXPECT_FALSE(KeyFromVirtualKey(0x30, false).has_value());  // 0
  EXPECT_FALSE(KeyFromVirtualKey(0x51, false).has_value());  // Q
  EXPECT_EQ(KeyFromVirtualKey(0x28, true), Key::kDown);
  EXPECT_FALSE(KeyFromVirtualKey(0x0D, true).has_value());
}

TEST(AppendedFiles, AppendKeepsWhatWasThereAndCreateNeverOverwrites) {
  const std::string folder = ::testing::TempDir() + "/kerna-append-" + std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/records.txt";
  EXPECT_TRUE(AppendFileBytes(path, "one\n"));
  EXPECT_TRUE(AppendFileBytes(path, "two\n"));
  EXPECT_EQ(ReadFileBytes(path), "one\ntwo\n");
  EXPECT_FALSE(CreateFileBytes(path, "three\n"));
  EXPECT_EQ(ReadFileBytes(path), "one\ntwo\n");
  EXPECT_TRUE(CreateFileBytes(folder + "/new.ggf", "(;GM[Othello];)\n"));
  EXPECT_EQ(ReadFileBytes(folder + "/new.ggf"), "(;GM[Othello];)\n");
  EXPECT_FALSE(AppendFileBytes(folder + "/no/such/folder.txt", "x"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kerna::platform
