// The data folder search (working directory, installed copy beside the
// program, built-from assets) and the window settings file beside set.ini.
#include "game/data_folder.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace kerna {
namespace {

namespace fs = std::filesystem;

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ =
        fs::temp_directory_path() /
        ("kerna-data-folder-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(root_);
  }
  std::string MakeData(const std::string& relative) {
    const fs::path folder = root_ / relative;
    fs::create_directories(folder / "dat");
    fs::create_directories(folder / "bmp");
    return folder.string();
  }
  fs::path root_;
};

TEST_F(DataFolderTest, WorkingDirectoryThenInstalledCopyThenBuiltAssets) {
  const std::string work = MakeData("work");
  const std::string installed = MakeData("prefix/share/kerna-reversi");
  fs::create_directories(root_ / "prefix/bin");
  const std::string program_dir = (root_ / "prefix/bin").string();
  const std::string built = MakeData("source/assets");
  const std::string empty = (root_ / "prefix").string();  // no dat/ bmp/ here

  EXPECT_EQ(ChooseDataFolder(work, program_dir, built), work);
  EXPECT_EQ(fs::canonical(ChooseDataFolder(empty, program_dir, built)), fs::canonical(installed));
  EXPECT_EQ(ChooseDataFolder(empty, work, built), built);  // nothing installed beside it
  EXPECT_EQ(ChooseDataFolder(empty, "", built), built);
  // A folder with dat/ but no bmp/ is not a data folder.
  fs::remove_all(root_ / "source/assets/bmp");
  EXPECT_EQ(ChooseDataFolder(empty, "", built), empty);
}

TEST_F(DataFolderTest, WindowScaleFromTheDataFolderWhileWritableElseTheUserCopy) {
  const std::string data = MakeData("data");
  setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  EXPECT_EQ(ForcedWindowScale(data), 0);  // no file: fit the display
  std::ofstream(root_ / "data/dat/window.ini") << "scale=2\r\n";
  EXPECT_EQ(ForcedWindowScale(data), 2);
  fs::create_directories(root_ / "config/kerna-reversi");
  std::ofstream(root_ / "config/kerna-reversi/window.ini") << "scale=3\n";
  EXPECT_EQ(ForcedWindowScale(data), 2);  // the writable data folder's file counts
  fs::permissions(root_ / "data/dat", fs::perms::owner_read | fs::perms::owner_exec);
  const int read_only_scale = ForcedWindowScale(data);
  fs::remove(root_ / "config/kerna-reversi/window.ini");
  const int without_copy = ForcedWindowScale(data);
  fs::permissions(root_ / "data/dat", fs::perms::owner_all);
  EXPECT_EQ(read_only_scale, 3);
  EXPECT_EQ(without_copy, 2);
}

}  // namespace
}  // namespace kerna
