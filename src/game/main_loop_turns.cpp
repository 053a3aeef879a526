// The main loop's turns: the human's move with the pause and take-back, the
// computer's move with its think time, openness and value lines, and the end
// of the game with the result screen's answer.
#include <cmath>
#include <utility>

#include "game/game.hpp"
#include "game/main_loop.hpp"
#include "ui/panel_text.hpp"

namespace kerna {

namespace {

// The levels that search deeply are slow enough for the turn change to be seen;
// the quicker ones wait this long after the human's move.
constexpr int kQuickLevelPauseMs = 200;

}  // namespace

void GameLoop::UpdateGameStage() {
  BoardState& b = g_.board;
  int discs = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) discs += b.Position[x][y] != kEmpty;
  }
  b.MovesPlayed = static_cast<int16_t>(discs - 4);
  g_.ai.GameStage = b.MovesPlayed > 44 ? 3 : b.MovesPlayed > 35 ? 2 : b.MovesPlayed > 25 ? 1 : 0;
}

bool GameLoop::MovePlayedOnLayerZero() const {
  const BoardState& b = g_.board;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (b.cell[x][y][0] != b.Position[x][y]) return true;
    }
  }
  return false;
}

GameLoop::Stage GameLoop::ShowLastMoveAndEnd() {
  // The move that filled the board is drawn before the result screen, so the
  // board on screen agrees with the counts beside it.
  g_.boardDrawing.AnimateChanges();
  return Stage::kGameOver;
}

GameLoop::Stage GameLoop::HumanTurnStage() {
  ButtonState& s = g_.buttonState;
  BoardState& b = g_.board;
  FlowState& f = g_.flow;
  for (int g = 0; g <= 10; ++g) s.GroupActive[g] = 0;
  // Two people sharing the mouse get no undo: it would take back the other's move.
  for (int g : {kUndoGroup, kHintGroup, kQuitGroup}) {
    if (g == kUndoGroup && f.VersusComputer != 1) continue;
    s.GroupActive[g] = 1;
    g_.buttons.DrawButtonGroup(g);
  }

  b.SideToMove = kBlack;
  g_.rules.CopyPositionToLayers();
  g_.rules.SavePreviousPosition();
  b.SideToMove = b.HumanSide;
  f.QuitRequested = kNoQuit;
  g_.keptGame.TurnSide = b.HumanSide;
  g_.keeper.Keep();
  g_.human.HumanTurn();

  b.LastMoveX = b.SquareX;
  b.LastMoveY = b.SquareY;
  g_.panelText.BlankRows(6, 7);
  g_.screen.RedrawPanelRows();
  if (f.QuitRequested == kBackToMenu) {
    g_.panelText.BlankRows(21, 24);
    return Stage::kTitle;
  }

  // A played move is on layer 0 and not yet in Position. (LegalMoveCount is
  // not asked: a hint's search in between may have counted other positions.)
  if (!MovePlayedOnLayerZero()) {  // the human passed, or the board is full
    ++f.PassCount;
    return f.PassCount >= 2 ? Stage::kGameOver : Stage::kComputerTurn;
  }
  f.PassCount = 0;
  b.Layer = 0;
  g_.rules.CopyLayerToPosition();
  UpdateGameStage();
  if (b.MovesPlayed == 60) return ShowLastMoveAndEnd();
  // Kept before the pause: closing the window there loses no move.
  g_.keptGame.TurnSide = b.ComputerSide;
  g_.keeper.Keep();
  return AfterHumanMove();
}

GameLoop::Stage GameLoop::AfterHumanMove() {
  ButtonState& s = g_.buttonState;
  BoardState& b = g_.board;
  FlowState& f = g_.flow;
  PanelText& text = g_.panelText;
  const int row = text.MessageRow();
  g_.boardDrawing.AnimateChanges();

  int click = 0;
  if (g_.settings.PauseAfterMove == 1) {
    text.PrintAt(kPanelMessageColumn, row, "左クリックで相手の番"_sjis);
    text.PrintAt(kPanelMessageColumn, row + 1, "右クリックで取消し"_sjis);
    PrintOpenness(row + 2);
    click = g_.buttons.WaitForLeftOrRightClick();
  } else if (f.VersusComputer == 1 && g_.ai.Level < 5) {
    g_.io.Sleep(kQuickLevelPauseMs);
  }
  text.BlankRows(row, row + 2);

  // Only the pause's own wait can take a move back: a right click at any other
  // time means nothing.
  if (click == ButtonPanel::kRightClick) {
    b.Position = b.PreviousPosition;
    g_.boardDrawing.DrawWholeBoard();
    const int n = static_cast<int>(b.MoveNumber);
    if (n >= 1 && n <= kRecordSize) b.GameRecord[n] = 0;
    return Stage::kHumanTurn;
  }
  text.BlankRow(row + 1);
  for (int g : {kUndoGroup, kHintGroup}) {
    s.GroupActive[g] = 0;
    s.GroupChoice[g] = 0;  // undo is available from now on
  }
  return Stage::kComputerTurn;
}

void GameLoop::PrintOpenness(int row) {
  g_.panelText.PrintAt(kPanelMessageColumn, row, "開放度 "_sjis);
  g_.panelText.PrintNumber(g_.board.OpennessSum);
  g_.panelText.Print("     ");
}

GameLoop::Stage GameLoop::ComputerTurnStage() {
  BoardState& b = g_.board;
  FlowState& f = g_.flow;
  if (f.VersusComputer == 0) {
    // Two people: the "computer" turn only hands the mouse to the other one.
    b.HumanSide = b.OpponentTable[b.HumanSide];
    b.ComputerSide = b.OpponentTable[b.ComputerSide];
    return Stage::kHumanTurn;
  }

  g_.keptGame.TurnSide = b.ComputerSide;
  g_.keeper.Keep();
  g_.ai.SecondBestFlag = 0;
  g_.rules.CopyPositionToLayers();
  b.SideToMove = b.ComputerSide;
  g_.rules.SavePreviousPosition();
  f.ThinkStart = g_.io.Clock();
  g_.computer.ComputerTurn();

  // A move changes the position; a pass (or a full board) leaves it.
  const bool moved = b.Position != b.PreviousPosition;
  f.PassCount = moved ? 0 : f.PassCount + 1;
  if (f.PassCount >= 2) return Stage::kGameOver;
  UpdateGameStage();
  if (b.MovesPlayed == 60) return ShowLastMoveAndEnd();

  const int row = g_.panelText.MessageRow();
  g_.panelText.BlankRows(row, row + 3);
  g_.panelText.BlankThinkTimeRow();
  g_.boardDrawing.AnimateChanges();
  PrintThinkTime();
  PrintOpenness(row + 2);

  const bool self_play = g_.settings.SelfPlayMode == 1;
  if (!self_play && !moved) return Stage::kHumanTurn;
  if (!self_play) g_.hostess.DrawBalloon();
  PrintMoveValue();
  if (g_.ai.BookHit >= 1) {
    g_.ai.ShownValue = 0;
    g_.hostess.CommentOnMove();  // the book move's line and face
    // In self-play a book move goes on like any other: nobody is at the mouse
    // to play the other side.
    if (!self_play) return Stage::kHumanTurn;
  }
  if (self_play) {
    WriteSelfPlayLogLine();
  } else {
    g_.hostess.CommentOnMove();
    return Stage::kHumanTurn;
  }
  std::swap(b.HumanSide, b.ComputerSide);
  return Stage::kComputerTurn;
}

void GameLoop::PrintThinkTime() {
  FlowState& f = g_.flow;
  f.ThinkTenths = std::llround(static_cast<double>(g_.io.Clock() - f.ThinkStart) / 100);
  g_.panelText.PrintAt(kPanelMessageColumn, g_.panelText.MessageRow() + 4, "");
  g_.panelText.PrintNumber(static_cast<double>(f.ThinkTenths) / 10);
  g_.panelText.Print(" 秒"_sjis);
}

void GameLoop::PrintMoveValue() {
  const AiState& ai = g_.ai;
  PanelText& text = g_.panelText;
  const int row = text.MessageRow() + 3;
  if (ai.BookHit >= 1) {
    text.PrintAt(kPanelMessageColumn, row, "定石 "_sjis);
    text.Print(" ");
    text.PrintNumber(ai.BookHit);
    text.Print("      ");
    return;
  }
  text.PrintAt(kPanelMessageColumn, row, "評価値 "_sjis);
  // The value is shown from the human's side; red on white when the computer is ahead.
  if (ai.ShownValue >= 1) g_.io.SetTextColour(2, 7);
  text.PrintNumber(-ai.ShownValue);
  text.Print("     ");
  g_.io.SetTextColour(0, 7);
}

GameLoop::Stage GameLoop::GameOver() {
  FlowState& f = g_.flow;
  g_.resultPanel.ResultScreen();
  switch (f.QuitRequested) {
    case kPlayOnAfterUndo:
      // A move was taken back on the result screen: the game goes on with the
      // human to move, whoever filled the board.
      f.PassCount = 0;
      return Stage::kHumanTurn;
    case kNextSelfPlayGame:
      f.QuitRequested = kNoQuit;
      f.PassCount = 0;
      FillRandomStart();
      g_.recorder.BeginGame();
      g_.boardDrawing.DrawWholeBoard();
      return Stage::kComputerTurn;
    default:
      g_.panelText.BlankRows(21, 24);
      return Stage::kTitle;
  }
}

}  // namespace kerna
