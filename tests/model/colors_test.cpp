#include "model/colors.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/hue_wheel.h"

namespace {

using model::colorState;
using model::hueWheelState;

constexpr int32_t Rgb(int32_t r, int32_t g, int32_t b) { return r + 256 * g + 65536 * b; }

struct ColorsTest : ::testing::Test {
  void SetUp() override {
    hueWheelState() = model::HueWheelState{};
    colorState() = model::ColorState{};
  }
  void SetDivisions(std::array<int32_t, 5> div) {
    auto& w = hueWheelState();
    w.HueWheelDiv = div;
    for (int k = 0; k < 4; ++k) w.HueWheelLen[k] = div[k + 1] - div[k];
    w.HueWheelLen[4] = 1024 - div[4];
  }
};

struct ColourCase {
  int32_t in;
  int32_t expected;
};

TEST_F(ColorsTest, HueToColorWrapsEveryWholeNumberOntoSixSectors) {
  const ColourCase cases[] = {
      {0, Rgb(255, 55, 55)},    {360, Rgb(255, 55, 55)},  {720, Rgb(255, 55, 55)}, {-360, Rgb(255, 55, 55)},
      {60, Rgb(255, 255, 55)},  {120, Rgb(55, 255, 55)},  {240, Rgb(55, 55, 255)}, {359, Rgb(255, 55, 58)},
      {-30, Rgb(255, 55, 155)}, {330, Rgb(255, 55, 155)},
  };
  for (const auto& c : cases) EXPECT_EQ(model::HueToColor(c.in), c.expected) << "hue " << c.in;
  EXPECT_EQ(model::HueToColor(0), 0x3737FF);
}

TEST_F(ColorsTest, HueRampColorFollowsTheDefaultDivisions) {
  const ColourCase cases[] = {
      {0, Rgb(255, 55, 55)},    {142, Rgb(255, 155, 55)}, {283, Rgb(255, 254, 55)}, {284, Rgb(255, 255, 55)},
      {355, Rgb(155, 255, 55)}, {427, Rgb(55, 255, 55)},  {512, Rgb(55, 255, 255)}, {725, Rgb(55, 55, 255)},
      {896, Rgb(255, 55, 255)}, {1023, Rgb(255, 55, 56)}, {1024, Rgb(255, 55, 55)}, {1300, Rgb(255, 249, 55)},
      {-1, Rgb(255, 55, 56)},
  };
  for (const auto& c : cases) EXPECT_EQ(model::HueRampColor(c.in), c.expected) << "step " << c.in;
}

TEST_F(ColorsTest, HueRampColorSkipsEmptyStretches) {
  SetDivisions({0, 0, 0, 0, 0});
  EXPECT_EQ(model::HueRampColor(0), Rgb(255, 55, 255));
  EXPECT_EQ(model::HueRampColor(512), Rgb(255, 55, 155));
  EXPECT_EQ(model::HueRampColor(1023), Rgb(255, 55, 55));

  SetDivisions({100, 100, 100, 100, 100});
  EXPECT_EQ(model::HueRampColor(99), Rgb(255, 253, 55));
  EXPECT_EQ(model::HueRampColor(100), Rgb(255, 55, 255));
}

TEST_F(ColorsTest, ToDisplayColorOrderExchangesRedAndBlue) {
  EXPECT_EQ(model::ToDisplayColorOrder(0x3737FF), 0xFF3737);
  EXPECT_EQ(model::ToDisplayColorOrder(0x12345678), 0x785634);
  EXPECT_EQ(model::ToDisplayColorOrder(static_cast<int32_t>(0xFF0000FFu)), 0xFF0000);
}

TEST_F(ColorsTest, LightenAndScaleRoundRedButTruncateGreenAndBlue) {
  EXPECT_EQ(model::LightenColor(0, 0.5f), Rgb(128, 127, 127));
  EXPECT_EQ(model::ScaleColor(0xFFFFFF, 0.5f), Rgb(128, 127, 127));
  EXPECT_EQ(model::ScaleColor(Rgb(10, 10, 10), 0.25f), Rgb(2, 2, 2));
  for (int32_t c : {0, Rgb(12, 200, 99), 0xFFFFFF, Rgb(255, 0, 1)}) {
    EXPECT_EQ(model::LightenColor(c, 1.0f), 0xFFFFFF) << c;
    EXPECT_EQ(model::LightenColor(c, 0.0f), c) << c;
    EXPECT_EQ(model::ScaleColor(c, 1.0f), c) << c;
    EXPECT_EQ(model::ScaleColor(c, 0.0f), 0) << c;
  }
  // The top byte passes through a lightening untouched.
  EXPECT_EQ(model::LightenColor(0x01000000, 1.0f), 0x01FFFFFF);
}

TEST_F(ColorsTest, RebuildWithBubbleOffCopiesTheCleanRampAndKeepsTheBubbleStill) {
  auto& w = hueWheelState();
  w.HwbStart = 100.0f;
  w.HwbSpeed = 3.0f;
  for (auto [level, span] : {std::pair{0.0f, 50.0f}, std::pair{0.5f, 0.0f}}) {
    w.HwbLevel = level;
    w.HwbSpan = span;
    model::RebuildColorTables(true, true);
    const auto& s = colorState();
    for (int i = 0; i < 1024; ++i) {
      ASSERT_EQ(s.CleanHueRamp[i], model::ToDisplayColorOrder(model::HueRampColor(i)));
      ASSERT_EQ(s.HueColorTable[i], s.CleanHueRamp[i]);
    }
    EXPECT_EQ(s.HueColorTable[1024], 0);
    EXPECT_FLOAT_EQ(w.HwbStart, 100.0f);
  }
}

TEST_F(ColorsTest, BubbleIsReappliedOnlyWhenItsWholeStepMoves) {
  auto& w = hueWheelState();
  w.HwbLevel = 0.5f;
  w.HwbSpan = 10.0f;
  w.HwbSpeed = 0.5f;
  w.HwbStart = 0.0f;
  model::RebuildColorTables(true, true);  // forced: centre at 0
  const auto& s = colorState();
  EXPECT_EQ(s.LastBubbleStep, 0);
  EXPECT_EQ(s.HueColorTable[0], model::LightenColor(s.CleanHueRamp[0], 0.5f));

  std::vector<int32_t> changedAt;
  for (int call = 1; call <= 4; ++call) {
    const auto before = s.HueColorTable;
    model::RebuildColorTables(false, true);
    if (before != s.HueColorTable) changedAt.push_back(call);
  }
  EXPECT_EQ(changedAt, (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(s.LastBubbleStep, 2);
  // Re-applied from the clean ramp: nothing accumulates, and steps beyond the span are clean.
  EXPECT_EQ(s.HueColorTable[2], model::LightenColor(s.CleanHueRamp[2], 0.5f));
  for (int i = 13; i < 1016; ++i) ASSERT_EQ(s.HueColorTable[i], s.CleanHueRamp[i]) << i;
  EXPECT_NE(s.HueColorTable[1017], s.CleanHueRamp[1017]);  // 2 - 9 wraps to 1017
}

TEST_F(ColorsTest, BubbleCentreWrapsRoundTheRamp) {
  auto& w = hueWheelState();
  model::RebuildColorTables(true, false);
  w.HwbLevel = 1.0f;
  w.HwbSpan = 4.0f;
  w.HwbSpeed = 0.5f;
  w.HwbStart = 1023.8f;
  colorState().LastBubbleStep = 1023;
  model::RebuildColorTables(false, true);
  EXPECT_NEAR(w.HwbStart, 0.3f, 1e-4f);
  EXPECT_EQ(colorState().LastBubbleStep, 0);
  EXPECT_EQ(colorState().HueColorTable[0], 0xFFFFFF);  // full level at the centre
  EXPECT_NE(colorState().HueColorTable[1023], colorState().CleanHueRamp[1023]);
  EXPECT_EQ(colorState().HueColorTable[1019], colorState().CleanHueRamp[1019]);
}

TEST_F(ColorsTest, WideBubbleLightensTheWholeRampAtLeastByItsFloor) {
  auto& w = hueWheelState();
  w.HwbLevel = 0.5f;
  w.HwbSpan = 600.0f;
  w.HwbStart = 100.0f;
  model::RebuildColorTables(true, true);
  const auto& s = colorState();
  const float floor = (88.0f / 512.0f) * 0.5f;
  for (int i = 0; i < 1024; ++i) {
    const int32_t atFloor = model::LightenColor(s.CleanHueRamp[i], floor);
    for (int shift : {0, 8, 16}) {
      ASSERT_GE((s.HueColorTable[i] >> shift) & 0xFF, (atFloor >> shift) & 0xFF) << i;
    }
  }
}

TEST_F(ColorsTest, CalcHueRampWorksInPlaceAndIgnoresShortArrays) {
  auto& w = hueWheelState();
  w.HwbLevel = 1.0f;
  w.HwbSpan = 2.0f;
  w.HwbStart = 500.0f;
  std::array<int32_t, 1025> ramp{};
  for (int i = 0; i < 1024; ++i) ramp[i] = model::HueRampColor(i);
  const auto clean = ramp;
  model::CalcHueRamp(ramp, ramp, true);
  EXPECT_EQ(ramp[500], 0xFFFFFF);
  EXPECT_NE(ramp[501], clean[501]);
  EXPECT_EQ(ramp[503], clean[503]);

  std::array<int32_t, 10> shortRamp{};
  model::CalcHueRamp(shortRamp, shortRamp, true);
  EXPECT_EQ(shortRamp, (std::array<int32_t, 10>{}));
}

TEST_F(ColorsTest, BlendHueTowardWhiteReadsTheDisplayRamp) {
  model::RebuildColorTables(true, false);
  EXPECT_EQ(model::BlendHueTowardWhite(1024 + 7, 0.25f),
            model::LightenColor(colorState().HueColorTable[7], 0.25f));
}

}  // namespace
