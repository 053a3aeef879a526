// Reading and writing GGF game records. The reader is tolerant in the ways other
// programs' records need (spaces between properties and inside the board,
// either case, unknown properties, several spellings of a pass) and strict
// where a wrong guess would set up a different game (board size, square
// count, move squares).
#include "data/ggf.hpp"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace kerna {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool Fail(std::string* error, std::string_view why) {
  if (error) *error = why;
  return false;
}

// A decimal number filling the whole field; infinities and NaN are refused.
std::optional<double> ParseNumber(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// The board colour a square character stands for, or 0 for a character that is
// no square. Besides '*' 'O' '-' other programs write x/X, o/0/w and '.'/'_'.
char SquareColour(char c) {
  switch (c) {
    case '*':
    case 'x':
    case 'X':
    case 'b':
    case 'B':
      return kGgfBlack;
    case 'O':
    case 'o':
    case '0':
    case 'w':
    case 'W':
      return kGgfWhite;
    case '-':
    case '.':
    case '_':
      return kGgfEmpty;
    default:
      return 0;
  }
}

// BO[8 <64 squares> <side>]; whitespace between squares is skipped.
bool ParseBoard(std::string_view value, GgfGame& game, std::string* error) {
  value = Trim(value);
  size_t pos = 0;
  while (pos < value.size() && !IsSpace(value[pos])) ++pos;
  if (value.substr(0, pos) != "8") return Fail(error, "BO: only 8x8 boards are played");
  int filled = 0;
  for (; pos < value.size() && filled < 64; ++pos) {
    if (IsSpace(value[pos])) continue;
    const char colour = SquareColour(value[pos]);
    if (colour == 0) return Fail(error, "BO: unknown square character");
    game.board[filled++] = colour;
  }
  if (filled < 64) return Fail(error, "BO: fewer than 64 squares");
  const std::string_view side = Trim(value.substr(pos));
  if (side.size() != 1) return Fail(error, "BO: side to move missing or followed by text");
  const char colour = SquareColour(side.front());
  if (colour == kGgfBlack || colour == kGgfWhite) {
    game.blackToMove = colour == kGgfBlack;
    return true;
  }
  return Fail(error, "BO: side to move is neither black nor white");
}

bool SetProperty(std::string_view tag, std::string_view value, GgfGame& game, std::string* error) {
  if (tag == "GM") {
    if (!EqualsIgnoringCase(Trim(value), "othello")) return Fail(error, "GM: not an Othello game");
  } else if (tag == "BO") {
    return ParseBoard(value, game, error);
  } else if (tag == "B" || tag == "W") {
    // The letter only repeats what the alternation from the start position says.
    const auto move = ParseGgfMoveItem(value);
    if (!move) return Fail(error, "malformed move item");
    game.moves.push_back(*move);
  } else if (tag == "PB") {
    game.blackName = value;
  } else if (tag == "PW") {
    game.whiteName = value;
  } else if (tag == "DT") {
    game.date = value;
  } else if (tag == "RE") {
    game.result = value;
  } else if (tag == "PC") {
    game.place = value;
  }
  return true;  // every other property (clocks, ratings, type, komi, comments) is skipped
}

bool ParseProperties(std::string_view text, GgfGame& game, std::string* error) {
  const size_t open = text.find("(;");
  if (open == std::string_view::npos) return Fail(error, "no '(;' opening a game");
  size_t pos = open + 2;
  for (;;) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    if (pos >= text.size()) return Fail(error, "no ';)' closing the game");
    if (text.substr(pos, 2) == ";)") return true;
    const size_t tagStart = pos;
    while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]))) ++pos;
    const size_t tagLength = pos - tagStart;
    if (tagLength == 0 || tagLength > 8) return Fail(error, "malformed property name");
    if (pos >= text.size() || text[pos] != '[') return Fail(error, "property without '['");
    const size_t close = text.find(']', pos + 1);
    if (close == std::string_view::npos) return Fail(error, "property without ']'");
    std::string tag(text.substr(tagStart, tagLength));
    for (char& c : tag) c = Upper(c);
    if (!SetProperty(tag, text.substr(pos + 1, close - pos - 1), game, error)) return false;
    pos = close + 1;
  }
}

// Free text as a property value: nothing that ends the value or the line.
std::string CleanValue(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == ']') c = ')';
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return out;
}

// Fixed-point text with at most `decimals` decimals and no exponent; values are
// clamped so that the text stays short.
std::string FormatNumber(double value, int decimals, bool trimZeros) {
  if (!std::isfinite(value)) value = 0;
  value = std::fmax(-1e9, std::fmin(1e9, value));
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  std::string text(buffer.data(), result.ptr);
  if (trimZeros && text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0" || text == "-0.00") text.erase(0, 1);
  return text;
}

}  // namespace

GgfGame StandardGgfGame() {
  GgfGame game;
  game.board.fill(kGgfEmpty);
  game.board[27] = kGgfWhite;  // d4
  game.board[36] = kGgfWhite;  // e5
  game.board[28] = kGgfBlack;  // e4
  game.board[35] = kGgfBlack;  // d5
  return game;
}

std::optional<GgfGame> ParseGgf(std::string_view text, std::string* error) {
  GgfGame game = StandardGgfGame();  // a record without BO starts from the usual position
  game.place.clear();
  if (!ParseProperties(text, game, error)) return std::nullopt;
  return game;
}

std::string WriteGgf(const GgfGame& game) {
  std::string out = "(;GM[Othello]PC[" + CleanValue(game.place) + "]";
  if (!game.date.empty()) out += "DT[" + CleanValue(game.date) + "]";
  out += "PB[" + CleanValue(game.blackName) + "]PW[" + CleanValue(game.whiteName) + "]";
  out += "RE[" + CleanValue(game.result.empty() ? "?" : game.result) + "]TI[0]TY[8]BO[8 ";
  for (const char square : game.board) {
    out += (square == kGgfBlack || square == kGgfWhite) ? square : kGgfEmpty;
  }
  out += game.blackToMove ? " *]" : " O]";
  bool black = game.blackToMove;
  for (const GgfMove& move : game.moves) {
    out += black ? "B[" : "W[";
    out += WriteGgfMoveItem(move) + "]";
    black = !black;
  }
  return out + ";)";
}

// Strings here are appended piece by piece: g++ 12 warns falsely (-Wrestrict)
// about the inlined copy in "x" + std::string when it optimises.
std::string GgfResult(int blackMinusWhite) {
  std::string result = blackMinusWhite > 0 ? "+" : "";
  result += std::to_string(blackMinusWhite);
  return result;
}

std::string GgfSquareName(int square) {
  if (square < 0 || square > 63) return "PA";
  return {static_cast<char>('a' + square % 8), static_cast<char>('1' + square / 8)};
}

std::optional<int> ParseGgfSquare(std::string_view text) {
  text = Trim(text);
  if (text == "--") return kGgfPass;
  // A pass is 'P' followed by a prefix of "ASS", in either case.
  if (!text.empty() && text.size() <= 4 && Upper(text.front()) == 'P') {
    static constexpr std::string_view kRest = "ASS";
    bool pass = true;
    for (size_t i = 1; i < text.size(); ++i) pass = pass && Upper(text[i]) == kRest[i - 1];
    if (pass) return kGgfPass;
  }
  if (text.size() != 2) return std::nullopt;
  const char column = Upper(text[0]);
  const char row = text[1];
  if (column < 'A' || column > 'H' || row < '1' || row > '8') return std::nullopt;
  return (row - '1') * 8 + (column - 'A');
}

std::optional<GgfMove> ParseGgfMoveItem(std::string_view text) {
  GgfMove move;
  const size_t firstSlash = text.find('/');
  const auto square = ParseGgfSquare(text.substr(0, firstSlash));
  if (!square) return std::nullopt;
  move.square = *square;
  if (firstSlash == std::string_view::npos) return move;
  const std::string_view rest = text.substr(firstSlash + 1);
  const size_t secondSlash = rest.find('/');
  // An empty or unreadable eval or time is left out rather than refusing the
  // move: the move itself is what sets up the position.
  move.eval = ParseNumber(rest.substr(0, secondSlash));
  if (secondSlash != std::string_view::npos) {
    const std::string_view time = rest.substr(secondSlash + 1);
    move.seconds = ParseNumber(time.substr(0, time.find('/')));
  }
  return move;
}

std::string WriteGgfMoveItem(const GgfMove& move) {
  std::string out = move.square == kGgfPass ? "PA" : GgfSquareName(move.square);
  for (char& c : out) c = Upper(c);
  if (!move.eval && !move.seconds) return out;
  out += "/";
  if (move.eval) out += FormatNumber(*move.eval, 2, false);
  if (move.seconds) {
    out += '/';
    out += FormatNumber(*move.seconds, 2, true);
  }
  return out;
}

}  // namespace kerna
