// Notices when another X client destroys one of the program's own windows (the saver's window,
// the preview's picture inside its host). Qt does not tell a widget that its native window was
// destroyed by someone else; the run would go on drawing into nothing. The watch hears the
// window's DestroyNotify in the event loop and runs its action there.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

namespace host {

class OwnWindowWatch {
 public:
  // Watches the native window of `widget` (made here when it has none yet) on the
  // application's xcb connection; `onDestroyed` runs once, from the event loop, when the
  // window is destroyed while the watch lives, or when it is already gone as the watch starts.
  // Without the xcb platform the watch does nothing. Destroy the watch before the widget: the
  // program's own destruction of the window is no news.
  OwnWindowWatch(QWidget& widget, std::function<void()> onDestroyed);
  ~OwnWindowWatch();
  OwnWindowWatch(const OwnWindowWatch&) = delete;
  OwnWindowWatch& operator=(const OwnWindowWatch&) = delete;

  bool Destroyed() const { return destroyed_; }

 private:
  friend class OwnWindowFilter;
  void OnDestroyNotify();

  uint32_t window_ = 0;
  std::function<void()> onDestroyed_;
  bool destroyed_ = false;
};

}  // namespace host
