// Checks the tool runs on its own output before it writes anything: the sample
// shortcut agrees with the full evaluation, and every position scores the same
// as its seven mirror images and its colour-swapped twin.
#pragma once

#include <string>
#include <vector>

#include "evaluation_model.hpp"

namespace kerna::train {

// The position under symmetry 0..7 (0 = unchanged).
Bitboard Transform(const Bitboard& board, int symmetry);
Bitboard SwapColours(const Bitboard& board);

// Returns an empty string when every check passes, else a description of the
// first failure. `games` are move strings to take positions from.
std::string CheckTables(const EvaluationTables& tables, const std::vector<std::string>& games);

}  // namespace kerna::train
