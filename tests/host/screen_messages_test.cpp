#include "host/screen_messages.h"

#include <gtest/gtest.h>

#include "presentation/render_state.h"
#include "host/qt_test_app.h"

using namespace host;

namespace {

struct MessageCase {
  const char* lock;
  int32_t minutes;
  const char* marker;
  const char* zero;
  double seconds;
  const char* expect;
};

}  // namespace

TEST(ScreenMessages, CountdownTexts) {
  const MessageCase cases[] = {
      {"", 5, "", "done", 0, ""},
      {"Back soon", 0, "", "", 100, "Back soon"},
      {"Back in #", 5, "#", "Now", 0, "Back in 5 minutes"},
      {"Back in #", 5, "#", "Now", 60, "Back in 4 minutes"},
      {"Back in #", 5, "#", "Now", 240, "Back in 1 minute"},
      {"Back in #", 5, "#", "Now", 300, "Now"},
      {"Back in # or so", 2, "#", "Now", 59, "Back in 2 minutes or so"},
      {"Back soon", 2, "#", "Now", 61, "Back soon 1 minute"},  // marker missing: appended
      {"Back soon", 2, "  ", "Now", 0, "Back soon 2 minutes"},  // blank marker: appended
  };
  for (const auto& c : cases) {
    ResetMessageState();
    presentation::RenderState& r = presentation::render();
    r.LockMessageText = c.lock;
    r.MessageMinutes = c.minutes;
    r.MessageTimeText = c.marker;
    r.MessageZeroText = c.zero;
    ComposeMessageText(1000.0);  // the count-down starts here
    EXPECT_EQ(ComposeMessageText(1000.0 + c.seconds), c.expect) << c.lock << " @" << c.seconds;
  }
  ResetMessageState();
  presentation::ResetRenderState();
}

TEST(ScreenMessages, RasterisedPointsAreCentredAndCapped) {
  testsupport::EnsureQtApplication();
  presentation::RenderState& r = presentation::render();
  r.RenderWidth = 640;
  RasterizeTextToPixels("Zorvane", "Sans", 14, 0x0000FF);
  ASSERT_GT(r.MessagePointCount, 10);
  int32_t minX = 1 << 30, maxX = -1;
  for (int32_t i = 0; i < r.MessagePointCount; ++i) {
    minX = std::min(minX, r.MessagePointX[static_cast<size_t>(i)]);
    maxX = std::max(maxX, r.MessagePointX[static_cast<size_t>(i)]);
    EXPECT_GE(r.MessagePointY[static_cast<size_t>(i)], 0);
  }
  // The text is centred within a pixel or a few of glyph bearing.
  EXPECT_NEAR((minX + maxX) / 2.0, 320.0, 8.0);
  // A huge text keeps only the first 20000 points.
  RasterizeTextToPixels(std::string(40, '#'), "Sans", 120, 0xFFFFFF);
  EXPECT_EQ(r.MessagePointCount, presentation::kMessagePointCapacity);
  presentation::ResetRenderState();
}
