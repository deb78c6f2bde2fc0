// Message boxes of the running program, shown with Qt.
#pragma once

#include "platform/message_box.h"

namespace host {

class QtMessageService : public platform::MessageService {
 public:
  platform::MsgResult show(std::string_view text, std::string_view title, platform::MsgIcon icon,
                           platform::MsgButtons buttons,
                           int defaultButton) override;
};

}  // namespace host
