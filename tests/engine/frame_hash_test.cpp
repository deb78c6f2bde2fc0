// The frames of the factory universe, pinned: a few hundred composed frames, drawn headless
// from a fixed random table, hashed together. Any change to the engine's arithmetic or to the
// order of its steps changes the hash; work on the speed of the engine must leave it as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "engine/display_universe.h"
#include "engine/engine_fixture.h"
#include "engine/universe_settings.h"
#include "presentation/render_state.h"
#include "model/colors.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "settings/factory_galaxies.h"
#include "support/test_support.h"

namespace engine {
namespace {

// FNV-1a over the frame buffer of every composed frame.
class HashingHost : public enginetest::FakeHost {
 public:
  uint64_t hash = 14695981039346656037ull;

 protected:
  void OnFrame() override {
    for (const uint32_t px : presentation::render().FrameBuffer) {
      for (int b = 0; b < 4; ++b) {
        hash ^= (px >> (8 * b)) & 0xFFu;
        hash *= 1099511628211ull;
      }
    }
  }
};

}  // namespace

TEST(FrameHash, FactoryUniverseFramesStayBitForBit) {
  constexpr int kW = 160, kH = 120;
  testsupport::TempConfig cfg;
  enginetest::ResetEngineModules(20240601);
  // The factory galaxy types and universe values, the hue wheel built from them and the
  // colour tables from the (default) stored hue wheel settings, as a display finds them.
  settings::LoadFactoryDefaults();
  model::BuildHueWheelTable();
  model::SetUniverseHueWheel(-1, -1);
  model::LoadHueWheelSettings();
  model::RebuildColorTables(true, true);
  presentation::RenderState& r = presentation::render();
  r.FrameBuffer.assign(kW * kH + 1, 0);
  r.OutputBuffer.assign(kW * kH + 1, 0);
  r.RenderWidth = r.BufferStride = kW;
  r.RenderHeight = kH;
  r.FrameBitmapInfo.Width = kW;
  r.FrameBitmapInfo.Height = -kH;
  r.PlotMaxX = kW - 1;
  r.PlotMaxY = kH - 2;
  r.ScreenCentreX = kW / 2;
  r.ScreenCentreY = kH / 2;
  r.PerspectiveScale = (kW / 2 + kH / 2) * 0.5f;
  r.FrameDelayMs = 0;
  presentation::HeadlessRenderSurface surface(kW, kH);
  r.RenderTarget = &surface;
  // A short expansion, so that most of the frames are tour frames.
  universeSettings().Universe_ESteps = 40;
  HashingHost host;
  host.stopAt = 40 + 260;
  enginetest::InstallFakeHost(&host);
  DisplayUniverse();
  enginetest::InstallFakeHost(nullptr);
  ASSERT_EQ(host.frames, 300);
  const auto lit = std::count_if(r.FrameBuffer.begin(), r.FrameBuffer.end(), [](uint32_t px) { return px != 0; });
  EXPECT_GT(lit, kW * kH / 20) << "the last frame shows stars";
  EXPECT_EQ(host.hash, 0x1b4b4048fcaa1027ull) << std::hex << host.hash;
}

}  // namespace engine
