#include "engine/display_universe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/engine_fixture.h"
#include "engine/universe_settings.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"

namespace engine {
namespace {

// Records every composed frame ('C') and every pacer call ('P'), whether the frame restarted
// the frame tick, and the camera depth of each frame while a display is set.
class RecordingHost : public enginetest::FakeHost {
 public:
  std::string log;
  std::vector<bool> restarted;
  std::vector<float> cameraZ;
  const UniverseDisplay* display = nullptr;
  uint32_t lastStart = 0;

 protected:
  void OnPace() override { log.push_back('P'); }
  void OnFrame() override {
    log.push_back('C');
    const uint32_t start = presentation::pacing().FrameStartTick;
    restarted.push_back(start != lastStart);
    lastStart = start;
    if (display) cameraZ.push_back(display->CameraZ());
  }
};

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::ResetEngineModules(3);
    enginetest::UseSmallFrame();
    enginetest::UseSmallOutput(surface);
    // Stored settings as a load leaves them; few stars keep the long runs quick.
    UniverseSettings& u = universeSettings();
    u.Universe_Stars = 10;
    u.Universe_AmStar = 0;
    enginetest::InstallFakeHost(&rec);
  }
  void TearDown() override { enginetest::InstallFakeHost(nullptr); }

  presentation::HeadlessRenderSurface surface{enginetest::kFrameWidth, enginetest::kFrameHeight};
  RecordingHost rec;
};

TEST_F(DisplayTest, DefaultUniverseRunsExpansionTourAndDepartureThenANewUniverse) {
  // 500 expansion frames, 30 visits x 6 legs x 200 frames, 2 x 200 departure frames; the
  // first frame of the next universe asks to stop.
  const int expansion = 500, tour = 30 * 6 * 200, departure = 2 * 200;
  rec.stopAt = expansion + tour + departure + 1;
  DisplayUniverse();
  ASSERT_EQ(rec.paces, rec.stopAt);
  std::string expected;
  for (int i = 0; i < rec.stopAt; ++i) expected += "CP";
  EXPECT_EQ(rec.log, expected);
  // Expansion and tour frames restart the frame tick; departure frames do not.
  ASSERT_EQ(static_cast<int>(rec.restarted.size()), rec.stopAt);
  for (int i = 0; i < rec.stopAt; ++i) {
    const bool inDeparture = i >= expansion + tour && i < expansion + tour + departure;
    ASSERT_EQ(rec.restarted[i], !inDeparture) << "frame " << i;
  }
  EXPECT_EQ(universeSettings().UniverseStarTotal, 10);
}

TEST_F(DisplayTest, StopDuringTheExpansionEndsBeforeAnyTourFrame) {
  rec.stopAt = 3;
  DisplayUniverse();
  EXPECT_EQ(rec.log, "CPCPCP");
}

TEST_F(DisplayTest, StopFlagAlreadySetEndsAfterOneFrame) {
  presentation::pacing().G_bCancel = true;
  DisplayUniverse();
  EXPECT_EQ(rec.log, "CP");
}

TEST_F(DisplayTest, GravityAddsForcesEveryNthFrameAndMovesGalaxiesEveryFrame) {
  UniverseSettings& u = universeSettings();
  u.Universe_Galaxy = 3;
  u.Universe_ESteps = 2;
  u.Universe_GravForce = 1000.0f;  // 1E-4 at run time
  u.Universe_GravFrame = 3;
  UniverseDisplay d;
  d.Setup();
  ASSERT_TRUE(d.CreateNext());
  const UniverseGalaxies& g = d.Galaxies();
  std::vector<float> posBefore = g.PosX;
  for (int frame = 1; frame <= 4; ++frame) {
    const std::vector<float> velBefore = g.VelX;
    d.TourFrame(0, 1, 0.0f);
    if (frame < 3) {
      EXPECT_EQ(g.VelX, std::vector<float>(3, 0.0f)) << frame;
      EXPECT_EQ(g.PosX, posBefore) << frame;
    } else if (frame == 3) {
      EXPECT_NE(g.VelX, velBefore);
    } else {
      EXPECT_EQ(g.VelX, velBefore);  // no new force, but the galaxies still move
      EXPECT_NE(g.PosX, posBefore);
    }
    posBefore = g.PosX;
  }
  EXPECT_EQ(d.GravityCounter(), 1);
}

// Each other galaxy adds its offset times the force, over the squared distance, to the
// velocity; a galaxy then moves by its velocity before the next one is pulled.
TEST_F(DisplayTest, GravityPullsByOffsetTimesForceOverSquaredDistance) {
  UniverseSettings& u = universeSettings();
  u.Universe_Galaxy = 4;
  u.Universe_ESteps = 3;
  u.Universe_GravForce = 123457.0f;
  UniverseDisplay d;
  d.Setup();
  ASSERT_TRUE(d.CreateNext());
  const float force = u.Universe_GravForce;
  const UniverseGalaxies& g = d.Galaxies();
  std::vector<float> x = g.PosX, y = g.PosY, z = g.PosZ;
  std::vector<float> vx(4, 0.0f), vy(4, 0.0f), vz(4, 0.0f);
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) {
      if (a == b) continue;
      const float dx = x[b] - x[a], dy = y[b] - y[a], dz = z[b] - z[a];
      const float dist2 = dx * dx + dy * dy + dz * dz + 1E-9f;
      vx[a] += dx * force / dist2;
      vy[a] += dy * force / dist2;
      vz[a] += dz * force / dist2;
    }
    x[a] += vx[a];
    y[a] += vy[a];
    z[a] += vz[a];
  }
  d.ApplyGravity();
  EXPECT_EQ(g.VelX, vx);
  EXPECT_EQ(g.VelY, vy);
  EXPECT_EQ(g.VelZ, vz);
  EXPECT_EQ(g.PosZ, z);
}

TEST_F(DisplayTest, WithoutGravityGalaxiesStayPut) {
  universeSettings().Universe_Galaxy = 3;
  universeSettings().Universe_ESteps = 2;
  UniverseDisplay d;
  d.Setup();
  ASSERT_TRUE(d.CreateNext());
  const std::vector<float> pos = d.Galaxies().PosZ;
  for (int frame = 0; frame < 5; ++frame) d.TourFrame(0, 1, 0.2f * frame);
  EXPECT_EQ(d.Galaxies().PosZ, pos);
  EXPECT_EQ(d.GravityCounter(), 0);
}

TEST_F(DisplayTest, UniverseTypeTakesTheNextTypePerUniverse) {
  universeSettings().Universe_ESteps = 1;
  UniverseDisplay d;
  d.Setup();
  for (int expected : {0, 1, 2}) {
    ASSERT_TRUE(d.CreateNext());
    EXPECT_EQ(d.UniverseGalaxyType(), expected);
  }
}

// Without the tour the camera rests in front of the centre; the departure then flies back
// from there, each leg starting its spline at 0 so that the camera moves on without a jump.
TEST_F(DisplayTest, CameraRestsWithoutTourAndDepartureLegsJoin) {
  UniverseSettings& u = universeSettings();
  u.Universe_Galaxy = 1;
  u.Universe_ESteps = 1;
  u.Universe_Tour = false;
  u.Universe_GSteps = 4;
  u.Universe_GPCtrl = 2;
  u.Universe_GCCtrl = 0;
  UniverseDisplay d;
  d.Setup();
  ASSERT_TRUE(d.CreateNext());
  rec.display = &d;
  rec.log.clear();
  rec.cameraZ.clear();
  ASSERT_TRUE(d.Tour());
  const float D = u.Universe_DstCen;  // 40 at run time
  const float e = d.Extent();
  ASSERT_EQ(rec.cameraZ.size(), 16u);  // 2 legs x 4 tour frames, 2 legs x 4 departure frames
  for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(rec.cameraZ[i], -D) << i;
  EXPECT_FLOAT_EQ(rec.cameraZ[8], -D);  // departure leg 1 at t = 0
  EXPECT_FLOAT_EQ(rec.cameraZ[12], (-D + 4.0f * -D + -5.0f * e) / 6.0f);  // leg 2 at t = 0
}

}  // namespace
}  // namespace engine
