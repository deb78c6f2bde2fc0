// Engine time of the universe display at 1920 x 1080, headless, with pacing off, a fixed
// random table and the factory galaxy types: a tour frame of the default universe and of the
// largest one (gravity every frame) and the expansion frames. The star loop and whole saver
// frames are measured in frame_bench.cpp.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "engine/display_universe.h"
#include "engine/universe_settings.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

using benchsupport::UseUniverse;

void PrepareHeadless() { benchsupport::PrepareHeadless(kWidth, kHeight, 3); }

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

}  // namespace
