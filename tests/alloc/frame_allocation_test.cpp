// The animation must not allocate once a universe is on screen: this program replaces the
// global allocator with one that counts, runs a universe display headless and counts the
// allocations made while its frames are drawn.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "model/random_table.h"
#include "engine/display_universe.h"
#include "engine/galaxy_preview.h"
#include "engine/universe_settings.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "settings/composites.h"
#include "settings/factory_galaxies.h"
#include "settings/galaxy_persistence.h"
#include "support/test_support.h"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t n) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
// The non-throwing forms too, so that every allocation the deletes below free came from malloc.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Counts frames through the event pump; counts allocations between two frame numbers and stops
// the display after the last.
class FrameCounter : public presentation::HostPlatform {
 public:
  FrameCounter(int from, int to) : from_(from), to_(to) {}
  void DoEvents() override {
    ++frames;
    if (frames == from_) g_counting = true;
    if (frames == to_) {
      g_counting = false;
      presentation::pacing().G_bCancel = true;
    }
  }
  uint32_t GetTickCount() override { return tick_ += 5; }
  void Sleep(uint32_t) override {}
  bool IsWindow(int64_t) override { return true; }
  void HideCursor() override {}
  int frames = 0;

 private:
  int from_, to_;
  uint32_t tick_ = 0;
};

class FrameAllocation : public ::testing::Test {
 protected:
  void SetUp() override {
    model::InitRandomTableWithSeed(99);
    // A small universe with every kind of galaxy of the factory set, a short expansion and
    // tour legs, ambient stars and comets.
    settings::LoadFactoryDefaults();
    settings::SaveAllGalaxiesReg();
    settings::SaveAllCompositesReg();
    store::SaveRegSetting("Universe", "Universe_Stars", 3000);
    store::SaveRegSetting("Universe", "Universe_Galaxy", 30);
    store::SaveRegSetting("Universe", "Universe_ESteps", 40);
    store::SaveRegSetting("Universe", "Universe_GSteps", 30);
    store::SaveRegSetting("Universe", "Universe_AmStar", 300);
    store::SaveRegSetting("Universe", "Universe_GravForce", 1);
    presentation::ResetPacingState();
    presentation::ResetRenderState();
    presentation::LoadSaverProperties(surface, true, 1.0f, 0);
  }
  void TearDown() override {
    presentation::UnbindRenderTarget(&surface);
    presentation::InstallHostPlatform(nullptr);
    presentation::ResetPacingState();
  }
  testsupport::TempConfig cfg;
  presentation::HeadlessRenderSurface surface{320, 240};
};

}  // namespace

TEST_F(FrameAllocation, TourFramesAllocateNothing) {
  engine::LoadUniverseSettings(false);
  // Frames 60 to 200: past the expansion, through several tour legs.
  FrameCounter counter(60, 200);
  presentation::InstallHostPlatform(&counter);
  g_allocations = 0;
  engine::DisplayUniverse();
  EXPECT_GE(counter.frames, 200);
  EXPECT_EQ(g_allocations.load(), 0);
}

TEST_F(FrameAllocation, GalaxyPreviewFramesAllocateNothing) {
  engine::LoadUniverseSettings(false);
  for (int32_t type : {0, 4, 8, 20, 40}) {
    FrameCounter counter(10, 60);
    presentation::InstallHostPlatform(&counter);
    presentation::pacing().G_bCancel = false;
    g_allocations = 0;
    engine::DisplayGalaxyPreview(type, 0, 0, 2000, false, 1.0f);
    EXPECT_GE(counter.frames, 60) << type;
    EXPECT_EQ(g_allocations.load(), 0) << "galaxy type " << type;
  }
}
