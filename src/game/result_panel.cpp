// The result screen (see result_screen.hpp). Against the computer the counts are
// ComputerCount and HumanCount; between two people the same two variables hold
// the white and the black count.
#include "game/result_panel.hpp"

#include "game/game.hpp"
#include "platform/number_format.hpp"
#include "ui/panel_text.hpp"

namespace kerna {

namespace {}  // namespace

std::string UsageLine(std::string_view label_cp932, int count) {
  const std::string number = platform::FormatNumber(count);
  std::string line(label_cp932);
  if (number.size() < 4) line.append(4 - number.size(), ' ');
  return line + number + std::string("回\r\n"_sjis);
}

void ResultPanel::ResultScreen() {
  FlowState& f = g_.flow;
  CountDiscs();
  const int row = g_.panelText.MessageRow();
  g_.panelText.BlankRows(row, row + 3);
  g_.screen.RedrawPanelRows();
  PrintScoreLines();
  if (f.VersusComputer == 1) ReactToResult();
  PrintUsageCounts();
  g_.io.SetTextColour(0, 7);
  g_.recorder.RecordFinishedGame();
  if (g_.settings.SelfPlayMode == 1) {
    f.QuitRequested = kNextSelfPlayGame;
    return;
  }

  for (int g = 0; g <= 10; ++g) g_.buttonState.GroupActive[g] = 0;
  ShowButtons();
  for (;;) {
    const int chosen = WaitForChoice();
    if (chosen != kResultReviewGroup) {
      g_.buttonState.GroupActive[kResultReviewGroup] = 0;
      if (chosen == kUndoGroup) {
        PlayOnAfterUndo();
      } else {
        ReturnToMenuOnClick();
      }
      return;
    }
    g_.buttons.WaitForButtonsUp();
    g_.review.Open(g_.records.LastGgfText);
    RedrawAfterReview();
  }
}

void ResultPanel::ShowButtons() {
  ButtonState& s = g_.buttonState;
  if (g_.flow.VersusComputer == 1) {
    s.GroupActive[kUndoGroup] = 1;
    g_.buttons.DrawButtonGroup(kUndoGroup);
  }
  s.GroupActive[kQuitGroup] = 1;
  g_.buttons.DrawButtonGroup(kQuitGroup);
  // Where there is no review (a Game without the hook), there is no button for it.
  if (g_.review.Available()) {
    s.GroupActive[kResultReviewGroup] = 1;
    s.GroupChoice[kResultReviewGroup] = -1;
    g_.buttons.DrawButtonGroup(kResultReviewGroup);
  }
}

void ResultPanel::RedrawAfterReview() {
  // The review drew its own board and panel over the whole window: the
  // result screen is drawn again as it stood, her comment in the balloon but
  // not said a second time.
  g_.screen.DrawTitleScreen();
  g_.boardDrawing.DrawWholeBoard();
  g_.screen.DrawMessageFrame();
  g_.io.SetTextColour(0, 7);
  PrintScoreLines();
  if (g_.flow.VersusComputer == 1) {
    g_.loop.PrintLevelLine();
    const auto sound = g_.settings.SoundEffects;
    g_.settings.SoundEffects = 0;
    ReactToResult();
    g_.settings.SoundEffects = sound;
  }
  PrintUsageCounts();
  g_.io.SetTextColour(0, 7);
  ShowButtons();
}

void ResultPanel::CountDiscs() {
  const BoardState& b = g_.board;
  FlowState& f = g_.flow;
  // Between two people the colours are counted: white into ComputerCount,
  // black into HumanCount.
  const int first = f.VersusComputer == 1 ? b.ComputerSide : kWhite;
  const int second = f.VersusComputer == 1 ? b.HumanSide : kBlack;
  f.ComputerCount = f.HumanCount = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      f.ComputerCount += b.Position[x][y] == first;
      f.HumanCount += b.Position[x][y] == second;
    }
  }
}

void ResultPanel::PrintScoreLines() {
  const BoardState& b = g_.board;
  const FlowState& f = g_.flow;
  PanelText& text = g_.panelText;
  const int row = text.MessageRow();
  if (f.VersusComputer == 1) {
    g_.io.MoveCursor(kPanelMessageColumn, row);
    g_.hostess.PrintResultTitle();
    text.Print(b.ComputerSide == kWhite ? "（白）"_sjis : "（黒）"_sjis);
    text.Print(" ");
    text.PrintNumber(f.ComputerCount);
    text.PrintAt(kPanelMessageColumn, row + 1,
                 b.HumanSide == kWhite ? "あなた     （白）"_sjis : "あなた     （黒）"_sjis);
    text.Print(" ");
    text.PrintNumber(f.HumanCount);
    return;
  }
  text.PrintAt(kPanelMessageColumn, row, " 黒 "_sjis);
  text.Print(" ");
  text.PrintNumber(f.HumanCount);
  text.PrintAt(kPanelMessageColumn, row + 1, " 白 "_sjis);
  text.Print(" ");
  text.PrintNumber(f.ComputerCount);
}

void ResultPanel::ReactToResult() {
  const FlowState& f = g_.flow;
  if (f.HumanCount < f.ComputerCount) {
    g_.hostess.CommentOnWin();
  } else if (f.ComputerCount < f.HumanCount) {
    g_.hostess.CommentOnLoss();
  } else {
    g_.hostess.CommentOnDraw();  // "引き分けです" on row 6, no speech event
  }
}

void ResultPanel::PrintUsageCounts() {
  const FlowState& f = g_.flow;
  const int row = g_.panelText.MessageRow();
  if (f.UndoCount >= 1) {
    g_.panelText.PrintAt(kPanelMessageColumn, row + 2,
                         UsageLine("｢待った｣ の使用"_sjis, f.UndoCount));
  }
  if (f.HintCount >= 1) {
    g_.panelText.PrintAt(kPanelMessageColumn, row + 3,
                         UsageLine("｢ヒント｣ の使用"_sjis, f.HintCount));
  }
}

int ResultPanel::WaitForChoice() {
  g_.io.DropKeys();  // keys typed before the result was shown are no answer
  for (;;) {
    g_.buttons.ReadMousePosition();
    int group = 0;
    if (g_.io.LeftButtonDown() == 1) {
      g_.buttons.PointedGroupTest();
      group = g_.buttonState.PointedGroup;
    } else if (const auto key = g_.io.ReadKey()) {
      group = GroupForKey(*key);
    }
    // A disabled undo button (nothing left to take back) ignores the click.
    if (group == kUndoGroup && g_.buttonState.GroupChoice[kUndoGroup] != -1) return group;
    if (group == kQuitGroup || group == kResultReviewGroup) return group;
  }
}

int ResultPanel::GroupForKey(platform::Key key) const {
  using platform::Key;
  const auto& active = g_.buttonState.GroupActive;
  if (key == Key::kU) return active[kUndoGroup] == 1 ? kUndoGroup : 0;
  if (key == Key::kEscape) return active[kQuitGroup] == 1 ? kQuitGroup : 0;
  int group = 0, item = 0;
  const int digit = platform::KeyDigit(key);
  return digit != 0 && g_.buttons.VisibleButton(digit, &group, &item) ? group : 0;
}

void ResultPanel::PlayOnAfterUndo() {
  BoardState& b = g_.board;
  b.SideToMove = b.HumanSide;
  g_.human.UndoMove();
  const int row = g_.panelText.MessageRow();
  g_.panelText.BlankRows(row, row + 3);
  g_.hostessState.FaceNumber = 3;
  g_.screen.DrawFace();
  g_.panelText.BlankRows(6, 7);
  g_.panelText.PrintAt(kPanelMessageColumn, 6, "まだ続けるのですね\r\n"_sjis);
  g_.flow.QuitRequested = kPlayOnAfterUndo;
}

void ResultPanel::EraseBoxAtCursor() {
  const BoardState& b = g_.board;
  g_.boardDrawing.DrawSquareBox(static_cast<int>(b.CursorX), static_cast<int>(b.CursorY), 0);
}

void ResultPanel::ReturnToMenuOnClick() {
  EraseBoxAtCursor();
  PanelText& text = g_.panelText;
  const int row = text.MessageRow();
  text.BlankRows(row, row + 3);
  text.PrintAt(kPanelMessageColumn, row, "クリックで\r\n"_sjis);
  text.PrintAt(kPanelMessageColumn, row + 1, "メニューに戻ります\r\n"_sjis);
  text.BlankThinkTimeRow();
  g_.flow.QuitRequested = kBackToMenu;
  g_.buttons.WaitForLeftOrRightClick(/*escape_answers=*/true);
  g_.buttons.WaitForButtonsUp();
}

}  // namespace kerna
