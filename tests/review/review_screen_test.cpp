// The review screen on the headless platform, with a scripted analysis in
// place of the level-6 one (so that a test knows every value and runs in
// milliseconds): a known game stepped through by every key and button, the
// graph's marker and mistake ticks, values shown as soon as they come and
// "…" before, leaving during the analysis, ケルナ's lines, and the records
// that cannot be reviewed.
#include "review/review_screen.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <thread>

#include "game/flow_fixture.hpp"
#include "review_test_support.hpp"
#include "ui/review_speech.hpp"

namespace kerna::review {
namespace {

using kerna::test::ButtonPoint;
using platform::Key;
using platform::Rgb;
using Outcome = platform::HeadlessPlatform::Outcome;

// The review's buttons: start, back, forward, end, next mistake, 終了.
constexpr ButtonPoint kFirstButton{448, 401}, kBackButton{479, 401}, kForwardButton{510, 401},
    kLastButton{541, 401}, kMistakeButton{578, 401}, kQuitButton{619, 401};
constexpr int kStatusRow = 0, kMoveRow = 1, kPlayedRow = 2, kLossRow = 4;

// Moves 6 and 13 (positions 5 and 12) lose 10 and 20 discs; every other move
// is the best one. Black's view swings with the move number.
ReviewedMove ScriptedValue(const GgfGame& record, int n) {
  nboard::Position p{record.board, record.blackToMove};
  for (int i = 0; i < n; ++i) nboard::Play(p, record.moves[i].square);
  ReviewedMove move;
  move.number = n + 1;
  move.mover = p.Mover();
  move.played = move.best = record.moves[n].square;
  if (move.IsPass()) return move;
  move.playedValue = move.bestValue = (n % 2 == 0 ? 1 : -1) * (n % 9);
  if (n == 5 || n == 12) {
    move.loss = n == 5 ? 10 : 20;
    move.bestValue = move.playedValue + move.loss;
    uint64_t others = nboard::LegalMoves(p) & ~(uint64_t{1} << move.played);
    if (others != 0) move.best = std::countr_zero(others);
  }
  return move;
}

// Values every position at once, or (`hold_after`) that many and then waits
// for the stop, noting that it came.
Analyser ScriptedAnalyser(int hold_after = -1, std::atomic<bool>* stopped = nullptr) {
  return [hold_after, stopped](const GgfGame& record, const std::function<bool()>& stop,
                               const std::function<void(const ReviewedMove&)>& on_move) {
    ReviewResult result;
    for (int n = 0; n < static_cast<int>(record.moves.size()); ++n) {
      if (n == hold_after) {
        while (!stop()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (stopped) *stopped = true;
        result.end = ReviewEnd::kStopped;
        return result;
      }
      result.moves.push_back(ScriptedValue(record, n));
      on_move(result.moves.back());
    }
    return result;
  };
}

class ReviewScreenTest : public kerna::test::FlowTest {
 protected:
  // A whole game from the usual start, black the player (a game between two people).
  GgfGame record = test::SeededGame(11);

  Outcome Review(const std::optional<std::string>& text, Analyser analyser) {
    return io.Run([&] {
      Start();
      ReviewScreen(*game, std::move(analyser)).Show(text);
    });
  }
  std::string Row(int row) const { return io.RowText(row); }
  bool Valued() const { return Row(kStatusRow).find("分析済み") != std::string::npos; }

  // Once the analysis is done: each step 100 ms after the one before, and the
  // move row 50 ms after each step.
  struct Step {
    std::optional<Key> key;
    ButtonPoint click{};
  };
  void ScriptSteps(const std::vector<Step>& steps) {
    auto rows = std::make_shared<std::vector<std::string>>();
    io.When([this] { return Valued(); },
            [this, steps, rows] {
              const int64_t start = io.Clock() + 100;
              for (size_t i = 0; i < steps.size(); ++i) {
                const int64_t at = start + 100 * static_cast<int64_t>(i);
                if (steps[i].key) {
                  io.PressKey(*steps[i].key, at);
                } else {
                  io.ClickLeft(steps[i].click.x, steps[i].click.y, at);
                }
                io.When([this, at] { return io.Clock() >= at + 50; },
                        [this, rows] { rows->push_back(Row(kMoveRow)); });
              }
            });
    results_ = rows;
  }
  std::vector<std::string> Read() const { return *results_; }

  int Moves() const { return static_cast<int>(record.moves.size()); }
  // The move row at position k.
  static std::string MoveNumber(int k) { return std::to_string(k + 1) + "手目"; }

 private:
  std::shared_ptr<std::vector<std::string>> results_;
};

bool Starts(const std::string& row, const std::string& text) {
  return row.find(text) != std::string::npos;
}

TEST_F(ReviewScreenTest, StepsThroughAKnownGameByKeysAndButtons) {
  ScriptSteps({{Key::kRight},
               {Key::kRight},
               {Key::kLeft},
               {Key::kEnd},
               {Key::kRight},
               {Key::kHome},
               {Key::kLeft},
               {Key::kN},
               {Key::kN},
               {Key::kN},
               {std::nullopt, kForwardButton},
               {std::nullopt, kBackButton},
               {std::nullopt, kLastButton},
               {std::nullopt, kFirstButton},
               {std::nullopt, kMistakeButton},
               {std::nullopt, kQuitButton}});
  // The longer "分析中 N/M" before it leaves nothing behind in the grid.
  std::string done_status;
  io.When([this] { return Valued(); }, [&] { done_status = Row(kStatusRow); });
  ASSERT_EQ(Review(WriteGgf(record), ScriptedAnalyser()), Outcome::kReturned);
  const size_t first = done_status.find_first_not_of(' ');
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(done_status.substr(first, done_status.find_last_not_of(' ') + 1 - first),
            "振り返り  分析済み");
  const std::vector<std::string> rows = Read();
  const std::vector<std::string> expected = {
      MoveNumber(1), MoveNumber(2), MoveNumber(1), "終局",         "終局",
      MoveNumber(0), MoveNumber(0), MoveNumber(5), MoveNumber(12), MoveNumber(5),
      MoveNumber(6), MoveNumber(5), "終局",        MoveNumber(0),  MoveNumber(5)};
  ASSERT_GE(rows.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_TRUE(Starts(rows[i], expected[i])) << i << ": " << rows[i];
}

TEST_F(ReviewScreenTest, ShowsTheMovesValuesAndLossWithTheMarkedSquares) {
  std::string played, loss;
  Rgb hint{}, box{};
  io.When([this] { return Valued(); }, [this] { io.PressKey(Key::kN, io.Clock() + 10); });
  io.When([this] { return Starts(Row(kMoveRow), MoveNumber(5)); },
          [&] {
            played = Row(kPlayedRow);
            loss = Row(kLossRow);
            const ReviewedMove move = ScriptedValue(record, 5);
            hint = io.GetPixel(kerna::test::SquareCentreX(move.best % 8 + 1),
                               kerna::test::SquareCentreY(move.best / 8 + 1));
            // The box's inner outline runs along the square's top edge.
            box = io.GetPixel(kerna::test::SquareCentreX(move.played % 8 + 1),
                              22 + 48 * (move.played / 8));
            io.PressKey(Key::kEscape, io.Clock() + 10);
          });
  ASSERT_EQ(Review(WriteGgf(record), ScriptedAnalyser()), Outcome::kReturned);
  const ReviewedMove move = ScriptedValue(record, 5);
  EXPECT_NE(played.find(GgfSquareName(move.played)), std::string::npos) << played;
  EXPECT_NE(played.find("-5.0"), std::string::npos) << played;
  EXPECT_NE(loss.find("10.0"), std::string::npos) << loss;
  EXPECT_NE(loss.find("悪手"), std::string::npos) << loss;
  EXPECT_EQ(hint, (Rgb{0, 255, 0}));
  EXPECT_EQ(box, (Rgb{255, 255, 0}));
}

TEST_F(ReviewScreenTest, GraphMarksThePositionAndTheMistakes) {
  const GraphArea area = ReviewScreen::kGraph;
  const auto yellow_at = [&](int k) {
    return io.GetPixel(GraphColumnX(area, Moves(), k), area.bottom - 2) == Rgb{255, 255, 0};
  };
  std::vector<bool> marks;
  Rgb mistake_tick{}, plain_tick{};
  io.When([this] { return Valued(); },
          [&] {
            marks = {yellow_at(0), yellow_at(Moves())};
            mistake_tick = io.GetPixel(GraphColumnX(area, Moves(), 12), area.top + 2);
            plain_tick = io.GetPixel(GraphColumnX(area, Moves(), 11), area.top + 2);
            io.PressKey(Key::kEnd, io.Clock() + 10);
          });
  io.When([this] { return Starts(Row(kMoveRow), "終局"); },
          [&] {
            marks.push_back(yellow_at(0));
            marks.push_back(yellow_at(Moves()));
            io.PressKey(Key::kEscape, io.Clock() + 10);
          });
  ASSERT_EQ(Review(WriteGgf(record), ScriptedAnalyser()), Outcome::kReturned);
  EXPECT_EQ(marks, (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(mistake_tick, (Rgb{255, 0, 0}));
  EXPECT_EQ(plain_tick, (Rgb{0, 0, 0}));
}

TEST_F(ReviewScreenTest, ValuesShowAsTheyComeAndLeavingStopsTheAnalysisAtOnce) {
  for (const bool close_window : {false, true}) {
    std::atomic<bool> stopped = false;
    std::string valued_row, waiting_row, status;
    std::chrono::steady_clock::time_point leaving{};
    io.When([this] { return Starts(Row(kStatusRow), "3/"); },
            [&] {
              status = Row(kStatusRow);
              valued_row = Row(kPlayedRow);
              io.PressKey(Key::kEnd, io.Clock() + 10);
            });
    io.When([this] { return Starts(Row(kMoveRow), "終局"); },
            [&] {
              io.PressKey(Key::kHome, io.Clock() + 10);
              io.PressKey(Key::kRight, io.Clock() + 20);
              io.PressKey(Key::kRight, io.Clock() + 30);
              io.PressKey(Key::kRight, io.Clock() + 40);
              io.PressKey(Key::kRight, io.Clock() + 50);
            });
    io.When([this] { return Starts(Row(kMoveRow), MoveNumber(4)); },
            [&] {
              waiting_row = Row(kPlayedRow);
              leaving = std::chrono::steady_clock::now();
              if (close_window) {
                io.CloseWindow(io.Clock() + 10);
              } else {
                io.ClickLeft(kQuitButton.x, kQuitButton.y, io.Clock() + 10);
              }
            });
    const Outcome outcome = Review(WriteGgf(record), ScriptedAnalyser(3, &stopped));
    // From the click or the close to the screen's end, its thread joined.
    const auto left_after = std::chrono::steady_clock::now() - leaving;
    EXPECT_EQ(outcome, close_window ? Outcome::kWindowClosed : Outcome::kReturned);
    EXPECT_TRUE(stopped) << "the analysis was still running after the screen was left";
    EXPECT_LT(left_after, std::chrono::seconds(1));
    EXPECT_NE(status.find("分析中 3/" + std::to_string(Moves())), std::string::npos) << status;
    EXPECT_NE(valued_row.find("+0.0"), std::string::npos) << valued_row;
    EXPECT_NE(waiting_row.find("…"), std::string::npos) << waiting_row;
    game = std::make_unique<Game>(io);
  }
}

TEST_F(ReviewScreenTest, KernaSpeaksAtTheStartAndAtTheBiggestMistake) {
  std::vector<uint8_t> heard;
  const auto note = [&] { heard.push_back(game->hostessState.PreviousSpeechEvent); };
  io.When([this] { return Valued(); },
          [&] {
            note();
            io.PressKey(Key::kN, io.Clock() + 10);
            io.PressKey(Key::kN, io.Clock() + 100);
          });
  io.When([this] { return Starts(Row(kMoveRow), MoveNumber(12)); },
          [&] {
            note();
            io.PressKey(Key::kEscape, io.Clock() + 10);
          });
  // Black is the player in a game between two people; move 13 (position 12)
  // is the biggest loss.
  nboard::Position end{record.board, record.blackToMove};
  for (const GgfMove& m : record.moves) nboard::Play(end, m.square);
  const bool black_lost = nboard::DiscMargin(end) < 0;
  ASSERT_EQ(Review(WriteGgf(record), ScriptedAnalyser()), Outcome::kReturned);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0], black_lost ? kSpeechReviewStartLost : kSpeechReviewStartWon);
  const bool blacks_mistake = ScriptedValue(record, 12).mover == kGgfBlack;
  EXPECT_EQ(heard[1],
            blacks_mistake ? kSpeechReviewBigMistakePlayer : kSpeechReviewBigMistakeKerna);
}

TEST_F(ReviewScreenTest, AGameWithoutMistakesIsPraisedWhenTheAnalysisEnds) {
  const Analyser clean = [](const GgfGame& r, const std::function<bool()>&,
                            const std::function<void(const ReviewedMove&)>& on_move) {
    for (int n = 0; n < static_cast<int>(r.moves.size()); ++n) {
      ReviewedMove move = ScriptedValue(r, n);
      move.loss = 0;
      on_move(move);
    }
    return ReviewResult{};
  };
  uint8_t heard = 0;
  io.When([this] { return Valued(); }, [&] { io.PressKey(Key::kEscape, io.Clock() + 10); });
  io.When([this] { return Starts(Row(kStatusRow), "分析済み"); },
          [&] { heard = game->hostessState.PreviousSpeechEvent; });
  ASSERT_EQ(Review(WriteGgf(record), clean), Outcome::kReturned);
  EXPECT_EQ(heard, kSpeechReviewClean);
}

TEST_F(ReviewScreenTest, ARecordThatCannotBeReviewedSaysWhyAndQuitLeaves) {
  GgfGame set_up = record;
  set_up.board[0] = kGgfBlack;
  GgfGame illegal = record;
  illegal.moves[3].square = 0;  // a1 on the fourth move
  const std::vector<std::pair<std::optional<std::string>, std::string>> cases = {
      {std::nullopt, "読めませんでした"},
      {"not a game record", "正しくありません"},
      {WriteGgf(set_up), "途中盤面"},
      {WriteGgf(illegal), "4手目a1"},
  };
  for (const auto& [text, reason] : cases) {
    bool said = false;
    io.When([this, reason = reason] { return io.HasText(reason); },
            [&] {
              said = true;
              io.PressKey(Key::kEscape, io.Clock() + 10);
            });
    EXPECT_EQ(Review(text, ScriptedAnalyser()), Outcome::kReturned) << reason;
    EXPECT_TRUE(said) << reason;
    game = std::make_unique<Game>(io);
  }
}

}  // namespace
}  // namespace kerna::review
