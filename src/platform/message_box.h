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
  virtual MsgResult show(std::string_view text, std::string_view title, MsgIcon icon, MsgButtons buttons) = 0;
};

// Installs the service (nullptr: back to standard error); returns the previous one.
MessageService* SetMessageService(MessageService* service);
MsgResult ShowMessage(std::string_view text, std::string_view title, MsgIcon icon = MsgIcon::None,
                      MsgButtons buttons = MsgButtons::Ok);

// The product name, the title of every message box.
inline constexpr const char* kProductName = "Zorvane";

}  // namespace platform
