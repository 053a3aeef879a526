// Window scale choice, the window settings file and the mapping from window
// pixels back to drawing-area pixels at scales 1..3.
#include "platform/window_scale.hpp"

#include "platform/window_mapping.hpp"

#include <gtest/gtest.h>

namespace kerna::platform {
namespace {

TEST(WindowScale, LargestWholeScaleThatFitsWithTheFrame) {
  EXPECT_EQ(FittingWindowScale(1920, 1080, 0, 0), 2);  // 3x is 1320 high
  EXPECT_EQ(FittingWindowScale(1920, 1320, 0, 0), 3);
  EXPECT_EQ(FittingWindowScale(1920, 1320, 0, 30), 2);  // the title bar tips it
  EXPECT_EQ(FittingWindowScale(2560, 1440, 2, 30), 3);
  EXPECT_EQ(FittingWindowScale(3840, 2160, 0, 0), 4);
  EXPECT_EQ(FittingWindowScale(1280, 880, 0, 0), 2);
  EXPECT_EQ(FittingWindowScale(1279, 880, 0, 0), 1);
}

TEST(WindowScale, SmallOrUnknownDisplayGivesOneAndForcedScaleWins) {
  EXPECT_EQ(FittingWindowScale(1024, 768, 0, 0), 1);
  EXPECT_EQ(FittingWindowScale(600, 400, 0, 0), 1);
  EXPECT_EQ(FittingWindowScale(0, 0, 0, 0), 1);
  EXPECT_EQ(FittingWindowScale(1024, 768, 0, 0, 3), 3);
  EXPECT_EQ(FittingWindowScale(3840, 2160, 0, 0, 1), 1);
  EXPECT_EQ(FittingWindowScale(1920, 1080, 0, 0, 99), 2);  // nonsense: fit instead
}

TEST(WindowScale, MapsEveryWindowPixelBackToTheAreaPixelItShows) {
  for (int scale = 1; scale <= 3; ++scale) {
    const int width = 640 * scale, height = 440 * scale;
    for (int area_x : {0, 1, 100, 319, 639}) {
      for (int offset = 0; offset < scale; ++offset) {
        const AreaPoint p =
            MapWindowToArea(area_x * scale + offset, 7 * scale + offset, width, height);
        EXPECT_EQ(p.x, area_x) << "scale " << scale;
        EXPECT_EQ(p.y, 7) << "scale " << scale;
      }
    }
    const AreaPoint corner = MapWindowToArea(width - 1, height - 1, width, height);
    EXPECT_EQ(corner.x, 639);
    EXPECT_EQ(corner.y, 439);
    // Outside the window (a drag past the edge) stays outside the area.
    const AreaPoint before = MapWindowToArea(-1, -1, width, height);
    EXPECT_LT(before.x, 0);
    EXPECT_LT(before.y, 0);
    EXPECT_GE(MapWindowToArea(width, height, width, height).x, 640);
  }
}

TEST(WindowScale, SettingsFileLine) {
  EXPECT_EQ(ParseWindowScale("scale=2\n"), 2);
  EXPECT_EQ(ParseWindowScale("# window\r\n scale=3 \r\n"), 3);
  EXPECT_EQ(ParseWindowScale(""), 0);
  EXPECT_EQ(ParseWindowScale("scale=0"), 0);
  EXPECT_EQ(ParseWindowScale("scale=9"), 0);
  EXPECT_EQ(ParseWindowScale("scale=x"), 0);
  EXPECT_EQ(ParseWindowScale("scale=-2"), 0);
  EXPECT_EQ(ParseWindowScale("scale="), 0);
}

}  // namespace
}  // namespace kerna::platform
