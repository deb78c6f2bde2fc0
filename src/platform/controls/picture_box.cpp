#include "platform/controls/picture_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace controls {

namespace {

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int ButtonsOf(Qt::MouseButtons b) {
  return (b.testFlag(Qt::LeftButton) ? 1 : 0) | (b.testFlag(Qt::RightButton) ? 2 : 0) |
         (b.testFlag(Qt::MiddleButton) ? 4 : 0);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, std::string name, int index)
    : ControlWidget<QWidget>(parent, std::move(name), index) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::EnsureImage() {
  const QSize s(std::max(1, width()), std::max(1, height()));
  if (image_.size() == s) return;
  QImage next(s, QImage::Format_RGB32);
  next.fill(ToQColor(backColor_));
  if (!image_.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, image_);
  }
  image_ = next;
}

void PictureBox::Cls() {
  EnsureImage();
  image_.fill(ToQColor(backColor_));
  update();
}

void PictureBox::SetBackColor(uint32_t rgb) { backColor_ = rgb & 0xFFFFFFu; }

void PictureBox::PSet(int32_t x, int32_t y, uint32_t rgb) {
  EnsureImage();
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  image_.setPixel(x, y, 0xFF000000u | (rgb & 0xFFFFFFu));
  update(x, y, 1, 1);
}

uint32_t PictureBox::Point(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return 0;
  return image_.pixel(x, y) & 0xFFFFFFu;
}

void PictureBox::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb) {
  EnsureImage();
  {
    QPainter p(&image_);
    p.setPen(ToQColor(rgb));
    p.drawLine(x1, y1, x2, y2);
  }
  update();
}

void PictureBox::FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb) {
  EnsureImage();
  const QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                        .intersected(image_.rect());
  if (box.isEmpty()) return;
  {
    QPainter p(&image_);
    p.fillRect(box, ToQColor(rgb));
  }
  update(box);
}

void PictureBox::DrawText(int32_t x, int32_t y, std::string_view text, uint32_t rgb) {
  EnsureImage();
  {
    QPainter p(&image_);
    p.setFont(font());
    p.setPen(ToQColor(rgb));
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), ToQString(text));
  }
  update();
}

void PictureBox::DrawPicture(int32_t x, int32_t y, const QImage& picture) {
  EnsureImage();
  {
    QPainter p(&image_);
    p.drawImage(x, y, picture);
  }
  update();
}

void PictureBox::Refresh() { repaint(); }

void PictureBox::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  EnsureImage();
  p.drawImage(e->rect(), image_, e->rect());
}

void PictureBox::resizeEvent(QResizeEvent*) { EnsureImage(); }

void PictureBox::mousePressEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  Raise(MouseDown, ButtonOf(e->button()), ShiftStateOf(e->modifiers()), at.x(), at.y());
  QWidget::mousePressEvent(e);  // the window behind may watch the mouse too
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  Raise(MouseMove, ButtonsOf(e->buttons()), ShiftStateOf(e->modifiers()), at.x(), at.y());
  QWidget::mouseMoveEvent(e);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  Raise(MouseUp, ButtonOf(e->button()), ShiftStateOf(e->modifiers()), at.x(), at.y());
  if (e->button() == Qt::LeftButton && rect().contains(at)) Raise(Click);
  QWidget::mouseReleaseEvent(e);
}

}  // namespace controls
