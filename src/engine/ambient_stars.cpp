#include "engine/ambient_stars.h"

#include <algorithm>
#include <span>

#include "engine/hue_cone.h"
#include "engine/universe_settings.h"
#include "presentation/render_state.h"
#include "platform/pixlib/pixlib.h"

namespace engine {

void AmbientStars::Resize(int32_t n) {
  const auto count = static_cast<size_t>(std::max(n, 0));
  for (auto* v : {&X, &Y, &Z, &VX, &VY, &VZ, &Age}) v->assign(count, 0.0f);
  Tag.assign(count, 0);
}

AmbientState& ambientState() {
  static AmbientState s;
  return s;
}

void PlotAmbientStars(AmbientStars& stars, float fCamX, float fCamY, float fCamZ, float fExtent, float fExpand,
                      int32_t lPhase, int32_t lType) {
  AmbientState& a = ambientState();
  a.WhiteColors.fill(0xFFFFFF);

  presentation::RenderState& r = presentation::render();
  const UniverseSettings& us = universeSettings();
  // The highest element the library may write: the last three rows stay untouched. Computed
  // wide, so an absurd geometry cannot wrap round.
  const int64_t last = static_cast<int64_t>(r.BufferStride) * (static_cast<int64_t>(r.RenderHeight) - 3);
  const auto lastIndex = static_cast<int32_t>(std::clamp<int64_t>(last, -1, INT32_MAX));
  pixlib::API_GalaxiesSetProps(r.ScreenCentreX, r.ScreenCentreY, r.RenderWidth, r.BufferStride, 0, lastIndex,
                               r.PerspectiveScale, r.FocalLength, std::span<uint32_t>(r.FrameBuffer),
                               std::span<const int32_t>(hueCone().HueConeTable),
                               std::span<const int32_t>(a.WhiteColors), us.Universe_AmStar, us.Universe_AmFrames,
                               us.Universe_AmMaxExt, us.Universe_AmPers, us.Universe_AmCAge);
  pixlib::API_Plot_AmbientStars(stars.X, stars.Y, stars.Z, stars.VX, stars.VY, stars.VZ, stars.Tag, stars.Age,
                                fCamX, fCamY, fCamZ, fExtent, fExpand, lPhase, lType);
}

}  // namespace engine
