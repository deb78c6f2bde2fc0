// Message boxes of the running program, shown with Qt.
//
// A box keeps to its screen: its text wraps at the words and, where one run of characters (a
// link, a path) is too long for a line, anywhere inside it; a text taller than the screen
// scrolls. The text can be selected and copied, with the mouse or the keyboard, exactly as it
// was given.
#pragma once

#include <QMessageBox>

#include "platform/message_box.h"

namespace host {

class QtMessageService : public platform::MessageService {
 public:
  platform::MsgResult show(std::string_view text, std::string_view title, platform::MsgIcon icon,
                           platform::MsgButtons buttons,
                           int defaultButton) override;
};

// Sets up `box` as show() shows it: title, text (its CR LF line ends as line breaks), icon,
// buttons and default button, and the text's wrapping and selection.
void ConfigureMessageBox(QMessageBox& box, std::string_view text, std::string_view title, platform::MsgIcon icon,
                         platform::MsgButtons buttons, int defaultButton);
// The answer of the button that closed a box (its exec() result).
platform::MsgResult MessageBoxAnswer(int execResult);

// The object name of the text part of a box set up by ConfigureMessageBox.
inline constexpr const char* kMessageTextName = "messageText";

}  // namespace host
