// The hidden performance switches of the about window: their prompts and what each answer
// stores.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <optional>
#include <string>

#include "dialogs/info/perf_switches.h"
#include "host/qt_test_app.h"
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

// The logging prompt wraps: the box, its buttons included, fits a 1024 x 768 screen and the
// screen it is on, with the whole prompt and the stored value as the answer.
TEST(PerfSwitches, InputBoxWrapsItsPromptToFitTheScreen) {
  testsupport::EnsureQtApplication();
  const std::string prompt = dialogs::LogSwitchPrompt("/home/someone/.local/share/zorvane");
  QInputDialog box;
  dialogs::ConfigureSwitchInputBox(box, prompt, dialogs::kLogSwitchTitle, "250");
  box.show();
  QCoreApplication::processEvents();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = box.frameGeometry();
  EXPECT_LE(frame.width(), std::min(1024, screen.width()));
  EXPECT_LE(frame.height(), std::min(768, screen.height()));
  EXPECT_EQ(box.windowTitle().toStdString(), "ZORV Product Performance Logging");
  EXPECT_EQ(box.textValue().toStdString(), "250");
  auto* label = box.findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->wordWrap());
  QString expected = QString::fromStdString(prompt);
  expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  EXPECT_EQ(label->text(), expected);
  // The prompt's lines and both buttons lie inside the box.
  EXPECT_TRUE(box.rect().contains(QRect(label->mapTo(&box, QPoint(0, 0)), label->size())));
  EXPECT_GE(label->height(), label->heightForWidth(label->width()));
  const auto buttons = box.findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 2);
  for (const QPushButton* b : buttons)
    EXPECT_TRUE(box.rect().contains(QRect(b->mapTo(&box, QPoint(0, 0)), b->size()))) << b->text().toStdString();
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
