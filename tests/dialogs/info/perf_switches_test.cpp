// The hidden performance switches of the about window: their prompts and what each answer
// stores.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialogs/info/perf_switches.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace {

std::optional<std::string> Stored(const char* name) {
  const std::string v = store::GetSettingString("DirectX", name, "<none>");
  if (v == "<none>") return std::nullopt;
  return v;
}

TEST(PerfSwitches, PromptsAndTitles) {
  EXPECT_STREQ(dialogs::kLogSwitchTitle, "ZORV Product Performance Logging");
  EXPECT_STREQ(dialogs::kDisplaySwitchTitle, "ZORV Product Performance Display");
  EXPECT_EQ(dialogs::LogSwitchPrompt("/home/u/.local/share/zorvane"),
            "Write to ZORVPerf.log file? N=Yes, 0=No\r\n\r\n"
            "N=Non-Zero value used as Frame Threshold for writing to the Log.  "
            "Log file will appear in /home/u/.local/share/zorvane when the desktop starts the Product.  "
            "File will appear in the same folder when Product is started manually.\r\n\r\n"
            "Note:  Turning this Off will automatically turn Off display of Performance FPS.");
  EXPECT_EQ(dialogs::DisplaySwitchPrompt(),
            "Display performance fps on screen? 1=Yes, 0=No\r\n\r\n"
            "Note:  Turning this On will automatically turn On\r\n"
            "logging to the ZORVPerf.log file (100 Frame threshold).");
}

TEST(PerfSwitches, AnswersStoreTheCoupledValues) {
  enum Switch { Log, Display };
  const struct Case {
    Switch which;
    const char* answer;
    std::optional<std::string> writeLog, showFps;  // after: starting from DX_WriteLog 7, DX_ShowFPS 1
  } cases[] = {
      {Log, "", "7", "1"},           // Cancel
      {Log, "   ", "7", "1"},        // blanks only
      {Log, "1E999", "7", "1"},      // not finite
      {Log, "0", "0", "0"},
      {Log, "abc", "0", "0"},
      {Log, "-", "0", "0"},
      {Log, "250 frames", "250", "1"},
      {Log, "-5", "-5", "1"},
      {Log, "7", "7", "1"},          // the default answer unchanged
      {Log, "2.5", "2.5", "1"},
      {Display, "", "7", "1"},
      {Display, "  ", "7", "1"},
      {Display, "1", "100", "1"},
      {Display, "   1", "100", "1"},
      {Display, "1.0", "100", "1"},
      {Display, "2", "7", "0"},
      {Display, "yes", "7", "0"},
      {Display, "1E999", "7", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.which == Log ? "log " : "display ") + "'" + c.answer + "'");
    testsupport::TempConfig config;
    store::SaveRegSetting("DirectX", "DX_WriteLog", "7");
    store::SaveRegSetting("DirectX", "DX_ShowFPS", "1");
    if (c.which == Log)
      dialogs::ApplyLogSwitchAnswer(c.answer);
    else
      dialogs::ApplyDisplaySwitchAnswer(c.answer);
    EXPECT_EQ(Stored("DX_WriteLog"), c.writeLog);
    EXPECT_EQ(Stored("DX_ShowFPS"), c.showFps);
  }
}

TEST(PerfSwitches, DefaultAnswersAreTheStoredValues) {
  testsupport::TempConfig config;
  EXPECT_EQ(dialogs::LogSwitchDefault(), "0");
  EXPECT_EQ(dialogs::DisplaySwitchDefault(), "0");
  store::SaveRegSetting("DirectX", "DX_WriteLog", "300");
  store::SaveRegSetting("DirectX", "DX_ShowFPS", "1");
  EXPECT_EQ(dialogs::LogSwitchDefault(), "300");
  EXPECT_EQ(dialogs::DisplaySwitchDefault(), "1");
}

}  // namespace
