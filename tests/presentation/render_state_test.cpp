#include <gtest/gtest.h>

#include <string>

#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "presentation_fakes.h"

using namespace presentation;
using presentationtest::PresentationTest;

namespace {

class RenderSettings : public PresentationTest {};

void Store(const char* section, const char* name, const runtime::TextValue& v) { store::SaveRegSetting(section, name, v); }

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
    presentation::HeadlessRenderSurface target(c.innerW, c.innerH);
    presentation::LoadSaverProperties(target, false, 1.0f);
    const presentation::RenderState& r = presentation::render();
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
    presentation::UnbindRenderTarget(&target);
    EXPECT_EQ(presentation::render().RenderTarget, nullptr);
  }
  // 150 x 110 gives 16721 elements, indices 0 to 16720.
  presentation::HeadlessRenderSurface preview(150, 110);
  presentation::LoadSaverProperties(preview, false, 1.3f);
  EXPECT_EQ(presentation::render().FrameBuffer.size(), 16721u);
  EXPECT_FLOAT_EQ(presentation::render().PerspectiveScale, static_cast<float>((76 + 55) * 0.5 * 1.0 * static_cast<double>(1.3f)));
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
  presentation::HeadlessRenderSurface target(100, 100);
  presentation::LoadSaverProperties(target, false, 1.0f);
  const presentation::RenderState& r = presentation::render();
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
  presentation::ResetRenderState();
  testsupport::TempConfig fresh;
  LoadSaverProperties(target, false, 1.0f);
  EXPECT_FLOAT_EQ(presentation::render().FocalLength, 1.0f);
  EXPECT_EQ(presentation::render().MessageFontName, "Arial");
  EXPECT_EQ(presentation::render().MessageFontSize, 12);
  EXPECT_EQ(presentation::render().MessageHueStart, 180);
  EXPECT_EQ(presentation::render().MessageHueStep, 10);
  EXPECT_EQ(presentation::render().MessageTopOffset, 2);
  EXPECT_EQ(presentation::render().LockMessageText, "");
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
    presentation::HeadlessRenderSurface target(64, 48);
    presentation::LoadSaverProperties(target, c.fixed, 1.0f);
    EXPECT_EQ(presentation::render().FrameDelayMs, c.delay) << c.stored;
    EXPECT_FLOAT_EQ(presentation::render().FocalLength, c.fixed ? 1.0f : 3.0f);
  }
}

TEST_F(RenderSettings, SaverSizeMustBeAListedSizeIncludingTheFirst) {
  presentation::RenderState& r = presentation::render();
  r.ScreenPixelWidth = 1920;
  r.ScreenPixelHeight = 1080;
  r.WindowSizeList = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}};
  presentation::pacing().RunMode = presentation::kRunSaver;
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
    presentation::HeadlessRenderSurface window(10, 10);
    presentation::LoadSaverProperties(window, false, 1.0f);
    EXPECT_EQ(r.RenderWidth, c.width) << c.w << "x" << c.h;
    EXPECT_EQ(r.RenderHeight, c.height);
    EXPECT_EQ(window.InnerWidthPx(), c.width) << "the saver window takes the frame size";
    EXPECT_EQ(window.InnerHeightPx(), c.height);
  }
  // Nothing stored: the screen size.
  testsupport::TempConfig fresh;
  presentation::HeadlessRenderSurface window(10, 10);
  presentation::LoadSaverProperties(window, false, 1.0f);
  EXPECT_EQ(r.RenderWidth, 1920);
}

TEST_F(RenderSettings, ColourTablesAreReloadedOnEveryLoad) {
  static int reloads;
  reloads = 0;
  presentation::SetColorTablesReload([] { ++reloads; });
  presentation::HeadlessRenderSurface target(32, 32);
  presentation::LoadSaverProperties(target, false, 1.0f);
  LoadSaverProperties(target, true, 1.0f);
  EXPECT_EQ(reloads, 2);
}

TEST_F(RenderSettings, InitDXSetsStrideHidesCursorInSaverModeAndZeroesCounters) {
  presentation::HeadlessRenderSurface target(150, 110);
  presentation::LoadSaverProperties(target, false, 1.0f);
  presentation::compositor().PerfMathMs = 5;
  presentation::compositor().PerfLineCount = 3;
  presentation::compositor().LastBlitTick = 77;
  presentation::compositor().PerfText = "kept";
  presentation::LoadPropsInitDX();
  EXPECT_EQ(presentation::render().BufferStride, 152);
  EXPECT_EQ(clock.cursorHides, 0);
  EXPECT_EQ(presentation::compositor().PerfMathMs, 0);
  EXPECT_EQ(presentation::compositor().PerfLineCount, 0);
  EXPECT_EQ(presentation::compositor().LastBlitTick, 0u);
  presentation::pacing().RunMode = presentation::kRunSaver;
  presentation::LoadPropsInitDX();
  EXPECT_EQ(clock.cursorHides, 1);
}
