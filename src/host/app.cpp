#include "host/app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "host/caption_channel.h"
#include "host/display_loss.h"
#include "host/preview_window.h"
#include "host/qt_platform.h"
#include "host/saver_window.h"
#include "host/startup.h"
#include "host/stop_requests.h"
#include "platform/controls/own_window_watch.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "settings/settings_transfer.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"

namespace host {

namespace {

// Records every monitor (the primary one first) in device pixels relative to the primary
// monitor, and the primary screen's metrics.
void RecordScreens() {
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) {
    startup().PrimaryOriginX = primary->geometry().x();
    startup().PrimaryOriginY = primary->geometry().y();
  }
  auto rectOf = [](QScreen* s) {
    const QRect g = s->geometry();
    const double dpr = s->devicePixelRatio();
    MonitorRect m;
    m.left = runtime::ToLongOr((g.x() - startup().PrimaryOriginX) * dpr, 0);
    m.top = runtime::ToLongOr((g.y() - startup().PrimaryOriginY) * dpr, 0);
    m.right = m.left + runtime::ToLongOr(g.width() * dpr, 0);
    m.bottom = m.top + runtime::ToLongOr(g.height() * dpr, 0);
    return m;
  };
  if (primary) {
    MonitorRect m = rectOf(primary);
    m.primary = true;
    MonitorEnumProc(m);
    RecordScreenMetrics(m.right - m.left, m.bottom - m.top, primary->logicalDotsPerInchX(),
                        primary->logicalDotsPerInchY());
  }
  for (QScreen* s : QGuiApplication::screens())
    if (s != primary) MonitorEnumProc(rectOf(s));
}

PropertiesDialogFactory& propertiesFactory() {
  static PropertiesDialogFactory factory;
  return factory;
}

class QtStartupActions : public StartupActions {
 public:
  // Claiming is the one step that decides which of several starts opens the window.
  bool IsWindowOpen(std::string_view caption) override { return !host::ClaimCaption(caption); }
  void BringWindowToFront(std::string_view caption) override { host::BringWindowToFront(caption); }
  void ShowProperties() override {
    // Without a dialog there is nothing to show, and the program ends.
    if (!propertiesFactory()) return;
    QWidget* dialog = propertiesFactory()();
    if (dialog == nullptr) return;
    // One dialog per user: a second start finds it through its caption and brings it forward.
    (new CaptionChannel(dialog, kPropertiesCaption))->setParent(dialog);
    // The dialog deletes itself once it has closed and no handler of it runs any more; the
    // program ends with it.
    QObject::connect(dialog, &QObject::destroyed, qApp, &QCoreApplication::quit);
    // A stop request during the load (the first run's welcome window, answered as its OK
    // answers it) closes the dialog as Cancel does, before it is ever shown.
    const bool stopped = TakeHeldStopRequest();
    if (!stopped) {
      dialog->show();
      dialog->raise();
      // Without a window manager nobody else gives the window the keyboard.
      dialog->activateWindow();
    }
    // A stop signal closes the dialog as Cancel does: nothing is stored.
    SetStopAction(CloseAsCancel(dialog));
    if (stopped) QTimer::singleShot(0, qApp, [] { RequestStop(StopCause::Signal); });
    runEventLoop = true;
  }
  void RunSaverLoop() override {
    // A request held from start-up (one that came while the template's message box was open)
    // ends the run before it starts.
    if (TakeHeldStopRequest()) return;
    // A stop signal or the system's suspend ends the run as the window's stop messages do.
    SetStopAction(&StopAnimationRun);
    WatchSuspendRequests();
    // A screen-saver daemon that owns the screen gives the window to draw into.
    exitCode = host::RunSaverLoop(DaemonWindowId(std::getenv("XSCREENSAVER_WINDOW")));
  }
  void RunPreview() override {
    if (TakeHeldStopRequest()) return;
    SetStopAction(&StopAnimationRun);
    WatchSuspendRequests();
    exitCode = RunPreviewRun(presentation::pacing().PreviewParentHwnd);
  }
  void ChangePassword(int32_t) override {
    if (TakeHeldStopRequest()) return;
    // A stop signal answers the box.
    SetStopAction([](StopCause cause) {
      if (cause != StopCause::Signal) return;
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    platform::ShowMessage(
        "The screen saver has no password of its own.\r\nThe desktop's screen locker guards the session.",
        platform::kProductName, platform::MsgIcon::Information, platform::MsgButtons::Ok);
  }
  void ApplyTemplate(const std::string& path) override {
    settings::CyclePropsTempToRegArrays(path, presentation::render().ScreenPixelWidth, presentation::render().ScreenPixelHeight);
  }

  bool runEventLoop = false;
  int exitCode = 0;
};

// Whether Qt will take the X11 (xcb) platform: QT_QPA_PLATFORM or -platform names it first, or
// names none (xcb is the default here).
bool UsesXcbPlatform(int argc, char** argv) {
  std::string platform;
  if (const char* env = std::getenv("QT_QPA_PLATFORM")) platform = env;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if ((arg == "-platform" || arg == "--platform") && i + 1 < argc) platform = argv[i + 1];
  }
  // "name:options" and "first;fallback" lists: the first name decides.
  const std::string name = platform.substr(0, platform.find_first_of(":;"));
  return name.empty() || name == "xcb";
}

// The display that the xcb platform will open: -display on the command line, else DISPLAY.
std::string DisplayName(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string_view(argv[i]) == "-display") return argv[i + 1];
  const char* env = std::getenv("DISPLAY");
  return env ? env : "";
}

}  // namespace

bool NoDisplayMessage(int argc, char** argv, std::string& message, DisplayConnection* held) {
  if (!UsesXcbPlatform(argc, argv)) return false;
  const std::string display = DisplayName(argc, argv);
  if (display.empty()) {
    message = "zorvane: no X display is available: DISPLAY is not set";
    return true;
  }
  DisplayConnection c(xcb_connect(display.c_str(), nullptr), &xcb_disconnect);
  if (xcb_connection_has_error(c.get()) != 0) {
    message = CannotOpenDisplayLine(display);
    return true;
  }
  if (held != nullptr) *held = std::move(c);
  return false;
}

void SetPropertiesDialogFactory(PropertiesDialogFactory factory) { propertiesFactory() = std::move(factory); }

int RunApplication(int argc, char** argv) {
  // Without a display Qt would abort; every mode needs one. The check's connection stays open
  // until Qt has its own, so the server is never left without a client in between.
  DisplayConnection checked(nullptr, &xcb_disconnect);
  if (std::string message; NoDisplayMessage(argc, argv, message, &checked)) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
  }
  // A display lost from here on ends the program in the same line.
  if (UsesXcbPlatform(argc, argv)) WatchDisplayLoss(DisplayName(argc, argv));
  QApplication app(argc, argv);
  checked.reset();
  InstallStopRequests();
  // A window of the program destroyed by another X client closes as its Cancel or close box
  // closes it (a recording finishes as Stop finishes it); no modal window is left that nobody
  // can see. The saver's and the preview's windows have watches of their own.
  controls::WatchTopLevelWindows([](QWidget& window) { CloseWindowAsCancel(&window); });
  // Until a run sets its own stop action, a request answers an open box and is held for the run.
  SetStopAction(HoldAndAnswerBoxes());
  QApplication::setApplicationName(QStringLiteral("zorvane"));
  QApplication::setOrganizationName(QStringLiteral("zorvane"));
  InstallQtPlatform();
  RecordScreens();
  InitialiseAfterScreens(QCoreApplication::applicationDirPath().toStdString());

  // The command line is the text after the program's name.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  QtStartupActions actions;
  DispatchCommandLine(commandLine, actions);
  if (actions.runEventLoop) return QApplication::exec();
  return actions.exitCode;
}

}  // namespace host
