// The main loop's stages up to the first move: the title screen with the start
// position, the menu, and the start of a game against the computer or between
// two people.
#include "game/main_loop.hpp"

#include "game/game.hpp"
#include "ui/panel_text.hpp"

namespace kerna {

namespace {

// Button groups of the menu screens.

constexpr int kMenuVersusComputer = 0;
constexpr int kMenuTwoHumans = 1;
constexpr int kMenuSettings = 2;
constexpr int kMenuSavedGames = 3;
constexpr int kMenuContinue = 4;  // shown only while a kept game can be continued

}  // namespace

void GameLoop::MainLoop() {
  Stage stage = Stage::kTitle;
  for (;;) {
    switch (stage) {
      case Stage::kTitle:
        stage = Title();
        break;
      case Stage::kMenu:
        stage = Menu();
        break;
      case Stage::kHumanTurn:
        stage = HumanTurnStage();
        break;
      case Stage::kComputerTurn:
        stage = ComputerTurnStage();
        break;
      case Stage::kGameOver:
        stage = GameOver();
        break;
    }
  }
}

GameLoop::Stage GameLoop::Title() {
  g_.io.Clear();
  g_.screen.DrawTitleScreen();
  SetUpStartPosition();
  if (g_.settings.SelfPlayMode == 1) FillRandomStart();
  g_.boardDrawing.DrawWholeBoard();
  BoardState& b = g_.board;
  FlowState& f = g_.flow;
  b.HumanSide = kBlack;
  b.ComputerSide = kWhite;
  g_.ai.GameStage = 0;
  b.MovesPlayed = 1;
  f.PassCount = 0;
  g_.ai.Level = 1;
  f.VersusComputer = 0;
  return Stage::kMenu;
}

void GameLoop::PrintLevelLine() {
  PanelText& text = g_.panelText;
  g_.io.SetTextColour(7, -1);
  text.PrintAt(kPanelLabelColumn, 5, "レベル "_sjis);
  text.PrintNumber(g_.ai.Level);
  text.Print("  ");
  g_.hostess.PrintLevelTitle();
  g_.io.SetTextColour(0, 7);
}

void GameLoop::SetUpStartPosition() {
  BoardState& b = g_.board;
  for (auto& column : b.Position) column.fill(kEmpty);
  b.Position[4][4] = b.Position[5][5] = kWhite;
  b.Position[4][5] = b.Position[5][4] = kBlack;
  g_.rules.SetUpWalls();
  // A start position without a single disc means there was none to read: the
  // game keeps the four centre discs rather than start on an empty board.
  bool any_disc = false;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) any_disc = any_disc || b.StartPosition[x][y] != kEmpty;
  }
  // The record is replayed from StartPosition, so it becomes those four discs too.
  if (!any_disc) {
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) b.StartPosition[x][y] = b.Position[x][y];
    }
  }
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.Position[x][y] = b.StartPosition[x][y];
  }
  // A new game has no moves yet: the last game's record must not outlive it
  // (undo and the book read it).
  b.GameRecord.fill(0);
  b.MoveNumber = 0;
}

void GameLoop::FillRandomStart() {
  Grid& position = g_.board.Position;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) position[x][y] = kEmpty;
  }
  for (int x = 3; x <= 6; ++x) {
    for (int y = 3; y <= 6; ++y) {
      position[x][y] = static_cast<int16_t>(1 + static_cast<int>(g_.random.Next() * 2));
    }
  }
}

GameLoop::Stage GameLoop::Menu() {
  ButtonState& s = g_.buttonState;
  for (;;) {
    g_.io.SetTextColour(7, -1);
    for (int g = 0; g <= 10; ++g) s.GroupActive[g] = 0;
    g_.keeper.FindKeptGame();
    s.Button(kMenuGroup, kMenuContinue).Hidden = !g_.keptGame.Found;
    s.GroupActive[kMenuGroup] = 1;
    g_.buttons.DrawButtonGroup(kMenuGroup);
    g_.buttons.WaitForButton(kMenuGroup);
    for (int g = 0; g <= 10; ++g) s.GroupActive[g] = 0;
    g_.io.SetTextColour(0, 7);
    g_.screen.DrawPanelBackground();
    const int choice = static_cast<int>(s.GroupChoice[kMenuGroup]);
    if (choice == kMenuSettings) {
      g_.settingsPanel.SettingsScreen();
      continue;
    }
    if (choice == kMenuSavedGames) {
      // The saved games show their own boards: the title screen is drawn anew.
      if (g_.savedGames.Show()) return Stage::kTitle;
      continue;
    }
    if (choice == kMenuContinue) return ContinueKeptGame();
    if (choice == kMenuTwoHumans) return StartTwoHumans();
    if (choice == kMenuVersusComputer) return StartVersusComputer();
  }
}

GameLoop::Stage GameLoop::StartTwoHumans() {
  FlowState& f = g_.flow;
  f.VersusComputer = 0;
  g_.screen.DrawPanelBackground();
  g_.screen.DrawMessageFrame();
  // A new game counts its own undos and hints, like a game against the
  // computer, and has no latest move yet.
  f.UndoCount = f.HintCount = 0;
  f.ThinkStart = g_.io.Clock();
  g_.board.LastMoveX = g_.board.LastMoveY = 0;
  g_.keeper.Forget();  // a new game instead of the kept one
  g_.recorder.BeginGame();
  g_.board.HumanSide = kBlack;  // black moves first
  g_.board.ComputerSide = kWhite;
  return Stage::kHumanTurn;
}

GameLoop::Stage GameLoop::StartVersusComputer() {
  ButtonState& s = g_.buttonState;
  FlowState& f = g_.flow;
  BoardState& b = g_.board;
  PanelText& text = g_.panelText;
  f.VersusComputer = 1;
  g_.io.SetTextColour(7, -1);
  text.PrintAt(kPanelLabelColumn, 5, "色の選択"_sjis);
  text.PrintAt(kPanelLabelColumn, 10, "コンピュータの強さ選択"_sjis);
  for (int g = 0; g <= 10; ++g) s.GroupActive[g] = 0;
  for (int g : {kSideGroup, kLevelGroup, kStartGroup}) {
    s.GroupActive[g] = 1;
    g_.buttons.DrawButtonGroup(g);
  }
  g_.buttons.WaitForButton(kStartGroup);
  for (int g : {kSideGroup, kLevelGroup, kStartGroup}) s.GroupActive[g] = 0;
  text.BlankPanelColumn();
  g_.io.SetTextColour(0, 1);
  g_.screen.DrawPanelBackground();
  g_.screen.DrawMessageFrame();

  g_.ai.Level = static_cast<int16_t>(s.GroupChoice[kLevelGroup]);
  PrintLevelLine();
  g_.io.SetLeftButtonDown(0);
  s.GroupChoice[kUndoGroup] = -1;  // nothing to take back yet
  g_.hostess.ResetSpeech();
  f.UndoCount = f.HintCount = 0;
  g_.hostessState.FaceNumber = 2;
  g_.screen.DrawFace();

  if (g_.settings.SelfPlayMode == 1) OpenSelfPlayLog();
  g_.keeper.Forget();  // a new game instead of the kept one
  g_.recorder.BeginGame();
  f.ThinkStart = g_.io.Clock();
  b.LastMoveX = b.LastMoveY = 0;

  if (s.GroupChoice[kSideGroup] == 1) {  // the human plays second
    b.ComputerSide = kBlack;
    b.HumanSide = kWhite;
    return Stage::kComputerTurn;
  }
  b.ComputerSide = kWhite;
  b.HumanSide = kBlack;
  g_.hostess.GreetHuman();
  return Stage::kHumanTurn;
}

GameLoop::Stage GameLoop::ContinueKeptGame() {
  g_.keeper.RestoreKeptGame();
  UpdateGameStage();
  g_.boardDrawing.DrawWholeBoard();
  if (g_.flow.VersusComputer == 1) {
    // As a new game against the computer shows it, with her welcome back.
    g_.io.SetTextColour(0, 1);
    g_.screen.DrawPanelBackground();
    g_.screen.DrawMessageFrame();
    PrintLevelLine();
    g_.hostess.ResetSpeech();
    g_.hostess.WelcomeBack();
  } else {
    g_.screen.DrawPanelBackground();
    g_.screen.DrawMessageFrame();
  }
  g_.io.SetLeftButtonDown(0);
  const BoardState& b = g_.board;
  const bool computer_moves = g_.flow.VersusComputer == 1 && b.SideToMove == b.ComputerSide;
  return computer_moves ? Stage::kComputerTurn : Stage::kHumanTurn;
}

}  // namespace kerna
