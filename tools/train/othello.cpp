// Move generation, game replay and a small exact endgame solver on bitboards.
#include "othello.hpp"

#include <algorithm>
#include <array>
#include <bit>

namespace kerna::train {
namespace {

constexpr uint64_t kNotColumnA = 0xfefefefefefefefeULL;  // bit x-1 = 0 cleared
constexpr uint64_t kNotColumnH = 0x7f7f7f7f7f7f7f7fULL;

// The eight steps as shifts of the bit index; masks stop wrapping across columns.
struct Step {
  int shift;  // positive = towards higher bits
  uint64_t mask;
};
constexpr std::array<Step, 8> kSteps{{{1, kNotColumnA},
                                      {-1, kNotColumnH},
                                      {8, ~uint64_t{0}},
                                      {-8, ~uint64_t{0}},
                                      {9, kNotColumnA},
                                      {7, kNotColumnH},
                                      {-7, kNotColumnA},
                                      {-9, kNotColumnH}}};

inline uint64_t Shift(uint64_t bits, const Step& step) {
  return (step.shift > 0 ? bits << step.shift : bits >> -step.shift) & step.mask;
}

}  // namespace

int Bitboard::Discs() const {
  return std::popcount(white) + std::popcount(black);
}

Bitboard Bitboard::Standard() {
  Bitboard b;
  b.white = (uint64_t{1} << SquareBit(4, 4)) | (uint64_t{1} << SquareBit(5, 5));
  b.black = (uint64_t{1} << SquareBit(4, 5)) | (uint64_t{1} << SquareBit(5, 4));
  return b;
}

uint64_t LegalMoves(uint64_t me, uint64_t opp) {
  const uint64_t empty = ~(me | opp);
  uint64_t moves = 0;
  for (const Step& step : kSteps) {
    uint64_t run = Shift(me, step) & opp;
    for (int i = 0; i < 5; ++i) run |= Shift(run, step) & opp;
    moves |= Shift(run, step) & empty;
  }
  return moves;
}

namespace {

// Discs flipped in one direction: walks from the placed disc while opponent
// discs follow and keeps them when one of the mover's discs closes the run.
template <int kShift, uint64_t kMask>
inline uint64_t FlipsTowards(uint64_t me, uint64_t opp, uint64_t bit) {
  auto next = [](uint64_t b) { return (kShift > 0 ? b << kShift : b >> -kShift) & kMask; };
  uint64_t run = 0;
  uint64_t walk = next(bit);
  while (walk & opp) {
    run |= walk;
    walk = next(walk);
  }
  return (walk & me) ? run : 0;
}

}  // namespace

uint64_t Flips(uint64_t me, uint64_t opp, int square) {
  const uint64_t bit = uint64_t{1} << square;
  if ((me | opp) & bit) return 0;
  constexpr uint64_t kAll = ~uint64_t{0};
  return FlipsTowards<1, kNotColumnA>(me, opp, bit) | FlipsTowards<-1, kNotColumnH>(me, opp, bit) |
         FlipsTowards<8, kAll>(me, opp, bit) | FlipsTowards<-8, kAll>(me, opp, bit) |
         FlipsTowards<9, kNotColumnA>(me, opp, bit) | FlipsTowards<7, kNotColumnH>(me, opp, bit) |
         FlipsTowards<-7, kNotColumnA>(me, opp, bit) | FlipsTowards<-9, kNotColumnH>(me, opp, bit);
}

int FinalDifference(const Bitboard& board) {
  const int white = std::popcount(board.white);
  const int black = std::popcount(board.black);
  const int empty = 64 - white - black;
  if (white > black) return white - black + empty;
  if (black > white) return white - black - empty;
  return 0;
}

std::optional<ReplayedGame> ReplayGame(std::string_view moves) {
  if (moves.size() % 2 != 0) return std::nullopt;
  ReplayedGame game;
  Bitboard board = Bitboard::Standard();
  int side = kBlack;
  for (size_t i = 0; i < moves.size(); i += 2) {
    const int x = moves[i] - 'a' + 1;
    const int y = moves[i + 1] - '0';
    if (x < 1 || x > 8 || y < 1 || y > 8) return std::nullopt;
    if (LegalMoves(board.Of(side), board.Of(Opponent(side))) == 0) side = Opponent(side);
    const int square = SquareBit(x, y);
    const uint64_t flips = Flips(board.Of(side), board.Of(Opponent(side)), square);
    if (flips == 0) return std::nullopt;
    board.Of(side) |= flips | (uint64_t{1} << square);
    board.Of(Opponent(side)) &= ~flips;
    game.positions.push_back({board, side, board.Discs() - 4});
    side = Opponent(side);
  }
  if (LegalMoves(board.white, board.black) != 0 || LegalMoves(board.black, board.white) != 0)
    return std::nullopt;
  game.finalDifference = FinalDifference(board);
  return game;
}

namespace {

// Negamax alpha-beta on the disc difference from the mover's side, empties to
// the winner. Moves are tried in order of the opponent's fewest replies when
// enough empties remain for the ordering to pay.
int Solve(uint64_t me, uint64_t opp, int alpha, int beta, bool passed) {
  uint64_t moves = LegalMoves(me, opp);
  if (moves == 0) {
    if (passed) {
      Bitboard end{me, opp};  // "white" = the mover
      return FinalDifference(end);
    }
    return -Solve(opp, me, -beta, -alpha, true);
  }
  const int empties = 64 - std::popcount(me | opp);
  if (empties > 6) {
    std::array<std::pair<int, int>, 32> order{};
    int count = 0;
    while (moves) {
      const int square = std::countr_zero(moves);
      moves &= moves - 1;
      const uint64_t flips = Flips(me, opp, square);
      const uint64_t newMe = me | flips | (uint64_t{1} << square);
      const uint64_t newOpp = opp & ~flips;
      order[count++] = {std::popcount(LegalMoves(newOpp, newMe)), square};
    }
    std::sort(order.begin(), order.begin() + count);
    int best = -65;
    for (int i = 0; i < count; ++i) {
      const int square = order[i].second;
      const uint64_t flips = Flips(me, opp, square);
      const int score =
          -Solve(opp & ~flips, me | flips | (uint64_t{1} << square), -beta, -alpha, false);
      if (score > best) {
        best = score;
        if (score > alpha) alpha = score;
        if (alpha >= beta) break;
      }
    }
    return best;
  }
  int best = -65;
  while (moves) {
    const int square = std::countr_zero(moves);
    moves &= moves - 1;
    const uint64_t flips = Flips(me, opp, square);
    const int score =
        -Solve(opp & ~flips, me | flips | (uint64_t{1} << square), -beta, -alpha, false);
    if (score > best) {
      best = score;
      if (score > alpha) alpha = score;
      if (alpha >= beta) break;
    }
  }
  return best;
}

}  // namespace

int SolveExactly(const Bitboard& board, int side) {
  const int forMover = Solve(board.Of(side), board.Of(Opponent(side)), -65, 65, false);
  return side == kWhite ? forMover : -forMover;
}

}  // namespace kerna::train
