// Replays the game files in parallel (games split by number, so the result does
// not depend on the thread count) and turns positions into samples.
#include "dataset.hpp"

#include <algorithm>
#include <bit>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <thread>

namespace kerna::train {
namespace {

std::vector<std::string> ReadGames(const std::vector<std::string>& files) {
  std::vector<std::string> games;
  for (const std::string& file : files) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file);
    std::string line;
    while (std::getline(in, line)) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      if (!line.empty()) games.push_back(line);
    }
  }
  return games;
}

// Plays `plies` random legal moves (passing when the side to move cannot move)
// from `position`; empty when the game ends first.
std::optional<ReplayedPosition> RandomContinuation(ReplayedPosition position, int plies,
                                                   uint64_t& random) {
  for (int ply = 0; ply < plies; ++ply) {
    int toMove = Opponent(position.justMoved);
    uint64_t moves = LegalMoves(position.board.Of(toMove), position.board.Of(Opponent(toMove)));
    if (moves == 0) {
      toMove = position.justMoved;
      moves = LegalMoves(position.board.Of(toMove), position.board.Of(Opponent(toMove)));
      if (moves == 0) return std::nullopt;
    }
    random = Mix(random);
    for (int skip = static_cast<int>(random % std::popcount(moves)); skip > 0; --skip)
      moves &= moves - 1;
    const int square = std::countr_zero(moves);
    Bitboard& b = position.board;
    const uint64_t flips = Flips(b.Of(toMove), b.Of(Opponent(toMove)), square);
    b.Of(toMove) |= flips | (uint64_t{1} << square);
    b.Of(Opponent(toMove)) &= ~flips;
    position.justMoved = toMove;
    ++position.movesPlayed;
  }
  return position;
}

struct GameSamples {
  std::vector<Sample> samples;
  bool rejected = false;
  bool relabelled = false;
};

GameSamples SamplesOfGame(const std::string& moves, int gameNumber, bool heldOut,
                          const DatasetOptions& options) {
  GameSamples out;
  const auto game = ReplayGame(moves);
  if (!game) {
    out.rejected = true;
    return out;
  }
  const auto& positions = game->positions;
  // Labels: the game's result, or the exact result from the first position with
  // at most `solveEmpties` empties (and exact results from there on).
  std::vector<int> labels(positions.size(), game->finalDifference);
  if (options.solveEmpties > 0) {
    int solvedFrom = -1;
    for (size_t p = 0; p < positions.size(); ++p) {
      if (60 - positions[p].movesPlayed <= options.solveEmpties) {
        labels[p] = SolveExactly(positions[p].board, Opponent(positions[p].justMoved));
        if (solvedFrom < 0) solvedFrom = static_cast<int>(p);
      }
    }
    if (solvedFrom >= 0) {
      for (int p = 0; p < solvedFrom; ++p) labels[p] = labels[solvedFrom];
      out.relabelled = labels[solvedFrom] != game->finalDifference;
    }
  }
  uint64_t random = Mix(options.seed ^ (static_cast<uint64_t>(gameNumber) << 20));
  for (size_t p = 0; p < positions.size(); ++p) {
    const ReplayedPosition& pos = positions[p];
    const int first = heldOut ? kFirstEvaluatedMove : options.minMovesPlayed;
    const int last = heldOut ? kLastEvaluatedMove : options.maxMovesPlayed;
    if (pos.movesPlayed < first || pos.movesPlayed > last) continue;
    random = Mix(random);
    if (!heldOut && UnitInterval(random) >= options.trainingShare) continue;
    out.samples.push_back(MakeSample(pos.board, pos.justMoved, pos.movesPlayed,
                                     SearchStageOf(pos.movesPlayed, options.leafDepth), labels[p],
                                     game->finalDifference));
    if (heldOut) continue;
    // Drawn from a generator of their own so that the record positions kept do
    // not depend on these options.
    uint64_t offLineRandom = Mix(random ^ 0x6f66662d6c696e65ULL);
    if (UnitInterval(offLineRandom) >= options.offLineShare) continue;
    for (int k = 0; k < options.offLinePerPosition; ++k) {
      offLineRandom = Mix(offLineRandom);
      const int plies = 1 + static_cast<int>(offLineRandom % std::max(1, options.offLinePlies));
      const auto next = RandomContinuation(pos, plies, offLineRandom);
      if (!next || next->movesPlayed > options.maxMovesPlayed) continue;
      Sample sample = MakeSample(next->board, next->justMoved, next->movesPlayed,
                                 SearchStageOf(next->movesPlayed, options.leafDepth), labels[p],
                                 game->finalDifference);
      sample.offLine = 1;
      out.samples.push_back(sample);
    }
  }
  return out;
}

}  // namespace

uint64_t Mix(uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

double UnitInterval(uint64_t random) {
  return static_cast<double>(random >> 11) * 0x1.0p-53;
}

Sample MakeSample(const Bitboard& board, int justMoved, int movesPlayed, int stage, int label,
                  int recorded) {
  Sample s;
  s.lines = ComputeLineIndices(board);
  s.label = static_cast<int16_t>(label);
  s.recorded = static_cast<int16_t>(recorded);
  s.frontier = static_cast<int16_t>(FrontierDifference(board, kWhite));
  const auto white = PlacementCounts(board, kWhite);
  const auto black = PlacementCounts(board, kBlack);
  for (int k = 0; k < kSquareClasses; ++k)
    s.placement[k] = static_cast<int8_t>(white[k] - black[k]);
  s.justMovedWhite = justMoved == kWhite;
  s.stage = static_cast<uint8_t>(stage);
  s.movesPlayed = static_cast<uint8_t>(movesPlayed);
  return s;
}

Bitboard BoardOfSample(const Sample& sample) {
  Bitboard board;
  for (int x = 1; x <= 8; ++x) {
    int index = sample.lines[x - 1];  // column x, read from row 1
    for (int y = 1; y <= 8; ++y, index /= 3)
      if (index % 3) board.Of(index % 3) |= uint64_t{1} << SquareBit(x, y);
  }
  return board;
}

Dataset BuildDataset(const DatasetOptions& options) {
  std::vector<std::string> games = ReadGames(options.gameFiles);
  const size_t recordGames = games.size();
  for (std::string& game : ReadGames(options.selfPlayFiles)) games.push_back(std::move(game));
  auto heldOut = [&](size_t g) {
    return g < recordGames && static_cast<int>(g % 10) == options.heldOutRemainder;
  };
  const int threads = std::max(1, options.threads);
  std::vector<std::vector<GameSamples>> perThread(threads);
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      for (size_t g = t; g < games.size(); g += threads)
        perThread[t].push_back(SamplesOfGame(games[g], static_cast<int>(g), heldOut(g), options));
    });
  }
  for (auto& worker : workers) worker.join();

  Dataset data;
  data.games = static_cast<int>(recordGames);
  data.selfPlayGames = static_cast<int>(games.size() - recordGames);
  auto copies = [&](size_t g) { return g < recordGames ? 1 : std::max(1, options.selfPlayCopies); };
  size_t trainingCount = 0, heldOutCount = 0;
  for (size_t g = 0; g < games.size(); ++g)
    (heldOut(g) ? heldOutCount : trainingCount) +=
        copies(g) * perThread[g % threads][g / threads].samples.size();
  data.training.reserve(trainingCount);
  data.heldOut.reserve(heldOutCount);
  for (size_t g = 0; g < games.size(); ++g) {
    GameSamples& result = perThread[g % threads][g / threads];
    data.rejectedGames += result.rejected;
    data.relabelledGames += result.relabelled;
    auto& target = heldOut(g) ? data.heldOut : data.training;
    for (int c = 0; c < copies(g); ++c)
      target.insert(target.end(), result.samples.begin(), result.samples.end());
    if (g >= recordGames) data.selfPlayPositions += copies(g) * result.samples.size();
    std::vector<Sample>().swap(result.samples);
  }
  return data;
}

}  // namespace kerna::train
