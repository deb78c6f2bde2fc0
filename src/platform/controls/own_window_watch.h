// Notices when another X client destroys one of the program's own windows. Qt does not tell a
// widget that its native window was destroyed by someone else: the run would go on drawing into
// nothing, and a modal window would go on holding the program with nothing on the screen.
//
// Two ways to hear of it, on one native event filter of the application's xcb connection:
// - OwnWindowWatch: one widget's window (the saver's window, the preview's picture) with an
//   action of its own.
// - WatchTopLevelWindows: every other top-level window of the program (the dialogs, their
//   message boxes, the editors, the help) is handed to one action that closes it by its own
//   close road; its native window is released once it is hidden, so that showing it again makes
//   a new one.
// The program's later requests on a window destroyed from outside (a paint under way, an unmap,
// Qt's own destroy) can only fail: their BadWindow and BadDrawable errors are dropped, and only
// those about the windows that are gone.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

namespace controls {

class OwnWindowWatch {
 public:
  // Watches the native window of `widget` (made here when it has none yet) on the
  // application's xcb connection; `onDestroyed` runs once, from the event loop, when the
  // window is destroyed while the watch lives, or when it is already gone as the watch starts.
  // Without the xcb platform the watch does nothing. Destroy the watch before the widget: the
  // program's own destruction of the window is no news. A window watched this way is not
  // handed to the action of WatchTopLevelWindows.
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

// What becomes of a shown top-level window whose native window another client destroyed.
using LostWindowAction = std::function<void(QWidget& window)>;

// From now on a top-level widget of the application whose native window another X client
// destroys (and that no OwnWindowWatch watches) is handed to `action`, from the event loop, when
// it is shown; the action closes it by its close road. Once the window is hidden (at once when
// it was hidden already) its native window is released: Qt makes a new one when the window is
// shown again. The windows' own native children went with it and are released with it. An
// empty action ends the watching. Without the xcb platform nothing happens.
void WatchTopLevelWindows(LostWindowAction action);

}  // namespace controls
