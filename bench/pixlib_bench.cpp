// The per-frame pixel work at 1920 x 1080 beside a plain copy of the frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/pixlib/pixlib.h"

namespace {

constexpr int32_t kW = 1920;
constexpr int32_t kH = 1080;

std::vector<uint32_t> Frame() {
  std::vector<uint32_t> f(static_cast<size_t>(kW) * kH + 1);
  for (size_t i = 0; i < f.size(); ++i) f[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFFu;
  return f;
}

void BM_FrameMemcpy(benchmark::State& state) {
  const auto src = Frame();
  std::vector<uint32_t> dst(src.size());
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), src.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(src.size() * sizeof(uint32_t)));
}

void BM_TrailBlend(benchmark::State& state) {
  auto f = Frame();
  for (auto _ : state) {
    pixlib::BlendPixelRGB32(f, kW, kH, 720 + 96, -4 * kW, 4 * kW);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.size() * sizeof(uint32_t)));
}

void BM_FilterBlend(benchmark::State& state) {
  auto f = Frame();
  std::vector<uint32_t> out(f.size());
  for (auto _ : state) {
    pixlib::BlendPixel32Filter(f, out, kW, kH, 720 + 96, -4 * kW, 4 * kW, 2, 0xFFFFFF);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.size() * sizeof(uint32_t)));
}

void BM_DesktopMix(benchmark::State& state) {
  auto f = Frame();
  std::vector<uint32_t> out(f.size());
  const std::vector<uint8_t> desk(static_cast<size_t>(kW) * kH * 3, 90);
  for (auto _ : state) {
    pixlib::BlendPixelDeskRGB32Mask(f, desk, out, kW, kH, 720 + 96, 255 - 128, -4 * kW, 4 * kW, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.size() * sizeof(uint32_t)));
}

}  // namespace

BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrailBlend)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterBlend)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DesktopMix)->Unit(benchmark::kMillisecond);
