#include "model/galaxy_types.h"

#include <cmath>
#include <limits>

#include "store/values.h"
#include "runtime/numbers.h"

namespace model {

namespace {

// Degrees to radians as the engine writes it: times 2 pi, then divided by 360.
double DegreesToRadians(double degrees) { return degrees * kTwoPi / 360.0; }

float CosF(double radians) { return static_cast<float>(std::cos(radians)); }
float SinF(double radians) { return static_cast<float>(std::sin(radians)); }

// Adds b to a running 32-bit sum; a sum that leaves the 32-bit range is not taken.
bool AddLong(int32_t& sum, int32_t b) {
  const int64_t r = static_cast<int64_t>(sum) + b;
  if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  sum = static_cast<int32_t>(r);
  return true;
}

// Keeps a running angle in [0, 2 pi): above 2 pi (the Single; equal stays) one turn is
// taken off, below 0 one turn is added.
float WrapRadians(float angle) {
  if (angle > kTwoPiSingle) return static_cast<float>(static_cast<double>(angle) - kTwoPi);
  if (angle < 0.0f) return static_cast<float>(static_cast<double>(angle) + kTwoPi);
  return angle;
}

void PrepareLevels(GalaxyTypeProps& g) {
  // Only the standard style stacks levels.
  if (g.Galaxy_GalStyle != 0) g.Galaxy_StdLevels = 1;
  const int32_t levels = g.Galaxy_StdLevels;
  g.LevelSpacingF = static_cast<float>(g.Galaxy_StdLevDRad * 0.01);
  g.OuterRadiusF = static_cast<float>(static_cast<double>(g.LevelSpacingF) *
                                          (static_cast<double>(levels) - 1.0) +
                                      static_cast<double>(g.RadiusF));

  const float tilt = static_cast<float>(-DegreesToRadians(g.Galaxy_AngleTilt));
  const int n = store::ClampLong(levels, 0, kMaxLevels);
  for (int i = 0; i < n; ++i) {
    g.LevelTilt[i] = tilt;
    float a = static_cast<float>(DegreesToRadians(g.Galaxy_AngleTInc));
    if (g.Galaxy_StdLevB_A1 != 0) {
      // Each further level turns less; a turn beyond half a circle shrinks towards a
      // full circle instead of towards 0.
      const double r = static_cast<double>(levels - i) / static_cast<double>(levels);
      if (a <= kPiSingle) {
        a = static_cast<float>(static_cast<double>(a) * r);
      } else {
        a = static_cast<float>(kTwoPi - (kTwoPi - static_cast<double>(a)) * r);
      }
    }
    g.LevelTiltStep[i] = ((i % 2) == 1 && g.Galaxy_StdLevB_A0 != 0) ? -a : a;
  }
}

int32_t MotionKindOfStyle(int32_t style) {
  switch (style) {
    case 4:
    case 5:
      return 1;
    case 6:
      return 2;
    case 7:
      return 3;
    default:
      return 0;
  }
}

// Distance of a stored coordinate (in hundredths) from its block's centre, times the scale.
float OffsetFromCentre(int32_t v, int32_t centre, double scale) {
  return static_cast<float>((v * 0.01 - centre * 0.01) * scale);
}

void PrepareIfs(IfsBlock& b, float s) {
  const int n = store::ClampLong(b.Galaxy_IFS_Points, 0, kMaxIfsPoints);
  const double sd = s;
  int32_t cum = 0;
  for (int p = 0; p < n; ++p) {
    b.IfsOffX[p] = OffsetFromCentre(b.IfsX[p], b.IFS_CenterX, sd);
    b.IfsOffY[p] = OffsetFromCentre(b.IfsY[p], b.IFS_CenterY, sd);
    b.IfsOffZ[p] = OffsetFromCentre(b.IfsZ[p], b.IFS_CenterZ, sd);
    b.IfsScaleF[p] = static_cast<float>(b.IfsScale[p] * 0.01);
    const double angle = DegreesToRadians(b.IfsAngle[p]);
    b.IfsCos[p] = CosF(angle);
    b.IfsSin[p] = SinF(angle);
    AddLong(cum, b.IfsPct[p]);
    b.IfsCumPct[p] = cum;
  }
}

void PrepareAtoms(AtomBlock& b, float s) {
  const int n = store::ClampLong(b.Galaxy_Atoms, 0, kMaxAtoms);
  const double sd = s;
  int32_t cum = 0;
  for (int a = 0; a < n; ++a) {
    b.AtomOffX[a] = OffsetFromCentre(b.AtomX[a], b.Atom_CenterX, sd);
    b.AtomOffY[a] = OffsetFromCentre(b.AtomY[a], b.Atom_CenterY, sd);
    b.AtomOffZ[a] = OffsetFromCentre(b.AtomZ[a], b.Atom_CenterZ, sd);
    b.AtomRadiusF[a] = static_cast<float>(b.AtomRadius[a] * 0.01 * sd);
    const double e = static_cast<float>(b.AtomExtra[a] * 0.01);
    b.AtomExtra100[a] = static_cast<float>(e * sd);
    b.AtomExtra050[a] = static_cast<float>(e * 0.5 * sd);
    b.AtomExtra059[a] = static_cast<float>(e * 0.594603 * sd);
    b.AtomExtra071[a] = static_cast<float>(e * 0.707106 * sd);
    b.AtomExtra087[a] = static_cast<float>(e * 0.866025 * sd);
    // An unknown structure type keeps the count it had.
    if (const auto points = AtomPointsOfType(b.AtomType[a])) b.AtomPoints[a] = *points;
    AddLong(cum, b.AtomPoints[a]);
    b.AtomCumPoints[a] = cum;
  }
}

void PrepareOne(GalaxyTypeProps& g) {
  g.RadiusF = static_cast<float>(g.Galaxy_Radius * 0.01);
  g.DistanceF = static_cast<float>(g.Galaxy_Distance * 0.01);
  g.RotStep = static_cast<float>(g.Galaxy_Rotation * 0.000001);

  g.RadiusF2 = static_cast<float>(std::pow(static_cast<double>(g.RadiusF), 2.0));
  g.RadiusF100 = static_cast<float>(g.RadiusF * 0.01);
  g.SpinStep = g.RotStep * 8.0f;

  const double denom = std::fabs(static_cast<double>(g.RadiusF) + 0.000000001);
  if (denom != 0.0) {
    g.OrbitStep = static_cast<float>(std::sqrt(1.0 / denom) * kTwoPi * g.RotStep);
  }

  g.RadFillF = static_cast<float>(g.Galaxy_RadFill * 0.01);
  g.RadBFillF = static_cast<float>(g.Galaxy_RadBFill * 0.01);

  if (g.Galaxy_RadSegs != 0) {
    g.SegmentAngle = static_cast<float>(kTwoPi / g.Galaxy_RadSegs);
  }

  const double band = DegreesToRadians(g.Galaxy_RadBands);
  g.BandCos = CosF(band);
  g.BandSin = SinF(band);

  g.RotStepCos = CosF(g.RotStep);
  g.RotStepSin = SinF(g.RotStep);
  g.SpinStepCos = CosF(g.SpinStep);
  g.SpinStepSin = SinF(g.SpinStep);

  g.HeightExpK = static_cast<float>(g.Galaxy_HeightExp * 0.001);
  g.CpBExpF = static_cast<float>(g.Galaxy_CP_B_Exp * 0.01);
  g.CpBSpdF = static_cast<float>(g.Galaxy_CP_B_Spd * 0.00001);

  // Quasars emit at a hundred times the graviton scale.
  g.QgForceF = static_cast<float>(g.Galaxy_GalStyle == 5 ? g.Galaxy_QG_Force * 0.01
                                                         : g.Galaxy_QG_Force * 0.0001);

  g.ColorMultF = static_cast<float>(g.Galaxy_ColorMult * 0.1);
  g.ColorMultK = static_cast<float>(g.Galaxy_ColorMult * 0.001);
  g.NewExtMultF = static_cast<float>(g.Galaxy_NewExtMult * 0.001);

  g.NovaProb = static_cast<float>(g.Galaxy_NovaFreq * 0.0001);
  g.NovaExtMultF = static_cast<float>(g.Galaxy_NovaExtMult * 0.0001);
  g.PulsarProb = static_cast<float>(g.Galaxy_PulsarFreq * 0.0001);
  g.PulsarDepthF = static_cast<float>(g.Galaxy_PulsarDepth * 0.001);
  g.CometProb = static_cast<float>(g.Galaxy_CometFreq * 0.0001);
  g.CometOrbitF = static_cast<float>(g.Galaxy_CometOrbit * 0.00001);
  g.CometSpeedF = static_cast<float>(g.Galaxy_CometSpeed * 0.00001);
  g.CometSWindF = static_cast<float>(g.Galaxy_CometSWind * 0.00001);

  if (const auto whole = runtime::ToLong(g.Galaxy_RadBFill)) g.RadBFillWhole = *whole;

  // The moving hue range starts over.
  g.HwcShift = 0.0f;
  g.HwcStartNow = g.Galaxy_HWC_Start;
  g.HwcEndNow = g.Galaxy_HWC_End;

  g.GhwRadius = static_cast<float>(static_cast<double>(g.Galaxy_GHW_Ratio) *
                                   static_cast<double>(g.Galaxy_Radius) * 0.01);
  g.RadiusExpRad = static_cast<float>(DegreesToRadians(g.Galaxy_RadiusExp));

  PrepareLevels(g);
  g.MotionKind = MotionKindOfStyle(g.Galaxy_GalStyle);

  const float s = static_cast<float>(g.RadiusF * 0.1);
  PrepareIfs(g.Ifs, s);
  PrepareAtoms(g.Atoms, s);
}

// A composite member weighs its number of levels.
void PrepareCompositeWeights(GalaxyRecords& r) {
  for (auto& comp : r.CompositeGalaxies) {
    const int n = store::ClampLong(comp.CompGal_Count, 0, kCompositeMembers);
    int32_t sum = 0;
    for (int m = 0; m < n; ++m) {
      const int32_t t = comp.CompGal_Type[m];
      if (t >= 0 && t < kGalaxyTypeCount) AddLong(sum, r.GalaxyTypes[t].Galaxy_StdLevels);
      comp.CompGal_CumWeight[m] = sum;
    }
  }
}

void PrepareShapeTables(GalaxyRecords& r) {
  constexpr int corners = 6;  // the upper bound of HexCos
  for (int i = 0; i <= corners; ++i) {
    const double angle = kTwoPi / corners * i;
    r.HexCos[i] = CosF(angle);
    r.HexSin[i] = SinF(angle);
  }
  for (int i = 0; i < static_cast<int>(r.TriangularNumbers.size()); ++i) {
    r.TriangularNumbers[i] = runtime::ToLongOr((i + 1) * i * 0.5, 0);
    int32_t hex = 1;
    for (int j = 1; j <= i - 1; ++j) hex += 6 * j;
    r.HexNumbers[i] = hex;
  }
}

}  // namespace

// Puts every record to its defaults in place (the whole module data is too large to build
// on the stack and copy).
static void FillDefaults(GalaxyRecords& r) {
  for (int n = 0; n < kGalaxyTypeCount; ++n) r.GalaxyTypes[n] = DefaultGalaxyType(n);
  for (int c = 0; c < kCompositeCount; ++c) r.CompositeGalaxies[c] = DefaultComposite(c);
  r.HexCos.fill(0.0f);
  r.HexSin.fill(0.0f);
  r.TriangularNumbers.fill(0);
  r.HexNumbers.fill(0);
}

GalaxyRecords& records() {
  static GalaxyRecords r;
  static const bool filled = (FillDefaults(r), true);
  (void)filled;
  return r;
}

std::string DefaultGalaxyName(int32_t n) {
  return "< Galaxy Profile " + runtime::LongToText(static_cast<int64_t>(n) + 1) + " >";
}

std::string DefaultCompositeName(int32_t c) {
  return "< Composite Galaxy " + runtime::LongToText(static_cast<int64_t>(c) + 1) + " >";
}

GalaxyTypeProps DefaultGalaxyType(int32_t n) {
  GalaxyTypeProps g;
  g._UniGalName = DefaultGalaxyName(n);
  return g;
}

CompositeRecord DefaultComposite(int32_t c) {
  CompositeRecord comp;
  comp._CompGalName = DefaultCompositeName(c);
  return comp;
}

void ResetGalaxyRecords() { FillDefaults(records()); }

std::optional<int32_t> AtomPointsOfType(int32_t structureType) {
  // Single, 6 Point, 8 Point, the 18, 26 and 38 shells, then the grid and matrix types (one
  // position each; their size comes from the atom's own values) and two spare entries.
  static constexpr std::array<int32_t, 14> kPoints = {1, 6, 8, 18, 26, 38, 1, 1, 1, 1, 1, 1, 1, 1};
  if (structureType < 0 || structureType >= static_cast<int32_t>(kPoints.size())) return std::nullopt;
  return kPoints[static_cast<size_t>(structureType)];
}

void PrepareGalaxyTypes() {
  GalaxyRecords& r = records();
  for (int t = 0; t < kEditableGalaxyTypes; ++t) PrepareOne(r.GalaxyTypes[t]);
  PrepareCompositeWeights(r);
  PrepareShapeTables(r);
}

void UpdateHueCycleFlags() {
  for (int t = 0; t < kEditableGalaxyTypes; ++t) {
    GalaxyTypeProps& g = records().GalaxyTypes[t];
    const int32_t style = g.Galaxy_GalStyle;
    // Black stars never cycle; nebulae cycle only when they advance their hue wheel, and
    // star waves never.
    g.HueCycling = g.Galaxy_ColorComp != 4 &&
                   ((style != 4 && style != 7) || (style == 4 && g.Galaxy_CP_AdvHW != 0));
  }
}

void AdvanceGalaxyRotations() {
  for (int t = 0; t < kEditableGalaxyTypes; ++t) {
    GalaxyTypeProps& g = records().GalaxyTypes[t];
    const int n = store::ClampLong(g.Galaxy_StdLevels, 0, kMaxLevels);
    for (int k = 0; k < n; ++k) {
      g.LevelAngle[k] = WrapRadians(g.LevelAngle[k] + g.LevelTiltStep[k]);
      g.LevelCos[k] = CosF(g.LevelAngle[k]);
      g.LevelSin[k] = SinF(g.LevelAngle[k]);
    }

    g.HueOffset += g.Galaxy_HWheelInc;
    if (g.HueOffset > 360.0f) {
      g.HueOffset -= 360.0f;
    } else if (g.HueOffset < 0.0f) {
      g.HueOffset += 360.0f;
    }

    g.OrbitAngle = WrapRadians(g.OrbitAngle + g.OrbitStep);
    g.SpinAngle = WrapRadians(g.SpinAngle + g.SpinStep);
    g.SpinCos = CosF(g.SpinAngle);
    g.SpinSin = SinF(g.SpinAngle);
  }
}

int32_t ResolveGalaxySlot(std::span<const int32_t> types, int32_t i) {
  if (i < 0 || static_cast<size_t>(i) >= types.size()) return 0;
  const int32_t t = types[static_cast<size_t>(i)];
  if (t < 0 || t >= kGalaxyTypeCount) return 0;
  const GalaxyRecords& r = records();
  if (!r.GalaxyTypes[t].IsComposite) return t;
  const int32_t k = t - kCompositeSlotBase;
  if (k < 0 || k >= kCompositeCount) return t;  // only slots 50 to 65 stand for composites
  const int32_t member = r.CompositeGalaxies[k].CompGal_Type[0];
  return (member >= 0 && member < kEditableGalaxyTypes) ? member : 0;
}

}  // namespace model
