#include "engine/comets.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/galaxy_types.h"
#include "model/hue_ranges.h"
#include "model/random_table.h"
#include "engine/molecules.h"
#include "engine/shape_primitives.h"
#include "engine/shape_tables.h"
#include "engine/sprites.h"
#include "engine/star_placement.h"
#include "presentation/render_state.h"
#include "runtime/inline_numbers.h"
#include "runtime/numbers.h"

namespace engine {

namespace {

// A head's position tilted by its level: (x, h) across the screen, zp the depth offset.
struct Tilted {
  float x = 0.0f;
  float h = 0.0f;
  float zp = 0.0f;
};

Tilted TiltHead(const model::GalaxyTypeProps& T, int32_t level, float X, float Y, float Z) {
  const int32_t L = (level >= 0 && level < model::kMaxLevels) ? level : 0;
  const float cL = T.LevelCos[L];
  const float sL = T.LevelSin[L];
  Tilted t;
  t.zp = Z * cL + Y * sL;
  t.h = Z * sL - Y * cL;
  t.x = X;
  if (T.Galaxy_AxisPlane != 0) std::swap(t.x, t.h);
  return t;
}

// Speed factor of the solar wind along the head's direction from the centre.
float WindFactor(const model::GalaxyTypeProps& T, const Tilted& t) {
  if (T.Galaxy_CometVector) return 0.0f;
  const double len = std::sqrt(static_cast<double>(t.zp * t.zp + t.h * t.h + t.x * t.x));
  return static_cast<float>(T.CometSWindF / (len + 1E-9));
}

// A tail star (re)born at the head: a random spread of speed CometSpeedF plus the wind.
void EmitTailStar(CometTailList& tails, int32_t q, const model::GalaxyTypeProps& T, const Tilted& t, float w) {
  tails.TailAlive[q] = true;
  tails.TailAge[q] = 0;
  RandomPointInShape(tails.TailVelX[q], tails.TailVelY[q], tails.TailVelZ[q], T.CometSpeedF, 0);
  tails.TailVelX[q] += t.x * w;
  tails.TailVelY[q] += t.h * w;
  tails.TailVelZ[q] += t.zp * w;
  tails.TailX[q] = t.x;
  tails.TailY[q] = t.h;
  tails.TailZ[q] = t.zp;
}

// The tail range of slot k, cut to the list.
struct Range {
  int32_t first = 0;
  int32_t end = 0;
};
Range TailRange(int32_t k, int32_t S) {
  if (S <= 0) return {};
  const int64_t first = static_cast<int64_t>(k) * S;
  const int64_t end = std::min<int64_t>(first + S, kCometTailCapacity);
  if (first >= kCometTailCapacity) return {};
  return {static_cast<int32_t>(first), static_cast<int32_t>(end)};
}

void StartComet(CometPool& p, CometTailList& tails, int32_t j, const model::GalaxyTypeProps& T, int32_t galaxy,
                int32_t galaxyType) {
  const int32_t S = T.Galaxy_CometStars;
  p.CometAlive[j] = true;
  p.CometStarsLeft[j] = S;

  float key = 0.0f;
  int32_t level = 0;
  switch (T.Galaxy_GalStyle) {
    case 0:
    case 5:
    case 6:
    case 7:
      InitDiskParticle(p.CometX[j], p.CometY[j], p.CometZ[j], p.CometSpinCos[j], p.CometSpinSin[j], key, level,
                       galaxyType, T.CometOrbitF, T.OrbitAngle);
      break;
    case 1:
    case 2:
    case 3:
    case 8:
      GetCachedShapePoint(p.CometX[j], p.CometY[j], p.CometZ[j], p.CometSpinCos[j], p.CometSpinSin[j], key, galaxyType,
                          galaxy);
      break;
    case 4: {
      float vx = 0.0f, vy = 0.0f, vz = 0.0f, u = 0.0f;
      InitSplineParticle(p.CometX[j], p.CometY[j], p.CometZ[j], vx, vy, vz, u, p.CometPathT[j], galaxyType, galaxy);
      break;
    }
    case 9: {
      int32_t colour = 0;
      InitMoleculeParticle(p.CometX[j], p.CometY[j], p.CometZ[j], p.CometSpinCos[j], p.CometSpinSin[j], colour, key,
                           galaxyType, true);
      break;
    }
    default:
      break;
  }
  p.CometLevel[j] = level;

  const Tilted t = TiltHead(T, level, p.CometX[j], p.CometY[j], p.CometZ[j]);
  const float w = WindFactor(T, t);
  if (T.Galaxy_CometVector) {
    // Straight out of the centre at the speed of the wind; a head at the centre itself has
    // no direction and stays.
    const float X = p.CometX[j], Y = p.CometY[j], Z = p.CometZ[j];
    const double len = std::sqrt(static_cast<double>(X * X + Y * Y + Z * Z));
    if (len > 0.0) {
      p.CometVelX[j] = static_cast<float>(X * T.CometSWindF / len);
      p.CometVelY[j] = static_cast<float>(Y * T.CometSWindF / len);
      p.CometVelZ[j] = static_cast<float>(Z * T.CometSWindF / len);
    } else {
      p.CometVelX[j] = p.CometVelY[j] = p.CometVelZ[j] = 0.0f;
    }
  }
  const Range range = TailRange(j, S);
  for (int32_t q = range.first; q < range.end; ++q) EmitTailStar(tails, q, T, t, w);
}

void MoveHead(CometPool& p, int32_t k, const model::GalaxyTypeProps& T, int32_t galaxy) {
  if (T.Galaxy_CometVector) {
    p.CometX[k] += p.CometVelX[k];
    p.CometY[k] += p.CometVelY[k];
    p.CometZ[k] += p.CometVelZ[k];
    return;
  }
  if (T.Galaxy_GalStyle == 4) {
    // Along the galaxy's ribbon, wrapping after its last control point.
    const int32_t points = T.Galaxy_CP_Points;
    p.CometPathT[k] += T.CometOrbitF;
    if (points > 0 && static_cast<double>(p.CometPathT[k]) >= points) {
      p.CometPathT[k] = static_cast<float>(p.CometPathT[k] - runtime::Int(p.CometPathT[k] / static_cast<double>(points)) * points);
    }
    const auto n = runtime::IntToLong(p.CometPathT[k]);
    if (!n || *n < 0 || *n + 3 >= kRibbonPoints) return;
    const ShapeTables& st = shapeTables();
    const auto f = static_cast<float>(p.CometPathT[k] - static_cast<double>(*n));
    BSplinePointA2(p.CometX[k], p.CometY[k], p.CometZ[k], f, galaxy, *n, *n + 1, *n + 2, *n + 3, st.PathCtrlX,
                   st.PathCtrlY, st.PathCtrlZ);
    return;
  }
  const float cs = p.CometSpinCos[k], sn = p.CometSpinSin[k];
  const float X = p.CometX[k], Z = p.CometZ[k];
  p.CometZ[k] = Z * cs + X * sn;
  p.CometX[k] = X * cs - Z * sn;
}

}  // namespace

CometPool& cometPool() {
  static CometPool p;
  return p;
}

int32_t CometCountFor(int32_t galaxyType) {
  if (galaxyType < 0 || galaxyType >= model::kGalaxyTypeCount) return 0;
  const int32_t S = std::max<int32_t>(1, model::records().GalaxyTypes[galaxyType].Galaxy_CometStars);
  return std::min<int32_t>(kCometTailCapacity / S, kMaxCometCount);
}

void InitCometPool(CometTailList& tails, int32_t& CometCount, int32_t bClear, int32_t galaxyType) {
  if (bClear > 0) tails.TailAlive.fill(false);
  CometCount = CometCountFor(galaxyType);
  RedimCometPool();
}

void RedimCometPool() { cometPool() = CometPool{}; }

void SpawnComet(CometTailList& tails, float centreX, float centreY, float centreZ, int32_t galaxy,
                int32_t galaxyType, int32_t CometCount, int32_t TourLeg) {
  if (galaxyType < 0 || galaxyType >= model::kGalaxyTypeCount) return;
  const model::GalaxyTypeProps& T = model::records().GalaxyTypes[galaxyType];
  CometPool& p = cometPool();
  const int32_t S = T.Galaxy_CometStars;
  // Slots in use: never more than the pool has, nor more than the tails that fit.
  int32_t count = std::clamp<int32_t>(CometCount, 0, kMaxCometCount);
  if (S > 0) count = std::min<int32_t>(count, kCometTailCapacity / S);

  // Start at most one comet.
  const float pick = model::NextRandomSingle();
  const float chance = model::NextRandomSingle();
  const int32_t j = runtime::IntToLong(static_cast<double>(pick) * CometCount).value_or(-1);
  if (j >= 0 && j < count && p.CometStarsLeft[j] == 0 && !p.CometAlive[j] && TourLeg >= 3 && chance < T.CometProb) {
    StartComet(p, tails, j, T, galaxy, galaxyType);
  }

  // Advance every comet and draw its tail.
  const presentation::RenderState& r = presentation::render();
  const float perspective = r.PerspectiveScale;
  const int32_t cx = r.ScreenCentreX, cy = r.ScreenCentreY;
  const bool colourColumn = galaxyType < model::kHueRangeColumns;
  const auto& colours = model::hueRangeState().TypeHueRangeTable;

  for (int32_t k = 0; k < count; ++k) {
    if (p.CometStarsLeft[k] > 0) {
      MoveHead(p, k, T, galaxy);
      const Tilted t = TiltHead(T, p.CometLevel[k], p.CometX[k], p.CometY[k], p.CometZ[k]);
      const float w = WindFactor(T, t);
      const Range range = TailRange(k, S);
      for (int32_t q = range.first; q < range.end; ++q) {
        if (!tails.TailAlive[q]) continue;
        const float rq = model::NextRandomSingle();
        if (rq >= T.Galaxy_CometSPersist) {
          if (!p.CometAlive[k]) {
            tails.TailAlive[q] = false;
            p.CometStarsLeft[k] -= 1;
          } else {
            EmitTailStar(tails, q, T, t, w);
          }
          continue;
        }
        tails.TailX[q] += tails.TailVelX[q];
        tails.TailY[q] += tails.TailVelY[q];
        tails.TailZ[q] += tails.TailVelZ[q];
        const float depth = centreZ + tails.TailZ[q];
        if (!(depth > 0.0f)) continue;
        const int32_t age = tails.TailAge[q];
        if (age >= 0 && age < kCometTailColourRows && colourColumn) {
          const float f = perspective / depth;
          int32_t sx = 0, sy = 0;
          if (runtime::ToLongInline(cx + static_cast<double>((centreX + tails.TailX[q]) * f), sx) &&
              runtime::ToLongInline(cy + static_cast<double>((centreY + tails.TailY[q]) * f), sy))
            PlotPixel(sx, sy, colours[model::HueRangeIndex(galaxyType, age)]);
        }
        if (age < INT32_MAX) tails.TailAge[q] = age + 1;
      }
    }
    const float rk = model::NextRandomSingle();
    if (rk > T.Galaxy_CometCPersist || TourLeg < 3) p.CometAlive[k] = false;
  }
}

}  // namespace engine
