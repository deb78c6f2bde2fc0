#include "presentation/frame_memory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <numeric>

#include "presentation/render_state.h"

using presentation::FramePixels;

namespace {

// A provider that hands out blocks of its own and keeps track of the live ones; it may
// decline every request.
struct TrackingMemory : presentation::FrameMemory {
  void* Allocate(std::size_t bytes) noexcept override {
    if (decline) return nullptr;
    void* p = std::malloc(bytes);
    if (p != nullptr) live[p] = bytes;
    return p;
  }
  bool Release(void* block, std::size_t bytes) noexcept override {
    const auto it = live.find(block);
    if (it == live.end()) return false;
    EXPECT_EQ(it->second, bytes);
    live.erase(it);
    std::free(block);
    return true;
  }
  bool Holds(const FramePixels& v) const { return live.count(const_cast<uint32_t*>(v.data())) == 1; }
  std::map<void*, std::size_t> live;
  bool decline = false;
};

class FrameMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override { presentation::ResetRenderState(); }
  void TearDown() override {
    presentation::InstallFrameMemory(nullptr);
    presentation::ResetRenderState();
  }
};

}  // namespace

TEST_F(FrameMemoryTest, BuffersComeFromTheProviderWhileOneIsInstalledAndGoBackWhereTheyCameFrom) {
  TrackingMemory memory;
  FramePixels heap;
  heap.assign(50, 3u);  // made before the provider: on the heap

  presentation::InstallFrameMemory(&memory);
  FramePixels v;
  v.assign(100, 7u);
  EXPECT_TRUE(memory.Holds(v));
  v.resize(300, 9u);
  ASSERT_TRUE(memory.Holds(v));
  EXPECT_EQ(memory.live.size(), 1u);  // the smaller block went back
  EXPECT_EQ(std::accumulate(v.begin(), v.end(), 0u), 100u * 7u + 200u * 9u);

  heap.resize(500, 4u);  // the heap block is freed as a heap block, the new one is the provider's
  EXPECT_TRUE(memory.Holds(heap));
  EXPECT_EQ(heap[49], 3u);
  EXPECT_EQ(heap[499], 4u);

  memory.decline = true;  // a provider without memory: the heap serves
  FramePixels fallback(64, 1u);
  EXPECT_FALSE(memory.Holds(fallback));
  EXPECT_EQ(fallback.size(), 64u);

  v.clear();
  v.shrink_to_fit();
  heap = FramePixels{};
  EXPECT_TRUE(memory.live.empty());
}

TEST_F(FrameMemoryTest, InstallingMovesTheFrameBuffersAcrossWithTheirPixels) {
  presentation::RenderState& r = presentation::render();
  r.FrameBuffer.assign(16 * 12 + 1, 0u);
  std::iota(r.FrameBuffer.begin(), r.FrameBuffer.end(), 1u);
  r.OutputBuffer.assign(16 * 12 + 1, 5u);
  const std::vector<uint32_t> pixels(r.FrameBuffer.begin(), r.FrameBuffer.end());

  TrackingMemory memory;
  presentation::InstallFrameMemory(&memory);
  EXPECT_EQ(presentation::installedFrameMemory(), &memory);
  EXPECT_TRUE(memory.Holds(r.FrameBuffer));
  EXPECT_TRUE(memory.Holds(r.OutputBuffer));
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), r.FrameBuffer.begin(), r.FrameBuffer.end()));

  presentation::InstallFrameMemory(nullptr);  // back on the heap: the provider holds nothing
  EXPECT_TRUE(memory.live.empty());
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), r.FrameBuffer.begin(), r.FrameBuffer.end()));
  EXPECT_EQ(r.OutputBuffer.size(), 16u * 12u + 1u);
  EXPECT_EQ(r.OutputBuffer.back(), 5u);
}
