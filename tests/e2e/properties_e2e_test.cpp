#include <gtest/gtest.h>

#include <string>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

class PropertiesRun : public e2e::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // Opened before: no welcome window; the first load stores the factory set.
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  }
  // Starts the dialog and waits until its window shows.
  std::unique_ptr<e2e::Process> OpenDialog() {
    auto dialog = Start({"/C"});
    EXPECT_NE(WaitForWindow("Zorvane Properties"), 0u) << "the Properties window did not open";
    return dialog;
  }
  // Opens the dialog, types `text` into the field that has the focus and presses `key`;
  // true when the program then ended by itself.
  bool TypeAndPress(const std::string& text, const std::string& key) {
    auto dialog = OpenDialog();
    EXPECT_NE(WaitForKeyboard("Zorvane Properties"), 0u) << "the Properties window did not take the keyboard";
    EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool type --delay 80 " + text), 0);
    EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key " + key), 0);
    const bool ended = dialog->WaitFor(45000);
    EXPECT_TRUE(ended) << "the window did not close on " << key;
    if (ended) {
      EXPECT_EQ(dialog->exitCode(), 0);
    }
    return ended;
  }
};

}  // namespace

// The window opens with the hue cone brightness focused and selected: typing replaces it,
// Enter accepts and stores it, Esc closes and keeps the stored value.
TEST_F(PropertiesRun, EnterStoresTheTypedValueAndEscKeepsTheOldOne) {
  ASSERT_TRUE(TypeAndPress("55", "Return"));
  EXPECT_EQ(StoredLong("GenColor", "HWC_ConeBright", -1), 55);
  EXPECT_EQ(StoredLong("General", "AnimationType", -1), 0);
  ASSERT_TRUE(TypeAndPress("77", "Escape"));
  EXPECT_EQ(StoredLong("GenColor", "HWC_ConeBright", -1), 55);
}

// One dialog per user: a second start finds the open one and ends by itself.
TEST_F(PropertiesRun, ASecondStartLeavesTheOpenWindowAlone) {
  auto first = OpenDialog();
  auto second = Start({"/C"});
  ASSERT_TRUE(second->WaitFor(45000)) << "the second start did not end by itself";
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_TRUE(first->running());
  // The window brought forward still has the keyboard.
  ASSERT_NE(WaitForKeyboard("Zorvane Properties"), 0u) << "the window brought forward lost the keyboard";
  EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key Escape"), 0);
  ASSERT_TRUE(first->WaitFor(45000)) << "Esc did not close the window";
  EXPECT_EQ(first->exitCode(), 0);
}
