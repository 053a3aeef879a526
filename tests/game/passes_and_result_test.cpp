// Passes and the end of a game: a human pass followed by a computer move resets
// the count, two passes in a row end the game early, and the result screen's
// lines, its draw, its undo and its self-play answer.
#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

class PassesAndResult : public FlowTest {
 protected:
  // The score lines are up and the screen's buttons wait for a click.
  bool OnResultScreen() {
    return score_shown_() && game->buttonState.GroupActive[5] == 1 &&
           game->buttonState.GroupActive[4] == 0;
  }
  std::function<bool()> score_shown_ = TextOnRow(21, "あなた     （");
};

// Black (the human) cannot move; white's only move, d6, gives black d7.
Grid BlackMustPassFirst() {
  Grid grid{};
  grid[2][5] = grid[3][7] = grid[4][5] = grid[5][4] = kBlack;
  grid[2][8] = kWhite;
  return grid;
}

TEST_F(PassesAndResult, AHumanPassThenAComputerMoveResetsThePassCount) {
  Start(BlackMustPassFirst());
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/2);
  AutoPlay();
  int pass_count_at_second_human_turn = -1;
  io.When([&] { return HumanWaits(); },
          [&] { pass_count_at_second_human_turn = game->flow.PassCount; });
  // Five discs at the start: the first disc placed is entry 2.
  io.StopWhen([&] { return game->board.GameRecord[3] != 0; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(game->board.GameRecord[2], kWhite * 100 + 46);  // white's only move
  EXPECT_EQ(pass_count_at_second_human_turn, 0);
  EXPECT_EQ(game->board.GameRecord[3], kBlack * 100 + 47);  // black's only answer
  EXPECT_FALSE(OnResultScreen());
}

TEST_F(PassesAndResult, TwoPassesEndTheGameEarlyAndTheCountsAreShown) {
  Start(NeitherSideCanMove());
  ChooseGameAgainstComputer(true, 2);
  AutoPlay();
  io.StopWhen([&] { return OnResultScreen(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(game->flow.PassCount, 2);
  EXPECT_EQ(game->flow.HumanCount, 2);
  EXPECT_EQ(game->flow.ComputerCount, 1);
  EXPECT_TRUE(io.RowText(21).substr(56).starts_with("あなた     （黒） 2"));
  EXPECT_EQ(game->hostessState.FaceNumber, 5);     // she lost
  EXPECT_EQ(game->buttonState.GroupActive[3], 1);  // undo offered against the computer
}

TEST_F(PassesAndResult, ADrawIsSaidOnRowSixWithFaceTwo) {
  Start();
  game->flow.VersusComputer = 1;
  game->settings.SelfPlayMode = 1;  // the screen returns at once
  game->board.Position = StandardStart();
  ASSERT_EQ(io.Run([&] { game->resultPanel.ResultScreen(); }), Outcome::kReturned);
  EXPECT_EQ(game->flow.QuitRequested, 3);
  EXPECT_TRUE(io.RowText(6).substr(56).starts_with("引き分けです    "));
  EXPECT_EQ(game->hostessState.FaceNumber, 2);
  // No undo or hint line for counts of 0.
  EXPECT_EQ(io.RowText(22).substr(56).find_first_not_of(' '), std::string::npos);
  EXPECT_EQ(io.RowText(23).substr(56).find_first_not_of(' '), std::string::npos);
}

TEST_F(PassesAndResult, UndoAndHintCountsAreRightAligned) {
  Start();
  game->flow.VersusComputer = 1;
  game->settings.SelfPlayMode = 1;
  game->flow.UndoCount = 12;
  game->flow.HintCount = 3;
  game->board.Position = StandardStart();
  game->board.Position[6][6] = kBlack;
  ASSERT_EQ(io.Run([&] { game->resultPanel.ResultScreen(); }), Outcome::kReturned);
  EXPECT_TRUE(io.RowText(22).substr(56).starts_with("｢待った｣ の使用  12回")) << io.RowText(22);
  EXPECT_TRUE(io.RowText(23).substr(56).starts_with("｢ヒント｣ の使用   3回")) << io.RowText(23);
  EXPECT_EQ(UsageLine("x", 12345), "x12345" + std::string("回\r\n"_sjis));
}

// Three empty squares and one legal move each time: black h3, white f3,
// black h1 fills the board. Rows top to bottom, a to h.
Grid AlmostFull() {
  const std::string rows = "WWWWWWW.WWWBBWWWBWBBB.W.WBBWBBWWBWBWWBWWBWWBBWBBWWWWWBBBWBWBWBWB";
  Grid almost_full{};
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) {
      const char c = rows[(y - 1) * 8 + (x - 1)];
      almost_full[x][y] = c == 'W' ? kWhite : c == 'B' ? kBlack : kEmpty;
    }
  }
  return almost_full;
}

TEST_F(PassesAndResult, UndoOnTheResultScreenPlaysOnWithTheHumanToMove) {
  Start(AlmostFull());
  ChooseGameAgainstComputer(true, 2);
  AutoPlay();
  int result_screens = 0;
  bool last_move_drawn = false;
  Grid full{};
  io.When([&] { return OnResultScreen() && io.PendingEvents() == 0; },
          [&] {
            ++result_screens;
            full = position();
            // The filling move is on screen next to the counts.
            last_move_drawn = io.GetPixel(SquareCentreX(8), SquareCentreY(1)) ==
                              game->tiles.BlackDiscPicture.Pixel(23, 23);
            io.ClickLeft(kUndo.x, kUndo.y);
          });
  std::string play_on_line;
  io.When(TextOnRow(6, "まだ続けるのですね"), [&] { play_on_line = io.RowText(6).substr(56); });
  io.StopWhen([&] { return human_moves_played() == 3 && io.PendingEvents() == 0; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(CountDiscs(full, kEmpty), 0);
  EXPECT_TRUE(last_move_drawn);
  EXPECT_TRUE(play_on_line.starts_with("まだ続けるのですね"));
  EXPECT_EQ(game->flow.UndoCount, 1);
  ASSERT_EQ(positions_seen().size(), 3u);
  // The human's filling move was taken back and the human moves again. The
  // record counts discs placed: 61 at the start, so h3 is entry 58.
  EXPECT_EQ(positions_seen()[2], positions_seen()[1]);
  EXPECT_EQ(game->board.GameRecord[58], kBlack * 100 + 83);
  EXPECT_EQ(game->board.GameRecord[59], kWhite * 100 + 63);
  EXPECT_EQ(game->board.GameRecord[60], kBlack * 100 + 81);
}

TEST_F(PassesAndResult, AGamePlayedOnAfterUndoReplacesItsEarlierRecord) {
  Start(AlmostFull());
  ChooseGameAgainstComputer(true, 2);
  AutoPlay();
  int result_screens = 0;
  io.When([&] { return OnResultScreen() && io.PendingEvents() == 0; },
          [&] {
            ++result_screens;
            io.ClickLeft(kUndo.x, kUndo.y);
          });
  io.StopWhen([&] { return human_moves_played() == 3 && OnResultScreen(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(result_screens, 1);
  const std::vector<std::string> lines = [&] {
    std::vector<std::string> out;
    std::istringstream in(ReadFile(root() / "dat" / "records.txt"));
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }();
  ASSERT_EQ(lines.size(), 1u) << "kept twice";
  EXPECT_NE(lines[0].find("undo=1"), std::string::npos) << lines[0];
  int ggf_files = 0;
  for (const auto& entry : fs::directory_iterator(root() / "dat" / "records")) {
    ggf_files += entry.path().extension() == ".ggf";
  }
  EXPECT_EQ(ggf_files, 1);
}

}  // namespace
}  // namespace kerna::test
