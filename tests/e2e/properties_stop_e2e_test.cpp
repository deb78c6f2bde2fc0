// Stop signals to an open Properties window: it closes as Cancel closes it.
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

class PropertiesStopRun : public e2e::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // Opened before: no welcome window; the first load stores the factory set.
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  }
};

}  // namespace

// The window opens with the hue cone brightness focused and selected; a typed value is dropped
// when a signal closes the window, as Cancel drops it, and the program ends with status 0.
TEST_F(PropertiesStopRun, StopSignalsCloseTheWindowAndStoreNothing) {
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(sig);
    auto dialog = Start({"/C"});
    const xcb_window_t window = WaitForWindow("Zorvane Properties");
    ASSERT_NE(window, 0u) << "the Properties window did not open";
    ASSERT_TRUE(WaitForFocus(window)) << "the Properties window did not take the keyboard";
    // The field that has the keyboard is the hue cone brightness: copied from there, the clipboard
    // holds its stored value; and the typed value stands in it then.
    const int32_t before = StoredLong("GenColor", "HWC_ConeBright", -1);
    ASSERT_NE(before, 77);
    ASSERT_TRUE(Keys("ctrl+a ctrl+c"));
    ASSERT_EQ(WaitForSelection("CLIPBOARD", std::to_string(before)), std::to_string(before))
        << "the focused field is not the hue cone brightness";
    ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool type --delay 80 77"), 0);
    ASSERT_TRUE(Keys("ctrl+a ctrl+c"));
    ASSERT_EQ(WaitForSelection("CLIPBOARD", "77"), "77") << "the typed value did not reach the field";
    ASSERT_TRUE(dialog->Signal(sig));
    ASSERT_TRUE(dialog->WaitFor(45000)) << "the signal did not close the window";
    EXPECT_EQ(dialog->exitCode(), 0);
    EXPECT_EQ(StoredLong("GenColor", "HWC_ConeBright", -1), before);
  }
}
