// Birth of a universe: every star starts as a particle at the centre, flies outward along the
// shape of the universe's galaxy type, slows down and turns, one by one, into a star of the
// galaxy it landed near. Also the respawn of a star as a pulsar, a nova or a new star, which
// the per-frame renderer calls when it recycles stars.
//
// The arrays of one universe are owned by the display loop that runs it; they are sized once
// when a display starts and never per frame.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace engine {

struct AmbientStars;

// Per galaxy of a universe.
struct UniverseGalaxies {
  std::vector<int32_t> GalaxyTypeIndex;  // type 0 to 65 (50 to 65 composite slots)
  std::vector<float> PosX, PosY, PosZ;   // world position of the centre
  std::vector<float> VelX, VelY, VelZ;   // velocity from gravity (tour frames)
  // Position relative to the camera; the renderer projects stars around it.
  std::vector<float> GalaxyCentreX, GalaxyCentreY, GalaxyCentreZ;

  void Resize(int32_t n);
  int32_t Count() const { return static_cast<int32_t>(GalaxyTypeIndex.size()); }
};

// Per star of a universe: ten Single and ten Long arrays.
struct UniverseStars {
  // Position relative to the centre of the star's galaxy, before the level tilt.
  std::vector<float> StarX, StarY, StarZ;
  // Velocity per frame (motion kinds 1 to 3); for the wave StarVelY is the phase in radians.
  std::vector<float> StarVelX, StarVelY, StarVelZ;
  std::vector<float> StarSpinCos, StarSpinSin;  // the star's own turn per frame
  std::vector<float> StarHue;                   // degrees, for hue cycling
  std::vector<float> StarEventExtent;           // size factor of the new-star or nova event
  std::vector<int32_t> StarColor;               // plain pixel colour
  std::vector<int32_t> StarType;                // galaxy type 0 to 49
  std::vector<int32_t> StarGalaxy;              // galaxy index
  std::vector<int32_t> StarLevel;               // level 0 to 9
  std::vector<int32_t> StarAge;                 // frames since the star was made
  std::vector<int32_t> StarEventFrames;         // whole length of the current event
  std::vector<int32_t> NewStarLeft, NovaLeft, PulsarLeft;  // frames left; 0 = no event
  std::vector<int32_t> RecycleValue;            // handed on untouched by the placement

  void Resize(int32_t n);
  int32_t Count() const { return static_cast<int32_t>(StarX.size()); }
};

// One step of a star pulled toward its galaxy's centre (position and velocity relative to
// it): the pull `force` falls off with the square of the distance and changes the velocity
// first; the star then moves by the new velocity.
inline void PullStarToCentre(float& x, float& y, float& z, float& vx, float& vy, float& vz, float force) {
  const float a = -force / (x * x + y * y + z * z + 1E-9f);
  vx += a * x;
  vy += a * y;
  vz += a * z;
  x += vx;
  y += vy;
  z += vz;
}

// Height of a wave star: the amplitude times the sine of its phase, dying down with the
// star's age over `decay` frames; worked in double and kept as a Single. 0 when age + decay
// is 0.
inline float WaveHeight(float amplitude, float phase, int32_t decay, int32_t age) {
  const double denom = static_cast<double>(age) + decay;
  if (denom == 0.0) return 0.0f;
  return static_cast<float>(amplitude * std::sin(static_cast<double>(phase)) * decay / denom);
}

// Work arrays of a universe's birth, sized with the universe's own arrays.
struct CreationScratch {
  std::vector<float> GalVelX, GalVelY, GalVelZ;  // galaxy drift during the expansion
  std::vector<float> ParX, ParY, ParZ;           // particle positions
  std::vector<float> ParVelX, ParVelY, ParVelZ;  // particle velocities
  std::vector<int32_t> ParState;                 // 0 particle, 1 turning, 2 star
  std::vector<int32_t> ParCounter;

  void Resize(int32_t galaxies, int32_t stars);
};

// The modes of InitUniverseParticle.
enum UniverseParticleMode : int32_t {
  kParticleBurst = 0,     // position at the centre, velocity x fScale
  kParticleSpread = 1,    // position = fScale x velocity, then velocity = fVelScale x position
  kParticleAtRest = 2,    // position = fScale x velocity, velocity 0
};

// One particle of the burst in the shape of galaxy type lType (universe variants of the
// placers), scaled to the universe's expansion and tilted by the type's first level.
void InitUniverseParticle(float& x, float& y, float& z, float& vx, float& vy, float& vz,
                          int32_t lType, float fScale, float fVelScale, int32_t lMode);

// A composite slot in use turns into one of its members, drawn by cumulative weight; any
// other type is itself. A composite without members or without weight gives type 0.
int32_t PickCompositeMember(int32_t lType);

// Builds one universe in the given arrays and plays its expansion frames. Returns early,
// leaving the universe half built, when the pacer reports a stop (G_bCancel is then set).
// `expansion` and `extent` are updated in place; `universeType` is the burst's galaxy type.
void CreateUniverse(UniverseGalaxies& galaxies, UniverseStars& stars, AmbientStars* ambient,
                    CreationScratch& scratch, float& expansion, float& extent,
                    int32_t universeType);

// Gives star i a new life in galaxy `galaxy` (whose camera-relative centre is read from
// `galaxies`): a new type, a new place, and a pulsar, nova or new-star event. previewMode 1
// keeps the galaxy's stored type unresolved.
void RespawnUniverseStar(UniverseStars& stars, int32_t i, const UniverseGalaxies& galaxies,
                         int32_t galaxy, int32_t previewMode);

}  // namespace engine
