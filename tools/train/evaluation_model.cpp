// Exact integer replica of the game's evaluation, used for fitting and checking.
#include "evaluation_model.hpp"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace kerna::train {
namespace {

std::array<Line, kLines> BuildLines() {
  std::array<Line, kLines> lines{};
  int n = 0;
  for (int x = 1; x <= 8; ++x) {
    lines[n].length = 8;
    for (int y = 1; y <= 8; ++y) lines[n].squares[y - 1] = {x, y};
    ++n;
  }
  for (int y = 1; y <= 8; ++y) {
    lines[n].length = 8;
    for (int x = 1; x <= 8; ++x) lines[n].squares[x - 1] = {x, y};
    ++n;
  }
  // Down-right diagonals x - y = d, starting in row 1 (d >= 0) or column 1 (d < 0).
  for (int d = -5; d <= 5; ++d) {
    int x = d >= 0 ? 1 + d : 1;
    int y = d >= 0 ? 1 : 1 - d;
    Line& line = lines[n++];
    for (; x <= 8 && y <= 8; ++x, ++y) line.squares[line.length++] = {x, y};
  }
  // Down-left diagonals x + y = s, starting at the square with the smallest row.
  for (int s = 4; s <= 14; ++s) {
    int y = std::max(1, s - 8);
    int x = s - y;
    Line& line = lines[n++];
    for (; x >= 1 && y <= 8; --x, ++y) line.squares[line.length++] = {x, y};
  }
  return lines;
}

constexpr std::array<int, 9> kPowersOfThree{1, 3, 9, 27, 81, 243, 729, 2187, 6561};

// The lines through each square (at most four) and the power of three of its
// place in each: the indices are summed over the discs alone, since the fit and
// the labelling search evaluate millions of positions.
struct SquareLines {
  int count = 0;
  std::array<std::array<int, 2>, 4> entries{};  // line, power of three
};

const std::array<SquareLines, 64>& LinesOfSquares() {
  static const std::array<SquareLines, 64> table = [] {
    std::array<SquareLines, 64> squares{};
    const auto& lines = Lines();
    for (int l = 0; l < kLines; ++l)
      for (int i = 0; i < lines[l].length; ++i) {
        SquareLines& square = squares[SquareBit(lines[l].squares[i][0], lines[l].squares[i][1])];
        square.entries[square.count++] = {l, kPowersOfThree[i]};
      }
    return squares;
  }();
  return table;
}

const std::array<int, 64>& ClassOfBit() {
  static const std::array<int, 64> table = [] {
    std::array<int, 64> classes{};
    for (int x = 1; x <= 8; ++x)
      for (int y = 1; y <= 8; ++y) classes[SquareBit(x, y)] = SquareClassOf(x, y);
    return classes;
  }();
  return table;
}

// Sum over `discs` of their empty neighbours (of eight).
int EmptyNeighbours(uint64_t discs, uint64_t empty) {
  constexpr uint64_t kNotColumn1 = 0xfefefefefefefefeULL;
  constexpr uint64_t kNotColumn8 = 0x7f7f7f7f7f7f7f7fULL;
  int count = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      if (dx == 0 && dy == 0) continue;
      const int delta = dx + 8 * dy;  // the neighbour's bit minus the disc's
      uint64_t neighbourEmpty = delta > 0 ? empty >> delta : empty << -delta;
      // A shift by one column wraps between rows: the edge column has no such neighbour.
      if (dx == 1) neighbourEmpty &= kNotColumn8;
      if (dx == -1) neighbourEmpty &= kNotColumn1;
      count += std::popcount(discs & neighbourEmpty);
    }
  return count;
}

// The three corner neighbours of each corner, in the evaluation's order.
struct Corner {
  int x, y;
  std::array<std::array<int, 2>, 3> neighbours;
};
constexpr std::array<Corner, 4> kCorners{{{1, 1, {{{2, 1}, {2, 2}, {1, 2}}}},
                                          {8, 1, {{{7, 1}, {7, 2}, {8, 2}}}},
                                          {1, 8, {{{1, 7}, {2, 7}, {2, 8}}}},
                                          {8, 8, {{{8, 7}, {7, 7}, {7, 8}}}}}};

// Squares whose placement value the corner correction takes back.
uint64_t CorrectedSquares(const Bitboard& board) {
  uint64_t squares = 0;
  for (const Corner& corner : kCorners) {
    if (board.Cell(corner.x, corner.y) == 0) continue;
    for (const auto& [x, y] : corner.neighbours) squares |= uint64_t{1} << SquareBit(x, y);
  }
  return squares;
}

int PlacementSum(const EvaluationTables& tables, const Bitboard& board, int side, int stage) {
  const auto counts = PlacementCounts(board, side);
  int sum = 0;
  for (int k = 0; k < kSquareClasses; ++k) sum += counts[k] * tables.place[k][stage];
  return sum;
}

}  // namespace

const std::array<Line, kLines>& Lines() {
  static const std::array<Line, kLines> lines = BuildLines();
  return lines;
}

int MainDiagonalLine() {
  return 16 + 5;
}  // d = 0
int AntiDiagonalLine() {
  return 27 + 5;
}  // s = 9

LineIndices ComputeLineIndices(const Bitboard& board) {
  LineIndices indices{};
  const auto& squares = LinesOfSquares();
  for (int colour = kWhite; colour <= kBlack; ++colour)
    for (uint64_t discs = board.Of(colour); discs; discs &= discs - 1) {
      const SquareLines& square = squares[std::countr_zero(discs)];
      for (int e = 0; e < square.count; ++e)
        indices[square.entries[e][0]] += static_cast<uint16_t>(colour * square.entries[e][1]);
    }
  return indices;
}

int SquareClassOf(int x, int y) {
  const int fx = std::min(x, 9 - x);
  const int fy = std::min(y, 9 - y);
  const int low = std::min(fx, fy);
  const int high = std::max(fx, fy);
  // (1,1) A, (1,2) B, (1,3) C, (1,4) D, (2,2) E, (2,3) F, (2,4) G, (3,3) H, (3,4) I, (4,4) J
  static constexpr int kFirstOfRow[5] = {0, 0, 4, 7, 9};
  return kFirstOfRow[low] + (high - low);
}

int StageOf(int movesPlayed) {
  if (movesPlayed >= 45) return 3;
  if (movesPlayed >= 36) return 2;
  if (movesPlayed >= 26) return 1;
  return 0;
}

int SearchStageOf(int movesPlayed, int leafDepth) {
  return StageOf(std::max(0, movesPlayed - leafDepth));
}

int SwapColours(int index) {
  int swapped = 0;
  for (int i = 0; i < 8; ++i) {
    const int digit = index / kPowersOfThree[i] % 3;
    swapped += (digit == 0 ? 0 : 3 - digit) * kPowersOfThree[i];
  }
  return swapped;
}

int ReverseLine(int index, int length) {
  int reversed = 0;
  for (int i = 0; i < length; ++i) {
    const int digit = index / kPowersOfThree[i] % 3;
    reversed += digit * kPowersOfThree[length - 1 - i];
  }
  return reversed + index / kPowersOfThree[length] * kPowersOfThree[length];
}

std::array<int, kSquareClasses> PlacementCounts(const Bitboard& board, int side) {
  std::array<int, kSquareClasses> counts{};
  const auto& classes = ClassOfBit();
  for (uint64_t earning = board.Of(side) & ~CorrectedSquares(board); earning;
       earning &= earning - 1)
    ++counts[classes[std::countr_zero(earning)]];
  return counts;
}

int FrontierDifference(const Bitboard& board, int computer) {
  // Every disc counts -2 per empty neighbour.
  const uint64_t empty = board.Empty();
  return -2 * EmptyNeighbours(board.Of(computer), empty) +
         2 * EmptyNeighbours(board.Of(Opponent(computer)), empty);
}

int EvaluatePlacementOnly(const EvaluationTables& tables, const EvaluationInput& in) {
  return PlacementSum(tables, in.board, in.computer, in.stage) -
         PlacementSum(tables, in.board, Opponent(in.computer), in.stage);
}

int Evaluate(const EvaluationTables& tables, const EvaluationInput& in) {
  const LineIndices idx = ComputeLineIndices(in.board);
  // Pattern sums per colour; the column sum is cut to 8 bits before the rest.
  int pattern[3] = {0, 0, 0};
  for (int colour = kWhite; colour <= kBlack; ++colour) {
    int sum = 0;
    for (int l = 0; l < 8; ++l) sum += tables.pattern[idx[l]][colour - 1];
    sum = static_cast<int8_t>(sum);
    for (int l = 8; l < kLines; ++l) sum += tables.pattern[idx[l]][colour - 1];
    pattern[colour] = static_cast<int16_t>(sum);
  }
  int diagonal[3] = {0, 0, 0};
  int tempo[3] = {0, 0, 0};
  int noTempo[3] = {0, 0, 0};
  const bool edgesEmpty =
      std::all_of(kEdgeLines.begin(), kEdgeLines.end(), [&](int l) { return idx[l] == 0; });
  for (int colour = kWhite; colour <= kBlack; ++colour) {
    const bool white = colour == kWhite;
    const int diagonalColumn = white ? kDiagonalWhite : kDiagonalBlack;
    diagonal[colour] = static_cast<int8_t>(tables.edge[idx[MainDiagonalLine()]][diagonalColumn] +
                                           tables.edge[idx[AntiDiagonalLine()]][diagonalColumn]);
    if (edgesEmpty) continue;
    const int tempoColumn = colour == in.justMoved
                                ? (white ? kEdgeJustMovedWhite : kEdgeJustMovedBlack)
                                : (white ? kEdgeToMoveWhite : kEdgeToMoveBlack);
    const int noTempoColumn = white ? kEdgeNoTempoWhite : kEdgeNoTempoBlack;
    int t = 0, p = 0;
    for (int l : kEdgeLines) {
      t += tables.edge[idx[l]][tempoColumn];
      p += tables.edge[idx[l]][noTempoColumn];
    }
    tempo[colour] = static_cast<int8_t>(t);
    noTempo[colour] = static_cast<int8_t>(p);
  }
  auto sideTotal = [&](int colour) {
    return PlacementSum(tables, in.board, colour, in.stage) + 10 * tempo[colour] +
           10 * noTempo[colour] + 50 * diagonal[colour] + pattern[colour];
  };
  const int computer = in.computer;
  const int other = Opponent(computer);
  const int value =
      sideTotal(computer) + 5 * FrontierDifference(in.board, computer) - sideTotal(other);
  return static_cast<int16_t>(value);
}

}  // namespace kerna::train
