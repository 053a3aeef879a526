// A fresh Game on the headless platform, and a throw-away data folder where a
// test writes the few small bitmaps it needs.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/game.hpp"
#include "platform/headless_backend.hpp"
#include "support/scratch_data.hpp"

namespace kerna::test {

class GameTest : public ::testing::Test {
 protected:
  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game = std::make_unique<Game>(io);
};

inline constexpr platform::Rgb kBluePixel{0, 0, 255};
inline constexpr platform::Rgb kBlackPixel{0, 0, 0};
inline constexpr platform::Rgb kWhitePixel{255, 255, 255};

}  // namespace kerna::test
