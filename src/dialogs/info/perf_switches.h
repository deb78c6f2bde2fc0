// The two hidden switches of the about window: a double-click on the notice asks for the frame
// threshold of the performance log (DX_WriteLog, 0 switches it off), a double-click on the
// paragraph whether the frame rate is shown (DX_ShowFPS). Both values live in section
// "DirectX". Switching the log off also switches the display off; switching the display on
// also switches the log on with a threshold of 100 frames.
#pragma once

#include <string>
#include <string_view>

class QInputDialog;
class QWidget;

namespace dialogs {

inline constexpr const char* kLogSwitchTitle = "ZORV Product Performance Logging";
inline constexpr const char* kDisplaySwitchTitle = "ZORV Product Performance Display";

// The prompts; the log's prompt names the folder the log is written to.
std::string LogSwitchPrompt(std::string_view logFolder);
std::string DisplaySwitchPrompt();
// The default answers: the stored values as decimal text.
std::string LogSwitchDefault();
std::string DisplaySwitchDefault();

// The input box of a switch: the title, the prompt (its CR LF line ends as line breaks) and the
// default answer. The prompt wraps at a width that keeps the box, buttons included, on a
// 1024 x 768 screen and on the screen it is shown on.
void ConfigureSwitchInputBox(QInputDialog& box, const std::string& prompt, const std::string& title,
                             const std::string& answer);
// Shows that box modally over `parent`: the answer, or "" after Cancel.
std::string AskSwitchAnswer(QWidget* parent, const std::string& prompt, const std::string& title,
                            const std::string& answer);

// Stores an answer. An answer of blanks only (Cancel gives an empty one) and an answer whose
// number is not finite store nothing. The number is the answer's leading number (0 when none).
void ApplyLogSwitchAnswer(std::string_view answer);
void ApplyDisplaySwitchAnswer(std::string_view answer);

}  // namespace dialogs
