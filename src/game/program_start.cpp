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

// Every picture button of every screen.
constexpr ButtonPlace kButtonPlaces[] = {
#define KERNA_BUTTON(group, item, name, x, y) {group, item, name, x, y},
#include "game/button_table.inc"
#undef KERNA_BUTTON
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
void ProgramStarter::LoadOpeningBook() {
  g_.bookLoader.LoadOpeningBook();
}

// The file names of the hostess's voices (hostess commentary).
void ProgramStarter::LoadVoiceNames() {
  g_.hostess.BuildVoiceNames();
}

void ProgramStarter::SetGeometryAndBoardTables() {
  g_.layout.BoardLeft = g_.layout.BoardTop = 22;
  g_.layout.SquareWidth = g_.layout.SquareHeight = 48;
  BoardState& b = g_.board;
  b.OpponentTable = {0, kBlack, kWhite};
  b.DirectionX = {-1, 0, 1, -1, 1, -1, 0, 1};
  b.DirectionY = {-1, -1, -1, 0, 0, 1, 1, 1};
  g_.rules.SetUpWalls();
}

// dat\abc-table.dat and dat\ban.dat: the square-class table (start-up tables).
void ProgramStarter::LoadSquareClasses() {
  g_.placementTableLoader.LoadSquareClasses();
}

// dat\set.ini: the seven settings, the five on-screen ones copied into the
// choices of groups 7..11 (settings file).
void ProgramStarter::LoadSettings() {
  g_.settingsPanel.LoadSettings();
}

void ProgramStarter::PrepareDiscPictures() {
  // The tiles are composed at the inner corner of square (5, 4): (215, 167).
  g_.tiles.PicturePositionX = g_.layout.BoardLeft + 4 * g_.layout.SquareWidth + 1;
  g_.tiles.PicturePositionY = g_.layout.BoardTop + 3 * g_.layout.SquareHeight + 1;
  g_.discPictures.PrepareDiscPictures();
}

void ProgramStarter::BuildButtonTable() {
  ButtonState& s = g_.buttonState;
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
  g_.layout.SelectedFrameColour = 7;
  g_.layout.PanelColumn = 55;
  g_.layout.ProgressRow = 5;
  g_.layout.ProgressLength = 22;
}

// dat\speech.csv: the hostess's lines, with each level's title (speech event 53)
// padded with blanks through byte 10 (hostess commentary).
void ProgramStarter::LoadSpeech() {
  g_.hostess.LoadSpeech();
  g_.hostess.PadTitles();
}

void ProgramStarter::FillBoardAreaBlack() {
  // 429 = PanelColumn * 8 - 11, the panel's left edge.
  g_.io.Line(0, 0, g_.layout.PanelColumn * 8 - 11, 439, 0, platform::LineKind::kFilledBox);
}

// dat\start.dat: the position every game starts from (start-up tables).
void ProgramStarter::LoadStartPosition() {
  g_.placementTableLoader.LoadStartPosition();
}

}  // namespace kerna
