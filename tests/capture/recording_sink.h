// What recordings in tests run on: a fresh engine and frame state, and the window layer's
// frame sink as recordings see it (frames go nowhere, but every one is handed to the frame
// writer).
#pragma once

#include "capture/video_frames.h"
#include "engine/universe_settings.h"
#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"

namespace testsupport {

// The factory records, the default universe, fresh frame and pacing state, a seeded random
// table and no recording.
inline void ResetRecordingState() {
  model::ResetGalaxyRecords();
  engine::universeSettings() = engine::UniverseSettings{};
  presentation::ResetRenderState();
  presentation::ResetPacingState();
  presentation::ResetCompositorState();
  model::InitRandomTableWithSeed(7);
  capture::ResetVideoState();
}

struct ForwardingSink : presentation::FrameSink {
  void StretchFrame(presentation::FrameDestination, std::span<const uint32_t>, int32_t, int32_t,
                    const presentation::FrameBitmapHeader&, const presentation::FrameRect&) override {}
  void WriteVideoFrame() override { capture::WriteVideoFrame(); }
};

}  // namespace testsupport
