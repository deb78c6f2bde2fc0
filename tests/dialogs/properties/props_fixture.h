// A fresh process state for the Properties window's tests: an empty settings store, no
// registered windows, recorded message boxes, the offscreen Qt application.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <memory>

#include "dialogs/properties/frm_props.h"
#include "dialogs/properties/props_openers.h"
#include "engine/hue_cone.h"
#include "host/qt_test_app.h"
#include "platform/controls/controls.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "store/template_lookup.h"
#include "support/test_support.h"

namespace dialogs::testing {

class PropsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    presentation::ResetRenderState();
    presentation::ResetPacingState();
    engine::ResetHueConeState();
    controls::ResetState();
    controls::state().beep = [] {};
    ResetPropsOpeners();
    store::templateState() = {};
  }
  void TearDown() override {
    for (QPointer<frmProps>& d : dialogs_) delete d.data();
    ResetPropsOpeners();
  }

  // A loaded Properties window, deleted at the end of the test (unless it released itself).
  frmProps& Open() {
    frmProps* d = frmProps::Create();
    dialogs_.emplace_back(d);
    return *d;
  }
  // Runs the deletions the windows asked for.
  static void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages{platform::MsgResult::Cancel};
  std::vector<QPointer<frmProps>> dialogs_;
};

}  // namespace dialogs::testing
