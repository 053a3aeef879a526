// The human turn, its hint and its undo. Every wait polls the mouse once a
// millisecond through the platform; the box is two outlines around a square,
// drawn in BoxColour and erased in FrameColour.
#include "game/human_turn.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "game/game.hpp"
#include "ui/panel_text.hpp"

namespace kerna {

namespace {

constexpr int kBoxLegal = 6;
constexpr int kBoxIllegal = 2;

bool OnBoard(float x, float y) {
  return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

int EntrySide(float entry) {
  return static_cast<int>(std::floor(entry / 100));
}

}  // namespace

void HumanPlayer::HumanTurn() {
  BoardState& b = g_.board;
  const int row = g_.panelText.MessageRow();
  g_.panelText.BlankRow(row + 1);
  b.Layer = 0;
  g_.boardDrawing.CountLegalMovesAndMark();
  if (b.MovesPlayed == 60) return;
  PrintTurnMessage();
  if (b.LegalMoveCount == 0) {
    AcknowledgePass();
    return;
  }
  PrintLegalCount();
  g_.buttons.WaitForButtonsUp();
  g_.io.DropKeys();  // keys typed during the opponent's turn are no answer

  b.CursorX = b.LastLegalX;
  b.CursorY = b.LastLegalY;
  b.SquareX = static_cast<int16_t>(b.CursorX);
  b.SquareY = static_cast<int16_t>(b.CursorY);
  b.Layer = 0;
  g_.rules.TestLegal();
  g_.humanTurnState.BoxColour = b.LegalFlag == 1 ? kBoxLegal : kBoxIllegal;
  DrawBox(static_cast<int>(b.CursorX), static_cast<int>(b.CursorY),
          static_cast<int>(g_.humanTurnState.BoxColour));

  if (!ChooseSquare()) return;  // quit
  PlayChosenSquare();
}

void HumanPlayer::PrintTurnMessage() {
  const int row = g_.panelText.MessageRow();
  g_.panelText.PrintAt(kPanelMessageColumn, row,
                       g_.board.SideToMove == kWhite ? "あなたの（白）の番\r\n"_sjis
                                                     : "あなたの（黒）の番\r\n"_sjis);
}

void HumanPlayer::AcknowledgePass() {
  const int row = g_.panelText.MessageRow();
  g_.panelText.PrintAt(kPanelMessageColumn, row, "あなたはパスです　\r\n"_sjis);
  g_.panelText.PrintAt(kPanelMessageColumn, row + 1, "クリックして下さい\r\n"_sjis);
  g_.panelText.BlankRow(row + 2);
  g_.screen.RedrawPanelRows();
  g_.buttons.WaitForLeftClick();
  g_.io.SetLeftButtonDown(0);
  g_.io.SetRightButtonDown(0);
}

void HumanPlayer::PrintLegalCount() {
  g_.panelText.PrintAt(kPanelMessageColumn, g_.panelText.MessageRow() + 2, "置ける数 "_sjis);
  g_.panelText.PrintNumber(g_.board.LegalMoveCount);
  g_.panelText.Print("  ");
}

bool HumanPlayer::ChooseSquare() {
  BoardState& b = g_.board;
  // Clicks from here rightwards belong to the panel and never play a move.
  const float panel_left = 2 * g_.layout.BoardLeft + 8 * g_.layout.SquareWidth + 1;  // 429
  for (;;) {
    g_.buttons.ReadMousePosition();
    g_.flow.TurnSeconds = (g_.io.Clock() - g_.flow.ThinkStart) / 1000;
    bool left = g_.io.LeftButtonDown() == 1;
    if (left) {
      g_.buttons.PointedGroupTest();
      switch (g_.buttonState.PointedGroup) {
        case kUndoGroup:
          UndoMove();
          left = false;
          break;
        case kHintGroup:
          Hint();
          left = false;
          break;
        case kQuitGroup:
          Quit();
          return false;
        default:
          break;
      }
    } else if (const auto key = g_.io.ReadKey()) {
      const KeyAnswer answer = AnswerKey(*key);
      if (answer == KeyAnswer::kQuit) return false;
      if (answer == KeyAnswer::kPlay) return true;
    }
    // The boxed square is played, even with the mouse off the board, as long as
    // the click lies left of the panel.
    if (left && b.LegalFlag == 1 && g_.buttonState.MouseX < panel_left && CursorSquareLegal()) {
      return true;
    }
    FollowMouse();
    MoveBoxToCursor();
  }
}

HumanPlayer::KeyAnswer HumanPlayer::AnswerKey(platform::Key key) {
  using platform::Key;
  const auto& active = g_.buttonState.GroupActive;
  switch (key) {
    case Key::kU:
      if (active[kUndoGroup] == 1) UndoMove();
      return KeyAnswer::kGoOn;
    case Key::kH:
      if (active[kHintGroup] == 1) Hint();
      return KeyAnswer::kGoOn;
    case Key::kEscape:
      if (active[kQuitGroup] != 1) return KeyAnswer::kGoOn;
      Quit();
      return KeyAnswer::kQuit;
    case Key::kUp:
      StepCursor(0, -1);
      return KeyAnswer::kGoOn;
    case Key::kDown:
      StepCursor(0, 1);
      return KeyAnswer::kGoOn;
    case Key::kLeft:
      StepCursor(-1, 0);
      return KeyAnswer::kGoOn;
    case Key::kRight:
      StepCursor(1, 0);
      return KeyAnswer::kGoOn;
    case Key::kEnter:
    case Key::kSpace:
      // As a click left of the panel: the boxed square, when it is legal.
      return g_.board.LegalFlag == 1 && CursorSquareLegal() ? KeyAnswer::kPlay : KeyAnswer::kGoOn;
    default:
      return KeyAnswer::kGoOn;
  }
}

void HumanPlayer::StepCursor(int dx, int dy) {
  BoardState& b = g_.board;
  b.CursorX = std::clamp(b.CursorX + static_cast<float>(dx), 1.0F, 8.0F);
  b.CursorY = std::clamp(b.CursorY + static_cast<float>(dy), 1.0F, 8.0F);
}

bool HumanPlayer::CursorSquareLegal() {
  BoardState& b = g_.board;
  if (!OnBoard(b.CursorX, b.CursorY)) return false;
  b.SquareX = static_cast<int16_t>(b.CursorX);
  b.SquareY = static_cast<int16_t>(b.CursorY);
  b.Layer = 0;
  g_.rules.TestLegal();
  return b.LegalFlag == 1;
}

void HumanPlayer::FollowMouse() {
  BoardState& b = g_.board;
  HumanTurnState& h = g_.humanTurnState;
  const auto pointed_x = static_cast<int16_t>(
      std::floor((g_.buttonState.MouseX - g_.layout.BoardLeft) / g_.layout.SquareWidth) + 1);
  const auto pointed_y = static_cast<int16_t>(
      std::floor((g_.buttonState.MouseY - g_.layout.BoardTop) / g_.layout.SquareHeight) + 1);
  if ((pointed_x != h.PointedX || pointed_y != h.PointedY) && OnBoard(pointed_x, pointed_y)) {
    b.CursorX = pointed_x;
    b.CursorY = pointed_y;
  }
  h.PointedX = pointed_x;
  h.PointedY = pointed_y;
}

void HumanPlayer::MoveBoxToCursor() {
  BoardState& b = g_.board;
  HumanTurnState& h = g_.humanTurnState;
  if (b.CursorX == b.LastLegalX && b.CursorY == b.LastLegalY) return;
  b.SquareX = static_cast<int16_t>(b.CursorX);
  b.SquareY = static_cast<int16_t>(b.CursorY);
  b.Layer = 0;
  g_.rules.TestLegal();
  h.BoxColour = b.LegalFlag == 1 ? kBoxLegal : kBoxIllegal;
  DrawBox(static_cast<int>(b.LastLegalX), static_cast<int>(b.LastLegalY),
          static_cast<int>(h.FrameColour));
  DrawBox(static_cast<int>(b.CursorX), static_cast<int>(b.CursorY), static_cast<int>(h.BoxColour));
  b.LastLegalX = b.CursorX;
  b.LastLegalY = b.CursorY;
}

void HumanPlayer::DrawBox(int x, int y, int colour) {
  if (!OnBoard(static_cast<float>(x), static_cast<float>(y))) return;  // no box anywhere
  g_.boardDrawing.DrawSquareBox(x, y, colour);
}

void HumanPlayer::EraseBoxAtCursor() {
  DrawBox(static_cast<int>(g_.board.CursorX), static_cast<int>(g_.board.CursorY),
          static_cast<int>(g_.humanTurnState.FrameColour));
}

void HumanPlayer::PlayChosenSquare() {
  BoardState& b = g_.board;
  EraseBoxAtCursor();
  b.SquareX = static_cast<int16_t>(b.CursorX);
  b.SquareY = static_cast<int16_t>(b.CursorY);
  b.Layer = 0;
  g_.rules.TestLegal();
  g_.rules.MakeMove();
  b.PlyMoveX[0] = b.SquareX;
  b.PlyMoveY[0] = b.SquareY;
  g_.rules.RecordMove();
  const int row = g_.panelText.MessageRow();
  g_.panelText.BlankRows(row, row + 3);
}

void HumanPlayer::Hint() {
  BoardState& b = g_.board;
  FlowState& f = g_.flow;
  ++f.HintCount;
  g_.keeper.Keep();
  EraseBoxAtCursor();

  g_.ai.HintMode = 1;
  std::swap(b.ComputerSide, b.HumanSide);
  b.SideToMove = b.ComputerSide;  // the human's side, searched at the top level
  const int16_t kept_level = g_.ai.Level;
  g_.ai.Level = 6;
  g_.io.SetTextColour(7, -1);
  g_.panelText.BlankRows(6, 7);
  g_.io.SetTextColour(0, 7);
  g_.screen.RedrawPanelRows();
  g_.computer.ComputerTurn();
  g_.ai.HintMode = 0;
  std::swap(b.ComputerSide, b.HumanSide);
  b.SideToMove = b.HumanSide;

  PrintHintSquare();
  PrintHintValue();

  // The hinted square becomes the cursor and is filled green; the box is
  // drawn around it again at the next poll.
  b.CursorX = b.SquareX;
  b.CursorY = b.SquareY;
  b.LastLegalX = b.LastLegalY = 0;
  g_.boardDrawing.DrawHintSquare(b.SquareX, b.SquareY);
  g_.screen.RedrawPanelRows();
  for (int group : {kUndoGroup, kHintGroup, kQuitGroup}) g_.buttons.DrawButtonGroup(group);

  g_.rules.CopyPositionToLayers();  // the search used every layer
  g_.ai.Level = kept_level;
  g_.buttonState.PointedGroup = 0;
  g_.io.SetLeftButtonDown(0);
  b.LegalFlag = 0;
}

void HumanPlayer::PrintHintSquare() {
  const BoardState& b = g_.board;
  const int row = g_.panelText.MessageRow();
  PanelText& text = g_.panelText;
  text.BlankRow(row);
  // "d 3 (X= 4  Y= 3 )": letter, row, then both coordinates.
  text.PrintAt(kPanelMessageColumn, row + 1, std::string(1, "abcdefgh"[(b.SquareX - 1) & 7]));
  text.Print(" ");
  text.PrintNumber(b.SquareY);
  text.Print(" (X= ");
  text.PrintNumber(b.SquareX);
  text.Print("  Y= ");
  text.PrintNumber(b.SquareY);
  text.Print(" )");
}

void HumanPlayer::PrintHintValue() {
  const int row = g_.panelText.MessageRow();
  PanelText& text = g_.panelText;
  const AiState& ai = g_.ai;
  if (ai.BookHit >= 1) {
    text.PrintAt(kPanelMessageColumn, row + 3, "定石 "_sjis);
    text.Print(" ");
    text.PrintNumber(ai.BookHit);
    text.Print("      ");
    return;
  }
  text.PrintAt(kPanelMessageColumn, row + 3, "評価値 "_sjis);
  // A value against the human is shown in red.
  if (ai.ShownValue < 0) g_.io.SetTextColour(2, 7);
  text.PrintNumber(ai.ShownValue);
  text.Print("     ");
  g_.io.SetTextColour(0, 7);
}

void HumanPlayer::Quit() {
  const int row = g_.panelText.MessageRow();
  EraseBoxAtCursor();
  g_.panelText.BlankRows(row, row + 3);
  g_.panelText.PrintAt(kPanelMessageColumn, row, "クリックで\r\n"_sjis);
  g_.panelText.PrintAt(kPanelMessageColumn, row + 1, "メニューに戻ります\r\n"_sjis);
  g_.panelText.BlankThinkTimeRow();
  g_.flow.QuitRequested = kBackToMenu;
  g_.recorder.RecordQuitGame();  // kept before the click, so closing now loses nothing
  g_.buttons.WaitForLeftOrRightClick(/*escape_answers=*/true);
  g_.buttons.WaitForButtonsUp();
}

void HumanPlayer::DisableUndo() {
  g_.buttonState.GroupChoice[kUndoGroup] = -1;
  g_.buttons.DrawButtonGroup(kUndoGroup);
}

void HumanPlayer::UndoMove() {
  BoardState& b = g_.board;
  if (g_.buttonState.GroupChoice[kUndoGroup] == -1) {
    b.LegalFlag = 0;
    g_.io.SetLeftButtonDown(0);
    return;
  }
  ++g_.flow.UndoCount;
  EraseBoxAtCursor();

  g_.rules.ReplayRecord();
  g_.boardDrawing.DrawWholeBoard();
  g_.buttonState.PointedGroup = 0;
  g_.io.SetLeftButtonDown(0);
  b.LegalFlag = 0;

  // Trim the record to exactly what the replay rebuilt: every entry from the
  // human's latest one on goes, and nothing before it. (Trimming by the move
  // number alone kept the human's first move in the record when it was taken
  // back, so the record named a disc that was no longer on the board.) When
  // the computer opened, its first move is before every human entry and stays.
  int latest_human = 0;
  for (int n = kRecordSize; n >= 1 && latest_human == 0; --n) {
    if (EntrySide(b.GameRecord[n]) == b.HumanSide) latest_human = n;
  }
  if (latest_human == 0) {
    DisableUndo();  // nothing of the human's was taken back: the record stays
  } else {
    if (latest_human <= 2) DisableUndo();
    b.MoveNumber = static_cast<float>(latest_human);
    for (int i = latest_human; i <= kRecordSize; ++i) b.GameRecord[i] = 0;
  }
  int entries = 0;
  for (int i = 1; i <= kRecordSize; ++i) entries += b.GameRecord[i] != 0;
  if (entries < 2) DisableUndo();

  g_.hostess.ResetSpeech();            // no comment refers to moves taken back
  g_.keptGame.TurnSide = b.HumanSide;  // whoever filled the board, the human plays on
  g_.keeper.Keep();

  b.Layer = 0;
  g_.boardDrawing.CountLegalMovesAndMark();
  PrintLegalCount();
  // The box was erased: the next poll tests the cursor square and draws it
  // there again, so no click plays a square that was not tested.
  b.LastLegalX = b.LastLegalY = 0;
  b.LegalFlag = 0;
}

}  // namespace kerna
