#include "engine/ambient_stars.h"

#include <gtest/gtest.h>

#include "engine/hue_cone.h"
#include "engine/universe_settings.h"
#include "presentation/render_state.h"

namespace {

constexpr int32_t kConeColour = 0xABCDEF;

struct AmbientStarsTest : ::testing::Test {
  void SetUp() override {
    presentation::ResetRenderState();
    auto& r = presentation::render();
    r.RenderWidth = r.BufferStride = 100;
    r.RenderHeight = 100;
    r.FrameBuffer.assign(100 * 100 + 1, 0);
    r.ScreenCentreX = r.ScreenCentreY = 50;
    r.PerspectiveScale = 10.0f;
    engine::ResetHueConeState();
    // Hue 5 at full level: the colour of a fully faded-in star of hue 5 close by.
    engine::hueCone().HueConeTable[5 * 64 + 63] = kConeColour;
    auto& u = engine::universeSettings();
    u = engine::UniverseSettings{};
    u.Universe_AmFrames = 1;   // fully faded in after one frame
    u.Universe_AmPers = 1.0f;  // no dimming with depth
    u.Universe_AmCAge = 0.0f;  // the hue does not age
    u.Universe_AmMaxExt = 1.0f;
  }
  static uint32_t At(int x, int y) { return presentation::render().FrameBuffer[y * 100 + x]; }
  static int Lit() {
    int n = 0;
    for (uint32_t p : presentation::render().FrameBuffer) n += p != 0;
    return n;
  }
};

// During the expansion (phase 0) a star moves by its velocity, fades in and is drawn from the
// hue cone at its projection seen from the camera.
TEST_F(AmbientStarsTest, OneFrameMovesAndDrawsEachStar) {
  engine::universeSettings().Universe_AmStar = 1;
  engine::AmbientStars stars;
  stars.Resize(1);
  stars.X[0] = 1.0f;
  stars.Y[0] = 2.0f;
  stars.Z[0] = 5.0f;
  stars.VX[0] = 1.0f;
  stars.VZ[0] = 5.0f;
  stars.Tag[0] = 5;
  engine::PlotAmbientStars(stars, 0.0f, 0.0f, -10.0f, 100.0f, 3.0f, 0, 0);

  EXPECT_FLOAT_EQ(stars.X[0], 2.0f);
  EXPECT_FLOAT_EQ(stars.Y[0], 2.0f);
  EXPECT_FLOAT_EQ(stars.Z[0], 10.0f);
  EXPECT_FLOAT_EQ(stars.Age[0], 1.0f);
  // Depth 20 from the camera: (50 + 2 x 10 / 20, 50 + 2 x 10 / 20).
  EXPECT_EQ(At(51, 51), static_cast<uint32_t>(kConeColour));
  EXPECT_EQ(Lit(), 1);
  for (int32_t c : engine::ambientState().WhiteColors) EXPECT_EQ(c, 0xFFFFFF);
}

TEST_F(AmbientStarsTest, TheLastThreeRowsStayUntouched) {
  engine::universeSettings().Universe_AmStar = 2;
  engine::AmbientStars stars;
  stars.Resize(2);
  // Depth 10 from the camera: rows 96 and 97 (the first of the last three rows).
  stars.X[0] = stars.X[1] = 1.0f;
  stars.Y[0] = 46.0f;
  stars.Y[1] = 47.0f;
  stars.Tag[0] = stars.Tag[1] = 5;
  engine::PlotAmbientStars(stars, 0.0f, 0.0f, -10.0f, 100.0f, 3.0f, 0, 0);
  EXPECT_EQ(At(51, 96), static_cast<uint32_t>(kConeColour));
  EXPECT_EQ(Lit(), 1);
}

TEST_F(AmbientStarsTest, NoAmbientStarsDrawNothing) {
  engine::universeSettings().Universe_AmStar = 0;
  engine::AmbientStars none;
  none.Resize(0);
  EXPECT_EQ(none.Count(), 0);
  engine::PlotAmbientStars(none, 0.0f, 0.0f, -10.0f, 100.0f, 3.0f, 1, 0);
  // A setting larger than the arrays reaches only the stars that exist.
  engine::universeSettings().Universe_AmStar = 500;
  engine::PlotAmbientStars(none, 0.0f, 0.0f, -10.0f, 100.0f, 3.0f, 1, 0);
  EXPECT_EQ(Lit(), 0);
}

}  // namespace
