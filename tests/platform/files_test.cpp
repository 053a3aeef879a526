// Game paths, whole-file reads and writes, and the numbered file channels.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>

#include "platform/headless_backend.hpp"

namespace kerna::platform {
namespace {

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("kerna_files_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_ / "dat");
    io.SetDataFolder(folder_.string());
  }
  void TearDown() override {
    std::filesystem::permissions(folder_ / "dat", std::filesystem::perms::owner_all);
    std::filesystem::remove_all(folder_);
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / "dat" / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(folder_ / "dat" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path folder_;
  HeadlessPlatform io;
};

TEST_F(Files, GamePathsUseTheDataFolder) {
  EXPECT_EQ(io.ResolvePath("dat\\set.ini"), (folder_ / "dat/set.ini").string());
  HeadlessPlatform here;
  EXPECT_EQ(here.ResolvePath("bmp\\a.bmp"), "bmp/a.bmp");
  // The user's copies are absolute paths, on Windows with a drive letter.
  EXPECT_EQ(io.ResolvePath("/home/a/.config/kerna-reversi/set.ini"),
            "/home/a/.config/kerna-reversi/set.ini");
  EXPECT_EQ(io.ResolvePath("C:\\Users\\a\\AppData\\Roaming/kerna-reversi/set.ini"),
            "C:/Users/a/AppData/Roaming/kerna-reversi/set.ini");
}

TEST_F(Files, WholeFileReadAndMissingFile) {
  Write("table.dat", std::string("a\0b\r\n", 5));
  EXPECT_EQ(io.ReadWholeFile("dat\\table.dat"), std::string("a\0b\r\n", 5));
  EXPECT_EQ(io.ReadWholeFile("dat\\none.dat"), "");
}

TEST_F(Files, FieldsSplitAtCommasAndAnyLineEnd) {
  Write("set.ini", "1,0\r\n43\rabc\n\n,x");
  auto& files = io.channels();
  ASSERT_TRUE(files.Open(1, "dat\\set.ini", ChannelMode::kRead));
  for (const char* expected : {"1", "0", "43", "abc", "", "", "x"}) {
    EXPECT_FALSE(files.AtEnd(1));
    EXPECT_EQ(files.ReadField(1), expected);
  }
  EXPECT_TRUE(files.AtEnd(1));
  EXPECT_EQ(files.ReadField(1), "");
  files.Close(1);
  EXPECT_FALSE(files.IsOpen(1));
  EXPECT_FALSE(files.Open(1, "dat\\missing.ini", ChannelMode::kRead));
  EXPECT_EQ(files.ReadField(1), "");
}

TEST_F(Files, WriteCreateAndAppend) {
  Write("log.csv", "old content\r\n");
  auto& files = io.channels();
  ASSERT_TRUE(files.Open(2, "dat\\log.csv", ChannelMode::kCreate));
  EXPECT_TRUE(files.Write(2, "12 ,"));
  EXPECT_EQ(Read("log.csv"), "12 ,");  // flushed at once, even if never closed
  ASSERT_TRUE(files.Open(2, "dat\\log.csv", ChannelMode::kAppend));
  EXPECT_TRUE(files.Write(2, "END\r\n"));
  files.Close(2);
  EXPECT_EQ(Read("log.csv"), "12 ,END\r\n");
  EXPECT_FALSE(files.Write(2, "nowhere"));
}

TEST_F(Files, MissingFolderNeverCrashes) {
  Write("set.ini", "1\r\n");
  // A "folder" that is a file cannot be written into, not even by root.
  EXPECT_FALSE(io.channels().Open(3, "dat\\set.ini\\new.csv", ChannelMode::kWrite));
  EXPECT_FALSE(io.channels().Write(3, "lost"));
  EXPECT_FALSE(io.WriteWholeFile("dat\\set.ini\\x.ini", "0\r\n"));
  EXPECT_EQ(Read("set.ini"), "1\r\n");
}

TEST_F(Files, UnwritableFolderNeverCrashes) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write anywhere";
  Write("set.ini", "1\r\n");
  std::filesystem::permissions(
      folder_ / "dat", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_FALSE(io.channels().Open(3, "dat\\new.csv", ChannelMode::kWrite));
  EXPECT_FALSE(io.channels().Write(3, "lost"));
  EXPECT_FALSE(io.WriteWholeFile("dat\\set.ini", "0\r\n"));
  EXPECT_EQ(Read("set.ini"), "1\r\n");
}

TEST_F(Files, AtomicWholeFileWrite) {
  Write("set.ini", "1\r\n");
  EXPECT_TRUE(io.WriteWholeFile("dat\\set.ini", "0\r\n43\r\n"));
  EXPECT_EQ(Read("set.ini"), "0\r\n43\r\n");
  EXPECT_FALSE(io.WriteWholeFile("nofolder\\set.ini", "x"));
  // No temporary file is left behind.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_ / "dat")) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

// The disk fills up in the middle of each kind of write: the earlier file
// stays as it was, nothing half written is left, and with room again the
// same writes succeed.
TEST_F(Files, AFullDiskLeavesEveryEarlierFileWhole) {
  Write("set.ini", "1\r\n");
  Write("records.txt", "one\n");
  io.FillDiskAfter(3);
  EXPECT_FALSE(io.AppendToFile("dat\\records.txt", "two\n"));  // "two" fits, "\n" does not
  EXPECT_FALSE(io.WriteWholeFile("dat\\set.ini", "0\r\n43\r\n"));
  EXPECT_FALSE(io.CreateNewFile("dat\\game.ggf", "(;GM[Othello];)\n"));
  EXPECT_EQ(Read("set.ini"), "1\r\n");
  EXPECT_EQ(Read("records.txt"), "one\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "dat"), {}), 2);
  io.FreeDisk();
  EXPECT_TRUE(io.WriteWholeFile("dat\\set.ini", "0\r\n"));
  EXPECT_TRUE(io.AppendToFile("dat\\records.txt", "two\n"));
  EXPECT_TRUE(io.CreateNewFile("dat\\game.ggf", "(;GM[Othello];)\n"));
  EXPECT_EQ(Read("set.ini"), "0\r\n");
  EXPECT_EQ(Read("records.txt"), "one\ntwo\n");
}

// The same with a failure the kernel makes: a size limit on the process's
// files stops an append part way through, as a full disk does.
TEST_F(Files, AnAppendTheSystemCutsShortIsTakenBackOff) {
  Write("records.txt", "one\n");
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto old_signal = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead
  rlimit limit = before;
  limit.rlim_cur = 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const bool appended = io.AppendToFile("dat\\records.txt", "a line too long to fit\n");
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, old_signal);
  EXPECT_FALSE(appended);
  EXPECT_EQ(Read("records.txt"), "one\n");
}

}  // namespace
}  // namespace kerna::platform
