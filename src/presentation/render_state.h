// The frame buffer, the render size and the projection values that every plotter reads, the
// screen data recorded at start-up, and the render target that an animation draws into.
//
// Pixel (x, y) of FrameBuffer and OutputBuffer is element y * BufferStride + x; a pixel holds
// blue in bits 0-7, green in bits 8-15, red in bits 16-23 and zero above. Both buffers hold one
// element more than the pixels of the frame and are sized only by LoadSaverProperties, never
// per frame, so plotting code may keep no pointer into them across a pacer call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "presentation/frame_memory.h"

namespace presentation {

// One render size the dialog offers and the saver accepts.
struct WindowSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// The header that describes the frame to the copy onto the screen (a 32-bit top-down bitmap).
struct FrameBitmapHeader {
  int32_t Size = 40;
  int32_t Width = 0;
  int32_t Height = 0;  // negative: rows stored top-down
  int16_t Planes = 1;
  int16_t BitCount = 32;
  int32_t Compression = 0;
  int32_t SizeImage = 0;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  int32_t ClrUsed = 0;
  int32_t ClrImportant = 0;
};

// A picture box that shows an animation: its inner (client) size in pixels. The window layer
// implements it; tests use HeadlessRenderSurface.
class RenderSurface {
 public:
  virtual ~RenderSurface() = default;
  virtual int32_t InnerWidthPx() const = 0;
  virtual int32_t InnerHeightPx() const = 0;
  // Makes the inner size exactly w x h pixels (the saver window takes the stored render size,
  // and a preview picture is widened to a width that is a multiple of 4).
  virtual void ResizeInnerPx(int32_t w, int32_t h) = 0;
  // Erases the drawing and the persistent picture.
  virtual void ClearPicture() = 0;
};

// In-memory surface for tests and benchmarks.
class HeadlessRenderSurface : public RenderSurface {
 public:
  HeadlessRenderSurface(int32_t w, int32_t h) : w_(w), h_(h) {}
  int32_t InnerWidthPx() const override { return w_; }
  int32_t InnerHeightPx() const override { return h_; }
  void ResizeInnerPx(int32_t w, int32_t h) override {
    w_ = w;
    h_ = h;
  }
  void ClearPicture() override { ++clears; }
  int clears = 0;

 private:
  int32_t w_, h_;
};

inline constexpr int32_t kMessagePointCapacity = 20000;

struct RenderState {
  // Frame buffers; see the file comment. Their memory comes from the installed FrameMemory.
  FramePixels FrameBuffer;
  FramePixels OutputBuffer;
  int32_t RenderWidth = 0;   // a multiple of 4, at least 16, after LoadSaverProperties
  int32_t RenderHeight = 0;  // at least 12
  int32_t BufferStride = 0;  // pixels per row; RenderWidth after LoadPropsInitDX
  FrameBitmapHeader FrameBitmapInfo;
  RenderSurface* RenderTarget = nullptr;  // not owned; the picture of the running animation

  // Clip bounds of PlotPixel: a pixel is written only when 0 < x < PlotMaxX and
  // PlotMinY < y < PlotMaxY.
  int32_t PlotMaxX = 0;
  int32_t PlotMinY = 1;
  int32_t PlotMaxY = 0;

  // Projection: a point at depth d > 0 goes to ScreenCentreX + x * PerspectiveScale / d,
  // ScreenCentreY + y * PerspectiveScale / d.
  float FocalLength = 1.0f;  // 0.01 to 10
  float PerspectiveScale = 0.0f;
  int32_t ScreenCentreX = 0;
  int32_t ScreenCentreY = 0;

  int32_t FrameDelayMs = 10;  // wanted frame duration in ms, 0 to 999
  int32_t BlendLevel = 0;     // trail level of the frame, 0 to 100; the engine sets it

  // Screen data recorded at start-up.
  std::vector<WindowSize> WindowSizeList{{640, 480}};
  int32_t ScreenPixelWidth = 640;
  int32_t ScreenPixelHeight = 480;
  int32_t TwipsPerPixelX = 15;
  int32_t TwipsPerPixelY = 15;
  int32_t RenderBitsPerPixel = 32;
  int32_t LogBitsPerPixel = 32;
  int16_t MonitorCount = 0;  // monitors besides the primary one
  std::vector<int32_t> MonitorLeft, MonitorTop, MonitorWidth, MonitorHeight;
  int16_t MultiMonitorMode = 0;  // 0 each monitor, 1 primary / black, 2 primary only

  // On-screen message settings (read by LoadSaverProperties) and the lit points of the
  // rasterised text (filled by the message layer, plotted by the compositor).
  std::string MessageFontName = "Arial";
  int32_t MessageFontSize = 12;
  int32_t MessageHueStart = 180;
  int32_t MessageHueStep = 10;
  int32_t MessageTopOffset = 2;
  int32_t MessageMinutes = 0;
  std::string MessageTimeText;
  std::string MessageZeroText;
  std::string LockMessageText;
  std::vector<int32_t> MessagePointX = std::vector<int32_t>(kMessagePointCapacity + 1, 0);
  std::vector<int32_t> MessagePointY = std::vector<int32_t>(kMessagePointCapacity + 1, 0);
  int32_t MessagePointCount = 0;
};

RenderState& render();
// Back to a fresh process state (tests).
void ResetRenderState();

// Called by LoadSaverProperties after the message settings are read: the colour layer reloads
// the hue wheel settings and rebuilds its colour tables. Set by the layer that owns them.
using ColorTablesReload = void (*)();
void SetColorTablesReload(ColorTablesReload fn);

// Binds `target` as render target, reads the render and message settings of section "Advanced",
// decides the frame size by RunMode, sets clip bounds and projection, and sizes (and clears)
// FrameBuffer and OutputBuffer. bFixedPacing forces FocalLength 1 and a 20 ms frame delay;
// sScale multiplies PerspectiveScale. The last argument is unused.
void LoadSaverProperties(RenderSurface& target, bool bFixedPacing, float sScale, int32_t unused = 0);
// A window that is going away unbinds its picture, so the compositor never copies to it.
void UnbindRenderTarget(const RenderSurface* target);

// Start of a display run: BufferStride = RenderWidth, the cursor hidden in saver mode, the
// performance counters zeroed.
void LoadPropsInitDX();

}  // namespace presentation
