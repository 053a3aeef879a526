// What the hostess says after a computer move, when she passes and at the end
// of a game: the value ladder by level, the swings, the opening comments, the
// level-0 corner, the second-best move, book and forced moves, and the faces.
#include "ui/hostess_fixture.hpp"

namespace kerna::test {
namespace {

using namespace speech_event;

class CommentTest : public HostessTest {
 protected:
  CommentTest() {
    LoadKnownLines();
    AddAllVoices();
    io.Clear();
  }
  // A computer move with the value it shows; returns the first balloon row.
  std::string Comment(int shown_value) {
    g.ai.ShownValue = static_cast<int16_t>(shown_value);
    g.hostess.CommentOnMove();
    return BalloonRow(6);
  }
  std::string Says(int event) { return FirstRow(event, g.ai.Level) + std::string(11, '.'); }
};

TEST_F(CommentTest, LadderUsesTheLevelsThresholdsAndAddsTwentyWhenAhead) {
  struct Case {
    int level, value, event, face;
  };
  for (const Case c :
       {Case{1, 0, 0, 2}, Case{1, -9, 0, 2}, Case{1, -10, 1, 2}, Case{1, -45, 4, 2},
        Case{1, 45, 24, 2}, Case{1, -65, 6, 1}, Case{1, -450, 14, 0}, Case{1, 1499, 37, 4},
        Case{1, 1500, 38, 4}, Case{1, 8999, 38, 4}, Case{1, 9000, 39, 6}, Case{1, -9000, 19, 5},
        Case{1, -32768, 19, 5}, Case{0, -45, 11, 1}, Case{0, 2, 20, 2}, Case{0, 3, 21, 2},
        Case{0, 250, 35, 4}, Case{0, -600, 18, 0}, Case{6, 120, 30, 3}}) {
    SCOPED_TRACE("level " + std::to_string(c.level) + " value " + std::to_string(c.value));
    g.ai.Level = static_cast<int16_t>(c.level);
    h.PreviousSpeechEvent = static_cast<uint8_t>(c.event);  // no swing from the last comment
    EXPECT_EQ(Comment(c.value), Says(c.event));
    EXPECT_EQ(h.SpeechEvent, c.event);
    EXPECT_EQ(h.PreviousSpeechEvent, c.event);
    EXPECT_EQ(h.FaceNumber, c.face);
    EXPECT_EQ(BalloonRow(7).substr(0, 9), SecondRow(c.event, c.level));
  }
}

TEST_F(CommentTest, FallingBehindIsASwingSizedByBothDistancesFromEven) {
  h.PreviousSpeechEvent = 25;
  EXPECT_EQ(Comment(-35), Says(41));  // the ladder says 3: S = (25 - 20) + 3 = 8
  EXPECT_EQ(h.FaceNumber, 5);
  EXPECT_EQ(h.PreviousSpeechEvent, 3);  // the next change is measured from the ladder
  EXPECT_EQ(Opened().back(), "voice\\1\\42.mp3");

  struct Band {
    int previous, value, swing;
  };
  for (const Band b : {Band{21, -35, 40}, Band{26, -35, 41}, Band{27, -35, 42}, Band{36, -35, 42},
                       Band{37, -35, 43}, Band{30, -9000, 43}, Band{31, -9000, 44}}) {
    h.PreviousSpeechEvent = static_cast<uint8_t>(b.previous);
    EXPECT_EQ(Comment(b.value), Says(b.swing)) << "previous " << b.previous;
  }
}

TEST_F(CommentTest, CatchingUpIsASwingTheOtherWay) {
  h.PreviousSpeechEvent = 2;
  EXPECT_EQ(Comment(160), Says(47));  // the ladder says 31: S = (31 - 20) + 2 = 13
  EXPECT_EQ(h.FaceNumber, 6);
  EXPECT_EQ(h.PreviousSpeechEvent, 31);
  h.PreviousSpeechEvent = 0;
  EXPECT_EQ(Comment(25), Says(45));  // 22: S = 2
  h.PreviousSpeechEvent = 19;
  EXPECT_EQ(Comment(9000), Says(49));  // 39: S = 38
}

TEST_F(CommentTest, NoSwingFromAnEventOutsideTheLadder) {
  h.PreviousSpeechEvent = kGreeting;
  EXPECT_EQ(Comment(-45), Says(4));
  h.PreviousSpeechEvent = kSecondBest;
  EXPECT_EQ(Comment(45), Says(24));
}

TEST_F(CommentTest, FirstFiveMovesAlwaysSayEventZeroWithoutSwings) {
  g.board.MovesPlayed = 5;
  h.PreviousSpeechEvent = 25;
  EXPECT_EQ(Comment(-450), Says(0));
  EXPECT_EQ(h.FaceNumber, 2);
  EXPECT_EQ(h.PreviousSpeechEvent, 0);
  EXPECT_EQ(Comment(2000), Says(0));
  // Past five moves the faces follow the ladder.
  g.board.MovesPlayed = 6;
  h.PreviousSpeechEvent = 13;
  EXPECT_EQ(Comment(-450), Says(14));
  EXPECT_EQ(h.FaceNumber, 0);
}

TEST_F(CommentTest, LevelZeroCheersForACornerInsteadOfSpeaking) {
  g.ai.Level = 0;
  for (const auto& [x, y] : {std::pair{1, 1}, {1, 8}, {8, 1}, {8, 8}}) {
    io.Clear();
    io.MoveCursor(0, 0);
    g.board.LastMoveX = static_cast<int16_t>(x);
    g.board.LastMoveY = static_cast<int16_t>(y);
    const size_t voices = io.voice_log().size();
    h.PreviousSpeechEvent = 3;
    Comment(-20);
    EXPECT_EQ(io.FindText("やった！")->column, 56);
    EXPECT_EQ(io.FindText("やった！")->row, 6);
    EXPECT_EQ(io.FindText("スミとっちゃった！")->row, 7);
    EXPECT_EQ(h.FaceNumber, 6);
    EXPECT_TRUE(PictureShown("bmp\\face06.bmp", 478, 149));
    EXPECT_EQ(io.voice_log().size(), voices);  // nothing voiced
    EXPECT_EQ(h.PreviousSpeechEvent, 3);
  }
  // Not a corner, or not level 0: the ladder speaks.
  g.board.LastMoveX = 2;
  EXPECT_EQ(Comment(-20), Says(9));
  g.ai.Level = 1;
  g.board.LastMoveX = 1;
  EXPECT_EQ(Comment(-20), Says(2));
}

TEST_F(CommentTest, SecondBestMoveIsTeasedWithTheLaddersFace) {
  g.ai.SecondBestFlag = 1;
  h.PreviousSpeechEvent = 30;
  EXPECT_EQ(Comment(160), Says(kSecondBest));
  EXPECT_EQ(h.FaceNumber, 3);
  EXPECT_EQ(h.PreviousSpeechEvent, kSecondBest);
}

TEST_F(CommentTest, BookMoveIsNamedEvenInSelfPlayAndOtherCommentsAreNot) {
  g.settings.SelfPlayMode = 1;
  g.ai.BookHit = 12;
  EXPECT_EQ(Comment(300), Says(kBookMove));
  EXPECT_EQ(h.FaceNumber, 3);
  io.Clear();
  io.text() = platform::TextGrid{};
  g.ai.BookHit = 0;
  const size_t voices = io.voice_log().size();
  EXPECT_EQ(Comment(300), "");
  g.board.LegalMoveCount = 1;
  EXPECT_EQ(Comment(300), "");
  EXPECT_EQ(io.voice_log().size(), voices);
}

TEST_F(CommentTest, OnlyLegalMoveIsForcedOnOneRow) {
  g.board.LegalMoveCount = 1;
  h.PreviousSpeechEvent = kForcedMove;
  EXPECT_EQ(Comment(-9000), Says(kForcedMove));
  EXPECT_EQ(BalloonRow(7), "");
  EXPECT_EQ(h.FaceNumber, 1);
  EXPECT_EQ(Opened().back(), "voice\\1\\55.mp3");  // voiced again right after itself
}

TEST_F(CommentTest, PassSpeaksOneRowWithFaceZero) {
  io.MoveCursor(0, 0);
  g.hostess.CommentOnPass();
  EXPECT_EQ(BalloonRow(6), Says(kPass));
  EXPECT_EQ(BalloonRow(7), "");
  EXPECT_EQ(h.FaceNumber, 0);
  EXPECT_EQ(Opened().back(), "voice\\1\\51.mp3");
}

TEST_F(CommentTest, GameEndsWithHerWinHerLossOrADraw) {
  g.hostess.CommentOnWin();
  EXPECT_EQ(BalloonRow(6), Says(kGameWon));
  EXPECT_EQ(h.FaceNumber, 4);
  g.hostess.CommentOnLoss();
  EXPECT_EQ(BalloonRow(6), Says(kGameLost));
  EXPECT_EQ(BalloonRow(7).substr(0, 9), SecondRow(kGameLost, 1));
  EXPECT_EQ(h.FaceNumber, 5);
  const size_t voices = io.voice_log().size();
  io.text() = platform::TextGrid{};
  g.hostess.CommentOnDraw();
  EXPECT_EQ(Cells(6, 56, 16), "引き分けです    ");
  EXPECT_EQ(io.text().row(), 7);  // followed by a line break
  EXPECT_EQ(h.FaceNumber, 2);
  EXPECT_EQ(io.voice_log().size(), voices);
}

TEST_F(CommentTest, GreetingAndResetBetweenGames) {
  g.hostess.GreetHuman();
  EXPECT_EQ(BalloonRow(6), Says(kGreeting));
  EXPECT_EQ(h.PreviousSpeechEvent, kGreeting);
  g.hostess.ResetSpeech();
  EXPECT_EQ(h.SpeechEvent, 0);
  EXPECT_EQ(h.PreviousSpeechEvent, 0);
}

}  // namespace
}  // namespace kerna::test
