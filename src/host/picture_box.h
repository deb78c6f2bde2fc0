// A picture that shows animation frames: it keeps a persistent image (redrawn whenever the
// widget is exposed) for drawn pictures and captures; animation frames are painted straight
// from the frame buffer onto the screen, synchronously. A picture that allows direct puts
// shows a frame held in shared memory (see shm_frames.h) by one put into its window, past
// Qt's backing store; an expose then shows the persistent image until the next frame, as it
// does after a painted frame.
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
  // Lets frames in shared memory go straight into the window when they need no scaling. Only
  // for a picture that no sibling widget covers.
  void AllowDirectPut(bool allow) { directPut_ = allow; }
  // Draws a captured frame at the picture's top left, at its own size.
  void SetCapturedImage(const QImage& img) override;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  // Puts the part `target` (picture coordinates) of a frame at `dest` into the window from
  // shared memory; false when it cannot.
  bool PutDirect(std::span<const uint32_t> bits, int32_t srcHeight, int32_t rowPixels,
                 const presentation::FrameRect& dest, const QRect& target);

  bool directPut_ = false;
  QImage frame_;     // over the frame being shown, during ShowFrame only
  QRect frameRect_;  // where it goes
};

}  // namespace host
