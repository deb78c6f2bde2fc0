#include "host/app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <utility>
#include <string>

#include "host/caption_channel.h"
#include "host/preview_window.h"
#include "host/qt_platform.h"
#include "host/saver_window.h"
#include "host/startup.h"
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
  bool IsWindowOpen(std::string_view caption) override { return host::IsWindowOpen(caption); }
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
    dialog->show();
    dialog->raise();
    // Without a window manager nobody else gives the window the keyboard.
    dialog->activateWindow();
    runEventLoop = true;
  }
  void RunSaverLoop() override { exitCode = host::RunSaverLoop(); }
  void RunPreview() override { exitCode = RunPreviewRun(presentation::pacing().PreviewParentHwnd); }
  void ChangePassword(int32_t) override {
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

}  // namespace

void SetPropertiesDialogFactory(PropertiesDialogFactory factory) { propertiesFactory() = std::move(factory); }

int RunApplication(int argc, char** argv) {
  QApplication app(argc, argv);
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
