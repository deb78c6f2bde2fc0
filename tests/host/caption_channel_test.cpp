#include "host/caption_channel.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "host/qt_test_app.h"

using namespace host;

TEST(CaptionChannel, AnOpenWindowIsFoundByItsCaptionUntilItCloses) {
  testsupport::EnsureQtApplication();
  const std::string caption = "Zorvane channel test " + std::to_string(QCoreApplication::applicationPid());
  EXPECT_FALSE(IsWindowOpen(caption));
  EXPECT_FALSE(BringWindowToFront(caption));
  QWidget window;
  {
    auto channel = std::make_unique<CaptionChannel>(&window, caption);
    ASSERT_TRUE(channel->listening());
    EXPECT_TRUE(IsWindowOpen(caption));
    EXPECT_TRUE(BringWindowToFront(caption));
    EXPECT_FALSE(IsWindowOpen(caption + " other"));
    // A second window of the same caption is refused while the first listens, and going away
    // it leaves the first one findable.
    {
      QWidget second;
      CaptionChannel duplicate(&second, caption);
      EXPECT_FALSE(duplicate.listening());
    }
    EXPECT_TRUE(IsWindowOpen(caption));
  }
  EXPECT_FALSE(IsWindowOpen(caption));
  EXPECT_NE(CaptionChannelName("a"), CaptionChannelName("b"));
}
