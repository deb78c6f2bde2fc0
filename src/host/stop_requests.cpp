#include "host/stop_requests.h"

#include <QApplication>
#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "presentation/frame_pacing.h"

namespace host {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kStopSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void OnStopSignal(int sig) {
  // Only async-signal-safe work here: one byte into the pipe. A full pipe already holds a
  // request, so a lost byte loses nothing.
  const int saved = errno;
  const unsigned char b = static_cast<unsigned char>(sig);
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &b, 1);
  errno = saved;
}

extern "C" void OnFileSizeSignal(int) {
  // Nothing: the write that passed the limit fails with EFBIG and its writer reports it.
}

struct Requests {
  StopAction action;
  std::vector<StopCause> pending;
};
Requests& requests() {
  static Requests r;
  return r;
}

// Drains the pipe; one stop request however many signals came.
void OnPipeReadable() {
  unsigned char buf[64];
  bool any = false;
  for (;;) {
    const ssize_t n = ::read(g_pipe[0], buf, sizeof buf);
    if (n > 0) {
      any = true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;
  }
  if (any) RequestStop(StopCause::Signal);
}

// Whether the modal window `modal` blocks `window`: it blocks every window but itself and the
// windows it owns (a box of it, the help it shows).
bool Blocks(const QWidget* modal, const QWidget* window) {
  if (modal == nullptr) return false;
  for (const QWidget* w = window; w != nullptr; w = w->parentWidget())
    if (w == modal) return false;
  return true;
}

// One step of closing the dialog: a modal box above it is closed first and the step comes again
// once its own event loop has returned; then the dialog.
void CloseStep(const QPointer<QWidget>& dialog, int tries) {
  if (!dialog) return;
  QWidget* modal = QApplication::activeModalWidget();
  // A box that refuses to close (none of its buttons answers Esc) does not keep the dialog
  // open for ever.
  if (Blocks(modal, dialog.data()) && tries < 50) {
    modal->close();
    QTimer::singleShot(20, qApp, [dialog, tries] { CloseStep(dialog, tries + 1); });
    return;
  }
  dialog->close();
}

}  // namespace

// Receives logind's PrepareForSleep signal from the system bus.
class SleepWatcher : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 public slots:
  void PrepareForSleep(bool start) { HandlePrepareForSleep(start); }
};

void SetStopAction(StopAction action) {
  Requests& r = requests();
  r.action = std::move(action);
  if (!r.action || r.pending.empty()) return;
  const std::vector<StopCause> pending = std::exchange(r.pending, {});
  for (StopCause cause : pending) {
    if (r.action) r.action(cause);
  }
}

void RequestStop(StopCause cause) {
  Requests& r = requests();
  if (r.action) {
    // A copy: the action may replace itself.
    const StopAction action = r.action;
    action(cause);
  } else {
    r.pending.push_back(cause);
  }
}

void InstallStopSignals() {
  static bool installed = false;
  if (installed) return;
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default
  installed = true;
  struct sigaction sa {};
  sa.sa_handler = &OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : kStopSignals) sigaddset(&sa.sa_mask, sig);
  for (int sig : kStopSignals) sigaction(sig, &sa, nullptr);
  // A write past the file-size limit fails with an error that the writer reports (a video, a
  // template) instead of ending the program with unsaved edits and half a file left. Caught,
  // not ignored: a caught signal is back at its default in every program this one starts.
  struct sigaction fsz {};
  fsz.sa_handler = &OnFileSizeSignal;
  sigemptyset(&fsz.sa_mask);
  fsz.sa_flags = SA_RESTART;
  sigaction(SIGXFSZ, &fsz, nullptr);
}

void InstallStopRequests() {
  static bool installed = false;
  if (installed || QCoreApplication::instance() == nullptr) return;
  InstallStopSignals();
  if (g_pipe[0] < 0) return;
  installed = true;
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { OnPipeReadable(); });
}

bool TakeHeldStopRequest() {
  if (g_pipe[0] >= 0) OnPipeReadable();
  Requests& r = requests();
  const bool held = !r.pending.empty();
  r.pending.clear();
  return held;
}

StopAction HoldAndAnswerBoxes() {
  return [](StopCause cause) {
    requests().pending.push_back(cause);
    if (cause != StopCause::Signal) return;
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  };
}

void WatchSuspendRequests() {
  static bool watching = false;
  if (watching || QCoreApplication::instance() == nullptr) return;
  watching = true;
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return;
  auto* watcher = new SleepWatcher(QCoreApplication::instance());
  // Only logind's own name may send it: the bus routes the signal by its sender.
  bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
              QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), watcher,
              SLOT(PrepareForSleep(bool)));
}

void HandlePrepareForSleep(bool start) {
  if (start) RequestStop(StopCause::Suspend);
}

void StopAnimationRun(StopCause) { presentation::pacing().G_bCancel = true; }

void CloseWindowAsCancel(QWidget* window) { CloseStep(QPointer<QWidget>(window), 0); }

StopAction CloseAsCancel(QWidget* dialog) {
  QPointer<QWidget> target(dialog);
  return [target](StopCause cause) {
    if (cause != StopCause::Signal) return;
    CloseStep(target, 0);
  };
}

}  // namespace host

#include "stop_requests.moc"
