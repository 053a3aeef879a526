// The settings file and screen: reading (short, missing and odd files), the
// screen rewriting the file, a new board colour taking effect at once, a
// write that fails leaving the old file, and which file is the settings file.
#include "game/flow_fixture.hpp"
#include "game/settings_location.hpp"

namespace kerna::test {
namespace {

class Settings : public FlowTest {
 protected:
  fs::path SettingsFile() const { return root() / "dat" / "set.ini"; }
  fs::path UserCopy() const { return root() / "config" / "kerna-reversi" / "set.ini"; }
  // Opens the settings screen from the menu, clicks the given buttons, then OK,
  // and stops back in the menu.
  void ChangeSettings(std::vector<ButtonPoint> clicks) {
    ClickOnMenu(kSettings);
    for (const ButtonPoint& at : clicks)
      ClickWhen([&] { return game->buttonState.GroupActive[12] == 1; }, at);
    ClickWhen([&] { return game->buttonState.GroupActive[12] == 1; }, kOk);
    io.StopWhen([&, seen_settings = false]() mutable {
      seen_settings = seen_settings || game->buttonState.GroupActive[12] == 1;
      return seen_settings && game->buttonState.GroupActive[6] == 1;
    });
    ASSERT_EQ(RunLoop(), Outcome::kStopped);
  }
  const SettingsState& settings() const { return game->settings; }
  SettingsPanel& settings_panel() { return game->settingsPanel; }
};

TEST_F(Settings, ClosingTheScreenUnchangedRewritesTheSameSevenLines) {
  const std::string text = "1\r\n0\r\n1\r\n0\r\n0.1\r\n1\r\n3\r\n";
  WriteFile(SettingsFile(), text);
  const auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(SettingsFile(), old_time);
  StartWithFileSettings();
  EXPECT_EQ(game->buttonState.GroupChoice[7], 1);
  EXPECT_EQ(game->buttonState.GroupChoice[11], 3);
  ChangeSettings({});
  EXPECT_EQ(ReadFile(SettingsFile()), text);  // 0.1 stays 0.1, kept by hand
  EXPECT_GT(fs::last_write_time(SettingsFile()), old_time);
  EXPECT_EQ(io.RowText(5).find("着手後の一時停止"), std::string::npos);  // labels blanked
}

TEST_F(Settings, AShortFileGivesZeroForTheMissingSettingsAndNoFileZeroForAll) {
  WriteFile(SettingsFile(), "1\r\n1\r\n0\r\n0\r\n50\r\n");
  StartWithFileSettings();
  EXPECT_EQ(settings().PauseAfterMove, 1);
  EXPECT_EQ(settings().ThinkingVaries, 1);
  EXPECT_EQ(settings().SearchParameter, 50);
  EXPECT_EQ(settings().SoundEffects, 0);
  EXPECT_EQ(settings().BoardColour, 0);

  fs::remove(SettingsFile());
  game->settings.SearchParameter = 99;
  game->settingsPanel.LoadSettings();
  EXPECT_EQ(settings().PauseAfterMove, 0);
  EXPECT_EQ(settings().SearchParameter, 0);  // the read replaces the 43 set before it
  EXPECT_EQ(game->buttonState.GroupChoice[7], 0);
}

TEST_F(Settings, OddValuesFrameNoButtonAndOkStoresZero) {
  WriteFile(SettingsFile(), "2\r\n0.9\r\n-1\r\n0\r\n43\r\n1\r\n7\r\n");
  StartWithFileSettings();
  EXPECT_EQ(settings().PauseAfterMove, 2);
  EXPECT_EQ(settings().ThinkingVaries, 0);  // rounded toward zero
  EXPECT_EQ(settings().BoardColour, 7);
  ChangeSettings({});
  EXPECT_EQ(ReadFile(SettingsFile()), "0\r\n0\r\n0\r\n0\r\n43\r\n1\r\n7\r\n");
}

TEST_F(Settings, ANewBoardColourRedrawsTheBoardAtOnceAndKeepsTheFrame) {
  WriteFile(SettingsFile(), "0\r\n0\r\n1\r\n0\r\n43\r\n0\r\n0\r\n");
  StartWithFileSettings();
  platform::Rgb corner_in_menu{};
  io.When([&] { return game->buttonState.GroupActive[6] == 1; },
          [&] { corner_in_menu = io.GetPixel(3, 3); });
  ChangeSettings({ColourButton(2)});
  EXPECT_EQ(settings().BoardColour, 2);
  EXPECT_TRUE(ReadFile(SettingsFile()).ends_with("\r\n2\r\n"));
  const platform::Rgb new_colour = io.LoadPicture("bmp\\03-zero.bmp").Pixel(0, 0);
  EXPECT_EQ(io.GetPixel(SquareCentreX(1), SquareCentreY(1)), new_colour);  // an empty square
  EXPECT_EQ(io.GetPixel(3, 3), corner_in_menu);  // no swatch painted over the frame
}

TEST_F(Settings, AFailedWriteInAWritableDataFolderLeavesTheOldFileAndNoUserCopy) {
  const std::string old_text = "0\r\n1\r\n1\r\n0\r\n43\r\n1\r\n0\r\n";
  WriteFile(SettingsFile(), old_text);
  // The temporary file beside set.ini cannot be made (works for root too).
  fs::create_directory(SettingsFile().string() + ".tmp" + std::to_string(::getpid()));
  StartWithFileSettings();
  ChangeSettings({YesButton(100)});
  EXPECT_EQ(settings().PauseAfterMove, 1);  // for this run
  EXPECT_EQ(ReadFile(SettingsFile()), old_text);
  EXPECT_FALSE(fs::exists(UserCopy()));
}

TEST_F(Settings, AReadOnlyDataFolderKeepsThemInAUserCopyMadeFromDatSetIni) {
  const std::string old_text = "0\r\n1\r\n1\r\n0\r\n43\r\n1\r\n0\r\n";
  WriteFile(SettingsFile(), old_text);
  fs::permissions(root() / "dat", fs::perms::owner_read | fs::perms::owner_exec);
  StartWithFileSettings();
  EXPECT_EQ(ReadFile(UserCopy()), old_text);  // made at the first start
  ChangeSettings({YesButton(100)});
  EXPECT_EQ(ReadFile(SettingsFile()), old_text);
  EXPECT_EQ(ReadFile(UserCopy()), "1\r\n1\r\n1\r\n0\r\n43\r\n1\r\n0\r\n");
  Game again(io);  // the next start, the folder still read-only
  again.starter.ProgramStart();
  fs::permissions(root() / "dat", fs::perms::owner_all);
  EXPECT_EQ(again.settings.PauseAfterMove, 1);
}

TEST_F(Settings, AWritableDataFolderIsTheSettingsFileEvenBesideAUserCopy) {
  // A hand edit of dat\set.ini (self-play, the search parameter) counts.
  WriteFile(SettingsFile(), "0\r\n1\r\n1\r\n1\r\n50\r\n1\r\n0\r\n");
  const std::string user_text = "1\r\n1\r\n1\r\n0\r\n43\r\n1\r\n0\r\n";
  WriteFile(UserCopy(), user_text);
  StartWithFileSettings();
  EXPECT_EQ(settings().PauseAfterMove, 0);
  EXPECT_EQ(settings().SelfPlayMode, 1);
  EXPECT_EQ(settings().SearchParameter, 50);
  settings_panel().SaveSettings();
  EXPECT_EQ(ReadFile(SettingsFile()), "0\r\n1\r\n1\r\n1\r\n50\r\n1\r\n0\r\n");
  EXPECT_EQ(ReadFile(UserCopy()), user_text);
}

TEST_F(Settings, WithNowhereToWriteTheOldFileStaysAndTheGameGoesOn) {
  const std::string old_text = "0\r\n1\r\n1\r\n0\r\n43\r\n1\r\n0\r\n";
  WriteFile(SettingsFile(), old_text);
  fs::create_directory(SettingsFile().string() + ".tmp" + std::to_string(::getpid()));
  ::setenv("XDG_CONFIG_HOME", "/dev/null/nowhere", 1);
  StartWithFileSettings();
  ChangeSettings({YesButton(100)});  // back in the menu
  EXPECT_EQ(ReadFile(SettingsFile()), old_text);
  EXPECT_FALSE(game->settingsPanel.SaveSettings());
}

}  // namespace
}  // namespace kerna::test
