#include "engine/display_universe.h"

#include <algorithm>

#include "engine/ambient_stars.h"
#include "engine/comets.h"
#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/shape_primitives.h"
#include "engine/shape_tables.h"
#include "engine/star_renderer.h"
#include "engine/star_tables.h"
#include "engine/universe_settings.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "platform/pixlib/pixlib.h"
#include "runtime/numbers.h"

namespace engine {

UniverseDisplay::UniverseDisplay()
    : ambient_(std::make_unique<AmbientStars>()), comets_(std::make_unique<CometTailList>()) {}
UniverseDisplay::~UniverseDisplay() = default;

void UniverseDisplay::Setup() {
  ApplyUniverseDisplayClamps();
  const UniverseSettings& u = universeSettings();

  galaxies_.Resize(u.Universe_Galaxy);
  stars_.Resize(u.Universe_Stars);
  scratch_.Resize(u.Universe_Galaxy, u.Universe_Stars);
  ambient_->Resize(u.Universe_AmStar);
  RedimCometPool();
  cometCount_ = 0;

  pixlib::InitRandomArray();
  presentation::LoadPropsInitDX();
  model::PrepareGalaxyTypes();

  tourLength_ = u.Universe_Galaxy < u.Universe_Recycle ? u.Universe_Galaxy : u.Universe_Recycle;
  universeType_ = -1;
  gravityCounter_ = 0;
  rendererType_ = 0;
  model::UpdateHueCycleFlags();
  BuildNewStarColors();
  BuildPulsarTables();
}

bool UniverseDisplay::CreateNext() {
  const UniverseSettings& u = universeSettings();
  model::GalaxyRecords& rec = model::records();
  if (u.Universe_Profile >= 0 && u.Universe_Profile < model::kEditableGalaxyTypes) {
    universeType_ = u.Universe_Profile;
  } else if (u.Universe_Profile == 50) {
    universeType_ = std::clamp(
        runtime::IntToLong(model::NextRandomSingle() * 50.0f).value_or(0), 0, model::kEditableGalaxyTypes - 1);
  } else {
    universeType_ = (universeType_ + 1) % model::kEditableGalaxyTypes;
  }
  expansion_ = u.Universe_Expand;
  extent_ = 0.0f;
  for (int32_t t = 0; t < model::kEditableGalaxyTypes; ++t)
    rec.GalaxyTypes[t].HueOffset = static_cast<float>(rec.GalaxyTypes[t].Galaxy_HueStart);

  CreateUniverse(galaxies_, stars_, u.Universe_AmStar > 0 ? ambient_.get() : nullptr, scratch_,
                 expansion_, extent_, universeType_);
  return !presentation::pacing().G_bCancel;
}

void UniverseDisplay::ShiftControlPoints(float x, float y, float z) {
  for (int k = 0; k < 3; ++k) {
    ctrlX_[k] = ctrlX_[k + 1];
    ctrlY_[k] = ctrlY_[k + 1];
    ctrlZ_[k] = ctrlZ_[k + 1];
  }
  ctrlX_[3] = x;
  ctrlY_[3] = y;
  ctrlZ_[3] = z;
}

void UniverseDisplay::ResetControlPoints() {
  const float z = -universeSettings().Universe_DstCen;
  ctrlX_.fill(0.0f);
  ctrlY_.fill(0.0f);
  ctrlZ_.fill(z);
}

void UniverseDisplay::SetCamera(float t) {
  BSplinePointA1(camX_, camY_, camZ_, t, ctrlX_, ctrlY_, ctrlZ_);
}

void UniverseDisplay::UpdateRelativePositions() {
  for (int32_t g = 0; g < galaxies_.Count(); ++g) {
    galaxies_.GalaxyCentreX[g] = galaxies_.PosX[g] - camX_;
    galaxies_.GalaxyCentreY[g] = galaxies_.PosY[g] - camY_;
    galaxies_.GalaxyCentreZ[g] = galaxies_.PosZ[g] - camZ_;
  }
}

void UniverseDisplay::ApplyGravity() {
  const UniverseSettings& u = universeSettings();
  const float force = u.Universe_GravForce;
  gravityCounter_ = (gravityCounter_ + 1) % std::max(u.Universe_GravFrame, 1);
  const int32_t n = galaxies_.Count();
  for (int32_t g = 0; g < n; ++g) {
    if (gravityCounter_ == 0) {
      float vx = galaxies_.VelX[g], vy = galaxies_.VelY[g], vz = galaxies_.VelZ[g];
      const float gx = galaxies_.PosX[g], gy = galaxies_.PosY[g], gz = galaxies_.PosZ[g];
      for (int32_t h = 0; h < n; ++h) {
        if (h == g) continue;
        const float dx = galaxies_.PosX[h] - gx;
        const float dy = galaxies_.PosY[h] - gy;
        const float dz = galaxies_.PosZ[h] - gz;
        const float dist2 = dx * dx + dy * dy + dz * dz + 1E-9f;
        vx += dx * force / dist2;
        vy += dy * force / dist2;
        vz += dz * force / dist2;
      }
      galaxies_.VelX[g] = vx;
      galaxies_.VelY[g] = vy;
      galaxies_.VelZ[g] = vz;
    }
    // Later galaxies see the positions already moved this frame.
    galaxies_.PosX[g] += galaxies_.VelX[g];
    galaxies_.PosY[g] += galaxies_.VelY[g];
    galaxies_.PosZ[g] += galaxies_.VelZ[g];
  }
}

void UniverseDisplay::FrameSequence(int32_t visit, int32_t leg, float t, bool touring) {
  const UniverseSettings& u = universeSettings();
  model::AdvanceGalaxyRotations();
  RenderStarFrame(galaxies_, stars_, *comets_, cometCount_, visit, rendererType_, leg, t, touring,
                  kRenderUniverse);
  if (u.Universe_AmStar > 0)
    PlotAmbientStars(*ambient_, camX_, camY_, camZ_, extent_, expansion_, 1, universeType_);
  presentation::zDX8_BlendBlit_Surface(-1, -1);
}

void UniverseDisplay::TourFrame(int32_t v, int32_t j, float t) {
  const UniverseSettings& u = universeSettings();
  SetCamera(t);
  presentation::pacing().FrameStartTick = presentation::hostPlatform().GetTickCount();
  if (!u.Universe_Tour) {
    camX_ = 0.0f;
    camY_ = 0.0f;
    camZ_ = -u.Universe_DstCen;
  }
  if (u.Universe_GravForce > 0.0f) ApplyGravity();
  UpdateRelativePositions();
  FrameSequence(v, j, t, true);
  AdvanceGalaxyPaths(galaxies_.Count(), -1, galaxies_.GalaxyTypeIndex);
}

void UniverseDisplay::DepartureFrame(int32_t j, float t) {
  SetCamera(t);
  UpdateRelativePositions();
  FrameSequence(tourLength_ - 1, j, t, false);
}

bool UniverseDisplay::Tour() {
  const UniverseSettings& u = universeSettings();
  std::fill(galaxies_.VelX.begin(), galaxies_.VelX.end(), 0.0f);
  std::fill(galaxies_.VelY.begin(), galaxies_.VelY.end(), 0.0f);
  std::fill(galaxies_.VelZ.begin(), galaxies_.VelZ.end(), 0.0f);
  ResetControlPoints();
  const float step = 1.0f / static_cast<float>(std::max(u.Universe_GSteps, 1));
  const int32_t legs = u.Universe_GPCtrl + u.Universe_GCCtrl;

  int32_t approached = 0;
  for (int32_t v = 0; v < tourLength_ && v < galaxies_.Count(); ++v) {
    approached = model::ResolveGalaxySlot(galaxies_.GalaxyTypeIndex, v);
    const float D = model::records().GalaxyTypes[approached].DistanceF;
    for (int32_t j = 1; j <= legs; ++j) {
      float z = galaxies_.PosZ[v] - D;
      // The pass legs carry the camera through the galaxy to 0.5 D behind its centre.
      if (j > u.Universe_GPCtrl && u.Universe_GCCtrl > 0)
        z = static_cast<float>(z + static_cast<double>(D) * 1.5 * (j - u.Universe_GPCtrl) /
                                       u.Universe_GCCtrl);
      ShiftControlPoints(galaxies_.PosX[v], galaxies_.PosY[v], z);
      if (j == 2) {
        rendererType_ = approached;
        InitCometPool(*comets_, cometCount_, v, approached);
      }
      float t = 0.0f;
      for (int32_t s = 0; s < u.Universe_GSteps; ++s) {
        TourFrame(v, j, t);
        if (presentation::PaceFrameAndCheckHost()) return false;
        t += step;
      }
    }
  }

  if (!u.Universe_Tour) ResetControlPoints();
  // Departure: the camera flies far back; each leg starts its spline at 0.
  for (int32_t j = 1; j <= u.Universe_GPCtrl; ++j) {
    const float z = j < u.Universe_GPCtrl ? -5.0f * extent_ : -10000.0f * extent_;
    ShiftControlPoints(0.0f, 0.0f, z);
    float t = 0.0f;
    for (int32_t s = 0; s < u.Universe_GSteps; ++s) {
      DepartureFrame(j, t);
      if (presentation::PaceFrameAndCheckHost()) return false;
      t += step;
    }
  }
  InitCometPool(*comets_, cometCount_, tourLength_, approached);
  return true;
}

void UniverseDisplay::Run() {
  Setup();
  for (;;) {
    if (!CreateNext()) return;
    if (!Tour()) return;
  }
}

void DisplayUniverse() {
  UniverseDisplay display;
  display.Run();
}

}  // namespace engine
