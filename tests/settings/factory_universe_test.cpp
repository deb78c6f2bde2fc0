#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/galaxy_types.h"
#include "store/values.h"
#include "runtime/numbers.h"
#include "settings/factory_universe.h"

using namespace settings;

namespace {

class FactoryUniverse : public ::testing::Test {
 protected:
  void SetUp() override { model::ResetGalaxyRecords(); }
  void TearDown() override { model::ResetGalaxyRecords(); }
  static model::CompositeRecord& Composite(int c) {
    return model::records().CompositeGalaxies[static_cast<size_t>(c)];
  }
};

}  // namespace

TEST_F(FactoryUniverse, ThemeRowsHoldTwentyNineNumbersAndAnEmptyTourText) {
  for (int32_t n = 1; n <= 8; ++n) {
    const std::string row = FactoryUniverseRow(n);
    for (int32_t k = 0; k < 29; ++k) {
      EXPECT_TRUE(runtime::IsNumeric(store::GetCsvField(row, k))) << "theme " << n << " field " << k;
    }
    // The theme applier reads field 29 as the tour list: every theme empties it.
    EXPECT_EQ(store::GetCsvField(row, 29), "") << n;
    EXPECT_EQ(row.back(), ',') << n;
    EXPECT_FALSE(FactoryUniverseThemeName(n).empty()) << n;
  }
  EXPECT_EQ(FactoryUniverseThemeName(1), "Classical (14.3 Billion Years Ago...)");
  EXPECT_EQ(FactoryUniverseThemeName(8), "Galaxies in Motion:  Gravity On");
  EXPECT_EQ(store::GetCsvField(FactoryUniverseRow(3), 4), "0.9925");
  EXPECT_EQ(store::GetCsvField(FactoryUniverseRow(5), 5), "0.0125");
  EXPECT_EQ(store::GetCsvField(FactoryUniverseRow(8), 25), "125000");
  EXPECT_EQ(store::GetCsvField(FactoryUniverseRow(4), 17), "1");
  EXPECT_EQ(store::GetCsvField(FactoryUniverseRow(2), 28), "80");
  for (int32_t n : {0, 9, -1}) {
    EXPECT_EQ(FactoryUniverseRow(n), "") << n;
    EXPECT_EQ(FactoryUniverseThemeName(n), "") << n;
  }
  for (int32_t n : {0, 17}) EXPECT_EQ(FactoryCompositeRow(n), "") << n;
}

TEST_F(FactoryUniverse, FactoryComposites) {
  struct Case {
    const char* name;
    int32_t pct;
    std::vector<int32_t> members;
  } cases[] = {
      {"Nested Rings + Comet Core", 30, {48, 45, 46, 47}},
      {"Turbines + Nested Horns", 20, {2, 49}},
      {"Turbine + Shell + Spines", 15, {2, 38, 16}},
      {"Photon Fountain Cathedral", 10, {27, 36}},
      {"3-Cycle Splines in a Shell", 10, {26, 37}},
      {"Turbines and Starwaves", 10, {2, 35}},
      {"Starwaves in a Shell", 10, {35, 37}},
      {"Quasar in Nested Spheres", 10, {30, 19}},
      {"Gravity Cell in Spheres", 5, {31, 19}},
      {"IFS Spines in a Shell", 10, {16, 37}},
      {"Comet Bursts in Spheres", 10, {24, 7}},
      {"Crescents and Comets", 10, {24, 23}},
      {"Gold Galaxy in a Shell", 10, {17, 38}},
      {"Quasar and Gravity Cell", 5, {29, 31}},
      {"Hyperbolic Lattice", 15, {37, 38}},
      {"Multiple Gravity Cells", 5, {32, 31}},
  };
  LoadFactoryComposites();
  int32_t sum = 0;
  for (int c = 0; c < 16; ++c) {
    SCOPED_TRACE("composite " + std::to_string(c));
    const model::CompositeRecord& r = Composite(c);
    EXPECT_EQ(r._CompGalName, cases[c].name);
    EXPECT_EQ(r._CompGalPct, cases[c].pct);
    ASSERT_EQ(r.CompGal_Count, static_cast<int32_t>(cases[c].members.size()));
    for (size_t k = 0; k < cases[c].members.size(); ++k) {
      EXPECT_EQ(r.CompGal_Type[k], cases[c].members[k]);
    }
    // The row ends behind its last member.
    EXPECT_EQ(store::GetCsvField(FactoryCompositeRow(c + 1), 3 + r.CompGal_Count), "");
    sum += r._CompGalPct;
  }
  EXPECT_EQ(sum, 185);
}

TEST_F(FactoryUniverse, SlotsBeyondTheCountKeepTheirContents) {
  model::CompositeRecord& r = Composite(1);
  r.CompGal_Count = 4;
  r.CompGal_Type = {};
  r.CompGal_Type[0] = 5;
  r.CompGal_Type[1] = 6;
  r.CompGal_Type[2] = 7;
  r.CompGal_Type[3] = 8;
  r.CompGal_CumWeight[0] = 3;
  r.CompGal_CumWeight[3] = 9;
  LoadFactoryComposites();
  EXPECT_EQ(r.CompGal_Count, 2);
  EXPECT_EQ(r.CompGal_Type[0], 2);
  EXPECT_EQ(r.CompGal_Type[1], 49);
  EXPECT_EQ(r.CompGal_Type[2], 7);
  EXPECT_EQ(r.CompGal_Type[3], 8);
  EXPECT_EQ(r.CompGal_CumWeight[0], 3);
  EXPECT_EQ(r.CompGal_CumWeight[3], 9);
}
