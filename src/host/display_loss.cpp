#include "host/display_loss.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <xcb/xcb.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <bitset>
#include <cstdio>
#include <mutex>
#include <optional>
#include <vector>

namespace host {

namespace {

enum class Phase {
  Starting,  // the application object is being built: Qt connects to the display
  Running,   // Qt has connected: `connection` is its connection
  Ended,     // the application object is gone
};

std::atomic<Phase> phase{Phase::Starting};
std::atomic<xcb_connection_t*> connection{nullptr};
// The line and its newline, made once so that a signal handler only writes it.
const std::string* lineText = nullptr;

QtMessageHandler previousHandler = nullptr;

// A message of Qt's start, passed on once the start has gone well.
struct HeldMessage {
  QtMsgType type;
  std::optional<std::string> file, function, category;
  int line;
  QString text;
};
std::mutex heldMutex;  // guards `held` and the change of `phase` from Starting
std::vector<HeldMessage> held;

struct sigaction previousSegv, previousBus;

// Ends the program with the line; only calls that are safe in a signal handler.
[[noreturn]] void EndWithLine() {
  if (lineText != nullptr) {
    const ssize_t written = write(STDERR_FILENO, lineText->data(), lineText->size());
    static_cast<void>(written);
  }
  _exit(1);
}

// Ends the program with the line from ordinary code: what the program has given to standard
// output goes out first.
[[noreturn]] void EndWithLineFlushed() {
  std::fflush(stdout);
  EndWithLine();
}

// Whether Qt's connection to the display has broken. Safe in a signal handler.
bool ConnectionLost() {
  xcb_connection_t* c = connection.load();
  return c != nullptr && xcb_connection_has_error(c) != 0;
}

// The descriptors open when the watch started (inherited ones among them): not Qt's connection.
std::bitset<1024> openBefore;

// Whether a socket that this process opened since the watch started has been hung up by its
// peer. While Qt starts, its own connection to the X server is the socket that does so when the
// display goes away; Qt's connection is not reachable from outside yet. Safe in a signal handler.
bool ANewSocketWasHungUp() {
  for (int fd = 0; fd < static_cast<int>(openBefore.size()); ++fd) {
    struct stat st;
    if (openBefore[fd] || fstat(fd, &st) != 0 || !S_ISSOCK(st.st_mode)) continue;
    pollfd p{fd, POLLRDHUP, 0};
    if (poll(&p, 1, 0) == 1 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0) return true;
  }
  return false;
}

// Whether the display has been lost by now. Safe in a signal handler.
bool DisplayLost() {
  switch (phase.load()) {
    case Phase::Starting:
      return ANewSocketWasHungUp();
    case Phase::Running:
      return ConnectionLost();
    case Phase::Ended:
      break;
  }
  return false;
}

// Whether Qt's xcb platform library was loaded. A start that fails with it loaded failed for
// the display: the xcb plugin gives no platform only when it has no connection (it could not
// connect, or the connection broke while it set itself up). A plugin that could not be loaded
// at all is a fault of the installation, which Qt's own text explains.
bool XcbPlatformLoaded() {
  void* library = dlopen("libQt6XcbQpa.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (library == nullptr) return false;
  dlclose(library);
  return true;
}

const char* OrNull(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }
std::optional<std::string> Copy(const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; }

// Passes the held messages on, in order, and ends the holding.
void ReleaseHeld() {
  std::vector<HeldMessage> messages;
  {
    std::lock_guard lock(heldMutex);
    if (phase.load() == Phase::Starting) phase = Phase::Running;
    messages.swap(held);
  }
  for (const HeldMessage& m : messages) {
    const QMessageLogContext context(OrNull(m.file), m.line, OrNull(m.function), OrNull(m.category));
    previousHandler(m.type, context, m.text);
  }
}

void OnMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  // "The X11 connection broke", and whatever Qt says about requests that failed with it.
  if (DisplayLost()) EndWithLineFlushed();
  {
    std::lock_guard lock(heldMutex);
    if (phase.load() == Phase::Starting && type != QtFatalMsg) {
      held.push_back({type, Copy(context.file), Copy(context.function), Copy(context.category), context.line, text});
      return;
    }
  }
  if (type == QtFatalMsg && phase.load() == Phase::Starting) {
    // Qt's start failed: "no Qt platform plugin could be initialized" when the xcb plugin had
    // no connection. Otherwise Qt's text follows what it said before, and Qt aborts.
    if (XcbPlatformLoaded()) EndWithLineFlushed();
    ReleaseHeld();
  }
  previousHandler(type, context, text);
}

// Xlib's handler of a connection that breaks while Qt opens the display with it (Qt sets its
// own, which says so through OnMessage, once the display is open). Without it Xlib prints its
// own text and exits.
int OnXlibConnectionBroken(void*) { EndWithLineFlushed(); }

// Qt's xcb code reads replies that a broken connection never gave, and crashes.
void OnCrash(int sig, siginfo_t* info, void*) {
  if (DisplayLost()) EndWithLine();
  // Not the display: the crash goes on as it would have without this handler. A fault comes
  // again when the instruction runs again; a sent signal is sent again.
  sigaction(sig, sig == SIGSEGV ? &previousSegv : &previousBus, nullptr);
  if (info == nullptr || info->si_code <= 0) raise(sig);
}

// Runs when the application object has set up its platform: from now on Qt's own connection
// tells whether the display is lost.
void Started() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  auto* x11 = app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  connection = x11 != nullptr ? x11->connection() : nullptr;
  // Broken while Qt set itself up, before Qt noticed.
  if (ConnectionLost()) EndWithLineFlushed();
  ReleaseHeld();
}

// Runs when the application object goes: its connection goes with it.
void Ended() {
  phase = Phase::Ended;
  connection = nullptr;
}

}  // namespace

std::string CannotOpenDisplayLine(const std::string& display) {
  return "zorvane: no X display is available: cannot open DISPLAY " + display;
}

void WatchDisplayLoss(const std::string& display) {
  if (lineText != nullptr) return;
  // Kept for the whole process: a signal handler may read it until the very end.
  lineText = new std::string(CannotOpenDisplayLine(display) + "\n");
  previousHandler = qInstallMessageHandler(&OnMessage);
  qAddPreRoutine(&Started);
  qAddPostRoutine(&Ended);
  for (int fd = 0; fd < static_cast<int>(openBefore.size()); ++fd) openBefore[fd] = fcntl(fd, F_GETFD) != -1;
  // Qt's xcb platform opens the display through Xlib: until Qt sets its own handler there, a
  // connection that breaks is this handler's. Looked up at run time: the program needs no Xlib.
  using XlibIOErrorHandler = int (*)(void*);
  if (void* xlib = dlopen("libX11.so.6", RTLD_LAZY)) {
    if (auto set = reinterpret_cast<XlibIOErrorHandler (*)(XlibIOErrorHandler)>(dlsym(xlib, "XSetIOErrorHandler")))
      set(&OnXlibConnectionBroken);
  }
  struct sigaction crash {};
  crash.sa_sigaction = &OnCrash;
  // On the alternate stack when the thread has one (a sanitizer's), as the handler it replaces.
  crash.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&crash.sa_mask);
  sigaction(SIGSEGV, &crash, &previousSegv);
  sigaction(SIGBUS, &crash, &previousBus);
}

}  // namespace host
