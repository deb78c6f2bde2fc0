#include "engine/star_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "engine/comets.h"
#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/engine_fixture.h"
#include "engine/universe_settings.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"

namespace engine {
namespace {

constexpr int kW = enginetest::kFrameWidth, kH = enginetest::kFrameHeight;
constexpr int32_t kColor = 0x123456;

// A 64 x 48 frame projected with scale 40 around (32, 24); one galaxy 10 units in front of
// the eye; type 0 neither cycles hues nor recycles stars (no new-star frequency) and no comet
// is started (gravity is on).
class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::ResetEngineModules(11);
    enginetest::UseSmallFrame();
    presentation::render().PlotMinY = 1;
    UniverseSettings& u = universeSettings();
    u.Universe_NewFreq = 0;
    u.Universe_GravForce = 1E-7f;
    u.Universe_GPCtrl = 2;
    u.DX_BlendUniTravel = 35.0f;
    model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
    T.HueCycling = false;
    T.Galaxy_HWC_Inc = 0.0f;
    for (int k = 0; k < model::kMaxLevels; ++k) {
      T.LevelCos[k] = 1.0f;
      T.LevelSin[k] = 0.0f;
    }
    galaxies.Resize(1);
    galaxies.GalaxyCentreZ[0] = 10.0f;
  }

  void UseStars(int32_t n) {
    universeSettings().Universe_Stars = n;
    stars.Resize(n);
    for (int32_t i = 0; i < n; ++i) stars.StarColor[i] = kColor;
  }

  // One universe frame on leg 1 of visit 0.
  void Frame() {
    RenderStarFrame(galaxies, stars, *comets, cometCount, 0, 0, 1, 0.0f, true, kRenderUniverse);
  }

  int LitPixels() const {
    int n = 0;
    for (uint32_t p : presentation::render().FrameBuffer) n += p != 0;
    return n;
  }
  uint32_t Pixel(int x, int y) const { return presentation::render().FrameBuffer[y * kW + x]; }

  UniverseGalaxies galaxies;
  UniverseStars stars;
  std::unique_ptr<CometTailList> comets = std::make_unique<CometTailList>();
  int32_t cometCount = 0;
};

struct MotionCase {
  const char* name;
  int32_t kind;
  float x, y, z, vx, vy, vz, spinCos, spinSin;
  int32_t level;
  float levelCos, levelSin;
  int32_t axisPlane;
  int expectX, expectY;
};

// One star per motion kind: the exact pixel after one frame.
TEST_F(RendererTest, EachMotionKindMovesAndPlotsTheStarAtItsExactPixel) {
  const MotionCase cases[] = {
      // Turn by (cos 0.6, sin 0.8): (5, 2, 0) -> (3, 2, 4); depth 14.
      {"turn", 0, 5, 2, 0, 0, 0, 0, 0.6f, 0.8f, 0, 1, 0, 0, 41, 18},
      // Drift (2, -1, 0) + (2, -2, 10) -> (4, -3, 10); depth 20, scale 2.
      {"drift", 1, 2, -1, 0, 2, -2, 10, 0, 0, 0, 1, 0, 0, 40, 30},
      // Attraction with strength 2.5 at (3, 4, 0): velocity (0.3, 0, 10) - 0.1 x position.
      {"attraction", 2, 3, 4, 0, 0.3f, 0, 10, 0, 0, 0, 1, 0, 0, 38, 17},
      // Wave: X += 4, phase 0 + pi/2, height 6 x 1 x 1 / (1 + 1) = 3, Z += 10.
      {"wave", 3, 0, 0, 0, 4, 0, 10, 0, 0, 0, 1, 0, 0, 40, 18},
      // Level 1 tilted a quarter turn, screen axes swapped: depth Y + 10, height Z.
      {"tilted level, axes swapped", 0, 2, 10, 3, 0, 0, 0, 1, 0, 1, 0, 1, 1, 38, 28},
  };
  for (const MotionCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    UseStars(1);
    model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
    T.MotionKind = c.kind;
    T.QgForceF = 2.5f;
    T.RadiusExpRad = 1.5707964f;
    T.GhwRadius = 6.0f;
    T.RadBFillWhole = 1;
    T.Galaxy_AxisPlane = c.axisPlane;
    T.LevelCos[c.level] = c.levelCos;
    T.LevelSin[c.level] = c.levelSin;
    stars.StarX[0] = c.x;
    stars.StarY[0] = c.y;
    stars.StarZ[0] = c.z;
    stars.StarVelX[0] = c.vx;
    stars.StarVelY[0] = c.vy;
    stars.StarVelZ[0] = c.vz;
    stars.StarSpinCos[0] = c.spinCos;
    stars.StarSpinSin[0] = c.spinSin;
    stars.StarLevel[0] = c.level;
    Frame();
    EXPECT_EQ(LitPixels(), 1);
    EXPECT_EQ(Pixel(c.expectX, c.expectY), static_cast<uint32_t>(kColor));
  }
}

TEST_F(RendererTest, WaveCountsAgeAndKeepsItsPhase) {
  UseStars(1);
  model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
  T.MotionKind = 3;
  T.RadiusExpRad = 0.5f;
  T.RadBFillWhole = 4;
  Frame();
  Frame();
  EXPECT_EQ(stars.StarAge[0], 2);
  EXPECT_FLOAT_EQ(stars.StarVelY[0], 1.0f);
}

// Wave height 6 x sin(phase) x 3 / (1 + 3) at age 1, the sine taken in double.
TEST_F(RendererTest, WaveHeightTakesTheSineInDouble) {
  const std::pair<float, float> cases[] = {{1.2f, 4.1941762f}, {2.2f, 3.63823366f}, {0.7f, 2.89897966f}};
  for (const auto& [phase, height] : cases) {
    SCOPED_TRACE(phase);
    SetUp();
    UseStars(1);
    model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
    T.MotionKind = 3;
    T.RadiusExpRad = phase;
    T.GhwRadius = 6.0f;
    T.RadBFillWhole = 3;
    Frame();
    EXPECT_EQ(stars.StarY[0], height);
  }
}

TEST_F(RendererTest, UnknownMotionKindNeitherMovesNorDraws) {
  UseStars(1);
  model::records().GalaxyTypes[0].MotionKind = 7;
  stars.StarVelX[0] = 1.0f;
  Frame();
  EXPECT_EQ(stars.StarX[0], 0.0f);
  EXPECT_EQ(LitPixels(), 0);
}

TEST_F(RendererTest, StarBehindTheEyeIsMovedButNotDrawn) {
  UseStars(1);
  model::records().GalaxyTypes[0].MotionKind = 1;
  stars.StarZ[0] = -10.0f;  // depth 0
  stars.StarVelX[0] = 1.0f;
  Frame();
  EXPECT_EQ(stars.StarX[0], 1.0f);
  EXPECT_EQ(LitPixels(), 0);
}

// Positions that cannot be projected to a pixel are off-screen, never undefined behaviour.
TEST_F(RendererTest, UnrepresentableProjectionIsOffScreen) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float x : {1E30f, -1E30f, nan, inf}) {
    SetUp();
    UseStars(1);
    model::records().GalaxyTypes[0].MotionKind = 1;
    stars.StarX[0] = x;
    Frame();
    EXPECT_EQ(LitPixels(), 0) << x;
  }
}

TEST_F(RendererTest, EventsEndingThisFrameAreNotDrawn) {
  UseStars(3);
  model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
  T.MotionKind = 1;
  T.Galaxy_NewFrames = 0;  // a respawned star becomes a quiet new star
  T.PulsarProb = T.NovaProb = 0.0f;
  stars.NewStarLeft[0] = 1;
  stars.StarVelX[0] = 1.0f;
  stars.NovaLeft[1] = 1;
  stars.PulsarLeft[2] = 1;
  Frame();
  EXPECT_EQ(LitPixels(), 0);
  // The new star is an ordinary star again, unmoved; nova and pulsar were re-created.
  EXPECT_EQ(stars.NewStarLeft[0], 0);
  EXPECT_EQ(stars.StarX[0], 0.0f);
  EXPECT_EQ(stars.NovaLeft[1], 0);
  EXPECT_EQ(stars.PulsarLeft[2], 0);
}

TEST_F(RendererTest, RecyclesAboutOneHundredthOfTheFrequencyPerFrame) {
  struct Case {
    int32_t freq;
    int lo, hi;
  };
  for (const Case c : {Case{3500, 35, 35}, Case{3520, 35, 36}, Case{0, 0, 0}}) {
    SetUp();
    UseStars(99999);
    model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
    T.PulsarProb = T.NovaProb = 0.0f;
    T.Galaxy_NewFrames = 8;
    T.MotionKind = 9;  // no motion: only the recycling shows
    universeSettings().Universe_NewFreq = c.freq;
    Frame();
    int reborn = 0;
    for (int32_t v : stars.NewStarLeft) reborn += v != 0;
    EXPECT_GE(reborn, c.lo) << c.freq;
    EXPECT_LE(reborn, c.hi) << c.freq;
  }
}

TEST_F(RendererTest, HueRangeWrapsOnlyWhenBothEndsPass1080) {
  UseStars(1);
  model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
  T.Galaxy_HWC_Inc = 2.0f;
  T.HwcStartNow = 1080;
  T.HwcEndNow = 1079;
  Frame();
  EXPECT_EQ(T.HwcStartNow, 1081);
  EXPECT_EQ(T.HwcEndNow, 1080);
  EXPECT_EQ(T.HwcShift, 0.0f);
  Frame();
  EXPECT_EQ(T.HwcStartNow, 2);
  EXPECT_EQ(T.HwcEndNow, 1);
}

TEST_F(RendererTest, BlendLevelOfTheFrameComesFromTheFade) {
  UseStars(1);
  model::records().GalaxyTypes[0].Galaxy_DX_Blend = 70;
  RenderStarFrame(galaxies, stars, *comets, cometCount, 0, 0, kPreviewTourLeg, 0.0f, true,
                  kRenderGalaxy);
  EXPECT_EQ(presentation::render().BlendLevel, 70);
}

// The cross-fade of new-star frequency and blend level along the tour.
TEST(FadeGalaxyBlendTest, FadesBetweenGalaxyAndTravelValues) {
  model::ResetGalaxyRecords();
  universeSettings() = UniverseSettings{};
  UniverseSettings& u = universeSettings();
  u.Universe_NewFreq = 3500;
  u.DX_BlendUniTravel = 35.0f;
  u.Universe_GPCtrl = 2;
  model::GalaxyRecords& rec = model::records();
  rec.GalaxyTypes[2].Galaxy_NewFreq = 100;
  rec.GalaxyTypes[2].Galaxy_DX_Blend = 80;
  rec.GalaxyTypes[5].Galaxy_NewFreq = 900;
  rec.GalaxyTypes[5].Galaxy_DX_Blend = 60;
  const std::vector<int32_t> types{0, 0, 2, 5};
  struct Case {
    const char* name;
    int32_t galaxy, leg;
    float t;
    bool pass;
    int32_t mode;
    int32_t freq;
    float blend, fade;
  };
  const Case cases[] = {
      {"leaving the previous galaxy, t 0", 3, 1, 0.0f, true, 0, 100, 80.0f, 1.0f},
      {"leaving the previous galaxy, t 1", 3, 1, 1.0f, true, 0, 3500, 35.0f, 0.0f},
      {"first pass leg, t 0", 3, 3, 0.0f, true, 0, 3500, 35.0f, 1.0f},
      {"first pass leg, t 1", 3, 3, 1.0f, true, 0, 900, 60.0f, 0.0f},
      {"later pass leg", 3, 4, 0.5f, true, 0, 900, 60.0f, 0.5f},
      {"departure", 3, 4, 0.0f, false, 0, 3500, 35.0f, 1.0f},
      {"approach of galaxy 0", 0, 1, 0.0f, true, 0, 3500, 35.0f, 1.0f},
      {"single galaxy", 2, kPreviewTourLeg, 0.0f, true, 1, 100, 80.0f, 1.0f},
  };
  for (const Case& c : cases) {
    float f = -1.0f, blend = -1.0f;
    EXPECT_EQ(FadeGalaxyBlend(types, f, blend, c.galaxy, c.leg, c.t, c.pass, c.mode), c.freq) << c.name;
    EXPECT_NEAR(blend, c.blend, 1E-4) << c.name;
    EXPECT_NEAR(f, c.fade, 1E-6) << c.name;
  }
}

}  // namespace
}  // namespace engine
