#include "engine/universe_creation.h"

#include <gtest/gtest.h>

#include <set>
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

class CreationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::ResetEngineModules(5);
    enginetest::UseSmallFrame();
    // Run-time forms, as a display start leaves them.
    UniverseSettings& u = universeSettings();
    u.Universe_Stars = 200;
    u.Universe_Galaxy = 6;
    u.Universe_Expand = 3.0f;
    u.Universe_ESteps = 4;
    u.Universe_Damping = 0.995f;
    u.Universe_DstCen = 40.0f;
    u.Universe_NewPctStEx = 0.85f;
    u.Universe_AmStar = 0;
    for (auto& T : model::records().GalaxyTypes) T._UniGalPct = 0;
    enginetest::InstallFakeHost(&platform, /*platformOnly=*/true);
  }
  void TearDown() override { enginetest::InstallFakeHost(nullptr); }

  // The pacer's platform: it asks to stop at its stopAt-th frame (0: never).
  void StopAfterFrames(int stopAt) {
    platform = enginetest::FakeHost{};
    platform.stopAt = stopAt;
  }

  // Prepares the types and creates a universe of the current settings.
  void Create(int32_t universeType = 0) {
    model::PrepareGalaxyTypes();
    const UniverseSettings& u = universeSettings();
    galaxies.Resize(u.Universe_Galaxy);
    stars.Resize(u.Universe_Stars);
    scratch.Resize(u.Universe_Galaxy, u.Universe_Stars);
    float expansion = u.Universe_Expand, extent = 0.0f;
    CreateUniverse(galaxies, stars, nullptr, scratch, expansion, extent, universeType);
  }

  enginetest::FakeHost platform;
  UniverseGalaxies galaxies;
  UniverseStars stars;
  CreationScratch scratch;
};

TEST_F(CreationTest, GalaxyTypesFollowTheWeightsTheTurnAndTheVisitList) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> typeWeights;  // type, weight
    std::vector<std::pair<int, int>> compositePct;  // composite, percent
    bool inTurn;
    std::string visitList;
    int galaxies;
    std::vector<int32_t> firstTypes;  // expected types of the first galaxies
    std::set<int32_t> allowed;        // types every galaxy must have
  };
  const Case cases[] = {
      {"all weights 0", {}, {}, false, "", 6, {0, 0, 0, 0, 0, 0}, {0}},
      {"in turn over weighted types", {{3, 10}, {7, 1}}, {}, true, "", 6, {3, 7, 3, 7, 3, 7}, {3, 7}},
      {"visit list", {{4, 1}}, {}, false, "1 24 11", 6, {0, 23, 10, 4, 4, 4}, {0, 23, 10, 4}},
      {"visit list longer than the universe", {{4, 1}}, {}, false, "1 24 11", 2, {0, 23}, {0, 23}},
      {"composite without weight never placed", {{4, 1}}, {{2, 0}}, false, "", 6, {4, 4, 4, 4, 4, 4}, {4}},
      {"composite with weight", {}, {{2, 5}}, false, "", 6, {52, 52, 52, 52, 52, 52}, {52}},
      // Slot 54 (composite 4) has no weight: the entry is passed over, the next one used.
      {"visit list naming an empty composite", {{4, 1}}, {}, false, "55 2", 6, {1, 4, 4, 4, 4, 4}, {1, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    UniverseSettings& u = universeSettings();
    u.Universe_Galaxy = c.galaxies;
    u.Universe_GVisit = c.inTurn;
    u.Universe_Tour = true;
    ParseGalaxyVisitList(c.visitList);
    for (auto [t, w] : c.typeWeights) model::records().GalaxyTypes[t]._UniGalPct = w;
    for (auto [k, p] : c.compositePct) {
      model::CompositeRecord& comp = model::records().CompositeGalaxies[k];
      comp._CompGalPct = p;
      comp.CompGal_Count = 1;
      comp.CompGal_Type[0] = 9;
    }
    Create();
    ASSERT_EQ(galaxies.Count(), c.galaxies);
    EXPECT_EQ(galaxies.GalaxyTypeIndex, c.firstTypes);
    for (int32_t i = 0; i < stars.Count(); ++i) {
      EXPECT_LT(stars.StarGalaxy[i], c.galaxies);
      EXPECT_GE(stars.StarType[i], 0);
      EXPECT_LT(stars.StarType[i], model::kEditableGalaxyTypes);
    }
  }
}

// Each galaxy draws its type and then the particle it stands on, before the next galaxy
// draws. Taken in turn, the types draw nothing, so the particle draws follow one another:
// with drawn types galaxy g stands where galaxy 2g + 1 stands with types in turn.
TEST_F(CreationTest, EachGalaxyDrawsItsTypeThenItsParticle) {
  std::vector<float> inTurn[3], drawn[3];
  for (bool turn : {true, false}) {
    SetUp();
    universeSettings().Universe_ESteps = 1;
    universeSettings().Universe_GVisit = turn;
    model::records().GalaxyTypes[6]._UniGalPct = 1;
    Create();
    EXPECT_EQ(galaxies.GalaxyTypeIndex, std::vector<int32_t>(6, 6));
    auto& out = turn ? inTurn : drawn;
    out[0] = galaxies.PosX;
    out[1] = galaxies.PosY;
    out[2] = galaxies.PosZ;
  }
  for (int axis = 0; axis < 3; ++axis) {
    for (int g = 0; g < 3; ++g) {
      EXPECT_EQ(drawn[axis][g], inTurn[axis][2 * g + 1]) << "axis " << axis << " galaxy " << g;
      EXPECT_NE(inTurn[axis][2 * g + 1], inTurn[axis][2 * g]) << "axis " << axis << " galaxy " << g;
    }
  }
}

// The expansion value grows the extent and keeps 99.5 % per frame; past three quarters of
// the frames the retention eases along a quarter cosine (0.995 x cos((e - 0.75 S) /
// (0.25 S) x pi / 2), worked in double and kept as a Single).
TEST_F(CreationTest, ExpansionRetentionEasesOverTheLastQuarter) {
  struct Case {
    int32_t steps;
    float expansion, extent;
  };
  for (const Case c : {Case{10, 2.7136786f, 29.3339233f}, Case{18, 1.50274861f, 51.3176727f}}) {
    SCOPED_TRACE(c.steps);
    SetUp();
    universeSettings().Universe_ESteps = c.steps;
    model::PrepareGalaxyTypes();
    galaxies.Resize(6);
    stars.Resize(200);
    float expansion = 3.0f, extent = 0.0f;
    CreateUniverse(galaxies, stars, nullptr, scratch, expansion, extent, 0);
    EXPECT_EQ(expansion, c.expansion);
    EXPECT_EQ(extent, c.extent);
  }
}

TEST_F(CreationTest, EveryParticleIsAStarOfItsGalaxyAfterTheLastFrame) {
  model::records().GalaxyTypes[6]._UniGalPct = 1;
  Create();
  EXPECT_EQ(platform.paces, 4);
  for (int32_t i = 0; i < stars.Count(); ++i) {
    EXPECT_EQ(scratch.ParState[i], 2);
    EXPECT_EQ(stars.StarType[i], 6);
  }
}

TEST_F(CreationTest, NoParticleTurnsBeforeTheFirstQuarterOfTheExpansion) {
  UniverseSettings& u = universeSettings();
  u.Universe_ESteps = 500;  // lead frames 125
  u.Universe_Persist = 0.25f;
  for (int stopAt : {125, 126}) {
    StopAfterFrames(stopAt);
    Create();
    EXPECT_TRUE(presentation::pacing().G_bCancel);
    int turned = 0;
    for (int32_t s : scratch.ParState) turned += s != 0;
    if (stopAt == 125)
      EXPECT_EQ(turned, 0);
    else
      EXPECT_GT(turned, 100);  // three in four particles turn per frame from then on
    presentation::pacing().G_bCancel = false;
  }
}

TEST_F(CreationTest, BurstParticlesStartAtTheCentre) {
  model::PrepareGalaxyTypes();
  for (int32_t mode : {kParticleBurst, kParticleAtRest}) {
    float x = 9, y = 9, z = 9, vx = 9, vy = 9, vz = 9;
    InitUniverseParticle(x, y, z, vx, vy, vz, 0, 2.0f, 0.0f, mode);
    if (mode == kParticleBurst) {
      EXPECT_EQ(x, 0.0f);
      EXPECT_EQ(y, 0.0f);
      EXPECT_EQ(z, 0.0f);
    } else {
      EXPECT_EQ(vx, 0.0f);
      EXPECT_EQ(vy, 0.0f);
      EXPECT_EQ(vz, 0.0f);
    }
  }
}

// The burst velocity is the shape point tilted by minus the first level's tilt, whose sine
// and cosine are taken in double. A molecule without atoms leaves the point as given, here
// (0, 0, 1) at a scale of 1: the velocity is (0, sin(-A), cos(-A)).
TEST_F(CreationTest, BurstTiltTakesSineAndCosineInDouble) {
  model::PrepareGalaxyTypes();
  universeSettings().Universe_Expand = 2.0f;
  model::GalaxyTypeProps& T = model::records().GalaxyTypes[4];
  T.Galaxy_GalStyle = 9;
  T.Atoms.Galaxy_Atoms = 0;
  T.RadiusF = 2.0f;
  T.LevelTilt[0] = 0.00101566606f;
  float x = 0, y = 0, z = 1, vx = 9, vy = 9, vz = 9;
  InitUniverseParticle(x, y, z, vx, vy, vz, 4, 1.0f, 0.0f, kParticleAtRest);
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, -0.00101566582f);
  EXPECT_EQ(z, 0.999999464f);
}

TEST_F(CreationTest, PickCompositeMemberDrawsByCumulativeWeight) {
  model::GalaxyRecords& rec = model::records();
  model::CompositeRecord& c = rec.CompositeGalaxies[1];
  c.CompGal_Count = 2;
  c.CompGal_Type = {};
  c.CompGal_Type[0] = 12;
  c.CompGal_Type[1] = 17;
  c.CompGal_CumWeight[0] = 1;
  c.CompGal_CumWeight[1] = 3;
  rec.GalaxyTypes[51].IsComposite = true;
  // The next single draw is 16384 / 32768 = 0.5, so r = Int(0.5 x 3) = 1.
  model::RandomState& rs = model::randomState();
  rs.singlePos = 0;
  rs.RandomTable[0] = 16384;
  rs.RandomTable[1] = 0;
  EXPECT_EQ(PickCompositeMember(51), 17);

  EXPECT_EQ(PickCompositeMember(8), 8);  // an ordinary type is itself
  rec.GalaxyTypes[52].IsComposite = true;  // composite 2 has no members
  EXPECT_EQ(PickCompositeMember(52), 0);
  c.CompGal_CumWeight[0] = c.CompGal_CumWeight[1] = 0;  // no weight at all
  EXPECT_EQ(PickCompositeMember(51), 0);
  EXPECT_EQ(PickCompositeMember(-1), 0);
  EXPECT_EQ(PickCompositeMember(66), 0);
}

TEST_F(CreationTest, RespawnGivesAPulsarANovaOrANewStar) {
  model::PrepareGalaxyTypes();
  galaxies.Resize(1);
  galaxies.GalaxyCentreZ[0] = 10.0f;
  stars.Resize(1);
  model::GalaxyTypeProps& T = model::records().GalaxyTypes[0];
  T.Galaxy_PulsarCycles = 3;
  T.Galaxy_PulsarFrames = 7;
  T.Galaxy_NovaFrames = 30;
  T.NovaExtMultF = 0.06f;
  T.Galaxy_NewFrames = 8;
  T.NewExtMultF = 0.1f;
  struct Case {
    float pulsarProb, novaProb;
    int32_t newLeft, novaLeft, pulsarLeft, frames;
    float extent;
  };
  for (const Case c : {Case{1, 0, 0, 0, 21, 7, 0}, Case{0, 1, 0, 30, 0, 30, 0.06f},
                       Case{0, 0, 8, 0, 0, 8, 0.1f}}) {
    T.PulsarProb = c.pulsarProb;
    T.NovaProb = c.novaProb;
    stars.StarEventExtent[0] = 0.0f;
    RespawnUniverseStar(stars, 0, galaxies, 0, 0);
    EXPECT_EQ(stars.NewStarLeft[0], c.newLeft);
    EXPECT_EQ(stars.NovaLeft[0], c.novaLeft);
    EXPECT_EQ(stars.PulsarLeft[0], c.pulsarLeft);
    EXPECT_EQ(stars.StarEventFrames[0], c.frames);
    EXPECT_FLOAT_EQ(stars.StarEventExtent[0], c.extent);
  }
}

}  // namespace
}  // namespace engine
