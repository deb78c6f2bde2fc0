#include "settings/record_clamps.h"

#include <array>

#include "model/galaxy_types.h"
#include "store/template_lookup.h"
#include "store/values.h"
#include "runtime/numbers.h"

namespace settings {

namespace {

using store::ClampLong;
using store::ClampSingle;

constexpr std::array<StyleBounds, 10> kStyleBounds = {{
    {1, 99, 100, 1, 99, 100},    // 0 standard
    {1, 99, 100, 0, 360, 100},   // 1
    {4, 10, 100, 1, 99, 100},    // 2
    {4, 10, 100, 0, 100, 100},   // 3
    {1, 20, 9999, 1, 99, 100},   // 4 nebula
    {1, 99, 100, 1, 99, 100},    // 5
    {1, 99, 100, 1, 99, 100},    // 6
    {1, 99, 100, 1, 99, 999},    // 7
    {1, 99, 100, 1, 99, 100},    // 8
    {1, 99, 100, 1, 99, 100},    // 9 molecules
}};

// A fill percent as a whole-valued Single within 0..upper. The rounding is done in floating
// point, so a huge or non-numeric value still lands on a bound.
float ClampWholeSingle(float x, int32_t upper) {
  const float whole = static_cast<float>(runtime::RoundHalfEven(static_cast<double>(x)));
  return ClampSingle(whole, 0.0f, static_cast<float>(upper));
}

// A block's count to 0..capacity and its centre to 0..9999 on each axis.
void ClampCountAndCentre(int32_t& count, int32_t capacity, int32_t& x, int32_t& y, int32_t& z) {
  count = ClampLong(count, 0, capacity);
  x = ClampLong(x, 0, 9999);
  y = ClampLong(y, 0, 9999);
  z = ClampLong(z, 0, 9999);
}

// The bounds of one column of a block's rows.
template <class Block, int Rows>
struct ColumnBounds {
  std::array<int32_t, Rows> Block::*column;
  int32_t lower, upper;
};

using model::AtomBlock;
using model::IfsBlock;

constexpr ColumnBounds<IfsBlock, model::kMaxIfsPoints> kIfsBounds[] = {
    {&IfsBlock::IfsX, 0, 9999},    {&IfsBlock::IfsY, 0, 9999},    {&IfsBlock::IfsZ, 0, 9999},
    {&IfsBlock::IfsScale, 0, 100}, {&IfsBlock::IfsAxis, 0, 2},    {&IfsBlock::IfsAngle, 0, 360},
    {&IfsBlock::IfsPct, 0, 9999},
};

// The structure type comes before X, whose bounds depend on it.
constexpr ColumnBounds<AtomBlock, model::kMaxAtoms> kAtomBounds[] = {
    {&AtomBlock::AtomElement, 1, 17},  {&AtomBlock::AtomType, 0, 11},  {&AtomBlock::AtomX, 0, 9999},
    {&AtomBlock::AtomY, 0, 9999},      {&AtomBlock::AtomZ, 0, 9999},   {&AtomBlock::AtomPoints, 1, 100},
    {&AtomBlock::AtomRadius, 0, 9999}, {&AtomBlock::AtomExtra, 0, 9999},
};

// Row i of a block, column by column in the order of `bounds`.
template <class Block, int Rows, size_t N>
void ClampRow(Block& b, int32_t i, const ColumnBounds<Block, Rows> (&bounds)[N]) {
  for (const ColumnBounds<Block, Rows>& c : bounds) {
    int32_t& v = (b.*c.column)[static_cast<size_t>(i)];
    v = ClampLong(v, c.lower, c.upper);
  }
}

void ClampIfs(IfsBlock& b) {
  ClampCountAndCentre(b.Galaxy_IFS_Points, model::kMaxIfsPoints, b.IFS_CenterX, b.IFS_CenterY, b.IFS_CenterZ);
  for (int32_t i = 0; i < b.Galaxy_IFS_Points; ++i) ClampRow(b, i, kIfsBounds);
}

void ClampAtoms(AtomBlock& b) {
  ClampCountAndCentre(b.Galaxy_Atoms, model::kMaxAtoms, b.Atom_CenterX, b.Atom_CenterY, b.Atom_CenterZ);
  for (int32_t i = 0; i < b.Galaxy_Atoms; ++i) {
    ClampRow(b, i, kAtomBounds);
    // Grid structures keep their points per edge in X.
    if (b.AtomType[i] >= 6 && b.AtomType[i] <= 11) b.AtomX[i] = ClampLong(b.AtomX[i], 1, 99);
  }
}

}  // namespace

StyleBounds StyleBoundsOf(int32_t style) { return kStyleBounds[ClampLong(style, 0, 9)]; }

void ClampGalaxyRecord(int32_t n) {
  if (n < 0 || n >= model::kGalaxyTypeCount) return;
  model::GalaxyTypeProps& g = model::records().GalaxyTypes[n];

  g._UniGalPct = ClampLong(g._UniGalPct, 0, 9999);
  g.Galaxy_HueRed = ClampLong(g.Galaxy_HueRed, 0, 100);
  g.Galaxy_HueGrn = ClampLong(g.Galaxy_HueGrn, 0, 100);
  g.Galaxy_HueBlu = ClampLong(g.Galaxy_HueBlu, 0, 100);
  g.Galaxy_HueBase = ClampLong(g.Galaxy_HueBase, 0, 100);
  g.Galaxy_DX_Blend = ClampLong(g.Galaxy_DX_Blend, 0, 100);
  g.Galaxy_Radius = ClampLong(g.Galaxy_Radius, 1, 30000);
  g.Galaxy_Rotation = ClampLong(g.Galaxy_Rotation, 0, 30000);
  g.Galaxy_Distance = ClampLong(g.Galaxy_Distance, 0, 30000);

  const int32_t style = ClampLong(g.Galaxy_GalStyle, 0, 9);
  const StyleBounds& s = kStyleBounds[style];
  g.Galaxy_RadSegs = ClampLong(g.Galaxy_RadSegs, s.segsMin, s.segsMax);
  g.Galaxy_RadFill = ClampWholeSingle(g.Galaxy_RadFill, s.fillMax);
  g.Galaxy_RadBands = ClampLong(g.Galaxy_RadBands, s.bandsMin, s.bandsMax);
  g.Galaxy_RadBFill = ClampWholeSingle(g.Galaxy_RadBFill, s.bandFillMax);

  g.Galaxy_NewFreq = ClampLong(g.Galaxy_NewFreq, 0, 9999);
  g.Galaxy_NewFrames = ClampLong(g.Galaxy_NewFrames, 0, 99);
  g.Galaxy_NewExtMult = ClampLong(g.Galaxy_NewExtMult, 1, 9999);
  g.Galaxy_NovaFreq = ClampLong(g.Galaxy_NovaFreq, 0, 9999);
  g.Galaxy_NovaFrames = ClampLong(g.Galaxy_NovaFrames, 1, 999);
  g.Galaxy_NovaExtMult = ClampLong(g.Galaxy_NovaExtMult, 1, 9999);
  g.Galaxy_PulsarFreq = ClampLong(g.Galaxy_PulsarFreq, 0, 9999);
  g.Galaxy_PulsarDepth = ClampLong(g.Galaxy_PulsarDepth, 0, 9999);
  g.Galaxy_PulsarShape = ClampLong(g.Galaxy_PulsarShape, 0, 4);
  g.Galaxy_PulsarCycles = ClampLong(g.Galaxy_PulsarCycles, 1, 99);
  g.Galaxy_PulsarFrames = ClampLong(g.Galaxy_PulsarFrames, 1, 99);
  g.Galaxy_PulsarMinExt = ClampLong(g.Galaxy_PulsarMinExt, 1, 9999);
  g.Galaxy_PulsarMaxExt = ClampLong(g.Galaxy_PulsarMaxExt, 1, 9999);
  g.Galaxy_CometFreq = ClampLong(g.Galaxy_CometFreq, 0, 9999);
  g.Galaxy_CometStars = ClampLong(g.Galaxy_CometStars, 1, 999);
  g.Galaxy_CometOrbit = ClampLong(g.Galaxy_CometOrbit, 0, 9999);
  g.Galaxy_CometSpeed = ClampLong(g.Galaxy_CometSpeed, 0, 9999);
  g.Galaxy_CometSWind = ClampLong(g.Galaxy_CometSWind, 0, 9999);
  g.Galaxy_CometSPersist = ClampSingle(g.Galaxy_CometSPersist, 0.1f, 0.9999f);
  g.Galaxy_CometCPersist = ClampSingle(g.Galaxy_CometCPersist, 0.1f, 0.9999f);
  g.Galaxy_HWC_Start = ClampLong(g.Galaxy_HWC_Start, 0, 999);
  g.Galaxy_HWC_End = ClampLong(g.Galaxy_HWC_End, 0, 999);
  g.Galaxy_HWC_Inc = ClampSingle(g.Galaxy_HWC_Inc, 0.0f, 1.0f);
  g.Galaxy_GHW_Ratio = ClampSingle(g.Galaxy_GHW_Ratio, 0.0f, 99.9f);
  g.Galaxy_RadiusExp = ClampSingle(g.Galaxy_RadiusExp, 0.0f, 99.9f);
  g.Galaxy_HeightExp = ClampSingle(g.Galaxy_HeightExp, 0.0f, 99.9f);
  g.Galaxy_AngleTilt = ClampSingle(g.Galaxy_AngleTilt, 0.0f, 360.0f);
  g.Galaxy_AngleTInc = ClampSingle(g.Galaxy_AngleTInc, 0.0f, 360.0f);
  g.Galaxy_HWheelInc = ClampSingle(g.Galaxy_HWheelInc, 0.0f, 360.0f);
  g.Galaxy_ColorMult = ClampLong(g.Galaxy_ColorMult, 0, 30000);
  g.Galaxy_GalStyle = style;
  g.Galaxy_AxisPlane = ClampLong(g.Galaxy_AxisPlane, 0, 1);
  g.Galaxy_ColorComp = ClampLong(g.Galaxy_ColorComp, 0, 6);
  g.Galaxy_HueStart = ClampLong(g.Galaxy_HueStart, 0, 359);
  g.Galaxy_Profile = ClampLong(g.Galaxy_Profile, 0, 6);
  g.Galaxy_CP_Points = ClampLong(g.Galaxy_CP_Points, 1, 20);
  g.Galaxy_CP_Steps = ClampLong(g.Galaxy_CP_Steps, 0, 9999);
  g.Galaxy_CP_B_Pts = ClampLong(g.Galaxy_CP_B_Pts, 1, 99);
  g.Galaxy_CP_B_Exp = ClampLong(g.Galaxy_CP_B_Exp, 0, 100);
  g.Galaxy_CP_B_Spd = ClampLong(g.Galaxy_CP_B_Spd, 0, 999);
  g.Galaxy_CP_Close = ClampLong(g.Galaxy_CP_Close, 0, 1);
  g.Galaxy_CP_AdvHW = ClampLong(g.Galaxy_CP_AdvHW, 0, 1);
  g.RibbonPhase = 0.0f;
  g.Galaxy_QG_Force = ClampSingle(g.Galaxy_QG_Force, 0.0f, 99.9f);
  g.Galaxy_StdLevels = ClampLong(g.Galaxy_StdLevels, 1, model::kMaxLevels);

  ClampIfs(g.Ifs);
  ClampAtoms(g.Atoms);

  g.OrbitAngle = 0.0f;
  g.SpinAngle = 0.0f;
}

void ClampCompositeRecord(int32_t n) {
  if (n < 0 || n >= model::kCompositeCount) return;
  model::CompositeRecord& c = model::records().CompositeGalaxies[n];
  c._CompGalPct = ClampLong(c._CompGalPct, 0, 9999);
  c.CompGal_Count = ClampLong(c.CompGal_Count, 0, model::kCompositeMembers);
  for (int32_t k = 0; k < c.CompGal_Count; ++k)
    c.CompGal_Type[k] = ClampLong(c.CompGal_Type[k], 0, model::kEditableGalaxyTypes - 1);
}

void LoadClampedRecords(int32_t count, RecordTransfer read, std::string (*section)(int32_t),
                        void (*clamp)(int32_t)) {
  for (int32_t n = 0; n < count; ++n) {
    read(n, section(n));
    clamp(n);
  }
}

std::vector<int32_t> LoadClampedTemplateRecords(int32_t count, RecordTransfer read,
                                                std::string (*section)(int32_t), void (*clamp)(int32_t)) {
  std::vector<int32_t> loaded;
  for (int32_t n = 0; n < count; ++n) {
    const std::string name = section(n);
    if (!store::TemplateHasSection(name)) continue;
    read(n, name);
    clamp(n);
    loaded.push_back(n);
  }
  return loaded;
}

void SaveClampedRecords(int32_t count, RecordTransfer write, std::string (*section)(int32_t),
                        void (*clamp)(int32_t)) {
  for (int32_t n = 0; n < count; ++n) {
    clamp(n);
    write(n, section(n));
  }
}

}  // namespace settings
