#include "model/hue_ranges.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "model/galaxy_types.h"
#include "model/hue_wheel.h"
#include "store/registry_access.h"
#include "support/test_support.h"

namespace {

using model::hueRangeState;

constexpr int32_t Rgb(int32_t r, int32_t g, int32_t b) { return r + 256 * g + 65536 * b; }

struct HueRangeTest : ::testing::Test {
  testsupport::TempConfig config;
  void SetUp() override {
    model::ResetGalaxyRecords();
    model::hueWheelState() = model::HueWheelState{};  // default divisions
    hueRangeState() = model::HueRangeState{};
  }
};

struct RangeCase {
  const char* name;
  int32_t start, end;
  bool ramp;
  std::vector<std::pair<int32_t, int32_t>> entries;  // entry, colour
};

TEST_F(HueRangeTest, SequencesFadeFromWhiteThenStepAndDarken) {
  const RangeCase cases[] = {
      {"universe defaults",
       170,
       250,
       true,
       {{0, Rgb(255, 255, 255)},
        {1, Rgb(255, 243, 226)},
        {4, Rgb(255, 209, 141)},
        {7, Rgb(255, 174, 55)},
        {8, Rgb(255, 174, 55)},
        {9, Rgb(254, 174, 54)},
        {43, Rgb(233, 184, 50)},
        {79, Rgb(210, 189, 45)}}},
      {"type defaults", 140, 220, true, {{7, Rgb(255, 153, 55)}, {79, Rgb(210, 171, 45)}}},
      {"type defaults in degrees", 140, 220, false, {{7, Rgb(55, 255, 121)}, {79, Rgb(45, 102, 209)}}},
      {"backwards", 250, 170, true, {{8, Rgb(255, 231, 55)}, {79, Rgb(210, 143, 45)}}},
  };
  for (const auto& c : cases) {
    std::array<int32_t, 81> table{};
    model::BuildHueRangeTable(table, -1, c.start, c.end, c.ramp);
    for (const auto& [entry, colour] : c.entries) EXPECT_EQ(table[entry], colour) << c.name << " entry " << entry;
    EXPECT_EQ(table[80], 0) << c.name;
  }
}

TEST_F(HueRangeTest, NegativePositionsWrapRoundTheRamp) {
  std::array<int32_t, 81> wrapped{}, plain{};
  model::BuildHueRangeTable(wrapped, -1, -100, -20, true);
  model::BuildHueRangeTable(plain, -1, 924, 1004, true);
  EXPECT_EQ(wrapped, plain);
}

TEST_F(HueRangeTest, ColumnsAreInterleavedByType) {
  auto& table = hueRangeState().TypeHueRangeTable;
  model::BuildHueRangeTable(table, 3, 170, 250, true);
  std::array<int32_t, 81> single{};
  model::BuildHueRangeTable(single, -1, 170, 250, true);
  for (int i = 0; i < 80; ++i) ASSERT_EQ(table[model::HueRangeIndex(3, i)], single[i]) << i;
  for (int i = 0; i < 81; ++i) ASSERT_EQ(table[model::HueRangeIndex(2, i)], 0) << i;
  EXPECT_EQ(table[model::HueRangeIndex(3, 80)], 0);
}

TEST_F(HueRangeTest, WritesStayInsideTheTable) {
  std::array<int32_t, 12> small{};
  std::array<int32_t, 81> full{};
  model::BuildHueRangeTable(small, -1, 170, 250, true);
  model::BuildHueRangeTable(full, -1, 170, 250, true);
  EXPECT_TRUE(std::equal(small.begin(), small.end(), full.begin()));
  std::array<int32_t, 81> untouched{};
  model::BuildHueRangeTable(untouched, 51, 170, 250, true);
  model::BuildHueRangeTable(untouched, -2, 170, 250, true);
  EXPECT_EQ(untouched, (std::array<int32_t, 81>{}));
}

TEST_F(HueRangeTest, SetUniverseHueWheelReadsOnlyTheValuesGivenAsMinusOne) {
  model::records().GalaxyTypes[5].Galaxy_HWC_Start = 250;
  model::records().GalaxyTypes[5].Galaxy_HWC_End = 170;
  model::SetUniverseHueWheel(-1, -1);
  const auto& s = hueRangeState();
  EXPECT_EQ(s.UniverseHueRangeTable[79], Rgb(210, 189, 45));
  EXPECT_EQ(s.UniverseHueRangeTable[80], 0);
  EXPECT_EQ(s.TypeHueRangeTable[model::HueRangeIndex(0, 79)], Rgb(210, 171, 45));
  EXPECT_EQ(s.TypeHueRangeTable[model::HueRangeIndex(49, 7)], Rgb(255, 153, 55));
  EXPECT_EQ(s.TypeHueRangeTable[model::HueRangeIndex(5, 8)], Rgb(255, 231, 55));
  for (int i = 0; i < 81; ++i) ASSERT_EQ(s.TypeHueRangeTable[model::HueRangeIndex(50, i)], 0);

  ASSERT_TRUE(store::SaveRegSetting("Universe", "Universe_HW_Start", "100"));
  ASSERT_TRUE(store::SaveRegSetting("Universe", "Universe_HW_End", "10"));
  model::SetUniverseHueWheel(-1, 300);
  std::array<int32_t, 81> expected{};
  model::BuildHueRangeTable(expected, -1, 100, 300, true);
  EXPECT_EQ(s.UniverseHueRangeTable, expected);
}

}  // namespace
