// No leftover pixels: while the computer thinks, in every "click" wait and on
// the result screen, a hidden button leaves nothing of itself on the panel, a
// shown one is whole (no message row is painted over it), and the level line
// of row 5 keeps its bottom pixel row beside the hostess's balloon.
#include "game/flow_fixture.hpp"
#include "support/forwarding_observer.hpp"

namespace kerna::test {
namespace {

class LeftoverPixels : public FlowTest {
 protected:
  // Every failure names the moment it was seen at.
  void CheckScreen(const std::string& moment) {
    SCOPED_TRACE(moment);
    ++checks;
    for (int group : {kUndoGroup, kHintGroup, kQuitGroup}) CheckButton(group);
    EXPECT_EQ(LevelLine(io), LevelLineAsPrinted()) << "the level line was drawn over";
  }

  int checks = 0;

 private:
  // Row 5 from column 55 (the level line), all 16 pixel rows.
  static std::vector<platform::Rgb> LevelLine(const platform::Platform& screen) {
    std::vector<platform::Rgb> pixels;
    for (int y = 80; y < 96; ++y)
      for (int x = 440; x < 640; ++x) pixels.push_back(screen.GetPixel(x, y));
    return pixels;
  }

  // The level line as the game's text alone draws it over the panel's tiles.
  std::vector<platform::Rgb> LevelLineAsPrinted() const {
    platform::HeadlessPlatform reference;
    reference.SetDataFolder(io.DataFolder());
    const platform::Picture tile = reference.LoadPicture("bmp\\haikei01.bmp");
    for (int y = 72; y < 104; y += 16) reference.DrawPicture(tile, 429, y);
    reference.SetTextColour(7, -1);
    reference.MoveCursor(kPanelLabelColumn, 5);
    reference.Print(io.text().RowBytes(5).substr(kPanelLabelColumn));
    return LevelLine(reference);
  }

  // A button is either whole or gone, frame and all: never a piece of it.
  void CheckButton(int group) {
    const ButtonState& s = game->buttonState;
    const ButtonEntry& entry = s.Button(group, 0);
    const int x = static_cast<int>(entry.X), y = static_cast<int>(entry.Y);
    const int w = static_cast<int>(entry.Width), h = static_cast<int>(entry.Height);
    ASSERT_GT(w, 0) << entry.Name;
    const platform::Picture look = io.LoadPicture("bmp\\n" + entry.Name);
    const platform::Picture chosen_look = io.LoadPicture("bmp\\" + entry.Name);
    int unlike_look = 0, unlike_chosen = 0;
    for (int py = 0; py < h; ++py) {
      for (int px = 0; px < w; ++px) {
        unlike_look += io.GetPixel(x + px, y + py) != look.Pixel(px, py);
        unlike_chosen += io.GetPixel(x + px, y + py) != chosen_look.Pixel(px, py);
      }
    }
    if (unlike_look == 0 || unlike_chosen == 0) return;  // whole
    if (group == kQuitGroup) {
      // 終了 stands in the message frame whenever a game is on.
      ADD_FAILURE() << entry.Name << " is not whole: " << unlike_look << " pixels differ";
      return;
    }
    // Gone: the panel's tile (redrawn on rows of 16 pixels) stands there.
    const platform::Picture tile = io.LoadPicture("bmp\\haikei01.bmp");
    int leftover = 0;
    for (int py = y - 1; py <= y + h; ++py)
      for (int px = x - 1; px <= x + w; ++px)
        leftover += io.GetPixel(px, py) != tile.Pixel(px - 429, py % 16);
    EXPECT_EQ(leftover, 0) << entry.Name << " left pixels behind";
  }
};

// Looks at the screen at the first progress report of each computer turn,
// after passing every report on to the game's own display.
class CheckWhileThinking : public ForwardingObserver {
 public:
  CheckWhileThinking(SearchObserver& display, std::function<void()> check)
      : ForwardingObserver(display), check_(std::move(check)) {}
  void OnTurnStarted(bool hint) override {
    ForwardingObserver::OnTurnStarted(hint);
    checked_ = false;
  }
  void OnProgress(int ply) override {
    ForwardingObserver::OnProgress(ply);
    if (!checked_) check_();
    checked_ = true;
  }

 private:
  std::function<void()> check_;
  bool checked_ = false;
};

TEST_F(LeftoverPixels, ComputerTurnAndTheWaitAfterAMove) {
  Start();
  game->settings.PauseAfterMove = 1;
  CheckWhileThinking watcher(game->thinkingDisplay,
                             [&] { CheckScreen("while the computer thinks"); });
  game->searchState.Observer = &watcher;
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/3);
  AutoPlay(3);
  for (int wait = 0; wait < 3; ++wait) {
    io.When(
        [&, wait] {
          return human_moves_played() == wait + 1 && TextOnRow(21, "右クリックで取消し")();
        },
        [&] {
          CheckScreen("waiting after a move");
          io.ClickLeft(600, 30);
        });
  }
  io.StopWhen(
      [&] { return human_moves_played() == 3 && game->board.GameRecord[6] != 0 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(checks, 6);
}

TEST_F(LeftoverPixels, PassWait) {
  // Black (the human) cannot move first.
  Grid grid{};
  grid[2][5] = grid[3][7] = grid[4][5] = grid[5][4] = kBlack;
  grid[2][8] = kWhite;
  Start(grid);
  ChooseGameAgainstComputer(true, 2);
  io.StopWhen(TextOnRow(21, "クリックして下さい"));
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  CheckScreen("waiting for the click that passes");
}

TEST_F(LeftoverPixels, QuitWait) {
  // Her lines give the level line its title.
  fs::copy_file(fs::path(KERNA_ASSETS_DIR) / "dat" / "speech.csv", root() / "dat" / "speech.csv");
  Start();
  ChooseGameAgainstComputer(true, 1);  // "駆け出し" reaches the bottom pixel row
  AutoPlay(2);
  ClickWhen([&] { return human_moves_played() == 2 && HumanWaits(); }, kQuit);
  io.StopWhen(TextOnRow(21, "メニューに戻ります"));
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  CheckScreen("after 終了, waiting for the click back to the menu");
}

TEST_F(LeftoverPixels, ResultScreenAndItsWait) {
  Start(NeitherSideCanMove());
  ChooseGameAgainstComputer(true, 2);
  AutoPlay();
  const auto on_result = TextOnRow(21, "あなた     （");
  io.When([&] { return on_result() && game->buttonState.GroupActive[kQuitGroup] == 1; },
          [&] {
            CheckScreen("result screen");
            io.ClickLeft(kQuit.x, kQuit.y);
          });
  io.StopWhen(TextOnRow(21, "メニューに戻ります"));
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  CheckScreen("result screen, waiting for the click back to the menu");
  EXPECT_EQ(checks, 2);
}

}  // namespace
}  // namespace kerna::test
