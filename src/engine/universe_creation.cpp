#include "engine/universe_creation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/ambient_stars.h"
#include "model/galaxy_types.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "model/random_table.h"
#include "engine/hue_cone.h"
#include "engine/molecules.h"
#include "engine/shape_primitives.h"
#include "engine/shape_tables.h"
#include "engine/sprites.h"
#include "engine/star_placement.h"
#include "engine/universe_settings.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "presentation/compositor.h"
#include "runtime/inline_numbers.h"
#include "runtime/numbers.h"

namespace engine {

void UniverseGalaxies::Resize(int32_t n) {
  const auto count = static_cast<size_t>(std::max(n, 0));
  GalaxyTypeIndex.assign(count, 0);
  for (auto* v : {&PosX, &PosY, &PosZ, &VelX, &VelY, &VelZ, &GalaxyCentreX, &GalaxyCentreY,
                  &GalaxyCentreZ})
    v->assign(count, 0.0f);
}

void UniverseStars::Resize(int32_t n) {
  const auto count = static_cast<size_t>(std::max(n, 0));
  for (auto* v : {&StarX, &StarY, &StarZ, &StarVelX, &StarVelY, &StarVelZ, &StarSpinCos,
                  &StarSpinSin, &StarHue, &StarEventExtent})
    v->assign(count, 0.0f);
  for (auto* v : {&StarColor, &StarType, &StarGalaxy, &StarLevel, &StarAge, &StarEventFrames,
                  &NewStarLeft, &NovaLeft, &PulsarLeft, &RecycleValue})
    v->assign(count, 0);
}

void CreationScratch::Resize(int32_t galaxies, int32_t stars) {
  const auto g = static_cast<size_t>(std::max(galaxies, 0));
  const auto s = static_cast<size_t>(std::max(stars, 0));
  for (auto* v : {&GalVelX, &GalVelY, &GalVelZ}) v->assign(g, 0.0f);
  for (auto* v : {&ParX, &ParY, &ParZ, &ParVelX, &ParVelY, &ParVelZ}) v->assign(s, 0.0f);
  ParState.assign(s, 0);
  ParCounter.assign(s, 0);
}

namespace {

bool IsTypeIndex(int32_t t) { return t >= 0 && t < model::kGalaxyTypeCount; }
bool IsEditableType(int32_t t) { return t >= 0 && t < model::kEditableGalaxyTypes; }
int32_t LevelIndex(int32_t level) { return std::clamp(level, 0, model::kMaxLevels - 1); }

// Places star i of a universe in galaxy g with the galaxy-type placement.
void PlaceStar(UniverseStars& s, int32_t i, int32_t type, int32_t galaxy) {
  InitParticle(s.StarX[i], s.StarY[i], s.StarZ[i], s.StarVelX[i], s.StarVelY[i], s.StarVelZ[i],
               s.StarSpinCos[i], s.StarSpinSin[i], s.StarAge[i], s.RecycleValue[i],
               s.NewStarLeft[i], s.NovaLeft[i], s.PulsarLeft[i], s.StarColor[i], s.StarHue[i],
               s.StarLevel[i], type, galaxy);
}

// A galaxy chosen at random among the universe's galaxies; its member type; the placement.
void TurnIntoStar(UniverseStars& s, int32_t i, const UniverseGalaxies& g) {
  const int32_t count = g.Count();
  if (count <= 0) return;
  const int32_t galaxy = DrawIndexBelow(count);
  s.StarGalaxy[i] = galaxy;
  s.StarType[i] = PickCompositeMember(g.GalaxyTypeIndex[galaxy]);
  PlaceStar(s, i, s.StarType[i], galaxy);
}

// Screen position of a point at camera-space (wx, wy) and depth > 0; false when it cannot be
// represented (not finite or beyond the integer range): such a point is off-screen.
bool Project(float wx, float wy, float depth, int32_t& sx, int32_t& sy) {
  const presentation::RenderState& rs = presentation::render();
  const float f = rs.PerspectiveScale / depth;
  return runtime::ToLongInline(static_cast<double>(wx * f) + rs.ScreenCentreX, sx) &&
         runtime::ToLongInline(static_cast<double>(wy * f) + rs.ScreenCentreY, sy);
}

// Star i tilted by its level and placed around the camera-relative centre of galaxy gi
// (a valid galaxy index).
struct CameraPoint {
  float wx, wy, depth;
};
CameraPoint TiltToCamera(const UniverseStars& s, int32_t i, const model::GalaxyTypeProps& T,
                         const UniverseGalaxies& g, int32_t gi) {
  const int32_t L = LevelIndex(s.StarLevel[i]);
  const float cosL = T.LevelCos[L], sinL = T.LevelSin[L];
  const float X = s.StarX[i], Y = s.StarY[i], Z = s.StarZ[i];
  const float h = Z * sinL - Y * cosL;
  CameraPoint p;
  p.depth = Z * cosL + Y * sinL + g.GalaxyCentreZ[gi];
  p.wx = (T.Galaxy_AxisPlane == 0 ? X : h) + g.GalaxyCentreX[gi];
  p.wy = (T.Galaxy_AxisPlane == 0 ? h : X) + g.GalaxyCentreY[gi];
  return p;
}

}  // namespace

void InitUniverseParticle(float& x, float& y, float& z, float& vx, float& vy, float& vz,
                          int32_t lType, float fScale, float fVelScale, int32_t lMode) {
  if (!IsEditableType(lType)) return;
  const model::GalaxyTypeProps& T = model::records().GalaxyTypes[lType];
  switch (T.Galaxy_GalStyle) {
    case 0: case 5: case 6: case 7:
      InitDiskParticleUniverse(x, y, z, lType);
      break;
    case 1: case 2: case 3: case 8:
      GetCachedShapePointUniverse(x, y, z, lType);
      break;
    case 4:
      InitSplineParticleUniverse(x, y, z, lType);
      break;
    case 9: {
      int32_t atom = 0;
      PlaceMoleculeAtoms(x, y, z, atom, lType, true);
      break;
    }
    default:
      break;
  }
  // The shape is scaled from the type's radius to the universe's expansion.
  const float k = T.RadiusF != 0.0f ? universeSettings().Universe_Expand / T.RadiusF : 0.0f;
  x *= k;
  y *= k;
  z *= k;
  const double A = T.LevelTilt[0];
  const auto cosA = static_cast<float>(std::cos(-A));
  const auto sinA = static_cast<float>(std::sin(-A));
  vz = sinA * y + cosA * z;
  if (T.Galaxy_AxisPlane == 0) {
    vx = x;
    vy = sinA * z - cosA * y;
  } else {
    vy = x;
    vx = sinA * z - cosA * y;
  }
  switch (lMode) {
    case kParticleBurst:
      x = y = z = 0.0f;
      vx *= fScale;
      vy *= fScale;
      vz *= fScale;
      break;
    case kParticleSpread:
      x = fScale * vx;
      y = fScale * vy;
      z = fScale * vz;
      vx = fVelScale * x;
      vy = fVelScale * y;
      vz = fVelScale * z;
      break;
    case kParticleAtRest:
      x = fScale * vx;
      y = fScale * vy;
      z = fScale * vz;
      vx = vy = vz = 0.0f;
      break;
    default:
      break;
  }
}

int32_t PickCompositeMember(int32_t lType) {
  if (!IsTypeIndex(lType)) return 0;
  if (!model::records().GalaxyTypes[lType].IsComposite) return lType;
  const int32_t k = lType - model::kCompositeSlotBase;
  if (k < 0 || k >= model::kCompositeCount) return 0;
  const model::CompositeRecord& c = model::records().CompositeGalaxies[k];
  const int32_t n = std::min(c.CompGal_Count, model::kCompositeMembers);
  if (n <= 0) return 0;
  int32_t r = 0;
  DrawIndex(c.CompGal_CumWeight[n - 1], r);
  for (int32_t i = 0; i < n; ++i) {
    if (c.CompGal_CumWeight[i] > r) {
      const int32_t member = c.CompGal_Type[i];
      return IsEditableType(member) ? member : 0;
    }
  }
  return 0;
}

namespace {

// The universe mix: types 0 to 49 by their own weight, composite slots by their composite's
// weight; galaxy types are taken in turn over the weighted types or drawn by weight.
class UniverseMix {
 public:
  UniverseMix() {
    model::GalaxyRecords& rec = model::records();
    for (int32_t t = 0; t < model::kGalaxyTypeCount; ++t) {
      model::GalaxyTypeProps& T = rec.GalaxyTypes[t];
      if (t < model::kCompositeSlotBase) {
        T.IsComposite = false;
      } else {
        T._UniGalPct = rec.CompositeGalaxies[t - model::kCompositeSlotBase]._CompGalPct;
        T.IsComposite = T._UniGalPct >= 1;
      }
      // A negative weight (never stored by the dialog) counts as none.
      weight_[t] = std::clamp(T._UniGalPct, 0, 9999);
      total_ += weight_[t];
      cumulative_[t] = total_;
    }
    if (total_ == 0) {
      total_ = 1;
      weight_[0] = 1;
      cumulative_.fill(1);
    }
  }

  // The type of the next galaxy; a draw only when the types are not taken in turn.
  int32_t Next(bool inTurn) {
    if (inTurn) {
      for (int32_t step = 0; step < model::kGalaxyTypeCount; ++step) {
        const int32_t t = (cursor_ + step) % model::kGalaxyTypeCount;
        if (weight_[t] > 0) {
          cursor_ = (t + 1) % model::kGalaxyTypeCount;
          return t;
        }
      }
      return 0;
    }
    const double r = static_cast<double>(model::NextRandomSingle()) * total_;
    // A type of weight 0 is never chosen, also for a draw of exactly 0.
    for (int32_t t = 0; t < model::kGalaxyTypeCount; ++t)
      if (weight_[t] > 0 && cumulative_[t] >= r) return t;
    return 0;
  }

 private:
  std::array<int32_t, model::kGalaxyTypeCount> weight_{};
  std::array<int32_t, model::kGalaxyTypeCount> cumulative_{};
  int32_t total_ = 0;
  int32_t cursor_ = 0;
};

void ApplyVisitList(UniverseGalaxies& g) {
  const UniverseSettings& us = universeSettings();
  if (!us.Universe_Tour || us.Universe_GVisit || us.GalaxyVisitCount < 1) return;
  const model::GalaxyRecords& rec = model::records();
  int32_t galaxy = 0;
  const int32_t entries = std::min<int32_t>(us.GalaxyVisitCount, kGalaxyVisitListSize);
  for (int32_t e = 0; e < entries && galaxy < g.Count(); ++e) {
    double value = 0.0;
    if (!runtime::IsNumeric(us.GalaxyVisitList[e], &value)) continue;
    const auto type = runtime::ToLong(value);
    if (!type || !IsTypeIndex(*type)) continue;
    // A composite slot without weight has no members in this universe: placing a galaxy of
    // it would draw stars of an unfilled record, so the entry is passed over.
    if (*type >= model::kCompositeSlotBase && !rec.GalaxyTypes[*type].IsComposite) continue;
    g.GalaxyTypeIndex[galaxy++] = *type;
  }
}

// Universe shape points of the burst's galaxy type: a random ribbon for the nebula style,
// the wireframe for the point-iteration styles.
void PrepareUniverseShape(int32_t type) {
  if (!IsEditableType(type)) return;
  model::GalaxyTypeProps& T = model::records().GalaxyTypes[type];
  ShapeTables& u = shapeTables();
  switch (T.Galaxy_GalStyle) {
    case 4: {
      const int32_t points = std::clamp(T.Galaxy_CP_Points, 1, 20);
      const float R = T.RadiusF;
      for (int32_t k = 0; k <= points + 2 && k < kRibbonPoints; ++k) {
        if (T.Galaxy_CP_Close != 0 && k >= points) {
          u.UniverseRibbonX[k] = u.UniverseRibbonX[k - points];
          u.UniverseRibbonY[k] = u.UniverseRibbonY[k - points];
          u.UniverseRibbonZ[k] = u.UniverseRibbonZ[k - points];
        } else {
          u.UniverseRibbonX[k] = 2.0f * R * (model::NextRandomSingle() - 0.5f);
          u.UniverseRibbonY[k] = 2.0f * R * (model::NextRandomSingle() - 0.5f) * T.Galaxy_GHW_Ratio;
          u.UniverseRibbonZ[k] = 2.0f * R * (model::NextRandomSingle() - 0.5f);
        }
      }
      break;
    }
    case 1: case 2: case 3: case 8:
      MakePathControlPoints(u.UniverseWireVertexX, u.UniverseWireVertexY, u.UniverseWireVertexZ,
                            type, 0);
      break;
    default:
      break;
  }
}

// One motion step of a star during the expansion, by its type's motion kind.
void MoveExpansionStar(UniverseStars& s, int32_t i, const model::GalaxyTypeProps& T) {
  switch (T.MotionKind) {
    case 0: {
      const float x = s.StarX[i], z = s.StarZ[i];
      s.StarX[i] = x * s.StarSpinCos[i] - z * s.StarSpinSin[i];
      s.StarZ[i] = x * s.StarSpinSin[i] + z * s.StarSpinCos[i];
      break;
    }
    case 1:
      s.StarX[i] += s.StarVelX[i];
      s.StarY[i] += s.StarVelY[i];
      s.StarZ[i] += s.StarVelZ[i];
      break;
    case 2:
      PullStarToCentre(s.StarX[i], s.StarY[i], s.StarZ[i], s.StarVelX[i], s.StarVelY[i], s.StarVelZ[i],
                       T.RotStep);
      break;
    case 3: {
      s.StarX[i] += s.StarVelX[i];
      s.StarVelY[i] += T.RadiusExpRad;
      s.StarY[i] = WaveHeight(T.GhwRadius, s.StarVelY[i], T.RadBFillWhole, s.StarAge[i]);
      s.StarZ[i] += s.StarVelZ[i];
      break;
    }
    default:
      break;
  }
}

// Tilts star i by its level and plots it around its galaxy's camera-relative centre.
void PlotExpansionStar(const UniverseStars& s, int32_t i, const model::GalaxyTypeProps& T,
                       const UniverseGalaxies& g) {
  const int32_t gi = s.StarGalaxy[i];
  if (gi < 0 || gi >= g.Count()) return;
  const CameraPoint p = TiltToCamera(s, i, T, g, gi);
  if (!(p.depth > 0.0f)) return;
  int32_t sx = 0, sy = 0;
  if (Project(p.wx, p.wy, p.depth, sx, sy)) PlotPixel(sx, sy, s.StarColor[i]);
}

}  // namespace

void CreateUniverse(UniverseGalaxies& galaxies, UniverseStars& stars, AmbientStars* ambient,
                    CreationScratch& scratch, float& expansion, float& extent,
                    int32_t universeType) {
  UniverseSettings& us = universeSettings();
  presentation::RenderState& rs = presentation::render();
  presentation::PacingState& pacing = presentation::pacing();
  const int32_t nStars = stars.Count();
  const int32_t nGalaxies = galaxies.Count();
  if (static_cast<int32_t>(scratch.ParState.size()) != nStars ||
      static_cast<int32_t>(scratch.GalVelX.size()) != nGalaxies)
    scratch.Resize(nGalaxies, nStars);
  const int32_t steps = std::max(us.Universe_ESteps, 1);
  const int32_t lead = runtime::ToLong(static_cast<float>(steps) * 0.25f).value_or(0);
  float d = us.Universe_Damping;

  InitGalaxyPaths(nGalaxies, universeType, -1, galaxies.GalaxyTypeIndex);
  PrepareUniverseShape(universeType);

  for (int32_t i = 0; i < nStars; ++i) {
    scratch.ParState[i] = 0;
    scratch.ParCounter[i] = 0;
    InitUniverseParticle(scratch.ParX[i], scratch.ParY[i], scratch.ParZ[i], scratch.ParVelX[i],
                         scratch.ParVelY[i], scratch.ParVelZ[i], universeType, expansion, 0.0f,
                         kParticleBurst);
  }
  if (ambient) {
    for (int32_t i = 0; i < ambient->Count(); ++i) {
      ambient->Tag[i] = 0;
      ambient->Age[i] = 0.0f;
      InitUniverseParticle(ambient->X[i], ambient->Y[i], ambient->Z[i], ambient->VX[i],
                           ambient->VY[i], ambient->VZ[i], universeType, expansion, 0.0f,
                           kParticleBurst);
    }
  }

  // Each galaxy draws its type, then the particle it stands on.
  UniverseMix mix;
  for (int32_t g = 0; g < nGalaxies; ++g) {
    galaxies.GalaxyTypeIndex[g] = mix.Next(us.Universe_GVisit);
    if (nStars <= 0) continue;
    const int32_t p = std::min(DrawIndexBelow(us.Universe_Stars), nStars - 1);
    galaxies.PosX[g] = scratch.ParX[p];
    galaxies.PosY[g] = scratch.ParY[p];
    galaxies.PosZ[g] = scratch.ParZ[p];
    scratch.GalVelX[g] = scratch.ParVelX[p];
    scratch.GalVelY[g] = scratch.ParVelY[p];
    scratch.GalVelZ[g] = scratch.ParVelZ[p];
  }
  ApplyVisitList(galaxies);
  InitGalaxyPaths(nGalaxies, -1, -1, galaxies.GalaxyTypeIndex);

  const float burst = us.DX_BlendUniBurst;
  const float travel = us.DX_BlendUniTravel;
  const float dstCen = us.Universe_DstCen;
  for (int32_t e = 0; e < steps; ++e) {
    pacing.FrameStartTick = presentation::hostPlatform().GetTickCount();
    rs.BlendLevel = runtime::ToLong(static_cast<double>(burst) +
                                    static_cast<double>(travel - burst) * e / steps)
                        .value_or(rs.BlendLevel);

    for (int32_t g = 0; g < nGalaxies; ++g) {
      galaxies.PosX[g] += scratch.GalVelX[g];
      galaxies.PosY[g] += scratch.GalVelY[g];
      galaxies.PosZ[g] += scratch.GalVelZ[g];
      scratch.GalVelX[g] *= d;
      scratch.GalVelY[g] *= d;
      scratch.GalVelZ[g] *= d;
      galaxies.GalaxyCentreX[g] = galaxies.PosX[g];
      galaxies.GalaxyCentreY[g] = galaxies.PosY[g];
      galaxies.GalaxyCentreZ[g] = galaxies.PosZ[g] + dstCen;
    }

    model::AdvanceGalaxyRotations();
    const int32_t entry = std::clamp(
        runtime::ToLong(static_cast<float>(e) * 80.0f / static_cast<float>(steps)).value_or(0), 0, 80);
    const int32_t particleColor = model::hueRangeState().UniverseHueRangeTable[entry];

    for (int32_t i = 0; i < nStars; ++i) {
      int32_t& state = scratch.ParState[i];
      if (state == 0) {
        ++scratch.ParCounter[i];
        const float r = model::NextRandomSingle();
        if (r >= us.Universe_Persist && e >= lead) {
          state = 1;
          scratch.ParCounter[i] = 0;
        } else {
          scratch.ParX[i] += scratch.ParVelX[i];
          scratch.ParY[i] += scratch.ParVelY[i];
          scratch.ParZ[i] += scratch.ParVelZ[i];
          const float depth = scratch.ParZ[i] + dstCen;
          int32_t sx = 0, sy = 0;
          if (depth > 0.0f && Project(scratch.ParX[i], scratch.ParY[i], depth, sx, sy))
            PlotPixel(sx, sy, particleColor);
        }
      } else if (state == 1) {
        ++scratch.ParCounter[i];
        if (scratch.ParCounter[i] == 1) {
          state = 2;
          TurnIntoStar(stars, i, galaxies);
        }
      } else {
        ++stars.StarAge[i];
        const int32_t t = stars.StarType[i];
        if (IsTypeIndex(t)) {
          const model::GalaxyTypeProps& T = model::records().GalaxyTypes[t];
          MoveExpansionStar(stars, i, T);
          PlotExpansionStar(stars, i, T, galaxies);
        }
      }
      scratch.ParVelX[i] *= d;
      scratch.ParVelY[i] *= d;
      scratch.ParVelZ[i] *= d;
    }

    model::ApplyParticleHueCycle(nStars, stars.StarType, stars.StarColor, stars.StarHue);
    HueConeColor();

    extent += expansion;
    if (ambient) PlotAmbientStars(*ambient, 0.0f, 0.0f, -dstCen, extent, expansion, 0, universeType);
    presentation::zDX8_BlendBlit_Surface(-1, -1);

    if (d > 0.0f && ambient) {
      for (int32_t i = 0; i < ambient->Count(); ++i) {
        ambient->VX[i] *= d;
        ambient->VY[i] *= d;
        ambient->VZ[i] *= d;
      }
    }
    expansion *= d;
    AdvanceGalaxyPaths(nGalaxies, -1, galaxies.GalaxyTypeIndex);

    // Over the last quarter the retention eases along a quarter cosine towards 0.
    if (e > 0.75 * steps) {
      d = static_cast<float>(us.Universe_Damping *
                             std::cos((e - 0.75 * steps) / (0.25 * steps) * 1.5707963267949));
    }

    if (presentation::PaceFrameAndCheckHost()) return;
    if (pacing.RunMode == presentation::kRunPreview) presentation::PauseFirstFrames();
  }

  if (ambient) {
    std::fill(ambient->VX.begin(), ambient->VX.end(), 0.0f);
    std::fill(ambient->VY.begin(), ambient->VY.end(), 0.0f);
    std::fill(ambient->VZ.begin(), ambient->VZ.end(), 0.0f);
  }
  for (int32_t i = 0; i < nStars; ++i) {
    if (scratch.ParState[i] != 2) {
      scratch.ParState[i] = 2;
      TurnIntoStar(stars, i, galaxies);
    }
  }
}

void RespawnUniverseStar(UniverseStars& s, int32_t i, const UniverseGalaxies& galaxies,
                         int32_t galaxy, int32_t previewMode) {
  if (i < 0 || i >= s.Count() || galaxy < 0 || galaxy >= galaxies.Count()) return;
  if (previewMode == 1) {
    s.StarType[i] = galaxies.GalaxyTypeIndex[galaxy];
  } else {
    const int32_t own = s.StarGalaxy[i];
    const int32_t slot =
        own >= 0 && own < galaxies.Count() ? galaxies.GalaxyTypeIndex[own] : galaxies.GalaxyTypeIndex[galaxy];
    s.StarType[i] = PickCompositeMember(slot);
  }
  const int32_t type = s.StarType[i];
  if (!IsEditableType(type)) return;
  PlaceStar(s, i, type, galaxy);

  const model::GalaxyTypeProps& T = model::records().GalaxyTypes[type];
  const float r = model::NextRandomSingle();
  const float P = T.PulsarProb, N = T.NovaProb;
  if (r < P) {
    s.PulsarLeft[i] = T.Galaxy_PulsarCycles * T.Galaxy_PulsarFrames;
    s.StarEventFrames[i] = T.Galaxy_PulsarFrames;
    return;
  }

  // Where the star stands now, tilted by its level, relative to the camera.
  const CameraPoint p = TiltToCamera(s, i, T, galaxies, galaxy);

  if (r < P + N) {
    s.NovaLeft[i] = T.Galaxy_NovaFrames;
    s.StarEventFrames[i] = T.Galaxy_NovaFrames;
    s.StarEventExtent[i] = T.NovaExtMultF;
    if (p.depth > 0.0f)
      PlotProjectedGlint(p.wx, p.wy, p.depth, s.NovaLeft[i], s.StarEventFrames[i], s.StarEventExtent[i],
                         0xFFFFFF);
    return;
  }
  s.NewStarLeft[i] = T.Galaxy_NewFrames;
  s.StarEventFrames[i] = T.Galaxy_NewFrames;
  s.StarEventExtent[i] = T.NewExtMultF;
  int32_t sx = 0, sy = 0;
  if (p.depth > 0.0f && T.Galaxy_NewFrames > 0 && Project(p.wx, p.wy, p.depth, sx, sy)) {
    const int32_t k = std::clamp(T.Galaxy_NewFrames, 0, model::kStarColorFrames - 1);
    PlotGlint(sx, sy, p.depth, s.NewStarLeft[i], s.StarEventFrames[i], s.StarEventExtent[i],
              T.NewStarColors[k]);
  }
}

}  // namespace engine
