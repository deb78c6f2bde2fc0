#include "host/saver_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "engine/display_universe.h"
#include "engine/universe_settings.h"
#include "host/caption_channel.h"
#include "host/display_settings.h"
#include "platform/controls/own_window_watch.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "host/qt_platform.h"
#include "host/screen_capture.h"
#include "host/shm_frames.h"
#include "host/startup.h"
#include "host/window_state.h"
#include "host/x11_window.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/factory_galaxies.h"
#include "settings/galaxy_persistence.h"
#include "store/typed_readers.h"

namespace host {

SaverWindow::SaverWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QString::fromLatin1(kSaverCaption));
  setAttribute(Qt::WA_DeleteOnClose, false);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // Black behind the pictures through the palette, not a style sheet: a style sheet reaches every
  // window parented to the saver too (the message boxes it shows over itself), which would draw
  // their text on black. A palette stays with the saver and its child widgets.
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  picScreen_ = new PictureBox(this);
  picScreen_->setFocusPolicy(Qt::NoFocus);
  picScreen_->hide();
  canvas_ = new PictureBox(this);
  canvas_->setFocusPolicy(Qt::NoFocus);
  channel_ = std::make_unique<CaptionChannel>(this, kSaverCaption);
}

SaverWindow::~SaverWindow() = default;

void SaverWindow::DisplayEffects() {
  IgnoreMouseMove = store::GetSettingString("Advanced", "Adv_MouseMove", "0") == "1";
  CaptureKeysOn = store::GetSettingString("Advanced", "Adv_ScreenCapt", "0") == "1";
  // No settings were ever stored: the factory galaxy types and composites are written first.
  if (store::GetSettingLong("General", "AnimationType", -1) == -1) {
    settings::LoadFactoryDefaults();
    settings::SaveAllGalaxiesReg();
    settings::SaveAllCompositesReg();
  }
  while (!presentation::pacing().G_bCancel) {
    engine::LoadUniverseSettings(false);
    engine::DisplayUniverse();
  }
}

void SaverWindow::CheckMouseMove(float x, float y) {
  if (IgnoreMouseMove) return;
  // The distance is taken in double precision from the single-precision positions.
  const double dx = static_cast<double>(x - LastMoveX), dy = static_cast<double>(y - LastMoveY);
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d <= 75.0) return;
  MoveCount += 1;
  if (MoveCount == 4) {
    EndSaver();
    return;
  }
  LastMoveX = x;
  LastMoveY = y;
  const uint32_t now = presentation::hostPlatform().GetTickCount();
  if (FirstMoveTick == 0) {
    FirstMoveTick = now;
  } else if (presentation::AbsTickDiff(now, FirstMoveTick) > 10000) {
    FirstMoveTick = 0;
    MoveCount = 0;
  }
}

void SaverWindow::EndSaver() {
  if (closed_) return;
  endRequested_ = true;
  close();
}

void SaverWindow::HandleKeyDown(int key) {
  if (CaptureKeysOn) {
    switch (key) {
      case Qt::Key_Space:
        CopyFrameToPicture(picScreen_);
        return;
      case Qt::Key_D:
      case Qt::Key_F:
        SaveScreenCapture(picScreen_, key == Qt::Key_D);
        // A message box about the capture took the keyboard; the saver takes it back, as it did
        // when it was shown, so that the next box is again one over the saver.
        if (isVisible()) activateWindow();
        return;
      default:
        break;
    }
  }
  EndSaver();
}

void SaverWindow::HandleKeyPress(const QString& text) {
  if (text.isEmpty()) return;
  static const QString kCaptureChars = QStringLiteral(" DdFf");
  if (CaptureKeysOn && text.size() == 1 && kCaptureChars.contains(text[0])) return;
  EndSaver();
}

void SaverWindow::keyPressEvent(QKeyEvent* e) {
  if (!InputEndsSaver) return;
  HandleKeyDown(e->key());
  if (!closed_) HandleKeyPress(e->text());
}

void SaverWindow::mousePressEvent(QMouseEvent*) {
  if (InputEndsSaver) EndSaver();
}

void SaverWindow::mouseMoveEvent(QMouseEvent* e) {
  if (!InputEndsSaver) return;
  const QPointF p = e->position();
  CheckMouseMove(static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void SaverWindow::closeEvent(QCloseEvent* e) {
  if (closed_) {
    e->accept();
    return;
  }
  closed_ = true;
  presentation::pacing().G_bCancel = true;
  // The session's own locker guards the desktop, so no password is asked here. A close that
  // the saver did not ask for (the window manager, the session ending) stops without the fade.
  if (endRequested_) {
    FadeOutOnExit(16, 5);
    qtPlatform().ShowCursor(true);
  }
  e->accept();
}

void FadeOutOnExit(int32_t lSteps, int32_t lStepSize) {
  // Never a division by zero: a step size of 0 makes the product 0.
  const int32_t n = static_cast<int64_t>(lSteps) * lStepSize < 91 ? lSteps : runtime::ToLongOr(90.0 / lStepSize, 0);
  if (n <= 0) return;
  const presentation::CompositorState& c = presentation::compositor();
  if (c.DesktopPercent == 0 && c.DesktopFrames == 0) {
    for (int32_t k = 1; k <= n; ++k)
      presentation::zDX8_BlendBlit_Surface(static_cast<int32_t>(std::clamp<int64_t>(90 - int64_t{k} * lStepSize, INT32_MIN, INT32_MAX)), -1);
  } else {
    for (int32_t k = 1; k <= n; ++k) {
      const double level = 255.0 - (100.0 - c.DesktopPercent) * 2.55 * (n - k) / n;
      presentation::zDX8_BlendBlit_Surface(-1, runtime::ToLongOr(level, 255));
    }
  }
}

namespace {

// The daemon's window stands for the screen of this run: the render sizes offered follow its
// size as they follow a screen's, and the frame is stretched over the whole window. The stored
// render size is kept; it is used when the window holds it.
void TakeWindowAsScreen(int32_t width, int32_t height) {
  presentation::RenderState& r = presentation::render();
  r.ScreenPixelWidth = width;
  r.ScreenPixelHeight = height;
  r.MonitorCount = 0;
  r.MonitorLeft.clear();
  r.MonitorTop.clear();
  r.MonitorWidth.clear();
  r.MonitorHeight.clear();
  BuildWindowSizeList();
}

}  // namespace

int RunSaverLoop(std::optional<int64_t> daemonWindow) {
  int32_t daemonWidth = 0, daemonHeight = 0;
  if (daemonWindow) {
    // An id of no window ends the run quietly, as the preview does with a missing host.
    const int64_t id = *daemonWindow;
    if (id <= 0 || id > 0xFFFFFFFFLL || !X11WindowSize(static_cast<uint32_t>(id), daemonWidth, daemonHeight) ||
        daemonWidth <= 0 || daemonHeight <= 0)
      return 0;
  }
  presentation::pacing().G_bCancel = false;
  presentation::pacing().RunMode = presentation::kRunSaver;
  presentation::pacing().SaverHostWindow = daemonWindow.value_or(0);
  qtPlatform().ShowCursor(false);
  // The frame buffers live in memory shared with the X server when it allows that, for the
  // whole run: the canvas then shows each frame by one put from it.
  SharedFrames sharedFrames;
  SaverWindow window;
  if (daemonWindow) {
    window.InputEndsSaver = false;
    window.setWindowFlag(Qt::WindowStaysOnTopHint, false);
    TakeWindowAsScreen(daemonWidth, daemonHeight);
  }
  // The stored colour filter and desktop blend, the frame size, and the desktop picture taken
  // before the saver covers it (when it is to be blended in).
  LoadStoredDisplayEffects();
  presentation::LoadSaverProperties(*window.picScreen(), false, 1.0f, 0);
  if (presentation::compositor().DesktopPercent > 0 || presentation::compositor().DesktopFrames > 0) CaptureDesktopImage();

  const presentation::RenderState& r = presentation::render();
  const StartupState& s = startup();
  int32_t originX = 0, originY = 0;
  if (daemonWindow) {
    // Into the daemon's window, as the preview goes into its host.
    window.winId();
    if (QWindow* host = QWindow::fromWinId(static_cast<WId>(*daemonWindow))) window.windowHandle()->setParent(host);
    window.setGeometry(0, 0, daemonWidth, daemonHeight);
    window.show();
  } else if (r.MonitorCount == 0 || r.MultiMonitorMode == 2) {
    if (QScreen* primary = QGuiApplication::primaryScreen()) window.setGeometry(primary->geometry());
    window.showFullScreen();
  } else {
    // The bounding box of all monitors, also those left of or above the primary one; frame
    // rectangles are relative to the primary monitor, the window's origin lies at
    // (DesktopMinLeft, DesktopMinTop) of them.
    originX = s.DesktopMinLeft;
    originY = s.DesktopMinTop;
    window.setGeometry(s.PrimaryOriginX + originX, s.PrimaryOriginY + originY, s.DesktopMaxRight - originX,
                       s.DesktopMaxBottom - originY);
    window.show();
  }
  // The window destroyed by another client is a stop message: no fade, no password.
  const controls::OwnWindowWatch watch(window, [] { presentation::pacing().G_bCancel = true; });
  window.canvas()->setGeometry(0, 0, window.width(), window.height());
  window.canvas()->AllowDirectPut(true);
  if (!daemonWindow) {
    window.raise();
    window.activateWindow();
    window.setFocus();
  }
  qtFrameSink().SetSaverPicture(window.canvas(), originX, originY);
  window.DisplayEffects();
  qtFrameSink().SetSaverPicture(nullptr, 0, 0);
  presentation::UnbindRenderTarget(window.picScreen());
  // A stop request (a signal, a suspend, the window closed or destroyed from outside) skipped
  // the exit road: the cursor comes back here as the exit road brings it back.
  if (!window.ExitRoadRan()) qtPlatform().ShowCursor(true);
  qtPlatform().ShowCursor(true);
  presentation::pacing().SaverHostWindow = 0;

  // The log block is empty unless the performance log is on and a line was measured.
  const std::string block = presentation::BuildPerformanceLog("5.1.0", QCoreApplication::applicationFilePath().toStdString(),
                                                engine::universeSettings().UniverseStarTotal);
  if (!block.empty()) presentation::AppendPerformanceLog(PerUserDataFolder(), block);
  return 0;
}

}  // namespace host
