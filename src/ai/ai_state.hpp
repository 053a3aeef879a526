// The computer player's shared values: what the computer turn, the hint, the
// thinking display and the hostess read after a search, and the root ranking's
// lists and statistics.
#pragma once

#include <array>
#include <cstdint>

namespace kerna {

// Root lists hold up to 60 candidates at rows 1..60 (row 0 unused).
inline constexpr int kRootRows = 62;

struct AiState {
  int16_t Level = 1;  // the computer's level, 0..6, chosen on the menu
  // Stage of the game (0..3 by moves played) that the evaluation and the move
  // ordering use for the whole turn; the game loop sets it before each turn.
  int16_t GameStage = 0;
  // 1 while the turn only proposes a move for the human (the hint); the
  // computer turn is the one place that reads it.
  uint8_t HintMode = 0;
  // What the computer turn lets the parts it calls do, set from HintMode at
  // the start of each turn: a hint takes no random book line or second-best
  // move (the human asked for the best), and it searches a single candidate
  // too (its value is shown).
  uint8_t VarietyAllowed = 1;
  uint8_t SearchSingleCandidate = 0;
  int16_t BookHit = 0;            // opening-book line that gave the move; 0 = none
  int16_t ShownValue = 0;         // evaluation result, then the chosen move's value
  uint8_t SecondBestFlag = 0;     // 1 when the variety rule played the second move
  float LookAheadDepth = 0;       // a move played at ply N >= this is a leaf
  float RootCount = 0;            // root candidates in play
  float MovesCut = 0;             // candidates dropped by the level-6 cut
  uint8_t EndgameDepthLimit = 0;  // deepest ply the win-loss-draw solver orders

  // Root move lists: the root candidates in ranked order, with a display value
  // that travels with its candidate.
  std::array<int16_t, kRootRows> RootMoveX{}, RootMoveY{}, RootMoveScore{}, RootDisplay{};

  // Ranking pass: V(i) exact score of the i-th best candidate (computer's view),
  // its T-score Z(i), and the mean and standard deviation of V.
  std::array<float, kRootRows> RankValue{}, TScore{};
  float RankMean = 0, RankDeviation = 0;

  // First candidate of the most recent root sort, and the copy of it kept after
  // the ranking pass (the variety rule at levels 5 and 6 compares with that copy).
  float SortBestX = 0, SortBestY = 0, SortBestValue = 0;
  float RankResultX = 0, RankResultY = 0, RankResultValue = 0;

  // The move chosen by the last move choice.
  int16_t ChosenX = 0, ChosenY = 0;
};

}  // namespace kerna
