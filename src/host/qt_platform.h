// The program's platform services over Qt: the event pump and clock of the frame pacer, the
// cursor's show counter, the copy of composed frames onto the screen, and the on-screen
// message layer.
#pragma once

#include <QPointer>

#include "host/picture_box.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"

namespace host {

class QtHostPlatform : public presentation::HostPlatform {
 public:
  void DoEvents() override;
  uint32_t GetTickCount() override;
  void Sleep(uint32_t ms) override;
  bool IsWindow(int64_t hwnd) override;
  void HideCursor() override { ShowCursor(false); }
  // One step of the cursor's show counter; the cursor is hidden while the counter is below 0.
  void ShowCursor(bool show);
  int cursorCounter() const { return cursorCounter_; }

 private:
  int cursorCounter_ = 0;
};
QtHostPlatform& qtPlatform();

// Shows composed frames: the saver window's picture, or the bound render target.
class QtFrameSink : public presentation::FrameSink {
 public:
  void StretchFrame(presentation::FrameDestination dest, std::span<const uint32_t> bits, int32_t srcWidth, int32_t srcHeight,
                    const presentation::FrameBitmapHeader& header, const presentation::FrameRect& destRect) override;
  // Hands the frame to the registered video writer (none: nothing happens).
  void WriteVideoFrame() override {
    if (videoWriter_ != nullptr) videoWriter_();
  }
  // The video capture module registers its frame writer here (nullptr removes it).
  void SetVideoFrameWriter(void (*writer)()) { videoWriter_ = writer; }
  // The saver window's picture and the virtual-screen position of the window's origin, so
  // that monitor rectangles land in window coordinates.
  void SetSaverPicture(PictureBox* picture, int32_t originX, int32_t originY);

 private:
  QPointer<PictureBox> saverPicture_;
  void (*videoWriter_)() = nullptr;
  int32_t originX_ = 0, originY_ = 0;
};
QtFrameSink& qtFrameSink();

class QtMessageOverlay : public presentation::MessageOverlay {
 public:
  void DrawScreenMessages() override;
  int32_t HueToColor(int32_t hueDegrees) override;
};

// Installs the services above (once per process).
void InstallQtPlatform();

}  // namespace host
