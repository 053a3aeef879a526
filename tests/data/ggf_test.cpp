// GGF game records: reading other programs' records (set-up positions, passes,
// evaluations and times, unknown properties), refusing broken ones, and writing
// records that read back the same.
#include "data/ggf.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kerna {
namespace {

constexpr const char* kStartSquares =
    "---------------------------O*------*O---------------------------";

std::string BoardText(const GgfGame& game) {
  return std::string(game.board.begin(), game.board.end());
}

TEST(GgfRead, RecordFromAnotherProgramWithClocksAndUnknownTags) {
  const auto game = ParseGgf(
      "(;GM[Othello]PC[NBoard]DT[2014-02-21 20:52:27 GMT]PB[./mEdax]PW[chris]RE[?]TI[15:00]"
      "TY[8]BO[8 ---------------------------O*------*O--------------------------- *]B[F5]W[F6]"
      "B[D3]W[C5]ZZ[whatever];)");
  ASSERT_TRUE(game);
  EXPECT_EQ(BoardText(*game), kStartSquares);
  EXPECT_TRUE(game->blackToMove);
  EXPECT_EQ(game->blackName, "./mEdax");
  EXPECT_EQ(game->whiteName, "chris");
  EXPECT_EQ(game->date, "2014-02-21 20:52:27 GMT");
  EXPECT_EQ(game->result, "?");
  ASSERT_EQ(game->moves.size(), 4u);
  EXPECT_EQ(game->moves[0].square, 37);  // f5
  EXPECT_EQ(game->moves[1].square, 45);  // f6
  EXPECT_EQ(game->moves[2].square, 19);  // d3
  EXPECT_EQ(game->moves[3].square, 34);  // c5
  EXPECT_FALSE(game->moves[0].eval);
  EXPECT_FALSE(game->moves[0].seconds);
}

TEST(GgfRead, SetUpPositionWithRowsSpacedPassesAndEvalTimeItems) {
  // White to move on a board written row by row with spaces, in another
  // program's characters (X for black, '.' for empty), with passes and
  // move items carrying evaluations and times.
  const auto game = ParseGgf(
      "2 (; GM[othello] PB[a b] BO[8 XXXXXXXX OOOOOOOO ........ ........ ........ ........ "
      "........ .......O O]\n W[pa//0.8] B[h8/-3.50/2] W[Pass] B[a3//12.25] ;)");
  ASSERT_TRUE(game);
  EXPECT_FALSE(game->blackToMove);
  EXPECT_EQ(BoardText(*game).substr(0, 16), "********OOOOOOOO");
  EXPECT_EQ(game->board[63], kGgfWhite);
  EXPECT_EQ(game->board[20], kGgfEmpty);
  EXPECT_EQ(game->blackName, "a b");
  ASSERT_EQ(game->moves.size(), 4u);
  EXPECT_EQ(game->moves[0].square, kGgfPass);
  EXPECT_FALSE(game->moves[0].eval);
  EXPECT_DOUBLE_EQ(*game->moves[0].seconds, 0.8);
  EXPECT_EQ(game->moves[1].square, 63);
  EXPECT_DOUBLE_EQ(*game->moves[1].eval, -3.5);
  EXPECT_DOUBLE_EQ(*game->moves[1].seconds, 2.0);
  EXPECT_EQ(game->moves[2].square, kGgfPass);
  EXPECT_EQ(game->moves[3].square, 16);  // a3
  EXPECT_DOUBLE_EQ(*game->moves[3].seconds, 12.25);
}

TEST(GgfRead, RecordWithoutBoardStartsFromTheUsualPosition) {
  const auto game = ParseGgf("(;GM[Othello]B[f5];)");
  ASSERT_TRUE(game);
  EXPECT_EQ(BoardText(*game), kStartSquares);
  EXPECT_TRUE(game->blackToMove);
}

TEST(GgfRead, BrokenRecordsAreRefusedWithAReason) {
  const std::string broken[] = {
      "",
      "GM[Othello]",                                           // no opening
      "(;GM[Othello]B[f5]",                                    // no closing
      "(;GM[Othello]B[f5;)",                                   // unterminated value
      "(;GM[Chess];)",                                         // another game
      "(;GM[Othello]BO[10 ----];)",                            // another board size
      "(;GM[Othello]BO[8 ---- *];)",                           // too few squares
      "(;GM[Othello]BO[8 " + std::string(64, '-') + "];)",     // no side to move
      "(;GM[Othello]BO[8 " + std::string(64, '-') + " - ];)",  // side neither colour
      "(;GM[Othello]BO[8 " + std::string(63, '-') + "? *];)",  // unknown square
      "(;GM[Othello]B[i9];)",                                  // no such square
      "(;GM[Othello]B[];)",                                    // empty move
      "(;GM[Othello]B[f5]W[d6]3[x];)",                         // property name not letters
      "(;GM[Othello] B f5;)",                                  // property without brackets
  };
  for (const std::string& text : broken) {
    std::string why;
    EXPECT_FALSE(ParseGgf(text, &why)) << text;
    EXPECT_FALSE(why.empty()) << text;
  }
}

TEST(GgfMoveItems, EvalAndTimeAreOptionalAndUnreadableNumbersAreLeftOut) {
  const auto plain = ParseGgfMoveItem("F5");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->square, 37);
  EXPECT_FALSE(plain->eval);

  const auto both = ParseGgfMoveItem("d6/+1.25/0.5");
  ASSERT_TRUE(both);
  EXPECT_DOUBLE_EQ(*both->eval, 1.25);
  EXPECT_DOUBLE_EQ(*both->seconds, 0.5);

  const auto odd = ParseGgfMoveItem("c3/abc/nan");
  ASSERT_TRUE(odd);
  EXPECT_FALSE(odd->eval);
  EXPECT_FALSE(odd->seconds);

  for (const char* pass : {"PA", "pa", "P", "pass", "--"}) {
    const auto item = ParseGgfMoveItem(pass);
    ASSERT_TRUE(item) << pass;
    EXPECT_EQ(item->square, kGgfPass) << pass;
  }
  for (const char* bad : {"", "f", "f55", "z1", "a0", "PASSE"}) {
    EXPECT_FALSE(ParseGgfMoveItem(bad)) << bad;
  }
}

TEST(GgfMoveItems, WrittenInCapitalsWithTwoDecimalEvalsAndNoExponent) {
  EXPECT_EQ(WriteGgfMoveItem({37, std::nullopt, std::nullopt}), "F5");
  EXPECT_EQ(WriteGgfMoveItem({kGgfPass, std::nullopt, 0.8}), "PA//0.8");
  EXPECT_EQ(WriteGgfMoveItem({0, -3.5, 2.0}), "A1/-3.50/2");
  EXPECT_EQ(WriteGgfMoveItem({63, 0.00001, 0.00003}), "H8/0.00/0");
  EXPECT_EQ(WriteGgfMoveItem({63, 1e300, std::nullopt}), "H8/1000000000.00");
}

TEST(GgfWrite, FinishedGameReadsBackTheSame) {
  GgfGame game = StandardGgfGame();
  game.blackName = "ケルナ";
  game.whiteName = "guest]\nname";  // would end the property and the line if written as is
  game.date = "2026-12-08 12:00:00 GMT";
  game.result = GgfResult(-4);
  game.moves = {{37, std::nullopt, std::nullopt}, {43, 0.5, 1.25}, {kGgfPass, std::nullopt, 0.0}};

  const std::string text = WriteGgf(game);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_EQ(text.substr(0, 18), "(;GM[Othello]PC[ke");
  EXPECT_NE(text.find("RE[-4]"), std::string::npos);
  EXPECT_NE(text.find("BO[8 " + std::string(kStartSquares) + " *]B[F5]W[D6/0.50/1.25]B[PA//0]"),
            std::string::npos);

  const auto back = ParseGgf(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->board, game.board);
  EXPECT_EQ(back->blackName, "ケルナ");
  EXPECT_EQ(back->whiteName, "guest) name");
  EXPECT_EQ(back->date, game.date);
  EXPECT_EQ(back->result, "-4");
  EXPECT_EQ(back->place, "kerna");
  ASSERT_EQ(back->moves.size(), 3u);
  EXPECT_EQ(back->moves[1].square, 43);
  EXPECT_DOUBLE_EQ(*back->moves[1].eval, 0.5);
  EXPECT_EQ(back->moves[2].square, kGgfPass);
}

TEST(GgfWrite, MoveLettersFollowTheSideToMoveOfTheStartPosition) {
  GgfGame game = StandardGgfGame();
  game.blackToMove = false;
  game.moves = {{19, std::nullopt, std::nullopt}, {18, std::nullopt, std::nullopt}};
  const std::string text = WriteGgf(game);
  EXPECT_NE(text.find(" O]W[D3]B[C3];)"), std::string::npos) << text;
  EXPECT_EQ(GgfResult(12), "+12");
  EXPECT_EQ(GgfResult(0), "0");
}

TEST(GgfSquares, NamesRunRowByRowFromTheTopLeft) {
  EXPECT_EQ(GgfSquareName(0), "a1");
  EXPECT_EQ(GgfSquareName(7), "h1");
  EXPECT_EQ(GgfSquareName(56), "a8");
  EXPECT_EQ(GgfSquareName(kGgfPass), "PA");
  for (int square = 0; square < 64; ++square) {
    EXPECT_EQ(ParseGgfSquare(GgfSquareName(square)), square);
  }
}

}  // namespace
}  // namespace kerna
