// The window layer's frame sink as recordings see it: frames go nowhere, but every one is
// handed to the frame writer.
#pragma once

#include "capture/video_frames.h"
#include "presentation/compositor.h"

namespace testsupport {

struct ForwardingSink : presentation::FrameSink {
  void StretchFrame(presentation::FrameDestination, std::span<const uint32_t>, int32_t, int32_t,
                    const presentation::FrameBitmapHeader&, const presentation::FrameRect&) override {}
  void WriteVideoFrame() override { capture::WriteVideoFrame(); }
};

}  // namespace testsupport
