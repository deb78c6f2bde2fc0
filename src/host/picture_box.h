// A picture that shows animation frames: it keeps a persistent image (redrawn whenever the
// widget is exposed) for drawn pictures and captures; animation frames are painted straight
// from the frame buffer onto the screen, synchronously.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>

#include "platform/controls/picture_box.h"
#include "presentation/compositor.h"
#include "presentation/render_state.h"
#include "host/screen_capture.h"

namespace host {

class PictureBox : public controls::PictureBox, public presentation::RenderSurface, public CapturePicture {
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  int32_t InnerWidthPx() const override { return width(); }
  int32_t InnerHeightPx() const override { return height(); }
  void ResizeInnerPx(int32_t w, int32_t h) override;
  void ClearPicture() override;

  // Paints a frame (rows of `rowPixels` pixels, top-down) into `dest` of the picture, scaled
  // when the sizes differ, and shows it before returning. The frame is drawn from `bits`
  // itself (one copy, into the window's backing store) and is not kept.
  void ShowFrame(std::span<const uint32_t> bits, int32_t srcWidth, int32_t srcHeight, int32_t rowPixels,
                 const presentation::FrameRect& dest);
  // Draws a captured frame at the picture's top left, at its own size.
  void SetCapturedImage(const QImage& img) override;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QImage frame_;     // over the frame being shown, during ShowFrame only
  QRect frameRect_;  // where it goes
};

}  // namespace host
