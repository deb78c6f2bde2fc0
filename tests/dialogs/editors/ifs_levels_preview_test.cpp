// The live previews of the IFS and levels editors: what a run writes into the record and puts
// back when it stops, a refused commit, OK and the close box while a preview runs, Escape, and
// frames that really reach the editor's picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/editors/fake_props_fields.h"
#include "dialogs/editors/frm_levels.h"
#include "dialogs/editors/frm_user_def_ifs.h"
#include "engine/engine_fixture.h"
#include "host/qt_platform.h"
#include "host/qt_test_app.h"
#include "model/galaxy_types.h"
#include "presentation/frame_pacing.h"
#include "support/test_support.h"

namespace dialogs {
namespace {

constexpr int kType = 3;

model::GalaxyTypeProps& Record() { return model::records().GalaxyTypes[kType]; }

// The fields a levels preview writes, and the rotation it leaves alone.
struct LevelFields {
  int32_t levels, increment;
  float height;
  int32_t hs, a0, a1, radius, rotation, distance;
  bool operator==(const LevelFields&) const = default;
};
LevelFields LevelFieldsOf(const model::GalaxyTypeProps& g) {
  return {g.Galaxy_StdLevels, g.Galaxy_StdLevDRad, g.Galaxy_StdLevHSca, g.Galaxy_StdLevB_HS, g.Galaxy_StdLevB_A0,
          g.Galaxy_StdLevB_A1, g.Galaxy_Radius,    g.Galaxy_Rotation,   g.Galaxy_Distance};
}

class EditorPreviews : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    controls::ResetState();
    enginetest::ResetEngineModules(11);
    enginetest::InstallFakeHost(&pacer);
    props.uni[0] = "400";
    props.uni[16] = "100";
    props.uni[17] = "200";
    model::GalaxyTypeProps& g = Record();
    g.Galaxy_Radius = 500, g.Galaxy_Rotation = 600, g.Galaxy_Distance = 700;
    g.Ifs.Galaxy_IFS_Points = 2;
    g.Ifs.IfsPct = {3, 4, 0, 0, 0};
    g.Ifs.IfsScale = {50, 40, 0, 0, 0};
    g.Ifs.IFS_CenterX = 42;
    g.Galaxy_StdLevels = 3, g.Galaxy_StdLevDRad = 150, g.Galaxy_StdLevHSca = 0.5f;
    g.Galaxy_StdLevB_HS = 1, g.Galaxy_StdLevB_A0 = 0, g.Galaxy_StdLevB_A1 = 1;
  }
  void TearDown() override {
    enginetest::InstallFakeHost(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    controls::ResetState();
  }
  template <class W>
  W* Open() {
    auto* w = new W(props);
    w->FormLet(kType);
    w->EnsureLoaded();
    w->show();
    QApplication::setActiveWindow(w);
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    windows.emplace_back(w, [](controls::Form* f) { f->Release(); });
    return w;
  }
  // The IFS editor with "Fractal Fern" chosen and another radius.
  frmUserDefIFS* OpenEditedIfs() {
    auto* w = Open<frmUserDefIFS>();
    w->cboTheme->SetListIndex(6);
    w->txtGalaxy[0].SetText("2222");
    return w;
  }
  frmLevels* OpenEditedLevels() {
    auto* w = Open<frmLevels>();
    w->txtLevel[0].SetText("9");
    w->txtLevel[2].SetText("2,5");
    w->chkToggle[0].SetValue(0);
    w->chkToggle[1].SetValue(1);
    w->txtGalaxy[1].SetText("0");
    return w;
  }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  dialogs::testing::FakePropsFields props;
  enginetest::FakeHost pacer;
  std::vector<std::unique_ptr<controls::Form, void (*)(controls::Form*)>> windows;
};

TEST_F(EditorPreviews, IfsRunShowsTheEditedFigureAndStopPutsEveryFieldBack) {
  auto* w = OpenEditedIfs();
  const model::IfsBlock before = Record().Ifs;
  const LevelFields galaxyBefore = LevelFieldsOf(Record());
  bool checked = false;
  pacer.onPace = [&] {
    if (pacer.paces != 3) return;
    checked = true;
    EXPECT_EQ(w->Preview().state(), EditorPreview::State::Running);
    EXPECT_EQ(w->cmdPreview->Caption(), "Stop");
    EXPECT_EQ(w->CancelButton(), w->cmdPreview);
    EXPECT_EQ(w->DefaultButton(), w->cmdPreview);
    EXPECT_FALSE(w->cmdOK->Enabled());
    EXPECT_FALSE(w->txtLocX[0].Enabled());
    EXPECT_TRUE(w->cmdPreview->Enabled());
    // The record holds the editor's figure and galaxy values while it runs.
    EXPECT_EQ(Record().Ifs.Galaxy_IFS_Points, 2);
    EXPECT_EQ(Record().Ifs.IFS_CenterX, 300);
    EXPECT_EQ(Record().Ifs.IfsScale[0], 25);
    EXPECT_EQ(Record().Galaxy_Radius, 2222);
    EXPECT_EQ(Record().Galaxy_Rotation, 2500);
    QTest::keyClick(w, Qt::Key_Escape);  // Escape stops a running preview
  };
  w->cmdPreview->PerformClick();
  ASSERT_TRUE(checked);
  EXPECT_TRUE(w->IsLoaded());
  EXPECT_EQ(w->Preview().state(), EditorPreview::State::Idle);
  EXPECT_EQ(std::memcmp(&before, &Record().Ifs, sizeof before), 0);
  EXPECT_EQ(LevelFieldsOf(Record()), galaxyBefore);
  EXPECT_EQ(w->cmdPreview->Caption(), "Preview I.F.S.");
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);
  EXPECT_TRUE(w->cmdOK->Enabled());
  EXPECT_TRUE(w->txtLocX[0].Enabled());
  // The boxes keep the edits.
  EXPECT_EQ(w->txtGalaxy[0].Text(), "2222");
  EXPECT_EQ(w->txtScale[0].Text(), "25");

  // A second start runs again.
  const int paces = pacer.paces;
  pacer.onPace = [&] {
    if (pacer.paces == paces + 2) w->cmdPreview->PerformClick();
  };
  w->cmdPreview->PerformClick();
  EXPECT_GT(pacer.paces, paces);
  EXPECT_LE(pacer.paces, paces + 3);
  EXPECT_EQ(std::memcmp(&before, &Record().Ifs, sizeof before), 0);
}

TEST_F(EditorPreviews, LevelsRunShowsTheEditedLevelsAndStopPutsEveryFieldBack) {
  auto* w = OpenEditedLevels();
  const LevelFields before = LevelFieldsOf(Record());
  bool checked = false;
  pacer.onPace = [&] {
    if (pacer.paces != 3) return;
    checked = true;
    EXPECT_EQ(w->cmdPreview->Caption(), "Stop");
    EXPECT_FALSE(w->txtLevel[1].Enabled());
    EXPECT_FALSE(w->chkToggle[2].Enabled());
    // Levels, increment, height, the switches, radius and distance; not the rotation.
    EXPECT_EQ(LevelFieldsOf(Record()), (LevelFields{9, 150, 2.5f, 0, 1, 1, 500, 600, 1}));
    w->cmdPreview->PerformClick();
  };
  w->cmdPreview->PerformClick();
  ASSERT_TRUE(checked);
  EXPECT_EQ(LevelFieldsOf(Record()), before);
  EXPECT_EQ(w->cmdPreview->Caption(), "Preview");
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);
  EXPECT_TRUE(w->txtLevel[1].Enabled());
  EXPECT_EQ(w->txtLevel[0].Text(), "9");
  EXPECT_EQ(w->chkToggle[1].Value(), 1);
}

TEST_F(EditorPreviews, ARefusedIfsCommitRunsNothing) {
  auto* w = Open<frmUserDefIFS>();
  w->cmdClear->PerformClick();
  w->txtGalaxy[1].SetText("1");
  const model::IfsBlock before = Record().Ifs;
  const LevelFields galaxyBefore = LevelFieldsOf(Record());
  w->cmdPreview->PerformClick();
  EXPECT_EQ(pacer.paces, 0);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text.rfind("Note:", 0), 0u);
  EXPECT_EQ(std::memcmp(&before, &Record().Ifs, sizeof before), 0);
  EXPECT_EQ(LevelFieldsOf(Record()), galaxyBefore);
  EXPECT_EQ(w->cmdPreview->Caption(), "Preview I.F.S.");
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);
  EXPECT_TRUE(w->cmdOK->Enabled());
}

// OK while a preview runs commits after the run has put the record back, so the commit stays;
// Cancel and the close box close after it, leaving the record as it was.
TEST_F(EditorPreviews, ClosingWhileAPreviewRunsActsAfterTheRestore) {
  struct Case {
    const char* name;
    bool ifs;
    std::function<void(controls::Form&)> close;
    bool committed;
  };
  auto click = [](const char* button) {
    return [button](controls::Form& f) { static_cast<controls::CommandButton*>(f.FindControl(button))->PerformClick(); };
  };
  const std::vector<Case> cases = {
      {"IFS OK", true, click("cmdOK"), true},
      {"IFS Cancel", true, click("cmdDismiss"), false},
      {"IFS close box", true, [](controls::Form& f) { f.close(); }, false},
      {"levels OK", false, click("cmdOK"), true},
      {"levels close box", false, [](controls::Form& f) { f.close(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    props.galaxy.clear();
    const model::GalaxyTypeProps before = Record();
    controls::Form* w = c.ifs ? static_cast<controls::Form*>(OpenEditedIfs()) : OpenEditedLevels();
    pacer.paces = 0;
    pacer.onPace = [&] {
      if (pacer.paces == 2) c.close(*w);
    };
    static_cast<controls::CommandButton*>(w->FindControl("cmdPreview"))->PerformClick();
    EXPECT_FALSE(w->IsLoaded());
    EXPECT_LT(pacer.paces, 5);
    if (c.ifs) {
      EXPECT_EQ(Record().Ifs.IFS_CenterX, c.committed ? 300 : 42);
      EXPECT_EQ(props.GalaxyText(0), c.committed ? "2222" : "");
    } else {
      EXPECT_EQ(Record().Galaxy_StdLevels, c.committed ? 9 : 3);
      EXPECT_EQ(props.GalaxyText(9), c.committed ? "9" : "");
    }
    EXPECT_EQ(Record().Galaxy_Rotation, before.Galaxy_Rotation);
  }
}

// What the picture shows now: its part of the window's backing store.
QImage Shown(controls::Form& window, QWidget& picture) {
  const QPoint at = picture.mapTo(&window, QPoint(0, 0));
  return QGuiApplication::primaryScreen()
      ->grabWindow(window.winId(), at.x(), at.y(), picture.width(), picture.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}
int LitPixels(const QImage& img) {
  int lit = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) lit += (img.pixel(x, y) & 0xFFFFFFu) != 0 ? 1 : 0;
  return lit;
}

TEST_F(EditorPreviews, EachPreviewDrawsMovingStarsIntoItsPicture) {
  // Frames go to the screen as in the program; the pacer stays the test's.
  presentation::InstallFrameSink(&host::qtFrameSink());
  props.uni[0] = "3000";
  for (bool ifs : {true, false}) {
    SCOPED_TRACE(ifs ? "IFS" : "levels");
    Record().Galaxy_GalStyle = ifs ? 8 : 0;
    controls::Form* w = ifs ? static_cast<controls::Form*>(OpenEditedIfs()) : OpenEditedLevels();
    auto* picture = static_cast<host::PictureBox*>(ifs ? static_cast<frmUserDefIFS*>(w)->picPreview
                                                       : static_cast<frmLevels*>(w)->picPreview);
    QImage first, second;
    pacer.paces = 0;
    pacer.onPace = [&] {
      if (pacer.paces == 10) first = Shown(*w, *picture);
      if (pacer.paces == 25) {
        second = Shown(*w, *picture);
        static_cast<controls::CommandButton*>(w->FindControl("cmdPreview"))->PerformClick();
      }
    };
    static_cast<controls::CommandButton*>(w->FindControl("cmdPreview"))->PerformClick();
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_GT(LitPixels(first), 20);
    EXPECT_GT(LitPixels(second), 20);
    EXPECT_NE(first, second);
    EXPECT_LE(pacer.paces, 27);
    static_cast<controls::CommandButton*>(w->FindControl("cmdDismiss"))->PerformClick();
    EXPECT_FALSE(w->IsLoaded());
  }
}

}  // namespace
}  // namespace dialogs
