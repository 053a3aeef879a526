// The button machinery on a data folder of small one-colour pictures: the
// chosen look is red, the unchosen one green, so the screen shows which item
// of a group is chosen and how it is framed.
#include "game_fixture.hpp"

namespace kerna::test {
namespace {

constexpr platform::Rgb kChosen{200, 0, 0};
constexpr platform::Rgb kUnchosen{0, 160, 0};

class Buttons : public GameTest {
 protected:
  Buttons() {
    for (const char* name : {"c-taisen", "h-taisen", "setup", "setok", "yes", "no"}) {
      WriteBmp(folder.path() / "bmp" / (std::string(name) + ".bmp"), 30, 20, kChosen);
      WriteBmp(folder.path() / "bmp" / ("n" + std::string(name) + ".bmp"), 30, 20, kUnchosen);
    }
    io.SetDataFolder(folder.path().string());
    game->starter.ProgramStart();
  }

  ButtonState& s() { return game->buttonState; }
  ButtonState& state() { return game->buttonState; }
  void MouseAt(int x, int y) {
    state().MouseX = static_cast<int16_t>(x);
    state().MouseY = static_cast<int16_t>(y);
  }

  ScratchFolder folder;
};

TEST_F(Buttons, AClickOnTheAwaitedGroupEndsTheWaitAndRedrawsTheChoice) {
  s().GroupActive[6] = 1;
  s().GroupChoice[6] = 0;
  game->buttons.DrawButtonGroup(6);
  EXPECT_EQ(io.GetPixel(451, 121), kChosen);      // item 0 at (450, 120)
  EXPECT_EQ(io.GetPixel(449, 119), kWhitePixel);  // framed in SelectedFrameColour
  EXPECT_EQ(io.GetPixel(451, 161), kUnchosen);
  EXPECT_EQ(io.GetPixel(449, 159), kBlackPixel);

  io.ClickLeft(451, 161, 500);
  const auto outcome = io.Run([&] { game->buttons.WaitForButton(6); });
  EXPECT_EQ(outcome, platform::HeadlessPlatform::Outcome::kReturned);
  EXPECT_EQ(s().GroupChoice[6], 1);
  EXPECT_EQ(state().LastClickedGroup, 6);
  EXPECT_EQ(state().PointedGroup, 6);
  EXPECT_GE(io.Clock(), 500 + platform::HeadlessPlatform::kClickHoldMs);  // waited for release
  EXPECT_EQ(io.GetPixel(451, 161), kChosen);
  EXPECT_EQ(io.GetPixel(449, 159), kWhitePixel);
  EXPECT_EQ(io.GetPixel(480, 180), kWhitePixel);  // the frame's far corner: (x + width, y + height)
  EXPECT_EQ(io.GetPixel(451, 121), kUnchosen);
  EXPECT_EQ(io.GetPixel(449, 119), kBlackPixel);
}

TEST_F(Buttons, ClicksElsewhereOnlyChangeOtherChoices) {
  s().GroupActive[6] = s().GroupActive[7] = 1;
  io.ClickLeft(10, 10, 100);    // on the board: nothing
  io.ClickLeft(535, 105, 200);  // "no" of group 7
  io.ClickLeft(451, 201, 300);  // settings in group 6
  io.Run([&] { game->buttons.WaitForButton(6); });
  EXPECT_GE(io.Clock(), 300);
  EXPECT_EQ(s().GroupChoice[7], 0);
  EXPECT_EQ(s().GroupChoice[6], 2);
  EXPECT_EQ(state().LastClickedGroup, 6);
}

TEST_F(Buttons, InactiveGroupsAreNeitherDrawnNorHit) {
  s().GroupActive[6] = 0;
  s().GroupChoice[6] = -1;
  game->buttons.DrawButtonGroup(6);
  EXPECT_EQ(io.GetPixel(451, 121), kBluePixel);
  MouseAt(451, 121);
  game->buttons.HitTestGroup(6);
  game->buttons.PointedGroupTest();
  EXPECT_EQ(s().GroupChoice[6], -1);
  EXPECT_EQ(state().ClickCount, 0);
  EXPECT_EQ(state().PointedGroup, 0);
}

TEST_F(Buttons, RectanglesAreInclusiveAndTheFirstItemHitWins) {
  s().GroupActive[6] = 1;
  // c-taisen: (450, 120) .. (480, 140) inclusive.
  for (auto [x, y, hit] : {std::tuple{450, 120, true},
                           {480, 140, true},
                           {481, 140, false},
                           {480, 141, false},
                           {449, 130, false}}) {
    s().GroupChoice[6] = -1;
    state().ClickCount = 0;
    MouseAt(x, y);
    game->buttons.HitTestGroup(6);
    EXPECT_EQ(s().GroupChoice[6], hit ? 0 : -1) << x << "," << y;
    EXPECT_EQ(state().ClickCount, hit ? 1 : 0);
  }
  // Overlapping items: the lower item number takes the click, counted once.
  s().Button(6, 1).Y = 125;
  state().ClickCount = 0;
  MouseAt(460, 130);
  game->buttons.HitTestGroup(6);
  EXPECT_EQ(s().GroupChoice[6], 0);
  EXPECT_EQ(state().ClickCount, 1);
}

TEST_F(Buttons, AnEntryWithoutANameIsSkipped) {
  ButtonEntry& blank = s().Button(6, 5);
  EXPECT_TRUE(blank.Name.empty());
  EXPECT_EQ(blank.Width, 0);
  blank.X = 600;
  blank.Y = 20;
  s().GroupActive[6] = 1;
  s().GroupChoice[6] = 5;
  game->buttons.DrawButtonGroup(6);
  EXPECT_EQ(io.GetPixel(599, 19), kBluePixel);  // no frame drawn for it
  EXPECT_EQ(io.GetPixel(600, 20), kBluePixel);
  MouseAt(600, 20);  // exactly on its corner: a width-0 test would still match
  game->buttons.HitTestGroup(6);
  EXPECT_EQ(s().GroupChoice[6], 5);
  EXPECT_EQ(state().ClickCount, 0);
}

TEST_F(Buttons, AHiddenEntryIsNeitherDrawnNorHitNorCounted) {
  ButtonEntry& settings = s().Button(6, 2);  // "setup" at (450, 200)
  settings.Hidden = true;
  s().GroupActive[6] = 1;
  s().GroupChoice[6] = 0;
  game->buttons.DrawButtonGroup(6);
  EXPECT_EQ(io.GetPixel(451, 201), kBluePixel);
  MouseAt(451, 201);
  game->buttons.HitTestGroup(6);
  EXPECT_EQ(state().ClickCount, 0);
  int group = 0, item = 0;
  ASSERT_TRUE(game->buttons.VisibleButton(2, &group, &item));
  EXPECT_EQ(item, 1);
  EXPECT_FALSE(game->buttons.VisibleButton(3, &group, &item)) << "two of the three are shown";
  settings.Hidden = false;
  game->buttons.DrawButtonGroup(6);
  EXPECT_EQ(io.GetPixel(451, 201), kUnchosen);
}

TEST_F(Buttons, PointedGroupIsTheLastActiveGroupUnderTheMouse) {
  s().GroupActive[6] = s().GroupActive[12] = 1;
  s().Button(12, 0).X = 450;  // lay "OK" over "play the computer"
  s().Button(12, 0).Y = 120;
  MouseAt(455, 125);
  game->buttons.PointedGroupTest();
  EXPECT_EQ(state().PointedGroup, 12);
  MouseAt(5, 5);
  game->buttons.PointedGroupTest();
  EXPECT_EQ(state().PointedGroup, 0);
}

TEST_F(Buttons, ChosenAndUnchosenLooksAreLoadedOncePerRun) {
  s().GroupActive[6] = 1;
  game->buttons.DrawButtonGroup(6);
  // Replace the files: the pictures already drawn stay as they were loaded.
  WriteBmp(folder.path() / "bmp" / "nh-taisen.bmp", 30, 20, kWhitePixel);
  s().GroupChoice[6] = 0;
  game->buttons.DrawButtonGroup(6);
  EXPECT_EQ(io.GetPixel(451, 161), kUnchosen);
}

}  // namespace
}  // namespace kerna::test
