#include <gtest/gtest.h>

#include <string>

#include "model/galaxy_types.h"
#include "store/values.h"
#include "runtime/numbers.h"
#include "settings/factory_galaxies.h"
#include "settings/factory_universe.h"

using namespace settings;

namespace {

class FactoryGalaxies : public ::testing::Test {
 protected:
  void SetUp() override {
    model::ResetGalaxyRecords();
    factoryGalaxies() = FactoryGalaxyState{};
  }
  void TearDown() override {
    model::ResetGalaxyRecords();
    factoryGalaxies() = FactoryGalaxyState{};
  }
  static model::GalaxyTypeProps& Type(int n) {
    return model::records().GalaxyTypes[static_cast<size_t>(n)];
  }
};

int CountCommas(const std::string& row) {
  int commas = 0;
  for (char ch : row) commas += ch == ',' ? 1 : 0;
  return commas;
}

}  // namespace

TEST_F(FactoryGalaxies, EveryRowHasItsFieldCountAndOnlyNumbers) {
  for (int32_t n = 1; n <= 50; ++n) {
    const std::string row = FactoryGalaxyRow(n);
    const int32_t style = runtime::ToLongOr(runtime::Val(store::GetCsvField(row, 3)), -1);
    const int32_t count = runtime::ToLongOr(runtime::Val(store::GetCsvField(row, 68)), -1);
    const bool withBlock = style == 8 || style == 9;
    EXPECT_EQ(count == 0, !withBlock) << "row " << n;
    const int32_t fields = withBlock ? 72 + 7 * count : 69;
    // Each value is followed by a comma, so the field behind the last comma is empty.
    EXPECT_EQ(CountCommas(row), fields) << "row " << n;
    EXPECT_EQ(store::GetCsvField(row, fields), "") << "row " << n;
    for (int32_t k = 0; k < fields; ++k) {
      EXPECT_TRUE(runtime::IsNumeric(store::GetCsvField(row, k))) << "row " << n << " field " << k;
    }
    for (int32_t k : {32, 33, 34, 65, 66, 67}) {
      EXPECT_EQ(store::GetCsvField(row, k), "0") << "row " << n << " field " << k;
    }
  }
  for (int32_t n : {0, 51, -1}) EXPECT_EQ(FactoryGalaxyRow(n), "") << n;
}

TEST_F(FactoryGalaxies, NamesAndWeights) {
  InitGalaxyStyleNames();
  const FactoryGalaxyState& s = factoryGalaxies();
  ASSERT_EQ(s.GalaxyStyleNames.size(), 50u);
  ASSERT_EQ(s.GalaxyStylePcts.size(), 50u);
  EXPECT_EQ(s.GalaxyStyleNames[0], "Standard Galaxy");
  EXPECT_EQ(s.GalaxyStyleNames[13], "Fractal:  Tetrahedron");  // double blank kept
  EXPECT_EQ(s.GalaxyStyleNames[35], "Starwave:  Hyperbolic / Disks");
  EXPECT_EQ(s.GalaxyStyleNames[49], "Nested Horns");
  int32_t sum = 0;
  for (int32_t w : s.GalaxyStylePcts) sum += w;
  EXPECT_EQ(sum, 432);
  for (const std::string& name : s.GalaxyStyleNames) {
    // Galaxy type names never hold the separators of the storage formats.
    EXPECT_EQ(name.find_first_of("[],="), std::string::npos) << name;
  }
}

TEST_F(FactoryGalaxies, DefaultsGiveTheLookOfEveryType) {
  struct Compact {
    int row, style, axis, colorComp, profile, radius, rotation, distance, segs;
    float fill;
    int bands;
    float bandFill, ghw, radiusExp, heightExp;
    int hueStart, levels, cpPoints, cpSteps;
  } rows[] = {
      {1, 0, 0, 3, 0, 300, 500, 400, 1, 100.0f, 1, 100.0f, 0.3f, 1.15f, 2.0f, 240, 1, 10, 200},
      {2, 0, 0, 3, 4, 400, 2500, 450, 1, 100.0f, 8, 0.0f, 0.75f, 1.0f, 1.2f, 120, 1, 10, 200},
      {3, 0, 0, 3, 5, 1000, 250, 1500, 12, 0.0f, 1, 100.0f, 0.4f, 0.5f, 1.0f, 200, 1, 10, 200},
      {4, 0, 0, 3, 0, 800, 1500, 1000, 7, 15.0f, 1, 100.0f, 0.3f, 1.0f, 0.4f, 230, 1, 10, 200},
      {5, 0, 0, 3, 5, 1500, 1000, 5000, 7, 0.0f, 1, 100.0f, 2.0f, 1.0f, 0.0f, 240, 4, 10, 200},
      {6, 0, 0, 3, 1, 300, 3000, 350, 5, 15.0f, 1, 100.0f, 0.2f, 1.15f, 0.15f, 10, 1, 10, 200},
      {7, 0, 0, 3, 2, 100, 3000, 1000, 1, 100.0f, 1, 100.0f, 6.0f, 0.02f, 0.4f, 90, 8, 10, 200},
      {8, 0, 0, 2, 2, 250, 4000, 1750, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 0.0f, 240, 5, 10, 200},
      {9, 0, 0, 3, 2, 250, 400, 500, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 1.0f, 120, 1, 10, 200},
      {10, 0, 0, 3, 4, 250, 6000, 400, 1, 100.0f, 1, 100.0f, 0.7f, 1.0f, 0.0f, 210, 1, 10, 200},
      {11, 0, 0, 3, 3, 250, 100, 400, 12, 40.0f, 1, 100.0f, 2.0f, 3.0f, 3.0f, 180, 1, 10, 200},
      {12, 0, 0, 3, 0, 300, 6000, 2500, 12, 0.0f, 1, 100.0f, 0.1f, 1.0f, 0.0f, 225, 8, 10, 200},
      {13, 0, 0, 3, 4, 300, 100, 2500, 12, 0.0f, 1, 100.0f, 7.0f, 0.5f, 0.75f, 200, 8, 10, 200},
      {14, 3, 0, 3, 0, 1500, 500, 2500, 4, 50.0f, 1, 100.0f, 1.0f, 0.2f, 0.0f, 240, 1, 10, 200},
      {15, 3, 0, 3, 0, 1200, 1000, 1750, 7, 66.0f, 1, 100.0f, 1.0f, 0.2f, 0.0f, 30, 1, 10, 200},
      {16, 3, 0, 3, 2, 8000, 1000, 1800, 6, 1.0f, 1, 100.0f, 1.0f, 0.2f, 0.1f, 0, 1, 10, 200},
      {17, 1, 0, 3, 2, 250, 400, 350, 99, 99.0f, 120, 0.0f, 1.0f, 1.0f, 1.0f, 240, 1, 10, 200},
      {18, 1, 0, 3, 4, 500, 1250, 600, 40, 93.0f, 5, 0.0f, 1.0f, 1.0f, 0.0f, 15, 1, 10, 200},
      {19, 1, 1, 3, 0, 100, 1600, 125, 99, 99.0f, 121, 0.0f, 0.5f, 1.0f, 0.0f, 230, 1, 10, 200},
      {20, 1, 0, 3, 2, 8000, 250, 12000, 5, 60.0f, 0, 0.0f, 1.0f, 0.25f, 0.0f, 180, 1, 10, 200},
      {21, 2, 0, 3, 2, 500, 600, 750, 6, 50.0f, 2, 100.0f, 1.0f, 1.0f, 1.0f, 150, 1, 10, 200},
      {22, 2, 0, 3, 2, 1000, 800, 2000, 10, 25.0f, 2, 100.0f, 1.0f, 1.0f, 1.0f, 200, 1, 10, 200},
      {23, 4, 1, 5, 0, 300, 50, 300, 10, 750.0f, 1, 100.0f, 1.0f, 0.5f, 0.25f, 270, 1, 10, 750},
      {24, 4, 0, 5, 0, 100, 0, 125, 8, 100.0f, 7, 10.0f, 0.75f, 0.0f, 5.0f, 230, 1, 8, 150},
      {25, 4, 0, 5, 0, 60, 0, 100, 10, 100.0f, 7, 0.0f, 1.0f, 0.2f, 2.5f, 200, 1, 10, 125},
      // The height exponent of row 26 is 400 in the row and 99.9 after the clamp.
      {26, 4, 0, 5, 0, 30, 0, 120, 5, 300.0f, 5, 0.0f, 1.0f, 0.0f, 99.9f, 165, 1, 5, 200},
      {27, 4, 0, 5, 0, 10, 0, 75, 3, 100.0f, 3, 0.0f, 1.0f, 0.0f, 99.0f, 300, 1, 20, 1250},
      {28, 4, 0, 5, 0, 25, 0, 75, 2, 32.0f, 1, 30.0f, 1.0f, 0.0f, 40.0f, 120, 1, 12, 2000},
      {29, 4, 0, 5, 0, 200, 1000, 1000, 7, 200.0f, 50, 0.0f, 1.0f, 1.5f, 50.0f, 0, 1, 7, 200},
      {30, 5, 0, 3, 6, 10, 50, 100, 8, 50.0f, 1, 100.0f, 4.0f, 2.0f, 2.0f, 240, 1, 10, 200},
      {31, 5, 0, 3, 2, 3, 500, 200, 6, 0.0f, 1, 100.0f, 0.25f, 0.5f, 0.0f, 240, 1, 10, 200},
      {32, 6, 0, 4, 4, 200, 250, 500, 12, 0.0f, 16, 0.0f, 1.0f, 1.0f, 0.0f, 240, 1, 10, 200},
      {33, 6, 0, 3, 2, 225, 2, 500, 16, 0.0f, 1, 100.0f, 1.0f, 0.2f, 0.0f, 0, 1, 10, 200},
      {34, 7, 0, 3, 0, 60, 0, 300, 1, 100.0f, 2, 50.0f, 3.0f, 1.5f, 1.0f, 0, 1, 10, 200},
      {35, 7, 0, 3, 0, 50, 250, 225, 12, 10.0f, 2, 100.0f, 3.5f, 2.0f, 0.1f, 90, 1, 10, 200},
      {36, 7, 0, 3, 0, 50, 1250, 250, 7, 50.0f, 4, 80.0f, 2.0f, 0.4f, 0.1f, 300, 1, 10, 200},
      {37, 0, 0, 3, 2, 1000, 150, 3200, 16, 0.0f, 1, 100.0f, 3.0f, 1.0f, 0.1f, 165, 1, 10, 200},
      {38, 0, 0, 3, 4, 1250, 250, 1800, 1, 100.0f, 60, 0.0f, 2.0f, 1.0f, 0.0f, 270, 1, 10, 200},
      {39, 0, 0, 3, 4, 1250, 250, 1800, 40, 0.0f, 1, 100.0f, 2.0f, 1.0f, 0.0f, 330, 1, 10, 200},
      {40, 8, 0, 3, 0, 300, 1500, 400, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 0.02f, 120, 1, 10, 200},
      {41, 8, 0, 3, 0, 350, 750, 400, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 0.02f, 240, 1, 10, 200},
      {42, 8, 0, 3, 0, 600, 1200, 1500, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 0.02f, 0, 1, 10, 200},
      {43, 9, 0, 6, 0, 2000, 1000, 2500, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 1.0f, 0, 1, 10, 200},
      {44, 9, 0, 6, 0, 1200, 500, 1600, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 1.0f, 0, 1, 10, 200},
      {45, 9, 1, 6, 0, 1000, 500, 2000, 1, 100.0f, 1, 100.0f, 1.0f, 1.0f, 1.0f, 0, 1, 10, 200},
      {46, 0, 0, 3, 2, 600, 20000, 2500, 1, 100.0f, 1, 100.0f, 0.25f, 0.05f, 1.0f, 240, 6, 10, 200},
      {47, 0, 1, 3, 2, 750, 18000, 2500, 1, 100.0f, 1, 100.0f, 0.25f, 0.05f, 1.0f, 240, 6, 10, 200},
      {48, 0, 0, 3, 2, 300, 8000, 600, 1, 100.0f, 1, 100.0f, 1.0f, 0.25f, 0.0f, 180, 1, 10, 200},
      {49, 0, 0, 3, 2, 100, 3000, 3250, 1, 100.0f, 1, 100.0f, 1.0f, 1.25f, 1.25f, 0, 1, 10, 200},
      {50, 0, 0, 3, 6, 400, 100, 1600, 24, 0.0f, 1, 100.0f, 2.5f, 0.5f, 0.0f, 270, 4, 10, 200},
  };
  LoadFactoryDefaults();
  for (const Compact& c : rows) {
    SCOPED_TRACE("row " + std::to_string(c.row));
    const model::GalaxyTypeProps& g = Type(c.row - 1);
    EXPECT_EQ(g._UniGalName, factoryGalaxies().GalaxyStyleNames[static_cast<size_t>(c.row - 1)]);
    EXPECT_EQ(g.Galaxy_GalStyle, c.style);
    EXPECT_EQ(g.Galaxy_AxisPlane, c.axis);
    EXPECT_EQ(g.Galaxy_ColorComp, c.colorComp);
    EXPECT_EQ(g.Galaxy_Profile, c.profile);
    EXPECT_EQ(g.Galaxy_Radius, c.radius);
    EXPECT_EQ(g.Galaxy_Rotation, c.rotation);
    EXPECT_EQ(g.Galaxy_Distance, c.distance);
    EXPECT_EQ(g.Galaxy_RadSegs, c.segs);
    EXPECT_EQ(g.Galaxy_RadFill, c.fill);
    EXPECT_EQ(g.Galaxy_RadBands, c.bands);
    EXPECT_EQ(g.Galaxy_RadBFill, c.bandFill);
    EXPECT_EQ(g.Galaxy_GHW_Ratio, c.ghw);
    EXPECT_EQ(g.Galaxy_RadiusExp, c.radiusExp);
    EXPECT_EQ(g.Galaxy_HeightExp, c.heightExp);
    EXPECT_EQ(g.Galaxy_HueStart, c.hueStart);
    EXPECT_EQ(g.Galaxy_StdLevels, c.levels);
    EXPECT_EQ(g.Galaxy_CP_Points, c.cpPoints);
    EXPECT_EQ(g.Galaxy_CP_Steps, c.cpSteps);
  }
}

TEST_F(FactoryGalaxies, DefaultsWeightTheUniverseMix) {
  LoadFactoryDefaults();
  int32_t sum = 0;
  for (int n = 0; n < 50; ++n) {
    sum += Type(n)._UniGalPct;
    if (n == 45 || n == 46) {
      EXPECT_EQ(Type(n)._UniGalPct, 0) << n;  // only members of a composite
    } else {
      EXPECT_GE(Type(n)._UniGalPct, 2) << n;
    }
  }
  EXPECT_EQ(sum, 432);
  EXPECT_EQ(model::records().CompositeGalaxies[0]._CompGalName, "Nested Rings + Comet Core");
}

TEST_F(FactoryGalaxies, EveryColumnReachesItsFieldWithinTheClamps) {
  using G = model::GalaxyTypeProps;
  struct LongColumn {
    int column;
    int32_t G::*field;
  } longs[] = {
      {0, &G::Galaxy_Radius},        {1, &G::Galaxy_Rotation},     {2, &G::Galaxy_Distance},
      {3, &G::Galaxy_GalStyle},      {4, &G::Galaxy_AxisPlane},    {5, &G::Galaxy_RadSegs},
      {7, &G::Galaxy_RadBands},      {9, &G::Galaxy_ColorMult},    {15, &G::Galaxy_HueStart},
      {17, &G::Galaxy_ColorComp},    {18, &G::Galaxy_Profile},     {19, &G::Galaxy_NewFreq},
      {20, &G::Galaxy_NewFrames},    {21, &G::Galaxy_NewExtMult},  {22, &G::Galaxy_NovaFreq},
      {23, &G::Galaxy_NovaFrames},   {24, &G::Galaxy_NovaExtMult}, {25, &G::Galaxy_PulsarFreq},
      {26, &G::Galaxy_PulsarDepth},  {27, &G::Galaxy_PulsarCycles}, {28, &G::Galaxy_PulsarFrames},
      {29, &G::Galaxy_PulsarMinExt}, {30, &G::Galaxy_PulsarMaxExt}, {31, &G::Galaxy_PulsarShape},
      {35, &G::Galaxy_CometFreq},    {36, &G::Galaxy_CometStars},  {37, &G::Galaxy_CometOrbit},
      {38, &G::Galaxy_CometSpeed},   {39, &G::Galaxy_CometSWind},  {43, &G::Galaxy_HWC_Start},
      {44, &G::Galaxy_HWC_End},      {46, &G::Galaxy_HueRed},      {47, &G::Galaxy_HueGrn},
      {48, &G::Galaxy_HueBlu},       {49, &G::Galaxy_HueBase},     {50, &G::Galaxy_DX_Blend},
      {51, &G::Galaxy_CP_Points},    {52, &G::Galaxy_CP_Steps},    {53, &G::Galaxy_CP_B_Pts},
      {54, &G::Galaxy_CP_B_Exp},     {55, &G::Galaxy_CP_B_Spd},    {56, &G::Galaxy_CP_Close},
      {57, &G::Galaxy_CP_AdvHW},     {59, &G::Galaxy_StdLevels},
  };
  struct SingleColumn {
    int column;
    float G::*field;
  } singles[] = {
      {6, &G::Galaxy_RadFill},         {8, &G::Galaxy_RadBFill},    {10, &G::Galaxy_GHW_Ratio},
      {11, &G::Galaxy_RadiusExp},      {12, &G::Galaxy_HeightExp},  {13, &G::Galaxy_AngleTilt},
      {14, &G::Galaxy_AngleTInc},      {16, &G::Galaxy_HWheelInc},  {40, &G::Galaxy_CometCPersist},
      {41, &G::Galaxy_CometSPersist},  {45, &G::Galaxy_HWC_Inc},    {58, &G::Galaxy_QG_Force},
  };
  for (int n = 0; n < 50; ++n) {
    LoadFactoryGalaxy(n);
    const std::string row = FactoryGalaxyRow(n + 1);
    const G& g = Type(n);
    for (const LongColumn& c : longs) {
      EXPECT_EQ(g.*c.field, runtime::ToLongOr(runtime::Val(store::GetCsvField(row, c.column)), -1))
          << "row " << n + 1 << " column " << c.column;
    }
    for (const SingleColumn& c : singles) {
      float expected = static_cast<float>(runtime::Val(store::GetCsvField(row, c.column)));
      if (n + 1 == 26 && c.column == 12) {
        EXPECT_EQ(expected, 400.0f);
        expected = 99.9f;  // the one factory value beyond its bound
      }
      EXPECT_EQ(g.*c.field, expected) << "row " << n + 1 << " column " << c.column;
    }
  }
}

TEST_F(FactoryGalaxies, FirstRowInFull) {
  LoadFactoryGalaxy(0);
  const model::GalaxyTypeProps& g = Type(0);
  EXPECT_EQ(g._UniGalName, "Standard Galaxy");  // names filled on first use
  EXPECT_EQ(g._UniGalPct, 30);
  EXPECT_EQ(g.Galaxy_Radius, 300);
  EXPECT_EQ(g.Galaxy_Rotation, 500);
  EXPECT_EQ(g.Galaxy_Distance, 400);
  EXPECT_EQ(g.Galaxy_GalStyle, 0);
  EXPECT_EQ(g.Galaxy_HueStart, 240);
  EXPECT_EQ(g.Galaxy_ColorMult, 1800);
  EXPECT_EQ(g.Galaxy_HWheelInc, 0.005f);
  EXPECT_EQ(g.Galaxy_PulsarMinExt, 2000);
  EXPECT_EQ(g.Galaxy_PulsarMaxExt, 20);
  EXPECT_EQ(g.Galaxy_PulsarShape, 4);
  EXPECT_EQ(g.Galaxy_CometCPersist, 0.9975f);
  EXPECT_EQ(g.Galaxy_CometSPersist, 0.95f);
  EXPECT_FALSE(g.Galaxy_CometVector);
  EXPECT_EQ(g.Galaxy_HWC_Start, 140);
  EXPECT_EQ(g.Galaxy_HWC_End, 220);
  EXPECT_EQ(g.Galaxy_DX_Blend, 80);
  EXPECT_EQ(g.Galaxy_CP_Close, 1);
  EXPECT_EQ(g.Galaxy_QG_Force, 0.0f);
  // Row 17 is the one with vector comets; row 30 has a gravity force.
  LoadFactoryGalaxy(16);
  EXPECT_TRUE(Type(16).Galaxy_CometVector);
  EXPECT_EQ(Type(16).Galaxy_HWheelInc, 358.0f);
  LoadFactoryGalaxy(29);
  EXPECT_EQ(Type(29).Galaxy_QG_Force, 5.0f);
}

TEST_F(FactoryGalaxies, LevelSettingsOnlyForStackedGalaxies) {
  for (int n : {0, 7}) {
    Type(n).Galaxy_StdLevDRad = 11;
    Type(n).Galaxy_StdLevHSca = 12.5f;
    Type(n).Galaxy_StdLevB_HS = 13;
    Type(n).Galaxy_StdLevB_A0 = 14;
    Type(n).Galaxy_StdLevB_A1 = 15;
    LoadFactoryGalaxy(n);
  }
  // One level: the five values stay as they were.
  EXPECT_EQ(Type(0).Galaxy_StdLevels, 1);
  EXPECT_EQ(Type(0).Galaxy_StdLevDRad, 11);
  EXPECT_EQ(Type(0).Galaxy_StdLevHSca, 12.5f);
  EXPECT_EQ(Type(0).Galaxy_StdLevB_A1, 15);
  // Five levels: they come from the row.
  EXPECT_EQ(Type(7).Galaxy_StdLevels, 5);
  EXPECT_EQ(Type(7).Galaxy_StdLevDRad, 250);
  EXPECT_EQ(Type(7).Galaxy_StdLevHSca, 3.0f);
  EXPECT_EQ(Type(7).Galaxy_StdLevB_HS, 0);
  EXPECT_EQ(Type(7).Galaxy_StdLevB_A0, 0);
  EXPECT_EQ(Type(7).Galaxy_StdLevB_A1, 0);
}

TEST_F(FactoryGalaxies, PlainStyleEmptiesBothBlocks) {
  Type(3).Ifs.Galaxy_IFS_Points = 4;
  Type(3).Atoms.Galaxy_Atoms = 7;
  LoadFactoryGalaxy(3);
  EXPECT_EQ(Type(3).Ifs.Galaxy_IFS_Points, 0);
  EXPECT_EQ(Type(3).Atoms.Galaxy_Atoms, 0);
  // An IFS row leaves no atoms behind, and a molecule row no IFS points.
  Type(40).Atoms.Galaxy_Atoms = 3;
  Type(42).Ifs.Galaxy_IFS_Points = 2;
  LoadFactoryGalaxy(40);
  LoadFactoryGalaxy(42);
  EXPECT_EQ(Type(40).Atoms.Galaxy_Atoms, 0);
  EXPECT_EQ(Type(42).Ifs.Galaxy_IFS_Points, 0);
}

TEST_F(FactoryGalaxies, IfsPointsOfTwistedBranches) {
  LoadFactoryGalaxy(40);
  const model::IfsBlock& ifs = Type(40).Ifs;
  ASSERT_EQ(ifs.Galaxy_IFS_Points, 5);
  EXPECT_EQ(ifs.IFS_CenterX, 200);
  EXPECT_EQ(ifs.IFS_CenterY, 300);
  EXPECT_EQ(ifs.IFS_CenterZ, 300);
  // Loc X, Y, Z, scale, axis, angle, weight.
  const int32_t points[5][7] = {{1000, 0, 0, 50, 0, 90, 1},
                                {0, 1000, 0, 50, 1, 90, 1},
                                {0, 0, 1000, 50, 2, 90, 1},
                                {1000, 0, 0, 33, 0, 60, 1},
                                {0, 0, 0, 0, 0, 0, 0}};
  for (size_t k = 0; k < 5; ++k) {
    SCOPED_TRACE("point " + std::to_string(k));
    EXPECT_EQ(ifs.IfsX[k], points[k][0]);
    EXPECT_EQ(ifs.IfsY[k], points[k][1]);
    EXPECT_EQ(ifs.IfsZ[k], points[k][2]);
    EXPECT_EQ(ifs.IfsScale[k], points[k][3]);
    EXPECT_EQ(ifs.IfsAxis[k], points[k][4]);
    EXPECT_EQ(ifs.IfsAngle[k], points[k][5]);
    EXPECT_EQ(ifs.IfsPct[k], points[k][6]);
  }
}

TEST_F(FactoryGalaxies, AtomsWithTheirPositionCounts) {
  LoadFactoryGalaxy(42);
  const model::AtomBlock& cubic = Type(42).Atoms;
  ASSERT_EQ(cubic.Galaxy_Atoms, 3);
  const int32_t edges[3] = {13, 7, 3};  // points per edge of the cube structures
  const int32_t elements[3] = {8, 6, 1};
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(cubic.AtomElement[k], elements[k]);
    EXPECT_EQ(cubic.AtomType[k], 8);
    EXPECT_EQ(cubic.AtomX[k], edges[k]);
    EXPECT_EQ(cubic.AtomPoints[k], 1);
  }
  EXPECT_EQ(cubic.AtomRadius[2], 30);
  EXPECT_EQ(cubic.AtomExtra[2], 200);

  LoadFactoryGalaxy(43);
  const model::AtomBlock& shells = Type(43).Atoms;
  ASSERT_EQ(shells.Galaxy_Atoms, 6);
  for (size_t k = 0; k < 6; ++k) EXPECT_EQ(shells.AtomPoints[k], k < 3 ? 38 : 26) << k;
  EXPECT_EQ(shells.AtomElement[1], 11);
  EXPECT_EQ(shells.AtomRadius[0], 80);
  EXPECT_EQ(shells.AtomExtra[5], 250);

  LoadFactoryGalaxy(44);
  const model::AtomBlock& star = Type(44).Atoms;
  ASSERT_EQ(star.Galaxy_Atoms, 10);
  EXPECT_EQ(star.AtomElement[9], 9);
  EXPECT_EQ(star.AtomPoints[0], 18);
  EXPECT_EQ(star.AtomPoints[9], 38);
  EXPECT_EQ(star.AtomExtra[9], 1250);
}

TEST_F(FactoryGalaxies, IndexOutsideTheTypesChangesNothing) {
  const model::GalaxyTypeProps before0 = Type(0);
  const model::GalaxyTypeProps before49 = Type(49);
  LoadFactoryGalaxy(-1);
  LoadFactoryGalaxy(50);
  LoadFactoryGalaxy(65);
  EXPECT_EQ(Type(0)._UniGalName, before0._UniGalName);
  EXPECT_EQ(Type(49)._UniGalName, before49._UniGalName);
  EXPECT_EQ(Type(49).Galaxy_Radius, before49.Galaxy_Radius);
  EXPECT_EQ(Type(50)._UniGalName, model::DefaultGalaxyType(50)._UniGalName);
}

// A row whose count column asks for more points or atoms than a block holds fills the block
// and counts no more; a row of another style empties both blocks.
TEST_F(FactoryGalaxies, PointsAndAtomsReaderKeepsToTheBlocks) {
  struct Case {
    int32_t style, count;
    int32_t points, atoms;
  } cases[] = {{8, 7, 5, 0}, {9, 40, 0, 32}, {8, 2, 2, 0}, {0, 5, 0, 0}, {9, 0, 0, 0}};
  for (const Case& k : cases) {
    std::string row;
    for (int col = 0; col < 68; ++col) row += "0, ";
    row += std::to_string(k.count) + ", 1, 2, 3";
    for (int v = 0; v < 7 * 40; ++v) row += ", " + std::to_string(v % 7 == 1 ? 3 : 10 + v);
    row += ",";
    model::GalaxyTypeProps g;
    g.Ifs.Galaxy_IFS_Points = 4;
    g.Atoms.Galaxy_Atoms = 4;
    LoadFactoryPointsAndAtoms(g, row, k.style);
    EXPECT_EQ(g.Ifs.Galaxy_IFS_Points, k.points) << k.style << " " << k.count;
    EXPECT_EQ(g.Atoms.Galaxy_Atoms, k.atoms) << k.style << " " << k.count;
    if (k.points > 0) {
      EXPECT_EQ(g.Ifs.IFS_CenterZ, 3);
      EXPECT_EQ(g.Ifs.IfsX[static_cast<size_t>(k.points - 1)], 10 + 7 * (k.points - 1));
    }
    if (k.atoms > 0) {
      EXPECT_EQ(g.Atoms.Atom_CenterY, 2);
      EXPECT_EQ(g.Atoms.AtomExtra[31], 10 + 7 * 31 + 6);
      EXPECT_EQ(g.Atoms.AtomPoints[31], model::AtomPointsOfType(3).value_or(-1));
    }
  }
}
