// The cost of a saver frame, all in one run beside a copy (memcpy) of the frame, at 1920 x 1080
// and 3840 x 2160 (the arguments are width and height):
//  - each whole-frame call of the pixel library, with the frame out of the caches as it is in
//    the running saver (64 MB touched before every call);
//  - the star loop alone per star, against the same number of plain 4-byte stores scattered
//    over the frame buffer (the limit of any star loop); the rest of the renderer's frame
//    (events, comets, hue ranges and the hue cycle of the stars) and the hue cycle alone;
//  - a whole saver frame of the default universe: the engine, the trail blend and the copy
//    into an image of the screen (as the saver's window paints it into its backing store).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "engine/comets.h"
#include "engine/display_universe.h"
#include "engine/star_renderer.h"
#include "model/hue_wheel.h"
#include "platform/pixlib/pixlib.h"

namespace {

using benchsupport::EvictCaches;

int32_t Width(const benchmark::State& s) { return static_cast<int32_t>(s.range(0)); }
int32_t Height(const benchmark::State& s) { return static_cast<int32_t>(s.range(1)); }

// A frame of w x h pixels and one spare, as the saver keeps it.
std::vector<uint32_t> Frame(int32_t w, int32_t h) {
  std::vector<uint32_t> f(static_cast<size_t>(w) * static_cast<size_t>(h) + 1);
  for (size_t i = 0; i < f.size(); ++i) f[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFFu;
  return f;
}

void SetFrameBytes(benchmark::State& state, size_t pixels) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(pixels * 4));
}

// Runs `call` once per iteration with the caches emptied before it (not timed).
template <class Call>
void TimeCold(benchmark::State& state, Call&& call) {
  for (auto _ : state) {
    state.PauseTiming();
    EvictCaches();
    state.ResumeTiming();
    call();
    benchmark::ClobberMemory();
  }
}

void BM_FrameMemcpy(benchmark::State& state) {
  const auto src = Frame(Width(state), Height(state));
  std::vector<uint32_t> dst(src.size());
  TimeCold(state, [&] { std::memcpy(dst.data(), src.data(), src.size() * sizeof(uint32_t)); });
  SetFrameBytes(state, src.size());
}

void BM_TrailBlend(benchmark::State& state) {
  const int32_t w = Width(state), h = Height(state);
  auto f = Frame(w, h);
  TimeCold(state, [&] { pixlib::BlendPixelRGB32(f, w, h, 720 + 96, -4 * w, 4 * w); });
  SetFrameBytes(state, f.size());
}

void BM_FilterBlend(benchmark::State& state) {
  const int32_t w = Width(state), h = Height(state);
  auto f = Frame(w, h);
  std::vector<uint32_t> out(f.size());
  TimeCold(state, [&] { pixlib::BlendPixel32Filter(f, out, w, h, 720 + 96, -4 * w, 4 * w, 2, 0xFFFFFF); });
  SetFrameBytes(state, f.size());
}

void BM_DesktopMix(benchmark::State& state) {
  const int32_t w = Width(state), h = Height(state);
  auto f = Frame(w, h);
  std::vector<uint32_t> out(f.size());
  const std::vector<uint8_t> desk(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 90);
  TimeCold(state, [&] { pixlib::BlendPixelDeskRGB32Mask(f, desk, out, w, h, 720 + 96, 255 - 128, -4 * w, 4 * w, 0, 0); });
  SetFrameBytes(state, f.size());
}

// The desktop image scaled to a new level (each frame of a desktop fade).
void BM_DesktopIntensity(benchmark::State& state) {
  const int32_t w = Width(state), h = Height(state);
  const std::vector<uint8_t> desk(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 190);
  std::vector<uint8_t> work(desk.size());
  TimeCold(state, [&] {
    std::memcpy(work.data(), desk.data(), desk.size());
    pixlib::MultDesktopIntensity(work, static_cast<int32_t>(work.size()), 77);
  });
  SetFrameBytes(state, static_cast<size_t>(w) * static_cast<size_t>(h));
}

// The 24-bit copy of a frame for a video or bitmap file.
void BM_Bitmap24(benchmark::State& state) {
  const int32_t w = Width(state), h = Height(state);
  const auto f = Frame(w, h);
  std::vector<uint8_t> bits(static_cast<size_t>(pixlib::Bmp24RowBytes(w)) * static_cast<size_t>(h));
  TimeCold(state, [&] { pixlib::CopyRGBtoBMP(f, bits, w, w, h, 0, 0, 32); });
  SetFrameBytes(state, f.size());
}

// The default universe after its expansion, with the galaxies' camera-relative centres set
// as a tour frame sets them.
struct StarScene {
  engine::UniverseGalaxies galaxies;
  engine::UniverseStars stars;
  std::unique_ptr<engine::CometTailList> comets = std::make_unique<engine::CometTailList>();
  int32_t cometCount = 0;

  StarScene() {
    benchsupport::PrepareHeadless(1920, 1080, 3);
    benchsupport::UseUniverse(18000, 200, 0, 0.0f, 20);
    engine::UniverseDisplay d;
    d.Setup();
    d.CreateNext();
    galaxies = d.Galaxies();
    stars = d.Stars();
    for (int32_t g = 0; g < galaxies.Count(); ++g) {
      galaxies.GalaxyCentreX[g] = galaxies.PosX[g];
      galaxies.GalaxyCentreY[g] = galaxies.PosY[g];
      galaxies.GalaxyCentreZ[g] = galaxies.PosZ[g] + engine::universeSettings().Universe_DstCen;
    }
  }
};

// The star loop (move, tilt, project, plot) against as many random stores into the frame
// buffer, each from a frame out of the caches; "ratio" is star time per star over store time
// per store.
void BM_StarLoopAgainstScatter(benchmark::State& state) {
  StarScene scene;
  const int32_t n = scene.stars.Count();
  std::vector<uint32_t> index(static_cast<size_t>(n));
  const auto pixels = static_cast<uint32_t>(1920 * 1080);
  for (auto& i : index) i = static_cast<uint32_t>(model::NextRandomSingle() * 32768.0f) * 65537u % pixels;
  uint32_t* buffer = presentation::render().FrameBuffer.data();

  using Clock = std::chrono::steady_clock;
  double starNs = 0.0, scatterNs = 0.0;
  for (auto _ : state) {
    // The frame is out of the caches, as after the copy of the previous frame.
    EvictCaches();
    const auto t0 = Clock::now();
    engine::MoveAndPlotStars(scene.galaxies, scene.stars, n, engine::kRenderUniverse);
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

// The whole renderer frame (star loop, events, comets, hue ranges, hue cycle).
void BM_RenderStarFrame(benchmark::State& state) {
  StarScene scene;
  for (auto _ : state)
    engine::RenderStarFrame(scene.galaxies, scene.stars, *scene.comets, scene.cometCount, 0, 0, 3, 0.5f, true,
                            engine::kRenderUniverse);
  state.counters["ns_per_star"] = benchmark::Counter(static_cast<double>(state.iterations()) * scene.stars.Count(),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The hue cycle of the stars alone.
void BM_ParticleHueCycle(benchmark::State& state) {
  StarScene scene;
  for (auto _ : state)
    model::ApplyParticleHueCycle(scene.stars.Count(), scene.stars.StarType, scene.stars.StarColor,
                                 scene.stars.StarHue);
  state.counters["ns_per_star"] = benchmark::Counter(static_cast<double>(state.iterations()) * scene.stars.Count(),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Copies each composed frame into an image of the screen, as the saver window paints it.
class ImageSink : public presentation::FrameSink {
 public:
  ImageSink(int32_t w, int32_t h) : screen_(w, h, QImage::Format_RGB32) { screen_.fill(Qt::black); }
  void StretchFrame(presentation::FrameDestination, std::span<const uint32_t> bits, int32_t w, int32_t h,
                    const presentation::FrameBitmapHeader& header, const presentation::FrameRect& rect) override {
    const QImage frame(reinterpret_cast<const uchar*>(bits.data()), w, h, static_cast<qsizetype>(header.Width) * 4,
                       QImage::Format_RGB32);
    QPainter p(&screen_);
    p.drawImage(QPoint(rect.Left, rect.Top), frame);
  }
  void WriteVideoFrame() override {}

 private:
  QImage screen_;
};

// One saver frame of the default universe (18000 stars, 200 galaxies, 2000 ambient stars):
// engine, trail blend and copy, the frame out of the caches before it.
void BM_SaverFrame(benchmark::State& state) {
  const int32_t w = Width(state), h = Height(state);
  benchsupport::PrepareHeadless(w, h, 0);
  presentation::pacing().RunMode = presentation::kRunSaver;
  presentation::render().ScreenPixelWidth = w;
  presentation::render().ScreenPixelHeight = h;
  benchsupport::UseUniverse(18000, 200, 2000, 0.0f, 20);
  ImageSink sink(w, h);
  presentation::InstallFrameSink(&sink);
  {
    engine::UniverseDisplay d;
    d.Setup();
    d.CreateNext();
    float t = 0.0f;
    TimeCold(state, [&] {
      d.TourFrame(0, 3, t);
      t += 0.005f;
      if (t >= 1.0f) t = 0.0f;
    });
  }
  presentation::InstallFrameSink(nullptr);
  SetFrameBytes(state, static_cast<size_t>(w) * static_cast<size_t>(h));
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_FrameMemcpy)->Apply(Sizes);
BENCHMARK(BM_TrailBlend)->Apply(Sizes);
BENCHMARK(BM_FilterBlend)->Apply(Sizes);
BENCHMARK(BM_DesktopMix)->Apply(Sizes);
BENCHMARK(BM_DesktopIntensity)->Apply(Sizes);
BENCHMARK(BM_Bitmap24)->Apply(Sizes);
BENCHMARK(BM_StarLoopAgainstScatter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderStarFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParticleHueCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaverFrame)->Apply(Sizes);
