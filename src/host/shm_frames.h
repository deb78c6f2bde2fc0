// Frame buffers shared with the X server (MIT-SHM): while a SharedFrames is alive and the
// display allows it, the frame buffers live in shared memory segments attached to the
// server, and a picture shows a frame by one put from its segment instead of copying it
// into the window's backing store first. Where that is not possible (another platform than
// xcb, no MIT-SHM 1.2, a display reached over the network, a failed attach) nothing is
// installed and frames take the ordinary path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "presentation/frame_memory.h"

struct xcb_connection_t;

namespace host {

class SharedFrames : public presentation::FrameMemory {
 public:
  // Installs itself as the frame memory when the display offers shared memory.
  SharedFrames();
  // Uninstalls (the frame buffers move back to the heap), then detaches and unmaps every
  // segment left.
  ~SharedFrames() override;
  SharedFrames(const SharedFrames&) = delete;
  SharedFrames& operator=(const SharedFrames&) = delete;

  bool installed() const { return installed_; }
  // Segments now attached.
  size_t segmentCount() const { return segments_.size(); }
  // Frames put straight from a segment so far.
  int64_t directPuts() const { return puts_; }

  void* Allocate(std::size_t bytes) noexcept override;
  bool Release(void* block, std::size_t bytes) noexcept override;

  // Puts `width` x `height` pixels at (srcX, srcY) of a frame (rows of `rowPixels` pixels, top
  // down, `rows` rows from `bits`) at (dstX, dstY) of the X window `window`, and returns once
  // the server has read them. False (nothing shown) when the frame does not lie inside one
  // segment, the window's visual is not 24-bit true colour with 8-bit red, green and blue, or
  // the server refuses the put.
  bool Put(uint32_t window, const uint32_t* bits, int32_t rowPixels, int32_t rows, int32_t srcX, int32_t srcY,
           int32_t width, int32_t height, int32_t dstX, int32_t dstY);

 private:
  struct Segment {
    uint32_t id;
    uint8_t* base;
    size_t bytes;  // mapped length
  };
  const Segment* Find(const void* p, size_t bytes) const;
  bool WindowFits(uint32_t window);
  void Detach(const Segment& s);

  xcb_connection_t* conn_ = nullptr;
  bool installed_ = false;
  std::vector<Segment> segments_;
  uint32_t window_ = 0;  // the window of the cached check and graphics context
  uint32_t gc_ = 0;
  bool windowFits_ = false;
  int64_t puts_ = 0;
};

// The SharedFrames now installed, nullptr when none is.
SharedFrames* activeSharedFrames();

}  // namespace host
