#include "engine/star_placement.h"

#include <cmath>
#include <cstddef>

#include "model/hue_wheel.h"
#include "model/random_table.h"
#include "engine/molecules.h"
#include "engine/shape_primitives.h"
#include "runtime/numbers.h"

namespace engine {

namespace {

constexpr float kQuarterTurnSingle = 1.5707964f;  // the largest rotation step of a disk star

size_t Index(int32_t i) { return static_cast<size_t>(i); }

bool ValidType(int32_t type) { return type >= 0 && type < model::kGalaxyTypeCount; }

double Power(double base, float exponent) { return std::pow(base, static_cast<double>(exponent)); }

// Cosines and sines of Single angles are taken in double precision; only the stored result is
// rounded to a Single (the single-precision functions can differ from that in the last bit).

// What the disk placement leaves for the rotation step: the level and the final radius.
struct DiskResult {
  int32_t level = 0;
  float rho = 0.0f;
};

// The disk placement without the rotation step: level, radius from one of the bands, height
// from the thickness profile scaled per level, angle on one of the arms plus `angle`.
DiskResult PlaceDisk(const model::GalaxyTypeProps& rec, float& X, float& Y, float& Z, float angle) {
  DiskResult res;
  int32_t L = 0;
  DrawIndex(rec.Galaxy_StdLevels, L);
  res.level = L;

  const bool heightToRadius = rec.Galaxy_StdLevB_HS != 0;
  const float Rl =
      heightToRadius ? static_cast<float>(rec.RadiusF + static_cast<double>(L) * rec.LevelSpacingF) : rec.RadiusF;
  const float Ql = heightToRadius ? Rl * Rl : rec.RadiusF2;
  const double r2 = model::NextRandomSingle();
  int32_t band = 0;
  const bool bandOk = DrawIndex(rec.Galaxy_RadBands, band);
  // A band count below 1 has no bands to pick from: the star sits at the centre.
  double a = 0.0;
  if (bandOk && rec.Galaxy_RadBands > 0)
    a = (band + r2 * rec.RadBFillF) / static_cast<double>(rec.Galaxy_RadBands);
  float rho = static_cast<float>(Power(a, rec.Galaxy_RadiusExp) * Rl + 0.000000001);
  const float t = ProfileThickness(rec.Galaxy_Profile, rho, Rl, Ql);

  const double r4 = model::NextRandomSingle();
  float y = static_cast<float>(t * Power(r4, rec.Galaxy_HeightExp) * rec.Galaxy_GHW_Ratio);
  // A level radius that already holds the ring scaled the profile; otherwise the level's ring
  // is added after it, so level L lies between L and L + 1 level spacings out.
  if (!heightToRadius) rho = static_cast<float>(rho + static_cast<double>(L) * rec.LevelSpacingF);
  if (rec.Galaxy_StdLevels > 1) {
    // The height scale grows from 1 at the inner level to Galaxy_StdLevHSca at the outer one.
    const double share = static_cast<double>(L) / (rec.Galaxy_StdLevels - 1);
    y = static_cast<float>(y + share * (static_cast<double>(rec.Galaxy_StdLevHSca) * y - y));
  }
  Y = y;

  int32_t arm = 0;
  DrawIndex(rec.Galaxy_RadSegs, arm);
  const double r6 = model::NextRandomSingle();
  const auto theta = static_cast<float>(static_cast<double>(arm) * rec.SegmentAngle +
                                        r6 * rec.SegmentAngle * rec.RadFillF + angle);
  X = static_cast<float>(static_cast<double>(rho) * std::cos(static_cast<double>(theta)));
  Z = static_cast<float>(static_cast<double>(rho) * std::sin(static_cast<double>(theta)));
  res.rho = rho;
  return res;
}

// Steps 1 to 3 of a ribbon star: the ribbon phase moves on, then a place along the ribbon
// near one of the bias points. False when the record has no ribbon to place on.
struct RibbonPlace {
  float U = 0.0f;  // control-point spans from the start, before wrapping
  int32_t k = 0;   // first control point of the span
  float f = 0.0f;  // fraction within the span
};

bool PlaceOnRibbon(model::GalaxyTypeProps& rec, RibbonPlace& place) {
  const int32_t cp = rec.Galaxy_CP_Points;
  const int32_t bp = rec.Galaxy_CP_B_Pts;
  if (cp < 1 || cp > kRibbonPoints - 3 || bp < 1) return false;
  rec.RibbonPhase += rec.CpBSpdF;
  if (rec.RibbonPhase >= static_cast<double>(cp))
    rec.RibbonPhase = static_cast<float>(static_cast<double>(rec.RibbonPhase) - cp);

  const double r1 = model::NextRandomSingle();
  const double r2 = model::NextRandomSingle();
  int32_t bias = 0;
  if (!DrawIndex(bp, bias)) return false;
  const double b = bias + 0.5;
  const double w = (1.0 - Power(r1, rec.CpBExpF)) / 2.0;
  const double s = r2 > 0.5 ? 1.0 : (r2 < 0.5 ? -1.0 : 0.0);
  place.U = static_cast<float>((b + s * w) / bp * cp + rec.RibbonPhase);
  auto whole = runtime::IntToLong(place.U);
  if (!whole) return false;
  place.k = *whole >= cp ? *whole - cp : *whole;
  place.f = static_cast<float>(place.U - static_cast<double>(*whole));
  // U lies below 2 cp, so one wrap keeps the span's last point at cp + 2 or below.
  return place.k >= 0 && place.k + 3 < kRibbonPoints;
}

// Hue h = v rounded (halves to even) Mod 360 and the type's wheel colour of h. A value that
// cannot be rounded leaves both as they were; a negative remainder is taken round the wheel.
void ColourFromValue(double v, int32_t type, int32_t& Colour, float& Hue) {
  auto whole = runtime::ToLong(v);
  if (!whole) return;
  int32_t h = *whole % 360;
  if (h < 0) h += 360;
  Hue = static_cast<float>(h);
  Colour = model::HueColor(type, h);
}

}  // namespace

void InitDiskParticle(float& X, float& Y, float& Z, float& StepCos, float& StepSin, float& key,
                      int32_t& Level, int32_t type, float rotStep, float angle) {
  if (!ValidType(type)) return;
  const model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];
  const DiskResult d = PlaceDisk(rec, X, Y, Z, angle);
  Level = d.level;
  double step = model::kTwoPi * rotStep * std::sqrt(1.0 / std::fabs(d.rho + 0.000000001)) / (d.level + 1);
  if (step > kQuarterTurnSingle) step = kQuarterTurnSingle;
  key = static_cast<float>(step);
  StepCos = static_cast<float>(std::cos(static_cast<double>(key)));
  StepSin = static_cast<float>(std::sin(static_cast<double>(key)));
}

void InitDiskParticleUniverse(float& X, float& Y, float& Z, int32_t type) {
  if (!ValidType(type)) return;
  PlaceDisk(model::records().GalaxyTypes[Index(type)], X, Y, Z, 0.0f);
}

void ComputeShapePoint(std::span<float> PX, std::span<float> PY, std::span<float> PZ,
                       std::span<const WireRow> VXs, std::span<const WireRow> VYs,
                       std::span<const WireRow> VZs, int32_t type, int32_t row) {
  if (!ValidType(type) || row < 0) return;
  const size_t g = Index(row);
  if (g >= PX.size() || g >= PY.size() || g >= PZ.size() || g >= VXs.size() || g >= VYs.size() ||
      g >= VZs.size())
    return;
  const model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];
  float& px = PX[g];
  float& py = PY[g];
  float& pz = PZ[g];
  // Vertex k of the row's wireframe; false for a vertex outside the table.
  auto vertex = [&](int32_t k, float& vx, float& vy, float& vz) {
    if (k < 0 || k >= kWireVertices) return false;
    vx = VXs[g][Index(k)], vy = VYs[g][Index(k)], vz = VZs[g][Index(k)];
    return true;
  };
  // One step of the chaos game: toward a random wireframe vertex by RadFillF.
  auto towardRandomVertex = [&](float& x, float& y, float& z) {
    int32_t k = 0;
    float vx, vy, vz;
    if (!DrawIndex(rec.PathSegs, k) || !vertex(k, vx, vy, vz)) return;
    x = x + (vx - x) * rec.RadFillF;
    y = y + (vy - y) * rec.RadFillF;
    z = z + (vz - z) * rec.RadFillF;
  };

  switch (rec.Galaxy_GalStyle) {
    case 1: {  // a contracting spiral of Galaxy_RadSegs points
      auto& counts = shapeTables().AttractorCount;
      if (g >= counts.size()) return;
      int32_t& count = counts[g];
      if (count == 0) {
        RandomAttractorStart(rec, px, py, pz);
      } else {
        px *= rec.RadFillF;
        py *= rec.RadFillF;
        pz *= rec.RadFillF;
        const float x = px;
        px = x * rec.BandCos - pz * rec.BandSin;
        pz = x * rec.BandSin + pz * rec.BandCos;
      }
      if (rec.Galaxy_RadSegs > 0) count = (count + 1) % rec.Galaxy_RadSegs;
      break;
    }
    case 2: {  // nested wireframe: a point on the last segment of a random walk
      float x = 0.0f, y = 0.0f, z = 0.0f;
      int32_t k = 0;
      if (DrawIndex(rec.PathSegs, k)) vertex(k, x, y, z);
      float lx = 0.0f, ly = 0.0f, lz = 0.0f;
      for (int32_t i = 0; i < rec.Galaxy_RadBands; ++i) {
        lx = x, ly = y, lz = z;
        towardRandomVertex(x, y, z);
      }
      const float r = model::NextRandomSingle();
      px = lx + 2.0f * r * (x - lx);
      py = ly + 2.0f * r * (y - ly);
      pz = lz + 2.0f * r * (z - lz);
      break;
    }
    case 3:
    case 8: {
      const model::IfsBlock& ifs = rec.Ifs;
      const int32_t n = ifs.Galaxy_IFS_Points < model::kMaxIfsPoints ? ifs.Galaxy_IFS_Points : model::kMaxIfsPoints;
      if (n <= 0) {
        towardRandomVertex(px, py, pz);
        break;
      }
      int32_t v = 0;
      if (!DrawIndex(ifs.IfsCumPct[Index(n - 1)], v)) break;
      int32_t i = -1;
      for (int32_t p = 0; p < n; ++p)
        if (v < ifs.IfsCumPct[Index(p)]) {
          i = p;
          break;
        }
      if (i < 0) break;  // every weight 0: the point stays
      const size_t ii = Index(i);
      const float ox = ifs.IfsOffX[ii], oy = ifs.IfsOffY[ii], oz = ifs.IfsOffZ[ii];
      px = px + (ox - px) * ifs.IfsScaleF[ii];
      py = py + (oy - py) * ifs.IfsScaleF[ii];
      pz = pz + (oz - pz) * ifs.IfsScaleF[ii];
      if (ifs.IfsAngle[ii] > 0) {
        float dx = px - ox, dy = py - oy, dz = pz - oz;
        const float cs = ifs.IfsCos[ii], sn = ifs.IfsSin[ii];
        switch (ifs.IfsAxis[ii]) {
          case 0: {
            const float a = dy;
            dy = a * cs - dz * sn, dz = a * sn + dz * cs;
            break;
          }
          case 1: {
            const float a = dx;
            dx = a * cs - dz * sn, dz = a * sn + dz * cs;
            break;
          }
          case 2: {
            const float a = dx;
            dx = a * cs - dy * sn, dy = a * sn + dy * cs;
            break;
          }
          default:
            break;
        }
        px = ox + dx, py = oy + dy, pz = oz + dz;
      }
      break;
    }
    default:
      break;
  }
}

void GetCachedShapePoint(float& X, float& Y, float& Z, float& StepCos, float& StepSin, float& key,
                         int32_t type, int32_t galaxy) {
  if (!ValidType(type)) return;
  ShapeTables& s = shapeTables();
  ComputeShapePoint(s.ShapePointX, s.ShapePointY, s.ShapePointZ, s.WireVertexX, s.WireVertexY,
                    s.WireVertexZ, type, galaxy);
  const model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];
  key = rec.SpinStep;
  StepCos = rec.SpinStepCos;
  StepSin = rec.SpinStepSin;
  if (galaxy < 0 || Index(galaxy) >= s.ShapePointX.size()) return;
  const size_t g = Index(galaxy);
  const float px = s.ShapePointX[g], py = s.ShapePointY[g], pz = s.ShapePointZ[g];
  X = px * rec.SpinCos - pz * rec.SpinSin;
  Z = pz * rec.SpinCos + px * rec.SpinSin;
  Y = py;
}

void GetCachedShapePointUniverse(float& X, float& Y, float& Z, int32_t type) {
  ShapeTables& s = shapeTables();
  ComputeShapePoint(s.UniverseShapePointX, s.UniverseShapePointY, s.UniverseShapePointZ,
                    s.UniverseWireVertexX, s.UniverseWireVertexY, s.UniverseWireVertexZ, type, 0);
  X = s.UniverseShapePointX[0];
  Y = s.UniverseShapePointY[0];
  Z = s.UniverseShapePointZ[0];
}

void InitSplineParticle(float& X, float& Y, float& Z, float& VX, float& VY, float& VZ, float& u,
                        float& uWrapped, int32_t type, int32_t galaxy) {
  if (!ValidType(type)) return;
  model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];
  RibbonPlace place;
  if (!PlaceOnRibbon(rec, place)) return;
  uWrapped = static_cast<float>(place.k + static_cast<double>(place.f));
  const ShapeTables& s = shapeTables();
  BSplinePointA2(X, Y, Z, place.f, galaxy, place.k, place.k + 1, place.k + 2, place.k + 3,
                 s.PathCtrlX, s.PathCtrlY, s.PathCtrlZ);
  // A random direction, then the drift apart along the ribbon's own offset.
  RandomPointInShape(VX, VY, VZ, static_cast<float>(rec.Galaxy_RadiusExp * 0.001), 0);
  VX += rec.HeightExpK * X;
  VY += rec.HeightExpK * Y;
  VZ += rec.HeightExpK * Z;
  u = static_cast<float>(static_cast<double>(place.U) / rec.Galaxy_CP_Points);
}

void InitSplineParticleUniverse(float& X, float& Y, float& Z, int32_t type) {
  if (!ValidType(type)) return;
  RibbonPlace place;
  if (!PlaceOnRibbon(model::records().GalaxyTypes[Index(type)], place)) return;
  const ShapeTables& s = shapeTables();
  BSplinePointA1Idx(X, Y, Z, place.f, place.k, place.k + 1, place.k + 2, place.k + 3,
                    s.UniverseRibbonX, s.UniverseRibbonY, s.UniverseRibbonZ);
}

void InitParticle(float& X, float& Y, float& Z, float& VX, float& VY, float& VZ, float& StepCos,
                  float& StepSin, int32_t& frames, int32_t& recycle, int32_t& newLeft,
                  int32_t& novaLeft, int32_t& pulsarLeft, int32_t& Colour, float& Hue,
                  int32_t& Level, int32_t type, int32_t galaxy) {
  if (!ValidType(type)) return;
  frames = recycle = newLeft = novaLeft = pulsarLeft = 0;
  Level = 0;
  float key = 0.0f;  // the colour key: rotation step or spin step
  float u = 0.0f;    // place along a nebula ribbon
  model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];

  switch (rec.Galaxy_GalStyle) {
    case 0:
      InitDiskParticle(X, Y, Z, StepCos, StepSin, key, Level, type, rec.RotStep, rec.OrbitAngle);
      break;
    case 1:
    case 2:
    case 3:
    case 8:
      GetCachedShapePoint(X, Y, Z, StepCos, StepSin, key, type, galaxy);
      break;
    case 4: {
      float uWrapped = 0.0f;
      InitSplineParticle(X, Y, Z, VX, VY, VZ, u, uWrapped, type, galaxy);
      break;
    }
    case 5:  // quasar: the star flies straight out of the core
      InitDiskParticle(X, Y, Z, StepCos, StepSin, key, Level, type, rec.RotStep, rec.SpinAngle);
      VX = rec.QgForceF * X;
      VY = rec.QgForceF * Y;
      VZ = rec.QgForceF * Z;
      break;
    case 6:  // graviton: the star starts at rest
      InitDiskParticle(X, Y, Z, StepCos, StepSin, key, Level, type, rec.RotStep, rec.SpinAngle);
      VX = VY = VZ = 0.0f;
      break;
    case 7: {  // starwave: the star starts at the core, heading out on one of the arms
      int32_t arm = 0;
      DrawIndex(rec.Galaxy_RadSegs, arm);
      const double r2 = model::NextRandomSingle();
      const auto theta = static_cast<float>(static_cast<double>(arm) * rec.SegmentAngle +
                                            r2 * rec.SegmentAngle * rec.RadFillF + rec.SpinAngle);
      X = Y = Z = 0.0f;
      VX = static_cast<float>(static_cast<double>(rec.RadiusF100) * std::cos(static_cast<double>(theta)));
      int32_t wave = 0;
      // The star's wave: one of Galaxy_RadBands phases.
      if (DrawIndex(rec.Galaxy_RadBands, wave) && rec.Galaxy_RadBands > 0)
        VY = static_cast<float>(wave * model::kTwoPi / rec.Galaxy_RadBands);
      VZ = static_cast<float>(static_cast<double>(rec.RadiusF100) * std::sin(static_cast<double>(theta)));
      break;
    }
    case 9:
      InitMoleculeParticle(X, Y, Z, StepCos, StepSin, Colour, key, type, true);
      break;
    default:
      break;
  }

  switch (rec.Galaxy_ColorComp) {
    case 0:
      ColourFromValue(static_cast<double>(key) * rec.ColorMultF * 10.0 + rec.HueOffset, type,
                      Colour, Hue);
      break;
    case 1: {
      const double inner = static_cast<double>(key) * rec.ColorMultF * 1000.0;
      if (inner >= 0.0) ColourFromValue(std::sqrt(inner) + rec.HueOffset, type, Colour, Hue);
      break;
    }
    case 2:
    case 3: {
      if (rec.OuterRadiusF == 0.0f) break;
      const double dist = std::sqrt(static_cast<double>(X) * X + static_cast<double>(Y) * Y +
                                    static_cast<double>(Z) * Z);
      double d = std::fabs(1.0 - dist / rec.OuterRadiusF);
      if (rec.Galaxy_ColorComp == 3) d *= d;
      ColourFromValue(d * rec.ColorMultF + rec.HueOffset, type, Colour, Hue);
      break;
    }
    case 4:
      Colour = 0;
      break;
    case 5:
      ColourFromValue(static_cast<double>(u) * rec.ColorMultK * 360.0 + rec.HueOffset, type, Colour,
                      Hue);
      break;
    case 6: {
      const double r = model::NextRandomSingle();
      ColourFromValue(r * rec.ColorMultK * 10.0 + rec.HueOffset + Colour, type, Colour, Hue);
      break;
    }
    default:
      break;
  }
}

}  // namespace engine
