// Per-frame tables of the special stars of every galaxy type, built before each display:
// the radius and colour of a pulsar at each frame of its cycle, and the colour of a new star
// at each frame of its life. The renderer looks them up by the star's frame counter.
#pragma once

namespace engine {

// For types 0 to 49: PulsarSizes and PulsarColors over Galaxy_PulsarFrames frames (clamped
// to 0 to 99 and written back); all other entries 0. The colour swings from the start of the
// type's hue range to its end at mid-cycle and back, dimmed in the first and last quarter;
// the radius swings from Galaxy_PulsarMinExt to Galaxy_PulsarMaxExt (in thousandths).
void BuildPulsarTables();

// For types 0 to 49: NewStarColors 0 to Galaxy_NewFrames (clamped to 0 to 99 and written
// back); all other entries 0. Frame 0 is the ramp colour of the range's end, the last frame
// white, moving along the ramp toward the range's start.
void BuildNewStarColors();

}  // namespace engine
