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
    auto dialog = Start({"/C"});
    ASSERT_EQ(e2e::RunCommand(x.display(),
                              "timeout 90 xdotool search --sync --onlyvisible --name '^Zorvane Properties$'"),
              0)
        << "the Properties window did not open";
    e2e::SleepMs(1000);  // the window takes the keyboard once it is shown
    ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool type --delay 80 77"), 0);
    e2e::SleepMs(300);
    const int32_t before = StoredLong("GenColor", "HWC_ConeBright", -1);
    ASSERT_TRUE(dialog->Signal(sig));
    ASSERT_TRUE(dialog->WaitFor(45000)) << "signal " << sig << " did not close the window";
    EXPECT_EQ(dialog->exitCode(), 0) << sig;
    EXPECT_NE(before, 77);
    EXPECT_EQ(StoredLong("GenColor", "HWC_ConeBright", -1), before) << sig;
  }
}
