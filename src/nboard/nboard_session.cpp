// The commands of the protocol and their replies. The session never plays the
// move it proposes on "go": the GUI answers with "move" when it accepts it.
#include "nboard/nboard_session.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>

#include "data/ggf.hpp"

namespace kerna::nboard {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Splits off the first word; `rest` is what follows, trimmed.
std::string_view FirstWord(std::string_view text, std::string_view& rest) {
  text = Trim(text);
  size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  rest = Trim(text.substr(end));
  return text.substr(0, end);
}

std::optional<long long> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string MoveText(int square) {
  std::string text = GgfSquareName(square);
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return text;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int LevelForDepth(int depth) {
  if (depth <= 1) return 1;
  if (depth <= 3) return depth;
  if (depth <= 5) return 4;
  if (depth == 6) return 5;
  return 6;
}

std::string FormatEval(double discs) {
  if (!std::isfinite(discs)) discs = 0;
  discs = std::clamp(discs, -1e6, 1e6);
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), discs,
                                    std::chars_format::fixed, 2);
  std::string text(buffer.data(), result.ptr);
  if (text == "-0.00") text = "0.00";
  return text;
}

Session::Session(MovePlayer& player, SessionOptions options, LineSink reply, LineSink diagnose)
    : player_(player),
      options_(std::move(options)),
      reply_(std::move(reply)),
      diagnose_(std::move(diagnose)) {
  options_.level = std::clamp(options_.level, 0, 6);
  const GgfGame standard = StandardGgfGame();
  game_ = NewSessionGame(Position{standard.board, standard.blackToMove});
}

void Session::Start() {
  AnnounceName();
}

void Session::AnnounceName() {
  reply_("set myname " + options_.name + std::to_string(options_.level));
}

bool Session::Handle(std::string_view line) {
  std::string_view rest;
  const std::string_view command = FirstWord(line, rest);
  if (command == "quit") return false;
  if (command == "nboard") {
    // Version 2 is what this session speaks; older GUIs send moves bare, which
    // are accepted below as well.
  } else if (command == "set") {
    SetCommand(rest);
  } else if (command == "move") {
    MoveCommand(rest);
  } else if (command == "ping") {
    // The reader has already stopped any search by the time the ping is handled here.
    const auto number = ParseInteger(rest);
    reply_("pong " + (number ? std::to_string(*number) : std::string(rest.substr(0, 20))));
  } else if (command == "go") {
    Go();
  } else if (command == "hint") {
    Hint(rest);
  } else if (command == "learn") {
    reply_("learned");
  } else if (command.size() == 2 && rest.empty() && ParseGgfSquare(command)) {
    MoveCommand(command);  // a bare move, as the first protocol version sent them
  }
  return true;  // anything else (analyze, clear, unknown words) is ignored
}

void Session::SetCommand(std::string_view rest) {
  std::string_view value;
  const std::string_view what = FirstWord(rest, value);
  if (what == "game") {
    std::string why;
    const auto record = ParseGgf(value, &why);
    SessionGame loaded;
    if (!record || !LoadSessionGame(*record, loaded, &why)) {
      diagnose_("kerna-engine: game record not used: " + why);
      return;
    }
    game_ = std::move(loaded);
  } else if (what == "depth") {
    const auto depth = ParseInteger(value);
    if (!depth) {
      diagnose_("kerna-engine: depth is not a number");
      return;
    }
    if (options_.levelFixed) return;
    const int level = LevelForDepth(static_cast<int>(std::clamp<long long>(*depth, -1, 99)));
    if (level != options_.level) {
      options_.level = level;
      AnnounceName();
    }
  } else if (what == "contempt") {
    // Accepted and kept; the game's player has no use for a draw's worth.
    if (const auto contempt = ParseDecimal(value)) contempt_ = *contempt;
  }
}

void Session::MoveCommand(std::string_view item) {
  const auto move = ParseGgfMoveItem(Trim(item));
  if (!move || !AppendMove(game_, *move)) {
    diagnose_("kerna-engine: move not played: " + std::string(Trim(item).substr(0, 40)));
  }
}

void Session::Go() {
  const Position& position = game_.current;
  if (LegalMoves(position) == 0) {
    reply_("=== PA");  // a forced pass (or nothing left to play)
    return;
  }
  const auto started = std::chrono::steady_clock::now();
  MoveDecision decision;
  try {
    decision = player_.ChooseMove(game_, options_.level);
  } catch (const SearchStopped&) {
    return;  // stopped by a ping: its answer would be discarded anyway
  }
  const double seconds = SecondsSince(started);
  const MoveValue& move = decision.move;
  reply_("=== " + MoveText(move.square) + "/" + (move.eval ? FormatEval(*move.eval) : "") + "/" +
         FormatEval(seconds));
  if (decision.nodes > 0) {
    reply_("nodestats " + std::to_string(decision.nodes) + " " + FormatEval(seconds));
  }
}

void Session::Hint(std::string_view count_text) {
  const auto count = ParseInteger(count_text);
  const int wanted = static_cast<int>(std::clamp<long long>(count.value_or(1), 1, 64));
  if (LegalMoves(game_.current) == 0) return;  // nothing to rank: a pass or the game's end
  reply_("status " + options_.name + " is thinking");
  HintResult hint;
  try {
    hint = player_.Hint(game_, options_.level, wanted);
  } catch (const SearchStopped&) {
    return;
  }
  for (const BookMove& move : hint.book) {
    reply_("book " + MoveText(move.square) + " 0.00 " + std::to_string(move.lines) + " 0");
  }
  for (const MoveValue& move : hint.ranked) {
    reply_("search " + MoveText(move.square) + " " + FormatEval(move.eval.value_or(0.0)) + " 0 " +
           (move.depth.empty() ? "0" : move.depth));
  }
  reply_("status");
}

}  // namespace kerna::nboard
