// The opening-book file's record rules, its out-of-format input, and the book
// the game ships.
#include "data/opening_book.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"

namespace kerna {
namespace {

// The table is large (about 430 kB); keep it off the stack.
std::unique_ptr<OpeningBook> Parse(std::string_view bytes) {
  auto book = std::make_unique<OpeningBook>();
  ParseOpeningBook(bytes, *book);
  return book;
}

std::vector<int> Slots(const OpeningBook& book, int line, int first, int last) {
  std::vector<int> codes;
  for (int slot = first; slot <= last; ++slot) codes.push_back(book.Moves[line][slot]);
  return codes;
}

TEST(OpeningBookParse, LineEndedByCrLfGivesItsSquareCodes) {
  auto book = Parse("f5d6c3\r\n");
  EXPECT_EQ(book->LineCount, 2);  // the empty record after the final line break counts
  EXPECT_EQ(book->MoveCount[1], 3);
  EXPECT_EQ(Slots(*book, 1, 0, 4), (std::vector<int>{0, 65, 46, 33, 0}));
  EXPECT_EQ(book->MoveCount[2], 0);
  EXPECT_EQ(book->Moves[2][1], 0);
}

TEST(OpeningBookParse, CapitalLettersReadAsSmallOnes) {
  auto upper = Parse("F5D6\r\n");
  auto lower = Parse("f5d6\r\n");
  EXPECT_EQ(upper->MoveCount[1], 2);
  EXPECT_EQ(Slots(*upper, 1, 1, 2), Slots(*lower, 1, 1, 2));
  EXPECT_EQ(Slots(*upper, 1, 1, 2), (std::vector<int>{65, 46}));
}

TEST(OpeningBookParse, MalformedPairKeepsItsSlotEmptyButUsesIt) {
  auto book = Parse("f5x6c3\r\nf5d9c3\r\nf5d0i3\r\n");
  for (int line = 1; line <= 2; ++line) {
    EXPECT_EQ(book->MoveCount[line], 3);
    EXPECT_EQ(Slots(*book, line, 1, 3), (std::vector<int>{65, 0, 33}));
  }
  EXPECT_EQ(Slots(*book, 3, 1, 3), (std::vector<int>{65, 0, 0}));
}

TEST(OpeningBookParse, CommaSeparatesLinesOnOneTextLine) {
  auto book = Parse("f5d6,c4c3\r\n");
  EXPECT_EQ(book->LineCount, 3);
  EXPECT_EQ(book->MoveCount[1], 2);
  EXPECT_EQ(book->MoveCount[2], 2);
  EXPECT_EQ(Slots(*book, 1, 1, 2), (std::vector<int>{65, 46}));
  EXPECT_EQ(Slots(*book, 2, 1, 2), (std::vector<int>{34, 33}));
}

TEST(OpeningBookParse, EmptyInputAndEmptyLinesCountAsEmptyLines) {
  EXPECT_EQ(Parse("")->LineCount, 1);
  EXPECT_EQ(Parse("")->MoveCount[1], 0);

  auto blank = Parse("\r\n");
  EXPECT_EQ(blank->LineCount, 2);
  EXPECT_EQ(blank->MoveCount[1], 0);

  auto three = Parse("f5d6\r\nf5f6\r\nf5f4\r\n");
  EXPECT_EQ(three->LineCount, 4);
  EXPECT_EQ(three->MoveCount[3], 2);
  EXPECT_EQ(three->MoveCount[4], 0);
}

TEST(OpeningBookParse, ByteAfterCrIsSkippedWhateverItIs) {
  auto book = Parse("f5d6\rxc4c3\r\n");
  EXPECT_EQ(book->LineCount, 3);
  EXPECT_EQ(Slots(*book, 2, 1, 2), (std::vector<int>{34, 33}));
  // An LF alone is no terminator: it is a malformed pair like any other byte.
  auto lf_only = Parse("f5d6\nc4\r\n");
  EXPECT_EQ(lf_only->LineCount, 2);
  EXPECT_EQ(Slots(*lf_only, 1, 1, 4), (std::vector<int>{65, 46, 0, 0}));
}

TEST(OpeningBookParse, LastLineWithoutLineBreakCountsItsPairs) {
  auto book = Parse("f5d6\r\nf5d6c3");
  EXPECT_EQ(book->LineCount, 2);
  EXPECT_EQ(book->MoveCount[2], 3);
  EXPECT_EQ(Slots(*book, 2, 1, 3), (std::vector<int>{65, 46, 33}));
  // A half pair at the very end is no move and reads nothing beyond the data.
  auto half = Parse("f5d");
  EXPECT_EQ(half->MoveCount[1], 1);
  EXPECT_EQ(Slots(*half, 1, 1, 2), (std::vector<int>{65, 0}));
}

TEST(OpeningBookParse, DataEndsAtZeroByteOrBareFinalCr) {
  auto zero = Parse(std::string("f5d6\r\nc4\0c3\r\n", 12));
  EXPECT_EQ(zero->LineCount, 2);
  EXPECT_EQ(zero->MoveCount[2], 1);
  EXPECT_EQ(zero->Moves[2][2], 0);

  // The byte after a final CR is the end of the data, never skipped past it.
  auto bare_cr = Parse("f5d6\r");
  EXPECT_EQ(bare_cr->LineCount, 2);
  EXPECT_EQ(bare_cr->MoveCount[1], 2);
  EXPECT_EQ(bare_cr->MoveCount[2], 0);
}

TEST(OpeningBookParse, LineOfMoreThanSixtyMovesKeepsTheFirstSixty) {
  std::string line;
  for (int i = 0; i < 70; ++i) line += (i % 2 == 0) ? "f5" : "d6";
  line += "\r\nc4c3\r\n";
  auto book = Parse(line);
  EXPECT_EQ(book->LineCount, 3);
  EXPECT_EQ(book->MoveCount[1], 60);
  EXPECT_EQ(book->Moves[1][60], 46);
  // Slot 0 of the next line follows slot 60 in memory: nothing spilled into it.
  EXPECT_EQ(book->Moves[2][0], 0);
  EXPECT_EQ(Slots(*book, 2, 1, 2), (std::vector<int>{34, 33}));
}

TEST(OpeningBookParse, RecordOverItsSizeIgnoresTheExcessBytes) {
  // 300 bytes of noise, then a move past byte 255: not stored, next line intact.
  std::string record(300, 'z');
  record += "f5\r\nd3c3\r\n";
  auto book = Parse(record);
  EXPECT_EQ(book->LineCount, 3);
  EXPECT_EQ(book->MoveCount[1], 60);
  for (int slot = 0; slot <= kBookSlots; ++slot) EXPECT_EQ(book->Moves[1][slot], 0);
  EXPECT_EQ(Slots(*book, 2, 1, 2), (std::vector<int>{43, 33}));
}

TEST(OpeningBookParse, RecordsAfterTheLastTableLineAreIgnored) {
  std::string file;
  for (int i = 0; i < kBookCapacity + 5; ++i)
    file += (i < kBookCapacity - 1) ? "f5\r\n" : "c4c3\r\n";
  auto book = Parse(file);
  EXPECT_EQ(book->LineCount, kBookCapacity);
  EXPECT_EQ(book->MoveCount[kBookCapacity], 2);
  EXPECT_EQ(Slots(*book, kBookCapacity, 1, 2), (std::vector<int>{34, 33}));
  EXPECT_EQ(book->MoveCount[kBookCapacity - 1], 1);

  // Exactly full: the empty record after the last line break has no room.
  std::string full;
  for (int i = 0; i < kBookCapacity; ++i) full += "f5\r\n";
  EXPECT_EQ(Parse(full)->LineCount, kBookCapacity);
}

TEST(OpeningBookParse, ParsingAgainClearsTheOldLines) {
  auto book = std::make_unique<OpeningBook>();
  ParseOpeningBook("f5d6c3\r\nf5f6\r\n", *book);
  ParseOpeningBook("c4", *book);
  EXPECT_EQ(book->LineCount, 1);
  EXPECT_EQ(book->MoveCount[1], 1);
  EXPECT_EQ(Slots(*book, 1, 1, 3), (std::vector<int>{34, 0, 0}));
  EXPECT_EQ(book->MoveCount[2], 0);
  EXPECT_EQ(book->Moves[2][1], 0);
}

// Replays one book line from the standard start with the game's own rules (a
// side without a legal move passes); returns the first illegal slot, or 0.
int FirstIllegalSlot(Game& g, const OpeningBook& book, int line) {
  BoardState& b = g.board;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.cell[x][y][0] = kEmpty;
  }
  b.cell[4][4][0] = b.cell[5][5][0] = kWhite;
  b.cell[4][5][0] = b.cell[5][4][0] = kBlack;
  b.Layer = 0;
  b.SideToMove = kBlack;
  for (int slot = 1; slot <= book.MoveCount[line]; ++slot) {
    const int code = book.Moves[line][slot];
    if (code == 0) return slot;
    for (int attempt = 0; attempt < 2; ++attempt) {
      b.SquareX = static_cast<int16_t>(code / 10);
      b.SquareY = static_cast<int16_t>(code % 10);
      g.rules.TestLegal();
      if (b.LegalFlag == 1) break;
      g.rules.CountLegalMoves();
      if (b.LegalMoveCount != 0) return slot;
      b.SideToMove = b.OpponentTable[b.SideToMove];  // pass
    }
    if (b.LegalFlag == 0) return slot;
    g.rules.MakeMove();
    b.SideToMove = b.OpponentTable[b.SideToMove];
  }
  return 0;
}

constexpr std::string_view kLoadingMessage = "定石ファイル読み込み中です。しばらくお待ち下さい";

class OpeningBookLoad : public ::testing::Test {
 protected:
  OpeningBookLoad() { game->rules.SetUpWalls(); }

  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);
};

TEST_F(OpeningBookLoad, ShowsItsMessageWhiteOnBlueThenTurnsTheColourBack) {
  io.SetDataFolder(KERNA_ASSETS_DIR);
  game->bookLoader.LoadOpeningBook();
  const auto at = io.FindText(kLoadingMessage);
  ASSERT_TRUE(at.has_value());
  EXPECT_EQ(at->column, 14);
  EXPECT_EQ(at->row, 8);
  const platform::TextCell& cell = io.text().Row(8)[14];
  EXPECT_EQ(cell.foreground, 7);
  EXPECT_EQ(cell.background, 1);
  EXPECT_EQ(io.text().foreground(), 7);
  EXPECT_EQ(io.text().background(), 0);
  EXPECT_EQ(io.CursorRow(), 9);  // the message ends with a line break
}

TEST_F(OpeningBookLoad, MissingFileGivesOneEmptyLine) {
  io.SetDataFolder((std::filesystem::temp_directory_path() / "kerna_no_such_folder").string());
  game->book.LineCount = 5;
  game->book.MoveCount[1] = 3;
  game->bookLoader.LoadOpeningBook();
  EXPECT_EQ(game->book.LineCount, 1);
  EXPECT_EQ(game->book.MoveCount[1], 0);
  EXPECT_TRUE(io.HasText(kLoadingMessage));
}

TEST_F(OpeningBookLoad, ShippedBookLoadsAndEveryLineStartsAtF5AndIsLegal) {
  io.SetDataFolder(KERNA_ASSETS_DIR);
  const std::string bytes = io.ReadWholeFile("dat\\zyouseki.txt");
  ASSERT_GE(bytes.size(), 2u) << "assets/dat/zyouseki.txt is missing";
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  game->bookLoader.LoadOpeningBook();
  const OpeningBook& book = game->book;

  // Every text line ends in CR LF, so the last record is the empty one after it.
  EXPECT_GT(book.LineCount, 1000);
  EXPECT_LE(book.LineCount, kBookCapacity);
  EXPECT_EQ(book.MoveCount[book.LineCount], 0);
  for (int line = 1; line < book.LineCount; ++line) {
    ASSERT_GE(book.MoveCount[line], 2) << "line " << line;
    EXPECT_EQ(book.Moves[line][1], 65) << "line " << line;
    EXPECT_EQ(book.Moves[line][book.MoveCount[line] + 1], 0) << "line " << line;
    EXPECT_EQ(FirstIllegalSlot(*game, book, line), 0) << "line " << line;
  }
}

}  // namespace
}  // namespace kerna
