#include "dialogs/info/perf_switches.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <optional>

#include "runtime/numbers.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

// The answer's number, or nothing when the answer is blank or its number is not finite.
std::optional<double> AnswerNumber(std::string_view answer) {
  if (runtime::TrimBlanks(answer).empty()) return std::nullopt;
  const double v = runtime::Val(answer);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

// The prompt's line width: the box stays well inside a 1024 x 768 screen.
constexpr int kPromptWidth = 460;
// Room beside the prompt on the screen: the box's margins and frame.
constexpr int kRoomBesidePrompt = 80;

}  // namespace

void ConfigureSwitchInputBox(QInputDialog& box, const std::string& prompt, const std::string& title,
                             const std::string& answer) {
  box.setWindowTitle(QString::fromStdString(title));
  box.setInputMode(QInputDialog::TextInput);
  QString text = QString::fromStdString(prompt);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setLabelText(text);
  box.setTextValue(QString::fromStdString(answer));
  const QWidget* parent = box.parentWidget();
  const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const int screenRoom = screen != nullptr ? screen->availableGeometry().width() - kRoomBesidePrompt : kPromptWidth;
  // The box's label holds the prompt on one line otherwise, wider than the screen.
  if (auto* label = box.findChild<QLabel*>()) {
    label->setWordWrap(true);
    label->setFixedWidth(std::max(160, std::min(kPromptWidth, screenRoom)));
  }
  box.adjustSize();
}

std::string AskSwitchAnswer(QWidget* parent, const std::string& prompt, const std::string& title,
                            const std::string& answer) {
  QInputDialog box(parent);
  ConfigureSwitchInputBox(box, prompt, title, answer);
  return box.exec() == QDialog::Accepted ? box.textValue().toStdString() : std::string();
}

std::string LogSwitchPrompt(std::string_view logFolder) {
  return "Write to ZORVPerf.log file? N=Yes, 0=No\r\n\r\n"
         "N=Non-Zero value used as Frame Threshold for writing to the Log.  "
         "Log file will appear in " + std::string(logFolder) + " when the desktop starts the Product.  "
         "File will appear in the same folder when Product is started manually.\r\n\r\n"
         "Note:  Turning this Off will automatically turn Off display of Performance FPS.";
}

std::string DisplaySwitchPrompt() {
  return "Display performance fps on screen? 1=Yes, 0=No\r\n\r\n"
         "Note:  Turning this On will automatically turn On\r\n"
         "logging to the ZORVPerf.log file (100 Frame threshold).";
}

std::string LogSwitchDefault() { return runtime::LongToText(store::GetSettingLong("DirectX", "DX_WriteLog", 0)); }
std::string DisplaySwitchDefault() { return runtime::LongToText(store::GetSettingLong("DirectX", "DX_ShowFPS", 0)); }

void ApplyLogSwitchAnswer(std::string_view answer) {
  const auto v = AnswerNumber(answer);
  if (!v) return;
  store::SaveRegSetting("DirectX", "DX_WriteLog", runtime::DoubleToText(*v));
  if (*v == 0) store::SaveRegSetting("DirectX", "DX_ShowFPS", "0");
}

void ApplyDisplaySwitchAnswer(std::string_view answer) {
  const auto v = AnswerNumber(answer);
  if (!v) return;
  store::SaveRegSetting("DirectX", "DX_ShowFPS", *v == 1 ? "1" : "0");
  if (*v == 1) store::SaveRegSetting("DirectX", "DX_WriteLog", "100");
}

}  // namespace dialogs
