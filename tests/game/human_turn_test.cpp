// The human turn on its own: the selection box and its colours, which clicks
// play a move and which do not, a full board, and a pass.
#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

constexpr platform::Rgb kYellow{255, 255, 0};
constexpr platform::Rgb kRed{255, 0, 0};
constexpr platform::Rgb kBlackLine{0, 0, 0};

class HumanTurnTest : public FlowTest {
 protected:
  // Black to move on `start`, the latest move at (last_x, last_y).
  void PlaceBoard(const Grid& start, int last_x, int last_y) {
    Start(start);
    BoardState& b = game->board;
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) b.Position[x][y] = start[x][y];
    }
    game->rules.CopyPositionToLayers();
    b.HumanSide = b.SideToMove = kBlack;
    b.ComputerSide = kWhite;
    b.LastMoveX = static_cast<int16_t>(last_x);
    b.LastMoveY = static_cast<int16_t>(last_y);
    game->io.SetTextColour(0, 7);
  }
  Outcome RunTurn() {
    return io.Run([&] { game->human.HumanTurn(); });
  }
  // The outer outline of the box around square (x, y).
  platform::Rgb BoxPixel(int x, int y) {
    return io.GetPixel(22 + 48 * (x - 1) - 1, 22 + 48 * (y - 1) + 20);
  }
};

TEST_F(HumanTurnTest, TheBoxFollowsTheMouseAndTheBoxedSquareIsPlayedFromOffTheBoard) {
  PlaceBoard(StandardStart(), 5, 4);
  std::vector<platform::Rgb> box_at_start, box_on_d3, old_square;
  io.When([&] { return io.sleep_calls() == 20; },
          [&] {
            box_at_start.push_back(BoxPixel(5, 4));  // the latest move's square: illegal, red
            io.MoveMouse(SquareCentreX(4), SquareCentreY(3));  // d3: legal
          });
  io.When([&] { return io.sleep_calls() == 60; },
          [&] {
            box_on_d3.push_back(BoxPixel(4, 3));
            old_square.push_back(BoxPixel(5, 4));
            io.ClickLeft(600, 40);   // right of the board, on no button: never a move
            io.MoveMouse(415, 300);  // off the board, still left of the panel
            io.ClickLeft(415, 300, io.Clock() + 200);
          });
  ASSERT_EQ(RunTurn(), Outcome::kReturned);
  EXPECT_EQ(box_at_start, std::vector{kRed});
  EXPECT_EQ(box_on_d3, std::vector{kYellow});
  EXPECT_EQ(old_square, std::vector{kBlackLine});
  EXPECT_GE(io.Clock(), 250);  // only the second click played
  const BoardState& b = game->board;
  EXPECT_EQ(b.SquareX, 4);
  EXPECT_EQ(b.SquareY, 3);
  EXPECT_EQ(b.cell[4][3][0], kBlack);
  EXPECT_EQ(b.cell[4][4][0], kBlack);  // flipped
  EXPECT_EQ(b.GameRecord[1], 243);
  EXPECT_EQ(BoxPixel(4, 3), kBlackLine);  // the box is erased when the move is played
  EXPECT_EQ(io.RowText(22).substr(56).find_first_not_of(' '), std::string::npos);
}

TEST_F(HumanTurnTest, AClickOnAnIllegalSquareDoesNothing) {
  PlaceBoard(StandardStart(), 0, 0);
  io.MoveMouse(SquareCentreX(1), SquareCentreY(1), 50);
  io.ClickLeft(SquareCentreX(1), SquareCentreY(1), 100);
  io.StopWhen([&] { return io.Clock() > 400; });
  EXPECT_EQ(RunTurn(), Outcome::kStopped);
  EXPECT_EQ(game->board.GameRecord[1], 0);
  EXPECT_EQ(game->board.cell[1][1][0], kEmpty);
  EXPECT_EQ(BoxPixel(1, 1), kRed);
  EXPECT_NE(io.RowText(20).find("あなたの（黒）の番"), std::string::npos);
  EXPECT_TRUE(io.RowText(22).substr(56).starts_with("置ける数 4  "));
}

TEST_F(HumanTurnTest, AFullBoardReturnsAtOnceWithoutAMessage) {
  Grid full{};
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) full[x][y] = (x + y) % 3 == 0 ? kWhite : kBlack;
  }
  PlaceBoard(full, 0, 0);
  ASSERT_EQ(RunTurn(), Outcome::kReturned);
  EXPECT_EQ(game->board.MovesPlayed, 60);
  EXPECT_EQ(game->board.LegalMoveCount, 0);
  EXPECT_EQ(io.RowText(20).find_first_not_of(' '), std::string::npos);
}

TEST_F(HumanTurnTest, APassIsShownAndEndsWithOneClickWithoutARecordEntry) {
  Grid lone{};
  lone[3][3] = lone[4][4] = kBlack;
  PlaceBoard(lone, 0, 0);
  io.ClickLeft(100, 100, 500);
  ASSERT_EQ(RunTurn(), Outcome::kReturned);
  EXPECT_GE(io.Clock(), 500);
  EXPECT_EQ(game->board.LegalMoveCount, 0);
  EXPECT_TRUE(io.RowText(20).substr(56).starts_with("あなたはパスです　"));
  EXPECT_TRUE(io.RowText(21).substr(56).starts_with("クリックして下さい"));
  for (int n = 1; n <= 60; ++n) EXPECT_EQ(game->board.GameRecord[n], 0);
}

}  // namespace
}  // namespace kerna::test
