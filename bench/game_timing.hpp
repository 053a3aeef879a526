// kerna-bench --games N: the computer plays N whole games against itself at
// each level 0..6, through the computer turn exactly as the game runs it (book,
// one-ply choice, search, solvers, 200 ms pauses on the virtual clock), and
// the real time of every turn is measured. Prints per level the median and the
// worst turn, the total, the move of the worst turn, and the worst turn in
// processor time (on a loaded machine the real time also counts the waits for
// a core).
#pragma once

namespace kerna::bench {

int RunGameTiming(int games_per_level);

}  // namespace kerna::bench
