// One Properties window per user, however the starts meet.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

class SingleInstanceRun : public e2e::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // Opened before: no welcome window.
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  }
};

}  // namespace

// Two starts in the same instant: one opens the window, the other finds it and ends.
TEST_F(SingleInstanceRun, TwoStartsAtOnceOpenOneWindow) {
  auto first = Start({"/C"});
  auto second = Start({"/C"});
  ASSERT_NE(WaitForWindow("Zorvane Properties"), 0u) << "no Properties window opened";
  // The start that lost ends by itself once the window answers it.
  bool oneEnded = false;
  for (int waited = 0; waited < 45000 && !oneEnded; waited += 200) {
    oneEnded = !first->running() || !second->running();
    if (!oneEnded) e2e::SleepMs(200);
  }
  ASSERT_TRUE(oneEnded) << "both starts kept running";
  EXPECT_FALSE(first->running() && second->running());
  EXPECT_TRUE(first->running() || second->running());
  e2e::SleepMs(1000);
  EXPECT_EQ(WindowsNamed("Zorvane Properties").size(), 1u);

  e2e::Process& open = first->running() ? *first : *second;
  e2e::Process& ended = first->running() ? *second : *first;
  ASSERT_TRUE(ended.WaitFor(1000));
  EXPECT_EQ(ended.exitCode(), 0);
  ASSERT_TRUE(Focus("Zorvane Properties")) << "the open window did not take the keyboard";
  EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key Escape"), 0);
  ASSERT_TRUE(open.WaitFor(45000)) << "Esc did not close the window";
  EXPECT_EQ(open.exitCode(), 0);
}
