#include "host/own_window_watch.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace host {

namespace {

// The application's own xcb connection; nullptr on another platform.
xcb_connection_t* QtConnection() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (app == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
  return c != nullptr && xcb_connection_has_error(c) == 0 ? c : nullptr;
}

}  // namespace

// One filter for the whole process, on the events of the application's connection: the
// destruction of a watched window reaches its watch. The program's later requests on a window
// destroyed from outside (a paint under way, Qt's own destroy at the end) can only fail; their
// BadWindow and BadDrawable errors are dropped, and only theirs.
class OwnWindowFilter : public QAbstractNativeEventFilter {
 public:
  static OwnWindowFilter& Instance() {
    static OwnWindowFilter filter;
    if (!filter.installed_ && QCoreApplication::instance() != nullptr) {
      QCoreApplication::instance()->installNativeEventFilter(&filter);
      filter.installed_ = true;
    }
    return filter;
  }

  void Add(OwnWindowWatch* watch) { watches_.push_back(watch); }
  void Remove(OwnWindowWatch* watch) { std::erase(watches_, watch); }
  void MarkGone(uint32_t window) {
    if (std::find(gone_.begin(), gone_.end(), window) == gone_.end()) gone_.push_back(window);
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t" || message == nullptr) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t kind = event->response_type & 0x7F;
    if (kind == XCB_DESTROY_NOTIFY) {
      const auto* d = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
      // A copy: the action may end a watch.
      const std::vector<OwnWindowWatch*> watches = watches_;
      for (OwnWindowWatch* w : watches)
        if (w->window_ == d->window) w->OnDestroyNotify();
      return false;
    }
    if (kind == 0) {
      const auto* e = reinterpret_cast<const xcb_generic_error_t*>(event);
      const bool aboutWindow = e->error_code == XCB_WINDOW || e->error_code == XCB_DRAWABLE;
      return aboutWindow && std::find(gone_.begin(), gone_.end(), e->resource_id) != gone_.end();
    }
    return false;
  }

 private:
  bool installed_ = false;
  std::vector<OwnWindowWatch*> watches_;
  std::vector<uint32_t> gone_;
};

OwnWindowWatch::OwnWindowWatch(QWidget& widget, std::function<void()> onDestroyed)
    : onDestroyed_(std::move(onDestroyed)) {
  xcb_connection_t* c = QtConnection();
  if (c == nullptr) return;
  window_ = static_cast<uint32_t>(widget.winId());
  if (window_ == 0) return;
  OwnWindowFilter::Instance().Add(this);
  // The window's own structure events tell of its destruction; the mask Qt chose is kept.
  xcb_get_window_attributes_reply_t* a =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window_), nullptr);
  if (a == nullptr) {
    // Already gone: the action runs from the event loop all the same, as it would on the
    // event, also when the watch has ended by then.
    destroyed_ = true;
    OwnWindowFilter::Instance().MarkGone(window_);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [action = onDestroyed_] {
          if (action) action();
        },
        Qt::QueuedConnection);
    return;
  }
  if ((a->your_event_mask & XCB_EVENT_MASK_STRUCTURE_NOTIFY) == 0) {
    const uint32_t mask = a->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, window_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
  }
  std::free(a);
}

OwnWindowWatch::~OwnWindowWatch() {
  if (window_ != 0) OwnWindowFilter::Instance().Remove(this);
}

void OwnWindowWatch::OnDestroyNotify() {
  if (destroyed_) return;
  destroyed_ = true;
  OwnWindowFilter::Instance().MarkGone(window_);
  if (onDestroyed_) onDestroyed_();
}

}  // namespace host
