// Shared set-up of the benchmarks: a headless frame of a given size with pacing off, the
// factory galaxy types, the colour tables a display builds, a fixed random table, and a
// private settings folder so that no benchmark touches the user's settings.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_temp.h"
#include "engine/universe_settings.h"
#include "model/colors.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "model/random_table.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "settings/factory_galaxies.h"

namespace benchsupport {

// Settings are read from an empty folder of this run (removed when the run ends).
inline void UsePrivateSettings() {
  static const bool done = [] {
    setenv("XDG_CONFIG_HOME", RunFolder().c_str(), 1);
    return true;
  }();
  (void)done;
}

// A width x height frame with no sink; filterMode 3 composes nothing (the time measured is
// the engine's), filterMode 0 the trail blend of the saver.
inline void PrepareHeadless(int32_t width, int32_t height, int32_t filterMode) {
  UsePrivateSettings();
  presentation::ResetRenderState();
  presentation::ResetPacingState();
  presentation::ResetCompositorState();
  presentation::RenderState& r = presentation::render();
  r.RenderWidth = r.BufferStride = width;
  r.RenderHeight = height;
  r.FrameBuffer.assign(static_cast<size_t>(width) * static_cast<size_t>(height) + 1, 0);
  r.OutputBuffer.assign(r.FrameBuffer.size(), 0);
  r.FrameBitmapInfo.Width = width;
  r.FrameBitmapInfo.Height = -height;
  r.PlotMaxX = width - 1;
  r.PlotMinY = 1;
  r.PlotMaxY = height - 2;
  r.ScreenCentreX = width / 2;
  r.ScreenCentreY = height / 2;
  r.PerspectiveScale = (static_cast<float>(width / 2) + static_cast<float>(height / 2)) * 0.5f;
  r.FrameDelayMs = 0;
  presentation::SetFilterAndDesktopBlend(filterMode, 0, 0, 0);
  model::InitRandomTableWithSeed(20240601);
  settings::LoadFactoryDefaults();
  model::BuildHueWheelTable();
  model::SetUniverseHueWheel(-1, -1);
  model::LoadHueWheelSettings();
  model::RebuildColorTables(true, true);
}

inline void UseUniverse(int32_t stars, int32_t galaxies, int32_t ambient, float gravity, int32_t esteps) {
  engine::universeSettings() = engine::UniverseSettings{};
  engine::UniverseSettings& u = engine::universeSettings();
  u.Universe_Stars = stars;
  u.Universe_Galaxy = galaxies;
  u.Universe_AmStar = ambient;
  u.Universe_GravForce = gravity;
  u.Universe_GravFrame = 1;
  u.Universe_ESteps = esteps;
}

// Touches 64 MB, so that a frame is out of the caches as it is in the running saver.
inline void EvictCaches() {
  static std::vector<uint8_t> big(64u << 20, 1);
  for (size_t i = 0; i < big.size(); i += 64) big[i] = static_cast<uint8_t>(big[i] + 1);
  asm volatile("" : : "r"(big.data()) : "memory");
}

}  // namespace benchsupport
