// Program start: everything between the window coming up and the first title
// screen, in a fixed order. Each step is one private function so that the
// loaders of the other subsystems take their place in the sequence.
#pragma once

namespace kerna {

class Game;

class ProgramStarter {
 public:
  explicit ProgramStarter(Game& game) : g_(game) {}

  // Runs the start-up steps; the window already exists (the platform made it
  // and watches the mouse buttons). The caller then enters the main loop.
  void ProgramStart();

 private:
  void SeedRandomFromClock();
  void FillWindowBlue();
  void LoadEvaluationTables();
  void LoadOpeningBook();
  void LoadVoiceNames();
  void SetGeometryAndBoardTables();
  void LoadSquareClasses();
  void LoadSettings();
  void PrepareDiscPictures();
  void BuildButtonTable();
  void SetPanelValues();
  void LoadSpeech();
  void FillBoardAreaBlack();
  void LoadStartPosition();

  Game& g_;
};

}  // namespace kerna
