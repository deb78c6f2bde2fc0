// The watches over the program's own windows, under the xcb application of this test program:
// windows are destroyed from a connection of the test's own, as another client would.
#include "platform/controls/own_window_watch.h"

#include <gtest/gtest.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "capture/modal_driver.h"
#include "host/qt_message_box.h"
#include "host/stop_requests.h"
#include "platform/controls/form.h"

using controls::OwnWindowWatch;

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
    controls::WatchTopLevelWindows(nullptr);
    if (other_ != nullptr) xcb_disconnect(other_);
  }
  // Another client destroys the window; the server has done it when this returns.
  void DestroyFromOutside(WId w) {
    xcb_destroy_window(other_, static_cast<uint32_t>(w));
    std::free(xcb_get_input_focus_reply(other_, xcb_get_input_focus(other_), nullptr));
  }
  // Whether the server has the window, seen from the other client.
  bool ExistsOnServer(WId w) {
    xcb_get_geometry_reply_t* g =
        xcb_get_geometry_reply(other_, xcb_get_geometry(other_, static_cast<uint32_t>(w)), nullptr);
    const bool found = g != nullptr;
    std::free(g);
    return found;
  }
  // The window's parent on the server (0 when it is gone).
  uint32_t ParentOnServer(WId w) {
    xcb_query_tree_reply_t* t =
        xcb_query_tree_reply(other_, xcb_query_tree(other_, static_cast<uint32_t>(w)), nullptr);
    const uint32_t parent = t != nullptr ? t->parent : 0;
    std::free(t);
    return parent;
  }
  bool MappedOnServer(WId w) {
    xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(
        other_, xcb_get_window_attributes(other_, static_cast<uint32_t>(w)), nullptr);
    const bool viewable = a != nullptr && a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    return viewable;
  }
  // Waits until every error of the application's requests made so far has passed the filters:
  // a request on an id that names no window fails after them.
  ::testing::AssertionResult ErrorsArrived() {
    const uint32_t never = xcb_generate_id(other_);
    xcb_connection_t* c = QtConnection();
    xcb_map_window(c, never);
    xcb_flush(c);
    if (QTest::qWaitFor([&] { return recorder_->Saw(never); }, 10000)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the error of a later request did not come";
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

// A shown top-level window destroyed from outside is handed to the action once, from the event
// loop; hidden by it (as a close road does that ends by code, after a recording or a preview),
// it loses its native window and its native child's, the program's requests on the gone windows
// raise no errors, and showing it again gives it a new native window on the server with its
// child inside.
TEST_F(OwnWindowWatchTest, TopLevelWindowIsHandedToTheActionAndShowsAgainInANewNativeWindow) {
  std::vector<QWidget*> handed;
  controls::WatchTopLevelWindows([&handed](QWidget& w) {
    handed.push_back(&w);
    w.hide();
  });
  QWidget window;
  window.setGeometry(10, 10, 60, 40);
  auto* child = new QWidget(&window);
  child->setGeometry(5, 5, 20, 10);
  const WId firstChild = child->winId();  // a native child
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const WId first = window.winId();
  ASSERT_EQ(ParentOnServer(firstChild), static_cast<uint32_t>(first));

  DestroyFromOutside(first);
  EXPECT_TRUE(handed.empty()) << "the action ran outside the event loop";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !handed.empty(); }, 10000)) << "the window was not handed over";
  EXPECT_EQ(handed.front(), &window);
  EXPECT_FALSE(window.isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.internalWinId() == 0; }, 10000))
      << "the gone native window was kept";
  EXPECT_EQ(child->internalWinId(), 0u);
  ASSERT_TRUE(ErrorsArrived());
  EXPECT_FALSE(recorder_->Saw(static_cast<uint32_t>(first)));
  EXPECT_FALSE(recorder_->Saw(static_cast<uint32_t>(firstChild)));

  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const WId second = window.winId();
  EXPECT_NE(second, first);
  EXPECT_TRUE(ExistsOnServer(second));
  EXPECT_TRUE(QTest::qWaitFor([&] { return MappedOnServer(second); }, 10000)) << "the window is not on the screen";
  ASSERT_NE(child->internalWinId(), 0u) << "the native child was not made again";
  EXPECT_EQ(ParentOnServer(child->internalWinId()), static_cast<uint32_t>(second));
  EXPECT_EQ(handed.size(), 1u);
}

// Windows that are not handed to the action: a hidden one only loses its native window (shown
// again, it gets a new one), and one with a watch of its own runs that watch's action alone.
TEST_F(OwnWindowWatchTest, HiddenOrSeparatelyWatchedWindowsAreNotHandedToTheAction) {
  struct Case {
    const char* name;
    bool hidden;
    bool ownWatch;
  } cases[] = {{"hidden", true, false}, {"watched", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int handed = 0;
    controls::WatchTopLevelWindows([&handed](QWidget&) { ++handed; });
    QWidget window;
    window.setGeometry(10, 10, 60, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const WId first = window.winId();
    int watchCalls = 0;
    std::optional<OwnWindowWatch> watch;
    if (c.ownWatch) watch.emplace(window, [&watchCalls] { ++watchCalls; });
    if (c.hidden) window.hide();
    ASSERT_EQ(window.isVisible(), !c.hidden);

    DestroyFromOutside(first);
    if (c.hidden) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return window.internalWinId() == 0; }, 10000))
          << "the gone native window was kept";
      window.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
      EXPECT_NE(window.winId(), first);
      EXPECT_TRUE(ExistsOnServer(window.winId()));
    } else {
      ASSERT_TRUE(QTest::qWaitFor([&] { return watchCalls == 1; }, 10000));
      // What the event posted for the window has run.
      QCoreApplication::processEvents();
      QCoreApplication::processEvents();
      EXPECT_TRUE(window.isVisible());
    }
    EXPECT_EQ(handed, 0);
    watch.reset();
  }
}

namespace {

// A window that records how it was asked to unload, and whether a box was open then.
class UnloadProbe : public controls::Form {
 public:
  UnloadProbe() : controls::Form(nullptr, "frmProbe") { resize(200, 120); }
  std::vector<int> modes;
  bool boxOpenAtUnload = false;

 protected:
  void Form_QueryUnload(int&, int mode) override {
    modes.push_back(mode);
    if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr) boxOpenAtUnload = true;
  }
};

}  // namespace

// The program's own action: a modal window destroyed from outside while a question box of it is
// open. The box is answered as Esc answers it (No), then the window unloads by its close road,
// its modal showing returns, and it can be shown again.
TEST_F(OwnWindowWatchTest, ModalWindowWithABoxClosesByItsCloseRoadAfterTheBox) {
  controls::WatchTopLevelWindows([](QWidget& w) { host::CloseWindowAsCancel(&w); });
  UnloadProbe form;
  WId formWindow = 0;
  std::optional<platform::MsgResult> answer;
  testsupport::WhenModalShows<UnloadProbe>([&](UnloadProbe& shown) {
    formWindow = shown.winId();
    // The box is shown from the event loop, above the modal window.
    QTimer::singleShot(0, [&answer] {
      host::QtMessageService boxes;
      answer = boxes.show("Reset every setting?", "Zorvane", platform::MsgIcon::Question,
                          platform::MsgButtons::YesNo, 0);
    });
    testsupport::WhenModalShows<QMessageBox>([this, &shown](QMessageBox&) { DestroyFromOutside(shown.winId()); });
  });
  // Should the windows stay, they are closed after a while (the test then fails below).
  QTimer fallback;
  fallback.setInterval(100);
  QObject::connect(&fallback, &QTimer::timeout, [&form] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == &form) {
      form.done(0);
    } else if (modal != nullptr) {
      modal->close();
    }
  });
  QTimer::singleShot(30000, &fallback, [&fallback] { fallback.start(); });
  form.ShowModal();
  fallback.stop();

  ASSERT_NE(formWindow, 0u);
  ASSERT_TRUE(answer.has_value()) << "the box was not answered";
  EXPECT_EQ(*answer, platform::MsgResult::No);
  EXPECT_EQ(form.modes, std::vector<int>{controls::vbFormControlMenu});
  EXPECT_FALSE(form.boxOpenAtUnload) << "the window unloaded under its open box";
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(form.isVisible());
  ASSERT_TRUE(ErrorsArrived());
  EXPECT_FALSE(recorder_->Saw(static_cast<uint32_t>(formWindow)));

  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_NE(form.winId(), formWindow);
  EXPECT_TRUE(QTest::qWaitFor([&] { return MappedOnServer(form.winId()); }, 10000));
}
