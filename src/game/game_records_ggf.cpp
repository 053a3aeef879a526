// A kept game as a GGF file of its own (see game_records.hpp): the start
// position, the moves with the passes the game record leaves out, the players
// and the result.
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "data/ggf.hpp"
#include "game/game.hpp"
#include "game/game_records.hpp"

namespace kerna {

namespace {

// At most this many games in one second get their own file name.
constexpr int kNameAttempts = 100;

std::string PlayerName(const GameSummary& s, int side) {
  const std::string computer = "computer level " + std::to_string(s.level);
  switch (s.mode) {
    case GameSummary::Mode::kVersusComputer:
      return side == s.human_side ? "human" : computer;
    case GameSummary::Mode::kTwoHumans:
      return "human";
    case GameSummary::Mode::kSelfPlay:
      return computer;
  }
  return "?";
}

}  // namespace

GgfGame GgfOfGame(const GameSummary& s) {
  GgfGame game = StandardGgfGame();
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) {
      const int16_t cell = s.start[x][y];
      game.board[(y - 1) * 8 + (x - 1)] = cell == kBlack   ? kGgfBlack
                                          : cell == kWhite ? kGgfWhite
                                                           : kGgfEmpty;
    }
  }
  // The record holds the discs placed; a side that moves twice in a row means
  // the other side passed in between.
  std::vector<std::pair<int, int>> placed;  // side, square 0..63
  for (int n = 1; n <= kRecordSize; ++n) {
    const float entry = s.record[n];
    if (entry <= 0) continue;
    const int code = static_cast<int>(entry);
    const int side = code / 100, x = code / 10 % 10, y = code % 10;
    if ((side != kBlack && side != kWhite) || x < 1 || x > 8 || y < 1 || y > 8) continue;
    placed.emplace_back(side, (y - 1) * 8 + (x - 1));
  }
  game.blackToMove = placed.empty() || placed.front().first == kBlack;
  int to_move = game.blackToMove ? kBlack : kWhite;
  for (const auto& [side, square] : placed) {
    if (side != to_move) game.moves.push_back(GgfMove{});  // a pass
    game.moves.push_back(GgfMove{square, std::nullopt, std::nullopt});
    to_move = side == kBlack ? kWhite : kBlack;
  }
  game.blackName = PlayerName(s, kBlack);
  game.whiteName = PlayerName(s, kWhite);
  game.date = LocalDateTime(s.wall_clock_seconds, ' ');
  game.result = s.finished ? GgfResult(s.black_discs - s.white_discs) : "?";
  return game;
}

std::string GameRecorder::SaveGgf(const std::string& folder, const GameSummary& summary) const {
  const std::filesystem::path games = platform::FsPath(folder) / "records";
  std::error_code error;
  std::filesystem::create_directories(games, error);
  std::string stem = LocalDateTime(summary.wall_clock_seconds, 'T');
  for (char& c : stem) {
    if (c == ':') c = '-';  // 2026-12-08T14-03-21
  }
  const std::string text = WriteGgf(GgfOfGame(summary)) + "\n";
  for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) about the
    // inlined copy in "-" + std::to_string(...) when it optimises.
    std::string name = stem;
    if (attempt > 1) {
      name += '-';
      name += std::to_string(attempt);
    }
    name += ".ggf";
    const std::string path = platform::Utf8Path(games / name);
    if (g_.io.CreateNewFile(path, text)) return path;
    if (!std::filesystem::exists(platform::FsPath(path), error))
      return {};  // not taken: it cannot be written
  }
  return {};
}

}  // namespace kerna
