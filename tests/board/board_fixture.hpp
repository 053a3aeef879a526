// A fresh Game for board-rule tests, with helpers to lay out positions from
// pictures ('.' empty, 'O' white, 'X' black; rows 1..8 top to bottom, columns
// a..h left to right) and to read them back.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"
#include "support/sanitized.hpp"

namespace kerna::test {

using Picture8 = std::array<const char*, 8>;

inline int16_t CellFromChar(char c) {
  return c == 'O' ? kWhite : c == 'X' ? kBlack : kEmpty;
}

inline char CharFromCell(int16_t v) {
  return v == kWhite ? 'O' : v == kBlack ? 'X' : '.';
}

class BoardTest : public ::testing::Test {
 protected:
  BoardTest() { game->rules.SetUpWalls(); }

  BoardState& b() { return game->board; }
  BoardRules& rules() { return game->rules; }

  // Lays a picture into Position and every layer.
  void Lay(const Picture8& rows) {
    for (int y = 1; y <= 8; ++y) {
      for (int x = 1; x <= 8; ++x) b().Position[x][y] = CellFromChar(rows[y - 1][x - 1]);
    }
    rules().CopyPositionToLayers();
  }

  // Layer d as a picture, rows joined by '/'.
  std::string Show(int d) {
    std::string out;
    for (int y = 1; y <= 8; ++y) {
      if (y > 1) out += '/';
      for (int x = 1; x <= 8; ++x) out += CharFromCell(b().cell[x][y][d]);
    }
    return out;
  }

  static std::string Join(const Picture8& rows) {
    std::string out;
    for (int y = 0; y < 8; ++y) out += std::string(y ? "/" : "") + rows[y];
    return out;
  }

  // Runs an operation on square (x, y) of layer d for side s.
  void Aim(int x, int y, int side, int layer = 0) {
    b().SquareX = static_cast<int16_t>(x);
    b().SquareY = static_cast<int16_t>(y);
    b().SideToMove = static_cast<int16_t>(side);
    b().Layer = static_cast<int16_t>(layer);
  }

  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);
};

inline constexpr Picture8 kStart = {"........", "........", "........", "...OX...",
                                    "...XO...", "........", "........", "........"};

}  // namespace kerna::test
