#include "engine/galaxy_preview.h"

#include <gtest/gtest.h>

#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/engine_fixture.h"
#include "engine/universe_settings.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"

namespace engine {
namespace {

using CountingHost = enginetest::FakeHost;

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::ResetEngineModules(9);
    enginetest::UseSmallFrame();
    enginetest::UseSmallOutput(surface);
    enginetest::InstallFakeHost(&host);
  }
  void TearDown() override { enginetest::InstallFakeHost(nullptr); }
  presentation::HeadlessRenderSurface surface{enginetest::kFrameWidth, enginetest::kFrameHeight};
  CountingHost host;
};

TEST_F(PreviewTest, StopsAfterTheGivenFrameCountOrAtTheStopFlag) {
  struct Case {
    int32_t stopMode, stopFrames, stopAt;
    int frames;
  };
  for (const Case c : {Case{1, 300, 0, 300}, Case{1, 300, 20, 20}, Case{1, 0, 40, 40},
                       Case{0, 5, 40, 40}}) {
    SetUp();
    host.stopAt = c.stopAt;
    DisplayGalaxyPreview(3, c.stopMode, c.stopFrames, 200, false, 1.0f);
    EXPECT_EQ(host.frames, c.frames) << c.stopMode << " " << c.stopFrames;
    TearDown();
    host = CountingHost{};
  }
}

TEST_F(PreviewTest, LeavesAOneGalaxyUniverseWithTheScaledStarCount) {
  model::CompositeRecord& c = model::records().CompositeGalaxies[3];
  c.CompGal_Count = 2;
  c.CompGal_Type[0] = 4;
  c.CompGal_Type[1] = 8;
  host.stopAt = 10;
  DisplayGalaxyPreview(3, 0, 0, 6000, true, 1.3f);
  EXPECT_EQ(host.frames, 10);
  EXPECT_TRUE(model::records().GalaxyTypes[53].IsComposite);
  const UniverseSettings& u = universeSettings();
  EXPECT_EQ(u.Universe_Stars, 7800);
  EXPECT_EQ(u.Universe_Galaxy, 1);
  EXPECT_EQ(u.Universe_NewPctStEx, 0.0f);
}

TEST_F(PreviewTest, IndexOutsideItsRangeShowsNothing) {
  host.stopAt = 5;
  DisplayGalaxyPreview(50, 0, 0, 100, false, 1.0f);
  DisplayGalaxyPreview(16, 0, 0, 100, true, 1.0f);
  DisplayGalaxyPreview(-1, 0, 0, 100, false, 1.0f);
  EXPECT_EQ(host.frames, 0);
}

}  // namespace
}  // namespace engine
