#include "host/picture_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "host/shm_frames.h"

namespace host {

PictureBox::PictureBox(QWidget* parent) : controls::PictureBox(parent) { setMouseTracking(true); }

void PictureBox::ResizeInnerPx(int32_t w, int32_t h) {
  resize(std::max(1, w), std::max(1, h));
  EnsureImage();
}

void PictureBox::ClearPicture() {
  EnsureImage();
  image_.fill(Qt::black);
  update();
}

void PictureBox::SetCapturedImage(const QImage& img) {
  EnsureImage();
  {
    QPainter p(&image_);
    p.drawImage(0, 0, img);
  }
  repaint();
}

void PictureBox::ShowFrame(std::span<const uint32_t> bits, int32_t srcWidth, int32_t srcHeight, int32_t rowPixels,
                           const presentation::FrameRect& dest) {
  if (srcWidth <= 0 || srcHeight <= 0 || rowPixels < srcWidth || dest.Width <= 0 || dest.Height <= 0) return;
  // The frame must hold every row it claims.
  if (bits.size() < static_cast<size_t>(rowPixels) * static_cast<size_t>(srcHeight)) return;
  const QRect target = QRect(dest.Left, dest.Top, dest.Width, dest.Height).intersected(rect());
  if (target.isEmpty()) return;
  if (directPut_ && dest.Width == srcWidth && dest.Height == srcHeight &&
      PutDirect(bits, srcHeight, rowPixels, dest, target))
    return;
  // The frame is painted straight from the buffer, during the synchronous repaint alone: the
  // image over it lives no longer than this call.
  frame_ = QImage(reinterpret_cast<const uchar*>(bits.data()), srcWidth, srcHeight,
                  static_cast<qsizetype>(rowPixels) * 4, QImage::Format_RGB32);
  frameRect_ = QRect(dest.Left, dest.Top, dest.Width, dest.Height);
  repaint(target);
  frame_ = QImage();
}

bool PictureBox::PutDirect(std::span<const uint32_t> bits, int32_t srcHeight, int32_t rowPixels,
                           const presentation::FrameRect& dest, const QRect& target) {
  SharedFrames* shared = activeSharedFrames();
  if (shared == nullptr || !isVisible() || devicePixelRatioF() != 1.0) return false;
  QWidget* top = window();
  const QWindow* handle = top->windowHandle();
  if (handle == nullptr || !handle->isExposed() || top->devicePixelRatioF() != 1.0) return false;
  const QPoint at = mapTo(top, target.topLeft());
  return shared->Put(static_cast<uint32_t>(top->internalWinId()), bits.data(), rowPixels, srcHeight,
                     target.x() - dest.Left, target.y() - dest.Top, target.width(), target.height(), at.x(), at.y());
}

void PictureBox::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (frame_.isNull()) {
    EnsureImage();
    p.drawImage(e->rect(), image_, e->rect());
    return;
  }
  // Parts of the region outside the frame (other pending updates) show the persistent image.
  const QRegion rest = e->region().subtracted(frameRect_);
  if (!rest.isEmpty()) {
    EnsureImage();
    for (const QRect& r : rest) p.drawImage(r, image_, r);
  }
  if (frameRect_.size() == frame_.size())
    p.drawImage(frameRect_.topLeft(), frame_);
  else
    p.drawImage(frameRect_, frame_);
}

}  // namespace host
