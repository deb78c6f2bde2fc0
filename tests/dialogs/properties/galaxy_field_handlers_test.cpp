// The galaxy page's fields driven by keys: filters, arrow steps, clamps on leaving, the
// box-spinner pairs and the hue and level swatches.
#include "dialogs/properties/galaxy_field_handlers.h"

#include <gtest/gtest.h>

#include <QTest>

#include <array>
#include <string>

#include "dialogs/properties/field_rules.h"
#include "dialogs/properties/props_controls.h"
#include "galaxy_page_fixture.h"
#include "model/colors.h"

namespace dialogs {
namespace {

using GalaxyFieldHandlersTest = GalaxyPageTest;

enum class Act { Up, Down, Leave };
constexpr int kNoSpinner = -1;

uint32_t Shown(int32_t colourRef) { return static_cast<uint32_t>(model::ToDisplayColorOrder(colourRef)); }

TEST_F(GalaxyFieldHandlersTest, ArrowsStepWithinTheStylesRangeAndLeavingClamps) {
  ShowActive();
  PropsControls& c = form->c;
  const struct {
    int box;
    int32_t style;  // cboGalStyle's position; -1 none
    const char* text;
    Act act;
    const char* after;
    int spinner;
  } cases[] = {
      {0, 0, "29995", Act::Up, "30000", 30000},
      {0, 0, "30000", Act::Up, "30000", 30000},
      {0, 0, "5", Act::Down, "1", 1},
      {1, 0, "5", Act::Down, "0", 0},
      {2, 0, "100", Act::Up, "110", 110},
      // Boxes 3 to 6 step within the range of the style shown, as leaving them clamps.
      {4, 4, "500", Act::Up, "501", 501},
      {4, 4, "500", Act::Down, "499", 499},
      {4, 0, "100", Act::Up, "100", 100},
      {5, 1, "200", Act::Up, "201", 201},
      {3, 2, "4", Act::Down, "4", 4},
      {6, 7, "500", Act::Up, "501", 501},
      {3, -1, "99", Act::Up, "99", kNoSpinner},
      {95, 0, "357", Act::Up, "359", 359},
      {95, 0, "3", Act::Down, "0", 0},
      {47, 0, "998", Act::Up, "999", 999},
      {48, 0, "0", Act::Down, "0", 0},
      {10, 0, "5", Act::Up, "5", kNoSpinner},
      {96, 0, "5", Act::Down, "5", kNoSpinner},
      {45, 0, "0.05", Act::Leave, "0.1", kNoSpinner},
      {45, 0, "1.5", Act::Leave, "0.9999", kNoSpinner},
      {93, 4, "1000", Act::Leave, "999", kNoSpinner},
      {93, 0, "400", Act::Leave, "360", kNoSpinner},
      {4, 0, "5000", Act::Leave, "100", 100},
      {4, 4, "5000", Act::Leave, "5000", 5000},
      {5, 3, "0", Act::Leave, "0", kNoSpinner},
      {3, -1, "200", Act::Leave, "200", kNoSpinner},  // no style: not clamped
      {0, 0, "0", Act::Leave, "1", 1},
      {90, 0, "150", Act::Leave, "99.9", kNoSpinner},
      {9, 0, "12", Act::Leave, "10", kNoSpinner},
      {21, 0, "0", Act::Leave, "1", kNoSpinner},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE("txtGalaxy(" + std::to_string(k.box) + ") style " + std::to_string(k.style) + " " + k.text);
    c.cboGalStyle->SetListIndex(k.style);
    controls::TextBox& box = c.txtGalaxy[k.box];
    box.SetText(k.text);
    box.SetFocus();
    if (k.act == Act::Up) QTest::keyClick(&box, Qt::Key_Up);
    if (k.act == Act::Down) QTest::keyClick(&box, Qt::Key_Down);
    if (k.act == Act::Leave) Leave();
    EXPECT_EQ(box.Text(), k.after);
    if (k.spinner != kNoSpinner) {
      EXPECT_EQ(c.spnGalaxy[k.box].Value(), k.spinner);
    }
    Leave();
  }
}

TEST_F(GalaxyFieldHandlersTest, KeysAreFilteredToDigitsOrADecimalNumber) {
  ShowActive();
  PropsControls& c = form->c;
  const struct {
    bool pixHue;
    int box;
    const char* keys;
    const char* text;
    int beeps;
  } cases[] = {
      {false, 45, "0.5.", "0.5", 1}, {false, 8, "1.5", "1.5", 0},  {false, 96, "x2.25", "2.25", 1},
      {false, 0, "12a3", "123", 1},  {false, 93, "1.5", "15", 1},  {true, 0, "5x0", "50", 1},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.pixHue ? "txtPixHue(" : "txtGalaxy(") + std::to_string(k.box) + ") " + k.keys);
    beeps = 0;
    controls::TextBox& box = k.pixHue ? c.txtPixHue[k.box] : c.txtGalaxy[k.box];
    TypeInto(box, k.keys);
    EXPECT_EQ(box.Text(), k.text);
    EXPECT_EQ(beeps, k.beeps);
    Leave();
  }
}

TEST_F(GalaxyFieldHandlersTest, BoxesAndSpinnersFollowEachOther) {
  PropsControls& c = form->c;
  c.cboGalStyle->SetListIndex(0);
  // A radius above 9999 moves the radius spinner, so its steps start from that radius.
  c.txtGalaxy[0].SetText("12000");
  EXPECT_EQ(c.spnGalaxy[0].Value(), 12000);
  c.spnGalaxy[0].SetValue(c.spnGalaxy[0].Value() + c.spnGalaxy[0].SmallChange());
  EXPECT_EQ(c.txtGalaxy[0].Text(), "12050");
  // A fill written as 12.5 moves its spinner to 12, which writes 12 back.
  c.txtGalaxy[4].SetText("12.5");
  EXPECT_EQ(c.spnGalaxy[4].Value(), 12);
  EXPECT_EQ(c.txtGalaxy[4].Text(), "12");
  c.spnGalaxy[95].SetValue(100);
  EXPECT_EQ(c.txtGalaxy[95].Text(), "100");
  c.spnPixHue[2].SetValue(40);
  EXPECT_EQ(c.txtPixHue[2].Text(), "40");
  // A value outside a spinner's range leaves it where it was.
  c.txtGalaxy[1].SetText("40000");
  EXPECT_EQ(c.spnGalaxy[1].Value(), 0);
}

TEST_F(GalaxyFieldHandlersTest, StarHueFieldsPaintTheirLevelSwatches) {
  ShowActive();
  PropsControls& c = form->c;
  const struct {
    int field;
    const char* text;
    uint32_t swatch;
    int spinner;
  } cases[] = {
      {0, "150", 0xFF0000, 0},  // beyond the spinner's range: it stays
      {1, "40", 0x006600, 40},
      {2, "1", 0x000003, 1},
      {3, "50", 0x7F7F7F, 50},  // 50 x 2.55 lies just below 127.5
      {3, "100", 0xFFFFFF, 100},
      {3, "", 0x000000, 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE("txtPixHue(" + std::to_string(k.field) + ") " + k.text);
    c.txtPixHue[k.field].SetText(k.text);
    EXPECT_EQ(c.picPixHue[k.field].BackColor(), k.swatch);
    EXPECT_EQ(c.picPixHue[k.field].Point(1, 1), k.swatch);
    EXPECT_EQ(c.spnPixHue[k.field].Value(), k.spinner);
  }
  // The blending field has no swatch; only its spinner moves.
  c.txtPixHue[4].SetText("30");
  EXPECT_EQ(c.spnPixHue[4].Value(), 30);
  EXPECT_EQ(c.picPixHue.Find(4), nullptr);
  // Up at 99 gives 100, although only two characters can be typed there.
  c.txtPixHue[4].SetText("99");
  c.txtPixHue[4].SetFocus();
  QTest::keyClick(&c.txtPixHue[4], Qt::Key_Up);
  EXPECT_EQ(c.txtPixHue[4].Text(), "100");
  // Leaving the red field at 150 clamps it.
  c.txtPixHue[0].SetFocus();
  Leave();
  EXPECT_EQ(c.txtPixHue[0].Text(), "100");
  EXPECT_EQ(c.spnPixHue[0].Value(), 100);
}

TEST_F(GalaxyFieldHandlersTest, HueWheelStartPaintsItsHue) {
  PropsControls& c = form->c;
  const struct {
    const char* text;
    int32_t hue;
  } cases[] = {{"120", 120}, {"", 0}, {"359", 359}, {"45", 45}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.text);
    c.txtGalaxy[95].SetText(k.text);
    EXPECT_EQ(c.picGalHue->BackColor(), Shown(model::HueToColor(k.hue)));
    EXPECT_EQ(c.picGalHue->Point(1, 1), Shown(model::HueToColor(k.hue)));
  }
}

TEST_F(GalaxyFieldHandlersTest, CometHuesPaintEightyBandsAtEveryChange) {
  ShowActive();
  PropsControls& c = form->c;
  c.picColNova->resize(160, 8);
  const auto bandsShown = [&](const char* start, const char* end) {
    const std::array<int32_t, kSwatchBands> bands = HueSwatchColors(start, end);
    for (int i = 0; i < kSwatchBands; ++i) {
      if (c.picColNova->Point(2 * i, 0) != Shown(bands[static_cast<size_t>(i)]) ||
          c.picColNova->Point(2 * i + 1, 7) != Shown(bands[static_cast<size_t>(i)]))
        return false;
    }
    return bands[8] != bands[79];
  };
  c.txtGalaxy[47].SetText("30");
  c.txtGalaxy[48].SetText("300");
  EXPECT_TRUE(bandsShown("30", "300"));
  // Typing repaints at each key; clearing the end paints the range from the start to hue 0.
  TypeInto(c.txtGalaxy[47], "9");
  EXPECT_TRUE(bandsShown("9", "300"));
  TypeInto(c.txtGalaxy[47], "90");
  EXPECT_TRUE(bandsShown("90", "300"));
  c.txtGalaxy[48].SetFocus();
  QTest::keyClick(&c.txtGalaxy[48], Qt::Key_Delete);
  EXPECT_TRUE(bandsShown("90", ""));
  // The spinner, moved to 0 by the empty box, writes its 0 back.
  EXPECT_EQ(c.txtGalaxy[48].Text(), "0");
}

}  // namespace
}  // namespace dialogs
