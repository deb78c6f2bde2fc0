// The universe fields typed, stepped, spun and left, on the dialog's own controls.
#include <gtest/gtest.h>

#include <optional>

#include "dialogs/properties/field_rules.h"
#include "dialogs/properties/universe_theme.h"
#include "model/colors.h"
#include "props_fields_fixture.h"
#include "settings/factory_universe.h"
#include "store/values.h"

namespace dialogs {
namespace {

using UniverseFieldsTest = PropsFieldsTest;

struct TypingCase {
  int index;
  const char* before;  // the text set by code first
  const char* keys;    // typed over the selected text
  const char* typed;   // the text after typing
  int beeps;
  const char* left;  // the text after leaving the field
  std::optional<int32_t> spinnerTyped;  // spnUni(index) after typing (when it has one)
  std::optional<int32_t> spinnerLeft;   // and after leaving
};

TEST_F(UniverseFieldsTest, TypingFiltersKeysAndLeavingClamps) {
  ShowActive();
  const TypingCase cases[] = {
      // The star count: typing leaves its spinner alone, leaving clamps and brings it in step.
      {0, "5000", "5", "5", 0, "10", 500, 1},
      {0, "5000", "123456", "12345", 0, "12345", 500, 1234},
      {0, "5000", "12a", "12", 1, "12", 500, 1},
      {1, "200", "-7x", "7", 2, "7", 7, 7},
      {1, "200", "0", "0", 0, "1", 200, 1},  // 0 lies outside the spinner's range
      {2, "95", "250", "250", 0, "100", 25, 100},  // the spinner follows "2" and "25"
      {16, "170", "9999", "999", 0, "999", 999, 999},
      {10, "3000", "123456", "12345", 0, "12345", std::nullopt, std::nullopt},
      {12, "0.985", "2", "2", 0, "1", std::nullopt, std::nullopt},
      {12, "0.985", ".1", ".1", 0, "0.25", std::nullopt, std::nullopt},
      {12, "0.985", "0.5.5", "0.55", 1, "0.55", std::nullopt, std::nullopt},
      {14, "0.01", "-1", "1", 1, "1", std::nullopt, std::nullopt},
      {41, "0.999", "3", "3", 0, "1", std::nullopt, std::nullopt},
      {42, "0.1", "12", "12", 0, "10", std::nullopt, std::nullopt},
      {33, "4000", "1234567", "123456", 0, "123456", std::nullopt, std::nullopt},
      {51, "1", "0", "0", 0, "1", std::nullopt, std::nullopt},
  };
  for (const TypingCase& t : cases) {
    SCOPED_TRACE(testing::Message() << "txtUni(" << t.index << ") " << t.keys);
    controls::TextBox& box = form->c.txtUni[t.index];
    controls::Spinner& spinner = form->c.spnUni[t.index];
    box.SetText(t.before);
    beeps = 0;
    TypeInto(box, t.keys);
    EXPECT_EQ(box.Text(), t.typed);
    EXPECT_EQ(beeps, t.beeps);
    if (t.spinnerTyped) {
      EXPECT_EQ(spinner.Value(), *t.spinnerTyped);
    }
    Leave();
    EXPECT_EQ(box.Text(), t.left);
    if (t.spinnerLeft) {
      EXPECT_EQ(spinner.Value(), *t.spinnerLeft);
    }
  }
}

TEST_F(UniverseFieldsTest, CameraRampingTakesAPointButKeepsAWholeNumber) {
  // Field 34 sits in a frame that is never shown: its handlers run on loaded values.
  PropsControls& c = form->c;
  int key = '.';
  txtUni_KeyPress(c, 34, key);
  EXPECT_EQ(key, '.');
  c.txtUni[34].SetText("12.5");
  txtUni_LostFocus(c, 34);
  EXPECT_EQ(c.txtUni[34].Text(), "12");  // halves to even
  c.txtUni[34].SetText("1500");
  txtUni_LostFocus(c, 34);
  EXPECT_EQ(c.txtUni[34].Text(), "999");
}

struct ArrowCase {
  int index;
  const char* before;
  Qt::Key key;
  const char* after;
  std::optional<int32_t> spinner;
};

TEST_F(UniverseFieldsTest, ArrowKeysStepWithinTheirBoundsAndMoveTheSpinner) {
  ShowActive();
  const ArrowCase cases[] = {
      {0, "150", Qt::Key_Down, "100", 10},
      {0, "100", Qt::Key_Down, "100", 10},
      {0, "99950", Qt::Key_Up, "99999", std::nullopt},  // a tenth of it lies above the spinner's range
      {0, "5000", Qt::Key_Up, "5100", 510},
      {1, "999", Qt::Key_Up, "999", 999},
      {1, "2", Qt::Key_Down, "1", 1},
      {3, "0", Qt::Key_Down, "0", 0},
      {17, "240", Qt::Key_Up, "241", 241},
      {10, "3000", Qt::Key_Up, "3000", std::nullopt},  // no steps in this field
      {1, "200", Qt::Key_Left, "200", 200},
  };
  for (const ArrowCase& t : cases) {
    SCOPED_TRACE(testing::Message() << "txtUni(" << t.index << ") " << t.before);
    controls::TextBox& box = form->c.txtUni[t.index];
    box.SetText(t.before);
    TypeInto(box, "");
    QTest::keyClick(&box, t.key);
    EXPECT_EQ(box.Text(), t.after);
    if (t.spinner) {
      EXPECT_EQ(form->c.spnUni[t.index].Value(), *t.spinner);
    }
  }
}

TEST_F(UniverseFieldsTest, StarSpinnerFollowsCodeAndMovesTheCountByTenTimesItsStep) {
  controls::TextBox& stars = form->c.txtUni[0];
  controls::Spinner& spinner = form->c.spnUni[0];
  // A load writes the field: the spinner follows with a tenth of it.
  stars.SetText("18000");
  EXPECT_EQ(spinner.Value(), 1800);
  // A count that is no multiple of ten stays: the spinner moved by the field writes nothing back.
  stars.SetText("18016");
  EXPECT_EQ(spinner.Value(), 1802);
  EXPECT_EQ(stars.Text(), "18016");
  stars.SetText("18000");

  // A spinner click steps the count by ten times the spinner's step (50 for 1 to 9999).
  ASSERT_EQ(spinner.SmallChange(), 50);
  QTest::keyClick(&spinner, Qt::Key_Up);
  EXPECT_EQ(spinner.Value(), 1850);
  EXPECT_EQ(stars.Text(), "18500");

  // Other spinners give their own value.
  form->c.spnUni[16].SetValue(300);
  EXPECT_EQ(form->c.txtUni[16].Text(), "300");
}

TEST_F(UniverseFieldsTest, HueStartAndEndRepaintTheSwatchAtOnce) {
  controls::PictureBox& swatch = *form->c.picColUni;
  swatch.setFixedSize(160, 12);
  form->c.txtUni[16].SetText("170");
  form->c.txtUni[17].SetText("250");
  auto bands = HueSwatchColors("170", "250");
  const auto shown = [&](int band) { return swatch.Point(band * 2 + 1, 6); };
  for (int band : {0, 8, 40, 79})
    EXPECT_EQ(shown(band), static_cast<uint32_t>(model::ToDisplayColorOrder(bands[static_cast<size_t>(band)])))
        << band;

  // Clearing the end repaints from the start hue to hue 0.
  form->c.txtUni[17].SetText("");
  bands = HueSwatchColors("170", "");
  EXPECT_EQ(shown(79), static_cast<uint32_t>(model::ToDisplayColorOrder(bands[79])));
  EXPECT_EQ(form->c.spnUni[17].Value(), 0);
}

// ---- universe themes

class UniverseThemeTest : public PropsFieldsTest {
 protected:
  void SetUp() override {
    PropsFieldsTest::SetUp();
    PropsControls& c = form->c;
    for (int i = 0; i < 52; ++i) c.cboUniProfile->AddItem("type " + std::to_string(i));
    c.cboUniProfile->SetListIndex(51);
    for (const char* line : {"Comp A", "Comp B"}) {
      c.lstCompGalaxy->AddItem(line);
      c.lstCompMinor->AddItem(line);
      c.cboCompMajor->AddItem(line);
    }
    c.lstCompGalaxy->SetListIndex(1);
    c.lstCompMinor->SetListIndex(0);
    c.cboCompMajor->SetListIndex(1);
    c.txtCompGalName->SetText("Comp B");
    c.txtCompGalPct->SetText("25");
    c.chkUniTour->SetValue(1);
    c.cboTourGalaxies->SetText("1 24 11");
    c.txtUni[34].SetText("750");
  }
};

TEST_F(UniverseThemeTest, ThemeEightSetsGravityClearsTheTourAndTheCompositeSelection) {
  PropsControls& c = form->c;
  c.cboUniTheme->SetListIndex(8);
  EXPECT_EQ(c.txtUni[50].Text(), "125000");
  EXPECT_EQ(c.txtUni[51].Text(), "1");
  EXPECT_EQ(c.cboUniProfile->ListIndex(), 0);
  EXPECT_EQ(c.chkUniTour->Value(), 0);
  EXPECT_EQ(c.cboTourGalaxies->Text(), "");
  EXPECT_EQ(c.txtCompGalName->Text(), "");
  EXPECT_EQ(c.txtCompGalPct->Text(), "");
  EXPECT_EQ(c.lstCompGalaxy->ListIndex(), -1);
  EXPECT_EQ(c.lstCompMinor->ListIndex(), -1);
  EXPECT_EQ(c.cboCompMajor->ListIndex(), -1);
  EXPECT_EQ(c.lstCompGalaxy->TopIndex(), 0);
  // Camera rotation ramping has no column: it keeps its text.
  EXPECT_EQ(c.txtUni[34].Text(), "750");
  // The spinners follow the theme's values.
  EXPECT_EQ(c.spnUni[0].Value(), 1700);
  EXPECT_EQ(c.spnUni[1].Value(), 20);
  EXPECT_EQ(c.spnUni[16].Value(), 360);
  EXPECT_EQ(c.spnUni[3].Value(), 50);
}

TEST_F(UniverseThemeTest, FactoryResetSelectionAppliesThemeOneColumnByColumn) {
  PropsControls& c = form->c;
  // The factory reset selects entry 0, which applies nothing, and then entry 1.
  c.cboUniTheme->SetListIndex(0);
  EXPECT_EQ(c.txtCompGalName->Text(), "Comp B");
  c.cboUniTheme->SetListIndex(1);
  const std::string row = settings::FactoryUniverseRow(1);
  for (const UniverseThemeStep& step : UniverseThemeSteps()) {
    if (step.target != UniverseThemeTarget::Field) continue;
    EXPECT_EQ(c.txtUni[step.field].Text(), store::GetCsvField(row, step.column)) << step.field;
  }
  EXPECT_EQ(c.txtUni[12].Text(), "0.985");  // texts as they stand in the row
  EXPECT_EQ(c.txtUni[3].Text(), "40");
  EXPECT_EQ(c.cboUniProfile->ListIndex(), 51);
  EXPECT_EQ(c.chkUniTour->Value(), 1);
  EXPECT_EQ(c.chkVisitSeq->Value(), 0);
  EXPECT_EQ(c.chkRotCamera->Value(), 0);
  EXPECT_EQ(c.cboTourGalaxies->Text(), "");
  EXPECT_EQ(c.spnUni[0].Value(), 1800);
}

TEST_F(UniverseThemeTest, ThemeStepsCoverEveryColumnButNineteen) {
  bool seen[30] = {};
  for (const UniverseThemeStep& step : UniverseThemeSteps()) seen[step.column] = true;
  for (int col = 0; col < 30; ++col) EXPECT_EQ(seen[col], col != 19) << col;
}

}  // namespace
}  // namespace dialogs
