#include "settings/galaxy_persistence.h"

#include <gtest/gtest.h>

#include "model/galaxy_types.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "platform/registry_store.h"
#include "settings/composites.h"
#include "store/typed_readers.h"
#include "settings/template_file.h"
#include "settings/template_fixture.h"
#include "support/test_support.h"

namespace {

using model::GalaxyTypeProps;

// A record in which every stored value differs from its default, with three IFS points and
// two atoms; all values lie within the clamp ranges.
GalaxyTypeProps SampleGalaxy() {
  GalaxyTypeProps g;
  g._UniGalPct = 75;
  g._UniGalName = "N\xC3\xA9" "buleuse = 1";
  g.Galaxy_StdLevels = 3;
  g.Galaxy_StdLevDRad = 250;
  g.Galaxy_StdLevHSca = 0.75f;
  g.Galaxy_StdLevB_HS = 1;
  g.Galaxy_StdLevB_A0 = 1;
  g.Galaxy_StdLevB_A1 = 1;
  g.Galaxy_HueRed = 90;
  g.Galaxy_HueGrn = 80;
  g.Galaxy_HueBlu = 70;
  g.Galaxy_HueBase = 5;
  g.Galaxy_Radius = 1200;
  g.Galaxy_Rotation = 640;
  g.Galaxy_Distance = 900;
  g.Galaxy_RadSegs = 3;
  g.Galaxy_RadFill = 45;
  g.Galaxy_RadBands = 6;
  g.Galaxy_RadBFill = 55;
  g.Galaxy_NewFreq = 410;
  g.Galaxy_NewFrames = 9;
  g.Galaxy_NewExtMult = 110;
  g.Galaxy_NovaFreq = 330;
  g.Galaxy_NovaFrames = 31;
  g.Galaxy_NovaExtMult = 610;
  g.Galaxy_PulsarFreq = 12;
  g.Galaxy_PulsarDepth = 120;
  g.Galaxy_PulsarShape = 2;
  g.Galaxy_PulsarCycles = 3;
  g.Galaxy_PulsarFrames = 44;
  g.Galaxy_PulsarMinExt = 55;
  g.Galaxy_PulsarMaxExt = 1100;
  g.Galaxy_CometFreq = 420;
  g.Galaxy_CometStars = 66;
  g.Galaxy_CometOrbit = 101;
  g.Galaxy_CometSpeed = 51;
  g.Galaxy_CometSWind = 201;
  g.Galaxy_CometCPersist = 0.9925f;
  g.Galaxy_CometSPersist = 0.5f;
  g.Galaxy_CometVector = true;
  g.Galaxy_HWC_Start = 150;
  g.Galaxy_HWC_End = 230;
  g.Galaxy_HWC_Inc = 0.25f;
  g.Galaxy_GHW_Ratio = 0.45f;
  g.Galaxy_RadiusExp = 1.25f;
  g.Galaxy_HeightExp = 2.5f;
  g.Galaxy_AngleTilt = 160.5f;
  g.Galaxy_AngleTInc = 0.125f;
  g.Galaxy_ColorMult = 1900;
  g.Galaxy_HWheelInc = 0.0625f;
  g.Galaxy_GalStyle = 9;
  g.Galaxy_AxisPlane = 1;
  g.Galaxy_ColorComp = 4;
  g.Galaxy_HueStart = 200;
  g.Galaxy_Profile = 2;
  g.Galaxy_DX_Blend = 60;
  g.Galaxy_CP_Points = 9;
  g.Galaxy_CP_Steps = 510;
  g.Galaxy_CP_Close = 0;
  g.Galaxy_CP_AdvHW = 1;
  g.Galaxy_CP_B_Pts = 2;
  g.Galaxy_CP_B_Exp = 90;
  g.Galaxy_CP_B_Spd = 7;
  g.Galaxy_QG_Force = 6.5f;
  auto& f = g.Ifs;
  f.Galaxy_IFS_Points = 3;
  f.IFS_CenterX = 5000;
  f.IFS_CenterY = 4000;
  f.IFS_CenterZ = 3000;
  for (int i = 0; i < 3; ++i) {
    f.IfsX[i] = 120 + i;
    f.IfsY[i] = 4000 + i;
    f.IfsZ[i] = 9999 - i;
    f.IfsScale[i] = 50 + i;
    f.IfsAxis[i] = i;
    f.IfsAngle[i] = 90 * i;
    f.IfsPct[i] = 100 * (i + 1);
  }
  auto& a = g.Atoms;
  a.Galaxy_Atoms = 2;
  a.Atom_CenterX = 10;
  a.Atom_CenterY = 20;
  a.Atom_CenterZ = 30;
  a.AtomElement = {1, 17};
  a.AtomX = {100, 12};
  a.AtomY = {200, 0};
  a.AtomZ = {300, 0};
  a.AtomType = {3, 8};
  a.AtomRadius = {400, 500};
  a.AtomExtra = {60, 70};
  return g;
}

class GalaxyPersistenceTest : public settingstest::TemplateTest {
 protected:
  void SetUp() override {
    model::ResetGalaxyRecords();
    TemplateTest::SetUp();
  }
  // Every stored value of a record, as the template writer puts it: equal texts mean equal
  // stored values.
  std::string StoredText(const GalaxyTypeProps& g) {
    std::string path = dir_ + "/probe.glx";
    auto& slot = model::records().GalaxyTypes[49];
    const GalaxyTypeProps saved = slot;
    slot = g;
    std::swap(store::templateState().TemplatePath, path);
    settings::WriteGalaxyTemplate(49, "Probe");
    settings::CloseTemplateFile();
    std::swap(store::templateState().TemplatePath, path);
    slot = saved;
    return testsupport::ReadFile(path);
  }
  GalaxyTypeProps& rec(int n) { return model::records().GalaxyTypes[n]; }
};

TEST_F(GalaxyPersistenceTest, EmptyRegistryGivesDefaults) {
  rec(0) = SampleGalaxy();
  rec(0).Atoms.AtomPoints = {18, 1};
  settings::ReadGalaxyReg(0, "Universe\\Galaxy0");
  EXPECT_EQ(rec(0)._UniGalName, "< Galaxy Profile 1 >");
  EXPECT_EQ(rec(0).Ifs.Galaxy_IFS_Points, 0);
  EXPECT_EQ(rec(0).Ifs.IfsX[0], 0);
  EXPECT_EQ(rec(0).Ifs.IFS_CenterX, 0);
  EXPECT_EQ(rec(0).Atoms.Galaxy_Atoms, 0);
  EXPECT_EQ(rec(0).Atoms.AtomElement[1], 0);
  // A count of 0 clears every column of the atoms, the derived positions included.
  EXPECT_EQ(rec(0).Atoms.AtomType[1], 0);
  EXPECT_EQ(rec(0).Atoms.AtomExtra[1], 0);
  EXPECT_EQ(rec(0).Atoms.AtomRadius[0], 0);
  EXPECT_EQ(rec(0).Atoms.Atom_CenterZ, 0);
  EXPECT_EQ(rec(0).Atoms.AtomPoints[0], 0);
  EXPECT_EQ(StoredText(rec(0)), StoredText(model::DefaultGalaxyType(0)));
  EXPECT_FLOAT_EQ(rec(0).Galaxy_CometCPersist, 0.9975f);
  EXPECT_FLOAT_EQ(rec(0).Galaxy_HWheelInc, 0.005f);
}

TEST_F(GalaxyPersistenceTest, RegistryRoundTripKeepsEveryStoredValue) {
  rec(3) = SampleGalaxy();
  settings::WriteGalaxyReg(3, "Universe\\Galaxy3");
  // Value names and text forms as stored.
  EXPECT_EQ(Raw("Universe\\Galaxy3", "_UniGalName"), "N\xC3\xA9" "buleuse = 1");
  EXPECT_EQ(Raw("Universe\\Galaxy3", "Galaxy_CometVector"), "1");
  EXPECT_EQ(Raw("Universe\\Galaxy3", "Galaxy_CometCPersist"), "0.9925");
  EXPECT_EQ(Raw("Universe\\Galaxy3", "Galaxy_StdLevB_A1"), "1");
  EXPECT_EQ(Raw("Universe\\Galaxy3\\IFS", "IFS_CenterY"), "4000");
  EXPECT_EQ(Raw("Universe\\Galaxy3\\IFS", "IFS_P1"), "*  121 4001 9998   51    1   90  200");
  EXPECT_EQ(Raw("Universe\\Galaxy3\\ATOMIC", "Atom_P01"), "*   17   12    0    0    8  500   70");
  EXPECT_EQ(Raw("Universe\\Galaxy3\\ATOMIC", "Atom_P02"), "<missing>");

  rec(3) = GalaxyTypeProps{};
  settings::ReadGalaxyReg(3, "Universe\\Galaxy3");
  EXPECT_EQ(StoredText(rec(3)), StoredText(SampleGalaxy()));
  EXPECT_EQ(rec(3).Atoms.AtomType[1], 8);
  EXPECT_EQ(rec(3).Ifs.IfsPct[2], 300);
}

TEST_F(GalaxyPersistenceTest, SubKeysAreRewrittenWhole) {
  rec(7) = SampleGalaxy();
  rec(7).Ifs.Galaxy_IFS_Points = 5;
  settings::WriteGalaxyReg(7, "Universe\\Galaxy7");
  EXPECT_NE(Raw("Universe\\Galaxy7\\IFS", "IFS_P4"), "<missing>");

  rec(7).Ifs.Galaxy_IFS_Points = 2;
  rec(7).Atoms.Galaxy_Atoms = 0;
  settings::WriteGalaxyReg(7, "Universe\\Galaxy7");
  EXPECT_NE(Raw("Universe\\Galaxy7\\IFS", "IFS_P0"), "<missing>");
  EXPECT_NE(Raw("Universe\\Galaxy7\\IFS", "IFS_P1"), "<missing>");
  for (const char* gone : {"IFS_P2", "IFS_P3", "IFS_P4"}) EXPECT_EQ(Raw("Universe\\Galaxy7\\IFS", gone), "<missing>");
  EXPECT_FALSE(platform::Registry().keyExists(platform::Hive::CurrentUser,
                                              store::SettingsKeyPath(store::kAppKey, "Universe\\Galaxy7\\ATOMIC")));
  EXPECT_EQ(Raw("Universe\\Galaxy7", "Galaxy_Atoms"), "0");
}

TEST_F(GalaxyPersistenceTest, RegistryReadToleratesBadStoredValues) {
  const char* sec = "Universe\\Galaxy2";
  store::SaveRegSetting(sec, "Galaxy_CometVector", "2");
  store::SaveRegSetting(sec, "Galaxy_Radius", "abc");
  store::SaveRegSetting(sec, "Galaxy_RadFill", "12,5");
  store::SaveRegSetting(sec, "Galaxy_IFS_Points", "9");  // more rows than a record holds
  for (int i = 0; i < 9; ++i) store::SaveRegSetting("Universe\\Galaxy2\\IFS", "IFS_P" + std::to_string(i), "*    7");
  store::SaveRegSetting(sec, "Galaxy_Atoms", "1");
  store::SaveRegSetting("Universe\\Galaxy2\\ATOMIC", "Atom_P00", "*9E999   5x");
  rec(2).Atoms.AtomElement[0] = 4;
  settings::ReadGalaxyReg(2, sec);
  EXPECT_FALSE(rec(2).Galaxy_CometVector);
  EXPECT_EQ(rec(2).Galaxy_Radius, 300);
  EXPECT_FLOAT_EQ(rec(2).Galaxy_RadFill, 12.5f);
  EXPECT_EQ(rec(2).Ifs.Galaxy_IFS_Points, 9);
  EXPECT_EQ(rec(2).Ifs.IfsX[4], 7);
  EXPECT_EQ(rec(2).Atoms.AtomElement[0], 4);  // a field beyond the 32-bit range keeps its value
  EXPECT_EQ(rec(2).Atoms.AtomX[0], 5);

  settings::LoadAllGalaxiesReg();
  EXPECT_EQ(rec(2).Ifs.Galaxy_IFS_Points, 5);
  EXPECT_FLOAT_EQ(rec(2).Galaxy_RadFill, 12.0f);
}

TEST_F(GalaxyPersistenceTest, RowTextHasFixedColumns) {
  EXPECT_EQ(settings::FormatRecordRow({120, 4000, 0, 9999, -1, 5, 12}), "*  120 4000    0 9999   -1    5   12");
  // Numbers too wide for a column are written as the nearest that fits.
  EXPECT_EQ(settings::FormatRecordRow({123456, -12345, 0, 0, 0, 0, 0}), "*99999-9999    0    0    0    0    0");

  struct Case {
    const char* row;
    std::array<int32_t, 7> expected;
  };
  const Case cases[] = {
      {"*  120 4000    0 9999   -1    5   12", {120, 4000, 0, 9999, -1, 5, 12}},
      {"*  2.5  3.5", {2, 4, 0, 0, 0, 0, 0}},   // halves to even
      {"*   12", {12, 0, 0, 0, 0, 0, 0}},        // short row: the rest reads 0
      {"", {0, 0, 0, 0, 0, 0, 0}},
      {"* abc    7", {0, 7, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::array<int32_t, 7> f{9, 9, 9, 9, 9, 9, 9};
    settings::ParseRecordRow(c.row, f);
    EXPECT_EQ(f, c.expected) << c.row;
  }
}

// The bytes of a template holding one galaxy type with IFS points and atoms and one composite.
TEST_F(GalaxyPersistenceTest, TemplateMatchesGoldenFileAndReadsBack) {
  rec(0) = SampleGalaxy();
  auto& comp = model::records().CompositeGalaxies[0];
  comp._CompGalName = "Mix";
  comp._CompGalPct = 40;
  comp.CompGal_Count = 3;
  comp.CompGal_Type = {4, 1, 2};
  settings::WriteGalaxyTemplate(0, "UniGal0");
  settings::WriteCompositeTemplate(0, "CompGal0");
  settings::CloseTemplateFile();
  const std::string golden = testsupport::ReadFile(testsupport::FixturePath("galaxy_composite.glx"));
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(testsupport::ReadFile(store::templateState().TemplatePath), golden);

  model::ResetGalaxyRecords();
  store::ClearTemplateCache();
  settings::ReadGalaxyTemplate(0, "UniGal0");
  settings::ReadCompositeTemplate(0, "CompGal0");
  EXPECT_EQ(StoredText(rec(0)), StoredText(SampleGalaxy()));
  EXPECT_EQ(rec(0).Ifs.Galaxy_IFS_Points, 3);
  EXPECT_EQ(rec(0).Atoms.Galaxy_Atoms, 2);
  EXPECT_EQ(comp._CompGalName, "Mix");
  EXPECT_EQ(comp._CompGalPct, 40);
  EXPECT_EQ(comp.CompGal_Count, 3);
  EXPECT_EQ(comp.CompGal_Type[0], 4);
  EXPECT_EQ(comp.CompGal_Type[2], 2);
}

TEST_F(GalaxyPersistenceTest, TemplateValuesThatDoNotConvertKeepTheField) {
  struct Case {
    const char* line;  // the UniGal5 line, or "" for none
    int32_t radius;    // Galaxy_Radius after the read, from 777
  };
  const Case cases[] = {
      {"Galaxy_Radius=1234", 1234},
      {"Galaxy_Radius=2.5", 2},
      {"Galaxy_Radius=", 777},
      {"Galaxy_Radius=abc", 777},
      {"Galaxy_Radius=99999999999", 777},
      {"Galaxy_Radius=-1e300", 777},
      {"", 300},
  };
  for (const Case& c : cases) {
    testsupport::WriteFile(store::templateState().TemplatePath,
                           std::string("\r\n[UniGal5]\r\n") + c.line + "\r\nGalaxy_Distance=1\r\n");
    store::ClearTemplateCache();
    rec(5).Galaxy_Radius = 777;
    settings::ReadGalaxyTemplate(5, "UniGal5");
    EXPECT_EQ(rec(5).Galaxy_Radius, c.radius) << c.line;
  }
}

TEST_F(GalaxyPersistenceTest, TemplateReadOfWeightSinglesAndFlag) {
  struct Case {
    const char* value;
    int32_t pct;          // _UniGalPct from 33
    float fill;           // Galaxy_RadFill from 44
    bool vector;          // Galaxy_CometVector from true
  };
  const Case cases[] = {
      {"12", 12, 12.0f, false},
      {"", 0, 44.0f, false},             // the weight reads "0" & text
      {"1", 1, 1.0f, true},
      {"40000", 33, 40000.0f, false},    // beyond a 16-bit weight
      {"1e40", 33, 44.0f, false},        // beyond a Single
      {"0,5", 0, 0.5f, false},           // a comma reads as the decimal separator
      {"-3", 33, -3.0f, false},
  };
  for (const Case& c : cases) {
    testsupport::WriteFile(store::templateState().TemplatePath,
                           std::string("\r\n[UniGal1]\r\n_UniGalPct=") + c.value + "\r\nGalaxy_RadFill=" + c.value +
                               "\r\nGalaxy_CometVector=" + c.value + "\r\n");
    store::ClearTemplateCache();
    rec(1)._UniGalPct = 33;
    rec(1).Galaxy_RadFill = 44.0f;
    rec(1).Galaxy_CometVector = true;
    settings::ReadGalaxyTemplate(1, "UniGal1");
    EXPECT_EQ(rec(1)._UniGalPct, c.pct) << c.value;
    EXPECT_FLOAT_EQ(rec(1).Galaxy_RadFill, c.fill) << c.value;
    EXPECT_EQ(rec(1).Galaxy_CometVector, c.vector) << c.value;
  }
}

TEST_F(GalaxyPersistenceTest, SaveAndLoadAllClampAndUseNumberedSections) {
  rec(12) = SampleGalaxy();
  rec(12).Galaxy_Radius = 99999;  // clamped before the save
  rec(12).Ifs.Galaxy_IFS_Points = 5;
  rec(12).Atoms.Galaxy_Atoms = 32;
  settings::SaveAllGalaxiesReg();
  EXPECT_EQ(Raw("Universe\\Galaxy12", "Galaxy_Radius"), "30000");
  EXPECT_NE(Raw("Universe\\Galaxy12\\IFS", "IFS_P4"), "<missing>");
  EXPECT_NE(Raw("Universe\\Galaxy12\\ATOMIC", "Atom_P31"), "<missing>");
  EXPECT_EQ(Raw("Universe\\Galaxy49", "_UniGalName"), "< Galaxy Profile 50 >");

  settings::SaveAllGalaxiesTemplate();
  settings::CloseTemplateFile();
  const std::string text = testsupport::ReadFile(store::templateState().TemplatePath);
  EXPECT_EQ(text.rfind("\r\n[UniGal0]\r\n_UniGalName=< Galaxy Profile 1 >\r\n_UniGalPct=0\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\n[UniGal12\\ATOMIC]\r\nAtom_CenterX=10\r\n"), std::string::npos);
  EXPECT_NE(text.find("Atom_P31="), std::string::npos);

  model::ResetGalaxyRecords();
  store::ClearTemplateCache();
  settings::LoadAllGalaxiesTemplate();
  EXPECT_EQ(rec(12).Galaxy_Radius, 30000);
  EXPECT_EQ(rec(12).Atoms.Galaxy_Atoms, 32);

  model::ResetGalaxyRecords();
  settings::LoadAllGalaxiesReg();
  EXPECT_EQ(rec(12)._UniGalName, SampleGalaxy()._UniGalName);
  EXPECT_EQ(rec(12).Ifs.Galaxy_IFS_Points, 5);
}

}  // namespace
