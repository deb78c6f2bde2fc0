// The universe display: creates universes one after another and tours each of them, the
// camera flying from galaxy to galaxy along a uniform cubic B-spline, with gravity between
// the galaxies, until the stop flag ends it.
//
// Every frame runs, in this order: AdvanceGalaxyRotations, RenderStarFrame, PlotAmbientStars,
// zDX8_BlendBlit_Surface (compose and show), AdvanceGalaxyPaths (tour frames only) and
// PaceFrameAndCheckHost. All arrays of a universe are sized once when the display starts.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/universe_creation.h"

namespace engine {

struct AmbientStars;
struct CometTailList;

// One universe display and its state. DisplayUniverse runs it to the stop flag; the frame
// steps are public so that a benchmark can time them without the pacer.
class UniverseDisplay {
 public:
  UniverseDisplay();
  ~UniverseDisplay();
  UniverseDisplay(const UniverseDisplay&) = delete;
  UniverseDisplay& operator=(const UniverseDisplay&) = delete;

  // Clamps the settings, sizes every array and prepares the galaxy types and their tables.
  void Setup();
  // Picks the next universe's galaxy type and creates the universe (with its expansion
  // frames). False when the stop flag is set afterwards.
  bool CreateNext();
  // Tours the universe created last and flies away from it; false when the pacer stopped.
  bool Tour();
  // Set-up, then universes until the stop flag.
  void Run();

  // One tour frame of visit v, leg j at spline position t: camera, gravity, camera-relative
  // galaxy positions and the frame sequence up to the galaxy paths (no pacing).
  void TourFrame(int32_t v, int32_t j, float t);
  // One departure frame (no gravity, no path motion, no restart of the frame tick).
  void DepartureFrame(int32_t j, float t);
  // Applies one gravity step to the galaxies (the caller decides that gravity is on).
  void ApplyGravity();

  // Visits of one universe: Universe_Galaxy, at most Universe_Recycle.
  int32_t TourLength() const { return tourLength_; }
  int32_t UniverseGalaxyType() const { return universeType_; }
  const UniverseGalaxies& Galaxies() const { return galaxies_; }
  const UniverseStars& Stars() const { return stars_; }
  float CameraX() const { return camX_; }
  float CameraY() const { return camY_; }
  float CameraZ() const { return camZ_; }
  int32_t GravityCounter() const { return gravityCounter_; }
  float Extent() const { return extent_; }

 private:
  void ShiftControlPoints(float x, float y, float z);
  void ResetControlPoints();
  void SetCamera(float t);
  void UpdateRelativePositions();
  void FrameSequence(int32_t visit, int32_t leg, float t, bool touring);

  UniverseGalaxies galaxies_;
  UniverseStars stars_;
  CreationScratch scratch_;
  std::unique_ptr<AmbientStars> ambient_;  // only when ambient stars are wanted
  std::unique_ptr<CometTailList> comets_;
  int32_t cometCount_ = 0;

  std::array<float, 4> ctrlX_{}, ctrlY_{}, ctrlZ_{};  // camera control points
  float camX_ = 0.0f, camY_ = 0.0f, camZ_ = 0.0f;
  int32_t universeType_ = -1;
  float extent_ = 0.0f;
  float expansion_ = 0.0f;
  int32_t gravityCounter_ = 0;
  int32_t tourLength_ = 0;
  int32_t rendererType_ = 0;  // the type whose comets the renderer throws
};

// Runs universe displays until the stop flag is seen. Requires that the universe settings
// were loaded (or taken from the dialog) just before and that a render target is bound.
void DisplayUniverse();

}  // namespace engine
