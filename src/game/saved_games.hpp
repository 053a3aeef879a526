// The saved games: every kept game's GGF file in the records folder, newest
// first, shown one at a time on the panel (date, level, colours, result) with
// buttons to the newer and the older one; the one shown opens in the review.
// Also how a kept record names its players, which the review reads too.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/ggf.hpp"
#include "platform/keys.hpp"

namespace kerna {

class Game;

// Who played a game, as the records this game writes name the players
// ("human", "computer level N"); a record from elsewhere is kOther.
struct GamePlayers {
  enum class Kind { kVersusComputer, kTwoHumans, kOther };
  Kind kind = Kind::kOther;
  int level = -1;                // versus the computer: its level
  char humanColour = kGgfBlack;  // versus the computer: the human's colour
};
GamePlayers PlayersOfRecord(const GgfGame& record);

// One file of the records folder.
struct SavedGame {
  std::string path;
  std::optional<GgfGame> record;  // nothing when it could not be read as GGF
};

// The paths of the GGF files of `folder`, newest first: the names are the date
// and time of the game, with "-2", "-3", ... for later games of the same
// second. Only the names are looked at: with thousands of games kept, the
// screen reads just the one it shows.
std::vector<std::string> ListSavedGames(const std::string& folder);
SavedGame ReadSavedGame(const std::string& path);

// The panel's lines about one saved game (UTF-8): date, players, colours, result.
std::vector<std::string> DescribeSavedGame(const SavedGame& game);

class SavedGamesScreen {
 public:
  explicit SavedGamesScreen(Game& game) : g_(game) {}

  // Runs the screen until the player goes back to the menu. False when it
  // drew nothing but a message on the menu (no review in this build).
  bool Show();

 private:
  void DrawEntry(const std::vector<std::string>& games, size_t shown);
  void PrintRow(int row, const std::string& utf8);
  // The item of the screen's buttons a key stands for, or -1.
  static int ItemForKey(platform::Key key);

  Game& g_;
};

}  // namespace kerna
