// The settings screen: yes/no buttons for four options and five board colours,
// framed on the current choice at once, and OK, which applies and saves them.
#include "game/game.hpp"
#include "ui/panel_text.hpp"
#include "game/settings_panel.hpp"

namespace kerna {

namespace {}  // namespace

void SettingsPanel::SettingsScreen() {
  ShowScreen();
  g_.buttons.WaitForButton(kOkGroup);
  ClearScreen();
  ApplyChoices();
  SaveSettings();
}

void SettingsPanel::ShowScreen() {
  ButtonState& s = g_.buttonState;
  g_.buttonState.LastClickedGroup = 0;
  for (int g = 0; g <= 6; ++g) s.GroupActive[g] = 0;
  for (int g = kPauseGroup; g <= kOkGroup; ++g) {
    s.GroupActive[g] = 1;
    g_.buttons.DrawButtonGroup(g);
  }
  g_.io.SetTextColour(7, -1);
  PanelText& text = g_.panelText;
  text.PrintAt(kPanelLabelColumn, 5, "着手後の一時停止\r\n"_sjis);
  text.PrintAt(kPanelLabelColumn, 9, "コンピュータの思考変化\r\n"_sjis);
  text.PrintAt(kPanelLabelColumn, 13, "着手位置の表示\r\n"_sjis);
  text.PrintAt(kPanelLabelColumn, 17, "効果音\r\n"_sjis);
  text.PrintAt(kPanelLabelColumn, 21, "盤の色\r\n"_sjis);
}

void SettingsPanel::ClearScreen() {
  for (int g = 0; g <= kOkGroup; ++g) g_.buttonState.GroupActive[g] = 0;
  g_.io.SetTextColour(0, 7);
  g_.screen.DrawPanelBackground();
  g_.io.SetTextColour(0, -1);
  g_.panelText.BlankPanelColumn();
  g_.io.SetTextColour(0, 7);
}

void SettingsPanel::ApplyChoices() {
  SettingsState& settings = g_.settings;
  const auto& choice = g_.buttonState.GroupChoice;
  // A setting left with no button framed (a value other than 0 or 1 in the
  // file) is stored as 0.
  settings.PauseAfterMove = choice[kPauseGroup] == 1 ? 1 : 0;
  settings.ThinkingVaries = choice[kVariesGroup] == 1 ? 1 : 0;
  settings.ShowMovePosition = choice[kShowMoveGroup] == 1 ? 1 : 0;
  settings.SoundEffects = choice[kSoundGroup] == 1 ? 1 : 0;
  if (choice[kColourGroup] != settings.BoardColour) {
    settings.BoardColour = static_cast<int16_t>(choice[kColourGroup]);
    // Remakes the tiles in the new colour and redraws the board with them. The
    // board picture is not painted at (0, 0): it is an 18-pixel swatch that
    // would cover the frame's top left corner.
    g_.discPictures.ApplyNewBoardColour();
  }
}

}  // namespace kerna
