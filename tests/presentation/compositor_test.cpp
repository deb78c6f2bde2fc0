#include <gtest/gtest.h>

#include <filesystem>

#include <regex>
#include <string>
#include <vector>

#include "presentation/compositor.h"
#include "presentation_fakes.h"

using namespace presentation;
using presentationtest::PresentationTest;

namespace {

class Compositor : public PresentationTest {
 protected:
  void SetUp() override {
    PresentationTest::SetUp();
    presentation::LoadSaverProperties(picture, false, 1.0f);  // 16 x 12
    presentation::LoadPropsInitDX();
  }
  uint32_t& Pixel(int x, int y) { return presentation::render().FrameBuffer[static_cast<size_t>(y * presentation::render().BufferStride + x)]; }
  // A saver run of the 16 x 12 frame on a 640 x 480 screen.
  void EnterSaver() {
    presentation::pacing().RunMode = presentation::kRunSaver;
    presentation::render().ScreenPixelWidth = 640;
    presentation::render().ScreenPixelHeight = 480;
  }
  presentation::HeadlessRenderSurface picture{16, 12};
};

class FakeOverlay : public MessageOverlay {
 public:
  void DrawScreenMessages() override {
    ++draws;
    presentation::RenderState& r = presentation::render();
    r.MessagePointX[0] = 2;
    r.MessagePointY[0] = 0;
    r.MessagePointCount = 1;
  }
  int32_t HueToColor(int32_t hue) override {
    hues.push_back(hue);
    return 0x000000FF;  // red in colour-reference order
  }
  int draws = 0;
  std::vector<int32_t> hues;
};

}  // namespace

TEST_F(Compositor, PreviewFrameIsBlendedCopiedOneToOneThenRecorded) {
  presentation::render().BlendLevel = 50;
  Pixel(3, 3) = 0x00C86432u;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(Pixel(3, 3), 0x00643219u);
  ASSERT_EQ(sink.calls, (std::vector<std::string>{"copy", "video"}));
  const auto& copy = sink.copies[0];
  EXPECT_EQ(copy.dest, presentation::FrameDestination::RenderTarget);
  EXPECT_EQ(copy.data, presentation::render().FrameBuffer.data());
  EXPECT_EQ(copy.w, 16);
  EXPECT_EQ(copy.h, 12);
  EXPECT_EQ(copy.rect.Width, 16);
  EXPECT_EQ(copy.rect.Height, 12);

  // An explicit level overrides BlendLevel; a desktop level means nothing outside the saver.
  presentation::compositor().DesktopPercent = 50;
  presentation::SetDesktopCapture(std::vector<uint8_t>(16 * 12 * 3, 200));
  presentation::zDX8_BlendBlit_Surface(100, 200);
  EXPECT_EQ(Pixel(3, 3), 0x00643219u);
  EXPECT_EQ(sink.copies[1].data, presentation::render().FrameBuffer.data());

  // Without a bound picture nothing is copied, but the video writer still sees the frame.
  presentation::UnbindRenderTarget(&picture);
  sink.calls.clear();
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"video"}));
}

TEST_F(Compositor, SaverShowsTheFilteredFrameOnEveryMonitor) {
  EnterSaver();
  presentation::RenderState& r = presentation::render();
  r.MonitorCount = 1;
  r.MonitorLeft = {-1280};
  r.MonitorTop = {0};
  r.MonitorWidth = {1280};
  r.MonitorHeight = {1024};
  presentation::SetFilterAndDesktopBlend(2, 0xFFFFFF, 0, 0);
  presentation::render().BlendLevel = 100;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  ASSERT_EQ(sink.calls, (std::vector<std::string>{"copy", "copy", "video"}));
  EXPECT_EQ(sink.copies[0].dest, presentation::FrameDestination::SaverWindow);
  EXPECT_EQ(sink.copies[0].data, r.OutputBuffer.data());
  EXPECT_EQ(sink.copies[0].firstPixel, 0x00FFFFFFu);
  EXPECT_EQ(sink.copies[0].rect.Width, 640);
  EXPECT_EQ(sink.copies[0].rect.Height, 480);
  EXPECT_EQ(sink.copies[1].data, r.OutputBuffer.data());
  EXPECT_EQ(sink.copies[1].firstPixel, 0x00FFFFFFu);
  EXPECT_EQ(sink.copies[1].rect.Left, -1280);
  EXPECT_EQ(sink.copies[1].rect.Height, 1024);

  // "Primary / black secondary": the primary screen only.
  r.MultiMonitorMode = 1;
  sink.copies.clear();
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(sink.copies.size(), 1u);
}

TEST_F(Compositor, DesktopBlendNeedsSaverModeSettingsAndACapture) {
  EnterSaver();
  presentation::render().BlendLevel = 100;
  struct Case {
    int32_t percent, frames;
    bool capture;
    int32_t explicitLevel;
    bool output;  // the copy comes from the output buffer (desktop mixed in)
    uint8_t work;  // first byte of the scaled desktop copy (capture bytes are 200)
  } cases[] = {
      {40, 0, true, -1, true, 79},      // d = 102: 200 * 102 / 256
      {100, 0, true, -1, true, 197},    // kept to 99: d = 253
      {40, 0, false, -1, false, 0},     // no capture, no desktop blend
      {40, 0, true, 0, false, 0},       // an explicit level 0: the plain frame
      {0, 0, true, -1, false, 0},       // desktop blending off
      {40, 0, true, 255, true, 199},    // the exit fade's explicit level
  };
  for (const auto& c : cases) {
    presentation::ResetCompositorState();
    presentation::SetFilterAndDesktopBlend(0, 0, c.percent, c.frames);
    if (c.capture) presentation::SetDesktopCapture(std::vector<uint8_t>(16 * 12 * 3, 200));
    sink.copies.clear();
    presentation::zDX8_BlendBlit_Surface(-1, c.explicitLevel);
    ASSERT_EQ(sink.copies.size(), 1u);
    EXPECT_EQ(sink.copies[0].data, c.output ? presentation::render().OutputBuffer.data() : presentation::render().FrameBuffer.data())
        << c.percent << " " << c.explicitLevel;
    if (c.output) {
      EXPECT_EQ(presentation::compositor().DesktopWork[0], c.work) << c.percent;
      EXPECT_EQ(sink.copies[0].firstPixel, (static_cast<uint32_t>(c.work) * 0x010101u)) << "black frame + desktop";
    }
  }
}

TEST_F(Compositor, DesktopCopyIsScaledOnlyWhenTheLevelChanges) {
  EnterSaver();
  presentation::SetFilterAndDesktopBlend(0, 0, 40, 0);
  presentation::SetDesktopCapture(std::vector<uint8_t>(16 * 12 * 3, 200));
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(presentation::compositor().LastDesktopLevel, 102);
  presentation::compositor().DesktopWork[0] = 7;  // marks the copy
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(presentation::compositor().DesktopWork[0], 7);
  presentation::zDX8_BlendBlit_Surface(-1, 50);
  EXPECT_EQ(presentation::compositor().DesktopWork[0], 39);  // 200 * 50 / 256
}

TEST_F(Compositor, DesktopFadesInAlongAHalfCosine) {
  EXPECT_EQ(presentation::DesktopFadeLevel(1, 30, 0), 253);
  EXPECT_EQ(presentation::DesktopFadeLevel(31, 30, 0), 0);
  EXPECT_EQ(presentation::DesktopFadeLevel(31, 30, 50), 128);
  EXPECT_EQ(presentation::DesktopFadeLevel(16, 30, 0), 121);  // just past the middle: Fix(127 * -0.0506) + 127

  EnterSaver();
  presentation::SetFilterAndDesktopBlend(0, 0, 0, 30);
  presentation::SetDesktopCapture(std::vector<uint8_t>(16 * 12 * 3, 200));
  std::vector<int32_t> levels;
  for (int i = 0; i < 33; ++i) {
    sink.copies.clear();
    presentation::zDX8_BlendBlit_Surface(-1, -1);
    levels.push_back(presentation::compositor().LastDesktopLevel);
  }
  EXPECT_EQ(levels.front(), 253);
  EXPECT_EQ(levels[30], 0);
  EXPECT_EQ(presentation::compositor().DesktopFrameCounter, 31) << "the counter stops after the ramp";
  EXPECT_EQ(sink.copies[0].data, presentation::render().FrameBuffer.data()) << "level 0: the plain branch";
  for (size_t i = 1; i < levels.size(); ++i) EXPECT_LE(levels[i], levels[i - 1]);
}

TEST_F(Compositor, MessageIsPlottedFromTheSecondSaverFrameWithATurningHue) {
  FakeOverlay overlay;
  presentation::InstallMessageOverlay(&overlay);
  presentation::render().BlendLevel = 100;
  presentation::render().MessageHueStart = 180;
  presentation::render().MessageHueStep = 10;
  presentation::render().MessageTopOffset = 2;

  presentation::zDX8_BlendBlit_Surface(-1, -1);  // outside the saver: never
  EXPECT_EQ(overlay.draws, 0);

  EnterSaver();
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(overlay.draws, 0) << "the first saver frame carries no message";
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(overlay.draws, 2);
  EXPECT_EQ(overlay.hues, (std::vector<int32_t>{180, 181}));  // 180.4, 180.8
  EXPECT_EQ(Pixel(2, 2), 0x00FF0000u) << "drawn in frame order at the message's top row";
}

TEST_F(Compositor, PerformanceTextCountsFramesAndTime) {
  // Logging off: the clock is never read.
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(clock.tickReads, 0);

  presentation::CompositorState& c = presentation::compositor();
  c.PerfLogFrames = 2;
  clock.now = 1000;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(c.PerfStartTick, 1000u);
  EXPECT_TRUE(c.PerfText.empty());
  clock.now = 1500;  // the engine took 500 ms
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(c.PerfMathMs, 500);
  EXPECT_EQ(c.PerfLineCount, 1);
  EXPECT_EQ(c.PerfElapsedMs, 500);
  EXPECT_TRUE(std::regex_match(c.PerfText, std::regex(R"(fps: 4\.00  F: 2  T: 00:00:00:00  \d\d/\d\d/\d{4} \d\d:\d\d)")))
      << c.PerfText;

  // A long run: days and the rounded seconds.
  c.PerfElapsedMs = 90061000 - 2000;  // with the next 2000 ms: one day, one hour, one minute, one second
  clock.now = 2500;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  clock.now = 3500;
  presentation::zDX8_BlendBlit_Surface(-1, -1);
  EXPECT_EQ(c.PerfText.rfind("fps: .00  F: 4  T: 01:01:01:01  ", 0), 0u) << c.PerfText;
}

TEST_F(Compositor, PerformanceLogSharesComeFromTheUnroundedTime) {
  presentation::CompositorState& c = presentation::compositor();
  EXPECT_EQ(presentation::BuildPerformanceLog("6.0.1", "zorvane", 100), "") << "nothing measured: no log";

  c.PerfLogFrames = 100;
  c.PerfText = "fps: 30.00  F: 100";
  presentation::render().BlendLevel = 96;
  presentation::render().FrameDelayMs = 10;
  struct Case {
    int64_t math, blend, blit;
    const char* lines;
  } cases[] = {
      {3600, 1800, 600,
       "   Math     :        3    60.00 %\n   Blending :        1    30.00 %\n   Blt/Flip :        0    10.00 %\n"
       "   Total    :        6   100.00 %\n"},
      {300, 150, 50,  // under one second
       "   Math     :        0    60.00 %\n   Blending :        0    30.00 %\n   Blt/Flip :        0    10.00 %\n"
       "   Total    :        0   100.00 %\n"},
      {0, 0, 0,
       "   Math     :        0      .00 %\n   Blending :        0      .00 %\n   Blt/Flip :        0      .00 %\n"
       "   Total    :        0      .00 %\n"},
  };
  for (const auto& k : cases) {
    c.PerfMathMs = k.math;
    c.PerfBlendMs = k.blend;
    c.PerfBlitMs = k.blit;
    const std::string log = presentation::BuildPerformanceLog("6.0.1", "zorvane", 123456);
    const std::string head = std::string(120, '-') +
                             "\nZorvane 6.0  6.0.1  32-bpp   Screen: 16*12   Pitch: 16   Blend: 96   Delay: 10   "
                             "Pixels: 123456\nzorvane\nfps: 30.00  F: 100\n";
    EXPECT_EQ(log, head + k.lines);
  }

  const std::string dir = testsupport::MakeTempDir();
  EXPECT_TRUE(presentation::AppendPerformanceLog(dir, "a\n"));
  EXPECT_TRUE(presentation::AppendPerformanceLog(dir, "b\n"));
  EXPECT_EQ(testsupport::ReadFile(dir + "/ZORVPerf.log"), "a\nb\n");
  EXPECT_FALSE(presentation::AppendPerformanceLog(dir + "/missing/folder", "c\n"));
  // No folder: nothing is written, in the working folder or the root either.
  EXPECT_FALSE(presentation::AppendPerformanceLog("", "d\n"));
  EXPECT_FALSE(std::filesystem::exists("/ZORVPerf.log"));
  // A link at the log's name is not written through.
  const std::string other = testsupport::MakeTempDir();
  testsupport::WriteFile(other + "/victim", "keep");
  std::filesystem::create_symlink(other + "/victim", other + "/ZORVPerf.log");
  EXPECT_FALSE(presentation::AppendPerformanceLog(other, "e\n"));
  EXPECT_EQ(testsupport::ReadFile(other + "/victim"), "keep");
  std::filesystem::remove_all(other);
}

TEST_F(Compositor, UnsetFrameOrStrangeValuesNeverFail) {
  presentation::ResetRenderState();  // no buffers at all
  EnterSaver();
  presentation::render().MonitorCount = 3;  // the monitor arrays are empty
  presentation::SetFilterAndDesktopBlend(1, -1, 50, 0);
  presentation::SetDesktopCapture(std::vector<uint8_t>(5, 1));
  FakeOverlay overlay;
  presentation::InstallMessageOverlay(&overlay);
  for (int32_t level : {-1, -720, 1000, INT32_MAX}) presentation::zDX8_BlendBlit_Surface(level, -1);
  presentation::compositor().FilterMode = 9;
  presentation::zDX8_BlendBlit_Surface(-1, INT32_MAX);
  SUCCEED();
}
