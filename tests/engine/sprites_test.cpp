#include "engine/sprites.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "model/galaxy_types.h"
#include "presentation/render_state.h"

namespace {

using Pixel = std::pair<int32_t, int32_t>;
using PixelSet = std::set<Pixel>;

constexpr int32_t kColour = 0x123456;

// A w x h frame with the clip bounds and projection a display would set.
void SetUpFrame(int32_t w, int32_t h, float focal = 1.0f, float perspective = 28.0f) {
  presentation::ResetRenderState();
  auto& r = presentation::render();
  r.RenderWidth = w;
  r.RenderHeight = h;
  r.BufferStride = w;
  r.FrameBuffer.assign(static_cast<size_t>(w) * h + 1, 0);
  r.PlotMaxX = w - 1;
  r.PlotMinY = 1;
  r.PlotMaxY = h - 2;
  r.ScreenCentreX = w / 2;
  r.ScreenCentreY = h / 2;
  r.FocalLength = focal;
  r.PerspectiveScale = perspective;
}

PixelSet LitPixels() {
  const auto& r = presentation::render();
  PixelSet lit;
  for (size_t i = 0; i + 1 < r.FrameBuffer.size(); ++i) {
    if (r.FrameBuffer[i] != 0) {
      EXPECT_EQ(r.FrameBuffer[i], static_cast<uint32_t>(kColour));
      lit.insert({static_cast<int32_t>(i % r.BufferStride), static_cast<int32_t>(i / r.BufferStride)});
    }
  }
  return lit;
}

// Pixel-set builders around a centre (cx, cy), distances already whole.
struct Expect {
  int32_t cx, cy;
  PixelSet set;
  Expect& centre() {
    set.insert({cx, cy});
    return *this;
  }
  Expect& axis(int32_t d) {
    for (auto p : {Pixel{cx - d, cy}, Pixel{cx + d, cy}, Pixel{cx, cy - d}, Pixel{cx, cy + d}}) set.insert(p);
    return *this;
  }
  Expect& diag(int32_t d) { return pair(d, d); }
  Expect& pair(int32_t a, int32_t b) {
    for (auto p : {Pixel{cx - a, cy - b}, Pixel{cx + a, cy - b}, Pixel{cx - a, cy + b}, Pixel{cx + a, cy + b}}) {
      set.insert(p);
    }
    return *this;
  }
  // Only the pixels a w x h frame shows (columns 1..w-2, rows 2..h-3).
  PixelSet clipped(int32_t w, int32_t h) const {
    PixelSet out;
    for (const auto& p : set) {
      if (p.first > 0 && p.first < w - 1 && p.second > 1 && p.second < h - 2) out.insert(p);
    }
    return out;
  }
};

TEST(PlotPixelTest, WritesOnlyStrictlyInsideTheClipBounds) {
  SetUpFrame(16, 12);
  struct Case {
    int32_t x, y;
    bool written;
  };
  const Case cases[] = {
      {1, 2, true},   {14, 9, true},   {0, 5, false},  {15, 5, false}, {5, 1, false},
      {5, 10, false}, {-3, 5, false},  {5, -1, false}, {std::numeric_limits<int32_t>::max(), 5, false},
      {5, std::numeric_limits<int32_t>::min(), false},
  };
  for (const auto& c : cases) {
    SetUpFrame(16, 12);
    engine::PlotPixel(c.x, c.y, kColour);
    EXPECT_EQ(LitPixels().size(), c.written ? 1u : 0u) << c.x << "," << c.y;
    if (c.written) {
      EXPECT_EQ(presentation::render().FrameBuffer[c.y * 16 + c.x], static_cast<uint32_t>(kColour));
    }
  }
}

TEST(PlotPixelTest, ABufferSmallerThanItsClipBoundsIsNeverOverrun) {
  SetUpFrame(16, 12);
  presentation::render().FrameBuffer.assign(20, 0);  // bounds claim 16 x 12, the buffer holds 20 pixels
  engine::PlotPixel(5, 2, kColour);          // element 37: outside the buffer
  engine::PlotPixel(3, 1 + 1, kColour);      // element 35: outside too
  for (uint32_t p : presentation::render().FrameBuffer) EXPECT_EQ(p, 0u);
  presentation::render().BufferStride = 0;
  engine::PlotPixel(3, 2, kColour);
  for (uint32_t p : presentation::render().FrameBuffer) EXPECT_EQ(p, 0u);
}

// New-star glint at the centre (32, 24) of a 64 x 48 frame; focal 1, depth 1, frame = frames,
// so the sprite unit u is the scale.
TEST(PlotGlintTest, GrowsFromADotToACrossWithSparkles) {
  struct Case {
    const char* name;
    float scale;
    int32_t frame;
    PixelSet expected;
  };
  const Case cases[] = {
      {"frame 0: centre only", 0.75f, 0, Expect{32, 24, {}}.centre().set},
      {"r = 1", 1.0f / 32.0f, 1, Expect{32, 24, {}}.centre().axis(1).set},
      {"r = 3", 0.1f, 1, Expect{32, 24, {}}.centre().axis(2).axis(3).set},
      {"r = 6", 0.2f, 1, Expect{32, 24, {}}.centre().diag(2).axis(3).axis(6).set},
      // r = 24: the unit ring, axis 4 (3), diag 8 (6), diag 12 (9), axis 16 (12), axis 32 (24);
      // the vertical arms of axis 32 fall outside and are dropped one by one.
      {"r = 24", 0.75f, 1,
       Expect{32, 24, {}}.centre().axis(1).axis(3).diag(6).diag(9).axis(12).axis(24).clipped(64, 48)},
  };
  for (const auto& c : cases) {
    SetUpFrame(64, 48);
    engine::PlotGlint(32, 24, 1.0f, c.frame, 1, c.scale, kColour);
    EXPECT_EQ(LitPixels(), c.expected) << c.name;
  }
}

TEST(PlotGlintTest, CentreOutsideThePlotWindowDrawsNothingAtAll) {
  for (const Pixel& centre : {Pixel{0, 24}, Pixel{63, 24}, Pixel{32, 1}, Pixel{32, 46}}) {
    SetUpFrame(64, 48);
    engine::PlotGlint(centre.first, centre.second, 1.0f, 1, 1, 0.75f, kColour);
    EXPECT_TRUE(LitPixels().empty()) << centre.first << "," << centre.second;
  }
}

TEST(PlotGlintTest, ALifeOfZeroFramesOrAnUnusableUnitLeavesTheDot) {
  SetUpFrame(64, 48);
  engine::PlotGlint(32, 24, 1.0f, 3, 0, 0.75f, kColour);
  EXPECT_EQ(LitPixels(), (PixelSet{{32, 24}}));
  SetUpFrame(64, 48);
  engine::PlotGlint(32, 24, 0.0f, 3, 3, 0.75f, kColour);  // infinite unit
  EXPECT_EQ(LitPixels(), (PixelSet{{32, 24}}));
}

// Nova at (0, 0), depth 4, scale 10, focal 1, at its last frame (size factor 1): the main
// layer has unit 2.5, the layers at depth 5, 3 (the 0.1 x scale pair) and 6, 2 (the 0.2 x
// scale pair) units 2, 3.33, 1.67 and 5; every layer projects onto the screen centre.
TEST(PlotProjectedGlintTest, DrawsTheMainLayerAndBothLayerPairs) {
  SetUpFrame(200, 200);
  engine::PlotProjectedGlint(0.0f, 0.0f, 4.0f, 7, 7, 10.0f, kColour);
  Expect e{100, 100, {}};
  e.centre().axis(40).diag(40).diag(18).axis(28).diag(28).pair(5, 60).pair(60, 5).axis(80);  // unit 2.5
  e.pair(6, 20).pair(20, 6).pair(14, 10).pair(10, 14).axis(48);                                // depth 5
  e.pair(10, 33).pair(33, 10).pair(23, 17).pair(17, 23).axis(80);                              // depth 3
  e.axis(3).pair(5, 8).pair(8, 5);                                                              // depth 6
  e.axis(10).pair(15, 25).pair(25, 15);                                                         // depth 2
  EXPECT_EQ(LitPixels(), e.clipped(200, 200));
}

// Each layer is projected as X x PerspectiveScale (a Single product) over its own depth. With
// a unit so small that every distance rounds to 0, each layer is one pixel; the layer at
// Z + 0.1 x scale lies just above 173.5 with the Single product (just below it with an exact
// one) and so lands on column 174.
TEST(PlotProjectedGlintTest, EachLayerIsProjectedFromTheSingleProductOverItsOwnDepth) {
  SetUpFrame(200, 200, 0.1f, 100.0f);
  const float x = 0x1.7f5a04p+1f, z = 0x1.011f6p+2f, scale = 0x1.24de76p-1f;  // 2.9949, 4.0175, 0.5720
  engine::PlotProjectedGlint(x, 0.0f, z, 3, 3, scale, kColour);
  EXPECT_EQ(LitPixels(), (PixelSet{{175, 100}, {174, 100}, {176, 100}, {172, 100}, {177, 100}}));
}

TEST(PlotProjectedGlintTest, ATinyUnitDrawsOnlyTheCentreAndAPointBehindTheEyeNothing) {
  SetUpFrame(64, 48, 0.001f);
  engine::PlotProjectedGlint(1.0f, -1.0f, 2.0f, 5, 5, 1.0f, kColour);  // unit 0.0005
  EXPECT_EQ(LitPixels(), (PixelSet{{32 + 14, 24 - 14}}));
  for (float z : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    SetUpFrame(64, 48);
    engine::PlotProjectedGlint(1.0f, 1.0f, z, 5, 5, 1.0f, kColour);
    EXPECT_TRUE(LitPixels().empty()) << z;
  }
  SetUpFrame(64, 48);
  engine::PlotProjectedGlint(1e30f, 0.0f, 1e-30f, 5, 5, 1.0f, kColour);  // projection out of range
  EXPECT_TRUE(LitPixels().empty());
}

struct FlareTest : ::testing::Test {
  void SetUp() override { model::ResetGalaxyRecords(); }
  void SetShape(int32_t shape, float depthF) {
    auto& t = model::records().GalaxyTypes[3];
    t.Galaxy_PulsarShape = shape;
    t.PulsarDepthF = depthF;
  }
};

// With layer spacing 0 every layer lies at the main depth: unit 1 at depth 1, so each
// pattern's distances are its own numbers.
TEST_F(FlareTest, ShapesWithCoincidingLayersDrawTheirWholePattern) {
  struct Case {
    int32_t shape;
    PixelSet expected;
  };
  const Case cases[] = {
      {1, Expect{50, 50, {}}.centre().axis(8).axis(12).axis(20).axis(32).set},
      {2, Expect{50, 50, {}}.centre().axis(8).axis(12).axis(18).axis(32).diag(8).diag(12).diag(18).set},
      {3, Expect{50, 50, {}}
              .axis(32).pair(12, 29).diag(23).pair(29, 12)
              .axis(28).pair(14, 23).pair(23, 14).axis(16).diag(11).centre().set},
      {4, Expect{50, 50, {}}
              .axis(32).pair(10, 30).pair(19, 26).pair(26, 19).pair(30, 10)
              .axis(30).pair(11, 30).diag(21).pair(30, 11).axis(23).pair(11, 20).pair(20, 11)
              .axis(12).diag(7).centre().set},
      {5, {}},
      {-1, {}},
  };
  for (const auto& c : cases) {
    SetUpFrame(100, 100);
    SetShape(c.shape, 0.0f);
    engine::PlotProjectedFlare(0.0f, 0.0f, 1.0f, 1.0f, 3, kColour);
    EXPECT_EQ(LitPixels(), c.expected) << "shape " << c.shape;
  }
}

TEST_F(FlareTest, ATinyUnitLeavesTheCentreOfShapesZeroToTwoAndNothingOfTheSpheres) {
  for (int32_t shape = 0; shape <= 4; ++shape) {
    SetUpFrame(64, 48, 0.001f);
    SetShape(shape, 0.1f);
    engine::PlotProjectedFlare(0.0f, 0.0f, 1.0f, 1.0f, 3, kColour);
    const PixelSet expected = shape <= 2 ? PixelSet{{32, 24}} : PixelSet{};
    EXPECT_EQ(LitPixels(), expected) << "shape " << shape;
  }
}

// Shape 0 is the nova pattern with the layer pairs at 0.5 D x scale and D x scale and without
// the size factor: D = 0.2 and scale 10 give the depths of the nova above.
TEST_F(FlareTest, ShapeZeroIsTheNovaPattern) {
  SetUpFrame(200, 200);
  SetShape(0, 0.2f);
  engine::PlotProjectedFlare(0.0f, 0.0f, 4.0f, 10.0f, 3, kColour);
  const PixelSet flare = LitPixels();
  SetUpFrame(200, 200);
  engine::PlotProjectedGlint(0.0f, 0.0f, 4.0f, 7, 7, 10.0f, kColour);
  EXPECT_EQ(flare, LitPixels());
}

TEST_F(FlareTest, AGalaxyTypeOutsideTheRecordsDrawsNothing) {
  SetUpFrame(64, 48);
  engine::PlotProjectedFlare(0.0f, 0.0f, 1.0f, 1.0f, 66, kColour);
  engine::PlotProjectedFlare(0.0f, 0.0f, 1.0f, 1.0f, -1, kColour);
  EXPECT_TRUE(LitPixels().empty());
}

}  // namespace
