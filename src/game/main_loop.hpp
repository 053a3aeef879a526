// The main loop: the title screen, the menu, the choice of side and level, the
// turns of a game against the computer or between two people, and the result
// screen, then the title again. It also runs the self-play mode and its log.
#pragma once

#include <string>

namespace kerna {

class Game;

class GameLoop {
 public:
  explicit GameLoop(Game& game) : g_(game) {}

  // Never returns; it ends only by platform::WindowClosed thrown out of a wait.
  [[noreturn]] void MainLoop();

  // Where the loop goes next.
  enum class Stage { kTitle, kMenu, kHumanTurn, kComputerTurn, kGameOver };

  // One line of the self-play log for the computer move just played (without
  // writing it): numbers each followed by a blank before their comma.
  std::string SelfPlayLogLine() const;

  // "レベル 3  <her title>" on row 5 of the panel, as a game against the
  // computer shows it.
  void PrintLevelLine();

 private:
  Stage Title();
  Stage Menu();
  Stage StartTwoHumans();
  Stage StartVersusComputer();
  // The game the menu's 続きから continues, on screen as it was left.
  Stage ContinueKeptGame();
  Stage HumanTurnStage();
  Stage AfterHumanMove();
  Stage ComputerTurnStage();
  Stage GameOver();
  Stage ShowLastMoveAndEnd();
  bool MovePlayedOnLayerZero() const;

  // Position from the start position (the four centre discs when there is none)
  // with the wall rim in Position and in every Board layer.
  void SetUpStartPosition();
  // Self-play: the 16 squares with X and Y in 3..6 hold random discs, all
  // others are empty.
  void FillRandomStart();
  // MovesPlayed from the discs on the board, and GameStage from it.
  void UpdateGameStage();
  void PrintThinkTime();
  void PrintOpenness(int row);
  // The value line after a computer move: book line or evaluation.
  void PrintMoveValue();
  void OpenSelfPlayLog();
  void WriteSelfPlayLogLine();

  Game& g_;
};

}  // namespace kerna
