// The search loop over the ply tables. One loop serves the middle game and both
// solvers; they differ in how a ply is expanded, when a line ends and what its
// end is worth. Nothing here allocates: the loop runs on the bitboard positions
// and the fixed-size tables of SearchState.
#include "ai/game_tree_search.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#include "ai/bitboard.hpp"

namespace kerna {

namespace {

// A row of scores with none yet, copied whole: one block copy instead of a
// store per entry, at every ply the search enters and leaves.
constexpr auto kNoScores = [] {
  std::array<int16_t, kCandidateRows> row{};
  row.fill(kNoScore);
  return row;
}();

void ClearScores(int16_t (&row)[kCandidateRows]) {
  std::memcpy(row, kNoScores.data(), sizeof row);
}

}  // namespace

int16_t* GameTreeSearch::Cells() {
  return &board_.cell[0][0][0];
}

int GameTreeSearch::Stage() const {
  return ai::ClampedStage(ai_.GameStage);
}

void GameTreeSearch::CountNode() {
  if ((++state_.Nodes & kCloseCheckMask) == 0) io_.CheckClosed();
}

void GameTreeSearch::BuildEmptySquareList() {
  SearchState& s = state_;
  s.ENUL = 0;
  s.EmptySquares = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (board_.cell[x][y][0] != kEmpty) continue;
      ++s.ENUL;
      s.EmptySquares |= ai::SquareBit(x, y);
    }
  }
}

template <GameTreeSearch::Mode mode>
int GameTreeSearch::ColourOf(int side) {
  if constexpr (mode == Mode::kWinLossDraw) {
    return side > 0 ? kBlack : kWhite;  // black +1, white -1
  } else {
    return side;
  }
}

template <GameTreeSearch::Mode mode>
void GameTreeSearch::LoadPly(int ply) {
  state_.Placement = ai::PlacementOfStage(placement_, Stage());
  const int white = mode == Mode::kWinLossDraw ? -1 : kWhite;
  const int black = mode == Mode::kWinLossDraw ? 1 : kBlack;
  state_.PlyPosition[ply] = ai::LoadDiscPosition(Cells() + ply, white, black, state_.Placement);
}

template <GameTreeSearch::Mode mode>
void GameTreeSearch::StorePly(int ply) {
  const int white = mode == Mode::kWinLossDraw ? -1 : kWhite;
  const int black = mode == Mode::kWinLossDraw ? 1 : kBlack;
  ai::StoreDiscPosition(state_.PlyPosition[ply], Cells() + ply, white, black);
}

void GameTreeSearch::ResetExpandedPly(int ply, bool deeper_clear) {
  SearchState& s = state_;
  s.SEL[ply] = 1;
  s.AB[ply] = kNoBound;
  ClearScores(s.SAKI[ply]);
  if (deeper_clear) return;
  std::fill(s.SEL.begin() + ply + 1, s.SEL.end(), int16_t{0});
  std::fill(board_.PlyOpenness.begin() + ply, board_.PlyOpenness.end(), int16_t{0});
}

// The candidates of one ply while it is expanded, in local arrays the compiler
// keeps apart from the ply tables: each one's square and flips (0 when not
// worked out yet), and the order to take them in, key * 256 + candidate.
struct PlyCandidates {
  std::array<uint8_t, 64> bit;
  std::array<ai::Bitboard, 64> flips;
  std::array<int32_t, 64> order;
  int count = 0;

  void Add(int square, ai::Bitboard turned) {
    bit[count] = static_cast<uint8_t>(square);
    flips[count] = turned;
    order[count] = count;
    ++count;
  }
  // Before the sort only: the k-th candidate is still at place k.
  void SetKey(int k, int key) { order[k] = key * 256 + k; }
  static int Key(int32_t entry) { return entry >> 8; }  // arithmetic: keys may be negative
  int At(int place) const { return order[place] & 255; }

  // The search's exchange sort: each place takes the smallest key of those after
  // it by swapping as it meets smaller ones (which fixes the order of equal keys).
  void Sort() {
    for (int a = 0; a + 1 < count; ++a) {
      int32_t at_a = order[a];
      for (int b = a + 1; b < count; ++b) {
        // Without a branch: which way a comparison goes is a coin toss to the processor.
        const int32_t at_b = order[b];
        const int32_t swap = (at_a ^ at_b) & -static_cast<int32_t>(Key(at_b) < Key(at_a));
        order[b] = at_b ^ swap;
        at_a ^= swap;
      }
      order[a] = at_a;
    }
  }
};

// With this many empty squares or fewer a solver tries each one's flips instead
// of filling the board for the legal moves, and keeps the flips for the move:
// a square's flips cost about half a board fill, and most candidates are played.
constexpr int kFewEmpties = 4;
// With this many empty squares or fewer a solver's line is played out by
// recursion: most of a solver's nodes are there, and a recursive node costs
// less than a round of the loop. Beyond 8 the share of nodes left gains little.
constexpr int kPlayOutEmpties = 8;

// The middle game orders plies 1 and 2 by the evaluation itself (the first term
// is what OpennessSum holds after it: its last disc's neighbour sum), deeper
// plies by the open neighbours of the discs a move flips, then placement. The
// win-loss-draw solver puts the fewest opponent replies first up to ply
// EndgameDepthLimit; the exact solver keeps the list order.
template <GameTreeSearch::Mode mode>
bool GameTreeSearch::CollectCandidates(int ply, int side, PlyCandidates& c) {
  SearchState& s = state_;
  const int colour = ColourOf<mode>(side), other = 3 - colour;
  const ai::DiscPosition& position = s.PlyPosition[ply];
  const ai::Bitboard own = position.discs[colour], opponent = position.discs[other];
  const ai::Bitboard empty = ~(own | opponent);
  const ai::Bitboard open = empty & s.EmptySquares;
  if (mode != Mode::kMiddleGame && ai::CountSquares(open) <= kFewEmpties) {
    for (ai::Bitboard squares = open; squares != 0; squares &= squares - 1) {
      const int bit = ai::LowestBit(squares);
      if ((ai::kNeighbours[bit] & opponent) == 0) continue;  // nothing to turn over
      const ai::Bitboard flips = ai::Flips(bit, own, opponent);
      if (flips != 0) c.Add(bit, flips);
    }
  } else {
    for (ai::Bitboard moves = ai::LegalMoves(own, opponent) & open; moves != 0;
         moves &= moves - 1) {
      const int bit = ai::LowestBit(moves);
      if constexpr (mode == Mode::kMiddleGame) {
        const ai::Bitboard flips = ai::Flips(bit, own, opponent);
        c.Add(bit, flips);
        // The open neighbours of the discs the move turns over.
        const int openness = ai::EmptyNeighbourCountOfFew(flips, empty);
        c.SetKey(c.count - 1, static_cast<int16_t>(10 * openness - s.Placement[bit]));
      } else {
        c.Add(bit, 0);
      }
    }
  }
  bool keyed = false;
  if constexpr (mode == Mode::kMiddleGame) {
    keyed = true;
    if (ply <= 2) {
      ai::DiscPosition& after = s.PlyPosition[ply + 1];
      for (int k = 0; k < c.count; ++k) {
        ai::PlayMove<true>(position, after, c.bit[k], c.flips[k], colour, s.Placement);
        CountNode();
        evaluation_.EvaluatePosition(after, side);
        ++s.Evaluations;
        c.SetKey(k, static_cast<int16_t>(10 * board_.OpennessSum + ai_.ShownValue));
      }
    }
  } else if constexpr (mode == Mode::kWinLossDraw) {
    keyed = ply <= ai_.EndgameDepthLimit && c.count >= 2 && ply < kDeepestPly;
    if (keyed) {
      for (int k = 0; k < c.count; ++k) {
        if (c.flips[k] == 0) c.flips[k] = ai::Flips(c.bit[k], own, opponent);
        CountNode();
        const ai::Bitboard move = ai::Bitboard{1} << c.bit[k];
        const ai::Bitboard replies =
            ai::LegalMoves(opponent & ~c.flips[k], own | c.flips[k] | move) & s.EmptySquares;
        c.SetKey(k, ai::CountSquares(replies));
      }
    }
  }
  if (keyed && c.count >= 2) c.Sort();
  // The ply's rows: squares and flips in the order taken, the sorted keys in OrderKey.
  for (int place = 0; place < c.count; ++place) {
    const int k = c.At(place);
    s.MX[ply][place + 1] = static_cast<int16_t>(ai::ColumnOfBit(c.bit[k]));
    s.MY[ply][place + 1] = static_cast<int16_t>(ai::RowOfBit(c.bit[k]));
    s.MoveFlips[ply][place + 1] = c.flips[k];
    if (keyed) s.OrderKey[place + 1] = static_cast<int16_t>(PlyCandidates::Key(c.order[place]));
  }
  return keyed;
}

template <GameTreeSearch::Mode mode>
void GameTreeSearch::Expand(int ply, int side, bool deeper_clear) {
  PlyCandidates c;
  CollectCandidates<mode>(ply, side, c);
  state_.EN[ply] = static_cast<int16_t>(c.count);
  ResetExpandedPly(ply, deeper_clear);
}

void GameTreeSearch::ExpandPly() {
  LoadPly<Mode::kMiddleGame>(board_.Layer);
  Expand<Mode::kMiddleGame>(board_.Layer, board_.SideToMove, false);
}

void GameTreeSearch::ExpandPlyExact() {
  LoadPly<Mode::kExact>(board_.Layer);
  Expand<Mode::kExact>(board_.Layer, board_.SideToMove, false);
}

void GameTreeSearch::ExpandPlyWinLossDraw() {
  LoadPly<Mode::kWinLossDraw>(board_.Layer);
  Expand<Mode::kWinLossDraw>(board_.Layer, board_.SideToMove, false);
}

void GameTreeSearch::Reset() {
  SearchState& s = state_;
  board_.Layer = 1;
  board_.SideToMove = board_.ComputerSide;
  // Every row, also of plies no line has reached yet: a ply a solver finishes
  // without going round the loop leaves its rows as a visit would, cleared.
  for (int ply = 1; ply < kPlies; ++ply) ClearScores(s.SAKI[ply]);
  s.SAKI[0][0] = kNoScore;
  s.SEL.fill(0);
  s.AB.fill(kNoBound);
  std::fill(s.EN.begin() + 2, s.EN.end(), int16_t{0});
  s.PS = 0;
  s.MovesOnLine.fill(0);
  s.StoppedAtWin = 0;
}

void GameTreeSearch::ReportProgress(int ply) {
  state_.Listener().OnProgress(ply);
  io_.CheckClosed();
}

template <GameTreeSearch::Mode mode>
int GameTreeSearch::EndValue(ai::Bitboard white, ai::Bitboard black) const {
  const int computer = board_.ComputerSide;
  if constexpr (mode == Mode::kWinLossDraw) {
    const int sum = ai::CountSquares(black) - ai::CountSquares(white);
    return ((sum > 0) - (sum < 0)) * computer;
  } else {
    auto count = [white, black](int value) {
      return value == kWhite   ? ai::CountSquares(white)
             : value == kBlack ? ai::CountSquares(black)
                               : 0;
    };
    return count(computer) - count(3 - computer);
  }
}

template <GameTreeSearch::Mode mode>
int GameTreeSearch::LeafValue(const ai::DiscPosition& p, int side) {
  if constexpr (mode == Mode::kMiddleGame) {
    evaluation_.EvaluatePosition(p, side);
    ++state_.Evaluations;
    // A leaf stays inside the range of undecided scores: beyond it a value would
    // pass for a decided game (+-9000) or, past -9999, for "no score yet".
    return std::clamp<int>(ai_.ShownValue, -kLargestLeaf, kLargestLeaf);
  } else {
    return EndValue<mode>(p.discs[kWhite], p.discs[kBlack]);
  }
}

template <GameTreeSearch::Mode mode>
void GameTreeSearch::PlayOut(int ply, int side, int16_t& above, int16_t bound) {
  SearchState& s = state_;
  const int colour = ColourOf<mode>(side), other = 3 - colour;
  const int next_side = mode == Mode::kWinLossDraw ? -side : 3 - side;
  const ai::DiscPosition& position = s.PlyPosition[ply];
  const ai::Bitboard own = position.discs[colour], opponent = position.discs[other];
  PlyCandidates c;
  CollectCandidates<mode>(ply, side, c);
  // What the loop does when a score of this ply reaches the candidate above.
  auto back_up = [&above](int16_t score) {
    if (score != kNoScore && above < -score) above = static_cast<int16_t>(-score);
  };
  int16_t lowest = kNoBound;  // this ply's AB
  for (int place = 0;; ++place) {
    board_.Layer = static_cast<int16_t>(ply);
    board_.SideToMove = static_cast<int16_t>(side);
    if (bound != kNoBound && above >= bound) return;  // cutoff
    if (c.count == 0) {
      s.PlyPosition[ply + 1] = position;  // pass
      s.MovesOnLine[ply + 1] = s.MovesOnLine[ply];
      int16_t score = kNoScore;
      if (++s.PS < 2) {
        PlayOut<mode>(ply + 1, next_side, score, kNoBound);
      } else {  // both sides passed: the game is over
        board_.Layer = static_cast<int16_t>(ply + 1);
        board_.SideToMove = static_cast<int16_t>(next_side);
        const int value = EndValue<mode>(position.discs[kWhite], position.discs[kBlack]);
        score = static_cast<int16_t>((ply + 1) & 1 ? value : -value);
      }
      back_up(score);
      return;
    }
    const int bit = c.bit[c.At(place)];
    ai::Bitboard flips = c.flips[c.At(place)];
    if (flips == 0) flips = ai::Flips(bit, own, opponent);
    CountNode();
    s.PS = 0;
    ai::DiscPosition& after = s.PlyPosition[ply + 1];
    ai::PlayMove<false>(position, after, bit, flips, colour, s.Placement);
    int16_t score = kNoScore;
    if (s.MovesOnLine[ply] + 1 >= s.ENUL) {
      const int value = EndValue<mode>(after.discs[kWhite], after.discs[kBlack]);
      score = static_cast<int16_t>(ply & 1 ? -value : value);
    } else {
      s.MovesOnLine[ply + 1] = static_cast<int16_t>(s.MovesOnLine[ply] + 1);
      PlayOut<mode>(ply + 1, next_side, score, lowest);
      if (score < lowest) lowest = score;
    }
    back_up(score);
    if (place + 1 == c.count) return;
  }
}

template <GameTreeSearch::Mode mode>
void GameTreeSearch::RunLoop() {
  SearchState& s = state_;
  BoardState& b = board_;
  const float depth = ai_.LookAheadDepth;
  constexpr bool kKeepEvalTerms = mode == Mode::kMiddleGame;
  auto opponent_of = [](int side) { return mode == Mode::kWinLossDraw ? -side : 3 - side; };
  LoadPly<mode>(0);
  LoadPly<mode>(1);

  // A completed score at `ply` raises the score of the candidate above it.
  auto back_up = [&s](int ply) {
    const int score = s.SAKI[ply][s.SEL[ply]];
    if (score == kNoScore) return;
    int16_t& parent = s.SAKI[ply - 1][s.SEL[ply - 1]];
    if (parent < -score) parent = static_cast<int16_t>(-score);
  };
  // Back at `ply` after a candidate: its position is the one before the
  // candidate's move, which only the root takes afresh from the game position.
  auto restore = [&s](int ply) {
    if (ply == 1) s.PlyPosition[1] = s.PlyPosition[0];
  };
  // Stores the value (computer's view) of the line ending at `ply` for the side to move next.
  auto score_candidate = [&](int ply, int value) {
    if (ply & 1) value = -value;
    s.SAKI[ply][s.SEL[ply]] = static_cast<int16_t>(value);
    back_up(ply);
    restore(ply);
    ++s.SEL[ply];
  };
  auto final_value = [&](int ply) -> int {
    if constexpr (mode != Mode::kMiddleGame) {
      return LeafValue<mode>(s.PlyPosition[ply], b.SideToMove);
    } else {
      const ai::DiscPosition& p = s.PlyPosition[ply];
      auto count = [&p](int value) {
        return value == kWhite || value == kBlack ? ai::CountSquares(p.discs[value]) : 0;
      };
      const int mine = count(b.ComputerSide), theirs = count(3 - b.ComputerSide);
      // A win ranks above a draw, a draw (worth nothing) above a loss.
      return mine == theirs ? 0 : mine > theirs ? kDecided : -kDecided;
    }
  };
  auto finish = [&](int side) {
    b.Layer = 1;
    b.SideToMove = static_cast<int16_t>(side);
    StorePly<mode>(1);
  };
  auto stop_at_win = [&](int side) {
    s.StoppedAtWin = 1;
    s.SEL[1] = static_cast<int16_t>(s.EN[1] + 1);
    finish(side);
  };
  // Back at `ply` from the ply below, whose line is complete: the score goes up,
  // the bound follows. True when the win-loss-draw solver stops at a proven win.
  auto returned_to = [&](int ply, int side) {
    back_up(ply);
    const int16_t completed = s.SAKI[ply][s.SEL[ply]];
    if (completed < s.AB[ply]) s.AB[ply] = completed;
    restore(ply);
    if (ply < 3 && s.SEL[ply] <= s.EN[ply]) ReportProgress(ply);
    if (mode == Mode::kWinLossDraw && ply == 1 && completed == -1) {
      stop_at_win(side);
      return true;
    }
    ++s.SEL[ply];
    return false;
  };

  // Most of a solver's lines are in their last few moves: once a move leaves
  // that few empty squares, the ply below is played out by recursion instead
  // of round the loop. True when it was.
  auto played_out_below = [&](int ply, int side) {
    if constexpr (mode == Mode::kMiddleGame) {
      return false;
    } else {
      const int below = ply + 1;
      if (ply < 2 || s.MovesOnLine[below] + kPlayOutEmpties < s.ENUL) return false;
      if (below + 2 * kPlayOutEmpties + 2 >= kDeepestPly) return false;
      const ai::DiscPosition& after = s.PlyPosition[below];
      const ai::Bitboard open = ~(after.discs[1] | after.discs[2]) & s.EmptySquares;
      if (ai::CountSquares(open) > kPlayOutEmpties) return false;
      PlayOut<mode>(below, opponent_of(side), s.SAKI[ply][s.SEL[ply]], s.AB[ply]);
      return true;
    }
  };

  int ply = 1, side = b.SideToMove;
  s.MovesOnLine[1] = 0;
  // Once a ply's expansion has cleared SEL and PlyOpenness below it, they stay
  // clear for every later expansion at or below it: the loop zeroes a ply's SEL
  // when it leaves the ply and never writes PlyOpenness.
  int cleared_from = kPlies + 1;
  for (;;) {
    b.Layer = static_cast<int16_t>(ply);
    b.SideToMove = static_cast<int16_t>(side);
    if (s.SEL[ply] == 0) {
      Expand<mode>(ply, side, ply >= cleared_from);
      cleared_from = std::min(cleared_from, ply);
    }
    back_up(ply);
    if (s.AB[ply - 1] != kNoBound && s.SAKI[ply - 1][s.SEL[ply - 1]] >= s.AB[ply - 1]) {
      s.SEL[ply] = static_cast<int16_t>(s.EN[ply] + 1);  // cutoff (ties cut)
    } else if (s.EN[ply] > 0) {
      const int k = s.SEL[ply];
      const int colour = ColourOf<mode>(side);
      const ai::DiscPosition& before = s.PlyPosition[ply];
      const int bit = ai::BitOf(s.MX[ply][k], s.MY[ply][k]);
      // The expansion may have worked the flips out; the root's rows are reordered
      // by the ranking, so its flips are always worked out afresh.
      ai::Bitboard flips = ply > 1 ? s.MoveFlips[ply][k] : 0;
      if (flips == 0) flips = ai::Flips(bit, before.discs[colour], before.discs[3 - colour]);
      CountNode();
      s.PS = 0;
      bool leaf;
      if constexpr (mode == Mode::kMiddleGame) {
        leaf = ply >= depth;
      } else {
        leaf = s.MovesOnLine[ply] + 1 >= s.ENUL;
      }
      ai::DiscPosition& after = s.PlyPosition[ply + 1];
      ai::PlayMove<kKeepEvalTerms>(before, after, bit, flips, colour, s.Placement);
      if (!leaf && ply < kDeepestPly) {
        s.MovesOnLine[ply + 1] = static_cast<int16_t>(s.MovesOnLine[ply] + 1);
        if (!played_out_below(ply, side)) {
          ++ply;
          side = opponent_of(side);
          continue;
        }
        if (returned_to(ply, side)) return;
      } else {
        score_candidate(ply, LeafValue<mode>(after, side));
        if (mode == Mode::kWinLossDraw && ply == 1 && s.SAKI[1][s.SEL[1] - 1] == -1) {
          stop_at_win(side);
          return;
        }
      }
    } else if (ply >= kDeepestPly) {
      // The tables end here: score the line as it stands.
      score_candidate(ply, LeafValue<mode>(s.PlyPosition[ply], side));
    } else {
      s.PlyPosition[ply + 1] = s.PlyPosition[ply];  // pass
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
        finish(side);
        return;
      }
      s.AB[ply] = kNoBound;
      s.SEL[ply] = 0;
      ClearScores(s.SAKI[ply]);
      s.EN[ply] = 0;
      --ply;
      side = opponent_of(side);
      if (returned_to(ply, side)) return;
    }
  }
}

void GameTreeSearch::Search() {
  RunLoop<Mode::kMiddleGame>();
}
void GameTreeSearch::SolveWinLossDraw() {
  RunLoop<Mode::kWinLossDraw>();
}
void GameTreeSearch::SolveExact() {
  RunLoop<Mode::kExact>();
}

}  // namespace kerna
