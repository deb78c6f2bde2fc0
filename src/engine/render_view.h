// A plain view of the render state that the engine's plotters read once per call: the
// frame buffer with its size, the clip bounds and the projection values. Taking the view at
// the start of a plot call keeps the per-pixel code free of accessor calls; a view is never
// kept across a frame-pacer call, since the buffer may be re-sized in between.
#pragma once

#include <cstddef>
#include <cstdint>

#include "presentation/render_state.h"

namespace engine {

struct RenderView {
  uint32_t* FrameBuffer = nullptr;
  std::size_t FrameBufferSize = 0;
  int32_t BufferStride = 0;
  int32_t PlotMaxX = 0;
  int32_t PlotMinY = 0;
  int32_t PlotMaxY = 0;
  int32_t ScreenCentreX = 0;
  int32_t ScreenCentreY = 0;
  float PerspectiveScale = 0.0f;
  float FocalLength = 0.0f;
};

inline RenderView CurrentRenderView() {
  presentation::RenderState& r = presentation::render();
  RenderView v;
  v.FrameBuffer = r.FrameBuffer.data();
  v.FrameBufferSize = r.FrameBuffer.size();
  v.BufferStride = r.BufferStride;
  v.PlotMaxX = r.PlotMaxX;
  v.PlotMinY = r.PlotMinY;
  v.PlotMaxY = r.PlotMaxY;
  v.ScreenCentreX = r.ScreenCentreX;
  v.ScreenCentreY = r.ScreenCentreY;
  v.PerspectiveScale = r.PerspectiveScale;
  v.FocalLength = r.FocalLength;
  return v;
}

// The clipped store of every engine plot: `color` lands at (x, y) only when 0 < x < PlotMaxX,
// PlotMinY < y < PlotMaxY and the pixel lies inside the buffer. The coordinates are wide, so
// the sum of a centre and a large sprite offset cannot overflow before the test.
inline void StorePixel(const RenderView& v, int64_t x, int64_t y, int32_t color) {
  if (!(x > 0 && x < v.PlotMaxX && y > v.PlotMinY && y < v.PlotMaxY)) return;
  if (v.BufferStride <= 0 || v.FrameBuffer == nullptr) return;
  const int64_t index = y * static_cast<int64_t>(v.BufferStride) + x;
  if (index < 0 || static_cast<uint64_t>(index) >= v.FrameBufferSize) return;
  v.FrameBuffer[index] = static_cast<uint32_t>(color);
}

}  // namespace engine
