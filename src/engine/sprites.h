// The clipped pixel store of the engine and the three sprites of special stars: the glint of
// a new star, the layered glint of a nova and the five pulsar shapes. A sprite is a fixed
// sparse set of single pixels around the star's screen position, all in one colour; the
// nova and pulsar sprites are drawn as layers at slightly different depths, each projected
// on its own. Every pixel goes through PlotPixel, which drops pixels outside the plot
// window, so a sprite near the edge loses only the pixels that fall outside.
//
// Screen geometry (frame buffer, stride, clip bounds, projection) comes from the render
// state of the presentation layer. No sprite allocates, loops over stars or keeps state.
#pragma once

#include <cstdint>

namespace engine {

// Stores `color` at (x, y) of the frame buffer when 0 < x < PlotMaxX and
// PlotMinY < y < PlotMaxY (and the pixel lies inside the buffer); otherwise nothing.
void PlotPixel(int32_t x, int32_t y, int32_t color);

// New-star glint at a screen position the caller has already projected. Nothing at all is
// drawn when the centre lies outside the plot window; otherwise the centre, and arms that
// grow with frame / frames.
void PlotGlint(int32_t x, int32_t y, float depth, int32_t frame, int32_t frames, float scale, int32_t colour);

// Nova glint at a camera-space point (X, Y) at depth Z: a main layer and further layers at
// Z +- 0.1 scale and Z +- 0.2 scale (near layers only in front of the eye). The sprite
// shrinks to a size factor of 1 as frame reaches lastFrame.
void PlotProjectedGlint(float X, float Y, float Z, int32_t frame, int32_t lastFrame, float scale, int32_t colour);

// Pulsar sprite at a camera-space point; the shape (0 to 4) and the layer spacing come from
// the galaxy type's Galaxy_PulsarShape and PulsarDepthF. Other shapes draw nothing.
void PlotProjectedFlare(float X, float Y, float Z, float scale, int32_t galaxyType, int32_t colour);

}  // namespace engine
