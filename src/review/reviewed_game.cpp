// Preparing a record for the review screen (see reviewed_game.hpp).
#include "review/reviewed_game.hpp"

#include "game/saved_games.hpp"

namespace kerna::review {

int ReviewedGame::FinalMargin() const {
  return nboard::DiscMargin(positions.back());
}

std::optional<ReviewedGame> PrepareReview(const std::optional<std::string>& ggf_text,
                                          std::string* error) {
  if (!ggf_text) {
    *error = "棋譜のファイルが\n読めませんでした";
    return std::nullopt;
  }
  std::optional<GgfGame> record = ParseGgf(*ggf_text);
  if (!record) {
    *error = "棋譜の形が\n正しくありません";
    return std::nullopt;
  }
  ReviewedGame game;
  game.positions.push_back(nboard::Position{record->board, record->blackToMove});
  if (!nboard::NewSessionGame(game.positions.front()).StartsFromStandardPosition()) {
    *error = "途中盤面からの棋譜は\n振り返れません";
    return std::nullopt;
  }
  for (size_t n = 0; n < record->moves.size(); ++n) {
    nboard::Position next = game.positions.back();
    if (!nboard::Play(next, record->moves[n].square)) {
      *error = std::to_string(n + 1) + "手目" + GgfSquareName(record->moves[n].square) +
               "は打てません\n棋譜が壊れています";
      return std::nullopt;
    }
    game.positions.push_back(next);
  }
  const GamePlayers players = PlayersOfRecord(*record);
  if (players.kind == GamePlayers::Kind::kVersusComputer) {
    game.versusKerna = true;
    game.playerColour = players.humanColour;
    game.hostessLevel = players.level;
  }
  game.record = std::move(*record);
  return game;
}

}  // namespace kerna::review
