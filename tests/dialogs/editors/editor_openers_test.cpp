#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "dialogs/editors/editor_openers.h"
#include "dialogs/editors/fake_props_fields.h"
#include "dialogs/editors/frm_advanced.h"
#include "model/hue_wheel.h"
#include "support/test_support.h"
#include "dialogs/properties/props_openers.h"
#include "host/qt_test_app.h"

namespace dialogs {
namespace {

class EditorOpenersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    ResetPropsOpeners();
  }
  void TearDown() override { ResetPropsOpeners(); }
};

// The galaxy editors are registered; a type outside 0-49 opens nothing and changes nothing.
TEST_F(EditorOpenersTest, RegistersTheGalaxyEditorsAndRefusesATypeOutsideTheRecords) {
  EXPECT_FALSE(propsOpeners().GalaxyEditor);
  RegisterEditorOpeners();
  ASSERT_TRUE(propsOpeners().GalaxyEditor);
  testing::FakePropsFields fields;
  for (GalaxyEditorKind kind : {GalaxyEditorKind::Levels, GalaxyEditorKind::UserDefIFS, GalaxyEditorKind::Molecule}) {
    for (int32_t n : {-1, 50}) EXPECT_FALSE(OpenGalaxyEditor(fields, kind, n));
  }
  EXPECT_TRUE(fields.galaxyWrites.empty());
  EXPECT_TRUE(fields.uniWrites.empty());
}

// The advanced settings window opens modally with the frame delay focused, is the hue source
// while open, and is released once Escape has closed it.
TEST_F(EditorOpenersTest, AdvancedWindowOpensModallyAndIsReleasedWhenClosed) {
  testsupport::TempConfig config;
  RegisterEditorOpeners();
  ASSERT_TRUE(propsOpeners().AdvancedWindow);
  testing::FakePropsFields fields;
  QPointer<frmAdvanced> shown;
  bool focused = false;
  QTimer::singleShot(0, [&] {
    shown = dynamic_cast<frmAdvanced*>(QApplication::activeModalWidget());
    if (shown == nullptr) return;
    EXPECT_TRUE(QTest::qWaitForWindowActive(shown.data()));
    focused = shown->txtAdv[0].hasFocus() && model::AdvancedHueWheelFields() == shown.data();
    QTest::keyClick(&shown->txtAdv[0], Qt::Key_Escape);
  });
  propsOpeners().AdvancedWindow(fields);
  ASSERT_FALSE(shown.isNull());
  EXPECT_TRUE(focused);
  EXPECT_EQ(model::AdvancedHueWheelFields(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(shown.isNull());
}

}  // namespace
}  // namespace dialogs
