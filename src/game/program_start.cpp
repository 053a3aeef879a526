// The start-up sequence. The order matters: the settings must be read before
// the disc pictures are prepared in the chosen board colour, and the screen is
// painted blue first and the board area black last, before the title is drawn.
#include "game/program_start.hpp"

#include <cstdint>
#include <string>

#include "game/game.hpp"

namespace kerna {

namespace {

struct ButtonPlace {
  int group, item;
  const char* name;
  float x, y;
};

// Every picture button of every screen. In the yes/no groups 7..10 item 1 is
// "yes" and item 0 is "no", so a group's choice is the setting's value itself.
constexpr ButtonPlace kButtonPlaces[] = {
    {0, 0, "sente.bmp", 485, 105},    {0, 1, "gote.bmp", 485, 133},
    {1, 0, "lv0.bmp", 485, 184},      {1, 1, "lv1.bmp", 485, 212},
    {1, 2, "lv2.bmp", 485, 240},      {1, 3, "lv3.bmp", 485, 268},
    {1, 4, "lv4.bmp", 485, 296},      {1, 5, "lv5.bmp", 485, 324},
    {1, 6, "lv6.bmp", 485, 352},      {2, 0, "start.bmp", 458, 385},
    {3, 0, "matta.bmp", 438, 280},    {4, 0, "hinto.bmp", 534, 280},
    {5, 0, "quit.bmp", 548, 384},     {6, 0, "c-taisen.bmp", 450, 120},
    {6, 1, "h-taisen.bmp", 450, 160}, {6, 2, "setup.bmp", 450, 200},
    {7, 1, "yes.bmp", 455, 100},      {7, 0, "no.bmp", 530, 100},
    {8, 1, "yes.bmp", 455, 164},      {8, 0, "no.bmp", 530, 164},
    {9, 1, "yes.bmp", 455, 228},      {9, 0, "no.bmp", 530, 228},
    {10, 1, "yes.bmp", 455, 292},     {10, 0, "no.bmp", 530, 292},
    {11, 0, "01-zero.bmp", 500, 338}, {11, 1, "02-zero.bmp", 520, 338},
    {11, 2, "03-zero.bmp", 540, 338}, {11, 3, "04-zero.bmp", 560, 338},
    {11, 4, "05-zero.bmp", 580, 338}, {12, 0, "setok.bmp", 450, 375},
};

}  // namespace

void ProgramStarter::ProgramStart() {
  // The window was created by the platform before the game thread started, and
  // the platform watches the mouse buttons from then on (LeftButtonDown etc.).
  SeedRandomFromClock();
  FillWindowBlue();
  LoadEvaluationTables();
  LoadOpeningBook();
  LoadVoiceNames();
  SetGeometryAndBoardTables();
  LoadSquareClasses();
  LoadSettings();
  PrepareDiscPictures();
  BuildButtonTable();
  SetPanelValues();
  LoadSpeech();
  FillBoardAreaBlack();
  LoadStartPosition();
  // RunGame enters the main loop next.
}

void ProgramStarter::SeedRandomFromClock() {
  g_.random.Seed(static_cast<uint32_t>(g_.io.Clock()));
}

void ProgramStarter::FillWindowBlue() {
  g_.io.Line(0, 0, 640, 460, 1, platform::LineKind::kFilledBox);
}

// dat\table.dat: the edge and pattern tables of the evaluation (loaded tables).
void ProgramStarter::LoadEvaluationTables() {
  g_.tableLoader.LoadEvalTables();
}

// dat\zyouseki.txt: the opening book (loaded tables).
void ProgramStarter::LoadOpeningBook() { g_.bookLoader.LoadOpeningBook(); }

// The file names of the hostess's voices (hostess commentary).
void ProgramStarter::LoadVoiceNames() {
  g_.hostess.BuildVoiceNames();
}

void ProgramStarter::SetGeometryAndBoardTables() {
  StartState& s = g_.start;
  s.BoardLeft = s.BoardTop = 22;
  s.SquareWidth = s.SquareHeight = 48;
  BoardState& b = g_.board;
  b.OpponentTable = {0, kBlack, kWhite};
  b.DirectionX = {-1, 0, 1, -1, 1, -1, 0, 1};
  b.DirectionY = {-1, -1, -1, 0, 0, 1, 1, 1};
  g_.rules.SetUpWalls();
}

// dat\abc-table.dat and dat\ban.dat: the square-class table (start-up tables).
void ProgramStarter::LoadSquareClasses() {
  g_.startTableLoader.LoadSquareClasses();
}

// dat\set.ini: the seven settings, the five on-screen ones copied into the
// choices of groups 7..11 (settings file).
void ProgramStarter::LoadSettings() {
  g_.settingsScreen.LoadSettings();
}

void ProgramStarter::PrepareDiscPictures() {
  // The tiles are composed at the inner corner of square (5, 4): (215, 167).
  const StartState& s = g_.start;
  g_.tiles.PicturePositionX = s.BoardLeft + 4 * s.SquareWidth + 1;
  g_.tiles.PicturePositionY = s.BoardTop + 3 * s.SquareHeight + 1;
  g_.discPictures.PrepareDiscPictures();
}

void ProgramStarter::BuildButtonTable() {
  StartState& s = g_.start;
  for (const ButtonPlace& place : kButtonPlaces) {
    ButtonEntry& entry = s.Button(place.group, place.item);
    entry.Name = place.name;
    entry.X = place.x;
    entry.Y = place.y;
  }
  for (int g = 0; g < kButtonGroups; ++g) {
    for (int i = 0; i < kButtonItems; ++i) {
      ButtonEntry& entry = s.Button(g, i);
      entry.Width = entry.Height = 0;
      if (entry.Name.empty()) continue;  // no button: never drawn, never hit
      platform::Picture picture = g_.io.LoadPicture("bmp\\" + entry.Name);
      if (picture.empty()) continue;
      entry.Width = static_cast<float>(picture.width);
      entry.Height = static_cast<float>(picture.height);
      // This is the button's chosen look; keep it for drawing.
      g_.buttonState.ChosenLook[g * kButtonItems + i] = std::move(picture);
    }
  }
}

void ProgramStarter::SetPanelValues() {
  StartState& s = g_.start;
  s.SelectedFrameColour = 7;
  s.PanelColumn = 55;
  s.ProgressRow = 5;
  s.ProgressLength = 22;
}

// dat\speech.csv: the hostess's lines, with each level's title (speech event 53)
// padded with blanks through byte 10 (hostess commentary).
void ProgramStarter::LoadSpeech() {
  g_.hostess.LoadSpeech();
  g_.hostess.PadTitles();
}

void ProgramStarter::FillBoardAreaBlack() {
  // 429 = PanelColumn * 8 - 11, the panel's left edge.
  g_.io.Line(0, 0, g_.start.PanelColumn * 8 - 11, 439, 0, platform::LineKind::kFilledBox);
}

// dat\start.dat: the position every game starts from (start-up tables).
void ProgramStarter::LoadStartPosition() {
  g_.startTableLoader.LoadStartPosition();
}

}  // namespace kerna
