#include "host/qt_platform.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QThread>
#include <chrono>

#include "model/colors.h"
#include "host/qt_file_dialog.h"
#include "host/qt_message_box.h"
#include "host/screen_messages.h"
#include "host/x11_window.h"

namespace host {

void QtHostPlatform::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

uint32_t QtHostPlatform::GetTickCount() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void QtHostPlatform::Sleep(uint32_t ms) { QThread::msleep(ms); }

bool QtHostPlatform::IsWindow(int64_t hwnd) {
  if (hwnd <= 0 || hwnd > 0xFFFFFFFFLL) return false;
  return X11WindowExists(static_cast<uint32_t>(hwnd));
}

void QtHostPlatform::ShowCursor(bool show) {
  const bool wasHidden = cursorCounter_ < 0;
  cursorCounter_ += show ? 1 : -1;
  const bool hidden = cursorCounter_ < 0;
  if (hidden && !wasHidden) QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  if (!hidden && wasHidden) QGuiApplication::restoreOverrideCursor();
}

QtHostPlatform& qtPlatform() {
  static QtHostPlatform p;
  return p;
}

void QtFrameSink::SetSaverPicture(PictureBox* picture, int32_t originX, int32_t originY) {
  saverPicture_ = picture;
  originX_ = originX;
  originY_ = originY;
}

void QtFrameSink::StretchFrame(presentation::FrameDestination dest, std::span<const uint32_t> bits, int32_t srcWidth,
                               int32_t srcHeight, const presentation::FrameBitmapHeader& header, const presentation::FrameRect& destRect) {
  const int32_t rowPixels = header.Width > 0 ? header.Width : srcWidth;
  if (dest == presentation::FrameDestination::SaverWindow) {
    if (!saverPicture_) return;
    presentation::FrameRect r = destRect;
    r.Left -= originX_;
    r.Top -= originY_;
    saverPicture_->ShowFrame(bits, srcWidth, srcHeight, rowPixels, r);
    return;
  }
  if (auto* picture = dynamic_cast<PictureBox*>(presentation::render().RenderTarget))
    picture->ShowFrame(bits, srcWidth, srcHeight, rowPixels, destRect);
}

QtFrameSink& qtFrameSink() {
  static QtFrameSink s;
  return s;
}

void QtMessageOverlay::DrawScreenMessages() { host::DrawScreenMessages(); }
int32_t QtMessageOverlay::HueToColor(int32_t hueDegrees) { return model::HueToColor(hueDegrees); }

void InstallQtPlatform() {
  static QtMessageService messages;
  static QtFileDialogService fileDialogs;
  static QtMessageOverlay overlay;
  platform::SetMessageService(&messages);
  platform::SetFileDialogService(&fileDialogs);
  presentation::InstallHostPlatform(&qtPlatform());
  presentation::InstallFrameSink(&qtFrameSink());
  presentation::InstallMessageOverlay(&overlay);
}

}  // namespace host
