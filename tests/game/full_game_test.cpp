// Whole games played by clicks: against the computer to the result screen and
// back to the menu, between two people, and with quit in the middle.
#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

class FullGame : public FlowTest {};

TEST_F(FullGame, AgainstLevelTwoByClicksToTheResultScreenAndBackToTheMenu) {
  Start();
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/2);
  AutoPlay();
  bool result_seen = false;
  Grid final_position{};
  std::string computer_line, human_line;
  // On the result screen: read the score lines, quit, and click.
  io.When(TextOnRow(21, "あなた     （黒）"), [&] {
    final_position = position();
    computer_line = io.RowText(20).substr(56);
    human_line = io.RowText(21).substr(56);
    io.ClickLeft(kQuit.x, kQuit.y);
  });
  io.When(TextOnRow(21, "メニューに戻ります"), [&] {
    result_seen = true;
    io.ClickLeft(200, 200);
  });
  io.StopWhen([&] { return result_seen && game->buttonState.GroupActive[6] == 1; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);

  EXPECT_EQ(game->ai.Level, 1);  // the title screen set it back
  EXPECT_GT(human_moves_played(), 10);
  const int black = CountDiscs(final_position, kBlack);
  const int white = CountDiscs(final_position, kWhite);
  EXPECT_TRUE(LegalSquares(final_position, kBlack).empty());
  EXPECT_TRUE(LegalSquares(final_position, kWhite).empty());
  EXPECT_EQ(game->flow.HumanCount, black);
  EXPECT_EQ(game->flow.ComputerCount, white);
  EXPECT_TRUE(human_line.starts_with("あなた     （黒） " + std::to_string(black) + " "))
      << human_line;
  // The level's title (the hostess's line) stands in front of the computer's count.
  EXPECT_NE(computer_line.find("（白） " + std::to_string(white) + " "), std::string::npos)
      << computer_line;
  EXPECT_EQ(game->hostessState.FaceNumber, white > black ? 4 : black > white ? 5 : 2);
}

class FullGameTiming : public FlowTest {
 protected:
  // Virtual milliseconds from the human turn asking for the first move to the
  // computer turn starting. The move is clicked 20 ms after the question, and
  // c4 turns one disc (five flip frames).
  int64_t DelayBeforeComputer(int level) {
    Start();
    ChooseGameAgainstComputer(true, level);
    int64_t asked = 0;
    io.When([&] { return HumanWaits(); }, [&] { asked = io.Clock(); });
    AutoPlay(1);  // after the trigger above: both see the question at once
    io.StopWhen([&] { return game->board.GameRecord[2] != 0; });
    EXPECT_EQ(RunLoop(), Outcome::kStopped);
    return game->flow.ThinkStart - asked;
  }
  static constexpr int64_t kClickAndFlip = 20 + 5 * BoardDrawing::kFrameMs;
};

TEST_F(FullGameTiming, QuickLevelsWaitTwoHundredMillisecondsBeforeTheComputerMoves) {
  EXPECT_NEAR(DelayBeforeComputer(1), kClickAndFlip + 200, 5);
}

TEST_F(FullGameTiming, DeepLevelsGoStraightToTheComputer) {
  EXPECT_NEAR(DelayBeforeComputer(5), kClickAndFlip, 5);
}

TEST_F(FullGame, TheValueIsRedOnWhiteExactlyWhenTheComputerIsAhead) {
  Start();
  ChooseGameAgainstComputer(true, 2);
  AutoPlay();
  int checked = 0, wrong = 0;
  io.When(
      [&] {
        if (HumanWaits() && io.RowText(23).substr(56).starts_with("評価値 ")) {
          const platform::TextCell& number = io.text().Row(23)[63];
          const bool red = number.foreground == 2 && number.background == 7;
          ++checked;
          wrong += red != (game->ai.ShownValue >= 1);
        }
        return false;
      },
      [] {});
  io.StopWhen(TextOnRow(21, "あなた     （"));
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_GT(checked, 10);
  EXPECT_EQ(wrong, 0);
}

TEST_F(FullGame, LevelLineAndTurnsAlternateWithTheComputer) {
  Start();
  ChooseGameAgainstComputer(/*human_black=*/false, /*level=*/3);
  AutoPlay(2);
  io.StopWhen([&] { return human_moves_played() == 2 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_TRUE(io.RowText(5).substr(55).starts_with("レベル 3  "));
  EXPECT_EQ(game->ai.Level, 3);
  EXPECT_EQ(game->board.HumanSide, kWhite);
  // The computer opened: black, white, black, white, black.
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(static_cast<int>(game->board.GameRecord[n]) / 100, n % 2 == 1 ? kBlack : kWhite) << n;
  }
  EXPECT_EQ(game->board.GameRecord[6], 0);
  EXPECT_NE(io.RowText(20).find("あなたの（白）の番"), std::string::npos);
  // The computer's think time and the openness of its move.
  EXPECT_NE(io.RowText(24).find(" 秒"), std::string::npos);
  EXPECT_NE(io.RowText(22).find("置ける数 "), std::string::npos);
  EXPECT_EQ(game->buttonState.GroupActive[3], 1);  // undo offered against the computer
}

TEST_F(FullGame, TwoPeopleHaveNoUndoSwapSidesAndAreCountedBlackFirst) {
  Start();
  ClickOnMenu(kTwoHumans);
  bool undo_ever_active = false;
  bool white_turn_named = false;
  io.When(
      [&] {
        undo_ever_active = undo_ever_active || game->buttonState.GroupActive[3] == 1;
        white_turn_named =
            white_turn_named || io.RowText(20).find("あなたの（白）の番") != std::string::npos;
        return false;
      },
      [] {});
  AutoPlay();
  ClickWhen(TextOnRow(21, " 白 "), kQuit);
  io.StopWhen(TextOnRow(21, "メニューに戻ります"));
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_FALSE(undo_ever_active);
  EXPECT_TRUE(white_turn_named);
  EXPECT_EQ(game->flow.VersusComputer, 0);
  const Grid end = position();
  EXPECT_TRUE(LegalSquares(end, kBlack).empty());
  EXPECT_TRUE(LegalSquares(end, kWhite).empty());
  // Rows were replaced by the quit message; the counts are kept.
  EXPECT_EQ(game->flow.HumanCount, CountDiscs(end, kBlack));
  EXPECT_EQ(game->flow.ComputerCount, CountDiscs(end, kWhite));
  EXPECT_EQ(game->buttonState.GroupActive[3], 0);
}

TEST_F(FullGame, ResultLinesBetweenTwoPeopleNameBlackFirst) {
  Start();
  ClickOnMenu(kTwoHumans);
  AutoPlay();
  io.StopWhen(TextOnRow(21, " 白 "));
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  const Grid end = position();
  EXPECT_TRUE(
      io.RowText(20).substr(56).starts_with(" 黒  " + std::to_string(CountDiscs(end, kBlack))));
  EXPECT_TRUE(
      io.RowText(21).substr(56).starts_with(" 白  " + std::to_string(CountDiscs(end, kWhite))));
}

// After a game between two people the menu waits for a click: the click that
// chose that game (the menu's own group) must not choose it again at once.
TEST_F(FullGame, AfterQuittingAGameBetweenTwoPeopleTheMenuWaits) {
  Start();
  ClickOnMenu(kTwoHumans);
  AutoPlay(2);
  ClickWhen([&] { return human_moves_played() == 2 && HumanWaits(); }, kQuit);
  ClickWhen(TextOnRow(21, "メニューに戻ります"), {100, 100});
  int64_t menu_shown_at = -1;
  io.When([&] { return game->buttonState.GroupActive[6] == 1; },
          [&] { menu_shown_at = io.Clock(); });
  // Two seconds with nobody at the mouse: the menu must still be waiting.
  io.StopWhen([&] { return menu_shown_at >= 0 && io.Clock() > menu_shown_at + 2000; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(game->buttonState.GroupActive[6], 1);
  EXPECT_EQ(game->buttonState.GroupActive[4], 0);  // no new game's hint button
}

TEST_F(FullGame, QuitAsksForAClickAndReturnsToTheTitle) {
  Start();
  ChooseGameAgainstComputer(true, 1);
  AutoPlay(1);
  ClickWhen([&] { return human_moves_played() == 1 && HumanWaits(); }, kQuit);
  bool asked = false;
  io.When(TextOnRow(21, "メニューに戻ります"), [&] {
    asked = io.RowText(20).find("クリックで") != std::string::npos;
    io.ClickRight(100, 100);
  });
  io.StopWhen([&] { return asked && game->buttonState.GroupActive[6] == 1; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_TRUE(asked);
  EXPECT_EQ(position(), [] {
    Grid start = StandardStart();
    for (int i = 0; i < 10; ++i) start[0][i] = start[9][i] = start[i][0] = start[i][9] = kWall;
    return start;
  }());
}

}  // namespace
}  // namespace kerna::test
