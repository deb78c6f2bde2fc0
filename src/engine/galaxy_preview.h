// The single-galaxy display: one galaxy type, or one composite galaxy, alone in front of the
// camera, with no expansion, no tour, no gravity and no ambient stars. It serves the galaxy
// and composite previews of the Properties dialog, the editors' live previews and the about
// window's demo. Each frame runs AdvanceGalaxyRotations, RenderStarFrame,
// zDX8_BlendBlit_Surface, AdvanceGalaxyPaths and PaceFrameAndCheckHost.
#pragma once

#include <cstdint>

namespace engine {

// Stop mode of DisplayGalaxyPreview: stop after a number of frames (any other value runs to
// the stop flag).
inline constexpr int32_t kPreviewStopAfterFrames = 1;

// Shows galaxy type lIndex (0 to 49), or with bComposite composite lIndex (0 to 15), with
// lStars x fStarScale stars (rounded, at most 99999). With lStopMode 1 it ends after
// lStopFrames frames (0 never ends by count); it always ends when the pacer reports a stop.
// Leaves Universe_Stars, Universe_Galaxy (1) and Universe_NewPctStEx (0) set for the preview
// until the universe settings are loaded again. An index outside its range shows nothing.
void DisplayGalaxyPreview(int32_t lIndex, int32_t lStopMode, int32_t lStopFrames, int32_t lStars,
                          bool bComposite, float fStarScale);

}  // namespace engine
