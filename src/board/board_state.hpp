// The Board and the variables its rules share with the rest of the game.
//
// The Board keeps one game position (layer 0) and 59 scratch positions, one per
// ply of look-ahead or per candidate move, so that no trial move ever has to be
// copied back. Every layer carries a wall rim (value 4) so walks stop without
// bounds tests. All names follow the game's shared-variable style: operations
// take no arguments and talk through these fields.
#pragma once

#include <array>
#include <cstdint>

namespace kerna {

// Cell values.
inline constexpr int16_t kEmpty = 0;
inline constexpr int16_t kWhite = 1;
inline constexpr int16_t kBlack = 2;
inline constexpr int16_t kWall = 4;

inline constexpr int kLayers = 60;
inline constexpr int kRecordSize = 60;

// A 10 x 10 position with the wall rim, index [X][Y].
using Grid = std::array<std::array<int16_t, 10>, 10>;

struct BoardState {
  // cell[X][Y][D]: D varies fastest, then Y, then X (flat X*600 + Y*60 + D).
  int16_t cell[10][10][kLayers] = {};

  Grid Position{};          // the position on screen
  Grid PreviousPosition{};  // the one before the latest change
  Grid StartPosition{};     // the one every game starts from

  std::array<int16_t, 3> OpponentTable{0, 2, 1};  // [side] -> opponent
  std::array<int16_t, 8> DirectionX{-1, 0, 1, -1, 1, -1, 0, 1};
  std::array<int16_t, 8> DirectionY{-1, -1, -1, 0, 0, 1, 1, 1};

  int16_t SquareX = 0, SquareY = 0;
  int16_t Layer = 0;
  int16_t SideToMove = kBlack;
  int16_t Opponent = kWhite;
  int16_t HumanSide = kBlack, ComputerSide = kWhite;
  int16_t LegalFlag = 0;
  int16_t LegalMoveCount = 0;
  int16_t MovesPlayed = 0;
  float LastLegalX = 0, LastLegalY = 0;
  float CursorX = 0, CursorY = 0;
  int16_t LastMoveX = 0, LastMoveY = 0;
  int16_t WalkX = 0, WalkY = 0, WalkDirection = 0;
  int16_t OpennessSum = 0;
  std::array<int16_t, kLayers + 1> PlyOpenness{};
  std::array<float, kLayers + 1> PlyMoveX{}, PlyMoveY{};

  // GameRecord[n], n = 1..60: side*100 + X*10 + Y of the n-th disc placed; 0 = empty.
  std::array<float, kRecordSize + 1> GameRecord{};
  float MoveNumber = 0;
};

}  // namespace kerna
