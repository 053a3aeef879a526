// Taking moves back and asking for hints during a game against the computer:
// undo with either side opening, the pause after a move with its right-click
// take-back, and the hint's square, value line and count.
#include <array>
#include <regex>

#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

class UndoHintPause : public FlowTest {
 protected:
  const BoardState& b() const { return game->board; }
  // Squares 1..8 x 1..8 only (the game's copies carry the wall rim).
  static Grid Squares(Grid grid) {
    for (int i = 0; i <= 9; ++i) grid[0][i] = grid[9][i] = grid[i][0] = grid[i][9] = 0;
    return grid;
  }
  void ExpectRecordEntries(int count) {
    for (int n = 1; n <= 60; ++n) EXPECT_EQ(b().GameRecord[n] != 0, n <= count) << "entry " << n;
  }
};

TEST_F(UndoHintPause, UndoAfterTheHumanOpenedRemovesEntriesThreeAndFour) {
  Start();
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/1);
  AutoPlay(2);
  ClickWhen([&] { return human_moves_played() == 2 && HumanWaits(); }, kUndo);
  io.StopWhen([&] { return game->flow.UndoCount == 1 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  ExpectRecordEntries(2);
  EXPECT_EQ(position(), positions_seen()[1]);  // after move 2
  EXPECT_EQ(b().MoveNumber, 3);
  EXPECT_EQ(game->buttonState.GroupChoice[3], 0);  // still available
}

TEST_F(UndoHintPause, WhenTheComputerOpenedUndoNeverRemovesEntryOne) {
  Start();
  ChooseGameAgainstComputer(/*human_black=*/false, /*level=*/1);
  AutoPlay(2);
  const auto waiting_after = [&](int undos) {
    return [this, undos] {
      return human_moves_played() == 2 && game->flow.UndoCount == undos && HumanWaits();
    };
  };
  ClickWhen(waiting_after(0), kUndo);
  Grid after_first_undo{};
  io.When(waiting_after(1), [&] {
    after_first_undo = position();
    io.ClickLeft(kUndo.x, kUndo.y);
  });
  // The third click finds the button disabled and is ignored.
  bool third_click = false;
  io.When(waiting_after(2), [&] {
    third_click = true;
    io.ClickLeft(kUndo.x, kUndo.y);
  });
  io.StopWhen([&] { return third_click && io.PendingEvents() == 0; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(after_first_undo, positions_seen()[1]);  // after the computer's move 3
  EXPECT_EQ(position(), positions_seen()[0]);        // after the computer's move 1
  EXPECT_EQ(game->flow.UndoCount, 2);
  ExpectRecordEntries(1);  // only the computer's opening move is left
  EXPECT_EQ(static_cast<int>(b().GameRecord[1]) / 100, kBlack);
  EXPECT_EQ(game->buttonState.GroupChoice[3], -1);
}

// Taking back the human's first move leaves the start position and an empty
// record: no entry may name a disc that is no longer on the board, and the
// next move is entry 1 again.
TEST_F(UndoHintPause, UndoOfTheHumansFirstMoveEmptiesTheRecord) {
  Start();
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/1);
  AutoPlay(1);
  ClickWhen([&] { return human_moves_played() == 1 && HumanWaits(); }, kUndo);
  Grid after_undo{};
  std::array<float, kRecordSize + 1> record_after_undo{};
  int undo_choice = 0;
  io.When([&] { return game->flow.UndoCount == 1 && HumanWaits(); },
          [&] {
            after_undo = position();
            record_after_undo = b().GameRecord;
            undo_choice = static_cast<int>(game->buttonState.GroupChoice[3]);
            AutoPlay(1, [] { return std::pair{5, 6}; });  // e6
          });
  io.StopWhen([&] { return human_moves_played() == 2 && b().GameRecord[2] != 0 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(Squares(after_undo), StandardStart());
  for (int n = 1; n <= kRecordSize; ++n) EXPECT_EQ(record_after_undo[n], 0) << "entry " << n;
  EXPECT_EQ(undo_choice, -1);  // nothing left to take back
  EXPECT_EQ(b().GameRecord[1], kBlack * 100 + 56);
  ExpectRecordEntries(2);
}

// Two undos after two moves each: back to the start, the record empty.
TEST_F(UndoHintPause, TwoUndosAfterTwoMovesEachReturnToAnEmptyRecord) {
  Start();
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/1);
  AutoPlay(2);
  const auto waiting_after = [&](int undos) {
    return [this, undos] {
      return human_moves_played() == 2 && game->flow.UndoCount == undos && HumanWaits();
    };
  };
  ClickWhen(waiting_after(0), kUndo);
  ClickWhen(waiting_after(1), kUndo);
  io.StopWhen(waiting_after(2));
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(Squares(position()), StandardStart());
  ExpectRecordEntries(0);
  EXPECT_EQ(game->buttonState.GroupChoice[3], -1);
}

// Without a start position to read the game starts from the four centre discs,
// and undo replays from those same discs, not from an empty board.
TEST_F(UndoHintPause, UndoWithoutAStartPositionReturnsToTheFourCentreDiscs) {
  Start(Grid{});
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/1);
  AutoPlay(2);
  ClickWhen([&] { return human_moves_played() == 2 && HumanWaits(); }, kUndo);
  io.StopWhen([&] { return game->flow.UndoCount == 1 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(position(), positions_seen()[1]);
  EXPECT_EQ(Squares(game->board.StartPosition), StandardStart());
}

// The last game's moves do not outlive it: a new game starts with an empty record.
TEST_F(UndoHintPause, ANewGameStartsWithAnEmptyRecord) {
  Start();
  for (int n = 1; n <= kRecordSize; ++n) game->board.GameRecord[n] = 265;
  ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/1);
  io.StopWhen([&] { return HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  ExpectRecordEntries(0);
}

TEST_F(UndoHintPause, PauseAfterMoveRightClickTakesTheMoveBackAndClearsItsEntry) {
  Start();
  game->settings.PauseAfterMove = 1;
  ChooseGameAgainstComputer(true, 2);
  AutoPlay(1);
  bool openness_shown = false;
  io.When(TextOnRow(21, "右クリックで取消し"), [&] {
    openness_shown = io.RowText(22).substr(56).starts_with("開放度 ");
    EXPECT_TRUE(io.RowText(20).substr(56).starts_with("左クリックで相手の番"));
    EXPECT_EQ(b().GameRecord[1], 234);  // c4, black's first legal square
    io.ClickRight(600, 30);
  });
  io.StopWhen([&] { return human_moves_played() == 1 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_TRUE(openness_shown);
  EXPECT_EQ(b().GameRecord[1], 0);
  EXPECT_EQ(CountDiscs(position(), kBlack), 2);
  EXPECT_EQ(CountDiscs(position(), kWhite), 2);
}

TEST_F(UndoHintPause, PauseAfterMoveLeftClickHandsTheTurnToTheComputer) {
  Start();
  game->settings.PauseAfterMove = 1;
  ChooseGameAgainstComputer(true, 2);
  AutoPlay(1);
  io.When(TextOnRow(21, "右クリックで取消し"), [&] { io.ClickLeft(600, 30); });
  io.StopWhen([&] { return human_moves_played() == 1 && b().GameRecord[2] != 0 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_NE(b().GameRecord[1], 0);
  EXPECT_EQ(static_cast<int>(b().GameRecord[2]) / 100, kWhite);
}

TEST_F(UndoHintPause, AHintShowsTheSquareAndValueCountsAndAClickPlaysIt) {
  Start();
  ChooseGameAgainstComputer(true, 2);
  ClickWhen([&] { return game->flow.HintCount == 0 && HumanWaits(); }, kHint);
  std::string square_line, value_line;
  int level_during_game = -1;
  platform::Rgb inside{};
  io.When([&] { return game->flow.HintCount == 1 && io.PendingEvents() == 0; },
          [&] {
            square_line = io.RowText(21).substr(56);
            value_line = io.RowText(23).substr(56);
            level_during_game = game->ai.Level;
            inside = io.GetPixel(SquareCentreX(b().CursorX), SquareCentreY(b().CursorY));
            io.ClickLeft(kHint.x, kHint.y);
          });
  int hinted_x = 0, hinted_y = 0;
  io.When([&] { return game->flow.HintCount == 2 && io.PendingEvents() == 0; },
          [&] {
            hinted_x = static_cast<int>(b().CursorX), hinted_y = static_cast<int>(b().CursorY);
            io.ClickLeft(SquareCentreX(hinted_x), SquareCentreY(hinted_y));
          });
  io.StopWhen([&] { return b().GameRecord[1] != 0; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);

  EXPECT_EQ(game->flow.HintCount, 2);
  EXPECT_EQ(level_during_game, 2);  // level 6 only while the hint is searched
  const std::string expected = std::string(1, "abcdefgh"[hinted_x - 1]) + " " +
                               std::to_string(hinted_y) + " (X= " + std::to_string(hinted_x) +
                               "  Y= " + std::to_string(hinted_y) + " )";
  EXPECT_TRUE(square_line.starts_with(expected)) << square_line;
  EXPECT_TRUE(std::regex_search(square_line, std::regex("^[a-h] [1-8] \\(X= [1-8]  Y= [1-8] \\)")));
  EXPECT_TRUE(value_line.starts_with("評価値 ") || value_line.starts_with("定石  ")) << value_line;
  EXPECT_EQ(inside, (platform::Rgb{0, 255, 0}));  // the hinted square is filled green
  EXPECT_EQ(b().GameRecord[1], kBlack * 100 + hinted_x * 10 + hinted_y);
}

}  // namespace
}  // namespace kerna::test
