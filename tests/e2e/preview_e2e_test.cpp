// A galaxy type edited, previewed and accepted in the Properties window of a whole-program
// run, by keys. The window has no access keys for most of its controls, so a second copy of
// the window (offscreen, in this process, started from the same stored set and driven by the
// same keys) tells how many Tab presses reach the next control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "dialogs/editors/editor_openers.h"
#include "dialogs/properties/frm_props.h"
#include "e2e/program_run.h"
#include "host/qt_test_app.h"
#include "platform/registry_store.h"
#include "store/registry_access.h"

namespace {

class PreviewRun : public e2e::ProgramRun {
 protected:
  PreviewRun() : ProgramRun(1280, 1024) {}
  void SetUp() override {
    ProgramRun::SetUp();
    // Opened before: no welcome window; the first load takes the factory set.
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  }
  void TearDown() override {
    delete shadow_;
    ProgramRun::TearDown();
  }

  // Waits for the program's window, then opens the shadow.
  void OpenWindowAndShadow() {
    ASSERT_NE(WaitForKeyboard("Zorvane Properties"), 0u) << "the Properties window did not open with the keyboard";
    OpenShadow();
  }
  // The offscreen copy of the window, on a store of its own in the same state.
  void OpenShadow() {
    testsupport::EnsureQtApplication();
    shadowConfig_ = std::make_unique<testsupport::ScopedEnv>("XDG_CONFIG_HOME", home + "/shadow");
    platform::ResetRegistry();
    ASSERT_TRUE(store::SaveRegSetting("General", "ResetSettings", 1));
    dialogs::RegisterEditorOpeners();
    shadow_ = dialogs::frmProps::Create();
    shadow_->show();
    shadow_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shadow_));
  }
  // Presses keys in both windows (xdotool key names; the shadow takes the Qt keys).
  void Keys(const std::vector<Qt::Key>& keys, const std::string& names) {
    for (Qt::Key k : keys) QTest::keyClick(QApplication::focusWidget(), k);
    ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key --delay 60 " + names), 0);
  }
  void Type(const std::string& text) {
    QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(text));
    ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool type --delay 80 " + text), 0);
  }
  // Tabs until the shadow's focus is on `target`, and as many in the program's window.
  void TabTo(QWidget* target) {
    int tabs = 0;
    while (QApplication::focusWidget() != target && tabs < 400) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      ++tabs;
    }
    ASSERT_EQ(QApplication::focusWidget(), target) << "no Tab reaches " << target->objectName().toStdString();
    std::string names;
    for (int i = 0; i < tabs; ++i) names += " Tab";
    if (tabs > 0) {
      ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key --delay 30" + names), 0);
    }
  }

  std::pair<int, int> WindowSize(xcb_window_t w) const {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(x.conn(), xcb_get_geometry(x.conn(), w), nullptr);
    if (g == nullptr) return {0, 0};
    const std::pair<int, int> size{g->width, g->height};
    free(g);
    return size;
  }

  // Starts the preview whose button has the keyboard (space) and checks that, while it runs,
  // pixels of the window change, all of them inside the preview picture (black before the
  // start), and that some are lit.
  void ExpectPreviewAnimatesInThePicture() {
    const xcb_window_t window = WaitForWindow("Zorvane Properties");
    ASSERT_NE(window, 0u);
    const auto [width, height] = WindowSize(window);
    ASSERT_GT(width * height, 0);
    const std::vector<uint32_t> idle = x.Grab(window, 0, 0, width, height);
    ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key space"), 0);
    // Two looks 700 ms apart, made again (up to 30 s) until they show the motion: on a busy
    // machine the preview can start late, or draw so slowly that one pair of looks catches
    // too little of it.
    int changed = 0, lit = 0;
    int left = width, top = height, right = -1, bottom = -1;
    for (int waited = 0;; waited += 2200) {
      e2e::SleepMs(1500);
      const std::vector<uint32_t> first = x.Grab(window, 0, 0, width, height);
      e2e::SleepMs(700);
      const std::vector<uint32_t> second = x.Grab(window, 0, 0, width, height);
      ASSERT_EQ(idle.size(), second.size());
      ASSERT_EQ(first.size(), second.size());
      // The changing pixels, and the box around them.
      changed = 0, lit = 0;
      left = width, top = height, right = -1, bottom = -1;
      for (int y = 0; y < height; ++y) {
        for (int xx = 0; xx < width; ++xx) {
          const size_t i = static_cast<size_t>(y) * width + xx;
          if (first[i] == second[i]) continue;
          ++changed;
          if ((second[i] & 0xFFFFFF) != 0) ++lit;
          left = std::min(left, xx), right = std::max(right, xx);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
      }
      const bool moved = changed > 20 && lit > 0 && right - left > 40 && bottom - top > 20;
      if (moved || waited >= 30000) break;
    }
    EXPECT_GT(changed, 20);
    EXPECT_GT(lit, 0);
    // The box lies in the preview picture: a black area of the idle window (its edge, where the
    // picture may have been widened to whole frames, aside).
    ASSERT_GT(right - left, 40);
    ASSERT_GT(bottom - top, 20);
    int notBlack = 0;
    for (int y = top + 4; y <= bottom - 4; ++y)
      for (int xx = left + 4; xx <= right - 4; ++xx)
        notBlack += (idle[static_cast<size_t>(y) * width + xx] & 0xFFFFFF) != 0 ? 1 : 0;
    EXPECT_EQ(notBlack, 0);
  }

  dialogs::frmProps* shadow_ = nullptr;
  std::unique_ptr<testsupport::ScopedEnv> shadowConfig_;
};


}  // namespace

// Type 3 opened with "Show Props", its radius typed and accepted on the page, previewed
// (changing lit pixels), stopped with Esc, and the settings accepted: the registry holds the
// radius in the type's section.
TEST_F(PreviewRun, AnEditedGalaxyIsPreviewedAndItsRadiusStored) {
  auto dialog = Start({"/C"});
  ASSERT_NO_FATAL_FAILURE(OpenWindowAndShadow());
  dialogs::PropsControls& c = shadow_->c;

  // Type 3 in the galaxy list, then "Show Props".
  TabTo(c.lstUniGalaxy);
  Keys({Qt::Key_Home, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, "Home Down Down Down");
  ASSERT_EQ(c.lstUniGalaxy->ListIndex(), 3);
  TabTo(c.cmdGalProps);
  Keys({Qt::Key_Space}, "space");
  ASSERT_TRUE(shadow_->GalaxyEditMode);

  // The radius, then the page's "Accept".
  TabTo(&c.txtGalaxy[0]);
  Type("1234");
  TabTo(c.cmdAcceptGalProps);
  Keys({Qt::Key_Space}, "space");
  ASSERT_FALSE(shadow_->GalaxyEditMode);

  // "Preview Galaxy" animates in the preview picture. The shadow stays behind.
  TabTo(c.cmdPreviewGal);
  ExpectPreviewAnimatesInThePicture();

  // "Stop" by Esc, then "&Accept Settings" stores the set and closes the window.
  ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key Escape"), 0);
  ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key alt+a"), 0);
  ASSERT_TRUE(dialog->WaitFor(45000)) << "the window did not close on Accept";
  EXPECT_EQ(dialog->exitCode(), 0);
  EXPECT_EQ(StoredLong("Universe\\Galaxy3", "Galaxy_Radius", -1), 1234);
}

// The universe preview (the panel shown first holds its button) and the composite preview
// animate in the picture too; Esc stops each and leaves the window open and usable, and the
// next Esc, with no preview running, cancels the window.
TEST_F(PreviewRun, TheUniverseAndCompositePreviewsAnimateAndEscStopsThem) {
  auto dialog = Start({"/C"});
  ASSERT_NO_FATAL_FAILURE(OpenWindowAndShadow());
  dialogs::PropsControls& c = shadow_->c;

  TabTo(c.cmdPreviewUni);
  ExpectPreviewAnimatesInThePicture();
  ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key Escape"), 0);
  e2e::SleepMs(500);
  EXPECT_TRUE(dialog->running()) << "Esc during the preview closed the window";

  // The composite panel, a composite chosen by key, then "Preview Comp".
  TabTo(c.cboUniExtras);
  Keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, "Down Down Down");
  ASSERT_EQ(c.cboUniExtras->ListIndex(), 3);
  TabTo(c.lstCompGalaxy);
  Keys({Qt::Key_Down}, "Down");
  ASSERT_GE(c.lstCompGalaxy->ListIndex(), 0);
  TabTo(c.cmdPreviewComp);
  ExpectPreviewAnimatesInThePicture();
  ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key Escape"), 0);
  e2e::SleepMs(500);
  EXPECT_TRUE(dialog->running()) << "Esc during the preview closed the window";

  ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool key Escape"), 0);
  ASSERT_TRUE(dialog->WaitFor(45000)) << "Esc did not cancel the window";
  EXPECT_EQ(dialog->exitCode(), 0);
}
