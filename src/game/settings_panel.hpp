// The seven settings: read from dat\set.ini at start-up, changed on the
// settings screen (four yes/no options and the board colour) and written back
// when the screen closes. The two settings without a button (self-play and the
// search parameter) are written back as they were read, so values put into the
// file by hand survive.
#pragma once

#include <string>

namespace kerna {

class Game;

// The text of the settings file for the current settings: seven numbers in
// the game's number format, each followed by CR LF.
std::string SettingsFileText(const Game& game);

class SettingsPanel {
 public:
  explicit SettingsPanel(Game& game) : g_(game) {}

  // Start-up: SearchParameter = 43, then the seven fields of the file (a
  // missing file or field reads as 0), copied into the choices of groups 7..11.
  void LoadSettings();
  // Shows the settings screen, waits for OK, applies the choices and writes
  // the file.
  void SettingsScreen();
  // Writes the file atomically; false when it could be written nowhere (the
  // old file is then untouched, the player is told, and the game goes on).
  bool SaveSettings();

 private:
  void ShowScreen();
  void ClearScreen();
  void ApplyChoices();
  bool WriteSettingsFile();
  // The user's copy of set.ini when the data folder cannot be written (made
  // from dat\set.ini the first time); "" when dat\set.ini itself is the file.
  std::string UserSettingsCopy();

  Game& g_;
};

}  // namespace kerna
