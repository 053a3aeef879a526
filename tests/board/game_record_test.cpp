// The game record: entry numbers follow the discs on the board, recording
// clears the entries after it, and the replay takes back the human's latest
// move (with the computer's reply) by replaying from the start position.
#include "board_fixture.hpp"

namespace kerna::test {
namespace {

class GameRecord : public BoardTest {
 protected:
  GameRecord() {
    Lay(kStart);
    b().StartPosition = b().Position;
  }

  // Plays (x, y) for `side` on layer 0 as a turn does, records it and shows it.
  void PlayAndRecord(int x, int y, int side) {
    Aim(x, y, side, 0);
    rules().TestLegal();
    ASSERT_EQ(b().LegalFlag, 1) << x << "," << y;
    rules().MakeMove();
    rules().RecordMove();
    rules().SavePreviousPosition();
    rules().CopyLayerToPosition();
  }

  std::string ShowPosition(const Grid& grid) {
    std::string out;
    for (int y = 1; y <= 8; ++y) {
      if (y > 1) out += '/';
      for (int x = 1; x <= 8; ++x) out += CharFromCell(grid[x][y]);
    }
    return out;
  }
};

TEST_F(GameRecord, TheFirstMoveIsEntryOneWhicheverSideMadeIt) {
  PlayAndRecord(6, 5, kBlack);  // f5
  EXPECT_EQ(b().MoveNumber, 1);
  EXPECT_EQ(b().GameRecord[1], 265);

  Lay(kStart);
  PlayAndRecord(6, 4, kWhite);  // f4
  EXPECT_EQ(b().GameRecord[1], 164);
  EXPECT_EQ(b().GameRecord[2], 0);
}

TEST_F(GameRecord, APassTakesNoEntryAndRecordingClearsLaterEntries) {
  for (int n = 1; n <= kRecordSize; ++n) b().GameRecord[n] = 999;
  PlayAndRecord(6, 5, kBlack);  // f5
  PlayAndRecord(6, 6, kWhite);  // f6
  EXPECT_EQ(b().GameRecord[2], 166);
  for (int n = 3; n <= kRecordSize; ++n) ASSERT_EQ(b().GameRecord[n], 0) << n;
  // White passes; black's next disc takes the very next entry.
  PlayAndRecord(6, 7, kBlack);  // f7
  EXPECT_EQ(b().GameRecord[3], 267);
  EXPECT_EQ(b().GameRecord[4], 0);
  EXPECT_EQ(b().GameRecord[0], 0);
}

TEST_F(GameRecord, ReplayAfterTheHumansOnlyMoveReturnsToTheStart) {
  b().HumanSide = kBlack;
  PlayAndRecord(6, 5, kBlack);  // human f5
  const std::string after_human = ShowPosition(b().Position);
  b().SideToMove = kWhite;
  rules().ReplayRecord();
  EXPECT_EQ(Show(0), Join(kStart));
  EXPECT_EQ(ShowPosition(b().Position), Join(kStart));
  EXPECT_EQ(ShowPosition(b().PreviousPosition), Join(kStart));
  EXPECT_EQ(b().SideToMove, kWhite);
  EXPECT_EQ(b().Layer, 0);
  EXPECT_EQ(b().MovesPlayed, 0);

  // With the computer's reply on top, the replay still goes back to the start.
  Lay(kStart);
  PlayAndRecord(6, 5, kBlack);
  PlayAndRecord(6, 6, kWhite);  // computer f6
  EXPECT_NE(ShowPosition(b().Position), after_human);
  rules().ReplayRecord();
  EXPECT_EQ(ShowPosition(b().Position), Join(kStart));
}

TEST_F(GameRecord, ReplayKeepsTheComputersOpeningMove) {
  b().HumanSide = kWhite;
  PlayAndRecord(6, 5, kBlack);  // computer f5
  const std::string after_opening = Show(0);
  PlayAndRecord(6, 6, kWhite);  // human f6
  rules().ReplayRecord();
  EXPECT_EQ(Show(0), after_opening);
  EXPECT_EQ(ShowPosition(b().Position), after_opening);
  EXPECT_EQ(ShowPosition(b().PreviousPosition), after_opening);
}

TEST_F(GameRecord, ReplayTakesBackOnlyTheLatestHumanMove) {
  b().HumanSide = kBlack;
  PlayAndRecord(6, 5, kBlack);
  PlayAndRecord(6, 6, kWhite);
  const std::string before_second = Show(0);
  PlayAndRecord(5, 6, kBlack);  // e6
  PlayAndRecord(4, 6, kWhite);  // d6
  rules().ReplayRecord();
  EXPECT_EQ(ShowPosition(b().Position), before_second);
  EXPECT_EQ(b().GameRecord[3], 256);  // the record itself is left for the caller
}

TEST_F(GameRecord, ReplayWithoutAHumanEntryChangesNothing) {
  b().HumanSide = kWhite;
  PlayAndRecord(6, 5, kBlack);  // only the computer has moved
  const std::string shown = ShowPosition(b().Position);
  b().SideToMove = kWhite;
  rules().ReplayRecord();
  EXPECT_EQ(Show(0), shown);
  EXPECT_EQ(ShowPosition(b().Position), shown);
  EXPECT_EQ(b().SideToMove, kWhite);
}

// A start position with fewer than four discs gives a move number below 1: the
// move cannot be recorded and nothing before the record may be written.
TEST_F(GameRecord, AMoveNumberBelowOneIsNotRecorded) {
  Lay({"........", "........", "........", "...O....", "...X....", "........", "........",
       "........"});
  for (int n = 1; n <= kRecordSize; ++n) b().GameRecord[n] = 999;
  Aim(4, 3, kBlack, 0);
  rules().MakeMove();
  rules().RecordMove();
  EXPECT_EQ(b().MoveNumber, -1);
  EXPECT_EQ(b().GameRecord[0], 0);
  for (int n = 1; n <= kRecordSize; ++n) ASSERT_EQ(b().GameRecord[n], 0) << n;
}

}  // namespace
}  // namespace kerna::test
