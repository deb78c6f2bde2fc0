// The per-frame star renderer: moves every star of a universe by its galaxy type's motion,
// tilts it by its level, projects it and draws it into the frame buffer as a pixel or, while
// it is a new star, a nova or a pulsar, as a sprite. At the end of the frame it starts and
// advances comets, recycles idle stars into new events, moves the types' hue ranges and
// recolours cycling stars. Nothing here allocates.
#pragma once

#include <cstdint>
#include <span>

#include "engine/universe_creation.h"

namespace engine {

struct CometTailList;

// Preview modes of the renderer: 0 a universe, 1 one galaxy type, 2 one composite.
enum RenderPreviewMode : int32_t { kRenderUniverse = 0, kRenderGalaxy = 1, kRenderComposite = 2 };

// The leg number the single-galaxy display passes: beyond every approach leg, so the frame
// counts as a pass through the galaxy.
inline constexpr int32_t kPreviewTourLeg = 32000;

// One frame of every star. TourGalaxy is the visited galaxy, CometGalaxyType the type whose
// comet settings apply, TourLeg the leg (1 .. approach + pass legs), TourProgress the
// position t within the leg; bTouring is false on the departure frames.
void RenderStarFrame(UniverseGalaxies& galaxies, UniverseStars& stars, CometTailList& comets,
                     int32_t& CometCount, int32_t TourGalaxy, int32_t CometGalaxyType,
                     int32_t TourLeg, float TourProgress, bool bTouring, int32_t PreviewMode);

// The star loop of RenderStarFrame: each of the first nStars stars moved, tilted, projected
// and plotted (a star in an event as its sprite, and an event at its end handled), in index
// order.
void MoveAndPlotStars(UniverseGalaxies& galaxies, UniverseStars& stars, int32_t nStars, int32_t PreviewMode);

// The new-star frequency (stars per 100 frames) of the frame, with the cross-fade factor f
// (1 at t = 0, 0 at t = 1) and the frame blend level: the previous galaxy's values fade into
// the travel values on leg 1, the travel values into the visited galaxy's on the first pass
// leg; a single galaxy uses its own.
int32_t FadeGalaxyBlend(std::span<const int32_t> GalaxyType, float& f, float& fBlend,
                        int32_t lGalaxy, int32_t lLeg, float t, bool bPass, int32_t lMode);

}  // namespace engine
