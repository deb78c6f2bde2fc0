// A fresh process state for the advanced settings window's tests: an empty settings store,
// counted beeps, recorded message boxes, the offscreen Qt application, and a window loaded
// against a stand-in of the Properties dialog.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>
#include <string>

#include "dialogs/editors/fake_props_fields.h"
#include "dialogs/editors/frm_advanced.h"
#include "engine/hue_cone.h"
#include "host/qt_test_app.h"
#include "model/hue_wheel.h"
#include "platform/controls/controls.h"
#include "store/registry_access.h"
#include "support/test_support.h"

namespace dialogs::testing {

inline constexpr const char* kMissing = "<missing>";

class AdvancedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    controls::ResetState();
    controls::state().beep = [this] { ++beeps; };
    engine::ResetHueConeState();
    model::SetAdvancedHueWheelFields(nullptr);
    model::hueWheelState() = {};
  }
  void TearDown() override {
    window.reset();
    model::SetAdvancedHueWheelFields(nullptr);
    controls::ResetState();
  }

  // A new window, loaded (its set-up and the load have run), not shown.
  frmAdvanced& Open() {
    window.reset();
    window = std::make_unique<frmAdvanced>();
    window->FormLet(&props);
    window->EnsureLoaded();
    return *window;
  }
  // A new loaded window, shown and holding the keyboard.
  frmAdvanced& OpenShown() {
    Open();
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return *window;
  }
  // Presses OK as a click does.
  void PressOK() { window->cmdOK->PerformClick(); }
  // Moves the focus into the box, then away from it.
  void EnterAndLeave(controls::TextBox& box) {
    box.SetFocus();
    window->cmdDefaults->SetFocus();
  }

  static std::string Stored(const std::string& name) { return store::GetRegSettingRaw("Advanced", name, kMissing); }
  static void Store(const std::string& name, const std::string& value) {
    ASSERT_TRUE(store::SaveRegSetting("Advanced", name, value));
  }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  FakePropsFields props;
  int beeps = 0;
  std::unique_ptr<frmAdvanced> window;
};

}  // namespace dialogs::testing
