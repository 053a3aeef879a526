// kerna-bench --kept-games [LINES FILES]: how the game copes with many kept
// games. In a scratch data folder (the shipped data linked in) with no kept
// games, and then with LINES lines in records.txt and FILES GGF files in
// records/ (default 100000 and 10000), it times in real milliseconds, the
// median of five: the program start, the saved games screen from the click on
// the menu to the first game shown, one step to the next older game, saving a
// finished game, and keeping it again (played on after 待った on the result
// screen).
#pragma once

namespace kerna::bench {

int RunKeptGamesTiming(int lines, int files);

}  // namespace kerna::bench
