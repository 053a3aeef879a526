// Keeping the game in progress and taking it up again (see kept_game.hpp).
#include "game/kept_game.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "board/board_rules.hpp"
#include "game/game.hpp"
#include "game/settings_location.hpp"
#include "platform/file_io.hpp"

namespace kerna {

namespace {

constexpr char kKeptGameFileName[] = "game-in-progress.txt";

bool SameSquares(const Grid& a, const Grid& b) {
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (a[x][y] != b[x][y]) return false;
    }
  }
  return true;
}

bool CanMove(BoardState& b, int side) {
  BoardRules rules(b);
  b.Layer = 0;
  b.SideToMove = static_cast<int16_t>(side);
  rules.CountLegalMoves();
  return b.LegalMoveCount > 0;
}

// Plays the kept moves from its start on layer 0 and records each as the game
// does, black first; a side without a legal move passes. Leaves the position
// in Position and the side whose move would come next in SideToMove; false at
// a move neither a move nor a pass allows.
bool ReplayMoves(const KeptGame& kept, BoardState& b) {
  BoardRules rules(b);
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.Position[x][y] = kept.start[x][y];
  }
  rules.SetUpWalls();
  rules.CopyPositionToLayers();
  b.GameRecord.fill(0);
  b.MoveNumber = 0;
  int side = kBlack;
  for (size_t i = 0; i + 1 < kept.moves.size(); i += 2) {
    const auto play_here = [&] {
      b.Layer = 0;
      b.SideToMove = static_cast<int16_t>(side);
      b.SquareX = static_cast<int16_t>(kept.moves[i] - 'a' + 1);
      b.SquareY = static_cast<int16_t>(kept.moves[i + 1] - '0');
      rules.TestLegal();
      return b.LegalFlag == 1;
    };
    if (!play_here()) {
      if (CanMove(b, side)) return false;
      side = b.OpponentTable[side];  // a pass
      if (!play_here()) return false;
    }
    rules.MakeMove();
    rules.RecordMove();
    side = b.OpponentTable[side];
  }
  b.Layer = 0;
  rules.CopyLayerToPosition();
  b.SideToMove = static_cast<int16_t>(side);
  return true;
}

}  // namespace

std::string GameKeeper::FilePath() const {
  const std::string folder = g_.recorder.RecordsFolder();
  return folder.empty() ? std::string() : folder + "/" + kKeptGameFileName;
}

KeptGame GameKeeper::Gather() const {
  const BoardState& b = g_.board;
  const FlowState& f = g_.flow;
  KeptGame k;
  k.versus_computer = f.VersusComputer == 1;
  k.level = g_.ai.Level;
  k.human_side = b.HumanSide;
  k.turn = g_.keptGame.TurnSide;
  k.pass_count = std::clamp<int>(f.PassCount, 0, 1);
  k.undo_count = f.UndoCount;
  k.hint_count = f.HintCount;
  k.start = g_.records.StartOfGame;
  k.moves = Transcript(b.GameRecord);
  k.position = b.Position;
  return k;
}

bool GameKeeper::Keep() {
  if (g_.settings.SelfPlayMode == 1) return true;
  KeptGameState& s = g_.keptGame;
  const std::string text = KeptGameText(Gather());
  if (text == s.LastText) return true;
  const std::string path = FilePath();
  if (path.empty()) return false;
  if (g_.recorder.RecordsFolder() == UserConfigFolder() && !MakeUserConfigFolder()) return false;
  // A failed write leaves the earlier file whole; the player hears of it once.
  if (!g_.writeFailureNotice.Report(KeptFile::kGameInProgress, g_.io.WriteWholeFile(path, text))) {
    return false;
  }
  s.LastText = text;
  return true;
}

void GameKeeper::Forget() {
  g_.keptGame.LastText.clear();
  g_.keptGame.Found.reset();
  const std::string path = FilePath();
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove(platform::FsPath(path), ignored);
}

void GameKeeper::FindKeptGame() {
  KeptGameState& s = g_.keptGame;
  s.Found.reset();
  // Self-play plays its own games: nobody would go on with a kept one.
  if (g_.settings.SelfPlayMode == 1) return;
  const std::string path = FilePath();
  if (path.empty()) return;
  const auto text = platform::TryReadFileBytes(path);
  if (!text) return;
  auto kept = ParseKeptGame(*text);
  // A game from another start position would be taken back (待った) to
  // that other position.
  if (!kept || !SameSquares(kept->start, g_.board.StartPosition)) return;
  auto scratch = std::make_unique<BoardState>();
  if (!ReplayMoves(*kept, *scratch) || !SameSquares(scratch->Position, kept->position)) return;
  // The turn is the next mover's, or the other side's when the next mover
  // has no move (a pass); and a move must be left to play.
  const int next = scratch->SideToMove;
  const int other = scratch->OpponentTable[next];
  if (kept->turn != next && CanMove(*scratch, next)) return;
  if (!CanMove(*scratch, next) && !CanMove(*scratch, other)) return;
  s.Found = std::move(kept);
  s.LastText = *text;
}

void GameKeeper::RestoreKeptGame() {
  KeptGameState& s = g_.keptGame;
  if (!s.Found) return;
  const KeptGame& k = *s.Found;
  BoardState& b = g_.board;
  FlowState& f = g_.flow;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.Position[x][y] = k.start[x][y];
  }
  g_.recorder.BeginGame();
  ReplayMoves(k, b);
  b.PreviousPosition = b.Position;
  const size_t n = k.moves.size();
  b.LastMoveX = n >= 2 ? static_cast<int16_t>(k.moves[n - 2] - 'a' + 1) : int16_t{0};
  b.LastMoveY = n >= 2 ? static_cast<int16_t>(k.moves[n - 1] - '0') : int16_t{0};

  f.VersusComputer = k.versus_computer ? 1 : 0;
  f.PassCount = static_cast<int16_t>(k.pass_count);
  f.UndoCount = static_cast<int16_t>(k.undo_count);
  f.HintCount = static_cast<int16_t>(k.hint_count);
  f.QuitRequested = kNoQuit;
  f.ThinkStart = g_.io.Clock();
  if (k.versus_computer) {
    g_.ai.Level = static_cast<int16_t>(k.level);
    b.HumanSide = static_cast<int16_t>(k.human_side);
  } else {
    b.HumanSide = static_cast<int16_t>(k.turn);  // the one at the mouse
  }
  b.ComputerSide = b.OpponentTable[b.HumanSide];
  b.SideToMove = static_cast<int16_t>(k.turn);
  // 待った is offered once the human has a move in the record to take back
  // (two people never see it; every move of theirs leaves it offered).
  bool human_moved = false;
  for (const float entry : b.GameRecord)
    human_moved = human_moved || (entry > 0 && static_cast<int>(entry / 100) == b.HumanSide);
  g_.buttonState.GroupChoice[kUndoGroup] = !k.versus_computer || human_moved ? 0 : -1;
  g_.buttonState.GroupChoice[kHintGroup] = 0;
  s.TurnSide = static_cast<int16_t>(k.turn);
  s.Found.reset();
}

}  // namespace kerna
