#include <gtest/gtest.h>

#include "host/window_state.h"

using namespace host;

TEST(WindowState, SizeTextFieldsAndBounds) {
  EXPECT_EQ(FormatWindowSize(1500, 750.4, 9000, 6000), "01500007500900006000");
  EXPECT_EQ(FormatWindowSize(-120, -1, 100000, 99999.6), "00000000009999999999");
  EXPECT_EQ(ParseWindowSize("01500007500900006000"), (std::array<int32_t, 4>{1500, 750, 9000, 6000}));
  EXPECT_EQ(ParseWindowSize("0150000750"), (std::array<int32_t, 4>{1500, 750, 0, 0}));
  EXPECT_EQ(ParseWindowSize(""), (std::array<int32_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(ParseWindowSize("abcde00010"), (std::array<int32_t, 4>{0, 10, 0, 0}));
}

TEST(WindowState, RestoredRectsAreFittedOntoAScreen) {
  const std::vector<PixelRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  struct Case {
    PixelRect in, out;
  } cases[] = {
      {{100, 100, 800, 600}, {100, 100, 800, 600}},        // inside: unchanged
      {{5000, 5000, 800, 600}, {1120, 480, 800, 600}},     // off every screen: nearest place on the first
      {{1800, 100, 800, 600}, {1920, 100, 800, 600}},      // mostly on the second
      {{-300, -50, 800, 600}, {0, 0, 800, 600}},
      {{0, 0, 4000, 3000}, {0, 0, 1920, 1080}},            // larger than the screen
  };
  for (const auto& c : cases) {
    PixelRect r = FitRectOntoScreens(c.in, screens);
    EXPECT_EQ(r.left, c.out.left);
    EXPECT_EQ(r.top, c.out.top);
    EXPECT_EQ(r.width, c.out.width);
    EXPECT_EQ(r.height, c.out.height);
  }
}
