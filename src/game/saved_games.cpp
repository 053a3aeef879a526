// The saved games screen (see saved_games.hpp). Its texts are printed white on
// the panel tile, like the labels of the other menu screens, and the rows are
// tiled over before each game is shown.
#include "game/saved_games.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <tuple>
#include <utility>

#include "game/game.hpp"
#include "platform/cp932.hpp"
#include "platform/file_io.hpp"

namespace kerna {

namespace {

constexpr int kNewer = 0, kOlder = 1, kOpen = 2, kLeave = 3;
constexpr int kCountRow = 5, kFirstInfoRow = 7, kLastInfoRow = 11;
// Below the menu's buttons, where the answer to 振り返り stands without a review.
constexpr int kUnavailableRow = 18;

std::optional<int> ComputerLevel(const std::string& name) {
  static constexpr std::string_view kPrefix = "computer level ";
  if (name.size() != kPrefix.size() + 1 || name.compare(0, kPrefix.size(), kPrefix) != 0)
    return std::nullopt;
  const char digit = name.back();
  if (digit < '0' || digit > '6') return std::nullopt;
  return digit - '0';
}

// Sorts "2026-12-08T14-03-21-2" after "2026-12-08T14-03-21": the base name and
// the number of the game within its second.
std::tuple<std::string, int> NameOrder(const std::filesystem::path& path) {
  constexpr size_t kStampLength = 19;  // 2026-12-08T14-03-21
  const std::string stem = platform::Utf8Path(path.stem());
  if (stem.size() > kStampLength + 1 && stem[kStampLength] == '-') {
    const std::string number = stem.substr(kStampLength + 1);
    if (std::all_of(number.begin(), number.end(), [](char c) { return std::isdigit(c); }))
      return {stem.substr(0, kStampLength), std::stoi(number)};
  }
  return {stem, 1};
}

std::string ColourName(char colour) {
  return colour == kGgfBlack ? "黒" : "白";
}

// "+12" -> black won by 12; "?" or anything else: not finished.
std::string ResultLine(const GgfGame& record) {
  const std::string& re = record.result;
  int margin = 0;
  try {
    size_t used = 0;
    margin = std::stoi(re, &used);
    if (used != re.size()) return "結果  途中で終わった対局";
  } catch (...) {
    return "結果  途中で終わった対局";
  }
  if (margin == 0) return "結果  引き分け";
  return "結果  " + ColourName(margin > 0 ? kGgfBlack : kGgfWhite) + "の" +
         std::to_string(std::abs(margin)) + "石勝ち";
}

// A name from another program, cut to fit the panel.
std::string ShortName(const std::string& name) {
  std::string shown = name.empty() ? "?" : name;
  if (shown.size() > 16) shown = shown.substr(0, 16);
  return shown;
}

}  // namespace

GamePlayers PlayersOfRecord(const GgfGame& record) {
  GamePlayers players;
  const auto black_level = ComputerLevel(record.blackName);
  const auto white_level = ComputerLevel(record.whiteName);
  if (record.blackName == "human" && record.whiteName == "human") {
    players.kind = GamePlayers::Kind::kTwoHumans;
  } else if (record.blackName == "human" && white_level) {
    players = {GamePlayers::Kind::kVersusComputer, *white_level, kGgfBlack};
  } else if (record.whiteName == "human" && black_level) {
    players = {GamePlayers::Kind::kVersusComputer, *black_level, kGgfWhite};
  }
  return players;
}

std::vector<std::string> ListSavedGames(const std::string& folder) {
  namespace fs = std::filesystem;
  // Each name's sort key is made once, not at every comparison.
  std::vector<std::pair<std::tuple<std::string, int>, std::string>> named;
  std::error_code error;
  for (fs::directory_iterator it(platform::FsPath(folder), error), end; !error && it != end;
       it.increment(error)) {
    const fs::path& path = it->path();
    if (path.extension() == ".ggf") named.emplace_back(NameOrder(path), platform::Utf8Path(path));
  }
  std::sort(named.begin(), named.end(), std::greater<>());
  std::vector<std::string> paths;
  paths.reserve(named.size());
  for (auto& [order, path] : named) paths.push_back(std::move(path));
  return paths;
}

SavedGame ReadSavedGame(const std::string& path) {
  SavedGame game{path, std::nullopt};
  if (const auto text = platform::TryReadFileBytes(path)) game.record = ParseGgf(*text);
  return game;
}

std::vector<std::string> DescribeSavedGame(const SavedGame& game) {
  const std::string file = platform::Utf8Path(platform::FsPath(game.path).filename());
  if (!game.record) return {file, "読めない棋譜です"};
  const GgfGame& r = *game.record;
  std::vector<std::string> lines = {r.date.empty() ? file : r.date};
  const GamePlayers players = PlayersOfRecord(r);
  switch (players.kind) {
    case GamePlayers::Kind::kVersusComputer:
      lines.push_back("コンピュータ  レベル" + std::to_string(players.level));
      lines.push_back("あなた" + ColourName(players.humanColour) + "  ケルナ" +
                      ColourName(players.humanColour == kGgfBlack ? kGgfWhite : kGgfBlack));
      break;
    case GamePlayers::Kind::kTwoHumans:
      lines.push_back("二人で対戦");
      lines.push_back("黒と白を交代で");
      break;
    case GamePlayers::Kind::kOther:
      lines.push_back("黒 " + ShortName(r.blackName));
      lines.push_back("白 " + ShortName(r.whiteName));
      break;
  }
  lines.push_back(ResultLine(r));
  return lines;
}

bool SavedGamesScreen::Show() {
  ButtonState& s = g_.buttonState;
  if (!g_.review.Available()) {
    g_.io.SetTextColour(7, -1);
    PrintRow(kUnavailableRow, "振り返りはブラウザ版では");
    PrintRow(kUnavailableRow + 1, "使えません");
    return false;
  }
  const std::vector<std::string> games = ListSavedGames(g_.recorder.RecordsFolder() + "/records");
  size_t shown = 0;
  for (;;) {
    for (int g = 0; g < kButtonGroups; ++g) s.GroupActive[g] = 0;
    s.GroupActive[kSavedGamesGroup] = 1;
    s.GroupChoice[kSavedGamesGroup] = -1;
    g_.screen.DrawPanelBackground();
    DrawEntry(games, shown);
    int item = -1;
    while (item < 0) item = g_.buttons.PollGroup(kSavedGamesGroup, ItemForKey);
    if (item == kLeave) break;
    if (item == kNewer && shown > 0) --shown;
    if (item == kOlder && shown + 1 < games.size()) ++shown;
    if (item == kOpen && shown < games.size()) {
      s.GroupActive[kSavedGamesGroup] = 0;
      const SavedGame game = ReadSavedGame(games[shown]);
      g_.review.Open(game.record ? std::optional(WriteGgf(*game.record)) : std::nullopt);
      // The review covered the title and the board.
      g_.screen.DrawTitleScreen();
      g_.boardDrawing.DrawWholeBoard();
    }
  }
  s.GroupActive[kSavedGamesGroup] = 0;
  g_.io.SetTextColour(0, 7);
  g_.screen.DrawPanelBackground();
  return true;
}

void SavedGamesScreen::PrintRow(int row, const std::string& utf8) {
  // Blanks without a background change no pixel; they take off what the
  // program start's loading message left in the row's cells, whose last
  // full-width character would otherwise lose its second half to this row.
  g_.panelText.PrintAt(0, row, std::string(kPanelLabelColumn, ' '));
  g_.panelText.Print(platform::ToCp932(utf8));
}

void SavedGamesScreen::DrawEntry(const std::vector<std::string>& games, size_t shown) {
  g_.io.SetTextColour(7, -1);
  if (games.empty()) {
    PrintRow(kCountRow, "保存した対局はありません");
  } else {
    PrintRow(kCountRow,
             "保存した対局  " + std::to_string(shown + 1) + " / " + std::to_string(games.size()));
    const std::vector<std::string> lines = DescribeSavedGame(ReadSavedGame(games[shown]));
    for (size_t i = 0; i < lines.size() && kFirstInfoRow + static_cast<int>(i) <= kLastInfoRow; ++i)
      PrintRow(kFirstInfoRow + static_cast<int>(i), lines[i]);
  }
  g_.buttons.DrawButtonGroup(kSavedGamesGroup);
  g_.io.SetTextColour(0, 7);
}

int SavedGamesScreen::ItemForKey(platform::Key key) {
  using platform::Key;
  switch (key) {
    case Key::kLeft:
      return kNewer;
    case Key::kRight:
      return kOlder;
    case Key::kEnter:
    case Key::kSpace:
      return kOpen;
    case Key::kEscape:
      return kLeave;
    default:
      return -1;
  }
}

}  // namespace kerna
