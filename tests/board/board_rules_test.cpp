// Hand-made positions for the move rules: walls and occupied squares, lines that
// run into the rim or an empty square, moves closing several lines, openness,
// and the counts on the start and a full board.
#include "board_fixture.hpp"

namespace kerna::test {
namespace {

using MoveRules = BoardTest;

TEST_F(MoveRules, WallsHoldFourInEveryLayerAndTheCopiesNeverTouchThem) {
  Lay(kStart);
  b().Layer = 59;
  rules().CopyLayerToPosition();
  rules().SavePreviousPosition();
  for (int i = 0; i < 10; ++i) {
    for (int d = 0; d < kLayers; ++d) {
      ASSERT_EQ(b().cell[i][0][d], kWall);
      ASSERT_EQ(b().cell[i][9][d], kWall);
      ASSERT_EQ(b().cell[0][i][d], kWall);
      ASSERT_EQ(b().cell[9][i][d], kWall);
    }
    for (const Grid* grid : {&b().Position, &b().PreviousPosition, &b().StartPosition}) {
      EXPECT_EQ((*grid)[i][0], kWall);
      EXPECT_EQ((*grid)[0][i], kWall);
      EXPECT_EQ((*grid)[9][i], kWall);
      EXPECT_EQ((*grid)[i][9], kWall);
    }
  }
  EXPECT_EQ(Show(59), Join(kStart));
}

// A white ring on the edge and a black ring inside it: from every rim square a
// black disc would close a line, yet the wall is never a legal square, and no
// occupied square is either.
TEST_F(MoveRules, WallsAndOccupiedSquaresAreNeverLegal) {
  Lay({"OOOOOOOO", "OXXXXXXO", "OX....XO", "OX....XO", "OX....XO", "OX....XO", "OXXXXXXO",
       "OOOOOOOO"});
  for (int x = 0; x <= 9; ++x) {
    for (int y = 0; y <= 9; ++y) {
      const bool rim = x == 0 || y == 0 || x == 9 || y == 9;
      if (!rim && b().cell[x][y][0] == kEmpty) continue;
      for (int side : {kWhite, kBlack}) {
        Aim(x, y, side);
        rules().TestLegal();
        EXPECT_EQ(b().LegalFlag, 0) << x << "," << y;
        rules().TestLegalOpenness();
        EXPECT_EQ(b().LegalFlag, 0) << x << "," << y;
        EXPECT_EQ(b().SquareX, x);  // the early return leaves the square alone
        EXPECT_EQ(b().SquareY, y);
      }
    }
  }
}

// Black on a1: the run along row 1 ends at the wall and the run down column a
// ends at an empty square, so only the closed diagonal flips.
TEST_F(MoveRules, LinesRunningIntoTheRimOrAnEmptySquareFlipNothing) {
  const Picture8 before = {".OOOOOOO", "OO......", "..O.....", "...X....",
                           "........", "........", "........", "........"};
  const Picture8 after = {"XOOOOOOO", "OX......", "..X.....", "...X....",
                          "........", "........", "........", "........"};
  Lay(before);
  Aim(1, 1, kBlack, 0);
  rules().TestLegalOpenness();
  EXPECT_EQ(b().LegalFlag, 1);
  EXPECT_EQ(b().OpennessSum, 4 + 6);  // b2 and c3; the dropped runs add nothing
  EXPECT_EQ(Show(0), Join(before));   // the test changes no cell

  EXPECT_EQ(rules().MakeMove(), 10);
  EXPECT_EQ(b().Opponent, kWhite);
  EXPECT_EQ(b().PlyOpenness[0], 10);
  EXPECT_EQ(Show(0), Join(after));
  Aim(1, 1, kBlack, 1);
  rules().MakeMoveFast();
  EXPECT_EQ(Show(1), Join(after));
}

// Black on d4 closes the lines north, west and south-east; the line east is open.
TEST_F(MoveRules, AMoveClosingSeveralLinesFlipsAllAndSumsTheirOpenness) {
  const Picture8 before = {"...X....", "...O....", "...O....", ".XO.O...",
                           "....O...", ".....X..", "........", "........"};
  const Picture8 after = {"...X....", "...X....", "...X....", ".XXXO...",
                          "....X...", ".....X..", "........", "........"};
  Lay(before);
  Aim(4, 4, kBlack, 3);
  rules().TestLegal();
  EXPECT_EQ(b().LegalFlag, 1);
  EXPECT_EQ(b().Opponent, kWhite);
  rules().TestLegalOpenness();
  EXPECT_EQ(b().LegalFlag, 1);
  // d2 6, d3 5, c4 6, e5 6: all three lines, not just the first one found.
  EXPECT_EQ(b().OpennessSum, 23);

  EXPECT_EQ(rules().MakeMove(), 23);
  EXPECT_EQ(b().PlyOpenness[3], 23);
  EXPECT_EQ(Show(3), Join(after));
  Aim(4, 4, kBlack, 4);
  rules().MakeMoveFast();
  EXPECT_EQ(Show(4), Join(after));
  EXPECT_EQ(Show(0), Join(before));  // only the named layer changes
}

TEST_F(MoveRules, OpennessCountsWallsAsOccupied) {
  Lay({"X..X...X", "........", "........", "X..X....", "........", "........", "........",
       "XXX....."});
  EXPECT_EQ(DiscOpenness(b(), 1, 1, 0), 3);  // corner
  EXPECT_EQ(DiscOpenness(b(), 4, 1, 0), 5);  // top edge
  EXPECT_EQ(DiscOpenness(b(), 8, 1, 0), 3);  // corner
  EXPECT_EQ(DiscOpenness(b(), 1, 4, 0), 5);  // left edge
  EXPECT_EQ(DiscOpenness(b(), 4, 4, 0), 8);  // alone in the middle
  EXPECT_EQ(DiscOpenness(b(), 2, 8, 0), 3);  // bottom edge between two discs
  EXPECT_EQ(DiscOpenness(b(), 1, 8, 0), 2);
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int open = DiscOpenness(b(), x, y, 0);
      const bool corner = (x == 1 || x == 8) && (y == 1 || y == 8);
      const bool edge = x == 1 || x == 8 || y == 1 || y == 8;
      EXPECT_LE(open, corner ? 3 : edge ? 5 : 8) << x << "," << y;
    }
  }
}

TEST_F(MoveRules, CountOnTheStartPosition) {
  Lay(kStart);
  Aim(0, 0, kBlack, 0);
  rules().CountLegalMoves();
  EXPECT_EQ(b().LegalMoveCount, 4);  // d3 c4 f5 e6
  EXPECT_EQ(b().MovesPlayed, 0);
  EXPECT_EQ(b().LastLegalX, 6);  // f5: the last legal square in column order
  EXPECT_EQ(b().LastLegalY, 5);
  EXPECT_EQ(b().SquareX, 9);
  EXPECT_EQ(b().SquareY, 9);

  Aim(0, 0, kWhite, 0);
  rules().CountLegalMoves();
  EXPECT_EQ(b().LegalMoveCount, 4);  // e3 c5 f4 d6
  EXPECT_EQ(b().LastLegalX, 6);      // f4
  EXPECT_EQ(b().LastLegalY, 4);
}

TEST_F(MoveRules, WithoutALegalSquareTheLastLegalSquareIsKept) {
  Lay({"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXOOOO", "OOOOOOOO", "OOOOOOOO", "OOOOOOOO",
       "OOOOOOOO"});
  b().LastLegalX = 3;
  b().LastLegalY = 7;
  Aim(0, 0, kBlack, 0);
  rules().CountLegalMoves();
  EXPECT_EQ(b().LegalMoveCount, 0);
  EXPECT_EQ(b().MovesPlayed, 60);
  EXPECT_EQ(b().LastLegalX, 3);
  EXPECT_EQ(b().LastLegalY, 7);

  // A board with empty squares but no move for white either.
  Lay({"XXXXXXX.", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
       "XXXXXX.."});
  Aim(0, 0, kWhite, 0);
  rules().CountLegalMoves();
  EXPECT_EQ(b().LegalMoveCount, 0);
  EXPECT_EQ(b().MovesPlayed, 57);
  EXPECT_EQ(b().LastLegalX, 3);
  rules().ComputeMoveNumber();
  EXPECT_EQ(b().MoveNumber, 57);
}

}  // namespace
}  // namespace kerna::test
