// Whole games of a human against the computer at every level, turn by turn as
// the game loop runs them, with the shipped lines and voices: after each
// computer move or pass the hostess's event, face, voice file and balloon text
// must be what her rules give, worked out here from the turn's results alone.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "ai/ai_test_support.hpp"
#include "ai/computer_turn_support.hpp"
#include "ui/panel_text.hpp"

namespace kerna::test {
namespace {

// What she should do after a computer move; no event means the level-0 corner.
struct Expected {
  std::optional<int> spoken;  // the event whose line and voice are given
  int face = 2;
  int next_previous = 0;  // the event her next comment compares with
};

int LadderIndex(int magnitude, int level) {
  static constexpr int kBelow[19] = {9000, 1500, 1000, 700, 500, 400, 300, 200, 150, 100,
                                     90,   80,   70,   60,  50,  40,  30,  20,  10};
  static constexpr int kBelowLevel0[19] = {9000, 500, 400, 300, 200, 100, 60, 50, 40, 30,
                                           20,   18,  16,  14,  12,  10,  7,  5,  3};
  int index = 19;
  for (int step = 0; step < 19; ++step) {
    if (magnitude < (level == 0 ? kBelowLevel0 : kBelow)[step]) index = 18 - step;
  }
  return index;
}

int LadderFace(int event) {
  if (event >= 5 && event <= 12) return 1;
  if (event >= 13 && event <= 18) return 0;
  if (event == 19) return 5;
  if (event >= 25 && event <= 31) return 3;
  if (event >= 32 && event <= 38) return 4;
  if (event == 39) return 6;
  return 2;
}

int Band(int first, int sum) {
  return first + (sum < 5 ? 0 : sum < 10 ? 1 : sum < 20 ? 2 : sum < 30 ? 3 : 4);
}

Expected AfterMove(const Game& g, int previous, int legal_moves) {
  if (g.ai.BookHit >= 1) return {57, 3, 57};
  if (legal_moves == 1) return {54, 1, 54};
  const int value = g.ai.ShownValue;
  int event = LadderIndex(std::abs(value), g.ai.Level) + (value > 0 ? 20 : 0);
  int face = 2;
  if (g.board.MovesPlayed > 5) {
    face = LadderFace(event);
    if (previous >= 20 && previous <= 39 && event <= 19)
      return {Band(40, previous - 20 + event), 5, event};
    if (previous <= 19 && event >= 20 && event <= 39)
      return {Band(45, event - 20 + previous), 6, event};
  } else {
    event = 0;
  }
  const int x = g.board.LastMoveX, y = g.board.LastMoveY;
  if (g.ai.Level == 0 && (x == 1 || x == 8) && (y == 1 || y == 8))
    return {std::nullopt, 6, previous};
  if (g.ai.SecondBestFlag == 1) event = 56;
  return {event, face, event};
}

class HostessGameTest : public ::testing::TestWithParam<int> {
 protected:
  TurnWorld world;
  Game& g = world.g;
  BoardState& b = g.board;
  int previous = 0;  // the event she spoke last
  std::vector<std::string> voiced;
  std::size_t voices_seen = 0;

  HostessGameTest() {
    g.hostess.BuildVoiceNames();
    g.hostess.LoadSpeech();
    g.settings.SoundEffects = 1;
    g.ai.Level = static_cast<int16_t>(GetParam());
    b.Position = b.StartPosition;
    b.GameRecord.fill(0);
    b.HumanSide = kBlack;
    b.ComputerSide = kWhite;
    g.hostess.ResetSpeech();
  }

  int MovesPlayed() const {
    int discs = 0;
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y)
        discs += b.Position[x][y] == kBlack || b.Position[x][y] == kWhite;
    return discs - 4;
  }

  // The human's turn: the first legal square, column by column; false on a pass.
  bool HumanMove() {
    g.rules.CopyPositionToLayers();
    b.Layer = 0;
    b.SideToMove = b.HumanSide;
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) {
        b.SquareX = static_cast<int16_t>(x), b.SquareY = static_cast<int16_t>(y);
        g.rules.TestLegal();
        if (b.LegalFlag != 1) continue;
        g.rules.MakeMoveFast();
        g.rules.CopyLayerToPosition();
        b.MovesPlayed = static_cast<int16_t>(MovesPlayed());
        return true;
      }
    }
    return false;
  }

  // The voice files opened since the last call.
  std::vector<std::string> NewVoices() {
    std::vector<std::string> paths;
    const auto& log = world.io.voice_log();
    for (; voices_seen < log.size(); ++voices_seen)
      if (log[voices_seen].action == "open") paths.push_back(log[voices_seen].path);
    return paths;
  }

  std::string BalloonBytes(int row) const {
    const std::string bytes = world.io.text().RowBytes(row);
    std::string text = bytes.size() > 56 ? bytes.substr(56, 20) : "";
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }

  // Her line for `event` was spoken: its voice and its balloon rows.
  void CheckSpoken(int event, bool second_row) {
    SCOPED_TRACE("event " + std::to_string(event));
    const int level = g.ai.Level;
    const auto& line = g.hostessState.SpeechTable[level][event];
    auto row = [&](int first) {
      std::string text;
      for (int k = first; k < first + 20; ++k)
        if (line[k] != 0) text.push_back(static_cast<char>(line[k]));
      while (!text.empty() && text.back() == ' ') text.pop_back();
      return text;
    };
    EXPECT_FALSE(row(0).empty()) << "the shipped lines have no text for this event";
    EXPECT_EQ(BalloonBytes(6), row(0));
    if (second_row) {
      EXPECT_EQ(BalloonBytes(7), row(20));
    }
    const bool repeats = event == 19 || event == 39 || event == 50 || event == 54;
    std::vector<std::string> want;
    if (event != previous || repeats) {
      char name[32];
      std::snprintf(name, sizeof name, "voice\\%d\\%02d.mp3", std::min(level, 5), event + 1);
      want.push_back(name);
    }
    EXPECT_EQ(NewVoices(), want);
  }
};

TEST_P(HostessGameTest, EveryCommentFollowsHerRules) {
  const int level = GetParam();
  if (kSanitized && level >= 4) GTEST_SKIP() << "levels 4 to 6 take minutes under the sanitizers";
  int passes = 0, comments = 0;
  std::vector<int> kinds(58, 0);
  for (int turn = 0; passes < 2 && MovesPlayed() < 60; ++turn) {
    ASSERT_LT(turn, 130) << "the game does not end";
    if (turn % 2 == 0) {
      passes = HumanMove() ? 0 : passes + 1;
      continue;
    }
    // The computer's turn, as the game loop runs it.
    const int legal_before = [&] {
      g.rules.CopyPositionToLayers();
      b.Layer = 0;
      b.SideToMove = b.ComputerSide;
      int count = 0;
      for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) {
          b.SquareX = static_cast<int16_t>(x), b.SquareY = static_cast<int16_t>(y);
          g.rules.TestLegal();
          count += b.LegalFlag == 1;
        }
      return count;
    }();
    g.ai.SecondBestFlag = 0;
    g.rules.CopyPositionToLayers();
    b.SideToMove = b.ComputerSide;
    g.rules.SavePreviousPosition();
    g.panelText.BlankRows(6, 7);  // as after the human's move
    g.computer.ComputerTurn();
    const bool moved = b.Position != b.PreviousPosition;
    SCOPED_TRACE("level " + std::to_string(level) + " move " + std::to_string(MovesPlayed()));
    if (!moved) {
      ++passes;
      EXPECT_EQ(legal_before, 0);
      EXPECT_EQ(g.hostessState.FaceNumber, 0);
      CheckSpoken(50, false);
      EXPECT_EQ(g.hostessState.PreviousSpeechEvent, 50);
      previous = 50;
      ++kinds[50];
      continue;
    }
    passes = 0;
    b.MovesPlayed = static_cast<int16_t>(MovesPlayed());
    if (b.MovesPlayed == 60) break;  // the result screen speaks next
    if (g.ai.BookHit >= 1) g.ai.ShownValue = 0;
    EXPECT_EQ(b.LegalMoveCount, legal_before);
    const Expected want = AfterMove(g, previous, legal_before);
    g.hostess.CommentOnMove();
    ++comments;
    EXPECT_EQ(g.hostessState.FaceNumber, want.face);
    if (want.spoken) {
      CheckSpoken(*want.spoken, *want.spoken != 54);
      ++kinds[*want.spoken];
    } else {
      EXPECT_EQ(platform::FromCp932(BalloonBytes(6)), "やった！");
      EXPECT_EQ(platform::FromCp932(BalloonBytes(7)), "スミとっちゃった！");
      EXPECT_TRUE(NewVoices().empty());
    }
    EXPECT_EQ(g.hostessState.PreviousSpeechEvent, want.next_previous);
    previous = want.next_previous;
  }
  EXPECT_GE(comments, 10);
  std::string summary;
  for (int e = 0; e < 58; ++e)
    if (kinds[e] > 0) summary += " " + std::to_string(e) + "x" + std::to_string(kinds[e]);
  std::printf("level %d: %d comments, events%s\n", level, comments, summary.c_str());
}

INSTANTIATE_TEST_SUITE_P(Levels, HostessGameTest, ::testing::Range(0, 7));

}  // namespace
}  // namespace kerna::test
