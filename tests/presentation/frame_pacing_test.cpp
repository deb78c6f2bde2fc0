#include <gtest/gtest.h>

#include "presentation/frame_pacing.h"
#include "presentation_fakes.h"

using namespace presentation;
using presentationtest::PresentationTest;

namespace {
class Pacing : public PresentationTest {};
}  // namespace

TEST_F(Pacing, SleepsForTheRestOfTheFrameDelay) {
  struct Case {
    int32_t delay;
    uint32_t start, now;
    int64_t sleep;  // -1: none
  } cases[] = {
      {20, 1000, 1005, 15},
      {20, 1000, 1025, -1},
      {20, 1000, 1019, 1},
      {20, 1000, 1020, -1},
      {0, 1000, 1000, -1},
      {1500, 1000, 1005, -1},              // a rest of 1000 ms or more is not slept
      {20, 0xFFFFFFFEu, 3, 15},             // the tick wrapped during the frame
      {20, 1005, 1000, 15},                 // a start after now counts by its distance
  };
  for (const auto& c : cases) {
    clock.sleeps.clear();
    clock.events = 0;
    presentation::render().FrameDelayMs = c.delay;
    presentation::pacing().FrameStartTick = c.start;
    clock.now = c.now;
    EXPECT_FALSE(presentation::PaceFrame());
    EXPECT_EQ(clock.events, 1);
    if (c.sleep < 0) {
      EXPECT_TRUE(clock.sleeps.empty()) << c.delay << " " << c.now;
    } else {
      ASSERT_EQ(clock.sleeps.size(), 1u) << c.delay << " " << c.now;
      EXPECT_EQ(clock.sleeps[0], c.sleep);
    }
  }
}

TEST_F(Pacing, ReportsTheStopFlagAfterEventsWithoutSleeping) {
  presentation::render().FrameDelayMs = 20;
  presentation::pacing().FrameStartTick = clock.now;
  // The stop comes from an event handler that runs inside the pacer.
  clock.onEvents = [] { presentation::pacing().G_bCancel = true; };
  EXPECT_TRUE(presentation::PaceFrame());
  EXPECT_EQ(clock.events, 1);
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_TRUE(presentation::PaceFrame()) << "the flag is a level: it stays set";
}

TEST_F(Pacing, PreviewStopsWhenTheHostWindowIsGone) {
  presentation::render().FrameDelayMs = 0;
  presentation::pacing().PreviewParentHwnd = 4242;

  presentation::pacing().RunMode = presentation::kRunPreview;
  EXPECT_FALSE(presentation::PaceFrameAndCheckHost());
  clock.hostAlive = false;
  EXPECT_TRUE(presentation::PaceFrameAndCheckHost());
  EXPECT_TRUE(presentation::pacing().G_bCancel);

  // Outside preview mode the host is not asked.
  presentation::ResetPacingState();
  clock.windowChecks = 0;
  presentation::pacing().RunMode = presentation::kRunSaver;
  EXPECT_FALSE(presentation::PaceFrameAndCheckHost());
  EXPECT_EQ(clock.windowChecks, 0);
  EXPECT_FALSE(presentation::pacing().G_bCancel);
}

TEST_F(Pacing, OnlyTheFirstSixPausesOfAProcessWait) {
  clock.step = 1;
  for (int i = 0; i < 6; ++i) {
    const uint32_t before = clock.now;
    const int eventsBefore = clock.events;
    presentation::PauseFirstFrames();
    EXPECT_GE(clock.now - before, 20u) << "pause " << i;
    EXPECT_GT(clock.events, eventsBefore);
  }
  const uint32_t before = clock.now;
  const int eventsBefore = clock.events;
  presentation::PauseFirstFrames();
  EXPECT_EQ(clock.now, before);
  EXPECT_EQ(clock.events, eventsBefore);
}
