#include "engine/universe_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/galaxy_types.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "store/registry_access.h"
#include "support/test_support.h"

namespace {

using engine::universeSettings;

struct UniverseSettingsTest : ::testing::Test {
  testsupport::TempConfig config;
  void SetUp() override {
    model::ResetGalaxyRecords();
    universeSettings() = engine::UniverseSettings{};
    model::hueWheelState() = model::HueWheelState{};
    model::hueRangeState() = model::HueRangeState{};
  }
  static void Store(const char* section, const char* name, const char* value) {
    ASSERT_TRUE(store::SaveRegSetting(section, name, value));
  }
  static std::vector<std::string> VisitList() {
    const auto& u = universeSettings();
    return {u.GalaxyVisitList.begin(), u.GalaxyVisitList.begin() + u.GalaxyVisitCount};
  }
};

TEST_F(UniverseSettingsTest, EmptyStoreGivesTheDefaultsAndThePreviewReducesTheCounts) {
  universeSettings().Universe_Stars = 5;
  universeSettings().Universe_Tour = false;
  engine::LoadUniverseSettings(false);
  const auto& u = universeSettings();
  EXPECT_EQ(u.Universe_Stars, 18000);
  EXPECT_EQ(u.Universe_Galaxy, 200);
  EXPECT_EQ(u.Universe_AmStar, 2000);
  EXPECT_EQ(u.Universe_Expand, 3000.0f);
  EXPECT_EQ(u.Universe_ESteps, 500);
  EXPECT_EQ(u.Universe_Persist, 0.985f);
  EXPECT_EQ(u.Universe_Damping, 0.01f);
  EXPECT_EQ(u.Universe_Recycle, 30);
  EXPECT_EQ(u.Universe_Profile, 51);
  EXPECT_EQ(u.Universe_NewFreq, 3500);
  EXPECT_EQ(u.Universe_NewPctStEx, 85.0f);
  EXPECT_TRUE(u.Universe_Tour);
  EXPECT_EQ(u.Universe_GSteps, 200);
  EXPECT_EQ(u.Universe_GPCtrl, 2);
  EXPECT_EQ(u.Universe_GCCtrl, 4);
  EXPECT_EQ(u.Universe_DstCen, 4000.0f);
  EXPECT_EQ(u.Universe_C_Ramp, 750);
  EXPECT_FALSE(u.Universe_GVisit);
  EXPECT_FALSE(u.Universe_RotCam);
  EXPECT_EQ(u.Universe_AmFrames, 15);
  EXPECT_EQ(u.Universe_AmMaxExt, 600.0f);
  EXPECT_EQ(u.Universe_AmPers, 0.999f);
  EXPECT_EQ(u.Universe_AmCAge, 0.1f);
  EXPECT_EQ(u.Universe_GravForce, 0.0f);
  EXPECT_EQ(u.Universe_GravFrame, 1);
  EXPECT_EQ(u.DX_BlendUniBurst, 100.0f);
  EXPECT_EQ(u.DX_BlendUniTravel, 35.0f);
  EXPECT_EQ(u.GalaxyVisitCount, 0);
  EXPECT_EQ(u.HWC_ConeBright, 100);
  EXPECT_EQ(u.HWC_ConeBlack, 20);
  EXPECT_EQ(u.HWC_ConeBBias, 160);
  EXPECT_EQ(u.HWC_ConeTwist, 45);
  EXPECT_EQ(u.HWC_WedgeMin, 120);
  EXPECT_EQ(u.HWC_WedgeMax, 180);
  EXPECT_EQ(u.HWC_WedgeFra, 6000);
  EXPECT_EQ(u.HWC_StartFra, 25000);
  EXPECT_EQ(u.HWC_StartAng, 270);

  engine::LoadUniverseSettings(true);
  EXPECT_EQ(u.Universe_Stars, 11700);
  EXPECT_EQ(u.Universe_AmStar, 1000);
  EXPECT_EQ(u.Universe_Galaxy, 200);
}

TEST_F(UniverseSettingsTest, LoadReplacesTheRecordsAndRebuildsTheColourTables) {
  Store("Universe\\Galaxy3", "Galaxy_HueBase", "100");
  Store("Universe", "Universe_HW_Start", "250");
  Store("Universe", "Universe_HW_End", "170");
  model::records().GalaxyTypes[7].Galaxy_HueRed = 3;  // in memory only
  engine::LoadUniverseSettings(false);
  EXPECT_EQ(model::records().GalaxyTypes[7].Galaxy_HueRed, model::DefaultGalaxyType(7).Galaxy_HueRed);
  EXPECT_EQ(model::HueColor(3, 77), 0xFFFFFF);
  std::array<int32_t, 81> expected{};
  model::BuildHueRangeTable(expected, -1, 250, 170, true);
  EXPECT_EQ(model::hueRangeState().UniverseHueRangeTable, expected);
  EXPECT_EQ(model::hueRangeState().TypeHueRangeTable[model::HueRangeIndex(0, 0)], 0xFFFFFF);
}

TEST_F(UniverseSettingsTest, UnreadableValuesGiveDefaultsAndConeValuesAreHeldToTheirRanges) {
  Store("Universe", "Universe_Stars", "many");
  Store("Universe", "Universe_Persist", "0,5");
  Store("Universe", "Universe_Tour", "0");
  Store("Universe", "Universe_GVisit", "-2");
  Store("GenColor", "HWC_ConeBright", "250");
  Store("GenColor", "HWC_ConeBlack", "-4");
  Store("GenColor", "HWC_ConeBBias", "1500");
  Store("GenColor", "HWC_ConeTwist", "-2000");
  Store("GenColor", "HWC_WedgeMin", "90");
  engine::LoadUniverseSettings(false);
  const auto& u = universeSettings();
  EXPECT_EQ(u.Universe_Stars, 18000);
  EXPECT_EQ(u.Universe_Persist, 0.5f);
  EXPECT_FALSE(u.Universe_Tour);
  EXPECT_TRUE(u.Universe_GVisit);
  EXPECT_EQ(u.HWC_ConeBright, 100);
  EXPECT_EQ(u.HWC_ConeBlack, 0);
  EXPECT_EQ(u.HWC_ConeBBias, 999);
  EXPECT_EQ(u.HWC_ConeTwist, -999);
  EXPECT_EQ(u.HWC_WedgeMin, 90);
}

TEST_F(UniverseSettingsTest, VisitListKeepsGalaxyNumbersOneToSixtySix) {
  std::string hundredTwenty;
  std::vector<std::string> firstHundred;
  for (int i = 0; i < 120; ++i) {
    hundredTwenty += std::to_string(i % 66 + 1) + " ";
    if (i < 100) firstHundred.push_back(std::to_string(i % 66));
  }
  const struct {
    std::string list;
    std::vector<std::string> entries;
  } cases[] = {
      {"1 24 11 21 42 44 52 51", {"0", "23", "10", "20", "41", "43", "51", "50"}},
      {"   0    67  abc     5   ", {"4"}},
      {"", {}},
      {"     ", {}},
      {"0.4 0.5 -3 67 66.6 1e2", {}},  // round below 1 or above 66
      {"0.6 66.4 2,4 66", {"0", "1", "65"}},     // 66.4 lies above 66 though it rounds to 66
      {"66.5 66.0001 65.6 1.5", {"65", "1"}},   // the value is tested before it is rounded
      {hundredTwenty, firstHundred},
  };
  for (const auto& c : cases) {
    engine::ParseGalaxyVisitList(c.list);
    EXPECT_EQ(VisitList(), c.entries) << '"' << c.list << '"';
  }
  // The stored list is parsed by the load.
  Store("Universe", "Universe_GS_Idx", " 3 x 9 ");
  engine::LoadUniverseSettings(false);
  EXPECT_EQ(VisitList(), (std::vector<std::string>{"2", "8"}));
}

TEST_F(UniverseSettingsTest, DisplayClampsAndScalesToRunTimeForms) {
  const struct {
    const char* name;
    const char* stored;
    float engine::UniverseSettings::*field;
    float runs;
  } singles[] = {
      {"Universe_Damping", "0.01", &engine::UniverseSettings::Universe_Damping, 0.995f},
      {"Universe_Damping", "1", &engine::UniverseSettings::Universe_Damping, 0.5f},
      {"Universe_Damping", "3", &engine::UniverseSettings::Universe_Damping, 0.5f},
      {"Universe_Damping", "-1", &engine::UniverseSettings::Universe_Damping, 1.0f},
      {"Universe_Expand", "3000", &engine::UniverseSettings::Universe_Expand, 3.0f},
      {"Universe_Expand", "500000", &engine::UniverseSettings::Universe_Expand, 99.999f},
      {"Universe_DstCen", "4000", &engine::UniverseSettings::Universe_DstCen, 40.0f},
      {"Universe_DstCen", "-5", &engine::UniverseSettings::Universe_DstCen, 0.0f},
      {"Universe_AmMaxExt", "600", &engine::UniverseSettings::Universe_AmMaxExt, 6.0f},
      {"Universe_AmMaxExt", "0.2", &engine::UniverseSettings::Universe_AmMaxExt, 0.01f},
      {"Universe_AmMaxExt", "1e30", &engine::UniverseSettings::Universe_AmMaxExt, 99.99f},
      {"Universe_GravForce", "1000", &engine::UniverseSettings::Universe_GravForce, 0.0001f},
      {"Universe_NewPctStEx", "85", &engine::UniverseSettings::Universe_NewPctStEx, 0.85f},
      {"Universe_NewPctStEx", "150", &engine::UniverseSettings::Universe_NewPctStEx, 1.0f},
      {"Universe_Persist", "0.1", &engine::UniverseSettings::Universe_Persist, 0.25f},
      {"Universe_AmCAge", "12", &engine::UniverseSettings::Universe_AmCAge, 10.0f},
  };
  for (const auto& c : singles) {
    Store("Universe", c.name, c.stored);
    engine::LoadUniverseSettings(false);
    engine::ApplyUniverseDisplayClamps();
    EXPECT_FLOAT_EQ(universeSettings().*c.field, c.runs) << c.name << " " << c.stored;
  }

  const struct {
    const char* name;
    const char* stored;
    int32_t engine::UniverseSettings::*field;
    int32_t runs;
  } longs[] = {
      {"Universe_Stars", "5", &engine::UniverseSettings::Universe_Stars, 10},
      {"Universe_Stars", "250000", &engine::UniverseSettings::Universe_Stars, 99999},
      {"Universe_Galaxy", "0", &engine::UniverseSettings::Universe_Galaxy, 1},
      {"Universe_ESteps", "10000", &engine::UniverseSettings::Universe_ESteps, 9999},
      {"Universe_Recycle", "-1", &engine::UniverseSettings::Universe_Recycle, 1},
      {"Universe_Profile", "52", &engine::UniverseSettings::Universe_Profile, 51},
      {"Universe_NewFreq", "-1", &engine::UniverseSettings::Universe_NewFreq, 0},
      {"Universe_GCCtrl", "1000", &engine::UniverseSettings::Universe_GCCtrl, 999},
      {"Universe_AmStar", "12000", &engine::UniverseSettings::Universe_AmStar, 9999},
      {"Universe_GravFrame", "0", &engine::UniverseSettings::Universe_GravFrame, 1},
  };
  for (const auto& c : longs) {
    Store("Universe", c.name, c.stored);
    engine::LoadUniverseSettings(false);
    engine::ApplyUniverseDisplayClamps();
    EXPECT_EQ(universeSettings().*c.field, c.runs) << c.name << " " << c.stored;
  }
}

TEST_F(UniverseSettingsTest, ReducedPreviewCountsAreClampedLikeAnyOther) {
  Store("Universe", "Universe_Stars", "15");
  Store("Universe", "Universe_AmStar", "3");
  engine::LoadUniverseSettings(true);
  EXPECT_EQ(universeSettings().Universe_Stars, 10);  // 9.75 rounds to 10
  EXPECT_EQ(universeSettings().Universe_AmStar, 2);  // 1.5 rounds to the even 2
  engine::ApplyUniverseDisplayClamps();
  EXPECT_EQ(universeSettings().UniverseStarTotal, 10);

  Store("Universe", "Universe_Stars", "7");
  engine::LoadUniverseSettings(true);
  engine::ApplyUniverseDisplayClamps();
  EXPECT_EQ(universeSettings().Universe_Stars, 10);
  EXPECT_EQ(universeSettings().UniverseStarTotal, 10);
}

}  // namespace
