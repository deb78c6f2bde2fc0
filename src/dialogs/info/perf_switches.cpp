#include "dialogs/info/perf_switches.h"

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

}  // namespace

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
