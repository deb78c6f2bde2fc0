#include "engine/shape_tables.h"

#include <cmath>
#include <cstddef>

#include "model/random_table.h"
#include "store/values.h"

namespace engine {

namespace {

constexpr int32_t kMaxRibbonControls = 20;  // Galaxy_CP_Points at most; 3 more close the ribbon

bool ValidType(int32_t type) { return type >= 0 && type < model::kGalaxyTypeCount; }

size_t Index(int32_t i) { return static_cast<size_t>(i); }

// Control points in use of a record, kept inside the tables whatever the record holds.
int32_t RibbonControls(const model::GalaxyTypeProps& rec) {
  return store::ClampLong(rec.Galaxy_CP_Points, 1, kMaxRibbonControls);
}

// A random point of the box of half-width RadiusF and half-height RadiusF * Galaxy_GHW_Ratio
// (three draws: X, Y, Z).
void RandomWanderPoint(const model::GalaxyTypeProps& rec, float& x, float& y, float& z) {
  const double width = 2.0 * static_cast<double>(rec.RadiusF);
  x = static_cast<float>(width * (static_cast<double>(model::NextRandomSingle()) - 0.5));
  y = static_cast<float>(width * (static_cast<double>(model::NextRandomSingle()) - 0.5) *
                         rec.Galaxy_GHW_Ratio);
  z = static_cast<float>(width * (static_cast<double>(model::NextRandomSingle()) - 0.5));
}

// Control points 0 to cp + 2 of row g from the wander spans at t; a closed ribbon repeats
// its first three points after the last.
void EvaluateRibbon(ShapeTables& s, const model::GalaxyTypeProps& rec, size_t g, float t) {
  const int32_t cp = RibbonControls(rec);
  for (int32_t j = 0; j <= cp + 2; ++j) {
    const size_t jj = Index(j);
    if (rec.Galaxy_CP_Close != 0 && j >= cp) {
      const size_t from = Index(j - cp);
      s.PathCtrlX[g][jj] = s.PathCtrlX[g][from];
      s.PathCtrlY[g][jj] = s.PathCtrlY[g][from];
      s.PathCtrlZ[g][jj] = s.PathCtrlZ[g][from];
    } else {
      BSplinePointA3(s.PathCtrlX[g][jj], s.PathCtrlY[g][jj], s.PathCtrlZ[g][jj], t,
                     static_cast<int32_t>(g), j, s.PathWanderX, s.PathWanderY, s.PathWanderZ);
    }
  }
}

template <class T>
void Size(std::vector<T>& v, size_t n) {
  v.assign(n, T{});
}

}  // namespace

ShapeTables& shapeTables() {
  static ShapeTables tables;
  return tables;
}

void RandomAttractorStart(const model::GalaxyTypeProps& rec, float& X, float& Y, float& Z) {
  const double r1 = model::NextRandomSingle();
  const auto rho =
      static_cast<float>(std::pow(r1, static_cast<double>(rec.Galaxy_RadiusExp)) * rec.RadiusF +
                         0.000000001);
  const float t = ProfileThickness(rec.Galaxy_Profile, rho, rec.RadiusF, rec.RadiusF2);
  const double r2 = model::NextRandomSingle();
  Y = static_cast<float>(static_cast<double>(rec.Galaxy_GHW_Ratio) *
                         std::pow(r2, static_cast<double>(rec.Galaxy_HeightExp)) * t);
  const double phi = model::kTwoPi * model::NextRandomSingle();
  X = static_cast<float>(rho * std::cos(phi));
  Z = static_cast<float>(rho * std::sin(phi));
}

void InitGalaxyPaths(int32_t n, int32_t forcedType, int32_t compositeIndex,
                     std::span<const int32_t> types) {
  ShapeTables& s = shapeTables();
  const size_t rows = n > 0 ? Index(n) : 0;
  Size(s.PathCtrlX, rows), Size(s.PathCtrlY, rows), Size(s.PathCtrlZ, rows);
  Size(s.PathWanderX, rows), Size(s.PathWanderY, rows), Size(s.PathWanderZ, rows);
  Size(s.PathWanderT, rows);
  Size(s.WireVertexX, rows), Size(s.WireVertexY, rows), Size(s.WireVertexZ, rows);
  Size(s.ShapePointX, rows), Size(s.ShapePointY, rows), Size(s.ShapePointZ, rows);
  Size(s.AttractorCount, rows);

  model::GalaxyRecords& recs = model::records();
  for (int32_t t = 0; t < model::kEditableGalaxyTypes; ++t) {
    model::GalaxyTypeProps& rec = recs.GalaxyTypes[Index(t)];
    const int32_t levels = store::ClampLong(rec.Galaxy_StdLevels, 0, model::kMaxLevels);
    for (int32_t l = 0; l < levels; ++l) {
      const size_t i = Index(l);
      rec.LevelAngle[i] = -rec.LevelTilt[i];
      rec.LevelCos[i] = static_cast<float>(std::cos(static_cast<double>(rec.LevelAngle[i])));
      rec.LevelSin[i] = static_cast<float>(std::sin(static_cast<double>(rec.LevelAngle[i])));
    }
    rec.HueOffset = static_cast<float>(rec.Galaxy_HueStart);
    rec.OrbitAngle = 0.0f;
    rec.SpinAngle = 0.0f;
    rec.SpinCos = 1.0f;
    rec.SpinSin = 0.0f;
    rec.Galaxy_CP_Points = store::ClampLong(rec.Galaxy_CP_Points, 1, kMaxRibbonControls);
    rec.PathSegs = store::ClampLong(rec.Galaxy_RadSegs, 1, kWireVertices);
  }

  // Every member of a composite shapes the same row; the first member comes last and wins.
  auto buildComposite = [&](int32_t composite, int32_t g) {
    if (composite < 0 || composite >= model::kCompositeCount) return;
    const model::CompositeRecord& c = recs.CompositeGalaxies[Index(composite)];
    const int32_t count = store::ClampLong(c.CompGal_Count, 0, model::kCompositeMembers);
    for (int32_t m = count - 1; m >= 0; --m) InitGalaxyPath(c.CompGal_Type[Index(m)], g);
  };

  if (compositeIndex >= 0) {
    buildComposite(compositeIndex, 0);
    return;
  }
  for (int32_t g = 0; g < n; ++g) {
    if (forcedType >= 0) {
      InitGalaxyPath(forcedType, g);
      continue;
    }
    if (Index(g) >= types.size()) break;
    const int32_t t = types[Index(g)];
    if (!ValidType(t)) continue;
    if (recs.GalaxyTypes[Index(t)].IsComposite)
      buildComposite(t - model::kCompositeSlotBase, g);
    else
      InitGalaxyPath(t, g);
  }
}

void InitGalaxyPath(int32_t type, int32_t g) {
  ShapeTables& s = shapeTables();
  if (!ValidType(type) || g < 0 || Index(g) >= s.PathCtrlX.size()) return;
  const model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];
  const size_t row = Index(g);
  switch (rec.Galaxy_GalStyle) {
    case 1:
    case 2:
    case 3:
    case 8:
      MakePathControlPoints(s.WireVertexX, s.WireVertexY, s.WireVertexZ, type, g);
      s.ShapePointX[row] = s.WireVertexX[row][0];
      s.ShapePointY[row] = s.WireVertexY[row][0];
      s.ShapePointZ[row] = s.WireVertexZ[row][0];
      break;
    case 4: {
      const int32_t cp = RibbonControls(rec);
      for (int32_t j = 0; j < cp; ++j)
        for (size_t m = 0; m < 4; ++m)
          RandomWanderPoint(rec, s.PathWanderX[row][Index(j)][m], s.PathWanderY[row][Index(j)][m],
                            s.PathWanderZ[row][Index(j)][m]);
      EvaluateRibbon(s, rec, row, 0.0f);
      break;
    }
    default:
      break;
  }
}

void MakePathControlPoints(std::span<WireRow> VX, std::span<WireRow> VY, std::span<WireRow> VZ,
                           int32_t type, int32_t g) {
  if (!ValidType(type) || g < 0 || Index(g) >= VX.size() || Index(g) >= VY.size() ||
      Index(g) >= VZ.size())
    return;
  const model::GalaxyTypeProps& rec = model::records().GalaxyTypes[Index(type)];
  WireRow& x = VX[Index(g)];
  WireRow& y = VY[Index(g)];
  WireRow& z = VZ[Index(g)];
  if (rec.Galaxy_GalStyle == 1) {
    RandomAttractorStart(rec, x[0], y[0], z[0]);
    return;
  }
  const int32_t segs = store::ClampLong(rec.PathSegs, 0, kWireVertices);
  for (size_t i = 0; i < Index(segs); ++i) x[i] = y[i] = z[i] = 0.0f;

  const float R = rec.RadiusF;
  const float RH = R * rec.Galaxy_GHW_Ratio;
  auto set = [&](size_t i, double vx, double vy, double vz) {
    x[i] = static_cast<float>(vx);
    y[i] = static_cast<float>(vy);
    z[i] = static_cast<float>(vz);
  };
  switch (segs) {
    case 2:
    case 3:
    case 4:
    case 5: {  // a cone: apex below, a ring of segs - 1 points above
      set(0, 0.0, -RH, 0.0);
      for (int32_t i = 1; i < segs; ++i) {
        const double a = model::kTwoPi * (i - 1) / (segs - 1);
        set(Index(i), R * std::cos(a), RH / 2.0, R * std::sin(a));
      }
      break;
    }
    case 6:
    case 7:  // an octahedron; 7 adds its centre (already 0)
      set(0, 0.0, RH, 0.0);
      set(1, 0.0, -RH, 0.0);
      set(2, -R, 0.0, 0.0);
      set(3, R, 0.0, 0.0);
      set(4, 0.0, 0.0, -R);
      set(5, 0.0, 0.0, R);
      break;
    case 8:  // a box
      set(0, R, -RH, R);
      set(1, R, -RH, -R);
      set(2, -R, -RH, R);
      set(3, -R, -RH, -R);
      set(4, R, RH, R);
      set(5, R, RH, -R);
      set(6, -R, RH, R);
      set(7, -R, RH, -R);
      break;
    case 9:  // three stacked triangles, the middle one larger and turned
      set(0, -0.6 * R, RH, -0.36 * R);
      set(1, 0.6 * R, RH, -0.36 * R);
      set(2, 0.0, RH, 0.72 * R);
      set(3, -0.6 * R, -RH, -0.36 * R);
      set(4, 0.6 * R, -RH, -0.36 * R);
      set(5, 0.0, -RH, 0.72 * R);
      set(6, -1.25 * R, 0.0, 0.75 * R);
      set(7, 1.25 * R, 0.0, 0.75 * R);
      set(8, 0.0, 0.0, -1.5 * R);
      break;
    case 10:  // two square layers between a bottom and a top point
      set(0, 0.0, -RH, 0.0);
      set(1, R, -RH / 2.0, R);
      set(2, R, -RH / 2.0, -R);
      set(3, -R, -RH / 2.0, R);
      set(4, -R, -RH / 2.0, -R);
      set(5, R, RH / 2.0, 0.0);
      set(6, -R, RH / 2.0, 0.0);
      set(7, 0.0, RH / 2.0, R);
      set(8, 0.0, RH / 2.0, -R);
      set(9, 0.0, RH, 0.0);
      break;
    default:  // one vertex, at the centre
      break;
  }
}

void AdvanceGalaxyPaths(int32_t n, int32_t forcedType, std::span<const int32_t> types) {
  ShapeTables& s = shapeTables();
  model::GalaxyRecords& recs = model::records();
  for (int32_t g = 0; g < n && Index(g) < s.PathCtrlX.size(); ++g) {
    int32_t t = forcedType;
    if (t < 0) {
      if (Index(g) >= types.size()) break;
      t = types[Index(g)];
      if (ValidType(t) && recs.GalaxyTypes[Index(t)].IsComposite) {
        const int32_t k = t - model::kCompositeSlotBase;
        if (k < 0 || k >= model::kCompositeCount) continue;
        t = recs.CompositeGalaxies[Index(k)].CompGal_Type[0];
      }
    }
    if (!ValidType(t)) continue;
    const model::GalaxyTypeProps& rec = recs.GalaxyTypes[Index(t)];
    if (rec.Galaxy_GalStyle != 4) continue;

    const size_t row = Index(g);
    const int32_t cp = RibbonControls(rec);
    float& wt = s.PathWanderT[row];
    if (rec.Galaxy_CP_Steps > 0)
      wt = static_cast<float>(wt + 1.0 / static_cast<double>(rec.Galaxy_CP_Steps));
    if (wt >= 1.0f) {
      wt -= 1.0f;
      for (int32_t j = 0; j <= cp + 2; ++j) {
        auto& wx = s.PathWanderX[row][Index(j)];
        auto& wy = s.PathWanderY[row][Index(j)];
        auto& wz = s.PathWanderZ[row][Index(j)];
        for (size_t m = 0; m < 3; ++m) wx[m] = wx[m + 1], wy[m] = wy[m + 1], wz[m] = wz[m + 1];
        RandomWanderPoint(rec, wx[3], wy[3], wz[3]);
      }
    }
    const float cs = rec.RotStepCos;
    const float sn = rec.RotStepSin;
    for (int32_t j = 0; j <= cp + 2; ++j) {
      auto& wx = s.PathWanderX[row][Index(j)];
      auto& wy = s.PathWanderY[row][Index(j)];
      auto& wz = s.PathWanderZ[row][Index(j)];
      for (size_t m = 0; m < 4; ++m) {
        if (rec.Galaxy_AxisPlane == 0) {
          const float x = wx[m], z = wz[m];
          wx[m] = x * cs - z * sn;
          wz[m] = z * cs + x * sn;
        } else {
          const float y = wy[m], z = wz[m];
          wy[m] = y * cs - z * sn;
          wz[m] = z * cs + y * sn;
        }
      }
    }
    EvaluateRibbon(s, rec, row, wt);
  }
}

}  // namespace engine
