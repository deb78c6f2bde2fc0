#include "engine/galaxy_preview.h"

#include <algorithm>
#include <memory>

#include "engine/comets.h"
#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/shape_primitives.h"
#include "engine/shape_tables.h"
#include "engine/star_placement.h"
#include "engine/star_renderer.h"
#include "engine/star_tables.h"
#include "engine/universe_creation.h"
#include "engine/universe_settings.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "platform/pixlib/pixlib.h"
#include "runtime/numbers.h"

namespace engine {

void DisplayGalaxyPreview(int32_t lIndex, int32_t lStopMode, int32_t lStopFrames, int32_t lStars,
                          bool bComposite, float fStarScale) {
  if (lIndex < 0 || lIndex >= (bComposite ? model::kCompositeCount : model::kEditableGalaxyTypes)) return;
  UniverseSettings& u = universeSettings();
  model::GalaxyRecords& rec = model::records();

  const int32_t starCount = std::clamp(
      runtime::ToLong(static_cast<double>(lStars) * fStarScale).value_or(0), 0, 99999);
  u.Universe_Stars = starCount;
  u.Universe_Galaxy = 1;
  u.Universe_NewPctStEx = 0.0f;

  UniverseGalaxies galaxies;
  UniverseStars stars;
  auto comets = std::make_unique<CometTailList>();
  galaxies.Resize(1);
  stars.Resize(starCount);
  RedimCometPool();
  pixlib::InitRandomArray();
  presentation::LoadPropsInitDX();
  model::PrepareGalaxyTypes();

  int32_t shown = lIndex;
  const model::CompositeRecord* composite = nullptr;
  if (bComposite) {
    const int32_t slot = model::kCompositeSlotBase + lIndex;
    rec.GalaxyTypes[slot].IsComposite = true;
    galaxies.GalaxyTypeIndex[0] = slot;
    composite = &rec.CompositeGalaxies[lIndex];
    shown = std::clamp(composite->CompGal_Type[0], 0, model::kEditableGalaxyTypes - 1);
  } else {
    galaxies.GalaxyTypeIndex[0] = lIndex;
  }
  galaxies.PosZ[0] = galaxies.GalaxyCentreZ[0] = rec.GalaxyTypes[shown].DistanceF;

  int32_t cometCount = CometCountFor(shown);

  InitGalaxyPaths(1, shown, bComposite ? lIndex : -1);

  // The first stars of a composite are shared equally among its members, whatever their
  // weights; stars reborn later follow the weights.
  const int32_t members = composite ? std::clamp(composite->CompGal_Count, 0, model::kCompositeMembers) : 0;
  for (int32_t i = 0; i < starCount; ++i) {
    stars.StarGalaxy[i] = 0;
    int32_t type = lIndex;
    if (composite) {
      const int32_t m = DrawIndexBelow(members);
      type = std::clamp(composite->CompGal_Type[m], 0, model::kEditableGalaxyTypes - 1);
    }
    stars.StarType[i] = type;
    InitParticle(stars.StarX[i], stars.StarY[i], stars.StarZ[i], stars.StarVelX[i],
                 stars.StarVelY[i], stars.StarVelZ[i], stars.StarSpinCos[i], stars.StarSpinSin[i],
                 stars.StarAge[i], stars.RecycleValue[i], stars.NewStarLeft[i], stars.NovaLeft[i],
                 stars.PulsarLeft[i], stars.StarColor[i], stars.StarHue[i], stars.StarLevel[i],
                 type, 0);
  }
  model::UpdateHueCycleFlags();
  BuildNewStarColors();
  BuildPulsarTables();

  const int32_t mode = bComposite ? kRenderComposite : kRenderGalaxy;
  int32_t frames = 0;
  for (;;) {
    model::AdvanceGalaxyRotations();
    presentation::pacing().FrameStartTick = presentation::hostPlatform().GetTickCount();
    RenderStarFrame(galaxies, stars, *comets, cometCount, 0, shown, kPreviewTourLeg, 0.0f, true, mode);
    presentation::zDX8_BlendBlit_Surface(-1, -1);
    AdvanceGalaxyPaths(1, shown, galaxies.GalaxyTypeIndex);
    if (lStopMode == kPreviewStopAfterFrames) {
      ++frames;
      if (frames == lStopFrames) return;
    }
    if (presentation::PaceFrameAndCheckHost()) return;
  }
}

}  // namespace engine
