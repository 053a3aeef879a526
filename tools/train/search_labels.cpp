// A plain negamax alpha-beta over the training tool's bitboards, without
// tables. Three or more moves from its leaves it tries the moves in the order
// of their static values, which cuts a depth-4 search to a few hundred
// evaluations; the value does not depend on the order.
#include "search_labels.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <thread>

namespace kerna::train {
namespace {

int Negamax(const EvaluationTables& tables, const Bitboard& board, int toMove, int justMoved,
            int depth, int stage, int alpha, int beta, bool passed) {
  const int sign = toMove == kWhite ? 1 : -1;
  if (depth == 0) return sign * Evaluate(tables, {board, justMoved, kWhite, stage});
  const int opponent = Opponent(toMove);
  uint64_t moves = LegalMoves(board.Of(toMove), board.Of(opponent));
  if (moves == 0) {
    if (passed) return sign * 10 * FinalDifference(board);
    // A pass is no move of the search's depth; the passing side counts as the
    // one that moved, as in the game's search.
    return -Negamax(tables, board, opponent, toMove, depth, stage, -beta, -alpha, true);
  }
  std::array<Bitboard, 64> children;
  std::array<std::pair<int, int>, 64> order;  // minus the child's static value, child
  int count = 0;
  for (; moves; moves &= moves - 1) {
    const int square = std::countr_zero(moves);
    const uint64_t flips = Flips(board.Of(toMove), board.Of(opponent), square);
    Bitboard& next = children[count];
    next = board;
    next.Of(toMove) |= flips | (uint64_t{1} << square);
    next.Of(opponent) &= ~flips;
    order[count] = {0, count};
    ++count;
  }
  if (depth >= 3) {
    for (int i = 0; i < count; ++i)
      order[i].first = -Evaluate(tables, {children[i], toMove, toMove, stage});
    std::sort(order.begin(), order.begin() + count);
  }
  int best = -32768;
  for (int i = 0; i < count; ++i) {
    const int value = -Negamax(tables, children[order[i].second], opponent, toMove, depth - 1,
                               stage, -beta, -alpha, false);
    best = std::max(best, value);
    alpha = std::max(alpha, value);
    if (alpha >= beta) break;
  }
  return best;
}

}  // namespace

int SearchValue(const EvaluationTables& tables, const Bitboard& board, int toMove, int justMoved,
                int depth, int stage) {
  const int sign = toMove == kWhite ? 1 : -1;
  return sign * Negamax(tables, board, toMove, justMoved, depth, stage, -32767, 32767, false);
}

double SearchShareAt(const SearchLabelOptions& options, int movesPlayed) {
  if (movesPlayed <= options.blendFrom) return options.searchShare;
  if (movesPlayed >= options.blendTo) return 0;
  return options.searchShare * (options.blendTo - movesPlayed) /
         (options.blendTo - options.blendFrom);
}

bool SearchesRecordSample(const SearchLabelOptions& options, size_t n, int movesPlayed) {
  if (movesPlayed < options.fromMove) return false;
  if (options.sampleShare >= 1) return true;
  // Drawn by the sample's number: the same draw on every run and thread count.
  return UnitInterval(Mix(n)) < options.sampleShare;
}

void RelabelBySearch(std::vector<Sample>& samples, const EvaluationTables& tables,
                     const SearchLabelOptions& options) {
  const int threads = std::max(1, options.threads);
  auto work = [&](int t) {
    const size_t begin = samples.size() * t / threads;
    const size_t end = samples.size() * (t + 1) / threads;
    for (size_t n = begin; n < end; ++n) {
      Sample& s = samples[n];
      const int justMoved = s.justMovedWhite ? kWhite : kBlack;
      const Bitboard board = BoardOfSample(s);
      if (s.offLine && 60 - s.movesPlayed <= options.exactEmpties) {
        s.label = static_cast<int16_t>(SolveExactly(board, Opponent(justMoved)));
        continue;
      }
      const double share = s.offLine ? 1.0 : SearchShareAt(options, s.movesPlayed);
      if (share <= 0 || (!s.offLine && !SearchesRecordSample(options, n, s.movesPlayed))) continue;
      const int value =
          SearchValue(tables, board, Opponent(justMoved), justMoved, options.depth, s.stage);
      const double discs = std::clamp(value / 10.0, -64.0, 64.0);
      s.label = static_cast<int16_t>(std::lround(share * discs + (1 - share) * s.label));
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
  work(0);
  for (auto& worker : workers) worker.join();
}

void DropUnsearchedRecordSamples(std::vector<Sample>& samples, const SearchLabelOptions& options) {
  size_t kept = 0;
  for (size_t n = 0; n < samples.size(); ++n) {
    const Sample& s = samples[n];
    const bool unsearched = !s.offLine && s.movesPlayed >= options.fromMove &&
                            SearchShareAt(options, s.movesPlayed) > 0 &&
                            !SearchesRecordSample(options, n, s.movesPlayed);
    if (!unsearched) samples[kept++] = s;
  }
  samples.resize(kept);
}

}  // namespace kerna::train
