#include "model/hue_wheel.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/galaxy_types.h"
#include "store/registry_access.h"
#include "support/test_support.h"

namespace {

using model::hueWheelState;
using model::records;

constexpr int32_t Rgb(int32_t r, int32_t g, int32_t b) { return r + 256 * g + 65536 * b; }

int32_t Wheel(int32_t type, int32_t row) { return hueWheelState().HueWheelTable[model::HueWheelIndex(type, row)]; }

struct HueWheelTest : ::testing::Test {
  testsupport::TempConfig config;
  void SetUp() override {
    model::ResetGalaxyRecords();
    hueWheelState() = model::HueWheelState{};
  }
  void TearDown() override { model::SetAdvancedHueWheelFields(nullptr); }
  static void SetHues(int32_t type, int32_t red, int32_t grn, int32_t blu, int32_t base) {
    auto& g = records().GalaxyTypes[type];
    g.Galaxy_HueRed = red;
    g.Galaxy_HueGrn = grn;
    g.Galaxy_HueBlu = blu;
    g.Galaxy_HueBase = base;
  }
};

TEST_F(HueWheelTest, FullPercentagesOnBlackBaseGiveTheSingleRoundedWheel) {
  SetHues(0, 100, 100, 100, 0);
  model::BuildHueWheelTable();
  const struct {
    int32_t row, colour;
  } rows[] = {
      {240, Rgb(254, 0, 0)},   {120, Rgb(0, 254, 0)}, {0, Rgb(0, 0, 254)},     {210, Rgb(254, 127, 0)},
      {241, Rgb(254, 0, 4)},   {300, Rgb(254, 0, 254)}, {359, Rgb(4, 0, 254)},
  };
  for (const auto& r : rows) EXPECT_EQ(Wheel(0, r.row), r.colour) << "row " << r.row;
}

TEST_F(HueWheelTest, BaseMakesTheWheelPaler) {
  SetHues(0, 100, 100, 100, 100);
  SetHues(1, 100, 100, 100, 50);
  SetHues(2, 100, 100, 100, 2);
  SetHues(3, 100, 0, 100, 0);
  model::BuildHueWheelTable();
  for (int row = 0; row < 360; ++row) ASSERT_EQ(Wheel(0, row), 0xFFFFFF) << row;
  EXPECT_EQ(Wheel(1, 240), Rgb(254, 127, 127));
  EXPECT_EQ(Wheel(2, 240), Rgb(255, 5, 5));
  EXPECT_EQ(Wheel(3, 120), 0);  // no green on this wheel
  // Column 50 and row 360 are never written.
  for (int row = 0; row <= 360; ++row) ASSERT_EQ(Wheel(50, row), 0);
  for (int type = 0; type <= 50; ++type) ASSERT_EQ(Wheel(type, 360), 0);
}

TEST_F(HueWheelTest, HueColorTakesTheHueRoundTheWheel) {
  SetHues(4, 30, 60, 90, 10);
  model::BuildHueWheelTable();
  EXPECT_EQ(model::HueColor(4, 725), Wheel(4, 5));
  EXPECT_EQ(model::HueColor(4, 17), Wheel(4, 17));
  EXPECT_EQ(model::HueColor(-1, 5), 0);
  EXPECT_EQ(model::HueColor(51, 5), 0);
  EXPECT_EQ(model::HueColor(4, -5), 0);
}

TEST_F(HueWheelTest, ParticleHueCycleTurnsOnlyCyclingTypes) {
  SetHues(1, 100, 50, 25, 0);
  model::BuildHueWheelTable();
  records().GalaxyTypes[1].HueCycling = true;
  records().GalaxyTypes[2].HueCycling = false;

  std::vector<int32_t> type{1, 1, 2, 1};
  std::vector<int32_t> colour{7, 7, 7, 7};
  std::vector<float> hue{359.9f, 10.0f, 100.0f, 45.0f};
  records().GalaxyTypes[1].Galaxy_HWheelInc = 0.3f;
  model::ApplyParticleHueCycle(3, type, colour, hue);
  EXPECT_NEAR(hue[0], 0.2f, 1e-3f);
  EXPECT_EQ(colour[0], Wheel(1, 0));
  EXPECT_NEAR(hue[1], 10.3f, 1e-5f);
  EXPECT_EQ(colour[1], Wheel(1, 10));
  EXPECT_EQ(hue[2], 100.0f);  // not cycling: left alone
  EXPECT_EQ(colour[2], 7);
  EXPECT_EQ(hue[3], 45.0f);  // beyond the star count
  EXPECT_EQ(colour[3], 7);

  // An increment of 0 keeps the hue but still re-reads the colour; 359.5 rounds to row 0.
  records().GalaxyTypes[1].Galaxy_HWheelInc = 0.0f;
  hue = {359.5f, 12.0f, 0.0f, 0.0f};
  colour = {7, 7, 7, 7};
  model::ApplyParticleHueCycle(2, type, colour, hue);
  EXPECT_EQ(hue[0], 359.5f);
  EXPECT_EQ(colour[0], Wheel(1, 0));
  EXPECT_EQ(colour[1], Wheel(1, 12));
}

TEST_F(HueWheelTest, ParticleHueCycleStaysInsideItsArrays) {
  model::BuildHueWheelTable();
  records().GalaxyTypes[0].HueCycling = true;
  std::vector<int32_t> type{0, 99, -3};
  std::vector<int32_t> colour{7, 7, 7};
  std::vector<float> hue{-50.0f, 1.0f, 1.0f};
  model::ApplyParticleHueCycle(1000, type, colour, hue);  // count beyond the arrays
  EXPECT_EQ(colour, (std::vector<int32_t>{7, 7, 7}));       // negative hue, unknown types
  model::ApplyParticleHueCycle(-4, type, colour, hue);
  model::ApplyParticleHueCycle(0, {}, {}, {});
}

TEST_F(HueWheelTest, RegistryDefaultsGiveTheStandardDivisionsAndNoBubble) {
  hueWheelState().HueWheelDiv = {};
  hueWheelState().HwbLevel = 0.7f;
  ASSERT_TRUE(model::LoadHueWheelSettings());
  const auto& s = hueWheelState();
  EXPECT_EQ(s.HueWheelDiv, (std::array<int32_t, 5>{284, 427, 512, 725, 896}));
  EXPECT_EQ(s.HueWheelLen, (std::array<int32_t, 5>{143, 85, 213, 171, 128}));
  EXPECT_EQ(s.HwbStart, 0.0f);
  EXPECT_EQ(s.HwbLevel, 0.0f);
  EXPECT_EQ(s.HwbSpan, 0.0f);
  EXPECT_EQ(s.HwbSpeed, 0.0f);
}

TEST_F(HueWheelTest, RegistryValuesAreClampedAscendingAndScaled) {
  const char* names[] = {"Adv_HueWheel0", "Adv_HueWheel1", "Adv_HueWheel2", "Adv_HueWheel3", "Adv_HueWheel4",
                         "Adv_HWB_Start", "Adv_HWB_Level", "Adv_HWB_BSpan", "Adv_HWB_Speed"};
  const char* values[] = {"200", "100", "300", "400", "50", "360", "250", "9999", "12000"};
  for (int k = 0; k < 9; ++k) ASSERT_TRUE(store::SaveRegSetting("Advanced", names[k], values[k]));
  ASSERT_TRUE(model::LoadHueWheelSettings());
  const auto& s = hueWheelState();
  EXPECT_EQ(s.HueWheelDiv, (std::array<int32_t, 5>{569, 569, 853, 1024, 1024}));
  EXPECT_EQ(s.HueWheelLen, (std::array<int32_t, 5>{0, 284, 171, 0, 0}));
  EXPECT_EQ(s.HwbStart, 1024.0f);
  EXPECT_EQ(s.HwbLevel, 1.0f);
  EXPECT_EQ(s.HwbSpan, 1023.8976f);
  EXPECT_FLOAT_EQ(s.HwbSpeed, 9.999f);
}

struct FakeHueBoxes : model::HueWheelFields {
  std::array<std::string, 9> text{"0", "90", "180", "270", "360", "180", "50", "5000", "500"};
  std::string HueWheelText(int index) const override { return text[static_cast<size_t>(index)]; }
};

TEST_F(HueWheelTest, WindowBoxesReplaceTheRegistryWhileTheWindowIsOpen) {
  ASSERT_TRUE(store::SaveRegSetting("Advanced", "Adv_HueWheel0", "10"));
  FakeHueBoxes boxes;
  model::SetAdvancedHueWheelFields(&boxes);
  ASSERT_EQ(model::AdvancedHueWheelFields(), &boxes);
  ASSERT_TRUE(model::LoadHueWheelSettings(model::AdvancedHueWheelFields()));
  const auto& s = hueWheelState();
  EXPECT_EQ(s.HueWheelDiv, (std::array<int32_t, 5>{0, 256, 512, 768, 1024}));
  EXPECT_EQ(s.HueWheelLen, (std::array<int32_t, 5>{256, 256, 256, 256, 0}));
  EXPECT_EQ(s.HwbStart, 512.0f);
  EXPECT_EQ(s.HwbLevel, 0.5f);
  EXPECT_EQ(s.HwbSpan, 512.0f);
  EXPECT_EQ(s.HwbSpeed, 0.5f);

  // A box left empty stops the load; every setting keeps its value.
  boxes.text = {"100", "150", "180", "255", "", "0", "0", "0", "0"};
  const auto before = s.HueWheelDiv;
  EXPECT_FALSE(model::LoadHueWheelSettings(&boxes));
  EXPECT_EQ(s.HueWheelDiv, before);
  EXPECT_EQ(s.HwbLevel, 0.5f);

  model::SetAdvancedHueWheelFields(nullptr);
  ASSERT_TRUE(model::LoadHueWheelSettings(model::AdvancedHueWheelFields()));
  EXPECT_EQ(s.HueWheelDiv[0], 28);  // the registry again: 10 degrees
}

}  // namespace
