// Running the computer turn for a position the GUI sent. The Game is set up as
// the game loop leaves it before a computer turn: the position on every layer,
// the computer to move, the game record (for the book) and the game stage.
// Values are reported in discs: the evaluation is fitted to read about 10 per
// disc of expected margin, and the solvers' decided values are turned back into
// the disc margin (exact) or +-64 / 0 (win-loss-draw).
#include "nboard/engine_player.hpp"

// g++ 12 warns falsely (-Wrestrict, its bug 105329) about the inlined copy of
// short literals into std::string when it optimises this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "data/eval_table_loader.hpp"
#include "data/placement_table_loader.hpp"
#include "game/data_folder.hpp"
#include "game/game.hpp"
#include "platform/file_io.hpp"
#include "platform/os_folders.hpp"

namespace kerna::nboard {
namespace {

constexpr double kValuePerDisc = 10.0;
constexpr int kBookLevel = 4;
// The win-loss-draw solver proves only who wins; a proven result is reported
// as the largest margin, as other engines do.
constexpr double kProvenWin = 64.0;

int16_t CellOf(char square) {
  return square == kGgfBlack ? kBlack : square == kGgfWhite ? kWhite : kEmpty;
}

int SquareOf(int x, int y) {
  return (y - 1) * 8 + (x - 1);
}

// The evaluation's value of a decided middle-game line is +-kDecided; the
// exact solver's is kDecided plus the margin.
double DiscsOfSearchValue(int value) {
  if (value >= kDecided) return kProvenWin;
  if (value <= -kDecided) return -kProvenWin;
  return value / kValuePerDisc;
}

std::string DepthText(float depth) {
  return std::to_string(std::max(1, static_cast<int>(std::lround(depth))));
}

// The book keeps its lines in the orientation that starts with f5; the game's
// first move chose the symmetry (the same mapping in both directions).
void FromBookOrientation(int transform, int& x, int& y) {
  const int x0 = x, y0 = y;
  if (transform == 2) x = 9 - x0, y = 9 - y0;
  if (transform == 3) x = y0, y = x0;
  if (transform == 4) x = 9 - y0, y = 9 - x0;
}

// Captures the ranking pass's list of levels 5 and 6 before the deep pass
// reorders the root: every candidate with its value at the ranking depth.
class RankingWatcher : public SearchObserver {
 public:
  RankingWatcher(Game& g, int legal_moves) : g_(g), total_(legal_moves) {}
  void OnProgress(int) override {}
  void OnDeepPass() override {
    ranked.clear();
    // The cut only shortens EN(1); the ranked list stays in MX/MY in full.
    for (int k = 1; k <= std::min(total_, kCandidateRows - 2); ++k) {
      ranked.push_back(
          {SquareOf(g_.searchState.MX[1][k], g_.searchState.MY[1][k]), g_.ai.RankValue[k]});
    }
  }
  struct Entry {
    int square;
    float value;
  };
  std::vector<Entry> ranked;

 private:
  Game& g_;
  int total_;
};

}  // namespace

StoppablePlatform::StoppablePlatform(std::function<bool()> stop_requested)
    : stop_requested_(std::move(stop_requested)) {
  // Instant moves sleep on the virtual clock; a long session must never time out.
  SetTimeLimit(int64_t{1} << 60);
}

void StoppablePlatform::Sleep(int milliseconds) {
  if (stop_requested_ && stop_requested_()) throw SearchStopped{};
  HeadlessPlatform::Sleep(milliseconds);
}

void StoppablePlatform::CheckClosed() {
  if (stop_requested_ && stop_requested_()) throw SearchStopped{};
  HeadlessPlatform::CheckClosed();
}

EnginePlayer::EnginePlayer(const EngineOptions& options, std::function<bool()> stop_requested)
    : options_(options), io_(std::move(stop_requested)) {
  io_.SetDataFolder(options.dataFolder);
  game_ = std::make_unique<Game>(io_);
  Game& g = *game_;
  g.rules.SetUpWalls();
  const std::string table = io_.ReadWholeFile("dat\\table.dat");
  tablesLoaded_ = !table.empty();
  ParseEvalTables(table, g.tables, [](int) {});
  g.placementTableLoader.LoadSquareClasses();
  if (options.useBook) g.bookLoader.LoadOpeningBook();
  bookLoaded_ = options.useBook && g.book.MoveCount[1] > 0;
  g.random.Seed(options.seed);
  g.settings.ThinkingVaries = options.vary ? 1 : 0;
  g.settings.SelfPlayMode = 0;
  g.flow.VersusComputer = 1;
  g.searchState.Observer = nullptr;  // no progress bar without a window
}

EnginePlayer::~EnginePlayer() = default;

void EnginePlayer::SetUp(const SessionGame& session, int level, bool hint, int method_moves) {
  Game& g = *game_;
  BoardState& b = g.board;
  const Position& p = session.current;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) b.Position[x][y] = CellOf(p.squares[SquareOf(x, y)]);
  }
  const int16_t side = p.blackToMove ? kBlack : kWhite;
  b.ComputerSide = side;
  b.HumanSide = static_cast<int16_t>(3 - side);
  b.SideToMove = side;

  // The record the book reads: one entry per disc placed since the usual start.
  // From any other start the record stays empty, and the book is not used.
  b.GameRecord.fill(0);
  if (session.StartsFromStandardPosition()) {
    Position replay = session.start;
    int placed = 0;
    for (const GgfMove& move : session.moves) {
      const int mover = replay.blackToMove ? kBlack : kWhite;
      if (!Play(replay, move.square)) break;
      if (move.square == kGgfPass || ++placed > kRecordSize) continue;
      b.GameRecord[placed] =
          static_cast<float>(mover * 100 + (move.square % 8 + 1) * 10 + move.square / 8 + 1);
    }
  }
  const int played = DiscCount(p) - 4;
  b.MoveNumber = static_cast<float>(played);
  b.LastMoveX = b.LastMoveY = 0;
  g.ai.SecondBestFlag = 0;
  g.ai.BookHit = 0;
  g.rules.CopyPositionToLayers();
  g.rules.SavePreviousPosition();
  b.MovesPlayed = static_cast<int16_t>(method_moves < 0 ? played : method_moves);
  g.ai.GameStage = static_cast<int16_t>(played > 44 ? 3 : played > 35 ? 2 : played > 25 ? 1 : 0);
  g.ai.Level = static_cast<int16_t>(std::clamp(level, 0, 6));
  g.ai.HintMode = hint ? 1 : 0;
  g.settings.ThinkingVaries = options_.vary && !hint ? 1 : 0;
  g.searchState.Nodes = 0;
}

MoveValue EnginePlayer::ValueOfTurn(int method_moves, int level, int square) const {
  const Game& g = *game_;
  MoveValue value;
  value.square = square;
  const int shown = g.ai.ShownValue;
  switch (ChooseTurnMethod(level, method_moves, false)) {
    case TurnMethod::kOnePly:
      value.eval = shown / kValuePerDisc;
      value.depth = "1";
      break;
    case TurnMethod::kMiddleGame:
      value.eval = DiscsOfSearchValue(shown);
      value.depth = DepthText(g.ai.LookAheadDepth);
      break;
    case TurnMethod::kWinLossDraw:
      value.eval = shown > 0 ? kProvenWin : shown < 0 ? -kProvenWin : 0.0;
      value.depth = "100%W";
      break;
    case TurnMethod::kExact:
      value.eval = shown >= kDecided    ? shown - kDecided
                   : shown <= -kDecided ? shown + kDecided
                                        : 0.0;
      value.depth = "100%";
      break;
  }
  return value;
}

MoveDecision EnginePlayer::ChooseMove(const SessionGame& session, int level) {
  Game& g = *game_;
  const Position& p = session.current;
  SetUp(session, level, false);
  g.computer.ComputerTurn();

  MoveDecision decision;
  decision.nodes = g.searchState.Nodes;
  const BoardState& b = g.board;
  int square = -1;
  if (b.LastMoveX >= 1 && b.LastMoveX <= 8 && b.LastMoveY >= 1 && b.LastMoveY <= 8) {
    square = SquareOf(b.LastMoveX, b.LastMoveY);
  }
  const uint64_t legal = LegalMoves(p);
  if (square < 0 || !(legal >> square & 1)) {
    // Never expected; a GUI must still get a legal move.
    std::fprintf(stderr, "kerna-engine: the computer turn gave no legal move; playing the first\n");
    decision.move.square = std::countr_zero(legal);
    decision.move.depth = "0";
    return decision;
  }
  decision.fromBook = g.ai.BookHit >= 1;
  if (decision.fromBook) {
    decision.move = {square, 0.0, "0"};
  } else if (std::popcount(legal) == 1 && level >= 2) {
    // The turn takes a single move without searching it; its value is looked
    // up as a hint would (the search runs for a single candidate there).
    SetUp(session, level, true);
    g.computer.ComputerTurn();
    decision.nodes += g.searchState.Nodes;
    decision.move = ValueOfTurn(DiscCount(p) - 4, level, square);
  } else {
    decision.move = ValueOfTurn(DiscCount(p) - 4, level, square);
  }
  return decision;
}

std::vector<BookMove> EnginePlayer::BookMoves(const Position& position) const {
  const Game& g = *game_;
  const BookState& state = g.bookState;
  const int n = DiscCount(position) - 4;
  std::vector<BookMove> moves;
  const uint64_t legal = LegalMoves(position);
  for (int i = 1; i <= state.BookCandidateCount; ++i) {
    const int line = state.BookCandidates[i];
    if (line < 1 || line > kBookCapacity || n + 1 > kBookSlots) continue;
    const int code = g.book.Moves[line][n + 1];
    int x = code / 10, y = code % 10;
    FromBookOrientation(state.BookTransform, x, y);
    if (x < 1 || x > 8 || y < 1 || y > 8) continue;
    const int square = SquareOf(x, y);
    if (!(legal >> square & 1)) continue;
    auto known = std::find_if(moves.begin(), moves.end(),
                              [square](const BookMove& m) { return m.square == square; });
    if (known == moves.end()) {
      moves.push_back({square, 1});
    } else {
      ++known->lines;
    }
  }
  std::stable_sort(moves.begin(), moves.end(),
                   [](const BookMove& a, const BookMove& b) { return a.lines > b.lines; });
  return moves;
}

HintResult EnginePlayer::Hint(const SessionGame& session, int level, int count) {
  Game& g = *game_;
  const Position& p = session.current;
  SetUp(session, level, true);
  RankingWatcher watcher(g, std::popcount(LegalMoves(p)));
  g.searchState.Observer = &watcher;
  struct ObserverReset {
    Game& g;
    ~ObserverReset() { g.searchState.Observer = nullptr; }
  } reset{g};
  g.computer.ComputerTurn();

  HintResult result;
  result.nodes = g.searchState.Nodes;
  const uint64_t legal = LegalMoves(p);
  if (g.ai.BookHit >= 1 && level >= kBookLevel) {
    result.book = BookMoves(p);
    if (result.book.size() > static_cast<size_t>(std::max(count, 1))) {
      result.book.resize(static_cast<size_t>(std::max(count, 1)));
    }
    if (!result.book.empty()) return result;
  }
  const BoardState& b = g.board;
  if (b.SquareX < 1 || b.SquareX > 8 || b.SquareY < 1 || b.SquareY > 8) return result;
  const int best = SquareOf(b.SquareX, b.SquareY);
  if (!(legal >> best & 1)) return result;
  result.ranked.push_back(ValueOfTurn(DiscCount(p) - 4, level, best));
  // Levels 5 and 6 ranked every move at a shallower depth before the deep pass.
  const std::string ranking_depth = level == 5 ? "4" : "5";
  for (const auto& entry : watcher.ranked) {
    if (static_cast<int>(result.ranked.size()) >= count) break;
    if (entry.square == best || !(legal >> entry.square & 1)) continue;
    result.ranked.push_back(
        {entry.square, DiscsOfSearchValue(static_cast<int>(entry.value)), ranking_depth});
  }
  // The solvers and the lower levels value only their choice: every other move
  // asked for is valued on its own.
  const auto listed = [&result](int square) {
    return std::any_of(result.ranked.begin(), result.ranked.end(),
                       [square](const MoveValue& m) { return m.square == square; });
  };
  for (uint64_t rest = legal; rest != 0; rest &= rest - 1) {
    if (static_cast<int>(result.ranked.size()) >= count) break;
    const int square = std::countr_zero(rest);
    if (listed(square)) continue;
    result.ranked.push_back(ValueOfMove(session, level, square));
    result.nodes += g.searchState.Nodes;
  }
  std::stable_sort(result.ranked.begin() + 1, result.ranked.end(),
                   [](const MoveValue& a, const MoveValue& b) {
                     return a.eval.value_or(0.0) > b.eval.value_or(0.0);
                   });
  return result;
}

MoveValue EnginePlayer::ValueOfMove(const SessionGame& session, int level, int square) {
  Game& g = *game_;
  const Position& before = session.current;
  const int method_moves = DiscCount(before) - 4;
  SessionGame after = session;
  if (!AppendMove(after, {square, std::nullopt, std::nullopt})) return {square, std::nullopt, ""};
  g.searchState.Nodes = 0;
  if (GameOver(after.current)) {
    const int margin = DiscMargin(after.current);
    return {square, static_cast<double>(before.blackToMove ? margin : -margin), "100%"};
  }
  const bool opponent_passes = MustPass(after.current);
  if (opponent_passes) AppendMove(after, {kGgfPass, std::nullopt, std::nullopt});
  SetUp(after, level, true, method_moves);
  g.computer.ComputerTurn();
  MoveValue value = ValueOfTurn(method_moves, level, square);
  if (!opponent_passes && value.eval) value.eval = -*value.eval;
  return value;
}

std::string FindEngineDataFolder(const std::string& explicit_folder,
                                 const std::string& built_assets_dir) {
  if (!explicit_folder.empty()) return explicit_folder;
  const std::string program_dir = platform::ProgramFolder();
  std::error_code error;
  if (!program_dir.empty() && std::filesystem::is_regular_file(
                                  platform::FsPath(program_dir) / "dat" / "table.dat", error)) {
    return program_dir;
  }
  return ChooseDataFolder(".", program_dir, built_assets_dir);
}

}  // namespace kerna::nboard
