// Loading the lines, the title padding, and speaking: the balloon, the two
// rows, the title pairs, the voice rules and the voice device's failures.
#include "ui/hostess_fixture.hpp"

namespace kerna::test {
namespace {

using namespace speech_event;

TEST_F(HostessTest, LoadingShowsItsMessageWhiteOnBlueThenReturnsToBlack) {
  LoadKnownLines();
  const auto at = io.FindText("セリフファイル読み込み中です。しばらくお待ち下さい");
  ASSERT_TRUE(at.has_value());
  EXPECT_EQ(at->column, 14);
  EXPECT_EQ(at->row, 8);
  EXPECT_EQ(io.text().Row(8)[14].foreground, 7);
  EXPECT_EQ(io.text().Row(8)[14].background, 1);
  EXPECT_EQ(io.text().foreground(), 7);
  EXPECT_EQ(io.text().background(), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.SpeechTable[4][17])), Field(17, 4));
}

TEST_F(HostessTest, VoiceNamesAreTwoDigitsAndMp3) {
  EXPECT_EQ(h.VoiceNames[0], "00.mp3");
  EXPECT_EQ(h.VoiceNames[9], "09.mp3");
  EXPECT_EQ(h.VoiceNames[58], "58.mp3");
}

TEST_F(HostessTest, TitlesArePaddedWithBlanksThroughByteTen) {
  WriteFile("dat/speech.csv", "");
  g.hostess.LoadSpeech();
  std::memcpy(h.SpeechTable[0][kTitle], "\x8C\xA9\x8F\x4B\x82\xA2", 6);  // 見習い
  std::memcpy(h.SpeechTable[1][kTitle], "twelve bytes", 12);
  g.hostess.PadTitles();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.SpeechTable[0][kTitle])),
            "\x8C\xA9\x8F\x4B\x82\xA2     ");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.SpeechTable[1][kTitle])), "twelve bytes");
  // A level without a title still lines up: eleven blanks.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.SpeechTable[2][kTitle])),
            std::string(11, ' '));
}

TEST_F(HostessTest, SpeakingPrintsBothRowsInTheBalloonAndVoicesTheLevelsFile) {
  LoadKnownLines();
  AddAllVoices();
  g.ai.Level = 3;
  h.SpeechEvent = kGreeting;
  g.hostess.SpeakOnRows();
  EXPECT_TRUE(BalloonShown());
  EXPECT_EQ(BalloonRow(6), FirstRow(55, 3) + std::string(11, '.'));
  EXPECT_EQ(BalloonRow(7).substr(0, 9), SecondRow(55, 3));
  EXPECT_EQ(Opened(), std::vector<std::string>{"voice\\3\\56.mp3"});
  EXPECT_EQ(h.PreviousSpeechEvent, kGreeting);
}

TEST_F(HostessTest, OnlyTheLostWonPassAndForcedEventsVoiceAgainRightAfterThemselves) {
  LoadKnownLines();
  AddAllVoices();
  for (uint8_t event : {kLost, kLost, kEvenAhead, kEvenAhead, kWon, kWon, kPass, kPass, kForcedMove,
                        kForcedMove, kGreeting, kGreeting}) {
    h.SpeechEvent = event;
    g.hostess.SpeakOnRows();
  }
  EXPECT_EQ(Opened(),
            (std::vector<std::string>{"voice\\1\\20.mp3", "voice\\1\\20.mp3", "voice\\1\\21.mp3",
                                      "voice\\1\\40.mp3", "voice\\1\\40.mp3", "voice\\1\\51.mp3",
                                      "voice\\1\\51.mp3", "voice\\1\\55.mp3", "voice\\1\\55.mp3",
                                      "voice\\1\\56.mp3"}));
}

TEST_F(HostessTest, LevelSixSpeaksWithTheVoicesOfFolderFive) {
  LoadKnownLines();
  AddAllVoices();
  g.ai.Level = 6;
  h.SpeechEvent = 30;
  g.hostess.SpeakOnRows();
  EXPECT_EQ(Opened(), std::vector<std::string>{"voice\\5\\31.mp3"});
  EXPECT_EQ(BalloonRow(6).substr(0, 9), FirstRow(30, 6));  // the text stays level 6's
}

TEST_F(HostessTest, TitleIsNeverVoicedAndSoundOffSilencesEverything) {
  LoadKnownLines();
  AddAllVoices();
  g.hostess.PadTitles();
  io.MoveCursor(56, 20);
  g.hostess.PrintResultTitle();
  EXPECT_TRUE(BalloonShown());
  EXPECT_EQ(Cells(20, 56, 11), "T1         ");
  g.settings.SoundEffects = 0;
  h.SpeechEvent = kLost;
  g.hostess.SpeakOnRows();
  EXPECT_EQ(BalloonRow(6).substr(0, 9), FirstRow(kLost, 1));
  EXPECT_TRUE(io.voice_log().empty());
}

TEST_F(HostessTest, LevelLineTitleIsPrintedAsPairsWithoutBalloonOrVoice) {
  LoadKnownLines();
  AddAllVoices();
  g.hostess.PadTitles();
  io.MoveCursor(55, 5);
  io.Print("レベル 1  "_sjis);
  g.hostess.PrintLevelTitle();
  EXPECT_EQ(io.RowText(5).substr(55), "レベル 1  T1         ");
  EXPECT_FALSE(BalloonShown());
  EXPECT_TRUE(io.voice_log().empty());
}

TEST_F(HostessTest, PairPrintStopsAPairAtItsZeroByte) {
  WriteFile("dat/speech.csv", "");
  g.hostess.LoadSpeech();
  std::memcpy(h.SpeechTable[1][kTitle], "abc\0\0\0gh", 8);  // "c" pairs with a zero
  g.hostess.PrintLevelTitle();
  EXPECT_EQ(Cells(io.text().row(), 0, io.text().column()), "abcgh");
}

TEST_F(HostessTest, MissingLinesFileLeavesAnEmptyBalloon) {
  g.hostess.LoadSpeech();
  AddAllVoices();
  h.SpeechEvent = 25;
  g.hostess.SpeakOnRows();
  EXPECT_TRUE(BalloonShown());
  EXPECT_EQ(BalloonRow(6), "");
  EXPECT_EQ(BalloonRow(7), "");
}

TEST_F(HostessTest, MissingVoiceFileIsSilent) {
  LoadKnownLines();
  h.SpeechEvent = 25;
  g.hostess.SpeakOnRows();
  EXPECT_TRUE(io.voice_log().empty());
  EXPECT_TRUE(io.message_boxes().empty());
  EXPECT_EQ(BalloonRow(6).substr(0, 9), FirstRow(25, 1));
}

TEST_F(HostessTest, VoiceDeviceIsStoppedAndClosedBeforeTheNextLine) {
  LoadKnownLines();
  AddAllVoices();
  for (uint8_t event : {21, 22}) {
    h.SpeechEvent = event;
    g.hostess.SpeakOnRows();
  }
  std::vector<std::string> actions;
  for (const auto& record : io.voice_log()) actions.push_back(record.action);
  EXPECT_EQ(actions, (std::vector<std::string>{"open", "play", "stop", "close", "open", "play"}));
  EXPECT_TRUE(io.VoiceIsOpen());  // stays open after playing
}

TEST_F(HostessTest, DeviceFailuresShowTheirBoxesAndTheLineIsStillShown) {
  LoadKnownLines();
  AddAllVoices();
  using Box = platform::HeadlessPlatform::MessageBoxRecord;
  const auto texts = [](const std::vector<Box>& boxes) {
    std::vector<std::string> t;
    for (const Box& box : boxes) t.push_back(box.text + " | " + box.caption);
    return t;
  };

  io.FailVoice(/*open=*/true, /*play=*/false, /*stop=*/false);
  h.SpeechEvent = 21;
  g.hostess.SpeakOnRows();
  io.FailVoice(false, /*play=*/true, false);
  h.SpeechEvent = 22;
  g.hostess.SpeakOnRows();
  io.FailVoice(false, false, /*stop=*/true);
  h.SpeechEvent = 23;
  g.hostess.SpeakOnRows();
  EXPECT_EQ(
      texts(io.message_boxes()),
      (std::vector<std::string>{"デバイスのオープンに失敗! | voice\\1\\22.mp3",
                                "デバイスの再生に失敗 | error", "デバイスの停止に失敗 | error"}));
  // After a failed stop the device is not closed, and the new line still opens and plays.
  EXPECT_EQ(io.voice_log().back().action, "play");
  EXPECT_EQ(Opened().back(), "voice\\1\\24.mp3");
  EXPECT_EQ(BalloonRow(6).substr(0, 9), FirstRow(23, 1));
}

TEST_F(HostessTest, ProgramStartLoadsTheShippedLinesWithPaddedTitles) {
  io.SetDataFolder(KERNA_ASSETS_DIR);
  g.starter.ProgramStart();
  EXPECT_EQ(h.VoiceNames[54], "54.mp3");
  EXPECT_EQ(platform::FromCp932(reinterpret_cast<const char*>(h.SpeechTable[0][53])),
            "見習い     ");
  EXPECT_EQ(platform::FromCp932(reinterpret_cast<const char*>(h.SpeechTable[6][53])),
            "名人       ");
  EXPECT_NE(h.SpeechTable[6][57][0], 0);
}

}  // namespace
}  // namespace kerna::test
