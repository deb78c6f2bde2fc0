#include "platform/controls/own_window_watch.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace controls {

namespace {

// The application's own xcb connection; nullptr on another platform.
xcb_connection_t* QtConnection() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (app == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
  return c != nullptr && xcb_connection_has_error(c) == 0 ? c : nullptr;
}

// Releases the native window of a widget (and of its native children): the next show makes a
// new one. QWidget::destroy is what Qt itself runs before it gives a widget a new parent.
struct NativeWindowRelease : QWidget {
  static void Run(QWidget& widget) { (widget.*&NativeWindowRelease::destroy)(true, true); }
};

// The native windows inside a top-level widget: its own and those of its native children, not
// those of the windows it owns (a dialog's box is a window of its own on the server).
void CollectNativeWindows(const QWidget& widget, std::vector<uint32_t>& ids) {
  if (const WId id = widget.internalWinId(); id != 0) ids.push_back(static_cast<uint32_t>(id));
  for (QObject* child : widget.children()) {
    const auto* w = qobject_cast<const QWidget*>(child);
    if (w != nullptr && !w->isWindow()) CollectNativeWindows(*w, ids);
  }
}

// Sits on a top-level widget whose native window is gone, until the widget is hidden; then the
// widget's native window is released, from the event loop (not inside the hiding).
class ReleaseWhenHidden : public QObject {
 public:
  ReleaseWhenHidden(QWidget& widget, uint32_t gone) : QObject(&widget), widget_(&widget), gone_(gone) {
    widget.installEventFilter(this);
  }

  // Releases the widget's native window now when it is hidden; otherwise once it is.
  void ReleaseIfHidden() {
    if (widget_ && !widget_->isVisible()) Release();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == widget_ && e->type() == QEvent::Hide) {
      QMetaObject::invokeMethod(this, [this] { ReleaseIfHidden(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void Release() {
    if (released_) return;
    released_ = true;
    QPointer<QWidget> widget = widget_;
    // Only the window that is gone: one the widget got since (a new parent) stays.
    if (widget && static_cast<uint32_t>(widget->internalWinId()) == gone_) NativeWindowRelease::Run(*widget);
    if (widget) widget->removeEventFilter(this);
    deleteLater();
  }

  QPointer<QWidget> widget_;
  uint32_t gone_;
  bool released_ = false;
};

}  // namespace

// One filter for the whole process, on the events of the application's connection: the
// destruction of a watched window reaches its watch; that of another top-level window of the
// application reaches the action of WatchTopLevelWindows.
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
  bool IsGone(uint32_t window) const { return std::find(gone_.begin(), gone_.end(), window) != gone_.end(); }
  void SetTopLevelAction(LostWindowAction action) { topLevelAction_ = std::move(action); }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t" || message == nullptr) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t kind = event->response_type & 0x7F;
    if (kind == XCB_DESTROY_NOTIFY) {
      OnDestroyed(reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window);
      return false;
    }
    if (kind == 0) {
      const auto* e = reinterpret_cast<const xcb_generic_error_t*>(event);
      const bool aboutWindow = e->error_code == XCB_WINDOW || e->error_code == XCB_DRAWABLE;
      return aboutWindow && IsGone(e->resource_id);
    }
    return false;
  }

 private:
  void OnDestroyed(uint32_t window) {
    // A copy: the action may end a watch.
    const std::vector<OwnWindowWatch*> watches = watches_;
    for (OwnWindowWatch* w : watches)
      if (w->window_ == window) w->OnDestroyNotify();
    // A watched window is marked gone by its watch. The same destruction may come twice (also as
    // the event of a parent that selected its children's structure events).
    if (!topLevelAction_ || IsGone(window)) return;
    // A window the application still has under this id: the program's own destruction of a
    // window comes after the widget has let go of it.
    QWidget* lost = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (static_cast<uint32_t>(w->internalWinId()) == window) lost = w;
    }
    if (lost == nullptr) return;
    // Its native children went with it; requests on any of them fail from now on.
    std::vector<uint32_t> ids;
    CollectNativeWindows(*lost, ids);
    for (uint32_t id : ids) MarkGone(id);
    // Closing runs the window's handlers, which may show boxes and run event loops: never
    // inside this filter.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this, target = QPointer<QWidget>(lost), window] { OnLost(target, window); },
        Qt::QueuedConnection);
  }

  void OnLost(const QPointer<QWidget>& target, uint32_t window) {
    if (!target || static_cast<uint32_t>(target->internalWinId()) != window) return;
    auto* release = new ReleaseWhenHidden(*target, window);
    if (target->isVisible() && topLevelAction_) {
      // A copy: the action may replace itself.
      const LostWindowAction action = topLevelAction_;
      action(*target);
    }
    if (target) release->ReleaseIfHidden();
  }

  bool installed_ = false;
  std::vector<OwnWindowWatch*> watches_;
  std::vector<uint32_t> gone_;
  LostWindowAction topLevelAction_;
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

void WatchTopLevelWindows(LostWindowAction action) {
  if (QtConnection() == nullptr) return;
  OwnWindowFilter::Instance().SetTopLevelAction(std::move(action));
}

}  // namespace controls
