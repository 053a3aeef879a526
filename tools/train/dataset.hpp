// Training and held-out positions taken from replayed game records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "evaluation_model.hpp"

namespace kerna::train {

// One position in the form the fit reads: its 38 line indices and everything
// else the evaluation needs, seen from white (white is the "computer").
struct Sample {
  LineIndices lines{};
  int16_t label = 0;     // final disc difference, white - black (exact when solved)
  int16_t recorded = 0;  // the game's recorded final difference
  int16_t frontier = 0;  // frontier difference, white - black
  int8_t placement[kSquareClasses] = {};  // earning discs per class, white - black
  uint8_t justMovedWhite = 0;
  uint8_t stage = 0;  // the stage of the placement values the search evaluates it with
  uint8_t movesPlayed = 0;
  uint8_t offLine = 0;  // reached by random moves from a recorded position: no result of its own
};

// The positions a search can evaluate: after the first move up to one empty square.
inline constexpr int kFirstEvaluatedMove = 1;
inline constexpr int kLastEvaluatedMove = 59;

struct DatasetOptions {
  std::vector<std::string> gameFiles;  // one game per line, "f5d6c3..."
  // The engine's own games (the same form), read after the records: training
  // positions only, each kept `selfPlayCopies` times so that a few thousand games
  // weigh against a hundred thousand records.
  std::vector<std::string> selfPlayFiles;
  int selfPlayCopies = 1;
  int heldOutRemainder = 0;    // game number % 10 == this is held out
  double trainingShare = 0.5;  // share of each training game's positions kept
  // Training positions outside these moves are left out; the held-out games keep
  // every evaluated position, so that reports of different fits compare alike.
  int minMovesPlayed = kFirstEvaluatedMove;
  int maxMovesPlayed = kLastEvaluatedMove;
  int solveEmpties = 0;  // re-solve the last N empties exactly for the labels (0 = off)
  int leafDepth = 0;     // positions are valued with the stage of a root this many moves earlier
  // Off-line positions: from every kept training position, this many positions
  // reached by 1 to `offLinePlies` random legal moves (as many as drawn). A search evaluates mostly
  // such positions (after moves no game record contains); they carry the game's label until a
  // search labels them.
  int offLinePerPosition = 0;
  double offLineShare = 1;  // share of the kept record positions that get them
  int offLinePlies = 1;
  uint64_t seed = 20240601;
  int threads = 2;
};

struct Dataset {
  std::vector<Sample> training;
  std::vector<Sample> heldOut;  // every position of the held-out games in range
  int games = 0;                // record games
  int selfPlayGames = 0;
  size_t selfPlayPositions = 0;  // training positions from them, copies counted
  int rejectedGames = 0;
  int relabelledGames = 0;  // games whose end result differs after exact solving
};

Dataset BuildDataset(const DatasetOptions& options);

// The tool's small deterministic generator (splitmix64): the next value after
// `x`, and a value as a number in [0, 1).
uint64_t Mix(uint64_t x);
double UnitInterval(uint64_t random);

// The sample of one position (label = final difference, white - black), valued
// with the placement values of `stage`.
Sample MakeSample(const Bitboard& board, int justMoved, int movesPlayed, int stage, int label,
                  int recorded);

// The board a sample was made from (its eight columns hold every square).
Bitboard BoardOfSample(const Sample& sample);

}  // namespace kerna::train
