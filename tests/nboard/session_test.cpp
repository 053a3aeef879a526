// The protocol session: what each command does to the game and what it answers,
// first with a stand-in player, then a whole game of the real computer player
// against itself through "set game", "move" and "go".
#include "nboard/nboard_session.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "nboard_test_support.hpp"

namespace kerna::nboard {
namespace {

using test::FirstLegalPlayer;

constexpr const char* kStartBoard =
    "BO[8 ---------------------------O*------*O--------------------------- *]";

// Black a1, White b1 and nothing else: White cannot move, Black can (c1).
const std::string kWhiteMustPass = "*O" + std::string(62, '-') + " O";

struct SessionRig {
  explicit SessionRig(MovePlayer& player, SessionOptions options = {})
      : session(
            player, options, [this](const std::string& l) { replies.push_back(l); },
            [this](const std::string& l) { notes.push_back(l); }) {}

  std::vector<std::string> Send(const std::string& line) {
    replies.clear();
    handled = session.Handle(line);
    return replies;
  }

  std::vector<std::string> replies, notes;
  bool handled = true;
  Session session;
};

TEST(NboardSession, AnnouncesItsNameAndFollowsTheDepthTable) {
  FirstLegalPlayer player;
  SessionRig rig(player);
  rig.session.Start();
  EXPECT_EQ(rig.replies, (std::vector<std::string>{"set myname Kerna6"}));

  EXPECT_TRUE(rig.Send("nboard 2").empty());
  EXPECT_EQ(rig.Send("set depth 2"), (std::vector<std::string>{"set myname Kerna2"}));
  const int expected[] = {1, 2, 3, 4, 4, 5, 6, 6, 6, 6};  // depths 1..10
  for (int depth = 1; depth <= 10; ++depth) {
    rig.Send("set depth " + std::to_string(depth));
    EXPECT_EQ(rig.session.level(), expected[depth - 1]) << depth;
  }
  EXPECT_TRUE(rig.Send("set depth 10").empty());  // no change, no new name
  rig.Send("set depth twelve");
  EXPECT_EQ(rig.session.level(), 6);
  EXPECT_EQ(rig.notes.size(), 1u);
}

TEST(NboardSession, FixedLevelIgnoresTheDepthButAcceptsIt) {
  FirstLegalPlayer player;
  SessionRig rig(player, SessionOptions{2, true, "Kerna"});
  EXPECT_TRUE(rig.Send("set depth 20").empty());
  EXPECT_EQ(rig.session.level(), 2);
  rig.Send("go");
  EXPECT_EQ(player.last_level, 2);
}

TEST(NboardSession, PingGoAndTheReplyFormat) {
  FirstLegalPlayer player;
  SessionRig rig(player);
  EXPECT_EQ(rig.Send("ping 17"), (std::vector<std::string>{"pong 17"}));
  const auto replies = rig.Send("go");
  ASSERT_FALSE(replies.empty());
  // d3 is the first legal square in row order; the move is not played.
  EXPECT_EQ(replies[0].substr(0, 14), "=== D3/-1.50/0");
  EXPECT_TRUE(rig.session.game().moves.empty());
  EXPECT_EQ(rig.Send("learn"), (std::vector<std::string>{"learned"}));
}

TEST(NboardSession, SetGameReplaysPassesAndRefusesBrokenRecordsKeepingTheOldGame) {
  FirstLegalPlayer player;
  SessionRig rig(player);
  // A set-up board where White, to move, must pass; Black's c1 then flips b1.
  rig.Send("set game (;GM[Othello]BO[8 " + kWhiteMustPass + "]W[PA//1.5]B[c1/2.00/3];)");
  ASSERT_TRUE(rig.notes.empty()) << rig.notes[0];
  EXPECT_EQ(rig.session.game().moves.size(), 2u);
  EXPECT_EQ(rig.session.game().current.squares[1], kGgfBlack);
  EXPECT_EQ(rig.session.game().current.squares[2], kGgfBlack);
  EXPECT_TRUE(GameOver(rig.session.game().current));

  const SessionGame before = rig.session.game();
  for (const std::string& broken :
       {"set game (;GM[Othello]" + std::string(kStartBoard) + "B[a1];)",  // illegal move
        "set game (;GM[Othello]" + std::string(kStartBoard) + "W[PA];)",  // pass with moves
        std::string("set game (;GM[Othello]BO[8 ---];)"), std::string("set game garbage")}) {
    rig.notes.clear();
    rig.Send(broken);
    EXPECT_EQ(rig.notes.size(), 1u) << broken;
    EXPECT_EQ(rig.session.game().moves.size(), before.moves.size()) << broken;
    EXPECT_EQ(rig.session.game().current.squares, before.current.squares) << broken;
  }
  for (const std::string& note : rig.notes) EXPECT_EQ(note.rfind("kerna-engine:", 0), 0u);
}

TEST(NboardSession, MovesWithEvalAndTimeAndBareMovesArePlayedIllegalOnesNot) {
  FirstLegalPlayer player;
  SessionRig rig(player);
  rig.Send("move F5//4.2");
  rig.Send("d6/-1.00/0.5");  // not a bare move of the first protocol version: ignored
  EXPECT_EQ(rig.session.game().moves.size(), 1u);
  rig.Send("D6");  // a bare move, as the first protocol version sent them
  rig.Send("move c3/0.50/1");
  ASSERT_EQ(rig.session.game().moves.size(), 3u);
  EXPECT_DOUBLE_EQ(*rig.session.game().moves[0].seconds, 4.2);
  EXPECT_DOUBLE_EQ(*rig.session.game().moves[2].eval, 0.5);
  EXPECT_TRUE(rig.notes.empty());
  rig.Send("move a1");
  rig.Send("move PA");
  rig.Send("move");
  EXPECT_EQ(rig.session.game().moves.size(), 3u);
  EXPECT_EQ(rig.notes.size(), 3u);
}

TEST(NboardSession, ForcedPassAndFinishedGameAnswerPass) {
  FirstLegalPlayer player;
  SessionRig rig(player);
  rig.Send("set game (;GM[Othello]BO[8 " + kWhiteMustPass + "];)");
  EXPECT_EQ(rig.Send("go"), (std::vector<std::string>{"=== PA"}));
  EXPECT_TRUE(rig.Send("hint 3").empty());
  rig.Send("set game (;GM[Othello]BO[8 " + std::string(64, '*') + " O];)");
  EXPECT_EQ(rig.Send("go"), (std::vector<std::string>{"=== PA"}));
  EXPECT_EQ(player.moves_asked, 0);
}

TEST(NboardSession, HintReportsTheRankedMovesBetweenStatusLines) {
  FirstLegalPlayer player;
  SessionRig rig(player);
  const auto replies = rig.Send("hint 2");
  ASSERT_EQ(replies.size(), 4u);
  EXPECT_EQ(replies[0], "status Kerna is thinking");
  EXPECT_EQ(replies[1], "search D3 2.00 0 100%");
  EXPECT_EQ(replies[2], "search C4 2.00 0 100%");
  EXPECT_EQ(replies[3], "status");
}

TEST(NboardSession, UnknownLinesAreIgnoredAndQuitEnds) {
  FirstLegalPlayer player;
  SessionRig rig(player);
  for (const char* line : {"", "   ", "analyze", "clear", "set name x", "set contempt 100",
                           "frobnicate 1 2 3", "ping", "\r", "set", "hint x"}) {
    rig.Send(line);
    EXPECT_TRUE(rig.handled) << line;
  }
  EXPECT_DOUBLE_EQ(rig.session.contempt(), 100.0);
  rig.Send("quit");
  EXPECT_FALSE(rig.handled);
}

TEST(NboardSessionEval, TwoDecimalsWithoutExponentOrNegativeZero) {
  EXPECT_EQ(FormatEval(1.5), "1.50");
  EXPECT_EQ(FormatEval(-0.001), "0.00");
  EXPECT_EQ(FormatEval(-64), "-64.00");
  EXPECT_EQ(FormatEval(1e300), "1000000.00");
}

// The real player against itself at level 4 (book, search, both solvers), through the
// commands a GUI sends; every proposed move checked with the game's rules.
TEST(NboardSessionGame, WholeGameAgainstItselfWithLegalMovesOnly) {
  EnginePlayer player(test::ShippedData(), [] { return false; });
  ASSERT_TRUE(player.TablesLoaded());
  SessionRig rig(player);
  test::GameRulesReferee referee;
  rig.Send("nboard 2");
  rig.Send("set game (;GM[Othello]PC[test]PB[a]PW[b]RE[?]TI[5:00]TY[8]" + std::string(kStartBoard) +
           ";)");
  rig.Send("set depth 4");  // level 4: the book, the search and both solvers
  int ping = 0, placed = 0, passes = 0;
  while (!GameOver(rig.session.game().current)) {
    ASSERT_LT(ping, 200);
    const std::string number = std::to_string(++ping);
    EXPECT_EQ(rig.Send("ping " + number), (std::vector<std::string>{"pong " + number}));
    const auto replies = rig.Send("go");
    ASSERT_FALSE(replies.empty());
    const std::string& answer = replies[0];
    ASSERT_EQ(answer.substr(0, 4), "=== ");
    const std::string item = answer.substr(4);
    const auto move = ParseGgfMoveItem(item);
    ASSERT_TRUE(move) << answer;
    if (move->square == kGgfPass) {
      EXPECT_TRUE(MustPass(rig.session.game().current));
      ++passes;
    } else {
      ASSERT_TRUE(referee.IsLegal(rig.session.game().current, move->square)) << answer;
      // Every move comes with its value, a forced one too.
      EXPECT_TRUE(move->eval.has_value()) << answer;
      ++placed;
    }
    // Every other move comes back as the engine sent it, the rest as a GUI
    // sends a whole new game.
    if (ping % 2 == 0) {
      rig.Send("move " + item);
    } else {
      GgfGame record = StandardGgfGame();
      record.moves = rig.session.game().moves;
      record.moves.push_back(*move);
      rig.Send("set game " + WriteGgf(record));
    }
    ASSERT_TRUE(rig.notes.empty()) << rig.notes[0];
  }
  EXPECT_EQ(placed, DiscCount(rig.session.game().current) - 4);
  EXPECT_EQ(rig.session.game().moves.size(), static_cast<size_t>(placed + passes));
  rig.Send("quit");
  EXPECT_FALSE(rig.handled);
}

}  // namespace
}  // namespace kerna::nboard
