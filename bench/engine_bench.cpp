// Engine time of the universe display at 1920 x 1080, headless, with pacing off, a fixed
// random table and the factory galaxy types: a tour frame of the default universe and of the
// largest one (gravity every frame), the expansion frames, and the star loop against a
// scatter of plain 4-byte stores into the same buffer (the limit of any star loop).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "engine/comets.h"
#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/display_universe.h"
#include "engine/star_renderer.h"
#include "engine/universe_settings.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "settings/factory_galaxies.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// A 1920 x 1080 frame with no sink and no blend, so a composed frame costs nothing and the
// time measured is the engine's.
void PrepareHeadless() {
  presentation::ResetRenderState();
  presentation::ResetPacingState();
  presentation::ResetCompositorState();
  presentation::RenderState& r = presentation::render();
  r.RenderWidth = r.BufferStride = kWidth;
  r.RenderHeight = kHeight;
  r.FrameBuffer.assign(static_cast<size_t>(kWidth) * kHeight + 1, 0);
  r.OutputBuffer.assign(r.FrameBuffer.size(), 0);
  r.FrameBitmapInfo.Width = kWidth;
  r.FrameBitmapInfo.Height = -kHeight;
  r.PlotMaxX = kWidth - 1;
  r.PlotMinY = 1;
  r.PlotMaxY = kHeight - 2;
  r.ScreenCentreX = kWidth / 2;
  r.ScreenCentreY = kHeight / 2;
  r.PerspectiveScale = (960.0f + 540.0f) * 0.5f;
  r.FrameDelayMs = 0;
  presentation::SetFilterAndDesktopBlend(3, 0, 0, 0);  // a mode without blend
  model::InitRandomTableWithSeed(20240601);
  settings::LoadFactoryDefaults();
}

void UseUniverse(int32_t stars, int32_t galaxies, int32_t ambient, float gravity, int32_t esteps) {
  engine::universeSettings() = engine::UniverseSettings{};
  engine::UniverseSettings& u = engine::universeSettings();
  u.Universe_Stars = stars;
  u.Universe_Galaxy = galaxies;
  u.Universe_AmStar = ambient;
  u.Universe_GravForce = gravity;
  u.Universe_GravFrame = 1;
  u.Universe_ESteps = esteps;
}

// Tour frames of visit 0, leg 3, t moving along the leg.
void RunTourFrames(benchmark::State& state) {
  engine::UniverseDisplay d;
  d.Setup();
  d.CreateNext();
  float t = 0.0f;
  for (auto _ : state) {
    d.TourFrame(0, 3, t);
    t += 0.005f;
    if (t >= 1.0f) t = 0.0f;
  }
  state.counters["stars"] = static_cast<double>(d.Stars().Count());
}

void BM_TourFrameDefault(benchmark::State& state) {
  PrepareHeadless();
  UseUniverse(18000, 200, 2000, 0.0f, 20);
  RunTourFrames(state);
}
BENCHMARK(BM_TourFrameDefault)->Unit(benchmark::kMillisecond);

void BM_TourFrameMaximum(benchmark::State& state) {
  PrepareHeadless();
  UseUniverse(99999, 999, 9999, 1000.0f, 20);
  RunTourFrames(state);
}
BENCHMARK(BM_TourFrameMaximum)->Unit(benchmark::kMillisecond);

// A whole universe creation of the default size per iteration: 500 expansion frames.
void BM_ExpansionFrames(benchmark::State& state) {
  PrepareHeadless();
  UseUniverse(18000, 200, 2000, 0.0f, 500);
  engine::UniverseDisplay d;
  d.Setup();
  // The display scaled the settings; every creation starts from the same run-time values.
  const engine::UniverseSettings scaled = engine::universeSettings();
  for (auto _ : state) {
    engine::universeSettings() = scaled;
    d.CreateNext();
  }
  // Shown as the time of one expansion frame.
  state.counters["frame_time"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 500.0,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExpansionFrames)->Unit(benchmark::kMillisecond)->Iterations(3);

// The renderer's star loop on the default universe against the same number of random 4-byte
// stores into the frame buffer; "ratio" is star loop time per star over store time per store.
void BM_StarLoopAgainstScatter(benchmark::State& state) {
  PrepareHeadless();
  UseUniverse(18000, 200, 0, 0.0f, 20);
  engine::UniverseDisplay d;
  d.Setup();
  d.CreateNext();
  engine::UniverseGalaxies galaxies = d.Galaxies();
  engine::UniverseStars stars = d.Stars();
  auto comets = std::make_unique<engine::CometTailList>();
  int32_t cometCount = 0;
  for (int32_t g = 0; g < galaxies.Count(); ++g) {
    galaxies.GalaxyCentreX[g] = galaxies.PosX[g];
    galaxies.GalaxyCentreY[g] = galaxies.PosY[g];
    galaxies.GalaxyCentreZ[g] = galaxies.PosZ[g] + engine::universeSettings().Universe_DstCen;
  }
  const int32_t n = stars.Count();
  std::vector<uint32_t> index(static_cast<size_t>(n));
  const auto pixels = static_cast<uint32_t>(kWidth) * kHeight;
  for (auto& i : index)
    i = static_cast<uint32_t>(model::NextRandomSingle() * 32768.0f) * 65537u % pixels;
  uint32_t* buffer = presentation::render().FrameBuffer.data();

  using Clock = std::chrono::steady_clock;
  double starNs = 0.0, scatterNs = 0.0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    engine::RenderStarFrame(galaxies, stars, *comets, cometCount, 0, 0, 3, 0.5f, true,
                            engine::kRenderUniverse);
    const auto t1 = Clock::now();
    for (int32_t i = 0; i < n; ++i) buffer[index[i]] = static_cast<uint32_t>(i);
    benchmark::ClobberMemory();
    const auto t2 = Clock::now();
    starNs += std::chrono::duration<double, std::nano>(t1 - t0).count();
    scatterNs += std::chrono::duration<double, std::nano>(t2 - t1).count();
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["star_ns_per_star"] = starNs / frames / n;
  state.counters["scatter_ns_per_store"] = scatterNs / frames / n;
  state.counters["ratio"] = scatterNs > 0.0 ? starNs / scatterNs : 0.0;
}
BENCHMARK(BM_StarLoopAgainstScatter)->Unit(benchmark::kMicrosecond);

}  // namespace
