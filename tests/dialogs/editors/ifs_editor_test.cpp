// The IFS editor offscreen: loading the rows from the record, the commit that compacts the
// kept rows or refuses with fewer than two, what OK hands to the Properties dialog, the ten
// themes committed by OK, Clear, the box rules and the window's keys and size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/editors/editor_window.h"
#include "dialogs/editors/fake_props_fields.h"
#include "dialogs/editors/frm_user_def_ifs.h"
#include "dialogs/editors/layout_checks.h"
#include "dialogs/editors/ifs_themes.h"
#include "host/qt_test_app.h"
#include "model/galaxy_types.h"
#include "platform/help/help_viewer.h"
#include "support/test_support.h"

namespace dialogs {
namespace {

constexpr int kType = 7;

model::IfsBlock& Ifs() { return model::records().GalaxyTypes[kType].Ifs; }

// A point row as the boxes hold it; axis is the combo's list index.
struct RowTexts {
  const char *x, *y, *z, *scale;
  int axis;
  const char *angle, *pct;
};
constexpr RowTexts kEmptyRow{"", "", "", "", 0, "", ""};

class IfsEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    controls::ResetState();
    controls::state().beep = [this] { ++beeps; };
    model::ResetGalaxyRecords();
    props.galName = "Spiral Nine";
    // A record with two points in entries 1 and 3 (its stored count says 0) and values in
    // every free entry, so a test sees what the editor keeps and what it overwrites.
    model::IfsBlock& b = Ifs();
    b.Galaxy_IFS_Points = 0;
    b.IFS_CenterX = 11, b.IFS_CenterY = 22, b.IFS_CenterZ = 33;
    for (size_t k = 0; k < 5; ++k) {
      b.IfsX[k] = 100 + static_cast<int32_t>(k);
      b.IfsY[k] = 200 + static_cast<int32_t>(k);
      b.IfsZ[k] = 300 + static_cast<int32_t>(k);
      b.IfsScale[k] = 40 + static_cast<int32_t>(k);
      b.IfsAxis[k] = static_cast<int32_t>(k % 3);
      b.IfsAngle[k] = 10 * static_cast<int32_t>(k);
    }
    b.IfsPct = {0, 5, 0, 7, 0};
    b.IfsAxis[3] = 9;  // no axis of X, Y, Z
    model::GalaxyTypeProps& g = model::records().GalaxyTypes[kType];
    g.Galaxy_Radius = 1234, g.Galaxy_Rotation = 2345, g.Galaxy_Distance = 3456;
    window = new frmUserDefIFS(props);
    window->FormLet(kType);
    window->EnsureLoaded();
  }
  void TearDown() override {
    if (window != nullptr) window->Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    controls::ResetState();
  }

  void SetRow(int i, const RowTexts& r) {
    window->txtLocX[i].SetText(r.x);
    window->txtLocY[i].SetText(r.y);
    window->txtLocZ[i].SetText(r.z);
    window->txtScale[i].SetText(r.scale);
    window->cboRAxis[i].SetListIndex(r.axis);
    window->txtAngle[i].SetText(r.angle);
    window->txtPercent[i].SetText(r.pct);
  }
  std::vector<std::string> RowOf(int i) const {
    return {window->txtLocX[i].Text(),  window->txtLocY[i].Text(),  window->txtLocZ[i].Text(),
            window->txtScale[i].Text(), window->cboRAxis[i].Text(), window->txtAngle[i].Text(),
            window->txtPercent[i].Text()};
  }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  dialogs::testing::FakePropsFields props;
  frmUserDefIFS* window = nullptr;
  int beeps = 0;
};

using Row = std::vector<std::string>;

TEST_F(IfsEditor, LoadShowsEveryRowWithAPercentAndTheGalaxyValues) {
  EXPECT_EQ(window->Caption(), "User Defined Iterated Function System (IFS):  Spiral Nine");
  EXPECT_EQ(window->fraPreview->Caption(), "IFS Preview - Spiral Nine");
  EXPECT_EQ(window->cmdPreview->Caption(), "Preview I.F.S.");
  EXPECT_EQ(window->DefaultButton(), window->cmdPreview);
  EXPECT_EQ(window->CancelButton(), window->cmdDismiss);
  ASSERT_EQ(window->cboTheme->ListCount(), 11);
  EXPECT_EQ(window->cboTheme->List(0), "Select a Theme");
  EXPECT_EQ(window->cboTheme->List(10), "Symmetric Starbird");
  EXPECT_EQ(window->cboTheme->ListIndex(), 0);
  for (int i = 0; i < kIfsRows; ++i) EXPECT_EQ(window->lblPoint[i].Caption(), "Point " + std::to_string(i + 1) + ":");
  EXPECT_EQ(window->lblPercent->Caption(), "Rel.Pct.\n(0-9999):");

  // Rows follow the percents, whatever the stored count; an axis outside X, Y, Z shows X.
  const Row empty{"", "", "", "", "X", "", ""};
  EXPECT_EQ(RowOf(0), empty);
  EXPECT_EQ(RowOf(1), (Row{"101", "201", "301", "41", "Y", "10", "5"}));
  EXPECT_EQ(RowOf(2), empty);
  EXPECT_EQ(RowOf(3), (Row{"103", "203", "303", "43", "X", "30", "7"}));
  EXPECT_EQ(RowOf(4), empty);
  EXPECT_EQ(window->txtCenter[0].Text(), "11");
  EXPECT_EQ(window->txtCenter[2].Text(), "33");
  EXPECT_EQ(window->txtGalaxy[0].Text(), "1234");
  EXPECT_EQ(window->txtGalaxy[1].Text(), "2345");
  EXPECT_EQ(window->txtGalaxy[2].Text(), "3456");

  // Rows are 1.2 row heights apart; the themes frame sits below the last row.
  EXPECT_GT(window->txtLocX[1].Top(), window->txtLocX[0].Top());
  EXPECT_EQ(window->txtPercent[4].Top(), window->txtLocX[4].Top());
  EXPECT_GT(window->fraTheme->Top(), window->txtLocX[4].Top() + window->txtLocX[4].Height());
  EXPECT_EQ(window->fraPreview->Top(), window->fraTheme->Top());
  EXPECT_EQ(window->fraGalaxy->Top(), window->fraCenter->Top());
  // Tab runs along a row, then to the next one.
  EXPECT_EQ(window->txtLocY[2].TabIndex(), window->txtLocX[2].TabIndex() + 1);
  EXPECT_EQ(window->txtLocX[3].TabIndex(), window->txtPercent[2].TabIndex() + 2);
}

// The commit keeps the rows whose percent, rounded and clamped, is at least 1, stores them
// compacted in row order with every value clamped, and zeroes the percents of the entries left.
TEST_F(IfsEditor, CommitCompactsTheKeptRowsAndClampsTheirValues) {
  struct Case {
    const char* name;
    std::array<RowTexts, 5> rows;
    std::array<const char*, 3> centre;
    int32_t count;
    std::vector<std::array<int32_t, 7>> entries;  // x, y, z, scale, axis, angle, pct
    std::array<int32_t, 3> storedCentre;
  };
  const std::vector<Case> cases = {
      {"rows 2 and 4 kept as entries 0 and 1",
       {{{"5", "", "", "", 0, "", ""},
         {"1", "2", "3", "4", 1, "5", "6"},
         {"7", "7", "7", "7", 2, "7", "0"},
         {"9", "8", "7", "6", 2, "90", "10"},
         kEmptyRow}},
       {"", "12", "9999"},
       2,
       {{1, 2, 3, 4, 1, 5, 6}, {9, 8, 7, 6, 2, 90, 10}},
       {0, 12, 9999}},
      {"values clamped, long texts saturate",
       {{{"99999", "0", "12345678901234", "500", 0, "720", "99999999999"},
         {"1", "1", "1", "1", 0, "1", "1"},
         kEmptyRow,
         kEmptyRow,
         {"", "", "", "", 0, "", "3"}}},
       {"99999", "0", "5"},
       3,
       {{9999, 0, 9999, 100, 0, 360, 9999}, {1, 1, 1, 1, 0, 1, 1}, {0, 0, 0, 0, 0, 0, 3}},
       {9999, 0, 5}},
      {"a percent below one half is no point, one half and more is",
       {{{"1", "1", "1", "1", 0, "1", "0.4"},
         {"2", "2", "2", "2", 0, "2", "0.6"},
         {"3", "3", "3", "3", 0, "3", "1.5"},
         kEmptyRow,
         kEmptyRow}},
       {"1", "2", "3"},
       2,
       {{2, 2, 2, 2, 0, 2, 1}, {3, 3, 3, 3, 0, 3, 2}},
       {1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const model::IfsBlock before = Ifs();
    for (int i = 0; i < 5; ++i) SetRow(i, c.rows[static_cast<size_t>(i)]);
    for (int k = 0; k < 3; ++k) window->txtCenter[k].SetText(c.centre[static_cast<size_t>(k)]);
    ASSERT_TRUE(window->CommitIfs());
    const model::IfsBlock& b = Ifs();
    EXPECT_EQ(b.Galaxy_IFS_Points, c.count);
    EXPECT_EQ((std::array<int32_t, 3>{b.IFS_CenterX, b.IFS_CenterY, b.IFS_CenterZ}), c.storedCentre);
    for (size_t k = 0; k < c.entries.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ((std::array<int32_t, 7>{b.IfsX[k], b.IfsY[k], b.IfsZ[k], b.IfsScale[k], b.IfsAxis[k], b.IfsAngle[k],
                                        b.IfsPct[k]}),
                c.entries[k]);
    }
    // The free entries: percent 0, their other values as they were.
    for (size_t k = c.entries.size(); k < 5; ++k) {
      EXPECT_EQ(b.IfsPct[k], 0);
      EXPECT_EQ(b.IfsX[k], before.IfsX[k]);
      EXPECT_EQ(b.IfsAngle[k], before.IfsAngle[k]);
    }
    EXPECT_TRUE(messages.messages.empty());
  }
}

// With fewer than two kept rows the note is shown, the window stays open and the record keeps
// its points, count and centre.
TEST_F(IfsEditor, ARefusedCommitShowsTheNoteAndChangesNothing) {
  struct Case {
    const char* name;
    std::function<void()> edit;
  };
  const std::vector<Case> cases = {
      {"exactly one kept row",
       [&] {
         SetRow(0, {"1", "2", "3", "4", 0, "5", "6"});
         SetRow(1, {"1", "2", "3", "4", 0, "5", ""});
         SetRow(3, {"1", "2", "3", "4", 0, "5", "0"});
         window->txtCenter[0].SetText("77");
       }},
      {"two rows whose percents round to 0", [&] {
         SetRow(0, kEmptyRow);
         SetRow(1, {"1", "2", "3", "4", 0, "5", "0.4"});
         SetRow(3, {"1", "2", "3", "4", 0, "5", "0.49"});
       }},
      {"Clear", [&] { window->cmdClear_Click(); }},
  };
  Ifs().Galaxy_IFS_Points = 2;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages.messages.clear();
    const model::IfsBlock before = Ifs();
    c.edit();
    window->cmdOK->PerformClick();
    EXPECT_TRUE(window->IsLoaded());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "Note:\r\n\r\nYou must specify two or more Attractor Points in order to Preview the I.F.S.  "
              "Consider selecting one of the Themes in order to see a sample I.F.S. "
              "or press Cancel to return to the Galaxy Settings.");
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_EQ(messages.messages[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(std::memcmp(&before, &Ifs(), sizeof before), 0);
    EXPECT_TRUE(props.galaxy.empty());
  }
  // Cancel then leaves the record as it was when the window opened.
  window->cmdDismiss->PerformClick();
  EXPECT_FALSE(window->IsLoaded());
  EXPECT_EQ(Ifs().IFS_CenterX, 11);
  EXPECT_EQ(Ifs().Galaxy_IFS_Points, 2);
}

TEST_F(IfsEditor, OkCommitsThenHandsTheGalaxyValuesToThePropertiesDialog) {
  struct Case {
    std::array<const char*, 3> boxes;
    std::array<const char*, 3> sent;
  };
  for (const Case& c : std::vector<Case>{{{"99999", "", "250"}, {"30000", "0", "250"}},
                                         {{"0", "007", "30000"}, {"0", "7", "30000"}}}) {
    SCOPED_TRACE(c.boxes[0]);
    window->EnsureLoaded();
    for (int k = 0; k < 3; ++k) window->txtGalaxy[k].SetText(c.boxes[static_cast<size_t>(k)]);
    window->cmdOK->PerformClick();
    EXPECT_FALSE(window->IsLoaded());
    for (int k = 0; k < 3; ++k) EXPECT_EQ(props.GalaxyText(k), c.sent[static_cast<size_t>(k)]) << k;
    // The dialog's fields are only handed back, never written into the record here.
    EXPECT_EQ(model::records().GalaxyTypes[kType].Galaxy_Radius, 1234);
    EXPECT_EQ(Ifs().Galaxy_IFS_Points, 2);
  }
  EXPECT_TRUE(messages.messages.empty());
}

// The themes as the themes window lists them: description, centre, radius-rotation-distance
// and the used rows (x, y, z, scale, axis, angle, pct).
struct ThemeCase {
  const char* name;
  const char* description;
  std::array<int32_t, 3> centre;
  std::array<const char*, 3> galaxy;
  std::vector<std::array<int32_t, 7>> rows;
};
const std::vector<ThemeCase> kThemeCases = {
    {"Hexagonal Tree", "Tree structure with a hexagonal shape.", {400, 0, 0}, {"250", "1000", "200"},
     {{1000, 0, 0, 40, 0, 0, 2}, {0, 0, 0, 0, 0, 60, 1}, {0, 0, 0, 0, 0, 300, 1}, {0, 0, 0, 50, 1, 60, 1},
      {0, 0, 0, 50, 1, 300, 1}}},
    {"Space Station", "Attenuated space station scaffolding structure.", {0, 500, 0}, {"300", "600", "400"},
     {{0, 1500, 0, 33, 0, 0, 4}, {0, 0, 0, 50, 0, 90, 2}, {0, 0, 0, 50, 0, 270, 2}, {0, 0, 0, 50, 1, 90, 1},
      {0, 0, 0, 50, 1, 270, 1}}},
    {"Vortex Vectors", "Swirls of color pulled to the galaxy core", {500, 500, 500}, {"250", "2500", "200"},
     {{500, 500, 500, 3, 1, 5, 200}, {1000, 0, 0, 50, 0, 0, 3}, {0, 2000, 0, 50, 0, 0, 2}, {0, 0, 2500, 50, 0, 0, 1}}},
    {"Bulky Starship", "Bulky shaped starship.", {250, 400, 0}, {"250", "2500", "250"},
     {{250, 1000, 0, 55, 0, 30, 2}, {0, 0, 0, 50, 1, 30, 1}, {0, 0, 0, 50, 1, 330, 1}, {500, 0, 0, 50, 1, 30, 1},
      {500, 0, 0, 50, 1, 330, 1}}},
    {"Fractional Fragments", "Fractional Segments", {500, 150, 0}, {"300", "2500", "500"},
     {{0, 0, 0, 33, 2, 60, 2}, {1000, 0, 0, 33, 1, 90, 1}, {0, 0, 1000, 33, 1, 0, 1}}},
    {"Fractal Fern", "Fractal Fern", {300, 300, 0}, {"250", "2500", "300"},
     {{0, 1000, 0, 25, 1, 60, 1}, {1000, 0, 0, 33, 0, 15, 1}}},
    {"Twisted Branches", "Twisted tree-like branches", {200, 300, 300}, {"350", "750", "400"},
     {{1000, 0, 0, 50, 0, 90, 1}, {0, 1000, 0, 50, 1, 90, 1}, {0, 0, 1000, 50, 2, 90, 1}, {1000, 0, 0, 33, 0, 60, 1}}},
    {"Warped Tetrahedron", "Warped Tetrahedron.", {500, 300, 400}, {"1500", "1000", "1500"},
     {{0, 0, 0, 55, 0, 10, 1}, {1000, 0, 0, 55, 1, 20, 1}, {500, 0, 800, 55, 2, 30, 1}, {500, 800, 300, 55, 0, 0, 1}}},
    {"Root-Like Structures", "Root-Like Structures", {500, 200, 500}, {"1000", "500", "1150"},
     {{500, 0, 1000, 50, 0, 45, 4}, {0, 0, 0, 50, 2, 60, 1}, {1000, 0, 0, 50, 2, 300, 1}, {0, 0, 0, 50, 2, 60, 1},
      {1000, 0, 0, 50, 2, 300, 1}}},
    {"Symmetric Starbird", "Elegant Starship", {0, 0, 750}, {"600", "1200", "1500"},
     {{0, 0, 2000, 33, 0, 15, 6}, {0, 0, 0, 50, 0, 90, 2}, {0, 0, 0, 50, 0, 270, 2}, {0, 0, 0, 50, 1, 90, 1},
      {0, 0, 0, 50, 1, 270, 1}}},
};

TEST_F(IfsEditor, EveryThemeFillsTheWindowAndOkCommitsIt) {
  ASSERT_EQ(kThemeCases.size(), static_cast<size_t>(kIfsThemeCount));
  for (int n = 1; n <= kIfsThemeCount; ++n) {
    const ThemeCase& t = kThemeCases[static_cast<size_t>(n - 1)];
    SCOPED_TRACE(t.name);
    window->EnsureLoaded();
    // Typed values in every row first: the theme replaces them all.
    for (int i = 0; i < 5; ++i) SetRow(i, {"9", "9", "9", "9", 2, "9", "9"});
    ASSERT_EQ(window->cboTheme->List(n), t.name);
    window->cboTheme->SetListIndex(n);
    EXPECT_EQ(window->lblTheme->Caption(), t.description);
    for (size_t i = t.rows.size(); i < 5; ++i) EXPECT_EQ(RowOf(static_cast<int>(i)), (Row{"", "", "", "", "X", "", ""}));
    window->cmdOK->PerformClick();
    ASSERT_FALSE(window->IsLoaded());
    const model::IfsBlock& b = Ifs();
    EXPECT_EQ(b.Galaxy_IFS_Points, static_cast<int32_t>(t.rows.size()));
    EXPECT_EQ((std::array<int32_t, 3>{b.IFS_CenterX, b.IFS_CenterY, b.IFS_CenterZ}), t.centre);
    for (size_t k = 0; k < t.rows.size(); ++k)
      EXPECT_EQ((std::array<int32_t, 7>{b.IfsX[k], b.IfsY[k], b.IfsZ[k], b.IfsScale[k], b.IfsAxis[k], b.IfsAngle[k],
                                        b.IfsPct[k]}),
                t.rows[k])
          << "row " << k;
    for (size_t k = t.rows.size(); k < 5; ++k) EXPECT_EQ(b.IfsPct[k], 0);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(props.GalaxyText(k), t.galaxy[static_cast<size_t>(k)]);
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(IfsEditor, ThemeTextsAndSelectATheme) {
  for (int n = 1; n <= kIfsThemeCount; ++n) {
    // 42 fields closed by a comma: the field after the last is empty.
    const std::string text = GetIfsThemeText(n);
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), 42) << n;
  }
  EXPECT_EQ(GetIfsThemeText(0), "");
  EXPECT_EQ(GetIfsThemeText(11), "");
  EXPECT_EQ(IfsThemeListEntry(11), "");

  window->cboTheme->SetListIndex(3);  // Vortex Vectors
  EXPECT_EQ(RowOf(0), (Row{"500", "500", "500", "3", "Y", "5", "200"}));
  SetRow(1, {"4", "4", "4", "4", 2, "4", "4"});
  // "Select a Theme" leaves every control as it is.
  window->cboTheme->SetListIndex(0);
  EXPECT_EQ(RowOf(0), (Row{"500", "500", "500", "3", "Y", "5", "200"}));
  EXPECT_EQ(RowOf(1), (Row{"4", "4", "4", "4", "Z", "4", "4"}));
  EXPECT_EQ(window->lblTheme->Caption(), "Swirls of color pulled to the galaxy core");
}

TEST_F(IfsEditor, ClearEmptiesTheCentreAndRowsOnly) {
  window->cboTheme->SetListIndex(6);
  window->cmdClear->PerformClick();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(RowOf(i), (Row{"", "", "", "", "X", "", ""}));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(window->txtCenter[k].Text(), "");
  EXPECT_EQ(window->txtGalaxy[0].Text(), "250");
  EXPECT_EQ(window->cboTheme->ListIndex(), 6);
  EXPECT_EQ(window->lblTheme->Caption(), "Fractal Fern");
  EXPECT_EQ(Ifs().IFS_CenterX, 11);
}

class IfsEditorShown : public IfsEditor {
 protected:
  void SetUp() override {
    IfsEditor::SetUp();
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  void TypeInto(controls::TextBox& box, const char* keys) {
    box.SetFocus();
    QTest::keyClicks(&box, keys);
  }
};

// Tab walks the point rows as they read: along each row, then to the start of the next one;
// from the last row on to the themes, the offset, the galaxy values and the buttons.
TEST_F(IfsEditorShown, TabWalksAlongEachRowThenToTheNextRow) {
  std::vector<QWidget*> expected;
  for (int i = 0; i < 5; ++i)
    for (QWidget* c : std::initializer_list<QWidget*>{&window->txtLocX[i], &window->txtLocY[i], &window->txtLocZ[i],
                                                      &window->txtScale[i], &window->cboRAxis[i],
                                                      &window->txtAngle[i], &window->txtPercent[i]})
      expected.push_back(c);
  expected.push_back(window->cboTheme);
  for (int k = 0; k < 3; ++k) expected.push_back(&window->txtCenter[k]);
  for (int k = 0; k < 3; ++k) expected.push_back(&window->txtGalaxy[k]);
  for (QWidget* b : std::initializer_list<QWidget*>{window->cmdPreview, window->cmdOK, window->cmdClear,
                                                    window->cmdDismiss, window->cmdHelp})
    expected.push_back(b);
  dialogs::testing::ExpectTabWalk(expected);
}

TEST_F(IfsEditorShown, BoxesTakeDigitsOnlyAndClampOnLeaving) {
  struct Case {
    controls::TextBox* box;
    const char* typed;
    const char* shown;   // as typed, refused keys dropped
    const char* left;    // after the focus moved on
  };
  const std::vector<Case> cases = {
      {&window->txtGalaxy[0], "99999", "99999", "30000"},
      {&window->txtAngle[0], "720", "720", "360"},
      {&window->txtScale[2], "-5.5", "55", "55"},
      {&window->txtScale[3], "999", "999", "100"},
      {&window->txtLocX[4], "12345", "1234", "1234"},  // four characters at most
      {&window->txtCenter[1], "", "", "0"},
      {&window->txtPercent[1], "00042", "0004", "4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    window->cboTheme->SetFocus();
    c.box->SetText("5");
    c.box->SetFocus();
    EXPECT_EQ(c.box->SelLength(), 1);  // entering selects the whole text
    if (*c.typed == '\0')
      QTest::keyClick(c.box, Qt::Key_Backspace);
    else
      QTest::keyClicks(c.box, c.typed);
    EXPECT_EQ(c.box->Text(), c.shown);
    window->cboTheme->SetFocus();
    EXPECT_EQ(c.box->Text(), c.left);
  }
  EXPECT_EQ(beeps, 2);  // "-" and "."
}

TEST_F(IfsEditorShown, EscapeFromAnyBoxCancelsAndEnterReachesThePreviewButton) {
  int previews = 0;
  window->cmdPreview->Click = [&] { ++previews; };
  TypeInto(window->txtPercent[2], "12");
  QTest::keyClick(&window->txtPercent[2], Qt::Key_Return);
  EXPECT_EQ(previews, 1);
  const model::IfsBlock before = Ifs();
  TypeInto(window->txtLocY[0], "3");
  QTest::keyClick(&window->txtLocY[0], Qt::Key_Escape);
  EXPECT_FALSE(window->IsLoaded());
  EXPECT_EQ(std::memcmp(&before, &Ifs(), sizeof before), 0);
  EXPECT_TRUE(props.galaxy.empty());
}

TEST_F(IfsEditorShown, TheWindowKeepsItsMinimumSizeAndThePreviewFillsTheRest) {
  window->resize(200, 150);
  QApplication::processEvents();
  EXPECT_EQ(window->ScaleWidth(), 7560);
  EXPECT_EQ(window->ScaleHeight(), 5700);
  const int32_t frameWidth = window->fraPreview->Width(), picHeight = window->picPreview->Height();
  window->SetClientSize(9000, 7000);
  QApplication::processEvents();
  EXPECT_GT(window->fraPreview->Width(), frameWidth);
  EXPECT_GT(window->picPreview->Height(), picHeight);
  EXPECT_NEAR(window->fraPreview->Left() + window->fraPreview->Width(), 9000 - controls::PixelsToTwipsX(5), 30);
  // The position is kept for the next opening.
  window->cmdDismiss->PerformClick();
  EXPECT_FALSE(window->IsLoaded());
}

// Shrunk to 150 x 100 pixels the window snaps back to its smallest client area, 7560 x 5700
// twips: 504 x 380 pixels below its menu bar. There every heading, box, list and button is
// whole, none covers another, each caption fits and each box shows its longest number whole.
TEST_F(IfsEditorShown, AtItsSmallestSizeEveryControlIsWholeAndApart) {
  using namespace dialogs::testing;
  ASSERT_EQ(controls::PixelsToTwipsX(1), 15);
  ASSERT_EQ(controls::PixelsToTwipsY(1), 15);
  window->resize(150, 100);
  QApplication::processEvents();
  ASSERT_EQ(window->ScaleWidth(), 7560);
  ASSERT_EQ(window->ScaleHeight(), 5700);
  EXPECT_EQ(window->Client()->size(), QSize(504, 380));
  EXPECT_EQ(window->height(), 380 + window->MenuBar()->height());

  // The longest theme description under the theme list.
  window->cboTheme->SetListIndex(2);  // Space Station
  ExpectWholeAndApart(*window);
  for (const controls::Control* c : window->Controls()) {
    if (const auto* label = qobject_cast<const QLabel*>(c->Widget())) ExpectCaptionFits(*label);
    if (const auto* button = qobject_cast<const QAbstractButton*>(c->Widget())) ExpectCaptionFits(*button);
    if (const auto* box = dynamic_cast<const controls::TextBox*>(c))
      ExpectTextFits(*box, QString(box->MaxLength(), QLatin1Char('9')));
    if (const auto* list = dynamic_cast<const controls::ComboBox*>(c)) {
      EXPECT_LE(list->sizeHint().width(), list->width()) << Described(*list);
    }
  }
}

// The column headings fit in two lines and stand side by side above their boxes, the buttons
// beside the last column; the offset and galaxy captions fit before their boxes, and each
// theme's description fits its label.
TEST_F(IfsEditorShown, HeadingsAndCaptionsFitBesideOneAnother) {
  using namespace dialogs::testing;
  struct Column {
    controls::Label* heading;
    QWidget* box;  // of the last row
  };
  const std::vector<Column> columns = {
      {window->lblLocX, &window->txtLocX[4]},   {window->lblLocY, &window->txtLocY[4]},
      {window->lblLocZ, &window->txtLocZ[4]},   {window->lblScale, &window->txtScale[4]},
      {window->lblRAxis, &window->cboRAxis[4]}, {window->lblAngle, &window->txtAngle[4]},
      {window->lblPercent, &window->txtPercent[4]},
  };
  for (size_t i = 0; i < columns.size(); ++i) {
    ExpectCaptionFits(*columns[i].heading);
    EXPECT_EQ(columns[i].box->geometry().left(), columns[i].heading->geometry().left());
    if (i + 1 < columns.size()) ExpectLeftOf(*columns[i].heading, *columns[i + 1].heading);
  }
  ExpectLeftOf(window->lblPoint[4], window->txtLocX[4]);
  for (QAbstractButton* b : {window->cmdOK, window->cmdClear, window->cmdDismiss, window->cmdHelp}) {
    ExpectCaptionFits(*b);
    ExpectLeftOf(*window->lblPercent, *b);
    ExpectLeftOf(window->txtPercent[0], *b);
    ExpectInsideParent(*b);
  }
  for (int k = 0; k < 3; ++k) {
    ExpectCaptionFits(window->lblCenter[k]);
    ExpectLeftOf(window->lblCenter[k], window->txtCenter[k]);
    ExpectInsideParent(window->txtCenter[k]);
    ExpectCaptionFits(window->lblGalaxy[k]);
    ExpectLeftOf(window->lblGalaxy[k], window->txtGalaxy[k]);
    ExpectInsideParent(window->txtGalaxy[k]);
  }
  ExpectLeftOf(*window->fraGalaxy, *window->fraPreview);
  // Every theme's description is read whole under the theme list.
  for (int32_t n = 1; n <= dialogs::kIfsThemeCount; ++n) {
    window->cboTheme->SetListIndex(n);
    ExpectCaptionFits(*window->lblTheme);
    ExpectInsideParent(*window->lblTheme);
  }
}

TEST_F(IfsEditor, HelpResizeNoteAndIndexesOutsideTheTypes) {
  platform::SetHelpFolder(ZV_HELP_SOURCE);
  window->cmdHelp->PerformClick();
  ASSERT_NE(platform::OpenHelpViewer(), nullptr);
  EXPECT_EQ(std::filesystem::path(platform::OpenHelpViewer()->CurrentFile()).filename(), "ifs_editor.html");
  platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
  platform::SetHelpFolder("");

  window->mnuResize->PerformClick();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Note:  This window can be resized.");
  EXPECT_EQ(window->mnuResize->Caption(), "Window can be Resized");

  // An index outside 0-49 opens no window and changes nothing.
  const model::IfsBlock before = Ifs();
  for (int32_t n : {-1, 50, 65}) ShowUserDefIFSEditor(props, n);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(std::memcmp(&before, &Ifs(), sizeof before), 0);
}

}  // namespace
}  // namespace dialogs
