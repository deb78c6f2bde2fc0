// The answer a message box gives by its default button, and the answer taken when no box
// can be shown.
#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace {

using platform::MsgButtons;
using platform::MsgResult;

TEST(MessageBox, TheDefaultButtonByItsPositionAmongTheButtons) {
  struct Case {
    MsgButtons buttons;
    int position;
    MsgResult answer;
  } cases[] = {
      {MsgButtons::Ok, 0, MsgResult::Ok},          {MsgButtons::Ok, 1, MsgResult::Ok},
      {MsgButtons::OkCancel, 1, MsgResult::Cancel}, {MsgButtons::YesNo, 0, MsgResult::Yes},
      {MsgButtons::YesNo, 1, MsgResult::No},       {MsgButtons::YesNoCancel, 1, MsgResult::No},
      {MsgButtons::YesNoCancel, 2, MsgResult::Cancel}, {MsgButtons::YesNoCancel, 3, MsgResult::Yes},
      {MsgButtons::YesNoCancel, -1, MsgResult::Yes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(platform::ButtonAt(c.buttons, c.position), c.answer);
  }
  // Without a service the message goes to standard error and the default button answers.
  platform::MessageService* previous = platform::SetMessageService(nullptr);
  EXPECT_EQ(platform::ShowMessage("Reset?", "Zorvane", platform::MsgIcon::Question, MsgButtons::YesNoCancel, 1),
            MsgResult::No);
  EXPECT_EQ(platform::ShowMessage("Reset?", "Zorvane", platform::MsgIcon::Question, MsgButtons::YesNo), MsgResult::Yes);
  platform::SetMessageService(previous);
}

}  // namespace
