// Placement values per square class and game stage, fitted alone (they are the
// whole evaluation of the weakest players), and the hand-made level-0 table.
#pragma once

#include <array>
#include <vector>

#include "dataset.hpp"

namespace kerna::train {

using PlacementTable = std::array<std::array<int16_t, kStages>, kSquareClasses>;

// Least squares of 10 x final difference on the class counts, per stage 0..3
// (integers), with stage 4 set to the level-0 player's simple greedy table.
PlacementTable FitPlacement(const std::vector<Sample>& samples, double ridge);

// The placement sum difference (white - black) of a sample.
int PlacementValue(const PlacementTable& table, const Sample& sample);

}  // namespace kerna::train
