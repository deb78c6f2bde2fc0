// A window holding every control of the Properties dialog with the universe, hue cone, filter
// and desktop blend handlers attached, shown offscreen, for driving the fields by keys.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>
#include <string>

#include "dialogs/properties/hue_fields.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/universe_fields.h"
#include "engine/hue_cone.h"
#include "host/qt_test_app.h"
#include "platform/controls/controls.h"
#include "presentation/compositor.h"
#include "support/test_support.h"

namespace dialogs {

// The window as the engine sees it: its four cone fields and its disc picture.
class FieldsForm : public controls::Form, public engine::HueConeDialog {
 public:
  FieldsForm() : controls::Form(nullptr, "frmProps"), c(*this), disc(c) {
    resize(900, 700);
    AttachUniverseFieldHandlers(c);
    AttachHueFieldHandlers(c, *this);
    // The spinner ranges of the window's load.
    for (const SpinnerRange& r : c.SpinnerRanges())
      controls::SyncTextToScroll(*r.box, *r.spinner, r.lower, r.upper, r.maxLength, 0);
    engine::SetHueConeDialog(this);
  }
  ~FieldsForm() override {
    if (engine::hueConeDialog() == this) engine::SetHueConeDialog(nullptr);
  }

  std::string ColorPropText(int index) const override { return c.txtColorProps[index].Text(); }
  void SetColorPropText(int index, const std::string& text) override { c.txtColorProps[index].SetText(text); }
  engine::HueConePicture* HueWheelPicture() override { return &disc; }

  PropsControls c;
  dialogs::HueWheelPicture disc;
};

class PropsFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    controls::ResetState();
    controls::state().beep = [this] { ++beeps; };
    engine::ResetHueConeState();
    presentation::ResetCompositorState();
    form = std::make_unique<FieldsForm>();
  }
  void TearDown() override {
    form.reset();
    engine::ResetHueConeState();
    presentation::ResetCompositorState();
    controls::ResetState();
  }

  // Shows the window and gives it the keyboard.
  void ShowActive() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  // Moves the focus into the box (its text is then selected) and types the keys.
  void TypeInto(controls::TextBox& box, const std::string& keys) {
    if (box.hasFocus()) Leave();
    box.SetFocus();
    QTest::keyClicks(&box, QString::fromStdString(keys));
  }
  // Moves the focus away from the box to a control of no field group.
  void Leave() { form->c.cmdAccept->SetFocus(); }

  testsupport::TempConfig config;
  int beeps = 0;
  std::unique_ptr<FieldsForm> form;
};

}  // namespace dialogs
