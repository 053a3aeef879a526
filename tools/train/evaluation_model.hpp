// The game's position evaluation, modelled independently for the training tool:
// the 38 lines and their base-3 indices, the square classes and game stages,
// and an exact integer replica of the evaluation (placement, frontier, pattern,
// edge and long-diagonal terms with their 8-bit sums and the corner correction).
// The fitted tables are checked against this replica and, in the tests, against
// the game's own evaluation.
#pragma once

#include <array>
#include <cstdint>

#include "othello.hpp"

namespace kerna::train {

inline constexpr int kIndices = 6561;  // 3^8 arrangements of a line of eight squares
inline constexpr int kLines = 38;      // 8 columns, 8 rows, 22 diagonals of length 3..8
inline constexpr int kSquareClasses = 10;
inline constexpr int kStages = 5;  // 0..3 by moves played; 4 = the level-0 player

// Edge-table columns by role and colour.
inline constexpr int kEdgeJustMovedWhite = 0, kEdgeJustMovedBlack = 2;
inline constexpr int kEdgeToMoveWhite = 1, kEdgeToMoveBlack = 3;
inline constexpr int kEdgeNoTempoWhite = 4, kEdgeNoTempoBlack = 5;
inline constexpr int kDiagonalWhite = 6, kDiagonalBlack = 7;

struct Line {
  int length = 0;
  std::array<std::array<int, 2>, 8> squares{};  // (x, y) in reading order
};

// Columns x = 1..8 (lines 0..7, read from row 1), rows y = 1..8 (lines 8..15,
// read from column 1), then the diagonals, each read from its square with the
// smallest row number.
const std::array<Line, kLines>& Lines();
inline constexpr std::array<int, 4> kEdgeLines{0, 7, 8, 15};  // x = 1, x = 8, y = 1, y = 8
int MainDiagonalLine();                                       // x = y
int AntiDiagonalLine();                                       // x + y = 9

using LineIndices = std::array<uint16_t, kLines>;
LineIndices ComputeLineIndices(const Bitboard& board);

// The tables that the data files carry.
struct EvaluationTables {
  int8_t edge[kIndices][8] = {};
  int8_t pattern[kIndices][2] = {};
  int16_t place[kSquareClasses][kStages] = {};  // by square class (A = 0) and stage
};

// Square class 0..9 (letters A..J): the ten kinds of square under the board's
// eight symmetries. A corner, B next to a corner on the edge, C and D the
// further edge squares, E the diagonal neighbour of a corner, ... J the centre.
int SquareClassOf(int x, int y);
// Game stage 0..3 from the moves played (discs on the board - 4).
int StageOf(int movesPlayed);
// The stage a search evaluates a position with when the position is a leaf
// `leafDepth` moves below the search's root: the game sets the stage once, from
// the root, and every leaf reads the placement values of that stage.
int SearchStageOf(int movesPlayed, int leafDepth);

// Index arithmetic for the symmetries the tables must respect.
int SwapColours(int index);              // white <-> black in every square
int ReverseLine(int index, int length);  // the same squares read backwards

struct EvaluationInput {
  Bitboard board;
  int justMoved = kBlack;  // the side that made the latest move (the evaluation's SideToMove)
  int computer = kWhite;   // the side the value is seen from
  int stage = 0;
};

// The evaluation's value E, exactly as the game computes it (16-bit result).
int Evaluate(const EvaluationTables& tables, const EvaluationInput& input);
// The placement-only value: placement sums with the corner correction.
int EvaluatePlacementOnly(const EvaluationTables& tables, const EvaluationInput& input);
// Frontier sum difference (computer - other), each disc -2 per empty neighbour.
int FrontierDifference(const Bitboard& board, int computer);

// Placement counts as used by the evaluation: for each square class, the discs
// of `side` that earn their placement value (corner neighbours of an occupied
// corner earn nothing).
std::array<int, kSquareClasses> PlacementCounts(const Bitboard& board, int side);

}  // namespace kerna::train
