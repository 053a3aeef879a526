// A plain negamax alpha-beta over the training tool's bitboards. No move
// ordering and no tables: at depth 2 to 3 it costs tens of evaluations a
// position, which is what millions of positions allow.
#include "search_labels.hpp"

#include <algorithm>
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
  int best = -32768;
  while (moves) {
    const int square = std::countr_zero(moves);
    moves &= moves - 1;
    const uint64_t flips = Flips(board.Of(toMove), board.Of(opponent), square);
    Bitboard next = board;
    next.Of(toMove) |= flips | (uint64_t{1} << square);
    next.Of(opponent) &= ~flips;
    const int value =
        -Negamax(tables, next, opponent, toMove, depth - 1, stage, -beta, -alpha, false);
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

void RelabelBySearch(std::vector<Sample>& samples, const EvaluationTables& tables,
                     const SearchLabelOptions& options) {
  const int threads = std::max(1, options.threads);
  auto work = [&](int t) {
    const size_t begin = samples.size() * t / threads;
    const size_t end = samples.size() * (t + 1) / threads;
    for (size_t n = begin; n < end; ++n) {
      Sample& s = samples[n];
      const double share = SearchShareAt(options, s.movesPlayed);
      if (share <= 0) continue;
      const int justMoved = s.justMovedWhite ? kWhite : kBlack;
      const int value = SearchValue(tables, BoardOfSample(s), Opponent(justMoved), justMoved,
                                    options.depth, s.stage);
      const double discs = std::clamp(value / 10.0, -64.0, 64.0);
      s.label = static_cast<int16_t>(std::lround(share * discs + (1 - share) * s.label));
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
  work(0);
  for (auto& worker : workers) worker.join();
}

}  // namespace kerna::train
