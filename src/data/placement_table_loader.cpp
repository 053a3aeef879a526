// Channel-file reads of the square classes, placement values and start position.
#include "data/placement_table_loader.hpp"

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "platform/number_format.hpp"

namespace kerna {
namespace {

constexpr int kChannel = 1;
constexpr int kFieldWidth = 4;
constexpr int kLinesPerFile = 8;

// Text-to-number, then the integer part cut toward zero, as a 16-bit integer
// (numbers beyond its range are held at the nearest end).
int16_t IntegerOf(std::string_view text) {
  const double value = std::trunc(platform::ParseNumber(text));
  if (!std::isfinite(value)) return 0;
  if (value > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  if (value < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  return static_cast<int16_t>(value);
}

// Field `n` (characters 4n+1 .. 4n+4) of a class line; 0 when it lies past the end.
int16_t ClassField(const std::string& line, int n) {
  if (n < 0) return 0;
  const size_t start = static_cast<size_t>(n) * kFieldWidth;
  if (start >= line.size()) return 0;
  return IntegerOf(std::string_view(line).substr(start, kFieldWidth));
}

// Character X (1-based) of a line, empty when the line is shorter.
std::string_view CharacterAt(const std::string& line, int x) {
  if (x < 1 || static_cast<size_t>(x) > line.size()) return {};
  return std::string_view(line).substr(x - 1, 1);
}

}  // namespace

void PlacementTableLoader::LoadSquareClasses() {
  platform::ChannelFiles& channels = io_.channels();
  PlacementTables& tables = tables_;

  channels.Open(kChannel, "dat\\abc-table.dat", platform::ChannelMode::kRead);
  for (std::string& line : tables.ClassTable) line = channels.ReadField(kChannel);
  channels.Close(kChannel);

  channels.Open(kChannel, "dat\\ban.dat", platform::ChannelMode::kRead);
  for (int y = 1; y <= kLinesPerFile; ++y) {
    const std::string line = channels.ReadField(kChannel);
    for (int x = 1; x <= 8; ++x) {
      const std::string_view letter = CharacterAt(line, x);
      const int n = letter.empty() ? -1 : static_cast<unsigned char>(letter[0]) - 'A';
      for (int k = 0; k < 5; ++k) tables.SquareClass[x][y][k] = ClassField(tables.ClassTable[k], n);
    }
  }
  channels.Close(kChannel);
}

void PlacementTableLoader::LoadStartPosition() {
  platform::ChannelFiles& channels = io_.channels();
  BoardState& board = board_;

  channels.Open(kChannel, "dat\\start.dat", platform::ChannelMode::kRead);
  for (int y = 1; y <= kLinesPerFile; ++y) {
    const std::string line = channels.ReadField(kChannel);
    for (int x = 1; x <= 8; ++x) {
      int16_t value = IntegerOf(CharacterAt(line, x));
      // Only empty, white and black belong on a square; anything else (a wall
      // value, an unknown digit) would break the move rules' walks.
      if (value != kWhite && value != kBlack) value = kEmpty;
      board.StartPosition[x][y] = value;
      board.Position[x][y] = value;
    }
  }
  channels.Close(kChannel);
}

}  // namespace kerna
