// The numeric field, list and enabled-state routines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QTest>

#include <string>
#include <vector>

#include "host/qt_test_app.h"
#include "platform/controls/controls.h"

namespace controls {
namespace {

// Makes the Qt application before the window member below is built.
struct QtApp {
  QtApp() { testsupport::EnsureQtApplication(); }
};

class RoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetState();
    state().beep = [this] { ++beeps; };
  }
  void TearDown() override { ResetState(); }
  int beeps = 0;
  QtApp app;
  Form form;
};

TEST_F(RoutinesTest, ClampTextBoxByKind) {
  struct Case {
    int kind;
    const char* text;
    float lower, upper;
    const char* expected;
  };
  const Case cases[] = {
      {0, "12abc", 0, 10, "10"},       // leading number, clamped
      {0, "abc", 0, 10, "0"},          // no number reads as 0
      {0, "2.5", 0, 10, "2"},          // halves to even
      {0, "3.5", 0, 10, "4"},
      {2, " - 7", -5, 5, "-5"},        // kind 2 is kind 0; blanks ignored
      {0, "5", 10, 0, "10"},           // crossed bounds: the lower wins below it
      {0, "15", 10, 0, "0"},           //   and the upper above it
      {0, "1e12", 0, 30000, "30000"},  // beyond the 32-bit range
      {1, "0.25", 0.1f, 0.9999f, "0.25"},
      {1, "5", 0.1f, 0.9999f, "0.9999"},
      {1, "", 0.25f, 1, "0.25"},
      {1, "1e300", 0, 99.9f, "99.9"},  // beyond the Single range
      {1, ".5x", 0, 1, "0.5"},
      {3, "abc", 0, 10, "abc"},        // other kinds change nothing
      {-1, "12", 0, 10, "12"},
  };
  auto* box = new TextBox(&form, "txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("kind ") + std::to_string(c.kind) + " text '" + c.text + "'");
    box->SetText(c.text);
    ClampTextBox(*box, c.kind, c.lower, c.upper);
    EXPECT_EQ(box->Text(), c.expected);
  }
}

TEST_F(RoutinesTest, ClampTextBoxRaisesChangeOnlyWhenTheTextChanges) {
  auto* box = new TextBox(&form, "txt");
  int changes = 0;
  box->SetText("50");
  box->Change = [&] { ++changes; };
  ClampTextBox(*box, 0, 0, 100);
  EXPECT_EQ(changes, 0);
  ClampTextBox(*box, 0, 0, 10);
  EXPECT_EQ(changes, 1);
}

TEST_F(RoutinesTest, SyncTextToScrollClampsTheTextAndSetsRangeAndStep) {
  struct Case {
    int16_t lower, upper, step;
    int16_t expectedStep;
  };
  const Case cases[] = {
      {0, 100, 0, 1},     {0, 101, 0, 5},    {0, 998, 0, 5},      {0, 999, 0, 10},
      {0, 9997, 0, 10},   {0, 9998, 0, 50},  {0, 30000, 0, 50},   {-999, 999, 5, 5},
      {0, 100, -3, 1},    {0, 30000, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.lower) + ".." + std::to_string(c.upper) + " step " + std::to_string(c.step));
    Form f;
    auto* box = new TextBox(&f, "txt");
    auto* spn = new Spinner(&f, "spn");
    box->SetText("123456789012345");
    SyncTextToScroll(*box, *spn, c.lower, c.upper, 4, c.step);
    EXPECT_EQ(box->Text(), std::to_string(c.upper)) << "the long text was clamped, not cut";
    EXPECT_EQ(box->MaxLength(), 4);
    EXPECT_EQ(spn->Min(), c.lower);
    EXPECT_EQ(spn->Max(), c.upper);
    EXPECT_EQ(spn->SmallChange(), c.expectedStep);
  }
  Form f;
  auto* box = new TextBox(&f, "txt");
  auto* spn = new Spinner(&f, "spn");
  int changes = 0;
  box->Change = [&] { ++changes; };
  box->SetText("2.5 stars");
  SyncTextToScroll(*box, *spn, -999, 999, 4, 0);
  EXPECT_EQ(box->Text(), "2");
  EXPECT_EQ(changes, 2) << "writing the number raises the box's Change";
}

TEST_F(RoutinesTest, NumericKeyPressKeepsDigitsAndBackspace) {
  struct Case {
    int key;
    int expected;
  };
  const Case cases[] = {{'0', '0'}, {'9', '9'}, {8, 8}, {'.', 0}, {'-', 0}, {'a', 0}, {' ', 0}, {13, 0}};
  int refused = 0;
  for (const Case& c : cases) {
    int key = c.key;
    NumericKeyPress(key);
    EXPECT_EQ(key, c.expected) << "key " << c.key;
    if (c.expected == 0) ++refused;
  }
  EXPECT_EQ(beeps, refused);
}

TEST_F(RoutinesTest, DecimalKeyPressAllowsOnePeriodUnlessTheSelectionReplacesIt) {
  struct Case {
    const char* text;
    int selStart, selLength;
    int key;
    bool kept;
  };
  const Case cases[] = {
      {"12", 2, 0, '.', true},     // the first period
      {"1.2", 3, 0, '.', false},   // a second period
      {"1.2", 0, 3, '.', true},    // the whole text selected
      {"1.2", 1, 1, '.', true},    // the period itself selected
      {"1.2", 2, 1, '.', false},   // a selection without the period
      {"1.2", 3, 0, '7', true},
      {"1.2", 3, 0, 8, true},
      {"1.2", 0, 0, '-', false},   // never a minus sign
      {"", 0, 0, 'e', false},
  };
  auto* box = new TextBox(&form, "txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("'") + c.text + "' key " + std::to_string(c.key));
    box->SetText(c.text);
    box->SetSelStart(c.selStart);
    box->SetSelLength(c.selLength);
    const int before = beeps;
    int key = c.key;
    DecimalKeyPress(*box, key);
    EXPECT_EQ(key, c.kept ? c.key : 0);
    EXPECT_EQ(beeps - before, c.kept ? 0 : 1);
  }
}

TEST_F(RoutinesTest, SelectAllTextSelectsTheFocusedUnlockedBox) {
  form.resize(300, 200);
  auto* box = new TextBox(&form, "txt");
  auto* locked = new TextBox(&form, "txtLocked");
  locked->move(0, 40);
  box->SetText("12345");
  locked->SetText("abc");
  locked->SetLocked(true);
  form.Show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  box->setFocus();
  box->SetSelStart(2);
  SelectAllText();
  EXPECT_EQ(box->SelStart(), 0);
  EXPECT_EQ(box->SelLength(), 5);
  locked->setFocus();
  locked->SetSelStart(1);
  SelectAllText();
  EXPECT_EQ(locked->SelLength(), 0);
}

TEST_F(RoutinesTest, SizeComboToTextPadsInTheListsFontWithAtLeastThreeBlanks) {
  auto* lst = new ListBox(&form, "lstUniGalaxy");
  QFont big = form.font();
  big.setPointSize(big.pointSize() * 2);
  lst->setFont(big);  // the list's font, not the window's, measures the lines
  const QFontMetricsF m(lst->ListFont());
  const double blank = m.horizontalAdvance(QStringLiteral(" ")) * state().twipsPerPixelX;
  const double nameWidth = m.horizontalAdvance(QStringLiteral("Spiral")) * state().twipsPerPixelX;
  const int expectedBlanks = std::max(3, static_cast<int>(std::nearbyint((2400.0 - nameWidth) / blank)));

  SizeComboToText(*lst, "Spiral", 25, true);
  EXPECT_EQ(lst->List(0), "Spiral" + std::string(static_cast<size_t>(expectedBlanks), ' ') + "25");
  EXPECT_EQ(lst->ListIndex(), -1);

  const std::string wide(200, 'W');
  SizeComboToText(*lst, wide, 7, true);
  EXPECT_EQ(lst->List(1), wide + "   7");

  // Without add, the selected line is replaced; with none selected nothing happens.
  SizeComboToText(*lst, "Lost", 1, false);
  EXPECT_EQ(lst->ListCount(), 2);
  lst->SetListIndex(1);
  SizeComboToText(*lst, wide, 9999, false);
  EXPECT_EQ(lst->List(1), wide + "   9999");
  EXPECT_EQ(lst->List(1).substr(lst->List(1).size() - 4), "9999");
}

TEST_F(RoutinesTest, ListIndexOfTextFindsTheFirstEqualLineElseZero) {
  auto* cbo = new ComboBox(&form, "cbo");
  for (const char* s : {"alpha", "Beta", "beta", "beta"}) cbo->AddItem(s);
  EXPECT_EQ(ListIndexOfText(*cbo, "beta"), 2);
  EXPECT_EQ(ListIndexOfText(*cbo, "alpha"), 0);
  EXPECT_EQ(ListIndexOfText(*cbo, "gamma"), 0);
  FillListBox(*cbo);
  EXPECT_EQ(cbo->ListIndex(), -1);
}

TEST_F(RoutinesTest, EnableContainerControlsReachesNestedFramesOnly) {
  auto* outer = new Frame(&form, "fraOuter");
  auto* inner = new Frame(outer, "fraInner");
  auto* inInner = new TextBox(inner, "txtInner");
  auto* inOuter = new CheckBox(outer, "chkOuter");
  auto* line = new Line(outer, "linRule");
  auto* outside = new TextBox(&form, "txtOutside");
  EnableContainerControls(*outer, false);
  EXPECT_FALSE(outer->Enabled());
  EXPECT_FALSE(inner->Enabled());
  EXPECT_FALSE(inInner->Enabled());
  EXPECT_FALSE(inOuter->Enabled());
  EXPECT_TRUE(line->Enabled()) << "lines are left alone";
  EXPECT_TRUE(outside->Enabled());
  EnableContainerControls(*outer, true);
  EXPECT_TRUE(inInner->Enabled());
  EXPECT_TRUE(inner->Enabled());
}

TEST_F(RoutinesTest, UpdateFormMenusDisablesWhileBusyAndRestoresTheRecordedFlags) {
  Menu& mnuFile = form.AddMenu("mnuFile", "&File");
  MenuItem& open = mnuFile.AddItem("mnuFileArray", 0, "&Open Template...");
  auto* fra = new Frame(&form, "fraPreview");
  auto* cmdPreview = new CommandButton(fra, "cmdPreviewGal");
  ControlArray<CommandButton> cmdCaptureImage{"cmdCaptureImage"};
  CommandButton& capture = cmdCaptureImage.Create(fra, 0);
  auto* txt = new TextBox(&form, "txtUni");
  auto* wasOff = new TextBox(&form, "txtOff");
  auto* line = new Line(&form, "linDark");
  wasOff->SetEnabled(false);
  fra->SetEnabled(false);
  capture.SetEnabled(false);
  open.SetEnabled(false);
  line->SetEnabled(false);

  UpdateFormMenus(form, true, "cmdPreviewGal");
  EXPECT_TRUE(fra->Enabled()) << "frames stay usable";
  EXPECT_TRUE(cmdPreview->Enabled());
  EXPECT_TRUE(capture.Enabled());
  EXPECT_FALSE(txt->Enabled());
  EXPECT_FALSE(wasOff->Enabled());
  EXPECT_FALSE(mnuFile.Enabled()) << "the menus of the menu bar are disabled";
  EXPECT_FALSE(open.Enabled()) << "menu item arrays are left as they are";
  // A second busy call (a nested preview) keeps the first record.
  UpdateFormMenus(form, true, "cmdPreviewGal");

  UpdateFormMenus(form, false, "cmdPreviewGal");
  EXPECT_TRUE(txt->Enabled());
  EXPECT_FALSE(wasOff->Enabled()) << "a control disabled before stays disabled";
  EXPECT_FALSE(fra->Enabled());
  EXPECT_FALSE(capture.Enabled());
  EXPECT_TRUE(mnuFile.Enabled());
  EXPECT_FALSE(open.Enabled());
  EXPECT_FALSE(line->Enabled());

  // Without a busy call before, everything is enabled.
  UpdateFormMenus(form, false, "");
  EXPECT_TRUE(wasOff->Enabled());
  EXPECT_TRUE(fra->Enabled());
}

}  // namespace
}  // namespace controls
