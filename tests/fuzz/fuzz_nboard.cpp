// Fuzz target: the engine program's command and game-record parsing. The bytes
// are read once as one game record and once as a session's command lines (with
// a stand-in player that plays the first legal move); neither may crash, every
// record read must write and read back the same, every reply must be a protocol
// line and every move proposed must be legal.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/ggf.hpp"
#include "nboard/nboard_session.hpp"

namespace {

using kerna::nboard::HintResult;
using kerna::nboard::MoveDecision;
using kerna::nboard::SessionGame;

class FirstLegalMove : public kerna::nboard::MovePlayer {
 public:
  MoveDecision ChooseMove(const SessionGame& game, int) override {
    const uint64_t legal = kerna::nboard::LegalMoves(game.current);
    if (legal == 0) std::abort();  // the session must not ask without a legal move
    MoveDecision decision;
    decision.move.square = std::countr_zero(legal);
    decision.move.eval = 0.5;
    return decision;
  }
  HintResult Hint(const SessionGame& game, int, int count) override {
    HintResult hint;
    uint64_t legal = kerna::nboard::LegalMoves(game.current);
    while (legal != 0 && static_cast<int>(hint.ranked.size()) < count) {
      hint.ranked.push_back({std::countr_zero(legal), -1.25, "3"});
      legal &= legal - 1;
    }
    return hint;
  }
};

bool StartsWith(const std::string& line, std::string_view word) {
  return line.compare(0, word.size(), word) == 0;
}

void CheckRoundTrip(std::string_view text) {
  const auto game = kerna::ParseGgf(text);
  if (!game) return;
  const auto back = kerna::ParseGgf(kerna::WriteGgf(*game));
  if (!back || back->board != game->board || back->blackToMove != game->blackToMove ||
      back->moves.size() != game->moves.size()) {
    std::abort();
  }
  for (size_t i = 0; i < game->moves.size(); ++i) {
    if (back->moves[i].square != game->moves[i].square) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckRoundTrip(text);

  FirstLegalMove player;
  kerna::nboard::Session* session_ptr = nullptr;
  auto reply = [&session_ptr](const std::string& line) {
    for (std::string_view word :
         {"set myname ", "pong ", "=== ", "nodestats ", "status", "search ", "book ", "learned"}) {
      if (StartsWith(line, word)) {
        if (word == "=== " && line != "=== PA") {
          // The move proposed must be legal in the session's position.
          const auto square = kerna::ParseGgfSquare(line.substr(4, 2));
          if (!square || *square < 0 ||
              !(kerna::nboard::LegalMoves(session_ptr->game().current) >> *square & 1)) {
            std::abort();
          }
        }
        return;
      }
    }
    std::abort();
  };
  auto diagnose = [](const std::string& line) {
    for (std::string_view word : {"===", "pong", "status", "set", "search", "book", "nodestats"}) {
      if (StartsWith(line, word)) std::abort();
    }
  };
  kerna::nboard::Session session(player, {}, reply, diagnose);
  session_ptr = &session;
  session.Start();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (!session.Handle(text.substr(start, end - start))) break;
    start = end + 1;
  }
  return 0;
}
