// `kerna-reversi --review FILE.ggf --text`: the review of a kept game printed
// one line per move, "12 black f5 -3.00 d3 +1.00 4.00" (number, colour, move,
// its value, the best move, its value, the loss), "3 black c3 +0.50 c3 +0.50
// 0.00 book" for a move of the opening book (valued by the book), or
// "13 white pass".
#pragma once

#include <cstdio>
#include <string>

#include "review/game_review.hpp"

namespace kerna::review {

std::string ReviewLine(const ReviewedMove& move);

// Reviews the record in `path` and prints it to `out`; a file that cannot be
// read or reviewed gets one line on `err`. Returns the program's exit code.
int RunTextReview(const std::string& path, const std::string& data_folder, std::FILE* out,
                  std::FILE* err);

}  // namespace kerna::review
