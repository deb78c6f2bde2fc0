// Finding an open window of this program by its caption, from any process of the same user:
// a window that should be found listens on a local socket named from the caption; a process
// that asks connects to it, and may ask it to come to the front.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <string_view>

class QLocalServer;
class QWidget;

namespace host {

class CaptionChannel : public QObject {
 public:
  // Starts listening for `caption` on behalf of `window` (which stays owned by the caller),
  // unless a window of that caption is open already.
  CaptionChannel(QWidget* window, std::string_view caption);
  ~CaptionChannel() override;
  bool listening() const;

 private:
  void onConnection();
  QPointer<QWidget> window_;
  QLocalServer* server_;
};

// The socket name of a caption (per user).
QString CaptionChannelName(std::string_view caption);
// True when a window with this caption is open in any process of this user.
bool IsWindowOpen(std::string_view caption);
// Asks that window to come to the front; false when none is open.
bool BringWindowToFront(std::string_view caption);

}  // namespace host
