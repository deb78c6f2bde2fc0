// The field handlers as the Properties window wires them.
#include <gtest/gtest.h>

#include <QTest>

#include "dialogs/properties/hue_fields.h"
#include "engine/hue_cone.h"
#include "props_fixture.h"

namespace dialogs::testing {
namespace {

using FieldsInWindowTest = PropsTest;

TEST_F(FieldsInWindowTest, WindowStepsItsFieldsAndDrawsTheConeDisc) {
  frmProps& d = Open();
  PropsControls& c = d.c;
  // The star count steps and its spinner follows.
  c.txtUni[0].SetText("150");
  QTest::keyClick(&c.txtUni[0], Qt::Key_Down);
  EXPECT_EQ(c.txtUni[0].Text(), "100");
  EXPECT_EQ(c.spnUni[0].Value(), 10);
  // A theme fills the universe fields.
  c.cboUniTheme->SetListIndex(8);
  EXPECT_EQ(c.txtUni[50].Text(), "125000");
  // The window is the engine's cone dialog; its disc is 87 pixels square and shown.
  ASSERT_EQ(engine::hueConeDialog(), &d);
  ASSERT_NE(d.HueWheelPicture(), nullptr);
  c.spnHue[2].SetValue(c.spnHue[2].Value() == 10 ? 20 : 10);
  EXPECT_EQ(engine::hueCone().ConePointCount, 6054);
  EXPECT_EQ(c.imgHueWheel->Picture().size(), QSize(kConeDiscPixels, kConeDiscPixels));
  // The load filled the filter list; a choice shows its mask bytes.
  ASSERT_EQ(c.cboFilterEffect->ListCount(), 16);
  c.cboFilterEffect->SetListIndex(8);
  EXPECT_EQ(c.txtFilterRGB[0].Text(), "255");
}

}  // namespace
}  // namespace dialogs::testing
