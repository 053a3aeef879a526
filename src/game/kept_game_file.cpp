// The game-in-progress file's text (see kept_game_file.hpp).
#include "game/kept_game_file.hpp"

#include <charconv>
#include <map>

#include "game/game_records.hpp"

namespace kerna {

namespace {

constexpr std::string_view kFirstLine = "kerna-game-in-progress 1";
constexpr int kMostUses = 32767;  // the counts are 16-bit

const char* SideName(int side) {
  return side == kWhite ? "white" : "black";
}

std::optional<int> SideOfName(std::string_view name) {
  if (name == "black") return kBlack;
  if (name == "white") return kWhite;
  return std::nullopt;
}

std::optional<int> Number(std::string_view text, int most) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > most) {
    return std::nullopt;
  }
  return value;
}

bool WellFormedMoves(std::string_view moves) {
  if (moves.size() % 2 != 0 || moves.size() > 2 * kRecordSize) return false;
  for (size_t i = 0; i < moves.size(); i += 2) {
    if (moves[i] < 'a' || moves[i] > 'h' || moves[i + 1] < '1' || moves[i + 1] > '8') return false;
  }
  return true;
}

// The lines after the first, by key; nothing when a line has no '=' or a key
// comes twice.
std::optional<std::map<std::string, std::string, std::less<>>> Fields(std::string_view text) {
  std::map<std::string, std::string, std::less<>> fields;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    if (!fields.emplace(line.substr(0, equals), line.substr(equals + 1)).second)
      return std::nullopt;
  }
  return fields;
}

}  // namespace

std::string KeptGameText(const KeptGame& g) {
  std::string text = std::string(kFirstLine) + "\n";
  const auto line = [&text](const char* key, const std::string& value) {
    text += std::string(key) + "=" + value + "\n";
  };
  line("mode", g.versus_computer ? "computer" : "humans");
  line("level", g.versus_computer ? std::to_string(g.level) : "-");
  line("human", g.versus_computer ? SideName(g.human_side) : "both");
  line("turn", SideName(g.turn));
  line("pass", std::to_string(g.pass_count));
  line("undo", std::to_string(g.undo_count));
  line("hint", std::to_string(g.hint_count));
  line("start", IsStandardStart(g.start) ? "standard" : BoardText(g.start));
  line("moves", g.moves);
  line("board", BoardText(g.position));
  return text;
}

std::optional<KeptGame> ParseKeptGame(std::string_view text) {
  const size_t first_end = text.find('\n');
  std::string_view first = text.substr(0, first_end);
  if (first.ends_with('\r')) first.remove_suffix(1);
  if (first != kFirstLine || first_end == std::string_view::npos) return std::nullopt;
  const auto fields = Fields(text.substr(first_end + 1));
  if (!fields || fields->size() != 10) return std::nullopt;
  const auto field = [&fields](std::string_view key) -> std::optional<std::string_view> {
    const auto found = fields->find(key);
    if (found == fields->end()) return std::nullopt;
    return std::string_view(found->second);
  };

  KeptGame g;
  const auto mode = field("mode"), level = field("level"), human = field("human");
  if (!mode || !level || !human) return std::nullopt;
  if (*mode == "computer") {
    const auto level_number = Number(*level, 6);
    const auto human_side = SideOfName(*human);
    if (!level_number || !human_side) return std::nullopt;
    g.level = *level_number;
    g.human_side = *human_side;
  } else if (*mode == "humans") {
    if (*level != "-" || *human != "both") return std::nullopt;
    g.versus_computer = false;
  } else {
    return std::nullopt;
  }

  const auto turn = field("turn");
  const auto turn_side = turn ? SideOfName(*turn) : std::nullopt;
  const auto pass = field("pass");
  const auto pass_count = pass ? Number(*pass, 1) : std::nullopt;
  const auto undo = field("undo"), hint = field("hint");
  const auto undo_count = undo ? Number(*undo, kMostUses) : std::nullopt;
  const auto hint_count = hint ? Number(*hint, kMostUses) : std::nullopt;
  if (!turn_side || !pass_count || !undo_count || !hint_count) return std::nullopt;
  g.turn = *turn_side;
  g.pass_count = *pass_count;
  g.undo_count = *undo_count;
  g.hint_count = *hint_count;

  const auto start = field("start"), moves = field("moves"), board = field("board");
  if (!start || !moves || !board || !WellFormedMoves(*moves)) return std::nullopt;
  const auto start_grid =
      *start == "standard" ? std::optional<Grid>(StandardStart()) : GridOfBoardText(*start);
  const auto position = GridOfBoardText(*board);
  if (!start_grid || !position) return std::nullopt;
  g.start = *start_grid;
  g.moves = std::string(*moves);
  g.position = *position;
  return g;
}

}  // namespace kerna
