#include "engine/star_renderer.h"

#include <algorithm>
#include <cmath>

#include "engine/comets.h"
#include "model/galaxy_types.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "model/random_table.h"
#include "engine/render_view.h"
#include "engine/shape_primitives.h"
#include "engine/sprites.h"
#include "engine/universe_settings.h"
#include "presentation/render_state.h"
#include "runtime/inline_numbers.h"
#include "runtime/numbers.h"

namespace engine {

namespace {

// Projection constants of the frame, read once.
struct Projection {
  float scale;
  double centreX;
  double centreY;
};

// A star tilted by its level and placed relative to the camera.
struct Tilted {
  float wx, wy, depth;
};

// The star arrays of one frame as plain pointers: nothing in a frame re-sizes them, and
// plain pointers let the compiler keep them in registers across the stores of the loop.
struct StarArrays {
  float* X;
  float* Y;
  float* Z;
  float* VelX;
  float* VelY;
  float* VelZ;
  const float* SpinCos;
  const float* SpinSin;
  int32_t* Age;
  const int32_t* Level;

  explicit StarArrays(UniverseStars& s)
      : X(s.StarX.data()), Y(s.StarY.data()), Z(s.StarZ.data()), VelX(s.StarVelX.data()),
        VelY(s.StarVelY.data()), VelZ(s.StarVelZ.data()), SpinCos(s.StarSpinCos.data()),
        SpinSin(s.StarSpinSin.data()), Age(s.StarAge.data()), Level(s.StarLevel.data()) {}
};

// The camera-relative centres of the galaxies.
struct GalaxyCentres {
  const float* X;
  const float* Y;
  const float* Z;

  explicit GalaxyCentres(const UniverseGalaxies& g)
      : X(g.GalaxyCentreX.data()), Y(g.GalaxyCentreY.data()), Z(g.GalaxyCentreZ.data()) {}
};

// The motion kinds that pull a star toward its centre (2) or move it along a wave (3), and
// kinds that do not move (false: the star is skipped for the frame).
[[gnu::noinline]] bool MoveStarPulledOrWave(const StarArrays& s, int32_t i, const model::GalaxyTypeProps& T) {
  switch (T.MotionKind) {
    case 2:
      PullStarToCentre(s.X[i], s.Y[i], s.Z[i], s.VelX[i], s.VelY[i], s.VelZ[i], T.QgForceF);
      return true;
    case 3: {
      ++s.Age[i];
      s.X[i] += s.VelX[i];
      const float phase = s.VelY[i] + T.RadiusExpRad;
      s.VelY[i] = phase;
      s.Y[i] = WaveHeight(T.GhwRadius, phase, T.RadBFillWhole, s.Age[i]);
      s.Z[i] += s.VelZ[i];
      return true;
    }
    default:
      return false;
  }
}

// One motion step by the type's motion kind: a turn about the galaxy's axis (0) or a
// straight drift (1) in place, the rarer kinds out of line; false for a kind that does not
// move (the star is then skipped for the frame).
inline bool MoveStar(const StarArrays& s, int32_t i, const model::GalaxyTypeProps& T) {
  if (T.MotionKind == 0) {
    const float cs = s.SpinCos[i], sn = s.SpinSin[i];
    const float x = s.X[i], z = s.Z[i];
    s.Z[i] = z * cs + x * sn;
    s.X[i] = x * cs - z * sn;
    return true;
  }
  if (T.MotionKind == 1) {
    s.X[i] += s.VelX[i];
    s.Y[i] += s.VelY[i];
    s.Z[i] += s.VelZ[i];
    return true;
  }
  return MoveStarPulledOrWave(s, i, T);
}

inline Tilted TiltStar(const StarArrays& s, int32_t i, const model::GalaxyTypeProps& T, const GalaxyCentres& g,
                       int32_t gi) {
  // The turning styles tilt by the star's own level, the moving styles by level 0.
  const int32_t L = T.MotionKind == 0 ? std::clamp(s.Level[i], 0, model::kMaxLevels - 1) : 0;
  const float cL = T.LevelCos[L], sL = T.LevelSin[L];
  const float X = s.X[i], Y = s.Y[i], Z = s.Z[i];
  const float h = Z * sL - Y * cL;
  Tilted t;
  t.depth = Y * sL + Z * cL + g.Z[gi];
  if (T.Galaxy_AxisPlane == 0) {
    t.wx = g.X[gi] + X;
    t.wy = g.Y[gi] + h;
  } else {
    t.wx = g.X[gi] + h;
    t.wy = g.Y[gi] + X;
  }
  return t;
}

// Screen position of a tilted star in front of the eye; false when it is not representable
// (a position that is not finite or beyond the integer range lies off-screen).
inline bool ProjectStar(const Tilted& t, const Projection& p, int32_t& sx, int32_t& sy) {
  const float f = p.scale / t.depth;
  return runtime::ToLongInline(p.centreX + static_cast<double>(t.wx * f), sx) &&
         runtime::ToLongInline(p.centreY + static_cast<double>(t.wy * f), sy);
}

// A star in the middle of an event (new star, nova, pulsar): one frame of it. The event's
// frame count runs down; at its end a new star becomes an ordinary one and a nova or a
// pulsar is born again elsewhere.
[[gnu::noinline]] void RenderEventStar(UniverseStars& stars, const UniverseGalaxies& galaxies,
                                       const StarArrays& arrays, const GalaxyCentres& centres, int32_t i,
                                       int32_t gi, int32_t type, const Projection& proj, int32_t PreviewMode) {
  const model::GalaxyTypeProps& T = model::records().GalaxyTypes[type];
  if (stars.NewStarLeft[i] > 0) {
    const int32_t k = --stars.NewStarLeft[i];
    if (k == 0) return;  // an ordinary star from the next frame on
    if (!MoveStar(arrays, i, T)) return;
    const Tilted t = TiltStar(arrays, i, T, centres, gi);
    int32_t sx = 0, sy = 0;
    if (t.depth > 0.0f && ProjectStar(t, proj, sx, sy))
      PlotGlint(sx, sy, t.depth, k, stars.StarEventFrames[i], stars.StarEventExtent[i],
                T.NewStarColors[std::min(k, model::kStarColorFrames - 1)]);
  } else if (stars.NovaLeft[i] > 0) {
    const int32_t k = --stars.NovaLeft[i];
    if (k == 0) {
      RespawnUniverseStar(stars, i, galaxies, gi, PreviewMode);
      return;
    }
    if (!MoveStar(arrays, i, T)) return;
    const Tilted t = TiltStar(arrays, i, T, centres, gi);
    if (t.depth > 0.0f) {
      const int32_t frames = stars.StarEventFrames[i];
      const int32_t row =
          frames != 0
              ? std::clamp(runtime::ToLong(static_cast<double>(frames - k) * 80 / frames).value_or(0), 0,
                           model::kHueRangeEntries - 1)
              : 0;
      PlotProjectedGlint(t.wx, t.wy, t.depth, k, frames, stars.StarEventExtent[i],
                         model::hueRangeState().TypeHueRangeTable[model::HueRangeIndex(type, row)]);
    }
  } else if (stars.PulsarLeft[i] > 0) {
    const int32_t k = --stars.PulsarLeft[i];
    if (k == 0) {
      RespawnUniverseStar(stars, i, galaxies, gi, PreviewMode);
      return;
    }
    if (!MoveStar(arrays, i, T)) return;
    const Tilted t = TiltStar(arrays, i, T, centres, gi);
    if (t.depth > 0.0f && T.Galaxy_PulsarFrames > 0) {
      const int32_t m = std::min(k % T.Galaxy_PulsarFrames, model::kStarColorFrames - 1);
      PlotProjectedFlare(t.wx, t.wy, t.depth, T.PulsarSizes[m], type, T.PulsarColors[m]);
    }
  }
}

int32_t RandomGalaxy(int32_t count) {
  return DrawIndexBelow(count);
}

}  // namespace

int32_t FadeGalaxyBlend(std::span<const int32_t> GalaxyType, float& f, float& fBlend,
                        int32_t lGalaxy, int32_t lLeg, float t, bool bPass, int32_t lMode) {
  const UniverseSettings& us = universeSettings();
  const model::GalaxyRecords& rec = model::records();
  f = static_cast<float>((std::cos(t * model::kPi) + 1.0) / 2.0);
  const auto galaxyCount = static_cast<int32_t>(GalaxyType.size());
  const auto inList = [&](int32_t g) { return g >= 0 && g < galaxyCount; };

  if (lMode == kRenderGalaxy && inList(lGalaxy)) {
    const int32_t stored = GalaxyType[lGalaxy];
    if (stored >= 0 && stored < model::kGalaxyTypeCount) {
      const model::GalaxyTypeProps& T = rec.GalaxyTypes[stored];
      fBlend = static_cast<float>(T.Galaxy_DX_Blend);
      return T.Galaxy_NewFreq;
    }
  }
  const int32_t travelFreq = us.Universe_NewFreq;
  const float travelBlend = us.DX_BlendUniTravel;
  // Cross-fade between the travel values and those of type P with weight w on P, in Double
  // where the whole-number settings meet the Singles.
  const auto fade = [&](const model::GalaxyTypeProps& P, float w) {
    fBlend = static_cast<float>((P.Galaxy_DX_Blend - static_cast<double>(travelBlend)) * w + travelBlend);
    return runtime::ToLong(static_cast<double>(P.Galaxy_NewFreq - travelFreq) * w + travelFreq)
        .value_or(travelFreq);
  };
  if (lLeg == 1 && lGalaxy >= 1 && inList(lGalaxy)) {
    return fade(rec.GalaxyTypes[model::ResolveGalaxySlot(GalaxyType, lGalaxy - 1)], f);
  }
  if (lLeg > us.Universe_GPCtrl && bPass && inList(lGalaxy)) {
    const model::GalaxyTypeProps& G = rec.GalaxyTypes[model::ResolveGalaxySlot(GalaxyType, lGalaxy)];
    if (lLeg - us.Universe_GPCtrl == 1) return fade(G, 1.0f - f);
    fBlend = static_cast<float>(G.Galaxy_DX_Blend);
    return G.Galaxy_NewFreq;
  }
  fBlend = travelBlend;
  return us.Universe_NewFreq;
}

void MoveAndPlotStars(UniverseGalaxies& galaxies, UniverseStars& stars, int32_t nStars, int32_t PreviewMode) {
  const model::GalaxyRecords& rec = model::records();
  const presentation::RenderState& rs = presentation::render();
  const int32_t nGalaxies = galaxies.Count();
  nStars = std::min(nStars, stars.Count());

  const Projection proj{rs.PerspectiveScale, static_cast<double>(rs.ScreenCentreX),
                        static_cast<double>(rs.ScreenCentreY)};
  // Nothing in the loop re-sizes the frame buffer, so one view serves every plain star.
  const RenderView view = CurrentRenderView();

  const StarArrays arrays(stars);
  const GalaxyCentres centres(galaxies);
  const int32_t* const galaxyOf = stars.StarGalaxy.data();
  const int32_t* const typeOf = stars.StarType.data();
  const int32_t* const newLeft = stars.NewStarLeft.data();
  const int32_t* const novaLeft = stars.NovaLeft.data();
  const int32_t* const pulsarLeft = stars.PulsarLeft.data();
  const int32_t* const colourOf = stars.StarColor.data();

  for (int32_t i = 0; i < nStars; ++i) {
    const int32_t gi = galaxyOf[i];
    const int32_t type = typeOf[i];
    if (gi < 0 || gi >= nGalaxies || type < 0 || type >= model::kGalaxyTypeCount) continue;
    const model::GalaxyTypeProps& T = rec.GalaxyTypes[type];
    if (newLeft[i] > 0 || novaLeft[i] > 0 || pulsarLeft[i] > 0) {
      RenderEventStar(stars, galaxies, arrays, centres, i, gi, type, proj, PreviewMode);
      continue;
    }
    if (!MoveStar(arrays, i, T)) continue;
    const Tilted t = TiltStar(arrays, i, T, centres, gi);
    int32_t sx = 0, sy = 0;
    if (t.depth > 0.0f && ProjectStar(t, proj, sx, sy)) StorePixel(view, sx, sy, colourOf[i]);
  }
}

void RenderStarFrame(UniverseGalaxies& galaxies, UniverseStars& stars, CometTailList& comets,
                     int32_t& CometCount, int32_t TourGalaxy, int32_t CometGalaxyType,
                     int32_t TourLeg, float TourProgress, bool bTouring, int32_t PreviewMode) {
  model::GalaxyRecords& rec = model::records();
  const UniverseSettings& us = universeSettings();
  presentation::RenderState& rs = presentation::render();
  const int32_t nGalaxies = galaxies.Count();
  const int32_t nStars = std::min(stars.Count(), us.Universe_Stars);

  float fade = 0.0f, blend = 0.0f;
  const int32_t N = FadeGalaxyBlend(galaxies.GalaxyTypeIndex, fade, blend, TourGalaxy, TourLeg,
                                    TourProgress, bTouring, PreviewMode);
  rs.BlendLevel = runtime::ToLong(blend).value_or(rs.BlendLevel);

  MoveAndPlotStars(galaxies, stars, nStars, PreviewMode);

  // Comets only while no gravity acts; at the start of an approach they stay with the
  // galaxy just left.
  if (us.Universe_GravForce == 0.0f && nGalaxies > 0) {
    int32_t cg = TourGalaxy;
    if (bTouring && TourLeg <= 1 && TourGalaxy > 0) cg = TourGalaxy - 1;
    cg = std::clamp(cg, 0, nGalaxies - 1);
    const int32_t centre = PreviewMode == kRenderGalaxy ? 0 : cg;
    SpawnComet(comets, galaxies.GalaxyCentreX[centre], galaxies.GalaxyCentreY[centre],
               galaxies.GalaxyCentreZ[centre], cg, CometGalaxyType, CometCount, TourLeg);
  }

  // Recycling: about N / 100 idle stars per frame are reborn as new events.
  if (nStars > 0 && nGalaxies > 0) {
    const float r = model::NextRandomSingle();
    const int32_t e = r * 100.0f < static_cast<double>(N % 100) ? 1 : 0;
    const int32_t n = runtime::ToLong(static_cast<double>(N) * 0.01 + e).value_or(0);
    for (int32_t rep = 0; rep < n; ++rep) {
      const int32_t j = DrawIndexBelow(nStars);
      if (stars.NewStarLeft[j] != 0 || stars.NovaLeft[j] != 0 || stars.PulsarLeft[j] != 0) continue;
      int32_t galaxy = 0;
      if (!bTouring) {
        galaxy = RandomGalaxy(nGalaxies);
      } else if (TourLeg > us.Universe_GPCtrl) {
        galaxy = model::NextRandomSingle() < us.Universe_NewPctStEx ? TourGalaxy : RandomGalaxy(nGalaxies);
      } else if (model::NextRandomSingle() >= us.Universe_NewPctStEx) {
        galaxy = RandomGalaxy(nGalaxies);
      } else if (TourLeg == 1 && TourGalaxy >= 1) {
        galaxy = model::NextRandomSingle() < fade ? TourGalaxy - 1 : TourGalaxy;
      } else {
        galaxy = TourGalaxy;
      }
      galaxy = std::clamp(galaxy, 0, nGalaxies - 1);
      stars.StarGalaxy[j] = galaxy;
      RespawnUniverseStar(stars, j, galaxies, galaxy, PreviewMode);
    }
  }

  // The hue ranges of comets, novae and pulsars creep along the ramp.
  auto& typeTable = model::hueRangeState().TypeHueRangeTable;
  for (int32_t t = 0; t < model::kEditableGalaxyTypes; ++t) {
    model::GalaxyTypeProps& T = rec.GalaxyTypes[t];
    T.HwcShift += T.Galaxy_HWC_Inc;
    if (T.HwcShift > 1.0f) {
      T.HwcShift = 0.0f;
      ++T.HwcStartNow;
      ++T.HwcEndNow;
      if (T.HwcStartNow > 1080 && T.HwcEndNow > 1080) {
        T.HwcStartNow -= 1080;
        T.HwcEndNow -= 1080;
      }
      model::BuildHueRangeTable(typeTable, t, T.HwcStartNow, T.HwcEndNow, true);
    }
  }

  model::ApplyParticleHueCycle(nStars, stars.StarType, stars.StarColor, stars.StarHue);
}

}  // namespace engine
