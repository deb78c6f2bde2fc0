// Message boxes go through one replaceable service: the program installs a Qt one, tests a
// recorder. Without a service the message is written to standard error and the default
// button is taken.
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class MessageService {
 public:
  virtual ~MessageService() = default;
  // `defaultButton` is the position of the default button among `buttons` (0: the first).
  virtual MsgResult show(std::string_view text, std::string_view title, MsgIcon icon, MsgButtons buttons,
                         int defaultButton) = 0;
};

// Installs the service (nullptr: back to standard error); returns the previous one.
MessageService* SetMessageService(MessageService* service);
MsgResult ShowMessage(std::string_view text, std::string_view title, MsgIcon icon = MsgIcon::None,
                      MsgButtons buttons = MsgButtons::Ok, int defaultButton = 0);

// The answer of the button at `position` among `buttons` (Yes, No, Cancel in that order); a
// position outside them gives the first button's.
MsgResult ButtonAt(MsgButtons buttons, int position);

// The product name, the title of every message box.
inline constexpr const char* kProductName = "Zorvane";

}  // namespace platform
