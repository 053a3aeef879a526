// The keyboard against the mouse: the same scenario played once by clicks and
// once by keys ends with the same board, game record, texts and pixels; and the
// keys do nothing where their button is not offered.
#include <algorithm>

#include "game/input_session.hpp"

namespace kerna::test {
namespace {

void ExpectSameSnapshot(const Snapshot& mouse, const Snapshot& keys) {
  EXPECT_EQ(mouse.position, keys.position);
  EXPECT_EQ(mouse.record, keys.record);
  ASSERT_EQ(mouse.rows.size(), keys.rows.size());
  for (size_t row = 0; row < mouse.rows.size(); ++row) {
    EXPECT_EQ(mouse.rows[row], keys.rows[row]) << "row " << row;
  }
  size_t differing = 0;
  int left = platform::kSurfaceWidth, top = platform::kSurfaceHeight, right = -1, bottom = -1;
  for (size_t i = 0; i < mouse.pixels.size(); ++i) {
    if (mouse.pixels[i] == keys.pixels[i]) continue;
    ++differing;
    const int x = static_cast<int>(i) % platform::kSurfaceWidth;
    const int y = static_cast<int>(i) / platform::kSurfaceWidth;
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  EXPECT_EQ(differing, 0u) << "pixels differ within (" << left << ", " << top << ") - (" << right
                           << ", " << bottom << ")";
  EXPECT_EQ(mouse.undo_count, keys.undo_count);
  EXPECT_EQ(mouse.hint_count, keys.hint_count);
  EXPECT_EQ(mouse.level, keys.level);
  EXPECT_EQ(mouse.human_side, keys.human_side);
}

// Two people play a whole game (each the first legal square), quit the result
// screen and come back to the menu. The snapshot is taken when the result
// screen asks for the click back to the menu.
Snapshot TwoPersonGame(Hand hand) {
  InputSession s(hand == Hand::kMouse ? "mouse" : "keys", hand);
  s.Start();
  s.PressWhen([&] { return s.InMenu(); }, kTwoHumans, DigitKey(2));
  s.AutoPlay(99);
  bool quit_pressed = false;
  s.io.When([&] { return s.Idle() && s.io.RowText(20).find(" 黒 ") != std::string::npos; },
            [&] {
              quit_pressed = true;
              s.Press(kQuit, Key::kEscape);
            });
  Snapshot at_result;
  bool back = false;
  s.io.When(s.TextOnRow(21, "メニューに戻ります"), [&] {
    at_result = s.Take();
    s.Acknowledge();
    back = true;
  });
  s.io.StopWhen([&] { return back && s.InMenu(); });
  EXPECT_EQ(s.Run(), Outcome::kStopped);
  EXPECT_TRUE(quit_pressed);
  EXPECT_GT(s.moves_played(), 25);
  return at_result;
}

TEST(Keyboard, AWholeTwoPersonGameByKeysEqualsTheSameGameByClicks) {
  const Snapshot mouse = TwoPersonGame(Hand::kMouse);
  const Snapshot keys = TwoPersonGame(Hand::kKeyboard);
  ExpectSameSnapshot(mouse, keys);
  EXPECT_EQ(CountDiscs(keys.position, kBlack) + CountDiscs(keys.position, kWhite) > 4, true);
}

// Against the computer at level 1: a hint at the human's second move (the
// hinted square is then played), an undo at the fourth, a few more moves, and
// quit. The snapshot is taken at the quit's question.
Snapshot GameWithHintUndoAndQuit(Hand hand) {
  InputSession s(hand == Hand::kMouse ? "mouse" : "keys", hand);
  s.Start();
  s.ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/1);
  bool hinted = false, undone = false;
  s.AutoPlay(6, [&](int move) {
    if (move == 2 && !hinted) {
      hinted = true;
      s.Press(kHint, Key::kH);
      // Once the hinted square is shown, it is played.
      s.io.When([&] { return s.HumanWaits() && s.io.RowText(21).find("(X=") != std::string::npos; },
                [&] {
                  s.PlayBoxedSquare();
                  s.CountMove();
                });
      return true;
    }
    if (move == 2) return true;  // the hint is still being given
    if (move == 4 && !undone) {
      undone = true;
      s.Press(kUndo, Key::kU);
      return true;
    }
    return false;
  });
  s.PressWhen([&] { return s.moves_played() == 6 && s.HumanWaits(); }, kQuit, Key::kEscape);
  Snapshot at_quit;
  bool back = false;
  s.io.When(s.TextOnRow(21, "メニューに戻ります"), [&] {
    at_quit = s.Take();
    s.Acknowledge();
    back = true;
  });
  s.io.StopWhen([&] { return back && s.InMenu(); });
  EXPECT_EQ(s.Run(), Outcome::kStopped);
  EXPECT_EQ(s.game->flow.HintCount, 1);
  EXPECT_EQ(s.game->flow.UndoCount, 1);
  return at_quit;
}

TEST(Keyboard, HintUndoAndQuitByKeysEqualTheirButtons) {
  const Snapshot mouse = GameWithHintUndoAndQuit(Hand::kMouse);
  const Snapshot keys = GameWithHintUndoAndQuit(Hand::kKeyboard);
  ExpectSameSnapshot(mouse, keys);
  EXPECT_EQ(keys.level, 1);
  EXPECT_EQ(keys.hint_count, 1);
}

// With the pause after a move: the take-back (right click, or U) and the go-on
// (left click, or Enter).
Snapshot PauseTakeBackAndGoOn(Hand hand) {
  InputSession s(hand == Hand::kMouse ? "mouse" : "keys", hand);
  s.Start(/*pause_after_move=*/1);
  s.ChooseGameAgainstComputer(/*human_black=*/true, /*level=*/0);
  s.AutoPlay(3);
  int pauses = 0;
  std::function<void()> arm = [&] {
    s.io.When(
        [&] {
          return s.Idle() && s.io.RowText(20).find("左クリックで相手の番") != std::string::npos;
        },
        [&] {
          ++pauses;
          if (pauses == 1) {
            if (hand == Hand::kMouse) {
              s.io.ClickRight(InputSession::kOffBoard, InputSession::kOffBoard);
            } else {
              s.io.PressKey(Key::kU);
            }
          } else {
            s.Acknowledge();
          }
          arm();
        });
  };
  arm();
  s.io.StopWhen([&] { return s.moves_played() == 3 && s.HumanWaits(); });
  EXPECT_EQ(s.Run(), Outcome::kStopped);
  EXPECT_EQ(pauses, 3);  // the first move was taken back and played again
  return s.Take();
}

TEST(Keyboard, ThePauseAfterAMoveTakesBackByUAndGoesOnByEnter) {
  const Snapshot mouse = PauseTakeBackAndGoOn(Hand::kMouse);
  const Snapshot keys = PauseTakeBackAndGoOn(Hand::kKeyboard);
  ExpectSameSnapshot(mouse, keys);
}

TEST(Keyboard, MenuDigitsChooseTheVisibleButtonsAndArrowsStepTheLevel) {
  InputSession s("keys", Hand::kKeyboard);
  s.Start();
  s.io.When([&] { return s.InMenu(); }, [&] { s.io.PressKey(DigitKey(1)); });
  s.io.When([&] { return s.Idle() && s.ChoosingSideAndLevel(); },
            [&] {
              s.io.PressKey(DigitKey(2));   // white
              s.io.PressKey(DigitKey(9));   // level 6
              s.io.PressKey(Key::kUp);      // level 5
              s.io.PressKey(Key::kUp);      // level 4
              s.io.PressKey(Key::kDigit7);  // 3 + 4: level 4 again
              s.io.PressKey(Key::kH);       // nothing here
              s.io.PressKey(Key::kEnter);   // start
            });
  s.io.StopWhen([&] { return s.game->buttonState.GroupActive[5] == 1 || s.HumanWaits(); });
  ASSERT_EQ(s.Run(), Outcome::kStopped);
  EXPECT_EQ(s.game->ai.Level, 4);
  EXPECT_EQ(s.game->board.HumanSide, kWhite);
  EXPECT_EQ(s.game->flow.VersusComputer, 1);
}

TEST(Keyboard, SettingsByKeysWriteTheSameFileAsByClicks) {
  std::string written[2];
  for (const Hand hand : {Hand::kMouse, Hand::kKeyboard}) {
    InputSession s(hand == Hand::kMouse ? "mouse" : "keys", hand);
    s.Start();
    const auto on_settings = [&] { return s.game->buttonState.GroupActive[12] == 1; };
    s.PressWhen([&] { return s.InMenu(); }, kSettings, DigitKey(3));
    s.PressWhen(on_settings, YesButton(100), DigitKey(1));  // pause: yes
    s.PressWhen(on_settings, {545, 238}, DigitKey(6));      // show the move: no
    if (hand == Hand::kMouse) {
      s.PressWhen(on_settings, ColourButton(2), Key::kEnter);
    } else {
      s.PressWhen(on_settings, {}, Key::kRight);  // colour 0 -> 1 -> 2
      s.PressWhen(on_settings, {}, Key::kRight);
    }
    s.PressWhen(on_settings, kOk, Key::kEnter);
    bool was_in_settings = false;
    s.io.When(on_settings, [&] { was_in_settings = true; });
    s.io.StopWhen([&] { return was_in_settings && s.InMenu(); });
    ASSERT_EQ(s.Run(), Outcome::kStopped);
    written[hand == Hand::kKeyboard] = ReadFile(s.root() / "dat" / "set.ini");
    EXPECT_EQ(s.game->settings.BoardColour, 2);
  }
  // No set.ini to start from: the search parameter reads as 0 and stays.
  EXPECT_EQ(written[0], "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n");
  EXPECT_EQ(written[0], written[1]);
}

TEST(Keyboard, KeysWithoutTheirButtonDoNothing) {
  InputSession s("keys", Hand::kKeyboard);
  s.Start();
  s.PressWhen([&] { return s.InMenu(); }, kTwoHumans, DigitKey(2));
  Grid before{};
  bool tried = false;
  s.io.When([&] { return s.HumanWaits(); },
            [&] {
              before = s.game->board.Position;
              // No undo between two people; Enter plays nothing on an illegal
              // square (a1).
              for (int i = 0; i < 7; ++i) s.io.PressKey(Key::kLeft), s.io.PressKey(Key::kUp);
              s.io.PressKey(Key::kU);
              s.io.PressKey(Key::kEnter);
              s.io.PressKey(Key::kBackspace);
              s.io.PressKey(DigitKey(1));
              tried = true;
            });
  s.io.StopWhen([&] { return tried && s.Idle(); });
  ASSERT_EQ(s.Run(), Outcome::kStopped);
  EXPECT_EQ(s.game->board.Position, before);
  EXPECT_EQ(s.game->flow.UndoCount, 0);
  EXPECT_EQ(s.game->board.GameRecord[1], 0);
  EXPECT_EQ(s.game->board.CursorX, 1);
  EXPECT_EQ(s.game->board.CursorY, 1);
}

TEST(Keyboard, KeysTypedWhileTheComputerThinksAreNotAMove) {
  InputSession s("keys", Hand::kKeyboard);
  s.Start();
  s.ChooseGameAgainstComputer(/*human_black=*/false, /*level=*/2);
  // Enter and arrows land while the computer plays its first move.
  s.io.When(
      [&] { return s.game->buttonState.GroupActive[2] == 0 && s.game->flow.VersusComputer == 1; },
      [&] {
        s.io.PressKey(Key::kLeft, s.io.Clock() + 1);
        s.io.PressKey(Key::kEnter, s.io.Clock() + 2);
      });
  s.io.StopWhen([&] { return s.HumanWaits(); });
  ASSERT_EQ(s.Run(), Outcome::kStopped);
  int discs = 0;
  for (int side : {kBlack, kWhite}) discs += CountDiscs(s.game->board.Position, side);
  EXPECT_EQ(discs, 5);  // only the computer's move
  EXPECT_EQ(s.game->board.CursorX, s.game->board.LastMoveX);
}

}  // namespace
}  // namespace kerna::test
