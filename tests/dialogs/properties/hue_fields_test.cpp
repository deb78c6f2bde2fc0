// The hue cone fields and disc, the colour filter and desktop blend fields and the extras
// panels, on the dialog's own controls.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/display_settings.h"
#include "model/colors.h"
#include "props_fields_fixture.h"
#include "store/registry_access.h"

namespace dialogs {
namespace {

using HueFieldsTest = PropsFieldsTest;

struct KeyCase {
  const char* what;
  controls::TextBox* (*box)(PropsControls&);
  const char* before;
  const char* keys;  // typed over the selected text; empty: none
  Qt::Key arrow;     // pressed after typing; Qt::Key_unknown: none
  const char* after;
  int beeps;
  const char* left;
};

controls::TextBox* Cone(PropsControls& c, int i) { return &c.txtColorProps[i]; }
controls::TextBox* Mask(PropsControls& c, int i) { return &c.txtFilterRGB[i]; }
controls::TextBox* Desktop(PropsControls& c, int i) { return &c.txtDesktopBlend[i]; }

TEST_F(HueFieldsTest, ConeMaskAndDesktopFieldsTypeStepAndClamp) {
  ShowActive();
  const KeyCase cases[] = {
      {"bias up at 995", [](PropsControls& c) { return Cone(c, 2); }, "995", "", Qt::Key_Up, "999", 0, "999"},
      {"twist down at -997", [](PropsControls& c) { return Cone(c, 3); }, "-997", "", Qt::Key_Down, "-999", 0, "-999"},
      {"twist up at -2000", [](PropsControls& c) { return Cone(c, 3); }, "-2000", "", Qt::Key_Up, "-1995", 0, "-999"},
      {"brightness refuses a minus", [](PropsControls& c) { return Cone(c, 0); }, "100", "-5", Qt::Key_unknown, "5", 1, "5"},
      {"twist refuses a minus", [](PropsControls& c) { return Cone(c, 3); }, "45", "-9", Qt::Key_unknown, "9", 1, "9"},
      {"brightness 250 clamps", [](PropsControls& c) { return Cone(c, 0); }, "100", "250", Qt::Key_unknown, "250", 0, "100"},
      {"fade up at 100", [](PropsControls& c) { return Cone(c, 1); }, "100", "", Qt::Key_Up, "100", 0, "100"},
      {"mask 300 clamps", [](PropsControls& c) { return Mask(c, 0); }, "0", "300", Qt::Key_unknown, "300", 0, "255"},
      {"mask up at 255", [](PropsControls& c) { return Mask(c, 1); }, "255", "", Qt::Key_Up, "255", 0, "255"},
      {"mask takes digits only", [](PropsControls& c) { return Mask(c, 2); }, "0", "1.5", Qt::Key_unknown, "15", 1, "15"},
      {"mask down at 0", [](PropsControls& c) { return Mask(c, 2); }, "0", "", Qt::Key_Down, "0", 0, "0"},
      {"desktop percent up at 99", [](PropsControls& c) { return Desktop(c, 0); }, "99", "", Qt::Key_Up, "99", 0, "99"},
      {"desktop percent two digits", [](PropsControls& c) { return Desktop(c, 0); }, "0", "123", Qt::Key_unknown, "12", 0, "12"},
      {"blend frames up", [](PropsControls& c) { return Desktop(c, 1); }, "998", "", Qt::Key_Up, "999", 0, "999"},
      {"blend frames down", [](PropsControls& c) { return Desktop(c, 1); }, "5", "", Qt::Key_Down, "4", 0, "4"},
  };
  for (const KeyCase& t : cases) {
    SCOPED_TRACE(t.what);
    controls::TextBox& box = *t.box(form->c);
    box.SetText(t.before);
    beeps = 0;
    TypeInto(box, t.keys);
    if (t.arrow != Qt::Key_unknown) QTest::keyClick(&box, t.arrow);
    EXPECT_EQ(box.Text(), t.after);
    EXPECT_EQ(beeps, t.beeps);
    Leave();
    EXPECT_EQ(box.Text(), t.left);
  }
}

TEST_F(HueFieldsTest, ConeSpinnersFollowTheFieldsAndRedrawTheDisc) {
  PrepareFilterAndConeFields(form->c);
  PropsControls& c = form->c;
  EXPECT_EQ(c.spnHue[3].Min(), -999);
  EXPECT_EQ(c.spnHue[3].Max(), 999);
  EXPECT_EQ(c.spnHue[3].SmallChange(), 5);
  EXPECT_EQ(c.spnHue[2].SmallChange(), 10);

  c.txtColorProps[2].SetText("300");
  EXPECT_EQ(c.spnHue[2].Value(), 300);
  // The spinner's change writes its value back and draws the disc.
  EXPECT_TRUE(engine::hueCone().ConePointsBuilt);
  c.spnHue[0].SetValue(40);
  EXPECT_EQ(c.txtColorProps[0].Text(), "40");
}

TEST_F(HueFieldsTest, DiscIsDrawnAtEightySevenPixelsAndShownScaled) {
  PropsControls& c = form->c;
  c.spnHue[1].SetValue(30);  // a spinner change redraws the disc

  // The disc's points come from the 87-pixel picture, whatever room the window has.
  EXPECT_EQ(engine::hueCone().ConePointCount, 6054);
  const QImage drawn = c.picHueWheel->image();
  ASSERT_EQ(drawn.size(), QSize(kConeDiscPixels, kConeDiscPixels));
  EXPECT_EQ(c.imgHueWheel->Picture(), drawn);
  const QRgb corner = drawn.pixel(0, 0);
  EXPECT_EQ(corner & 0xFFFFFFu, c.picHueWheel->BackColor());
  EXPECT_NE(drawn.pixel(70, 43), corner);  // inside the disc

  // Shown twice as large, the disc fills the larger image.
  c.imgHueWheel->setFixedSize(2 * kConeDiscPixels, 2 * kConeDiscPixels);
  const QImage shown = c.imgHueWheel->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(2 * kConeDiscPixels, 2 * kConeDiscPixels));
  for (const QPoint p : {QPoint(70, 43), QPoint(43, 20), QPoint(20, 50), QPoint(2, 2)}) {
    const QRgb a = drawn.pixel(p);
    const QRgb b = shown.pixel(2 * p.x() + 1, 2 * p.y() + 1);
    EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)), 60)
        << p.x() << "," << p.y();
  }
}

TEST_F(HueFieldsTest, LeavingAConeFieldClampsAndRedrawsTheDisc) {
  ShowActive();
  PropsControls& c = form->c;
  PrepareFilterAndConeFields(c);
  TypeInto(c.txtColorProps[0], "250");
  EXPECT_EQ(c.txtColorProps[0].Text(), "250");
  // The spinner followed "2" and "25"; 250 lies beyond it.
  EXPECT_EQ(c.spnHue[0].Value(), 25);
  engine::ResetHueConeState();
  engine::SetHueConeDialog(form.get());
  Leave();
  EXPECT_EQ(c.txtColorProps[0].Text(), "100");
  EXPECT_EQ(c.spnHue[0].Value(), 100);
  EXPECT_TRUE(engine::hueCone().ConePointsBuilt);
  EXPECT_EQ(c.imgHueWheel->Picture().size(), QSize(kConeDiscPixels, kConeDiscPixels));
}

TEST_F(HueFieldsTest, FilterListShowsTheChosenMaskAndTypedMasksReachTheCompositorOnLeaving) {
  store::SaveRegSetting("General", "FilterEffect", "3");
  PropsControls& c = form->c;
  PrepareFilterAndConeFields(c);
  ASSERT_EQ(c.cboFilterEffect->ListCount(), host::kFilterEffectCount);
  EXPECT_EQ(c.cboFilterEffect->List(0), "Normal (Default)");
  EXPECT_EQ(c.cboFilterEffect->List(15), "Green Sea Paint");
  // The stored choice is selected and in effect: "Pure Blue", AND with 0000FF.
  EXPECT_EQ(c.cboFilterEffect->ListIndex(), 3);
  EXPECT_EQ(presentation::compositor().FilterMode, 1);
  EXPECT_EQ(c.txtFilterRGB[2].Text(), "255");
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(c.txtFilterRGB[i].Enabled());
    EXPECT_FALSE(c.txtFilterRGB[i].Locked());
    EXPECT_EQ(c.txtFilterRGB[i].ToolTipText(), "");
  }

  // Choosing "Film Negative" shows its mask bytes and sets XOR with FFFFFF.
  c.cboFilterEffect->SetListIndex(8);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(c.txtFilterRGB[i].Text(), "255") << i;
  EXPECT_EQ(presentation::compositor().FilterMode, 2);
  EXPECT_EQ(presentation::compositor().FilterMask, 0xFFFFFF);

  // Typed bytes change nothing until the field is left; then the filter uses them.
  ShowActive();
  TypeInto(c.txtFilterRGB[1], "16");
  EXPECT_EQ(presentation::compositor().FilterMask, 0xFFFFFF);
  Leave();
  EXPECT_EQ(presentation::compositor().FilterMask, 0xFF10FF);
  EXPECT_EQ(presentation::compositor().FilterMode, 2);
  // A byte beyond 255 is clamped before it is used.
  TypeInto(c.txtFilterRGB[0], "300");
  Leave();
  EXPECT_EQ(presentation::compositor().FilterMask, 0xFF10FF);
  TypeInto(c.txtFilterRGB[0], "1");
  Leave();
  EXPECT_EQ(presentation::compositor().FilterMask, 0x0110FF);
}

TEST_F(HueFieldsTest, StoredFilterOutsideTheListSelectsNothingAndFiltersNothing) {
  store::SaveRegSetting("General", "FilterEffect", "16");
  PrepareFilterAndConeFields(form->c);
  EXPECT_EQ(form->c.cboFilterEffect->ListIndex(), -1);
  EXPECT_EQ(presentation::compositor().FilterMode, 0);
}

// The panel is the topmost of the siblings it overlaps.
bool InFront(const QWidget& panel) {
  const QWidget* holder = panel.parentWidget();
  if (holder == nullptr) return false;
  const QObjectList& siblings = holder->children();
  for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
    const auto* w = qobject_cast<const QWidget*>(*it);
    if (w != nullptr && w->geometry().intersects(panel.geometry())) return w == &panel;
  }
  return false;
}

struct ExtrasCase {
  const char* what;
  controls::ComboBox* (*selector)(PropsControls&);
  controls::ControlArray<controls::Frame>& (*panels)(PropsControls&);
  int32_t count;
};

TEST_F(HueFieldsTest, ExtrasSelectorsEnableOnlyTheChosenPanelInFront) {
  const ExtrasCase cases[] = {
      {"universe", [](PropsControls& c) { return c.cboUniExtras; },
       [](PropsControls& c) -> controls::ControlArray<controls::Frame>& { return c.fraUniProp; }, 5},
      {"galaxy", [](PropsControls& c) { return c.cboGalaxExtras; },
       [](PropsControls& c) -> controls::ControlArray<controls::Frame>& { return c.fraGalProp; }, 3},
  };
  for (const ExtrasCase& t : cases) {
    controls::ComboBox& selector = *t.selector(form->c);
    controls::ControlArray<controls::Frame>& panels = t.panels(form->c);
    ASSERT_EQ(selector.ListCount(), t.count) << t.what;
    for (int32_t chosen = t.count - 1; chosen >= 0; --chosen) {
      selector.SetListIndex(chosen);
      for (int32_t i = 0; i < t.count; ++i) EXPECT_EQ(panels[i].Enabled(), i == chosen) << t.what << " " << chosen;
      EXPECT_TRUE(InFront(panels[chosen])) << t.what << " " << chosen;
    }
  }
}

}  // namespace
}  // namespace dialogs
