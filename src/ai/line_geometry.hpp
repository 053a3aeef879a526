// The 38 lines the evaluation reads as base-3 numbers: the 8 columns (row 1 to
// row 8), the 8 rows (column 1 to column 8) and the 22 diagonals of length 3..8
// in both directions, each read from its square with the smallest row number.
// Built at compile time so the evaluation only adds precomputed weights.
#pragma once

#include <array>
#include <cstdint>

namespace kerna::ai {

inline constexpr int kLineCount = 38;
inline constexpr int kFirstRowLine = 8;
// "\" diagonals (x - y = d, d = -5..5) and "/" diagonals (x + y = s, s = 4..14).
inline constexpr int kFirstFallingLine = 16;
inline constexpr int kFirstRisingLine = 27;
inline constexpr int kMainDiagonalLine = kFirstFallingLine + 5;  // x = y
inline constexpr int kAntiDiagonalLine = kFirstRisingLine + 5;   // x + y = 9
// The four edges: column 1, column 8, row 1, row 8.
inline constexpr std::array<int, 4> kEdgeLines{0, 7, kFirstRowLine, kFirstRowLine + 7};

// One line a square belongs to, with the power of 3 of its place on that line.
struct LineMembership {
  uint8_t line = kLineCount;  // kLineCount = unused slot
  int16_t weight = 0;
};

struct SquareLines {
  // [x][y] for x, y in 1..8; up to four lines per square.
  std::array<std::array<std::array<LineMembership, 4>, 9>, 9> member{};
  std::array<int, kLineCount> length{};
};

constexpr int PowerOfThree(int exponent) {
  int value = 1;
  for (int i = 0; i < exponent; ++i) value *= 3;
  return value;
}

constexpr SquareLines BuildSquareLines() {
  SquareLines table{};
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      int slot = 0;
      auto add = [&](int line, int position) {
        table.member[x][y][slot++] = {static_cast<uint8_t>(line),
                                      static_cast<int16_t>(PowerOfThree(position))};
      };
      add(x - 1, y - 1);                  // column x, from row 1
      add(kFirstRowLine + y - 1, x - 1);  // row y, from column 1
      const int falling = x - y;          // starts at row max(1, 1 - d)
      if (falling >= -5 && falling <= 5) {
        const int start_row = falling >= 0 ? 1 : 1 - falling;
        add(kFirstFallingLine + falling + 5, y - start_row);
      }
      const int rising = x + y;  // starts at row max(1, s - 8)
      if (rising >= 4 && rising <= 14) {
        const int start_row = rising - 8 > 1 ? rising - 8 : 1;
        add(kFirstRisingLine + rising - 4, y - start_row);
      }
    }
  }
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      for (const LineMembership& m : table.member[x][y])
        if (m.line < kLineCount) ++table.length[m.line];
  return table;
}

inline constexpr SquareLines kSquareLines = BuildSquareLines();

}  // namespace kerna::ai
