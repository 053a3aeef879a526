// The game in progress is kept: a game closed in the middle is offered at the
// next start (a fresh Game on the same folders) and goes on from the same
// position and record, with its level, sides and counts; a damaged file is
// ignored and left as it was.
#include <algorithm>
#include <optional>

#include "game/flow_fixture.hpp"

namespace kerna::test {
namespace {

inline constexpr ButtonPoint kContinue{500, 295};

// What must come back after the restart.
struct Kept {
  Grid position{};
  std::array<float, kRecordSize + 1> record{};
  int undo = 0, hint = 0, level = 0, human_side = 0, undo_choice = 0;
  bool versus_computer = false;

  static Kept Of(const Game& g) {
    return {g.board.Position,
            g.board.GameRecord,
            g.flow.UndoCount,
            g.flow.HintCount,
            g.ai.Level,
            g.board.HumanSide,
            static_cast<int>(g.buttonState.GroupChoice[kUndoGroup]),
            g.flow.VersusComputer == 1};
  }
  bool operator==(const Kept&) const = default;
};

class KeptGameTest : public FlowTest {
 protected:
  fs::path KeptFile() const { return root() / "dat" / "game-in-progress.txt"; }

  // The next start of the program on the same folders, up to its menu.
  struct NextStart {
    platform::HeadlessPlatform io;
    std::unique_ptr<Game> game = std::make_unique<Game>(io);
    bool InMenu() const { return game->buttonState.GroupActive[kMenuGroup] == 1; }
    bool ContinueOffered() const { return !game->buttonState.Button(kMenuGroup, 4).Hidden; }
    bool HumanWaits() const {
      return io.PendingEvents() == 0 && io.RowText(22).find("置ける数") != std::string::npos;
    }
    Outcome Run() {
      return io.Run([&] { game->loop.MainLoop(); });
    }
  };
  std::unique_ptr<NextStart> Restart() {
    auto next = std::make_unique<NextStart>();
    next->io.SetDataFolder(root().string());
    next->io.SetRealTimeLimit(std::chrono::seconds(60));
    next->game->starter.ProgramStart();
    next->game->settings = game->settings;
    next->game->board.StartPosition = game->board.StartPosition;
    return next;
  }
  // At the next start's menu, 続きから; `then` runs at the human's first
  // question in the continued game, with what came back.
  void WhenContinued(NextStart& next, std::function<void(const Kept&)> then) {
    next.io.When([&] { return next.InMenu() && next.io.PendingEvents() == 0; },
                 [&] { next.io.ClickLeft(kContinue.x, kContinue.y); });
    next.io.When([&] { return !next.InMenu() && next.HumanWaits(); },
                 [&next, then = std::move(then)] { then(Kept::Of(*next.game)); });
  }
};

TEST_F(KeptGameTest, AGameAgainstTheComputerGoesOnAfterARestart) {
  Start();
  ChooseGameAgainstComputer(/*human_black=*/false, /*level=*/2);
  AutoPlay(3);
  // Then a hint and an undo, and the window is closed.
  ClickWhen([&] { return human_moves_played() == 3 && HumanWaits(); }, kHint);
  ClickWhen([&] { return game->flow.HintCount == 1 && HumanWaits(); }, kUndo);
  io.CloseWhen([&] { return game->flow.UndoCount == 1 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kWindowClosed);
  const Kept before = Kept::Of(*game);
  const int entries_before = static_cast<int>(std::count_if(
      before.record.begin() + 1, before.record.end(), [](float e) { return e != 0; }));
  ASSERT_EQ(entries_before, 5) << "the undo took the human's third move and the reply back";
  ASSERT_TRUE(fs::exists(KeptFile()));

  // After the restart: the same game, then one more move each, then 終了.
  auto next = Restart();
  Game& g = *next->game;
  Kept after;
  std::string level_row, balloon_row;
  WhenContinued(*next, [&](const Kept& kept) {
    after = kept;
    level_row = next->io.RowText(5);
    balloon_row = next->io.RowText(6);
    const auto square = LegalSquares(g.board.Position, g.board.HumanSide).front();
    next->io.MoveMouse(SquareCentreX(square.first), SquareCentreY(square.second));
    next->io.ClickLeft(SquareCentreX(square.first), SquareCentreY(square.second));
  });
  bool quit = false;
  next->io.When([&] { return g.board.GameRecord[entries_before + 2] != 0 && next->HumanWaits(); },
                [&] {
                  next->io.ClickLeft(kQuit.x, kQuit.y);
                  quit = true;
                });
  next->io.StopWhen([&] { return quit && next->io.HasText("メニューに戻ります"); });
  ASSERT_EQ(next->Run(), Outcome::kStopped);
  EXPECT_EQ(after, before);
  EXPECT_NE(level_row.find("レベル 2"), std::string::npos) << level_row;
  EXPECT_NE(balloon_row.find("続きを打ちましょう"), std::string::npos) << balloon_row;

  // Play went on, and quitting kept the whole game and removed the kept one.
  EXPECT_FALSE(fs::exists(KeptFile()));
  const std::string line = ReadFile(root() / "dat" / "records.txt");
  EXPECT_NE(line.find(" undo=1 hint=1 "), std::string::npos) << line;
  EXPECT_NE(line.find("moves=" + Transcript(g.board.GameRecord) + "\n"), std::string::npos) << line;
  EXPECT_EQ(Transcript(g.board.GameRecord).substr(0, 2 * entries_before),
            Transcript(before.record));
}

TEST_F(KeptGameTest, AGameBetweenTwoPeopleGoesOnWithWhoeverIsToMove) {
  Start();
  ClickOnMenu(kTwoHumans);
  AutoPlay(3);
  io.CloseWhen([&] { return human_moves_played() == 3 && HumanWaits(); });
  ASSERT_EQ(RunLoop(), Outcome::kWindowClosed);
  const Kept before = Kept::Of(*game);
  ASSERT_EQ(before.human_side, kWhite);

  auto next = Restart();
  std::optional<Kept> after;
  std::string turn_row;
  WhenContinued(*next, [&](const Kept& kept) {
    after = kept;
    turn_row = next->io.RowText(20);
  });
  next->io.StopWhen([&] { return after.has_value(); });
  ASSERT_EQ(next->Run(), Outcome::kStopped);
  EXPECT_EQ(after, before);
  EXPECT_NE(turn_row.find("（白）の番"), std::string::npos) << turn_row;
  EXPECT_EQ(next->game->buttonState.GroupActive[kUndoGroup], 0) << "two people get no undo";
}

TEST_F(KeptGameTest, ADamagedFileIsIgnoredAndLeftAsItWas) {
  Start();
  // f5 d6 c3 d3 with black to move, played by the rules on a scratch board.
  KeptGame kept;
  kept.level = 3;
  kept.human_side = kBlack;
  kept.turn = kBlack;
  kept.start = StandardStart();
  kept.moves = "f5d6c3d3";
  {
    platform::HeadlessPlatform scratch_io;
    Game scratch(scratch_io);
    BoardState& b = scratch.board;
    b.Position = kept.start;
    scratch.rules.SetUpWalls();
    scratch.rules.CopyPositionToLayers();
    for (size_t i = 0; i < kept.moves.size(); i += 2) {
      b.Layer = 0;
      b.SideToMove = i % 4 == 0 ? kBlack : kWhite;
      b.SquareX = static_cast<int16_t>(kept.moves[i] - 'a' + 1);
      b.SquareY = static_cast<int16_t>(kept.moves[i + 1] - '0');
      scratch.rules.MakeMove();
    }
    scratch.rules.CopyLayerToPosition();
    kept.position = b.Position;
  }
  const std::string whole = KeptGameText(kept);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = whole;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  std::vector<std::string> damaged = {
      "\x89PNG\r\n\x1a\n garbage",
      replaced("moves=f5d6c3d3", "moves=f5d6c3c3"),  // an illegal move
      replaced("board=-", "board=*"),                // a board the moves do not lead to
      replaced("turn=black", "turn=white"),          // a turn that skips a side with moves
      replaced("level=3", "level=7"),                // no such level
      replaced("kerna-game-in-progress 1", "kerna-game-in-progress 2"),
      whole + "undo=0\n",  // a key twice
  };
  for (size_t cut = 0; cut + 1 < whole.size(); cut += 7) damaged.push_back(whole.substr(0, cut));

  const auto offered = [&](const std::string& text) {
    WriteFile(KeptFile(), text);
    game->keeper.FindKeptGame();
    return game->keptGame.Found.has_value();
  };
  ASSERT_TRUE(offered(whole)) << whole;
  for (const std::string& text : damaged) {
    EXPECT_FALSE(offered(text)) << text;
    EXPECT_EQ(ReadFile(KeptFile()), text);
  }

  // The menu leaves 続きから out, and the game starts as always.
  ClickOnMenu(kPlayComputer);
  bool menu_seen = false;
  io.When([&] { return game->buttonState.GroupActive[kMenuGroup] == 1; },
          [&] { menu_seen = game->buttonState.Button(kMenuGroup, 4).Hidden; });
  io.StopWhen([&] { return game->buttonState.GroupActive[kStartGroup] == 1; });
  ASSERT_EQ(RunLoop(), Outcome::kStopped);
  EXPECT_TRUE(menu_seen);
}

}  // namespace
}  // namespace kerna::test
