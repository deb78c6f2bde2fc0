#include "platform/message_box.h"

#include <cstdio>
#include <string>

namespace platform {

namespace {
MessageService*& Current() {
  static MessageService* service = nullptr;
  return service;
}
}  // namespace

MessageService* SetMessageService(MessageService* service) {
  MessageService* old = Current();
  Current() = service;
  return old;
}

MsgResult ShowMessage(std::string_view text, std::string_view title, MsgIcon icon, MsgButtons buttons) {
  if (MessageService* s = Current()) return s->show(text, title, icon, buttons);
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(), static_cast<int>(text.size()),
               text.data());
  switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
      return MsgResult::Yes;
    default:
      return MsgResult::Ok;
  }
}

}  // namespace platform
