// Mouse positions from window pixels to drawing-area pixels.
#include <gtest/gtest.h>

#include "platform/window_mapping.hpp"

namespace kerna::platform {
namespace {

TEST(WindowMapping, UnscaledWindowIsTheDrawingArea) {
  EXPECT_EQ(MapWindowToArea(0, 0, 640, 440), (AreaPoint{0, 0}));
  EXPECT_EQ(MapWindowToArea(639, 439, 640, 440), (AreaPoint{639, 439}));
  EXPECT_EQ(MapWindowToArea(-1, 500, 640, 440), (AreaPoint{-1, 500}));  // outside stays outside
}

TEST(WindowMapping, ScaledWindowMapsBack) {
  EXPECT_EQ(MapWindowToArea(1279, 879, 1280, 880), (AreaPoint{639, 439}));
  EXPECT_EQ(MapWindowToArea(-1, -1, 1280, 880), (AreaPoint{-1, -1}));
  EXPECT_EQ(MapWindowToArea(5, 5, 0, 0), (AreaPoint{5, 5}));  // no size known yet
}

}  // namespace
}  // namespace kerna::platform
