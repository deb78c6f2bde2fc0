// A picture box: a drawing surface with a persistent image. See controls.h for the model.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/controls/control.h"

class QMouseEvent;

namespace controls {

// Everything drawn goes into the persistent image, which is shown whenever the widget is
// exposed. Coordinates are pixels of the picture (0, 0 top left); colours are 0xRRGGBB.
// Drawing outside the picture is clipped. The image follows the widget's size; a larger size
// is filled with the back colour, and what was drawn stays.
class PictureBox : public ControlWidget<QWidget> {
 public:
  explicit PictureBox(QWidget* parent = nullptr, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::PictureBox; }

  // Fills the picture with the back colour (default black).
  void Cls();
  uint32_t BackColor() const { return backColor_; }
  // Sets the back colour; the picture keeps its drawing until the next Cls.
  void SetBackColor(uint32_t rgb) override;
  void PSet(int32_t x, int32_t y, uint32_t rgb);
  // The colour of a pixel; 0 outside the picture.
  uint32_t Point(int32_t x, int32_t y) const;
  // A line from (x1, y1) to (x2, y2), both ends drawn.
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb);
  // A filled box with the corners (x1, y1) and (x2, y2), both included.
  void FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb);
  // Text whose top left is (x, y), in the control's font.
  void DrawText(int32_t x, int32_t y, std::string_view text, uint32_t rgb);
  // Puts an image at (x, y) at its own size.
  void DrawPicture(int32_t x, int32_t y, const QImage& picture);
  // Shows the drawing now (drawing calls schedule an update; animations call this per frame).
  void Refresh();
  // Size of the picture in pixels.
  int32_t ScaleWidth() const { return width(); }
  int32_t ScaleHeight() const { return height(); }
  // The picture as it is now (Format_RGB32).
  const QImage& image() const { return image_; }

  Handler Click;
  // Mouse events: button (1 left, 2 right, 4 middle), shift state, x and y in pixels.
  std::function<void(int button, int shift, int32_t x, int32_t y)> MouseDown, MouseMove, MouseUp;

 protected:
  // Makes the image match the widget's size, keeping what was drawn.
  void EnsureImage();
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

  // The persistent image (Format_RGB32).
  QImage image_;

 private:
  uint32_t backColor_ = 0;
};

}  // namespace controls
