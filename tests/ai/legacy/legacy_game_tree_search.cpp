// The search loop over the ply tables. One loop serves the middle game and both
// solvers; they differ in how a ply is expanded, when a line ends and what its
// end is worth. Nothing here allocates: the loop runs on the Board's layers and
// the fixed-size tables of SearchState.
#include "legacy_game_tree_search.hpp"

#include <algorithm>

#include "legacy_layer_moves.hpp"

namespace kerna {

int16_t* LegacyGameTreeSearch::Cells() {
  return &board_.cell[0][0][0];
}

int LegacyGameTreeSearch::Stage() const {
  return ai::ClampedStage(ai_.GameStage);
}

void LegacyGameTreeSearch::CountNode() {
  if ((++state_.Nodes & kCloseCheckMask) == 0) io_.CheckClosed();
}

void LegacyGameTreeSearch::BuildEmptySquareList() {
  SearchState& s = state_;
  s.ENUL = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (board_.cell[x][y][0] != kEmpty) continue;
      ++s.ENUL;
      s.EmptyX[s.ENUL] = static_cast<int16_t>(x);
      s.EmptyY[s.ENUL] = static_cast<int16_t>(y);
    }
  }
}

void LegacyGameTreeSearch::ResetExpandedPly(int ply) {
  SearchState& s = state_;
  s.SEL[ply] = 1;
  s.AB[ply] = kNoBound;
  std::fill(std::begin(s.SAKI[ply]), std::end(s.SAKI[ply]), kNoScore);
  std::fill(s.SEL.begin() + ply + 1, s.SEL.end(), int16_t{0});
  std::fill(board_.PlyOpenness.begin() + ply, board_.PlyOpenness.end(), int16_t{0});
}

void LegacyGameTreeSearch::SortCandidates(int ply) {
  SearchState& s = state_;
  const int count = s.EN[ply];
  for (int a = 1; a < count; ++a) {
    for (int b = a + 1; b <= count; ++b) {
      if (s.OrderKey[b] >= s.OrderKey[a]) continue;
      std::swap(s.OrderKey[a], s.OrderKey[b]);
      std::swap(s.MX[ply][a], s.MX[ply][b]);
      std::swap(s.MY[ply][a], s.MY[ply][b]);
    }
  }
}

void LegacyGameTreeSearch::ExpandPly() {
  SearchState& s = state_;
  BoardState& b = board_;
  const int ply = b.Layer, side = b.SideToMove, opponent = 3 - side;
  int16_t* cells = Cells();
  int16_t* layer = cells + ply;
  const int stage = Stage();
  int count = 0;
  for (int i = 1; i <= s.ENUL; ++i) {
    const int x = s.EmptyX[i], y = s.EmptyY[i];
    int openness = 0;
    if (!legacy::IsLegalWithOpenness(layer, ai::SquareOffset(x, y), side, opponent, openness))
      continue;
    ++count;
    s.MX[ply][count] = static_cast<int16_t>(x);
    s.MY[ply][count] = static_cast<int16_t>(y);
    s.OrderKey[count] = static_cast<int16_t>(10 * openness - placement_.SquareClass[x][y][stage]);
  }
  s.EN[ply] = static_cast<int16_t>(count);
  if (ply <= 2) {
    // Near the root the order comes from the evaluation itself. The first term is
    // what OpennessSum holds after the evaluation: its last disc's neighbour sum.
    for (int k = 1; k <= count; ++k) {
      legacy::CopyLayer(cells, ply, ply + 1);
      legacy::Play(layer, ai::SquareOffset(s.MX[ply][k], s.MY[ply][k]), side, opponent);
      CountNode();
      evaluation_.Evaluate();
      ++s.Evaluations;
      s.OrderKey[k] = static_cast<int16_t>(10 * b.OpennessSum + ai_.ShownValue);
      legacy::CopyLayer(cells, ply + 1, ply);
    }
  }
  ResetExpandedPly(ply);
  if (count >= 2) SortCandidates(ply);
}

void LegacyGameTreeSearch::ExpandPlyExact() {
  SearchState& s = state_;
  const int ply = board_.Layer, side = board_.SideToMove;
  const int16_t* layer = Cells() + ply;
  int count = 0;
  for (int i = 1; i <= s.ENUL; ++i) {
    if (!legacy::IsLegal(layer, ai::SquareOffset(s.EmptyX[i], s.EmptyY[i]), side, 3 - side))
      continue;
    ++count;
    s.MX[ply][count] = s.EmptyX[i];
    s.MY[ply][count] = s.EmptyY[i];
  }
  s.EN[ply] = static_cast<int16_t>(count);
  ResetExpandedPly(ply);
}

void LegacyGameTreeSearch::ExpandPlyWinLossDraw() {
  SearchState& s = state_;
  const int ply = board_.Layer, side = board_.SideToMove, opponent = -side;
  int16_t* cells = Cells();
  int16_t* layer = cells + ply;
  int count = 0;
  for (int i = 1; i <= s.ENUL; ++i) {
    if (!legacy::IsLegal(layer, ai::SquareOffset(s.EmptyX[i], s.EmptyY[i]), side, opponent))
      continue;
    ++count;
    s.MX[ply][count] = s.EmptyX[i];
    s.MY[ply][count] = s.EmptyY[i];
  }
  s.EN[ply] = static_cast<int16_t>(count);
  if (ply <= ai_.EndgameDepthLimit && count >= 2 && ply < kDeepestPly) {
    // Fewest opponent replies first.
    for (int k = 1; k <= count; ++k) {
      legacy::CopyLayer(cells, ply, ply + 1);
      legacy::Play(layer, ai::SquareOffset(s.MX[ply][k], s.MY[ply][k]), side, opponent);
      CountNode();
      int replies = 0;
      for (int i = 1; i <= s.ENUL; ++i)
        replies +=
            legacy::IsLegal(layer, ai::SquareOffset(s.EmptyX[i], s.EmptyY[i]), opponent, side);
      s.OrderKey[k] = static_cast<int16_t>(replies);
      legacy::CopyLayer(cells, ply + 1, ply);
    }
  }
  ResetExpandedPly(ply);
  if (ply <= ai_.EndgameDepthLimit && count >= 2 && ply < kDeepestPly) SortCandidates(ply);
}

void LegacyGameTreeSearch::Reset() {
  SearchState& s = state_;
  board_.Layer = 1;
  board_.SideToMove = board_.ComputerSide;
  std::fill(std::begin(s.SAKI[1]), std::end(s.SAKI[1]), kNoScore);
  s.SAKI[0][0] = kNoScore;
  s.SEL.fill(0);
  s.AB.fill(kNoBound);
  std::fill(s.EN.begin() + 2, s.EN.end(), int16_t{0});
  s.PS = 0;
  s.MovesOnLine.fill(0);
  s.StoppedAtWin = 0;
}

void LegacyGameTreeSearch::ReportProgress(int ply) {
  state_.Listener().OnProgress(ply);
  io_.CheckClosed();
}

template <LegacyGameTreeSearch::Mode mode>
int LegacyGameTreeSearch::LeafValue(int ply) {
  const BoardState& b = board_;
  const int16_t* layer = Cells() + ply;
  const int computer = b.ComputerSide;
  if constexpr (mode == Mode::kMiddleGame) {
    evaluation_.Evaluate();
    ++state_.Evaluations;
    // A leaf stays inside the range of undecided scores: beyond it a value would
    // pass for a decided game (+-9000) or, past -9999, for "no score yet".
    return std::clamp<int>(ai_.ShownValue, -kLargestLeaf, kLargestLeaf);
  } else if constexpr (mode == Mode::kWinLossDraw) {
    int sum = 0;  // black +1, white -1
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) sum += layer[ai::SquareOffset(x, y)];
    return ((sum > 0) - (sum < 0)) * computer;
  } else {
    int margin = 0;
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) {
        const int v = layer[ai::SquareOffset(x, y)];
        margin += (v == computer) - (v == 3 - computer);
      }
    }
    return margin;
  }
}

template <LegacyGameTreeSearch::Mode mode>
void LegacyGameTreeSearch::RunLoop() {
  SearchState& s = state_;
  BoardState& b = board_;
  int16_t* cells = Cells();
  const float depth = ai_.LookAheadDepth;
  auto opponent_of = [](int side) { return mode == Mode::kWinLossDraw ? -side : 3 - side; };

  // A completed score at `ply` raises the score of the candidate above it.
  auto back_up = [&s](int ply) {
    const int score = s.SAKI[ply][s.SEL[ply]];
    if (score == kNoScore) return;
    int16_t& parent = s.SAKI[ply - 1][s.SEL[ply - 1]];
    if (parent < -score) parent = static_cast<int16_t>(-score);
  };
  // Stores the value (computer's view) of the line ending at `ply` for the side to move next.
  auto score_candidate = [&](int ply, int value) {
    if (ply & 1) value = -value;
    s.SAKI[ply][s.SEL[ply]] = static_cast<int16_t>(value);
    back_up(ply);
    legacy::CopyLayer(cells, ply - 1, ply);
    ++s.SEL[ply];
  };
  auto final_value = [&](int ply) -> int {
    if constexpr (mode != Mode::kMiddleGame) {
      return LeafValue<mode>(ply);
    } else {
      const int16_t* layer = cells + ply;
      int mine = 0, theirs = 0;
      for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
          const int v = layer[ai::SquareOffset(x, y)];
          mine += v == b.ComputerSide;
          theirs += v == 3 - b.ComputerSide;
        }
      }
      // A win ranks above a draw, a draw (worth nothing) above a loss.
      return mine == theirs ? 0 : mine > theirs ? kDecided : -kDecided;
    }
  };
  auto stop_at_win = [&]() {
    s.StoppedAtWin = 1;
    s.SEL[1] = static_cast<int16_t>(s.EN[1] + 1);
    b.Layer = 1;
  };

  int ply = 1, side = b.SideToMove;
  s.MovesOnLine[1] = 0;
  for (;;) {
    b.Layer = static_cast<int16_t>(ply);
    b.SideToMove = static_cast<int16_t>(side);
    if (s.SEL[ply] == 0) {
      if constexpr (mode == Mode::kMiddleGame) ExpandPly();
      if constexpr (mode == Mode::kWinLossDraw) ExpandPlyWinLossDraw();
      if constexpr (mode == Mode::kExact) ExpandPlyExact();
    }
    back_up(ply);
    if (s.AB[ply - 1] != kNoBound && s.SAKI[ply - 1][s.SEL[ply - 1]] >= s.AB[ply - 1]) {
      s.SEL[ply] = static_cast<int16_t>(s.EN[ply] + 1);  // cutoff (ties cut)
    } else if (s.EN[ply] > 0) {
      const int k = s.SEL[ply];
      legacy::Play(cells + ply, ai::SquareOffset(s.MX[ply][k], s.MY[ply][k]), side,
                   opponent_of(side));
      CountNode();
      s.PS = 0;
      bool leaf;
      if constexpr (mode == Mode::kMiddleGame) {
        leaf = ply >= depth;
      } else {
        leaf = s.MovesOnLine[ply] + 1 >= s.ENUL;
      }
      if (!leaf && ply < kDeepestPly) {
        legacy::CopyLayer(cells, ply, ply + 1);
        s.MovesOnLine[ply + 1] = static_cast<int16_t>(s.MovesOnLine[ply] + 1);
        ++ply;
        side = opponent_of(side);
        continue;
      }
      score_candidate(ply, LeafValue<mode>(ply));
      if (mode == Mode::kWinLossDraw && ply == 1 && s.SAKI[1][s.SEL[1] - 1] == -1) {
        stop_at_win();
        return;
      }
    } else if (ply >= kDeepestPly) {
      score_candidate(ply,
                      LeafValue<mode>(ply));  // the tables end here: score the line as it stands
    } else {
      legacy::CopyLayer(cells, ply, ply + 1);  // pass
      s.MovesOnLine[ply + 1] = s.MovesOnLine[ply];
      ++ply;
      side = opponent_of(side);
      if (++s.PS < 2) continue;
      b.Layer = static_cast<int16_t>(ply);
      b.SideToMove = static_cast<int16_t>(side);
      score_candidate(ply, final_value(ply));  // both sides passed: the game is over
    }
    while (s.SEL[ply] > s.EN[ply]) {
      if (ply == 1) {
        b.Layer = 1;
        b.SideToMove = static_cast<int16_t>(side);
        return;
      }
      s.AB[ply] = kNoBound;
      s.SEL[ply] = 0;
      std::fill(std::begin(s.SAKI[ply]), std::end(s.SAKI[ply]), kNoScore);
      s.EN[ply] = 0;
      --ply;
      side = opponent_of(side);
      back_up(ply);
      const int16_t completed = s.SAKI[ply][s.SEL[ply]];
      if (completed < s.AB[ply]) s.AB[ply] = completed;
      legacy::CopyLayer(cells, ply - 1, ply);
      if (ply < 3 && s.SEL[ply] <= s.EN[ply]) ReportProgress(ply);
      if (mode == Mode::kWinLossDraw && ply == 1 && completed == -1) {
        b.SideToMove = static_cast<int16_t>(side);
        stop_at_win();
        return;
      }
      ++s.SEL[ply];
    }
  }
}

void LegacyGameTreeSearch::Search() {
  RunLoop<Mode::kMiddleGame>();
}
void LegacyGameTreeSearch::SolveWinLossDraw() {
  RunLoop<Mode::kWinLossDraw>();
}
void LegacyGameTreeSearch::SolveExact() {
  RunLoop<Mode::kExact>();
}

}  // namespace kerna
