// The game's random numbers: a 32-bit linear congruential generator seeded from
// the millisecond clock. A random number is (r1 * r2 mod 100000) / 100000 for two
// successive 15-bit draws, so it lies in 0 .. 0.99999 in steps of 0.00001.
#pragma once

#include <cstdint>

namespace kerna::platform {

class Random {
 public:
  void Seed(uint32_t seed) { seed_ = seed; }
  // One 15-bit draw: seed = seed * 1103515245 + 12345; (seed / 65536) mod 32768.
  int Draw() {
    seed_ = seed_ * 1103515245u + 12345u;
    return static_cast<int>((seed_ / 65536u) % 32768u);
  }
  // A number in [0, 1).
  double Next() {
    const int64_t r1 = Draw();
    const int64_t r2 = Draw();
    return static_cast<double>((r1 * r2) % 100000) / 100000.0;
  }
  uint32_t seed() const { return seed_; }

 private:
  uint32_t seed_ = 1;
};

}  // namespace kerna::platform
