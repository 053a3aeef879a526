// The self-play log dat\sakiyomi.csv: one line per computer move with the root
// candidates and their ranking values. Each number is followed by a blank
// before its comma; the candidate squares take 40 places, empty ones included.
#include <algorithm>

#include "game/game.hpp"
#include "game/main_loop.hpp"
#include "game/settings_location.hpp"
#include "platform/number_format.hpp"
#include "platform/os_folders.hpp"

namespace kerna {

namespace {

constexpr int kLogChannel = 2;
constexpr char kLogFile[] = "dat\\sakiyomi.csv";
constexpr int kCandidatePlaces = 40;

std::string Number(double value) {
  return platform::FormatNumber(value) + " ";
}

}  // namespace

void GameLoop::OpenSelfPlayLog() {
  platform::ChannelFiles& channels = g_.io.channels();
  // A log that cannot be opened is not written; the games go on.
  if (platform::FolderWritable(g_.io.ResolvePath("dat"))) {
    channels.Open(kLogChannel, kLogFile, platform::ChannelMode::kCreate);
  } else if (MakeUserConfigFolder()) {
    channels.Open(kLogChannel, UserConfigFile("sakiyomi.csv"), platform::ChannelMode::kCreate);
  }
}

std::string GameLoop::SelfPlayLogLine() const {
  const BoardState& b = g_.board;
  const AiState& ai = g_.ai;
  const int count = std::clamp(static_cast<int>(ai.RootCount), 0, kRootRows - 2);
  std::string line = Number(ai.RootCount) + ",";
  line += Number(b.SquareX * 10 + b.SquareY) + ", ";
  line += Number(ai.ShownValue) + ", ";
  line += Number(static_cast<double>(g_.flow.ThinkTenths)) + ",";
  for (int i = 1; i <= count; ++i) {
    if (ai.RootMoveX[i] == b.SquareX && ai.RootMoveY[i] == b.SquareY) {
      line += Number(i);
      break;
    }
  }
  line += ",";
  for (int i = 1; i <= count; ++i) line += Number(ai.RootMoveX[i] * 10 + ai.RootMoveY[i]) + ",";
  line.append(static_cast<size_t>(std::max(kCandidatePlaces - count, 0)), ',');
  for (int i = 1; i <= count; ++i) line += Number(ai.RankValue[i]) + ",";
  line += "END\r\n";
  return line;
}

void GameLoop::WriteSelfPlayLogLine() {
  // The channel flushes every write, so the log is complete up to the last
  // move even though it is never closed.
  g_.io.channels().Write(kLogChannel, SelfPlayLogLine());
}

}  // namespace kerna
