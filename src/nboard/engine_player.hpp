// The game's computer player outside the window: a Game on a headless platform
// with the shipped tables and book, set up from a session's position and asked
// for its move exactly as the computer turn makes it, or for a hint.
//
// The search cannot be told to stop directly; it asks the platform whether the
// window was closed every few thousand moves. StoppablePlatform answers that
// question by throwing SearchStopped when the session wants the search to end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "nboard/nboard_board.hpp"
#include "platform/headless_backend.hpp"

namespace kerna {
class Game;
}

namespace kerna::nboard {

// Thrown out of the search when the session asks it to stop.
struct SearchStopped {};

class StoppablePlatform : public platform::HeadlessPlatform {
 public:
  explicit StoppablePlatform(std::function<bool()> stop_requested);
  void Sleep(int milliseconds) override;
  void CheckClosed() override;

 private:
  std::function<bool()> stop_requested_;
};

// One move's evaluation as the protocol reports it.
struct MoveValue {
  int square = kGgfPass;
  std::optional<double> eval;  // discs, for the side to move; none for a forced move
  std::string depth;           // "5", "100%" (exact), "100%W" (win-loss-draw), "0" (book)
};

struct BookMove {
  int square = kGgfPass;
  int lines = 0;  // book lines that continue with it
};

struct MoveDecision {
  MoveValue move;
  bool fromBook = false;
  uint64_t nodes = 0;
};

struct HintResult {
  std::vector<BookMove> book;     // when the book knows the position
  std::vector<MoveValue> ranked;  // otherwise: the chosen move first, then others ranked
  uint64_t nodes = 0;
};

// What a session asks of a player; the fuzz target plugs in a trivial one.
class MovePlayer {
 public:
  virtual ~MovePlayer() = default;
  // The move for the side to move, which has at least one legal move. May throw SearchStopped.
  virtual MoveDecision ChooseMove(const SessionGame& game, int level) = 0;
  // Up to `count` moves with values. May throw SearchStopped.
  virtual HintResult Hint(const SessionGame& game, int level, int count) = 0;
};

struct EngineOptions {
  std::string dataFolder;
  bool vary = false;  // the thinking-variety setting (second-best moves, random book lines)
  uint32_t seed = 1;  // for the variety
  bool useBook = true;
};

class EnginePlayer : public MovePlayer {
 public:
  EnginePlayer(const EngineOptions& options, std::function<bool()> stop_requested);
  ~EnginePlayer() override;

  // False when the evaluation tables could not be read from the data folder.
  bool TablesLoaded() const { return tablesLoaded_; }
  bool BookLoaded() const { return bookLoaded_; }
  // A file of the data folder ("dat\\zyouseki.txt"); empty when it cannot be read.
  std::string ReadDataFile(std::string_view game_path) const {
    return io_.ReadWholeFile(game_path);
  }

  MoveDecision ChooseMove(const SessionGame& game, int level) override;
  HintResult Hint(const SessionGame& game, int level, int count) override;

  // The value of playing `square` (legal) for the side to move: the position
  // after it valued for the opponent and negated (or for the mover again after
  // the opponent's pass, or the final margin), by the method this position's
  // move count chooses, so that it compares with the best move's value.
  // May throw SearchStopped.
  MoveValue ValueOfMove(const SessionGame& game, int level, int square);

  // The Game behind it, for tests that compare with the computer turn.
  Game& game() { return *game_; }

 private:
  // `method_moves`: the move count the turn chooses its method by (the
  // position's own when negative).
  void SetUp(const SessionGame& session, int level, bool hint, int method_moves = -1);
  std::vector<BookMove> BookMoves(const Position& position) const;
  MoveValue ValueOfTurn(int method_moves, int level, int square) const;

  EngineOptions options_;
  StoppablePlatform io_;
  std::unique_ptr<Game> game_;
  bool tablesLoaded_ = false;
  bool bookLoaded_ = false;
};

// Where the data is: `explicit_folder` when given, else beside the program, the
// working directory, the installed copy, the assets the program was built from.
std::string FindEngineDataFolder(const std::string& explicit_folder,
                                 const std::string& built_assets_dir);

}  // namespace kerna::nboard
