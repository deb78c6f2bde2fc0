// The Properties window's property copy as the advanced settings window calls it, its galaxy
// theme on the edited type, and the type list's fields, in a loaded window.
#include <gtest/gtest.h>

#include "dialogs/properties/frm_props.h"

#include <QTest>

#include "dialogs/properties/props_fixture.h"
#include "dialogs/properties/type_lists.h"
#include "model/galaxy_types.h"

namespace dialogs::testing {
namespace {

using CopyAndThemeWindowTest = PropsTest;

model::GalaxyTypeProps& Type(int n) { return model::records().GalaxyTypes[static_cast<size_t>(n)]; }

TEST_F(CopyAndThemeWindowTest, AdvancedWindowCallZeroesTheBlendOfEveryType) {
  frmProps& d = Open();
  for (int n = 0; n < 50; ++n) Type(n).Galaxy_DX_Blend = 70;
  PropsFields& fields = d;
  fields.CopyPropValueToAllGalaxyTypes(4, 0);
  for (int n = 0; n < 50; ++n) EXPECT_EQ(Type(n).Galaxy_DX_Blend, 0) << n;
  EXPECT_EQ(d.c.txtPixHue[4].Text(), "0");
}

TEST_F(CopyAndThemeWindowTest, CopyWhileEditingReachesTheEditedTypeThroughItsPage) {
  frmProps& d = Open();
  PropsControls& c = d.c;
  c.lstUniGalaxy->SetListIndex(3);
  EXPECT_EQ(c.txtUniGalName->Text(), Type(3)._UniGalName);
  d.SetGalaxyEditMode(true);
  c.lstUniGalaxy->SetListIndex(5);  // the edited type was fixed on entry
  c.txtGalaxy[1].SetText("4321");
  static_cast<PropsFields&>(d).CopyPropValueToAllGalaxyTypes(7, 999);
  // The page was stored first: the typed rotation is in the record, the copied distance shown.
  EXPECT_EQ(Type(3).Galaxy_Rotation, 4321);
  EXPECT_EQ(Type(3).Galaxy_Distance, 999);
  EXPECT_EQ(c.txtGalaxy[2].Text(), "999");
  EXPECT_EQ(Type(20).Galaxy_Distance, 999);

  // A theme of user-defined points reaches the edited type's record at once.
  c.cboGalTheme->SetListIndex(40);
  EXPECT_EQ(Type(3).Ifs.Galaxy_IFS_Points, 5);
  EXPECT_EQ(Type(3).Ifs.IFS_CenterY, 500);
  EXPECT_EQ(c.cboGalStyle->ListIndex(), 8);
}

TEST_F(CopyAndThemeWindowTest, DoubleClickOnACompositePressesItsPreviewButton) {
  frmProps& d = Open();
  PropsControls& c = d.c;
  int presses = 0;
  c.cmdPreviewComp->Click = [&] { ++presses; };
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
  c.cboUniExtras->SetListIndex(3);
  QListWidgetItem* line = c.lstCompGalaxy->item(2);
  ASSERT_NE(line, nullptr);
  c.lstCompGalaxy->scrollToItem(line);
  const QPoint at = c.lstCompGalaxy->visualItemRect(line).center();
  QTest::mouseClick(c.lstCompGalaxy->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(presses, 0);
  QTest::mouseDClick(c.lstCompGalaxy->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(c.lstCompGalaxy->ListIndex(), 2);
  EXPECT_EQ(c.txtCompGalName->Text(), ListLineName(c.lstCompGalaxy->List(2)));
}

}  // namespace
}  // namespace dialogs::testing
