// kerna-bench --kept-games [LINES FILES]: how the game copes with many kept
// games. In a scratch data folder (the shipped data linked in) with no kept
// games, and then with LINES lines in records.txt and FILES GGF files in
// records/ (default 100000 and 10000), it times in real milliseconds, the
// median of five: the program start, the saved games screen from the click on
// the menu to the first game shown, one step to the next older game, saving a
// finished game, and keeping it again (played on after 待った on the result
// screen).
//
// kerna-bench --write-kept-games FOLDER LINES FILES writes the same kept games
// (records.txt and records/) into FOLDER, for the browser's storage bench
// (web/test/storage-bench.mjs).
#pragma once

#include <string>

namespace kerna::bench {

int RunKeptGamesTiming(int lines, int files);
// LINES lines in FOLDER/records.txt and FILES GGF files in FOLDER/records, one
// game every ten minutes from the same date, as the game names and writes them.
void WriteKeptGames(const std::string& folder, int lines, int files);

}  // namespace kerna::bench
