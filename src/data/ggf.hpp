// Game records in the Generic Game Format (GGF), the one-line text form other
// Othello programs exchange: "(;GM[Othello]PB[..]PW[..]RE[..]BO[8 <64 squares> *]B[f5]W[d6];)".
//
// The module only reads and writes the text; it does not check that the moves
// are legal (replaying them is the board rules' job). Squares are numbered
// 0..63 row by row from a1 (top left) to h8; a pass is kGgfPass.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kerna {

inline constexpr int kGgfPass = -1;

// One square of a GGF board: '*' black, 'O' white, '-' empty.
inline constexpr char kGgfBlack = '*';
inline constexpr char kGgfWhite = 'O';
inline constexpr char kGgfEmpty = '-';

struct GgfMove {
  int square = kGgfPass;          // 0..63, or kGgfPass
  std::optional<double> eval;     // discs, from the mover's point of view
  std::optional<double> seconds;  // thinking time
};

struct GgfGame {
  std::array<char, 64> board{};  // start position, kGgfBlack / kGgfWhite / kGgfEmpty
  bool blackToMove = true;       // side to move in the start position
  std::vector<GgfMove> moves;    // in game order, passes included; colours alternate
  std::string blackName;         // PB
  std::string whiteName;         // PW
  std::string date;              // DT, free text
  std::string result = "?";      // RE: "?" unfinished, else Black's net discs ("+12", "-4", "0")
  std::string place = "kerna";   // PC
};

// A record that starts from the usual four centre discs, Black to move.
GgfGame StandardGgfGame();

// Reads one record. Unknown properties are skipped; the first record in the text
// is read. On failure returns nothing and, when `error` is given, says why.
std::optional<GgfGame> ParseGgf(std::string_view text, std::string* error = nullptr);

// Writes the record as one line without a line break. Characters that would end
// a property early (']') or break the line are replaced in the free texts.
std::string WriteGgf(const GgfGame& game);

// "+12", "-4", "0": a finished game's result as Black's discs minus White's.
std::string GgfResult(int blackMinusWhite);

// Square names: "f5" <-> 37. ParseGgfSquare accepts either case and "PA"/"pass"
// forms for kGgfPass; anything else gives nothing.
std::string GgfSquareName(int square);  // "PA" for kGgfPass
std::optional<int> ParseGgfSquare(std::string_view text);

// One move item as written inside B[...] / W[...] or after the "move" command:
// "f5", "F5/1.50", "F5//3.2", "PA". Nothing if the item is malformed.
std::optional<GgfMove> ParseGgfMoveItem(std::string_view text);
std::string WriteGgfMoveItem(const GgfMove& move);

}  // namespace kerna
