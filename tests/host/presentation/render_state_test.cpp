#include <gtest/gtest.h>

#include <string>

#include "host/presentation/render_state.h"
#include "host/services/registry_access.h"
#include "presentation_fakes.h"

using namespace host;
using presentationtest::PresentationTest;

namespace {

class RenderSettings : public PresentationTest {};

void Store(const char* section, const char* name, const runtime::TextValue& v) { SaveRegSetting(section, name, v); }

}  // namespace

TEST_F(RenderSettings, PictureSizeGivesFrameSizeBoundsProjectionAndBuffers) {
  struct Case {
    int32_t innerW, innerH;
    int32_t width, height, centreX, centreY, widenedTo;
  } cases[] = {
      {150, 110, 152, 110, 76, 55, 152},  // width rounded up to a multiple of 4, picture widened
      {10, 8, 16, 12, 8, 6, 16},          // the minimum frame
      {400, 601, 400, 601, 200, 300, 400},  // 300.5 rounds to even
      {-20, 0, 16, 12, 8, 6, 16},
  };
  for (const auto& c : cases) {
    HeadlessRenderSurface target(c.innerW, c.innerH);
    LoadSaverProperties(target, false, 1.0f);
    const RenderState& r = render();
    EXPECT_EQ(r.RenderWidth, c.width) << c.innerW;
    EXPECT_EQ(r.RenderHeight, c.height) << c.innerH;
    EXPECT_EQ(r.ScreenCentreX, c.centreX);
    EXPECT_EQ(r.ScreenCentreY, c.centreY);
    EXPECT_EQ(r.PlotMaxX, c.width - 1);
    EXPECT_EQ(r.PlotMinY, 1);
    EXPECT_EQ(r.PlotMaxY, c.height - 2);
    EXPECT_EQ(target.InnerWidthPx(), c.widenedTo);
    EXPECT_EQ(r.FrameBuffer.size(), static_cast<size_t>(c.width) * c.height + 1);
    EXPECT_EQ(r.OutputBuffer.size(), r.FrameBuffer.size());
    EXPECT_EQ(r.FrameBitmapInfo.Width, c.width);
    EXPECT_EQ(r.FrameBitmapInfo.Height, -c.height);
    EXPECT_EQ(r.FrameBitmapInfo.SizeImage, 4 * c.width * c.height);
    EXPECT_EQ(r.FrameBitmapInfo.BitCount, 32);
    EXPECT_EQ(r.RenderTarget, &target);
    EXPECT_EQ(target.clears, 1);
    UnbindRenderTarget(&target);
    EXPECT_EQ(render().RenderTarget, nullptr);
  }
  // 150 x 110 gives 16721 elements, indices 0 to 16720.
  HeadlessRenderSurface preview(150, 110);
  LoadSaverProperties(preview, false, 1.3f);
  EXPECT_EQ(render().FrameBuffer.size(), 16721u);
  EXPECT_FLOAT_EQ(render().PerspectiveScale, static_cast<float>((76 + 55) * 0.5 * 1.0 * static_cast<double>(1.3f)));
}

TEST_F(RenderSettings, AdvancedValuesAreClampedAndDefaulted) {
  Store("Advanced", "FocalLength", "25");
  Store("Advanced", "Adv_FontSize", "5");
  Store("Advanced", "Adv_FontHueV", "400");
  Store("Advanced", "Adv_FontName", "");
  Store("Advanced", "LockMessage", "   " + std::string(150, 'x') + "  ");
  Store("Advanced", "Adv_FontTOff", "7");
  Store("Advanced", "Adv_CMinutes", "3");
  Store("Advanced", "Adv_TimeText", "%t");
  HeadlessRenderSurface target(100, 100);
  LoadSaverProperties(target, false, 1.0f);
  const RenderState& r = render();
  EXPECT_FLOAT_EQ(r.FocalLength, 10.0f);
  EXPECT_EQ(r.MessageFontSize, 10);
  EXPECT_EQ(r.MessageHueStart, 359);
  EXPECT_EQ(r.MessageFontName, "Arial");
  EXPECT_EQ(r.LockMessageText, std::string(100, 'x'));
  EXPECT_EQ(r.MessageTopOffset, 7);
  EXPECT_EQ(r.MessageMinutes, 3);
  EXPECT_EQ(r.MessageTimeText, "%t");
  EXPECT_EQ(r.FrameDelayMs, 10) << "the default delay";
  EXPECT_FLOAT_EQ(r.PerspectiveScale, 500.0f);

  // Nothing stored: the documented defaults.
  ResetRenderState();
  testsupport::TempConfig fresh;
  LoadSaverProperties(target, false, 1.0f);
  EXPECT_FLOAT_EQ(render().FocalLength, 1.0f);
  EXPECT_EQ(render().MessageFontName, "Arial");
  EXPECT_EQ(render().MessageFontSize, 12);
  EXPECT_EQ(render().MessageHueStart, 180);
  EXPECT_EQ(render().MessageHueStep, 10);
  EXPECT_EQ(render().MessageTopOffset, 2);
  EXPECT_EQ(render().LockMessageText, "");
}

TEST_F(RenderSettings, FrameDelayIsKeptToWhatThePacerCanSleep) {
  struct Case {
    const char* stored;
    bool fixed;
    int32_t delay;
  } cases[] = {{"35", false, 35}, {"1500", false, 999}, {"-4", false, 0}, {"abc", false, 10}, {"1500", true, 20}};
  for (const auto& c : cases) {
    Store("Advanced", "Adv_TimeDelay", c.stored);
    Store("Advanced", "FocalLength", "3");
    HeadlessRenderSurface target(64, 48);
    LoadSaverProperties(target, c.fixed, 1.0f);
    EXPECT_EQ(render().FrameDelayMs, c.delay) << c.stored;
    EXPECT_FLOAT_EQ(render().FocalLength, c.fixed ? 1.0f : 3.0f);
  }
}

TEST_F(RenderSettings, SaverSizeMustBeAListedSizeIncludingTheFirst) {
  RenderState& r = render();
  r.ScreenPixelWidth = 1920;
  r.ScreenPixelHeight = 1080;
  r.WindowSizeList = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}};
  pacing().RunMode = kRunSaver;
  struct Case {
    const char* w;
    const char* h;
    int32_t width, height;
  } cases[] = {
      {"1024", "768", 1024, 768},
      {"640", "480", 640, 480},    // the first entry counts
      {"1000", "700", 1920, 1080},  // not listed: the screen
      {"800", "768", 1920, 1080},
  };
  for (const auto& c : cases) {
    Store("DirectX", "DX_WinWidth", c.w);
    Store("DirectX", "DX_WinHeight", c.h);
    HeadlessRenderSurface window(10, 10);
    LoadSaverProperties(window, false, 1.0f);
    EXPECT_EQ(r.RenderWidth, c.width) << c.w << "x" << c.h;
    EXPECT_EQ(r.RenderHeight, c.height);
    EXPECT_EQ(window.InnerWidthPx(), c.width) << "the saver window takes the frame size";
    EXPECT_EQ(window.InnerHeightPx(), c.height);
  }
  // Nothing stored: the screen size.
  testsupport::TempConfig fresh;
  HeadlessRenderSurface window(10, 10);
  LoadSaverProperties(window, false, 1.0f);
  EXPECT_EQ(r.RenderWidth, 1920);
}

TEST_F(RenderSettings, ColourTablesAreReloadedOnEveryLoad) {
  static int reloads;
  reloads = 0;
  SetColorTablesReload([] { ++reloads; });
  HeadlessRenderSurface target(32, 32);
  LoadSaverProperties(target, false, 1.0f);
  LoadSaverProperties(target, true, 1.0f);
  EXPECT_EQ(reloads, 2);
}

TEST_F(RenderSettings, InitDXSetsStrideHidesCursorInSaverModeAndZeroesCounters) {
  HeadlessRenderSurface target(150, 110);
  LoadSaverProperties(target, false, 1.0f);
  compositor().PerfMathMs = 5;
  compositor().PerfLineCount = 3;
  compositor().LastBlitTick = 77;
  compositor().PerfText = "kept";
  LoadPropsInitDX();
  EXPECT_EQ(render().BufferStride, 152);
  EXPECT_EQ(clock.cursorHides, 0);
  EXPECT_EQ(compositor().PerfMathMs, 0);
  EXPECT_EQ(compositor().PerfLineCount, 0);
  EXPECT_EQ(compositor().LastBlitTick, 0u);
  pacing().RunMode = kRunSaver;
  LoadPropsInitDX();
  EXPECT_EQ(clock.cursorHides, 1);
}
