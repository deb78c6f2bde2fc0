#include "engine/comets.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "model/galaxy_types.h"
#include "model/hue_ranges.h"
#include "model/random_table.h"
#include "presentation/render_state.h"

namespace {

using engine::cometPool;
using Pixels = std::map<std::pair<int32_t, int32_t>, uint32_t>;

constexpr int kType = 5;
constexpr int kSlot = 3;

// Makes NextRandomSingle yield exactly draws[0], draws[1], ... (in 1/32768), then zeros.
void InjectDraws(std::initializer_list<int32_t> draws) {
  auto& s = model::randomState();
  s.RandomTable.fill(0);
  s.singlePos = 0;
  const std::vector<int32_t> d(draws);
  for (int i = static_cast<int>(d.size()) - 1; i >= 0; --i) s.RandomTable[i] = d[i] ^ s.RandomTable[i + 1];
}

constexpr int32_t kHalf = 16384;       // 0.5
constexpr int32_t kThreeQ = 24576;     // 0.75: picks slot 3 of 4
constexpr int32_t kFail = 28672;       // 0.875: fails both persistences of 0.75

constexpr uint32_t ColourOfAge(int32_t age) { return 0x010000u + static_cast<uint32_t>(age); }

struct CometsTest : ::testing::Test {
  std::unique_ptr<engine::CometTailList> tails = std::make_unique<engine::CometTailList>();

  void SetUp() override {
    model::ResetGalaxyRecords();
    auto& t = model::records().GalaxyTypes[kType];
    t.Galaxy_GalStyle = 10;  // no placement: the test puts the head itself
    t.Galaxy_CometStars = 2;
    t.CometProb = 0.5f;
    t.CometSpeedF = 0.25f;
    t.CometSWindF = 0.5f;
    t.Galaxy_CometSPersist = 0.75f;
    t.Galaxy_CometCPersist = 0.75f;
    t.LevelCos[0] = 1.0f;
    t.LevelSin[0] = 0.0f;
    for (int age = 0; age < 81; ++age) {
      model::hueRangeState().TypeHueRangeTable[model::HueRangeIndex(kType, age)] =
          static_cast<int32_t>(ColourOfAge(age));
    }
    presentation::ResetRenderState();
    auto& r = presentation::render();
    r.RenderWidth = r.BufferStride = 100;
    r.RenderHeight = 100;
    r.PlotMaxX = 99;
    r.PlotMinY = 1;
    r.PlotMaxY = 98;
    r.ScreenCentreX = r.ScreenCentreY = 50;
    r.PerspectiveScale = 10.0f;
    engine::RedimCometPool();
    // The head of slot 3 at (2, 0, 0), turning a quarter circle per frame.
    auto& p = cometPool();
    p.CometX[kSlot] = 2.0f;
    p.CometSpinCos[kSlot] = 0.0f;
    p.CometSpinSin[kSlot] = 1.0f;
  }

  Pixels Frame(std::initializer_list<int32_t> draws, int32_t tourLeg = 3) {
    auto& r = presentation::render();
    r.FrameBuffer.assign(100 * 100 + 1, 0);
    InjectDraws(draws);
    engine::SpawnComet(*tails, 0.0f, 0.0f, 10.0f, 0, kType, 4, tourLeg);
    Pixels lit;
    for (size_t i = 0; i < r.FrameBuffer.size(); ++i) {
      if (r.FrameBuffer[i] != 0) lit[{static_cast<int32_t>(i % 100), static_cast<int32_t>(i / 100)}] = r.FrameBuffer[i];
    }
    return lit;
  }
};

// Draw order of a frame: slot pick, start chance, [two draws per tail star of a new comet],
// then per slot 0..3: one draw per living tail star (with two more for a re-emitted star) and
// the head's persistence draw.
TEST_F(CometsTest, FirstFramesOfAComet) {
  // Frame 1: starts in slot 3; star 6 gets a sideways spread (0.25, 0, 0), star 7 a downward one
  // (0, -0.25, 0); both get the wind 0.25 x (2, 0, 0). The head then turns to (0, 0, 2): star 6
  // moves and is drawn at (52.75 -> 53, 50); star 7 fails and is re-emitted at the head.
  Pixels lit = Frame({kThreeQ, 0, kHalf, 0, 0, 0, 0, 0, 0, 0, kFail, 0, 0, 0});
  auto& p = cometPool();
  auto& t = *tails;
  EXPECT_TRUE(p.CometAlive[kSlot]);
  EXPECT_EQ(p.CometStarsLeft[kSlot], 2);
  EXPECT_EQ(lit, (Pixels{{{53, 50}, ColourOfAge(0)}}));
  EXPECT_FLOAT_EQ(t.TailX[6], 2.75f);
  EXPECT_FLOAT_EQ(t.TailVelX[6], 0.75f);
  EXPECT_EQ(t.TailAge[6], 1);
  EXPECT_FLOAT_EQ(t.TailZ[7], 2.0f);
  EXPECT_FLOAT_EQ(t.TailVelY[7], -0.25f);
  EXPECT_FLOAT_EQ(t.TailVelZ[7], 0.5f);
  EXPECT_EQ(t.TailAge[7], 0);

  // Frame 2: slot 3 is busy; both stars move and are drawn (star 6 at 53.5 -> 54, star 7 at
  // depth 12.5); the head dies.
  lit = Frame({kThreeQ, 0, 0, 0, 0, 0, 0, kFail});
  EXPECT_EQ(lit, (Pixels{{{54, 50}, ColourOfAge(1)}, {{50, 50}, ColourOfAge(0)}}));
  EXPECT_FALSE(p.CometAlive[kSlot]);

  // Frames 3 and 4: without a head, a failing star dies instead of being re-emitted.
  lit = Frame({kThreeQ, 0, 0, 0, 0, kFail, 0, 0});
  EXPECT_EQ(lit, (Pixels{{{50, 50}, ColourOfAge(1)}}));
  EXPECT_FALSE(t.TailAlive[6]);
  EXPECT_EQ(p.CometStarsLeft[kSlot], 1);
  lit = Frame({kThreeQ, 0, 0, 0, 0, kFail, 0});
  EXPECT_TRUE(lit.empty());
  EXPECT_EQ(p.CometStarsLeft[kSlot], 0);

  // Frame 5: the slot is free again and a new comet starts in it.
  Frame({kThreeQ, 0});
  EXPECT_TRUE(p.CometAlive[kSlot]);
  EXPECT_EQ(p.CometStarsLeft[kSlot], 2);
}

TEST_F(CometsTest, BeforeTourLegThreeNoCometStartsAndEveryHeadDies) {
  Frame({kThreeQ, 0});  // a live comet in slot 3
  ASSERT_TRUE(cometPool().CometAlive[kSlot]);
  Frame({kHalf, 0}, 2);  // slot 2 is free and the chance 0 would start it
  EXPECT_FALSE(cometPool().CometAlive[2]);
  EXPECT_EQ(cometPool().CometStarsLeft[2], 0);
  EXPECT_FALSE(cometPool().CometAlive[kSlot]);
  EXPECT_EQ(cometPool().CometStarsLeft[kSlot], 2);  // its tail lives on
}

TEST_F(CometsTest, ACometFrequencyOfZeroNeverStartsAComet) {
  model::records().GalaxyTypes[kType].CometProb = 0.0f;
  Frame({kThreeQ, 0});
  for (int k = 0; k < engine::kCometSlots; ++k) EXPECT_EQ(cometPool().CometStarsLeft[k], 0);
}

TEST_F(CometsTest, OldTailStarsMoveUndrawnAndStarsBehindTheEyeNeitherDrawNorAge) {
  Frame({kThreeQ, 0});
  auto& t = *tails;
  t.TailAge[6] = 80;
  t.TailZ[7] = -20.0f;
  t.TailAge[7] = 5;
  const float x6 = t.TailX[6];
  const Pixels lit = Frame({kThreeQ, 0});
  EXPECT_TRUE(lit.empty());
  EXPECT_EQ(t.TailAge[6], 81);
  EXPECT_NE(t.TailX[6], x6);
  EXPECT_EQ(t.TailAge[7], 5);
}

TEST_F(CometsTest, WithTheVectorOptionTheHeadFliesStraightOutAndAHeadAtTheCentreStays) {
  auto& type = model::records().GalaxyTypes[kType];
  type.Galaxy_CometVector = true;
  auto& p = cometPool();
  p.CometX[kSlot] = 3.0f;
  p.CometY[kSlot] = 4.0f;
  Frame({kThreeQ, 0, kHalf, 0, kHalf, 0});
  EXPECT_FLOAT_EQ(p.CometVelX[kSlot], 0.3f);
  EXPECT_FLOAT_EQ(p.CometVelY[kSlot], 0.4f);
  EXPECT_FLOAT_EQ(p.CometX[kSlot], 3.3f);  // moved by its velocity in the same frame
  EXPECT_FLOAT_EQ(tails->TailVelX[6], 0.25f);  // no wind on the tail
  EXPECT_FLOAT_EQ(tails->TailVelY[6], 0.0f);

  engine::RedimCometPool();  // head exactly at the centre
  Frame({kThreeQ, 0});
  EXPECT_TRUE(p.CometAlive[kSlot]);
  EXPECT_EQ(p.CometVelX[kSlot], 0.0f);
  EXPECT_EQ(p.CometVelY[kSlot], 0.0f);
  EXPECT_EQ(p.CometVelZ[kSlot], 0.0f);
}

TEST_F(CometsTest, CometCountFitsAllTailsIntoTheList) {
  struct Case {
    int32_t stars, count;
  };
  for (const Case c : {Case{1, 200}, Case{25, 200}, Case{26, 192}, Case{100, 50}, Case{999, 5}, Case{0, 200},
                       Case{6000, 0}}) {
    model::records().GalaxyTypes[kType].Galaxy_CometStars = c.stars;
    EXPECT_EQ(engine::CometCountFor(kType), c.count) << c.stars;
  }
  EXPECT_EQ(engine::CometCountFor(66), 0);
}

TEST_F(CometsTest, InitCometPoolSetsTheCountEmptiesThePoolAndClearsTailsOnRequest) {
  Frame({kThreeQ, 0});
  int32_t count = -1;
  engine::InitCometPool(*tails, count, 0, kType);
  EXPECT_EQ(count, 200);
  EXPECT_FALSE(cometPool().CometAlive[kSlot]);
  EXPECT_EQ(cometPool().CometStarsLeft[kSlot], 0);
  EXPECT_TRUE(tails->TailAlive[6]);
  engine::InitCometPool(*tails, count, 1, kType);
  EXPECT_FALSE(tails->TailAlive[6]);
}

// A caller's count above what the list holds never reaches past its last entry.
TEST_F(CometsTest, AnOversizedCountStaysInsideTheTailList) {
  auto& type = model::records().GalaxyTypes[kType];
  type.Galaxy_CometStars = 999;
  type.CometProb = 1.0f;
  InjectDraws({32767, 0});  // slot Int(0.99997 x 200) = 199
  engine::SpawnComet(*tails, 0.0f, 0.0f, 10.0f, 0, kType, 200, 3);
  EXPECT_EQ(cometPool().CometStarsLeft[199], 0);  // only slots 0..4 fit 999 stars each
  InjectDraws({0, 0});
  engine::SpawnComet(*tails, 0.0f, 0.0f, 10.0f, 0, kType, 500, 3);
  EXPECT_EQ(cometPool().CometStarsLeft[0], 999);
}

}  // namespace
