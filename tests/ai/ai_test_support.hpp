// Shared helpers for the computer-player tests: a Game on a quiet platform, the
// wall rim, and positions written as eight rows of text ('.' empty, 'O' white,
// 'X' black).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "game/game.hpp"
#include "platform/platform.hpp"
#include "support/sanitized.hpp"

namespace kerna::test {

// A platform that draws nowhere and never closes: the engine tests need no window.
class QuietPlatform : public platform::Platform {
 public:
  void ReadMouse() override {}
  int64_t Clock() override { return now_ms++; }
  void Sleep(int milliseconds) override { now_ms += milliseconds; }
  void CheckClosed() override { ++closed_checks; }
  void PlayWave(std::string_view) override {}
  bool VoiceOpen(std::string_view) override { return false; }
  bool VoicePlay() override { return false; }
  bool VoiceStop() override { return false; }
  void VoiceClose() override {}
  bool VoiceIsOpen() const override { return false; }
  void ShowMessageBox(std::string_view, std::string_view) override {}

  int64_t now_ms = 0;
  int64_t closed_checks = 0;
};

// A fresh Game with walls in every layer.
struct EngineWorld {
  QuietPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);
  Game& g = *game;

  EngineWorld() { g.rules.SetUpWalls(); }
};

// rows[y-1][x-1]: 'O' white, 'X' black, anything else empty.
inline void SetLayer(Game& g, int layer, const std::array<std::string_view, 8>& rows) {
  for (int y = 1; y <= 8; ++y)
    for (int x = 1; x <= 8; ++x) {
      const char c = rows[y - 1][x - 1];
      g.board.cell[x][y][layer] = c == 'O' ? kWhite : (c == 'X' ? kBlack : kEmpty);
    }
}

inline void CopyLayer(Game& g, int from, int to) {
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y) g.board.cell[x][y][to] = g.board.cell[x][y][from];
}

// Deterministic small random numbers for the tests (independent of the game's).
class TestRandom {
 public:
  explicit TestRandom(uint64_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<uint32_t>(state_ >> 11);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint64_t state_;
};

}  // namespace kerna::test
