// The book's values read beside its lines (see book_values.hpp).
#include "review/book_values.hpp"

#include <charconv>
#include <memory>
#include <vector>

#include "ai/book_symmetry.hpp"
#include "data/opening_book.hpp"

namespace kerna::review {
namespace {

std::string SquareText(int x, int y) {
  return {static_cast<char>('a' + x - 1), static_cast<char>('0' + y)};
}

// The text lines of a file, without their CR LF or LF.
std::vector<std::string_view> TextLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  }
  return lines;
}

// "3 +0.5 -0.5": the first move's number, then the values.
bool ParseValues(std::string_view line, int& first, std::vector<double>& values) {
  const char* at = line.data();
  const char* end = line.data() + line.size();
  auto [next, error] = std::from_chars(at, end, first);
  if (error != std::errc{} || first < 1) return false;
  values.clear();
  for (at = next; at < end;) {
    if (*at != ' ') return false;
    ++at;
    if (at < end && *at == '+') ++at;  // from_chars takes no plus sign
    double value = 0;
    auto [after, failed] = std::from_chars(at, end, value);
    if (failed != std::errc{}) return false;
    values.push_back(value);
    at = after;
  }
  return true;
}

}  // namespace

BookValues::BookValues(std::string_view book_bytes, std::string_view values_bytes) {
  auto book = std::make_unique<OpeningBook>();
  ParseOpeningBook(book_bytes, *book);
  const std::vector<std::string_view> value_lines = TextLines(values_bytes);
  std::vector<double> values;
  for (int line = 1; line <= book->LineCount; ++line) {
    int first = 0;
    const int moves = book->MoveCount[line];
    if (static_cast<size_t>(line) > value_lines.size() ||
        !ParseValues(value_lines[line - 1], first, values) ||
        static_cast<int>(values.size()) != moves - first + 1) {
      continue;
    }
    std::string prefix;
    for (int k = 1; k <= moves; ++k) {
      const int code = book->Moves[line][k];
      prefix += SquareText(code / 10, code % 10);
      if (k >= first) values_[prefix] = values[k - first];
    }
  }
  for (const auto& [moves, value] : values_) {
    const std::string position = moves.substr(0, moves.size() - 2);
    const auto [best, added] = best_.try_emplace(position, value);
    if (!added && value > best->second) best->second = value;
  }
}

std::optional<double> BookValues::Find(const std::string& moves) const {
  const auto found = values_.find(moves);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool BookValues::Good(const std::string& moves) const {
  const std::optional<double> value = Find(moves);
  return value && *value >= best_.at(moves.substr(0, moves.size() - 2)) - kGoodBookMoveDiscs;
}

std::string BookWalk::BookMove(int square) const {
  int x = square % 8 + 1, y = square / 8 + 1;
  const int transform = moves_.empty() ? BookTransformOf(x, y) : transform_;
  if (transform == 0) return "";
  ReflectBookSquare(transform, x, y);
  return SquareText(x, y);
}

std::optional<double> BookWalk::ValueOf(int square) const {
  if (!inBook_ || square == kGgfPass) return std::nullopt;
  const std::string move = BookMove(square);
  if (move.empty() || !book_.Good(moves_ + move)) return std::nullopt;
  return book_.Find(moves_ + move);
}

void BookWalk::Play(int square) {
  if (square == kGgfPass) return;
  const std::string move = BookMove(square);
  inBook_ = inBook_ && !move.empty() && book_.Find(moves_ + move).has_value();
  if (moves_.empty()) transform_ = BookTransformOf(square % 8 + 1, square / 8 + 1);
  if (inBook_) moves_ += move;
}

}  // namespace kerna::review
