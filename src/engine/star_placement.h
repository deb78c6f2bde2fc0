// Birth of a star: its position relative to its galaxy centre, velocity, own rotation step,
// level, hue and colour, from its galaxy type's shape kind (Galaxy_GalStyle) and colour mode
// (Galaxy_ColorComp). Called for every star when a universe or preview is created and again
// whenever a star is recycled, so nothing here allocates.
//
// Shape kinds: 0 disk with arms, bands and levels; 1 single-point attractor; 2 nested
// wireframe; 3 fractal on the wireframe; 4 nebula ribbons; 5 quasar (stars fly out of the
// core); 6 graviton (stars fall through the core); 7 starwave; 8 user IFS; 9 molecule.
//
// The draws of the random table happen in a fixed order per kind; every later star depends
// on it, so a placement must neither skip nor add a draw.
#pragma once

#include <cstdint>
#include <span>

#include "model/galaxy_types.h"
#include "engine/shape_tables.h"

namespace engine {

// Places star elements 1 to 16 of one star of galaxy type `type` (0 to 49) in galaxy row
// `galaxy` of the shape tables. Clears the frame counter, the recycle value, the three event
// counters and Level; a style outside 0 to 9 leaves the position as it was, a colour mode
// above 6 leaves Colour and Hue as they were. A type outside the records places nothing.
void InitParticle(float& X, float& Y, float& Z, float& VX, float& VY, float& VZ, float& StepCos,
                  float& StepSin, int32_t& frames, int32_t& recycle, int32_t& newLeft,
                  int32_t& novaLeft, int32_t& pulsarLeft, int32_t& Colour, float& Hue,
                  int32_t& Level, int32_t type, int32_t galaxy);

// A disk star: level, radius from the bands and Galaxy_RadiusExp, height from the thickness
// profile, angle on one of the arms plus `angle`; key receives the star's rotation step
// (at most pi/2).
void InitDiskParticle(float& X, float& Y, float& Z, float& StepCos, float& StepSin, float& key,
                      int32_t& Level, int32_t type, float rotStep, float angle);
// The same placement for the universe's own shape: no level, key, step or added angle.
void InitDiskParticleUniverse(float& X, float& Y, float& Z, int32_t type);

// Advances the point-iteration shape of the type's style on row `row` of the given running
// point and wireframe tables (styles 1, 2, 3, 8; other styles leave it).
void ComputeShapePoint(std::span<float> PX, std::span<float> PY, std::span<float> PZ,
                       std::span<const WireRow> VXs, std::span<const WireRow> VYs,
                       std::span<const WireRow> VZs, int32_t type, int32_t row);
// Next point of styles 1, 2, 3, 8 for a star of galaxy `galaxy`, turned by the type's spin.
void GetCachedShapePoint(float& X, float& Y, float& Z, float& StepCos, float& StepSin, float& key,
                         int32_t type, int32_t galaxy);
// The universe twin: the universe's running point, unturned.
void GetCachedShapePointUniverse(float& X, float& Y, float& Z, int32_t type);

// A nebula star on the galaxy's ribbon, with a drift velocity; u in [0, 2) is its place
// along the ribbon in control-point spans over Galaxy_CP_Points, uWrapped its span index
// plus fraction.
void InitSplineParticle(float& X, float& Y, float& Z, float& VX, float& VY, float& VZ, float& u,
                        float& uWrapped, int32_t type, int32_t galaxy);
// The universe twin on the universe's ribbon (position only).
void InitSplineParticleUniverse(float& X, float& Y, float& Z, int32_t type);

}  // namespace engine
