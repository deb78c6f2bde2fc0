#include "platform/message_box.h"

#include <cstdio>
#include <span>
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

MsgResult ButtonAt(MsgButtons buttons, int position) {
  static constexpr MsgResult kOk[] = {MsgResult::Ok};
  static constexpr MsgResult kOkCancel[] = {MsgResult::Ok, MsgResult::Cancel};
  static constexpr MsgResult kYesNo[] = {MsgResult::Yes, MsgResult::No};
  static constexpr MsgResult kYesNoCancel[] = {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
  std::span<const MsgResult> row = kOk;
  switch (buttons) {
    case MsgButtons::Ok:
      break;
    case MsgButtons::OkCancel:
      row = kOkCancel;
      break;
    case MsgButtons::YesNo:
      row = kYesNo;
      break;
    case MsgButtons::YesNoCancel:
      row = kYesNoCancel;
      break;
  }
  return position >= 0 && static_cast<size_t>(position) < row.size() ? row[static_cast<size_t>(position)] : row[0];
}

MsgResult ShowMessage(std::string_view text, std::string_view title, MsgIcon icon, MsgButtons buttons,
                      int defaultButton) {
  if (MessageService* s = Current()) return s->show(text, title, icon, buttons, defaultButton);
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(), static_cast<int>(text.size()),
               text.data());
  return ButtonAt(buttons, defaultButton);
}

}  // namespace platform
