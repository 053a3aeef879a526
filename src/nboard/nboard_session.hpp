// One NBoard-protocol conversation (protocol version 2): the GUI's commands in,
// one line at a time, the engine's replies out. The session keeps the game the
// GUI sent and the level; a MovePlayer does the thinking. Commands the session
// does not know are ignored, and a command it cannot use (a broken game record,
// an illegal move) leaves its state as it was, with a note on the diagnostics
// stream; diagnostics never start with a reply keyword.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "nboard/engine_player.hpp"
#include "nboard/nboard_board.hpp"

namespace kerna::nboard {

// The level a GUI's "set depth n" asks for (see the README's table).
int LevelForDepth(int depth);

struct SessionOptions {
  int level = 6;
  bool levelFixed = false;  // --level given: "set depth" is accepted but does not change it
  std::string name = "Kerna";
};

class Session {
 public:
  using LineSink = std::function<void(const std::string&)>;

  // `reply` receives protocol lines, `diagnose` notes for the user (stderr).
  Session(MovePlayer& player, SessionOptions options, LineSink reply, LineSink diagnose);

  // Announces the engine's name, as it is shown in the GUI.
  void Start();
  // Handles one command line (without its line break); false once it was "quit".
  bool Handle(std::string_view line);

  int level() const { return options_.level; }
  double contempt() const { return contempt_; }
  const SessionGame& game() const { return game_; }

 private:
  void SetCommand(std::string_view rest);
  void MoveCommand(std::string_view item);
  void Go();
  void Hint(std::string_view count);
  void AnnounceName();

  MovePlayer& player_;
  SessionOptions options_;
  LineSink reply_;
  LineSink diagnose_;
  SessionGame game_;
  double contempt_ = 0;
};

// Protocol number text: two decimals, no exponent, no "-0.00".
std::string FormatEval(double discs);

}  // namespace kerna::nboard
