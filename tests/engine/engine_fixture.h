// Set-up shared by the tests of the engine's display loops: a fake host for the pacer and the
// compositor, the reset of every module a display touches, and a small frame to draw into.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/universe_settings.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"

namespace enginetest {

// The frame of the display tests: 64 x 48 pixels projected with scale 40 around (32, 24).
inline constexpr int kFrameWidth = 64;
inline constexpr int kFrameHeight = 48;

// A host whose clock ticks once per reading. It counts pacer calls (paces) and composed
// frames (frames) and asks to stop at the stopAt-th pacer call (0: never). A test that wants
// to see more sets onPace or overrides OnPace or OnFrame.
class FakeHost : public presentation::HostPlatform, public presentation::FrameSink {
 public:
  void DoEvents() override {
    OnPace();
    if (++paces == stopAt) presentation::pacing().G_bCancel = true;
  }
  uint32_t GetTickCount() override { return ++tick; }
  void Sleep(uint32_t) override {}
  bool IsWindow(int64_t) override { return true; }
  void HideCursor() override {}
  void StretchFrame(presentation::FrameDestination, std::span<const uint32_t>, int32_t, int32_t,
                    const presentation::FrameBitmapHeader&, const presentation::FrameRect&) override {
    ++frames;
    OnFrame();
  }
  void WriteVideoFrame() override {}

  int frames = 0, paces = 0, stopAt = 0;
  uint32_t tick = 0;
  // Runs at every pacer call, before it is counted.
  std::function<void()> onPace;

 protected:
  virtual void OnPace() {
    if (onPace) onPace();
  }
  virtual void OnFrame() {}
};

// Galaxy records, universe settings, render, pacing and compositor state to their defaults;
// the random table seeded with `seed`.
inline void ResetEngineModules(uint32_t seed) {
  model::ResetGalaxyRecords();
  engine::universeSettings() = engine::UniverseSettings{};
  presentation::ResetRenderState();
  presentation::ResetPacingState();
  presentation::ResetCompositorState();
  model::InitRandomTableWithSeed(seed);
}

// A cleared frame buffer of kFrameWidth x kFrameHeight (one spare pixel), plotted inside its
// border, projected with scale 40 around its centre, and no frame delay.
inline void UseSmallFrame() {
  presentation::RenderState& r = presentation::render();
  r.FrameBuffer.assign(kFrameWidth * kFrameHeight + 1, 0);
  r.RenderWidth = r.BufferStride = kFrameWidth;
  r.RenderHeight = kFrameHeight;
  r.PlotMaxX = kFrameWidth - 1;
  r.PlotMaxY = kFrameHeight - 2;
  r.ScreenCentreX = kFrameWidth / 2;
  r.ScreenCentreY = kFrameHeight / 2;
  r.PerspectiveScale = 40.0f;
  r.FrameDelayMs = 0;
}

// The output side of the small frame, as a display composes it: an output buffer, the
// top-down bitmap header and the surface it is shown on.
inline void UseSmallOutput(presentation::RenderSurface& surface) {
  presentation::RenderState& r = presentation::render();
  r.OutputBuffer.assign(kFrameWidth * kFrameHeight + 1, 0);
  r.FrameBitmapInfo.Width = kFrameWidth;
  r.FrameBitmapInfo.Height = -kFrameHeight;
  r.RenderTarget = &surface;
}

// Installs `fake` as the pacer's platform and, unless platformOnly, as the compositor's sink;
// nullptr removes both.
inline void InstallFakeHost(FakeHost* fake, bool platformOnly = false) {
  presentation::InstallHostPlatform(fake);
  if (!platformOnly || fake == nullptr) presentation::InstallFrameSink(fake);
}

}  // namespace enginetest
