#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/galaxy_types.h"

using namespace model;

namespace {

constexpr double kTwoPiD = 6.28318530717958;

class GalaxyTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { model::ResetGalaxyRecords(); }
  void TearDown() override { model::ResetGalaxyRecords(); }
  static model::GalaxyTypeProps& Type(int t) { return model::records().GalaxyTypes[t]; }
  static model::CompositeRecord& Composite(int c) { return model::records().CompositeGalaxies[c]; }
};

// ---------------------------------------------------------------------------------------
// Defaults

TEST_F(GalaxyTypesTest, ResetGivesReaderDefaultsNamesAndEmptyBlocks) {
  const model::GalaxyTypeProps& g = Type(0);
  struct LongCase {
    const char* field;
    int32_t value, expected;
  } longs[] = {
      {"_UniGalPct", g._UniGalPct, 0},
      {"Galaxy_StdLevels", g.Galaxy_StdLevels, 1},
      {"Galaxy_StdLevDRad", g.Galaxy_StdLevDRad, 300},
      {"Galaxy_Radius", g.Galaxy_Radius, 300},
      {"Galaxy_Rotation", g.Galaxy_Rotation, 500},
      {"Galaxy_Distance", g.Galaxy_Distance, 400},
      {"Galaxy_NovaFreq", g.Galaxy_NovaFreq, 320},
      {"Galaxy_PulsarMaxExt", g.Galaxy_PulsarMaxExt, 1000},
      {"Galaxy_HWC_End", g.Galaxy_HWC_End, 220},
      {"Galaxy_ColorComp", g.Galaxy_ColorComp, 3},
      {"Galaxy_HueStart", g.Galaxy_HueStart, 240},
      {"Galaxy_DX_Blend", g.Galaxy_DX_Blend, 70},
      {"Galaxy_CP_Close", g.Galaxy_CP_Close, 1},
      {"Galaxy_IFS_Points", g.Ifs.Galaxy_IFS_Points, 0},
      {"Galaxy_Atoms", g.Atoms.Galaxy_Atoms, 0},
  };
  for (const auto& c : longs) EXPECT_EQ(c.value, c.expected) << c.field;
  struct SingleCase {
    const char* field;
    float value, expected;
  } singles[] = {
      {"Galaxy_CometCPersist", g.Galaxy_CometCPersist, 0.9975f},
      {"Galaxy_RadiusExp", g.Galaxy_RadiusExp, 1.15f},
      {"Galaxy_AngleTilt", g.Galaxy_AngleTilt, 170.0f},
      {"Galaxy_HWheelInc", g.Galaxy_HWheelInc, 0.005f},
      {"Galaxy_QG_Force", g.Galaxy_QG_Force, 5.0f},
      {"Galaxy_RadBFill", g.Galaxy_RadBFill, 100.0f},
  };
  for (const auto& c : singles) EXPECT_EQ(c.value, c.expected) << c.field;
  EXPECT_FALSE(g.Galaxy_CometVector);
  EXPECT_FALSE(g.IsComposite);

  EXPECT_EQ(Type(0)._UniGalName, "< Galaxy Profile 1 >");
  EXPECT_EQ(Type(49)._UniGalName, "< Galaxy Profile 50 >");
  EXPECT_EQ(Composite(0)._CompGalName, "< Composite Galaxy 1 >");
  EXPECT_EQ(Composite(15)._CompGalName, "< Composite Galaxy 16 >");
  for (const auto& comp : model::records().CompositeGalaxies) {
    EXPECT_EQ(comp._CompGalPct, 0);
    EXPECT_EQ(comp.CompGal_Count, 0);
  }
}

TEST_F(GalaxyTypesTest, ResetUndoesEditsAndRecordsCopyWhole) {
  Type(7).Galaxy_Radius = 9;
  Type(7).Atoms.AtomX[31] = 5;
  Composite(3).CompGal_Type[49] = 12;
  model::PrepareGalaxyTypes();

  const model::GalaxyTypeProps copy = Type(7);
  EXPECT_EQ(copy.Atoms.AtomX[31], 5);
  EXPECT_EQ(copy._UniGalName, "< Galaxy Profile 8 >");

  model::ResetGalaxyRecords();
  EXPECT_EQ(Type(7).Galaxy_Radius, 300);
  EXPECT_EQ(Type(7).Atoms.AtomX[31], 0);
  EXPECT_EQ(Type(7).RadiusF, 0.0f);
  EXPECT_EQ(Composite(3).CompGal_Type[49], 0);
  EXPECT_EQ(model::records().HexNumbers[2], 0);
}

// ---------------------------------------------------------------------------------------
// PrepareGalaxyTypes

struct PrepareCase {
  const char* name;
  std::function<void(model::GalaxyTypeProps&)> input;
  std::function<void(const model::GalaxyTypeProps&)> check;
};

TEST_F(GalaxyTypesTest, PrepareDerivesRunTimeValues) {
  const std::vector<PrepareCase> cases = {
      {"defaults",
       [](model::GalaxyTypeProps&) {},
       [](const model::GalaxyTypeProps& g) {
         EXPECT_FLOAT_EQ(g.RadiusF, 3.0f);
         EXPECT_FLOAT_EQ(g.RadiusF2, 9.0f);
         EXPECT_FLOAT_EQ(g.RadiusF100, 0.03f);
         EXPECT_FLOAT_EQ(g.DistanceF, 4.0f);
         EXPECT_FLOAT_EQ(g.RotStep, 0.0005f);
         EXPECT_FLOAT_EQ(g.SpinStep, 0.004f);
         EXPECT_FLOAT_EQ(g.OrbitStep, static_cast<float>(std::sqrt(1.0 / 3.0) * kTwoPiD * 0.0005));
         EXPECT_FLOAT_EQ(g.RadFillF, 1.0f);
         EXPECT_FLOAT_EQ(g.RadBFillF, 1.0f);
         EXPECT_FLOAT_EQ(g.SegmentAngle, static_cast<float>(kTwoPiD));
         EXPECT_FLOAT_EQ(g.BandCos, static_cast<float>(std::cos(kTwoPiD / 360)));
         EXPECT_FLOAT_EQ(g.BandSin, static_cast<float>(std::sin(kTwoPiD / 360)));
         EXPECT_FLOAT_EQ(g.HeightExpK, 0.002f);
         EXPECT_FLOAT_EQ(g.CpBExpF, 1.0f);
         EXPECT_FLOAT_EQ(g.QgForceF, 0.0005f);
         EXPECT_FLOAT_EQ(g.ColorMultF, 180.0f);
         EXPECT_FLOAT_EQ(g.ColorMultK, 1.8f);
         EXPECT_FLOAT_EQ(g.NewExtMultF, 0.1f);
         EXPECT_FLOAT_EQ(g.NovaProb, 0.032f);
         EXPECT_FLOAT_EQ(g.NovaExtMultF, 0.06f);
         EXPECT_FLOAT_EQ(g.PulsarDepthF, 0.1f);
         EXPECT_FLOAT_EQ(g.CometProb, 0.04f);
         EXPECT_FLOAT_EQ(g.CometOrbitF, 0.001f);
         EXPECT_FLOAT_EQ(g.CometSWindF, 0.002f);
         EXPECT_EQ(g.RadBFillWhole, 100);
         EXPECT_EQ(g.HwcStartNow, 140);
         EXPECT_EQ(g.HwcEndNow, 220);
         EXPECT_FLOAT_EQ(g.RadiusExpRad, static_cast<float>(1.15f * kTwoPiD / 360));
         EXPECT_FLOAT_EQ(g.LevelSpacingF, 3.0f);
         EXPECT_FLOAT_EQ(g.OuterRadiusF, 3.0f);
         EXPECT_FLOAT_EQ(g.LevelTilt[0], static_cast<float>(-170 * kTwoPiD / 360));
         EXPECT_EQ(g.LevelTiltStep[0], 0.0f);
         EXPECT_EQ(g.MotionKind, 0);
       }},
      {"height of the disk is computed in double precision",
       [](model::GalaxyTypeProps&) {},
       [](const model::GalaxyTypeProps& g) {
         // 0.3f x 300 x 0.01 rounds once, to the Single just above 0.9.
         EXPECT_EQ(g.GhwRadius, static_cast<float>(static_cast<double>(0.3f) * 300.0 * 0.01));
         EXPECT_NE(g.GhwRadius, 0.3f * 300.0f * 0.01f);
       }},
      {"rotation 0 stands still",
       [](model::GalaxyTypeProps& g) { g.Galaxy_Rotation = 0; },
       [](const model::GalaxyTypeProps& g) {
         EXPECT_EQ(g.RotStep, 0.0f);
         EXPECT_EQ(g.SpinStep, 0.0f);
         EXPECT_EQ(g.OrbitStep, 0.0f);
         EXPECT_EQ(g.RotStepCos, 1.0f);
         EXPECT_EQ(g.SpinStepSin, 0.0f);
       }},
      {"radius 1",
       [](model::GalaxyTypeProps& g) { g.Galaxy_Radius = 1; },
       [](const model::GalaxyTypeProps& g) {
         EXPECT_FLOAT_EQ(g.RadiusF, 0.01f);
         EXPECT_FLOAT_EQ(g.OrbitStep, static_cast<float>(10 * kTwoPiD * g.RotStep));
       }},
      {"non-standard style keeps one level",
       [](model::GalaxyTypeProps& g) {
         g.Galaxy_GalStyle = 3;
         g.Galaxy_StdLevels = 4;
       },
       [](const model::GalaxyTypeProps& g) {
         EXPECT_EQ(g.Galaxy_StdLevels, 1);
         EXPECT_EQ(g.OuterRadiusF, g.RadiusF);
         EXPECT_EQ(g.LevelTilt[1], 0.0f);
       }},
      {"standard style stacks levels",
       [](model::GalaxyTypeProps& g) {
         g.Galaxy_StdLevels = 3;
         g.Galaxy_StdLevDRad = 150;
         g.Galaxy_AngleTilt = 90;
       },
       [](const model::GalaxyTypeProps& g) {
         EXPECT_EQ(g.Galaxy_StdLevels, 3);
         EXPECT_FLOAT_EQ(g.OuterRadiusF, 1.5f * 2 + 3.0f);
         for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(g.LevelTilt[i], static_cast<float>(-kTwoPiD / 4));
       }},
      {"quasar force",
       [](model::GalaxyTypeProps& g) { g.Galaxy_GalStyle = 5; },
       [](const model::GalaxyTypeProps& g) {
         EXPECT_FLOAT_EQ(g.QgForceF, 0.05f);
         EXPECT_EQ(g.MotionKind, 1);
       }},
      {"band fill halves go to even (2.5)",
       [](model::GalaxyTypeProps& g) { g.Galaxy_RadBFill = 2.5f; },
       [](const model::GalaxyTypeProps& g) { EXPECT_EQ(g.RadBFillWhole, 2); }},
      {"band fill halves go to even (3.5)",
       [](model::GalaxyTypeProps& g) { g.Galaxy_RadBFill = 3.5f; },
       [](const model::GalaxyTypeProps& g) { EXPECT_EQ(g.RadBFillWhole, 4); }},
      {"band fill beyond the 32-bit range keeps the previous whole value",
       [](model::GalaxyTypeProps& g) {
         g.RadBFillWhole = 17;
         g.Galaxy_RadBFill = 1e20f;
       },
       [](const model::GalaxyTypeProps& g) { EXPECT_EQ(g.RadBFillWhole, 17); }},
      {"zero arms leave the segment angle as it was",
       [](model::GalaxyTypeProps& g) {
         g.SegmentAngle = 0.25f;
         g.Galaxy_RadSegs = 0;
       },
       [](const model::GalaxyTypeProps& g) { EXPECT_EQ(g.SegmentAngle, 0.25f); }},
      {"moving hue range restarts",
       [](model::GalaxyTypeProps& g) {
         g.HwcShift = 0.7f;
         g.HwcStartNow = 999;
         g.Galaxy_HWC_Start = 10;
         g.Galaxy_HWC_End = 20;
       },
       [](const model::GalaxyTypeProps& g) {
         EXPECT_EQ(g.HwcShift, 0.0f);
         EXPECT_EQ(g.HwcStartNow, 10);
         EXPECT_EQ(g.HwcEndNow, 20);
       }},
      {"running angles are left alone",
       [](model::GalaxyTypeProps& g) {
         g.OrbitAngle = 1.5f;
         g.HueOffset = 42.0f;
         g.LevelAngle[0] = 2.0f;
       },
       [](const model::GalaxyTypeProps& g) {
         EXPECT_EQ(g.OrbitAngle, 1.5f);
         EXPECT_EQ(g.HueOffset, 42.0f);
         EXPECT_EQ(g.LevelAngle[0], 2.0f);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model::ResetGalaxyRecords();
    c.input(Type(4));
    model::PrepareGalaxyTypes();
    c.check(Type(4));
  }
}

TEST_F(GalaxyTypesTest, MotionKindByStyle) {
  const int expected[10] = {0, 0, 0, 0, 1, 1, 2, 3, 0, 0};
  for (int style = 0; style < 10; ++style) Type(style).Galaxy_GalStyle = style;
  Type(10).Galaxy_GalStyle = 42;
  Type(10).MotionKind = 3;
  model::PrepareGalaxyTypes();
  for (int style = 0; style < 10; ++style) EXPECT_EQ(Type(style).MotionKind, expected[style]) << style;
  EXPECT_EQ(Type(10).MotionKind, 0);
}

TEST_F(GalaxyTypesTest, LevelStepsDampenAndInterleave) {
  const float quarter = static_cast<float>(kTwoPiD / 4);
  struct Case {
    const char* name;
    float increment;
    int32_t dampen, interleave;
    double expected[4];
  } cases[] = {
      {"plain", 90, 0, 0, {quarter, quarter, quarter, quarter}},
      {"dampened below half a turn", 90, 1, 0,
       {quarter * 1.0, quarter * 0.75, quarter * 0.5, quarter * 0.25}},
      {"dampened beyond half a turn", 270, 1, 0,
       {kTwoPiD - quarter * 1.0, kTwoPiD - quarter * 0.75, kTwoPiD - quarter * 0.5,
        kTwoPiD - quarter * 0.25}},
      {"interleaved", 90, 0, 1, {quarter, -quarter, quarter, -quarter}},
      {"half a turn counts as small", 180, 1, 0,
       {kTwoPiD / 2, kTwoPiD / 2 * 0.75, kTwoPiD / 2 * 0.5, kTwoPiD / 2 * 0.25}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model::ResetGalaxyRecords();
    model::GalaxyTypeProps& g = Type(0);
    g.Galaxy_StdLevels = 4;
    g.Galaxy_AngleTInc = c.increment;
    g.Galaxy_StdLevB_A1 = c.dampen;
    g.Galaxy_StdLevB_A0 = c.interleave;
    model::PrepareGalaxyTypes();
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(g.LevelTiltStep[i], static_cast<float>(c.expected[i])) << i;
  }
}

TEST_F(GalaxyTypesTest, LevelCountBeyondTheArraysIsBounded) {
  Type(0).Galaxy_StdLevels = 25;
  Type(0).Galaxy_AngleTInc = 10;
  Type(1).Galaxy_StdLevels = -3;
  model::PrepareGalaxyTypes();
  model::AdvanceGalaxyRotations();
  EXPECT_FLOAT_EQ(Type(0).LevelTiltStep[9], static_cast<float>(10 * kTwoPiD / 360));
  EXPECT_FLOAT_EQ(Type(1).OuterRadiusF, 3.0f * -4 + 3.0f);
}

TEST_F(GalaxyTypesTest, IfsPointsAndAtomsScaleWithTheRadius) {
  model::GalaxyTypeProps& g = Type(2);
  g.Galaxy_Radius = 2000;  // RadiusF 20, s = 2
  model::IfsBlock& ifs = g.Ifs;
  ifs.Galaxy_IFS_Points = 2;
  ifs.IFS_CenterX = 500;
  ifs.IfsX = {1500, 0, 7, 7, 7};
  ifs.IfsY = {100, 200, 0, 0, 0};
  ifs.IfsScale = {50, 25, 0, 0, 0};
  ifs.IfsAngle = {90, 180, 0, 0, 0};
  ifs.IfsPct = {30, 70, 99, 0, 0};
  ifs.IfsCumPct[2] = -1;

  model::AtomBlock& atoms = g.Atoms;
  atoms.Galaxy_Atoms = 3;
  atoms.Atom_CenterZ = 100;
  atoms.AtomZ = {300};
  atoms.AtomType = {5, 7, 13};
  atoms.AtomRadius = {250};
  atoms.AtomExtra = {100};
  atoms.AtomType[3] = 2;
  atoms.AtomPoints[3] = 55;

  model::PrepareGalaxyTypes();

  EXPECT_FLOAT_EQ(ifs.IfsOffX[0], 20.0f);
  EXPECT_FLOAT_EQ(ifs.IfsOffX[1], -10.0f);
  EXPECT_FLOAT_EQ(ifs.IfsOffY[1], 4.0f);
  EXPECT_FLOAT_EQ(ifs.IfsScaleF[0], 0.5f);
  EXPECT_NEAR(ifs.IfsCos[0], 0.0f, 1e-7);
  EXPECT_FLOAT_EQ(ifs.IfsSin[0], 1.0f);
  EXPECT_FLOAT_EQ(ifs.IfsCos[1], -1.0f);
  EXPECT_EQ(ifs.IfsCumPct[0], 30);
  EXPECT_EQ(ifs.IfsCumPct[1], 100);
  EXPECT_EQ(ifs.IfsCumPct[2], -1);  // beyond the count

  EXPECT_FLOAT_EQ(atoms.AtomOffZ[0], 4.0f);
  EXPECT_FLOAT_EQ(atoms.AtomOffX[0], 0.0f);
  EXPECT_FLOAT_EQ(atoms.AtomRadiusF[0], 5.0f);
  EXPECT_FLOAT_EQ(atoms.AtomExtra100[0], 2.0f);
  EXPECT_FLOAT_EQ(atoms.AtomExtra050[0], 1.0f);
  EXPECT_FLOAT_EQ(atoms.AtomExtra059[0], 0.594603f * 2);
  EXPECT_FLOAT_EQ(atoms.AtomExtra071[0], 0.707106f * 2);
  EXPECT_FLOAT_EQ(atoms.AtomExtra087[0], 0.866025f * 2);
  EXPECT_EQ(atoms.AtomPoints[0], 38);
  EXPECT_EQ(atoms.AtomPoints[1], 1);
  EXPECT_EQ(atoms.AtomPoints[2], 1);
  EXPECT_EQ(atoms.AtomCumPoints[0], 38);
  EXPECT_EQ(atoms.AtomCumPoints[2], 40);
  EXPECT_EQ(atoms.AtomPoints[3], 55);  // beyond the count
}

TEST_F(GalaxyTypesTest, UnknownStructureTypeKeepsItsPointCount) {
  model::AtomBlock& atoms = Type(0).Atoms;
  atoms.Galaxy_Atoms = 2;
  atoms.AtomType = {14, -1};
  atoms.AtomPoints = {6, 8};
  model::PrepareGalaxyTypes();
  EXPECT_EQ(atoms.AtomPoints[0], 6);
  EXPECT_EQ(atoms.AtomPoints[1], 8);
  EXPECT_EQ(atoms.AtomCumPoints[1], 14);
  EXPECT_FALSE(model::AtomPointsOfType(14).has_value());
  EXPECT_EQ(model::AtomPointsOfType(13), 1);
}

TEST_F(GalaxyTypesTest, CountsBeyondTheBlocksAreBounded) {
  Type(0).Ifs.Galaxy_IFS_Points = 99;
  Type(0).Atoms.Galaxy_Atoms = 1000;
  Composite(0).CompGal_Count = 500;
  Composite(1).CompGal_Count = -2;
  model::PrepareGalaxyTypes();
  EXPECT_EQ(Type(0).Atoms.AtomCumPoints[31], 32);
  EXPECT_EQ(Composite(0).CompGal_CumWeight[49], 50);
}

TEST_F(GalaxyTypesTest, CompositeCumulativeWeightsCountLevels) {
  Type(3).Galaxy_StdLevels = 3;
  Type(5).Galaxy_StdLevels = 1;
  Type(8).Galaxy_StdLevels = 2;
  Type(9).Galaxy_StdLevels = 6;
  Type(9).Galaxy_GalStyle = 4;  // weighs 1: only the standard style has levels

  model::CompositeRecord& mixed = Composite(2);
  mixed.CompGal_Count = 3;
  mixed.CompGal_Type = {3, 5, 8};
  mixed.CompGal_CumWeight[3] = 77;

  model::CompositeRecord& styled = Composite(15);
  styled.CompGal_Count = 3;
  styled.CompGal_Type = {9, 9, 9};

  model::CompositeRecord& odd = Composite(7);
  odd.CompGal_Count = 2;
  odd.CompGal_Type = {-4, 3};

  model::PrepareGalaxyTypes();

  EXPECT_EQ(mixed.CompGal_CumWeight[0], 3);
  EXPECT_EQ(mixed.CompGal_CumWeight[1], 4);
  EXPECT_EQ(mixed.CompGal_CumWeight[2], 6);
  EXPECT_EQ(mixed.CompGal_CumWeight[3], 77);  // beyond the count
  EXPECT_EQ(styled.CompGal_CumWeight[0], 1);
  EXPECT_EQ(styled.CompGal_CumWeight[1], 2);
  EXPECT_EQ(styled.CompGal_CumWeight[2], 3);
  EXPECT_EQ(odd.CompGal_CumWeight[0], 0);  // a member that is no type adds nothing
  EXPECT_EQ(odd.CompGal_CumWeight[1], 3);
}

TEST_F(GalaxyTypesTest, CompositeSlotsAreNotPrepared) {
  Type(50).Galaxy_Radius = 1000;
  Type(50).Galaxy_GalStyle = 2;
  Type(50).Galaxy_StdLevels = 5;
  model::PrepareGalaxyTypes();
  EXPECT_EQ(Type(50).RadiusF, 0.0f);
  EXPECT_EQ(Type(50).Galaxy_StdLevels, 5);
}

TEST_F(GalaxyTypesTest, ShapeTables) {
  model::PrepareGalaxyTypes();
  const model::GalaxyRecords& r = model::records();
  const int hex[] = {1, 1, 7, 19, 37, 61};
  const int tri[] = {0, 1, 3, 6, 10, 15};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(r.HexNumbers[i], hex[i]) << i;
    EXPECT_EQ(r.TriangularNumbers[i], tri[i]) << i;
  }
  EXPECT_EQ(r.TriangularNumbers[99], 4950);
  EXPECT_EQ(r.HexNumbers[99], 1 + 6 * 4851);
  EXPECT_EQ(r.HexCos[0], 1.0f);
  EXPECT_EQ(r.HexCos[6], r.HexCos[0]);
  EXPECT_FLOAT_EQ(r.HexCos[1], 0.5f);
  EXPECT_FLOAT_EQ(r.HexSin[1], static_cast<float>(std::sqrt(3.0) / 2));
  EXPECT_FLOAT_EQ(r.HexCos[3], -1.0f);
  EXPECT_NEAR(r.HexSin[6], 0.0f, 1e-6);
}

// ---------------------------------------------------------------------------------------
// UpdateHueCycleFlags

TEST_F(GalaxyTypesTest, HueCyclingByStyleAndColourMode) {
  struct Case {
    int32_t style, advHw, colorComp;
    bool expected;
  } cases[] = {
      {0, 0, 3, true},  {4, 0, 3, false}, {4, 1, 3, true},  {7, 1, 3, false},
      {7, 0, 3, false}, {9, 0, 0, true},  {0, 0, 4, false}, {4, 1, 4, false},
  };
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    Type(i).Galaxy_GalStyle = cases[i].style;
    Type(i).Galaxy_CP_AdvHW = cases[i].advHw;
    Type(i).Galaxy_ColorComp = cases[i].colorComp;
  }
  Type(55).HueCycling = true;
  model::UpdateHueCycleFlags();
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) EXPECT_EQ(Type(i).HueCycling, cases[i].expected) << i;
  EXPECT_TRUE(Type(55).HueCycling);  // composite slots are not visited
}

// ---------------------------------------------------------------------------------------
// AdvanceGalaxyRotations

TEST_F(GalaxyTypesTest, RunningAnglesStayWithinOneTurn) {
  const float twoPi = 6.2831855f;
  struct Case {
    const char* name;
    float start, step, expected;
  } cases[] = {
      {"plain step", 1.0f, 0.5f, 1.5f},
      {"equal to 2 pi stays", twoPi, 0.0f, twoPi},
      {"above 2 pi takes off one turn", twoPi, 0.25f,
       static_cast<float>(static_cast<double>(twoPi + 0.25f) - kTwoPiD)},
      {"below 0 adds one turn", 0.1f, -0.25f,
       static_cast<float>(static_cast<double>(0.1f - 0.25f) + kTwoPiD)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model::ResetGalaxyRecords();
    model::GalaxyTypeProps& g = Type(0);
    g.Galaxy_StdLevels = 2;
    g.LevelAngle[1] = c.start;
    g.LevelTiltStep[1] = c.step;
    g.OrbitAngle = c.start;
    g.OrbitStep = c.step;
    g.SpinAngle = c.start;
    g.SpinStep = c.step;
    model::AdvanceGalaxyRotations();
    EXPECT_EQ(g.LevelAngle[1], c.expected);
    EXPECT_EQ(g.LevelCos[1], static_cast<float>(std::cos(static_cast<double>(c.expected))));
    EXPECT_EQ(g.LevelSin[1], static_cast<float>(std::sin(static_cast<double>(c.expected))));
    EXPECT_EQ(g.OrbitAngle, c.expected);
    EXPECT_EQ(g.SpinAngle, c.expected);
    EXPECT_EQ(g.SpinCos, static_cast<float>(std::cos(static_cast<double>(c.expected))));
    EXPECT_EQ(g.SpinSin, static_cast<float>(std::sin(static_cast<double>(c.expected))));
  }
}

TEST_F(GalaxyTypesTest, HueOffsetWrapsAbove360AndOnlyUsedLevelsMove) {
  model::GalaxyTypeProps& g = Type(49);
  g.HueOffset = 359.5f;
  g.Galaxy_HWheelInc = 1.0f;
  g.Galaxy_StdLevels = 1;
  g.LevelTiltStep[1] = 0.5f;
  Type(10).HueOffset = 359.0f;
  Type(10).Galaxy_HWheelInc = 1.0f;
  Type(60).OrbitStep = 1.0f;

  model::AdvanceGalaxyRotations();
  EXPECT_FLOAT_EQ(g.HueOffset, 0.5f);
  EXPECT_EQ(Type(10).HueOffset, 360.0f);  // equal does not wrap
  EXPECT_EQ(g.LevelAngle[1], 0.0f);
  EXPECT_EQ(Type(60).OrbitAngle, 0.0f);  // composite slots do not turn

  model::AdvanceGalaxyRotations();
  EXPECT_FLOAT_EQ(g.HueOffset, 1.5f);
  EXPECT_EQ(Type(10).HueOffset, 1.0f);
}

// ---------------------------------------------------------------------------------------
// ResolveGalaxySlot

TEST_F(GalaxyTypesTest, ResolveGalaxySlotDrawsOrdinaryTypesAndFirstMembers) {
  Composite(3).CompGal_Type = {17, 4};
  Composite(3).CompGal_Count = 2;
  Type(53).IsComposite = true;
  Type(54).IsComposite = false;  // composite with percent 0: the slot stands for itself
  Composite(5).CompGal_Type[0] = 60;
  Type(55).IsComposite = true;
  Type(12).IsComposite = true;  // not a composite slot

  const int32_t slots[] = {7, 53, 54, 55, 12, 66, -1, 0};
  struct Case {
    int32_t i, expected;
  } cases[] = {{0, 7}, {1, 17}, {2, 54}, {3, 0}, {4, 12}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(model::ResolveGalaxySlot(slots, c.i), c.expected) << c.i;
}

}  // namespace
