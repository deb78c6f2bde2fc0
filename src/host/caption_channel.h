// Finding an open window of this program by its caption, from any process of the same user:
// a window that should be found listens on a local socket named from the caption; a process
// that asks connects to it, and may ask it to come to the front.
//
// The socket and a lock file beside it live in the user's runtime folder ($XDG_RUNTIME_DIR,
// when it is a folder of this user that nobody else can enter), else in a folder of the
// user's own made with mode 0700 in the temporary folder. Being the window of a caption is
// decided by one atomic step, an exclusive lock on the caption's lock file held for as long as
// the window listens: of two processes started at the same instant only one gets it. Both
// ends check that the other is a process of the same user before believing or obeying it.
// When no private folder can be had, nothing is found and nothing listens.
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
  // unless a window of that caption is open already. A claim this process took for the caption
  // (ClaimCaption) is taken over; otherwise the caption is claimed here.
  CaptionChannel(QWidget* window, std::string_view caption);
  ~CaptionChannel() override;
  bool listening() const;

 private:
  void onConnection();
  QPointer<QWidget> window_;
  QLocalServer* server_;
  QString name_;
  int lock_ = -1;
};

// The private folder of the channels, created when missing; empty when none can be had.
QString CaptionChannelFolder();
// The socket path of a caption (per user); empty without a private folder.
QString CaptionChannelName(std::string_view caption);
// Atomically claims the caption for a window this process is about to open: true when this
// process may open it (no window of the caption is open or being opened by another process of
// this user, or no private folder exists). The claim is kept until a CaptionChannel of the
// caption takes it over, or ReleaseCaptionClaims. False when another process of this user holds
// the caption; it is waited for a while to answer, so that BringWindowToFront reaches it.
bool ClaimCaption(std::string_view caption);
void ReleaseCaptionClaims();
// True when a window with this caption listens in any process of this user.
bool IsWindowOpen(std::string_view caption);
// Asks that window to come to the front; false when none is open.
bool BringWindowToFront(std::string_view caption);
// The user id of the process at the other end of a connected local socket; -1 when unknown.
long PeerUid(int socketFd);

}  // namespace host
