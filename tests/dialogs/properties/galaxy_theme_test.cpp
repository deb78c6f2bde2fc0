// Galaxy themes: the galaxy page filled from a factory galaxy, the level settings, IFS points
// and atoms written into the edited type's record at once.
#include "dialogs/properties/galaxy_theme.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/properties/props_controls.h"
#include "roads_fixture.h"
#include "store/values.h"

namespace dialogs {
namespace {

constexpr int32_t kEdited = 3;

class GalaxyThemeTest : public RoadsTest {
 protected:
  void SetUp() override {
    RoadsTest::SetUp();
    PropsControls& c = form->c;
    c.cboGalColor->SetListIndex(2);
    // The edited type holds points, atoms and level settings of its own.
    model::GalaxyTypeProps& g = Edited();
    g.Ifs.Galaxy_IFS_Points = 3;
    g.Atoms.Galaxy_Atoms = 7;
    g.Galaxy_StdLevDRad = 777;
    g.Galaxy_StdLevHSca = 7.5f;
    g.Galaxy_StdLevB_HS = g.Galaxy_StdLevB_A0 = g.Galaxy_StdLevB_A1 = -1;
    g.Galaxy_Radius = 4321;
  }
  static model::GalaxyTypeProps& Edited() { return model::records().GalaxyTypes[kEdited]; }
  void Choose(int32_t theme) {
    form->c.cboGalTheme->SetListIndex(theme);
    cboGalTheme_Click(form->c, kEdited);
  }
};

TEST_F(GalaxyThemeTest, EveryFactoryGalaxyFillsTheBoxesFromItsColumnsByStyle) {
  PropsControls& c = form->c;
  for (int32_t theme = 1; theme <= 50; ++theme) {
    Choose(theme);
    const std::string row = settings::FactoryGalaxyRow(theme);
    const bool nebula = store::GetCsvField(row, 3) == "4";
    for (const GalaxyThemeStep& step : GalaxyThemeSteps()) {
      const int column = nebula && step.nebulaColumn >= 0 ? step.nebulaColumn : step.column;
      if (step.target == GalaxyThemeTarget::Galaxy) {
        EXPECT_EQ(c.txtGalaxy[step.field].Text(), store::GetCsvField(row, column)) << theme << " box " << step.field;
      }
      if (step.target == GalaxyThemeTarget::PixHue) {
        EXPECT_EQ(c.txtPixHue[step.field].Text(), store::GetCsvField(row, column)) << theme << " hue " << step.field;
      }
    }
    EXPECT_EQ(c.cboGalStyle->ListIndex(), runtime::Val(store::GetCsvField(row, 3))) << theme;
    EXPECT_EQ(c.cboPulsarShape->ListIndex(), runtime::Val(store::GetCsvField(row, 31))) << theme;
    EXPECT_EQ(c.chkCometVector->Value(), runtime::Val(store::GetCsvField(row, 42))) << theme;
  }
}

TEST_F(GalaxyThemeTest, ThemeOneShowsTheStandardGalaxyAndEmptiesPointsAndAtoms) {
  PropsControls& c = form->c;
  c.cboGalStyle->SetListIndex(8);
  Choose(1);
  EXPECT_EQ(c.txtGalaxy[0].Text(), "300");
  EXPECT_EQ(c.txtGalaxy[1].Text(), "500");
  EXPECT_EQ(c.txtGalaxy[2].Text(), "400");
  EXPECT_EQ(c.cboGalStyle->ListIndex(), 0);
  EXPECT_EQ(c.txtGalaxy[95].Text(), "240");
  EXPECT_EQ(c.txtGalaxy[90].Text(), "0.3");  // the column's text as it stands
  EXPECT_EQ(c.cboGalColor->ListIndex(), 3);
  const model::GalaxyTypeProps& g = Edited();
  EXPECT_EQ(g.Ifs.Galaxy_IFS_Points, 0);
  EXPECT_EQ(g.Atoms.Galaxy_Atoms, 0);
  // Level spacing 0 is clamped to 1; the flags are 0.
  EXPECT_EQ(g.Galaxy_StdLevDRad, 1);
  EXPECT_EQ(g.Galaxy_StdLevHSca, 0.0f);
  EXPECT_EQ(g.Galaxy_StdLevB_HS, 0);
  // The fields reach the record only when the editing ends.
  EXPECT_EQ(g.Galaxy_Radius, 4321);
}

TEST_F(GalaxyThemeTest, ThemeEightWritesItsLevelSettings) {
  Choose(8);
  const model::GalaxyTypeProps& g = Edited();
  EXPECT_EQ(form->c.txtGalaxy[9].Text(), "5");
  EXPECT_EQ(g.Galaxy_StdLevDRad, 250);
  EXPECT_EQ(g.Galaxy_StdLevHSca, 3.0f);
  EXPECT_EQ(g.Galaxy_StdLevB_HS, 0);
  EXPECT_EQ(g.Galaxy_StdLevB_A0, 0);
  EXPECT_EQ(g.Galaxy_StdLevB_A1, 0);
}

TEST_F(GalaxyThemeTest, NebulaThemeFillsTheControlPointsAndKeepsTheColourEntry) {
  PropsControls& c = form->c;
  Choose(23);
  EXPECT_EQ(c.cboGalStyle->ListIndex(), 4);
  const char* const expected[] = {"10", "750", "1", "100"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c.txtGalaxy[3 + i].Text(), expected[i]) << i;
  EXPECT_EQ(c.txtGalaxy[93].Text(), "0");
  // Colour computation 5 is no entry of the list: the list keeps its choice.
  EXPECT_EQ(c.cboGalColor->ListIndex(), 2);
  // The level settings belong to the standard style only.
  EXPECT_EQ(Edited().Galaxy_StdLevDRad, 777);
  EXPECT_EQ(Edited().Galaxy_StdLevB_A1, -1);
  EXPECT_EQ(Edited().Ifs.Galaxy_IFS_Points, 0);
}

TEST_F(GalaxyThemeTest, UserDefinedIfsThemeWritesItsPointsAtOnce) {
  Choose(40);
  const model::IfsBlock& ifs = Edited().Ifs;
  ASSERT_EQ(ifs.Galaxy_IFS_Points, 5);
  EXPECT_EQ(ifs.IFS_CenterX, 0);
  EXPECT_EQ(ifs.IFS_CenterY, 500);
  EXPECT_EQ(ifs.IFS_CenterZ, 0);
  EXPECT_EQ(ifs.IfsX[0], 0);
  EXPECT_EQ(ifs.IfsY[0], 1500);
  EXPECT_EQ(ifs.IfsScale[0], 33);
  EXPECT_EQ(ifs.IfsPct[0], 4);
  EXPECT_EQ(ifs.IfsAxis[3], 1);
  EXPECT_EQ(ifs.IfsAngle[4], 270);
  EXPECT_EQ(ifs.IfsPct[4], 1);
  EXPECT_EQ(Edited().Atoms.Galaxy_Atoms, 0);
  // Another type's record is left alone.
  EXPECT_EQ(model::records().GalaxyTypes[kEdited + 1].Ifs.Galaxy_IFS_Points, 0);
}

TEST_F(GalaxyThemeTest, NoneOrNoEditedTypeChangesNothing) {
  PropsControls& c = form->c;
  c.txtGalaxy[0].SetText("1234");
  Choose(0);
  form->c.cboGalTheme->SetListIndex(1);
  for (int32_t nType : {-1, 50}) cboGalTheme_Click(c, nType);
  EXPECT_EQ(c.txtGalaxy[0].Text(), "1234");
  EXPECT_EQ(Edited().Ifs.Galaxy_IFS_Points, 3);
  EXPECT_EQ(Edited().Galaxy_StdLevDRad, 777);
}

}  // namespace
}  // namespace dialogs
