// The watch over the program's own window, under the xcb application of this test program:
// windows are destroyed from a connection of the test's own, as another client would.
#include "host/own_window_watch.h"

#include <gtest/gtest.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

using host::OwnWindowWatch;

namespace {

// The X errors that reach the filters installed before any watch: those the watch lets pass.
class ErrorRecorder : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_generic_error_t*>(message);
    if ((e->response_type & 0x7F) == 0) errors.push_back(e->resource_id);
    return false;
  }
  bool Saw(uint32_t id) const { return std::find(errors.begin(), errors.end(), id) != errors.end(); }
  std::vector<uint32_t> errors;
};

class OwnWindowWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr ||
        QGuiApplication::platformName() != QLatin1String("xcb"))
      GTEST_SKIP() << "no xcb application";
    // Installed before the watches' filter, so it is asked after it.
    static ErrorRecorder recorder;
    static const bool installed = [] {
      QCoreApplication::instance()->installNativeEventFilter(&recorder);
      return true;
    }();
    ASSERT_TRUE(installed);
    recorder_ = &recorder;
    recorder_->errors.clear();
    other_ = xcb_connect(qgetenv("DISPLAY").constData(), nullptr);
    ASSERT_EQ(xcb_connection_has_error(other_), 0);
  }
  void TearDown() override {
    if (other_ != nullptr) xcb_disconnect(other_);
  }
  // Another client destroys the window; the server has done it when this returns.
  void DestroyFromOutside(WId w) {
    xcb_destroy_window(other_, static_cast<uint32_t>(w));
    std::free(xcb_get_input_focus_reply(other_, xcb_get_input_focus(other_), nullptr));
  }
  static xcb_connection_t* QtConnection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  }

  ErrorRecorder* recorder_ = nullptr;
  xcb_connection_t* other_ = nullptr;
};

}  // namespace

// The action runs once and only from the event loop, whether the window goes while watched or
// was gone before; the program's own destruction of its window after the watch ended is no
// news (a window destroyed from outside afterwards shows its event came and went).
TEST_F(OwnWindowWatchTest, ActionRunsOnceFromTheEventLoopWhenAnotherClientDestroysTheWindow) {
  enum class Road { WhileWatched, BeforeTheWatch, OwnDestructionAfterTheWatch };
  struct Case {
    const char* name;
    Road road;
    int calls;
  } cases[] = {{"while watched", Road::WhileWatched, 1},
               {"before the watch", Road::BeforeTheWatch, 1},
               {"own destruction after the watch", Road::OwnDestructionAfterTheWatch, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int calls = 0;
    auto widget = std::make_unique<QWidget>();
    widget->setGeometry(0, 0, 40, 30);
    widget->show();
    const WId id = widget->winId();
    if (c.road == Road::BeforeTheWatch) DestroyFromOutside(id);
    std::optional<OwnWindowWatch> watch(std::in_place, *widget, [&calls] { ++calls; });
    if (c.road == Road::WhileWatched) DestroyFromOutside(id);
    EXPECT_EQ(calls, 0) << "the action ran outside the event loop";
    if (c.road == Road::OwnDestructionAfterTheWatch) {
      watch.reset();
      widget.reset();
      // A second window's destruction comes after the first one's.
      int markCalls = 0;
      QWidget mark;
      mark.show();
      OwnWindowWatch markWatch(mark, [&markCalls] { ++markCalls; });
      DestroyFromOutside(mark.winId());
      ASSERT_TRUE(QTest::qWaitFor([&] { return markCalls == 1; }, 10000));
    } else {
      ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 10000));
      EXPECT_TRUE(watch->Destroyed());
      QCoreApplication::processEvents();
    }
    EXPECT_EQ(calls, c.calls);
  }
}

// Requests of the program on its window destroyed from outside fail without a word; errors
// about any other window still reach the application.
TEST_F(OwnWindowWatchTest, OnlyErrorsAboutTheWindowThatIsGoneAreDropped) {
  QWidget widget;
  widget.show();
  bool gone = false;
  OwnWindowWatch watch(widget, [&gone] { gone = true; });
  const auto id = static_cast<uint32_t>(widget.winId());
  DestroyFromOutside(widget.winId());
  ASSERT_TRUE(QTest::qWaitFor([&] { return gone; }, 10000));

  const uint32_t never = xcb_generate_id(other_);  // an id of the test's that names no window
  xcb_connection_t* c = QtConnection();
  xcb_map_window(c, id);
  xcb_map_window(c, never);
  xcb_flush(c);
  ASSERT_TRUE(QTest::qWaitFor([&] { return recorder_->Saw(never); }, 10000)) << "the other window's error was lost";
  EXPECT_FALSE(recorder_->Saw(id));
}
