// One galaxy type record between model::records() and the galaxy page's controls.
#include "dialogs/properties/galaxy_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/properties/props_controls.h"
#include "model/galaxy_types.h"
#include "roads_fixture.h"

namespace dialogs {
namespace {

using GalaxyFieldsTest = RoadsTest;
using model::GalaxyTypeProps;

GalaxyTypeProps& Record(int n) { return model::records().GalaxyTypes[static_cast<size_t>(n)]; }

TEST_F(GalaxyFieldsTest, NebulaShowsItsControlPointsAndStoresThemIntoBothSets) {
  PropsControls& c = form->c;
  GalaxyTypeProps& g = Record(3);
  g.Galaxy_GalStyle = 4;
  g.Galaxy_ColorComp = 5;
  g.Galaxy_CP_Points = 9;
  g.Galaxy_CP_Steps = 700;
  g.Galaxy_CP_B_Pts = 3;
  g.Galaxy_CP_B_Exp = 150;
  g.Galaxy_CP_B_Spd = 25;
  g.Galaxy_RadSegs = 2;
  g.Galaxy_RadFill = 40.5f;
  g.Galaxy_AngleTilt = 33.25f;
  c.cboGalColor->SetListIndex(2);
  GalaxyRecordToControls(c, 3);
  EXPECT_EQ(c.txtGalaxy[3].Text(), "9");
  EXPECT_EQ(c.txtGalaxy[4].Text(), "700");
  EXPECT_EQ(c.txtGalaxy[5].Text(), "3");
  EXPECT_EQ(c.txtGalaxy[6].Text(), "150");
  EXPECT_EQ(c.txtGalaxy[93].Text(), "25");
  EXPECT_EQ(c.cboGalStyle->ListIndex(), 4);
  // A colour computation the combo does not have leaves it as it was.
  EXPECT_EQ(c.cboGalColor->ListIndex(), 2);

  const GalaxyTypeProps before = g;
  GalaxyControlsToRecord(c, 3);
  EXPECT_EQ(g.Galaxy_CP_Points, 9);
  EXPECT_EQ(g.Galaxy_CP_Steps, 700);
  EXPECT_EQ(g.Galaxy_CP_B_Pts, 3);
  EXPECT_EQ(g.Galaxy_CP_B_Exp, 150);
  EXPECT_EQ(g.Galaxy_CP_B_Spd, 25);
  EXPECT_EQ(g.Galaxy_RadSegs, 9);
  EXPECT_EQ(g.Galaxy_RadFill, 700.0f);
  EXPECT_EQ(g.Galaxy_RadBands, 3);
  EXPECT_EQ(g.Galaxy_RadBFill, 150.0f);
  EXPECT_EQ(g.Galaxy_AngleTilt, 25.0f);
  EXPECT_EQ(g.Galaxy_ColorComp, 5);
  // Everything else comes back as it was.
  EXPECT_EQ(g.Galaxy_HueRed, before.Galaxy_HueRed);
  EXPECT_EQ(g.Galaxy_CometCPersist, before.Galaxy_CometCPersist);
  EXPECT_EQ(g.Galaxy_HWheelInc, before.Galaxy_HWheelInc);
  EXPECT_EQ(g.Galaxy_QG_Force, before.Galaxy_QG_Force);
  EXPECT_EQ(g.Galaxy_CometVector, before.Galaxy_CometVector);
  EXPECT_EQ(g.Galaxy_CP_Close, before.Galaxy_CP_Close);
}

TEST_F(GalaxyFieldsTest, EveryFieldMakesTheRoundTrip) {
  PropsControls& c = form->c;
  GalaxyTypeProps& g = Record(49);
  g.Galaxy_GalStyle = 7;
  g.Galaxy_ColorComp = 1;
  g.Galaxy_AxisPlane = 1;
  g.Galaxy_Profile = 6;
  g.Galaxy_PulsarShape = 4;
  g.Galaxy_CometVector = true;
  g.Galaxy_CP_Close = 2;
  g.Galaxy_CP_AdvHW = 1;
  g.Galaxy_HueRed = 11;
  g.Galaxy_DX_Blend = 55;
  g.Galaxy_Radius = 29999;
  g.Galaxy_QG_Force = 0.125f;
  g.Galaxy_StdLevels = 7;
  g.Galaxy_PulsarMaxExt = 4321;
  g.Galaxy_CometSPersist = 0.9999f;
  g.Galaxy_HWC_Inc = 1e-05f;
  g.Galaxy_HueStart = 359;
  g.Galaxy_AngleTilt = 359.5f;
  g.Galaxy_RadBFill = 12.5f;
  const GalaxyTypeProps before = g;
  GalaxyRecordToControls(c, 49);
  EXPECT_EQ(c.txtGalaxy[49].Text(), "1E-05");
  EXPECT_EQ(c.txtGalaxy[93].Text(), "359.5");
  EXPECT_EQ(c.txtGalaxy[6].Text(), "12.5");
  g = model::DefaultGalaxyType(49);
  GalaxyControlsToRecord(c, 49);
  EXPECT_EQ(g.Galaxy_GalStyle, 7);
  EXPECT_EQ(g.Galaxy_ColorComp, 1);
  EXPECT_EQ(g.Galaxy_AxisPlane, 1);
  EXPECT_EQ(g.Galaxy_Profile, 6);
  EXPECT_EQ(g.Galaxy_PulsarShape, 4);
  EXPECT_TRUE(g.Galaxy_CometVector);
  EXPECT_EQ(g.Galaxy_CP_Close, 2);
  EXPECT_EQ(g.Galaxy_CP_AdvHW, 1);
  EXPECT_EQ(g.Galaxy_HueRed, 11);
  EXPECT_EQ(g.Galaxy_DX_Blend, 55);
  EXPECT_EQ(g.Galaxy_Radius, 29999);
  EXPECT_EQ(g.Galaxy_QG_Force, 0.125f);
  EXPECT_EQ(g.Galaxy_StdLevels, 7);
  EXPECT_EQ(g.Galaxy_PulsarMaxExt, 4321);
  EXPECT_EQ(g.Galaxy_CometSPersist, 0.9999f);
  EXPECT_EQ(g.Galaxy_HWC_Inc, 1e-05f);
  EXPECT_EQ(g.Galaxy_HueStart, 359);
  EXPECT_EQ(g.Galaxy_AngleTilt, 359.5f);
  EXPECT_EQ(g.Galaxy_RadBFill, 12.5f);
  // The other set of the shared boxes takes their whole numbers.
  EXPECT_EQ(g.Galaxy_CP_B_Spd, 360);
  EXPECT_EQ(g.Galaxy_CP_B_Exp, 12);
  EXPECT_EQ(g.Galaxy_Rotation, before.Galaxy_Rotation);
  EXPECT_EQ(g.Galaxy_NovaExtMult, before.Galaxy_NovaExtMult);
  EXPECT_EQ(g.Galaxy_RadiusExp, before.Galaxy_RadiusExp);
}

TEST_F(GalaxyFieldsTest, StoringReadsEachControlByItsRule) {
  PropsControls& c = form->c;
  struct Case {
    const char* what;
    void (*set)(PropsControls&);
    bool (*check)(const GalaxyTypeProps&);
  } cases[] = {
      {"fill 12.5: the Single and halves to even", [](PropsControls& p) { p.txtGalaxy[4].SetText("12.5"); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_RadFill == 12.5f && g.Galaxy_CP_Steps == 12; }},
      {"fill 13.5", [](PropsControls& p) { p.txtGalaxy[4].SetText("13.5"); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_RadFill == 13.5f && g.Galaxy_CP_Steps == 14; }},
      {"nebula style forces colour 5", [](PropsControls& p) { p.cboGalStyle->SetListIndex(4); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_GalStyle == 4 && g.Galaxy_ColorComp == 5; }},
      {"molecule style forces colour 6", [](PropsControls& p) { p.cboGalStyle->SetListIndex(9); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_GalStyle == 9 && g.Galaxy_ColorComp == 6; }},
      {"empty box stores 0", [](PropsControls& p) { p.txtGalaxy[0].SetText(""); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_Radius == 0; }},
      {"7 and a letter stores 7", [](PropsControls& p) { p.txtGalaxy[10].SetText("7k"); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_NewFreq == 7; }},
      {"blanks inside a number", [](PropsControls& p) { p.txtPixHue[2].SetText(" 4 2"); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_HueBlu == 42; }},
      {"grey vector box is false", [](PropsControls& p) { p.chkCometVector->SetValue(2); },
       [](const GalaxyTypeProps& g) { return !g.Galaxy_CometVector; }},
      {"grey closed box stores 2", [](PropsControls& p) { p.chkCP_Closed->SetValue(2); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_CP_Close == 2; }},
      {"combo without selection stores -1", [](PropsControls& p) { p.cboGalProfile->SetListIndex(-1); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_Profile == -1; }},
      {"whole number beyond 32 bits keeps the field", [](PropsControls& p) { p.txtGalaxy[1].SetText("9E12"); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_Rotation == 777; }},
      {"Single beyond its range keeps the field", [](PropsControls& p) { p.txtGalaxy[91].SetText("1E40"); },
       [](const GalaxyTypeProps& g) { return g.Galaxy_RadiusExp == 2.5f; }},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    GalaxyTypeProps& g = Record(5);
    g = model::DefaultGalaxyType(5);
    g.Galaxy_Rotation = 777;
    g.Galaxy_RadiusExp = 2.5f;
    GalaxyRecordToControls(c, 5);
    t.set(c);
    GalaxyControlsToRecord(c, 5);
    EXPECT_TRUE(t.check(g));
  }
}

TEST_F(GalaxyFieldsTest, IndexOutsideTheEditedTypesMovesNothing) {
  PropsControls& c = form->c;
  GalaxyRecordToControls(c, 0);
  c.txtGalaxy[0].SetText("1234");
  for (int n : {-1, 50, 65, 66, 1 << 30}) {
    SCOPED_TRACE(n);
    const std::string radius = c.txtGalaxy[0].Text();
    GalaxyRecordToControls(c, n);
    EXPECT_EQ(c.txtGalaxy[0].Text(), radius);
    GalaxyControlsToRecord(c, n);
  }
  for (int n = 0; n < model::kGalaxyTypeCount; ++n) EXPECT_NE(Record(n).Galaxy_Radius, 1234) << n;
}

}  // namespace
}  // namespace dialogs
