// The levels editor offscreen: loading the record, the apply step (clamps, "." and "," read
// alike, boxes without a number, switches as 0 or 1), what OK hands to the Properties dialog,
// Cancel, the box rules and the window's keys and size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "dialogs/editors/fake_props_fields.h"
#include "dialogs/editors/frm_levels.h"
#include "dialogs/editors/layout_checks.h"
#include "host/qt_test_app.h"
#include "model/galaxy_types.h"
#include "platform/help/help_viewer.h"
#include "support/test_support.h"

namespace dialogs {
namespace {

constexpr int kType = 12;

model::GalaxyTypeProps& Record() { return model::records().GalaxyTypes[kType]; }

class LevelsEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    controls::ResetState();
    controls::state().beep = [this] { ++beeps; };
    model::ResetGalaxyRecords();
    props.galName = "Stacked";
    model::GalaxyTypeProps& g = Record();
    g.Galaxy_StdLevels = 4;
    g.Galaxy_StdLevDRad = 250;
    g.Galaxy_StdLevHSca = 1.5f;
    g.Galaxy_StdLevB_HS = 0;
    g.Galaxy_StdLevB_A0 = 65536;  // other than 0, whatever its low bits
    g.Galaxy_StdLevB_A1 = -1;
    g.Galaxy_Radius = 900;
    g.Galaxy_Rotation = 700;
    g.Galaxy_Distance = 1100;
    window = new frmLevels(props);
    window->FormLet(kType);
    window->EnsureLoaded();
  }
  void TearDown() override {
    if (window != nullptr) window->Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    controls::ResetState();
  }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  dialogs::testing::FakePropsFields props;
  frmLevels* window = nullptr;
  int beeps = 0;
};

TEST_F(LevelsEditor, LoadShowsTheRecord) {
  EXPECT_EQ(window->Caption(), "Galaxy Levels:  Stacked");
  EXPECT_EQ(window->fraPreview->Caption(), "Levels Preview - Stacked");
  EXPECT_EQ(window->txtLevel[0].Text(), "4");
  EXPECT_EQ(window->txtLevel[1].Text(), "250");
  EXPECT_EQ(window->txtLevel[2].Text(), "1.5");
  EXPECT_EQ(window->txtGalaxy[0].Text(), "900");
  EXPECT_EQ(window->txtGalaxy[1].Text(), "1100");
  EXPECT_EQ(window->chkToggle[0].Value(), 0);
  EXPECT_EQ(window->chkToggle[1].Value(), 1);
  EXPECT_EQ(window->chkToggle[2].Value(), 1);
  EXPECT_EQ(window->cmdPreview->Caption(), "Preview");
  EXPECT_EQ(window->DefaultButton(), window->cmdPreview);
  EXPECT_EQ(window->CancelButton(), window->cmdDismiss);
  // Tab order: the level boxes, the switches, radius and distance, then the buttons.
  const std::vector<controls::Control*> order = {&window->txtLevel[0],  &window->txtLevel[1],  &window->txtLevel[2],
                                                 &window->chkToggle[0], &window->chkToggle[1], &window->chkToggle[2],
                                                 &window->txtGalaxy[0], &window->txtGalaxy[1], window->cmdOK,
                                                 window->cmdPreview,    window->cmdDismiss,    window->cmdHelp};
  for (size_t i = 1; i < order.size(); ++i) EXPECT_LT(order[i - 1]->TabIndex(), order[i]->TabIndex()) << i;
}

TEST_F(LevelsEditor, ApplyClampsEachBoxAndLeavesFieldsWithoutANumber) {
  struct Case {
    const char* name;
    std::array<const char*, 5> boxes;  // levels, increment, height, radius, distance
    std::array<int, 3> checks;
    int32_t levels, increment;
    float height;
    int32_t radius, distance;
  };
  const std::vector<Case> cases = {
      {"in range", {"7", "1200", "2.25", "3000", "4000"}, {1, 0, 1}, 7, 1200, 2.25f, 3000, 4000},
      {"clamped", {"15", "0", "99999", "0", "99999"}, {0, 0, 0}, 10, 1, 99.9f, 1, 30000},
      {"empty boxes read 0", {"", "", "", "", ""}, {1, 1, 1}, 1, 1, 0.0f, 1, 1},
      {"comma and point alike", {"2", "5", "1,5", "7", "8"}, {0, 1, 0}, 2, 5, 1.5f, 7, 8},
      {"halves to even", {"2.5", "3.5", "0.05", "10.5", "11.5"}, {0, 0, 0}, 2, 4, 0.05f, 10, 12},
      {"saturating", {"99999999999999999999", "4294967297", "1e30", "-5", "12abc"}, {0, 0, 0}, 10, 30000, 99.9f,
       900, 1100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model::GalaxyTypeProps& g = Record();
    g.Galaxy_Radius = 900, g.Galaxy_Distance = 1100;
    for (int k = 0; k < 3; ++k) window->txtLevel[k].SetText(c.boxes[static_cast<size_t>(k)]);
    window->txtGalaxy[0].SetText(c.boxes[3]);
    window->txtGalaxy[1].SetText(c.boxes[4]);
    for (int k = 0; k < 3; ++k) window->chkToggle[k].SetValue(c.checks[static_cast<size_t>(k)]);
    EXPECT_TRUE(window->ApplyLevelsToGalaxyType());
    EXPECT_EQ(g.Galaxy_StdLevels, c.levels);
    EXPECT_EQ(g.Galaxy_StdLevDRad, c.increment);
    EXPECT_FLOAT_EQ(g.Galaxy_StdLevHSca, c.height);
    EXPECT_EQ(g.Galaxy_Radius, c.radius);
    EXPECT_EQ(g.Galaxy_Distance, c.distance);
    EXPECT_EQ((std::array<int32_t, 3>{g.Galaxy_StdLevB_HS, g.Galaxy_StdLevB_A0, g.Galaxy_StdLevB_A1}),
              (std::array<int32_t, 3>{c.checks[0], c.checks[1], c.checks[2]}));
    EXPECT_EQ(g.Galaxy_Rotation, 700);
  }
}

TEST_F(LevelsEditor, OkAppliesAndMirrorsLevelsRadiusAndDistanceIntoTheDialog) {
  window->txtLevel[0].SetText("15");
  window->txtLevel[2].SetText("1,5");
  window->txtGalaxy[0].SetText("0");
  window->txtGalaxy[1].SetText("31000");
  window->cmdOK->PerformClick();
  EXPECT_FALSE(window->IsLoaded());
  EXPECT_EQ(props.galaxy, (std::map<int, std::string>{{0, "1"}, {2, "30000"}, {9, "10"}}));
  EXPECT_EQ(Record().Galaxy_StdLevels, 10);
  EXPECT_FLOAT_EQ(Record().Galaxy_StdLevHSca, 1.5f);
  // Switches other than 0 were shown checked and go back as 1.
  EXPECT_EQ(Record().Galaxy_StdLevB_A0, 1);
  EXPECT_EQ(Record().Galaxy_StdLevB_A1, 1);

  // A box without a number leaves its record field and its dialog field alone.
  props.galaxy.clear();
  window->EnsureLoaded();
  EXPECT_EQ(window->txtLevel[2].Text(), "1.5");
  window->txtGalaxy[0].SetText("x");
  window->cmdOK->PerformClick();
  EXPECT_EQ(props.galaxy, (std::map<int, std::string>{{2, "30000"}, {9, "10"}}));
  EXPECT_EQ(Record().Galaxy_Radius, 1);
}

TEST_F(LevelsEditor, CancelLeavesTheRecordAsItWas) {
  const model::GalaxyTypeProps before = Record();
  window->txtLevel[0].SetText("9");
  window->chkToggle[0].SetValue(1);
  window->cmdDismiss->PerformClick();
  EXPECT_FALSE(window->IsLoaded());
  EXPECT_EQ(Record().Galaxy_StdLevels, before.Galaxy_StdLevels);
  EXPECT_EQ(Record().Galaxy_StdLevB_HS, before.Galaxy_StdLevB_HS);
  EXPECT_EQ(Record().Galaxy_StdLevB_A0, before.Galaxy_StdLevB_A0);
  EXPECT_TRUE(props.galaxy.empty());
}

class LevelsEditorShown : public LevelsEditor {
 protected:
  void SetUp() override {
    LevelsEditor::SetUp();
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
};

TEST_F(LevelsEditorShown, BoxesFilterKeysAndClampOnLeaving) {
  struct Case {
    controls::TextBox* box;
    const char* typed;
    const char* shown;
    const char* left;
  };
  const std::vector<Case> cases = {
      {&window->txtLevel[0], "", "", "1"},
      {&window->txtLevel[0], "15", "15", "10"},
      {&window->txtLevel[1], "0", "0", "1"},
      {&window->txtLevel[2], "1.5", "1.5", "1.5"},
      {&window->txtLevel[2], "1.2.5", "1.25", "1.25"},
      {&window->txtLevel[2], "99999", "99999", "99.9"},
      {&window->txtGalaxy[0], "-0", "0", "1"},
      {&window->txtGalaxy[1], "1,5", "15", "15"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    window->chkToggle[0].SetFocus();
    c.box->SetText("3");
    c.box->SetFocus();
    EXPECT_EQ(c.box->SelLength(), 1);
    if (*c.typed == '\0')
      QTest::keyClick(c.box, Qt::Key_Backspace);
    else
      QTest::keyClicks(c.box, c.typed);
    EXPECT_EQ(c.box->Text(), c.shown);
    window->chkToggle[0].SetFocus();
    EXPECT_EQ(c.box->Text(), c.left);
  }
  EXPECT_EQ(beeps, 3);  // the second ".", "-" and ","
}

TEST_F(LevelsEditorShown, EnterAndEscapeFromABox) {
  int previews = 0;
  window->cmdPreview->Click = [&] { ++previews; };
  window->txtLevel[1].SetFocus();
  QTest::keyClicks(&window->txtLevel[1], "77");
  QTest::keyClick(&window->txtLevel[1], Qt::Key_Return);
  EXPECT_EQ(previews, 1);
  QTest::keyClick(&window->txtLevel[1], Qt::Key_Escape);
  EXPECT_FALSE(window->IsLoaded());
  EXPECT_EQ(Record().Galaxy_StdLevDRad, 250);
}

// Tab takes the order of the window's tab indexes: the level boxes, the switches, radius and
// distance, then the buttons, and round again.
TEST_F(LevelsEditorShown, TabWalksTheBoxesThenTheButtons) {
  std::vector<QWidget*> order;
  for (int k = 0; k < 3; ++k) order.push_back(&window->txtLevel[k]);
  for (int k = 0; k < 3; ++k) order.push_back(&window->chkToggle[k]);
  for (int k = 0; k < 2; ++k) order.push_back(&window->txtGalaxy[k]);
  for (QWidget* b : std::initializer_list<QWidget*>{window->cmdOK, window->cmdPreview, window->cmdDismiss,
                                                    window->cmdHelp, &window->txtLevel[0]})
    order.push_back(b);
  dialogs::testing::ExpectTabWalk(order);
}

TEST_F(LevelsEditorShown, TheWindowKeepsItsMinimumSize) {
  window->resize(100, 100);
  QApplication::processEvents();
  EXPECT_GE(window->ScaleWidth(), 8400);
  EXPECT_GE(window->ScaleHeight(), 4230);
  window->SetClientSize(10000, 6000);
  QApplication::processEvents();
  EXPECT_NEAR(window->fraPreview->Top() + window->fraPreview->Height(), 6000 - controls::PixelsToTwipsY(3), 30);
  EXPECT_NEAR(window->picPreview->Left() * 2 + window->picPreview->Width(), window->fraPreview->Width(), 30);
}

// Each caption fits its label and ends before its box; the frames hold their controls, and the
// left column leaves the preview its place.
TEST_F(LevelsEditorShown, CaptionsFitBesideTheirBoxesInsideTheFrames) {
  using namespace dialogs::testing;
  for (int k = 0; k < 3; ++k) {
    ExpectCaptionFits(window->lblLevel[k]);
    ExpectLeftOf(window->lblLevel[k], window->txtLevel[k]);
    ExpectCaptionFits(window->chkToggle[k]);
  }
  for (int k = 0; k < 2; ++k) {
    ExpectCaptionFits(window->lblGalaxy[k]);
    ExpectLeftOf(window->lblGalaxy[k], window->txtGalaxy[k]);
  }
  for (QWidget* frame : {static_cast<QWidget*>(window->fraLevel), static_cast<QWidget*>(window->fraGalaxy)}) {
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) ExpectInsideParent(*child);
    ExpectLeftOf(*frame, *window->fraPreview);
  }
  for (QAbstractButton* b : {window->cmdOK, window->cmdPreview, window->cmdDismiss, window->cmdHelp}) {
    ExpectCaptionFits(*b);
    ExpectLeftOf(*b, *window->fraPreview);
  }
}

TEST_F(LevelsEditor, HelpAndIndexesOutsideTheTypes) {
  platform::SetHelpFolder(ZV_HELP_SOURCE);
  window->cmdHelp->PerformClick();
  ASSERT_NE(platform::OpenHelpViewer(), nullptr);
  EXPECT_EQ(std::filesystem::path(platform::OpenHelpViewer()->CurrentFile()).filename(), "levels_editor.html");
  platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
  platform::SetHelpFolder("");

  const model::GalaxyTypeProps before = Record();
  for (int32_t n : {-1, 50}) ShowLevelsEditor(props, n);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(Record().Galaxy_StdLevels, before.Galaxy_StdLevels);
}

}  // namespace
}  // namespace dialogs
