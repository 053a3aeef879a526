// The book's one orientation: every book line begins at f5, and a game that
// begins c4, e6 or d3 is read through the board symmetry that sends its first
// move to f5. Squares are columns x and rows y, 1..8.
#pragma once

namespace kerna {

// 1..4 for a first move of f5, c4, e6, d3; 0 for any other square.
inline int BookTransformOf(int x, int y) {
  if (x == 6 && y == 5) return 1;
  if (x == 3 && y == 4) return 2;
  if (x == 5 && y == 6) return 3;
  if (x == 4 && y == 3) return 4;
  return 0;
}

// Each symmetry is its own inverse, so one function maps both ways: a game
// square to its book square and a book square back to the game square.
inline void ReflectBookSquare(int transform, int& x, int& y) {
  const int x0 = x, y0 = y;
  switch (transform) {
    case 2:
      x = 9 - x0, y = 9 - y0;
      break;  // c4: half turn
    case 3:
      x = y0, y = x0;
      break;  // e6: transpose
    case 4:
      x = 9 - y0, y = 9 - x0;
      break;  // d3: anti-transpose
    default:
      break;  // f5: as it stands
  }
}

}  // namespace kerna
