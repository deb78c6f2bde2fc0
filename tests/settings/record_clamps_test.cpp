#include "settings/record_clamps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/galaxy_types.h"

namespace {

class RecordClampsTest : public ::testing::Test {
 protected:
  void SetUp() override { model::ResetGalaxyRecords(); }
  model::GalaxyTypeProps& rec() { return model::records().GalaxyTypes[4]; }
  model::CompositeRecord& comp() { return model::records().CompositeGalaxies[2]; }
};

// The style-dependent bounds, style by style: each field is pushed below and above its range.
TEST_F(RecordClampsTest, StyleSelectsBoundsOfTheFourStyleFields) {
  struct Bounds {
    int32_t segsMin, segsMax, fillMax, bandsMin, bandsMax, bandFillMax;
  };
  const Bounds expected[10] = {
      {1, 99, 100, 1, 99, 100},  {1, 99, 100, 0, 360, 100}, {4, 10, 100, 1, 99, 100}, {4, 10, 100, 0, 100, 100},
      {1, 20, 9999, 1, 99, 100}, {1, 99, 100, 1, 99, 100},  {1, 99, 100, 1, 99, 100}, {1, 99, 100, 1, 99, 999},
      {1, 99, 100, 1, 99, 100},  {1, 99, 100, 1, 99, 100},
  };
  for (int32_t style = 0; style < 10; ++style) {
    const Bounds& b = expected[style];
    rec().Galaxy_GalStyle = style;
    rec().Galaxy_RadSegs = -5;
    rec().Galaxy_RadFill = -5.0f;
    rec().Galaxy_RadBands = -5;
    rec().Galaxy_RadBFill = -5.0f;
    settings::ClampGalaxyRecord(4);
    EXPECT_EQ(rec().Galaxy_RadSegs, b.segsMin) << style;
    EXPECT_EQ(rec().Galaxy_RadFill, 0.0f) << style;
    EXPECT_EQ(rec().Galaxy_RadBands, b.bandsMin) << style;
    EXPECT_EQ(rec().Galaxy_RadBFill, 0.0f) << style;

    rec().Galaxy_RadSegs = 100000;
    rec().Galaxy_RadFill = 100000.0f;
    rec().Galaxy_RadBands = 100000;
    rec().Galaxy_RadBFill = 100000.0f;
    settings::ClampGalaxyRecord(4);
    EXPECT_EQ(rec().Galaxy_RadSegs, b.segsMax) << style;
    EXPECT_EQ(rec().Galaxy_RadFill, static_cast<float>(b.fillMax)) << style;
    EXPECT_EQ(rec().Galaxy_RadBands, b.bandsMax) << style;
    EXPECT_EQ(rec().Galaxy_RadBFill, static_cast<float>(b.bandFillMax)) << style;
  }
}

TEST_F(RecordClampsTest, StyleAndFillPercents) {
  struct Case {
    int32_t style;
    float fill;
    int32_t storedStyle;
    float storedFill;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {0, 12.5f, 0, 12.0f},   // halves go to the even neighbour
      {0, 13.5f, 0, 14.0f},
      {4, 250.0f, 4, 250.0f},
      {0, 250.0f, 0, 100.0f},
      {12, 250.0f, 9, 100.0f},   // style beyond 9 is stored as 9
      {-3, 50.4f, 0, 50.0f},
      {0, 1e30f, 0, 100.0f},     // far beyond any whole 32-bit number
      {0, -1e30f, 0, 0.0f},
      {0, nan, 0, 0.0f},
  };
  for (const Case& c : cases) {
    rec().Galaxy_GalStyle = c.style;
    rec().Galaxy_RadFill = c.fill;
    settings::ClampGalaxyRecord(4);
    EXPECT_EQ(rec().Galaxy_GalStyle, c.storedStyle) << c.style << " " << c.fill;
    EXPECT_EQ(rec().Galaxy_RadFill, c.storedFill) << c.style << " " << c.fill;
  }
}

TEST_F(RecordClampsTest, FixedBoundsAndRunTimeValues) {
  auto& g = rec();
  g._UniGalPct = 10000;
  g.Galaxy_Radius = 0;
  g.Galaxy_Rotation = -1;
  g.Galaxy_HueRed = 101;
  g.Galaxy_CometSPersist = 1.0f;
  g.Galaxy_CometCPersist = 0.0f;
  g.Galaxy_HWC_Inc = 2.0f;
  g.Galaxy_GHW_Ratio = 100.0f;
  g.Galaxy_HWheelInc = -0.5f;
  g.Galaxy_HueStart = 360;
  g.Galaxy_NovaFrames = 0;
  g.Galaxy_CP_Points = 21;
  g.Galaxy_CP_B_Pts = 0;
  g.Galaxy_StdLevels = 11;
  g.Galaxy_StdLevDRad = -70;  // not clamped
  g.Galaxy_StdLevHSca = 500.0f;
  g._UniGalName = "kept";
  g.RibbonPhase = 1.5f;
  g.OrbitAngle = 2.5f;
  g.SpinAngle = 3.5f;
  settings::ClampGalaxyRecord(4);
  EXPECT_EQ(g._UniGalPct, 9999);
  EXPECT_EQ(g.Galaxy_Radius, 1);
  EXPECT_EQ(g.Galaxy_Rotation, 0);
  EXPECT_EQ(g.Galaxy_HueRed, 100);
  EXPECT_FLOAT_EQ(g.Galaxy_CometSPersist, 0.9999f);
  EXPECT_FLOAT_EQ(g.Galaxy_CometCPersist, 0.1f);
  EXPECT_EQ(g.Galaxy_HWC_Inc, 1.0f);
  EXPECT_FLOAT_EQ(g.Galaxy_GHW_Ratio, 99.9f);
  EXPECT_EQ(g.Galaxy_HWheelInc, 0.0f);
  EXPECT_EQ(g.Galaxy_HueStart, 359);
  EXPECT_EQ(g.Galaxy_NovaFrames, 1);
  EXPECT_EQ(g.Galaxy_CP_Points, 20);
  EXPECT_EQ(g.Galaxy_CP_B_Pts, 1);
  EXPECT_EQ(g.Galaxy_StdLevels, 10);
  EXPECT_EQ(g.Galaxy_StdLevDRad, -70);
  EXPECT_EQ(g.Galaxy_StdLevHSca, 500.0f);
  EXPECT_EQ(g._UniGalName, "kept");
  EXPECT_EQ(g.RibbonPhase, 0.0f);
  EXPECT_EQ(g.OrbitAngle, 0.0f);
  EXPECT_EQ(g.SpinAngle, 0.0f);
}

TEST_F(RecordClampsTest, IfsPointsUpToTheirCount) {
  auto& f = rec().Ifs;
  f.Galaxy_IFS_Points = 2;
  f.IFS_CenterX = 10000;
  f.IFS_CenterZ = -1;
  for (int i = 0; i < 5; ++i) {
    f.IfsX[i] = 10000;
    f.IfsScale[i] = 101;
    f.IfsAxis[i] = 3;
    f.IfsAngle[i] = -1;
    f.IfsPct[i] = 10000;
  }
  settings::ClampGalaxyRecord(4);
  EXPECT_EQ(f.IFS_CenterX, 9999);
  EXPECT_EQ(f.IFS_CenterZ, 0);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(f.IfsX[i], 9999);
    EXPECT_EQ(f.IfsScale[i], 100);
    EXPECT_EQ(f.IfsAxis[i], 2);
    EXPECT_EQ(f.IfsAngle[i], 0);
    EXPECT_EQ(f.IfsPct[i], 9999);
  }
  EXPECT_EQ(f.IfsX[2], 10000);  // beyond the count: untouched
  EXPECT_EQ(f.IfsAxis[4], 3);

  f.Galaxy_IFS_Points = 9;
  settings::ClampGalaxyRecord(4);
  EXPECT_EQ(f.Galaxy_IFS_Points, 5);
  EXPECT_EQ(f.IfsX[4], 9999);
}

TEST_F(RecordClampsTest, AtomsUpToTheirCountWithGridEdges) {
  auto& a = rec().Atoms;
  a.Galaxy_Atoms = 40;
  struct Case {
    int32_t type, x, element, points;
    int32_t typeOut, xOut, elementOut, pointsOut;
  };
  const Case cases[] = {
      {7, 0, 0, 0, 7, 1, 1, 1},             // grid: points per edge at least 1
      {3, 0, 18, 101, 3, 0, 17, 100},       // shell: X may be 0
      {11, 500, 5, 38, 11, 99, 5, 38},      // grid: at most 99 per edge
      {12, 500, 5, 1, 11, 99, 5, 1},        // type clamped first, then the grid rule
      {-1, 10000, 1, 6, 0, 9999, 1, 6},
  };
  const int n = static_cast<int>(std::size(cases));
  for (int i = 0; i < n; ++i) {
    a.AtomType[i] = cases[i].type;
    a.AtomX[i] = cases[i].x;
    a.AtomElement[i] = cases[i].element;
    a.AtomPoints[i] = cases[i].points;
    a.AtomRadius[i] = 10000;
    a.AtomExtra[i] = -1;
  }
  settings::ClampGalaxyRecord(4);
  EXPECT_EQ(a.Galaxy_Atoms, 32);
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(a.AtomType[i], cases[i].typeOut) << i;
    EXPECT_EQ(a.AtomX[i], cases[i].xOut) << i;
    EXPECT_EQ(a.AtomElement[i], cases[i].elementOut) << i;
    EXPECT_EQ(a.AtomPoints[i], cases[i].pointsOut) << i;
    EXPECT_EQ(a.AtomRadius[i], 9999) << i;
    EXPECT_EQ(a.AtomExtra[i], 0) << i;
  }

  a.Galaxy_Atoms = 1;
  a.AtomElement[1] = 0;
  settings::ClampGalaxyRecord(4);
  EXPECT_EQ(a.AtomElement[1], 0);  // beyond the count: untouched
}

TEST_F(RecordClampsTest, CompositeCountAllowsEveryMemberSlot) {
  struct Case {
    int32_t count, countOut;
  };
  const Case cases[] = {{50, 50}, {51, 50}, {1000, 50}, {-1, 0}, {3, 3}};
  for (const Case& c : cases) {
    comp() = {};
    comp().CompGal_Count = c.count;
    comp().CompGal_Type.fill(77);
    comp()._CompGalPct = 12345;
    settings::ClampCompositeRecord(2);
    EXPECT_EQ(comp().CompGal_Count, c.countOut) << c.count;
    EXPECT_EQ(comp()._CompGalPct, 9999);
    for (int k = 0; k < model::kCompositeMembers; ++k)
      EXPECT_EQ(comp().CompGal_Type[k], k < c.countOut ? 49 : 77) << c.count << " slot " << k;
  }
  comp().CompGal_Count = 1;
  comp().CompGal_Type[0] = -4;
  settings::ClampCompositeRecord(2);
  EXPECT_EQ(comp().CompGal_Type[0], 0);
}

}  // namespace
