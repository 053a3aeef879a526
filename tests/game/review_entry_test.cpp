// The ways into the review, with the review itself replaced by a hook that
// notes the record it is given: 振り返り on the result screen (and the result
// screen drawn again after it), the saved games from the menu (newest first,
// stepped through, the one shown opened), and the menu of a build without a
// review (the browser's), which says so.
#include <gtest/gtest.h>

#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

using platform::Key;

constexpr ButtonPoint kResultReview{580, 293}, kMenuReview{534, 257};
constexpr ButtonPoint kNewer{490, 231}, kOlder{578, 231}, kOpen{534, 317}, kLeave{534, 367};

class ReviewEntry : public FlowTest {
 protected:
  ReviewEntry() {
    game->review.Open = [this](const std::optional<std::string>& text) {
      opened.push_back(text.value_or("unreadable"));
      io.Clear();  // the review draws over everything
    };
  }
  bool Shown(int row, const std::string& text) const {
    return io.RowText(row).find(text) != std::string::npos;
  }
  std::vector<std::string> opened;
};

TEST_F(ReviewEntry, TheResultScreenReviewsTheGameJustPlayedAndComesBack) {
  Start(NeitherSideCanMove());
  ChooseGameAgainstComputer(true, 2);
  AutoPlay();
  const auto result_waits = [this] {
    return game->buttonState.GroupActive[kResultReviewGroup] == 1;
  };
  ClickWhen(result_waits, kResultReview);
  ClickWhen([&] { return opened.size() == 1 && result_waits() && Shown(21, "あなた"); }, kQuit);
  io.StopWhen([&] { return game->buttonState.GroupActive[kMenuGroup] == 1 && !opened.empty(); });
  ClickWhen([this] { return Shown(20, "クリックで"); }, kStart);
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], game->records.LastGgfText);
  EXPECT_NE(opened[0].find("PW[computer level 2]"), std::string::npos) << opened[0];
  // Leaving the result screen takes its review button away with it.
  EXPECT_EQ(game->buttonState.GroupActive[kResultReviewGroup], 0);
}

TEST_F(ReviewEntry, SavedGamesComeNewestFirstAndTheOneShownOpens) {
  const auto ggf = [](const std::string& black, const std::string& white, const std::string& date,
                      const std::string& result) {
    return "(;GM[Othello]PC[kerna]DT[" + date + "]PB[" + black + "]PW[" + white + "]RE[" + result +
           "]B[f5];)\n";
  };
  const fs::path records = root() / "dat" / "records";
  WriteFile(records / "2026-12-08T10-00-00.ggf",
            ggf("human", "computer level 2", "2026-12-08 10:00:00", "+10"));
  WriteFile(records / "2026-12-08T10-00-00-2.ggf",
            ggf("human", "human", "2026-12-08 10:00:00", "-4"));
  WriteFile(records / "2026-12-09T09-00-00.ggf", ggf("Alice", "Bob", "2026-12-09 09:00:00", "0"));
  Start();
  ClickOnMenu(kMenuReview);
  std::vector<std::vector<std::string>> pages;
  const auto page = [this] {
    std::vector<std::string> rows;
    for (int row = 5; row <= 10; ++row) rows.push_back(io.RowText(row));
    return rows;
  };
  const auto on_page = [this](int n) {
    return [this, n] { return Shown(5, std::to_string(n) + " / 3") && io.PendingEvents() == 0; };
  };
  io.When(on_page(1), [&] {
    pages.push_back(page());
    io.PressKey(Key::kRight);
  });
  io.When(on_page(2), [&] {
    pages.push_back(page());
    io.ClickLeft(kOlder.x, kOlder.y);
  });
  io.When(on_page(3), [&] {
    pages.push_back(page());
    io.PressKey(Key::kRight);  // the oldest stays
    io.ClickLeft(kNewer.x, kNewer.y);
    io.ClickLeft(kOpen.x, kOpen.y);
  });
  ClickWhen([&] { return opened.size() == 1; }, kLeave);
  io.StopWhen([&] { return game->buttonState.GroupActive[kMenuGroup] == 1 && !opened.empty(); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  ASSERT_EQ(pages.size(), 3u);
  const auto has = [](const std::vector<std::string>& rows, const std::string& text) {
    for (const std::string& row : rows)
      if (row.find(text) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(has(pages[0], "2026-12-09 09:00:00") && has(pages[0], "黒 Alice") &&
              has(pages[0], "白 Bob") && has(pages[0], "引き分け"));
  EXPECT_TRUE(has(pages[1], "二人で対戦") && has(pages[1], "白の4石勝ち"));
  EXPECT_TRUE(has(pages[2], "レベル2") && has(pages[2], "あなた黒  ケルナ白") &&
              has(pages[2], "黒の10石勝ち"));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_NE(opened[0].find("PW[human]"), std::string::npos) << opened[0];
}

TEST_F(ReviewEntry, WithoutAReviewTheMenuSaysSo) {
  game->review.Open = nullptr;
  Start();
  ClickOnMenu(kMenuReview);
  io.StopWhen([this] { return Shown(18, "ブラウザ版"); });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_EQ(game->buttonState.GroupActive[kMenuGroup], 1);
  EXPECT_EQ(game->buttonState.GroupActive[kSavedGamesGroup], 0);
}

}  // namespace
}  // namespace kerna::test
