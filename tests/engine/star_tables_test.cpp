#include "engine/star_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/colors.h"
#include "model/galaxy_types.h"
#include "model/hue_wheel.h"

namespace {

using model::records;

struct StarTablesTest : ::testing::Test {
  void SetUp() override {
    model::ResetGalaxyRecords();
    model::hueWheelState() = model::HueWheelState{};  // default divisions, bubble off
    model::colorState() = model::ColorState{};
    model::RebuildColorTables(true, true);
  }
  model::GalaxyTypeProps& type(int t) { return records().GalaxyTypes[t]; }
};

TEST_F(StarTablesTest, PulsarOfFourFramesSwingsThroughTheHueRangeUndimmed) {
  auto& t = type(7);
  t.Galaxy_PulsarFrames = 4;
  t.Galaxy_HWC_Start = 140;
  t.Galaxy_HWC_End = 220;
  t.Galaxy_PulsarMinExt = 50;
  t.Galaxy_PulsarMaxExt = 1000;
  t.PulsarColors.fill(-1);
  engine::BuildPulsarTables();

  // Frames at sin = -1, 0, +1, 0 of the cycle; q1 = 0 and q3 = 4 leave every frame at full colour.
  const int32_t steps[4] = {140, 180, 220, 180};
  const float sizes[4] = {0.05f, 0.525f, 1.0f, 0.525f};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(t.PulsarColors[k], model::HueRampColor(steps[k])) << k;
    EXPECT_NEAR(t.PulsarSizes[k], sizes[k], 1e-6) << k;
  }
  for (int k = 4; k < model::kStarColorFrames; ++k) {
    EXPECT_EQ(t.PulsarColors[k], 0) << k;
    EXPECT_EQ(t.PulsarSizes[k], 0.0f) << k;
  }
}

TEST_F(StarTablesTest, PulsarOfFortyFramesIsDimmedInItsFirstAndLastQuarter) {
  auto& t = type(0);
  t.Galaxy_PulsarFrames = 40;
  t.Galaxy_HWC_Start = 300;
  t.Galaxy_HWC_End = 300;  // one colour for the whole cycle
  t.Galaxy_PulsarMinExt = t.Galaxy_PulsarMaxExt = 400;
  engine::BuildPulsarTables();

  const int32_t base = model::HueRampColor(300);
  // The brightness factor rises from sin 36 degrees in steps of 6 degrees (frames 0 to 8),
  // stays full (9 to 30) and falls back by the same steps from sin 84 degrees (31 to 39).
  auto factor = [](double degrees) { return static_cast<float>(std::sin(degrees * model::kTwoPi / 360.0)); };
  for (int k = 0; k < 40; ++k) {
    int32_t expected = base;
    if (k <= 8) expected = model::ScaleColor(base, factor(36.0 + 6.0 * k));
    if (k >= 31) expected = model::ScaleColor(base, factor(84.0 - 6.0 * (k - 31)));
    EXPECT_EQ(t.PulsarColors[k], expected) << k;
    EXPECT_FLOAT_EQ(t.PulsarSizes[k], 0.4f) << k;
  }
  EXPECT_NE(t.PulsarColors[8], base);
  EXPECT_NE(t.PulsarColors[31], base);
}

TEST_F(StarTablesTest, PulsarFramesAreClampedAndWrittenBack) {
  struct Case {
    int32_t stored, kept, filled;
  };
  for (const Case c : {Case{0, 0, 0}, Case{-5, 0, 0}, Case{150, 99, 99}}) {
    auto& t = type(2);
    t.Galaxy_PulsarFrames = c.stored;
    t.PulsarColors.fill(-1);
    t.PulsarSizes.fill(-1.0f);
    engine::BuildPulsarTables();
    EXPECT_EQ(t.Galaxy_PulsarFrames, c.kept);
    int filled = 0;
    for (int k = 0; k < model::kStarColorFrames; ++k) filled += t.PulsarSizes[k] != 0.0f;
    EXPECT_EQ(filled, c.filled) << c.stored;
    EXPECT_EQ(t.PulsarColors[99], 0) << c.stored;
  }
}

TEST_F(StarTablesTest, NewStarRunsFromTheRangeEndTowardItsStartAndTurnsWhite) {
  struct Case {
    int32_t frames, start, end;
    std::vector<int32_t> steps;  // ramp steps, taken modulo 360
  };
  const Case cases[] = {
      {8, 140, 220, {220, 210, 200, 190, 180, 170, 160, 150, 140}},
      {1, 140, 220, {220, 140}},
      {1, 700, 500, {140, 340}},  // 500 and 700 modulo 360
      {3, 100, 101, {101, 100, 100, 100}},  // floor of 101 - k/3
  };
  for (const auto& c : cases) {
    auto& t = type(49);
    t.Galaxy_NewFrames = c.frames;
    t.Galaxy_HWC_Start = c.start;
    t.Galaxy_HWC_End = c.end;
    t.NewStarColors.fill(-1);
    engine::BuildNewStarColors();
    const int n = static_cast<int>(c.steps.size()) - 1;
    for (int k = 0; k <= n; ++k) {
      EXPECT_EQ(t.NewStarColors[k], model::BlendHueTowardWhite(c.steps[k], static_cast<float>(k) / n))
          << c.frames << " frame " << k;
    }
    EXPECT_EQ(t.NewStarColors[n] & 0xFFFFFF, 0xFFFFFF);
    for (int k = n + 1; k < model::kStarColorFrames; ++k) EXPECT_EQ(t.NewStarColors[k], 0);
  }
}

TEST_F(StarTablesTest, NewStarFramesAreClampedAndWrittenBack) {
  auto& t = type(1);
  t.Galaxy_NewFrames = 0;
  t.NewStarColors.fill(-1);
  engine::BuildNewStarColors();
  for (int32_t c : t.NewStarColors) EXPECT_EQ(c, 0);

  t.Galaxy_NewFrames = 500;
  engine::BuildNewStarColors();
  EXPECT_EQ(t.Galaxy_NewFrames, 99);
  EXPECT_EQ(t.NewStarColors[99] & 0xFFFFFF, 0xFFFFFF);
}

TEST_F(StarTablesTest, CompositeSlotsKeepEmptyTables) {
  auto& slot = type(55);
  slot.Galaxy_PulsarFrames = 40;
  slot.Galaxy_NewFrames = 8;
  engine::BuildNewStarColors();
  engine::BuildPulsarTables();
  for (int k = 0; k < model::kStarColorFrames; ++k) {
    EXPECT_EQ(slot.NewStarColors[k], 0);
    EXPECT_EQ(slot.PulsarColors[k], 0);
  }
}

}  // namespace
