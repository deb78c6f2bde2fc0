#include "host/preview_window.h"

#include <QWidget>
#include <QWindow>
#include <optional>

#include "engine/display_universe.h"
#include "engine/universe_settings.h"
#include "platform/controls/own_window_watch.h"
#include "host/picture_box.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "host/qt_platform.h"
#include "host/x11_window.h"

namespace host {

namespace {

// Sizes the picture to the host window: one pixel wider and taller than its rectangle.
void SizePreviewWindow(PictureBox& pic, int64_t host) {
  int32_t w = 0, h = 0;
  if (host <= 0 || host > 0xFFFFFFFFLL || !X11WindowSize(static_cast<uint32_t>(host), w, h)) return;
  pic.setGeometry(0, 0, w + 1, h + 1);
}

void RunPreviewLoop(PictureBox& pic) {
  presentation::pacing().G_bCancel = false;
  presentation::LoadSaverProperties(pic, true, 1.0f, 0);
  while (!presentation::pacing().G_bCancel) {
    engine::LoadUniverseSettings(true);
    engine::DisplayUniverse();
  }
  qtPlatform().ShowCursor(true);
}

}  // namespace

int RunPreviewRun(int64_t hostWindow) {
  presentation::pacing().RunMode = presentation::kRunPreview;
  presentation::pacing().PreviewParentHwnd = hostWindow;
  PictureBox pic;
  pic.setWindowTitle(QString::fromLatin1(kPreviewCaption));
  pic.setWindowFlag(Qt::FramelessWindowHint);
  SizePreviewWindow(pic, hostWindow);
  std::optional<controls::OwnWindowWatch> watch;
  if (qtPlatform().IsWindow(hostWindow)) {
    // Re-parent the picture's native window into the host window.
    pic.winId();
    if (QWindow* foreign = QWindow::fromWinId(static_cast<WId>(hostWindow))) {
      pic.windowHandle()->setParent(foreign);
      pic.move(0, 0);
      pic.show();
      // The picture's window destroyed by another client while the host lives is a stop
      // message of the picture.
      watch.emplace(pic, [] { presentation::pacing().G_bCancel = true; });
    }
  }
  RunPreviewLoop(pic);
  presentation::UnbindRenderTarget(&pic);
  // The host window may be gone already; the process ends without touching it again.
  return 0;
}

}  // namespace host
