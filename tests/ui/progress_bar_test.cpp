// The progress bar as drawn on the headless surface: frame, root bar, the slot
// of the current root candidate, and the hint-mode colour.
#include <gtest/gtest.h>

#include "ai/ai_test_support.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::test {
namespace {

using platform::PaletteColour;

class ProgressBarTest : public ::testing::Test {
 protected:
  platform::HeadlessPlatform io;
  Game g{io};

  platform::Rgb At(int x, int y) { return io.surface().Get(x, y); }
};

TEST_F(ProgressBarTest, FrameRootBarAndReplySlot) {
  g.progressBar.DrawFrame();  // (440, 100) to (616, 140) with the panel values
  EXPECT_EQ(At(440, 100), PaletteColour(7));
  EXPECT_EQ(At(616, 140), PaletteColour(7));
  EXPECT_EQ(At(500, 120), PaletteColour(0));

  g.ai.RootCount = 4;
  g.searchState.ProgressColour = 2;
  g.searchState.SEL[1] = 2;  // half the root candidates done
  g.progressBar.OnProgress(1);
  EXPECT_EQ(At(441, 101), PaletteColour(2));
  EXPECT_EQ(At(441 + 86, 139), PaletteColour(2));
  EXPECT_EQ(At(441 + 89, 120), PaletteColour(0));

  g.searchState.SEL[1] = 3;  // third root candidate, its first of two replies done
  g.searchState.EN[2] = 2;
  g.searchState.SEL[2] = 1;
  g.progressBar.OnProgress(2);
  // Slots of 175 / 4 pixels: the third starts at 87, half of it is 21 pixels.
  EXPECT_EQ(At(441 + 87, 120), PaletteColour(2));
  EXPECT_EQ(At(441 + 87 + 20, 120), PaletteColour(2));
  EXPECT_EQ(At(441 + 87 + 22, 120), PaletteColour(0));
  EXPECT_EQ(At(616, 120), PaletteColour(7));  // never over the frame
}

TEST_F(ProgressBarTest, HintModeDrawsInCyanUnlessTheBarColourIsBlue) {
  g.ai.RootCount = 1;
  g.searchState.SEL[1] = 1;
  g.progressBar.SetHint(true);  // a hint turn
  g.searchState.ProgressColour = 2;
  g.progressBar.OnProgress(1);
  EXPECT_EQ(At(500, 120), PaletteColour(5));
  g.searchState.ProgressColour = 1;
  g.progressBar.OnProgress(1);
  EXPECT_EQ(At(500, 120), PaletteColour(1));
}

}  // namespace
}  // namespace kerna::test
