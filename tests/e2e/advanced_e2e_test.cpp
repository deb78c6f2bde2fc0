#include <gtest/gtest.h>

#include <string>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

class AdvancedRun : public e2e::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // Opened before: no welcome window; the first load stores the factory set.
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  }
  // Starts the Properties window, opens Edit > Advanced Settings by keys, types `text` into the
  // box that has the focus there and presses `key`; then closes the Properties window with Esc.
  void EditAdvanced(const std::string& text, const std::string& key) {
    auto dialog = Start({"/C"});
    ASSERT_NE(WaitForKeyboard("Zorvane Properties"), 0u) << "the Properties window did not open with the keyboard";
    ASSERT_TRUE(OpenPopup("alt+e")) << "the Edit menu did not open";
    EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key a"), 0);
    ASSERT_NE(WaitForKeyboard("Advanced Settings"), 0u) << "the Advanced Settings window did not open with the keyboard";
    EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool type --delay 80 " + text), 0);
    EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key " + key), 0);
    ASSERT_TRUE(WaitUntilGone("Advanced Settings")) << key << " did not close the Advanced Settings window";
    // No window manager gives the keyboard back here.
    ASSERT_TRUE(Focus("Zorvane Properties")) << "the Properties window did not take the keyboard";
    EXPECT_EQ(e2e::RunCommand(x.display(), "xdotool key Escape"), 0);
    ASSERT_TRUE(dialog->WaitFor(45000)) << "the Properties window did not close";
    EXPECT_EQ(dialog->exitCode(), 0);
  }
};

}  // namespace

// The frame delay box has the focus with its text selected: the typed delay replaces it, Enter
// stores it; Escape closes the window and keeps the stored delay.
TEST_F(AdvancedRun, EnterStoresTheTypedFrameDelayAndEscapeDiscardsIt) {
  EditAdvanced("250", "Return");
  EXPECT_EQ(StoredLong("Advanced", "Adv_TimeDelay", -1), 250);
  EditAdvanced("333", "Escape");
  EXPECT_EQ(StoredLong("Advanced", "Adv_TimeDelay", -1), 250);
}
