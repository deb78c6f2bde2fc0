#include "settings/factory_galaxies.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "model/galaxy_types.h"
#include "store/values.h"
#include "runtime/numbers.h"
#include "settings/element_table.h"
#include "settings/factory_universe.h"
#include "settings/record_clamps.h"
#include "store/typed_readers.h"

namespace settings {

namespace {

constexpr int32_t kFactoryTypes = 50;

// Column of a row as a whole number (leading number, halves to even); nothing when it does
// not fit a Long, and the caller leaves its field as it was.
std::optional<int32_t> LongColumn(std::string_view row, int32_t column) {
  return runtime::ToLong(runtime::Val(store::GetCsvField(row, column)));
}

// Column of a row as a Single; nothing when the value lies beyond the Single range.
std::optional<float> SingleColumn(std::string_view row, int32_t column) {
  return store::ToSingle(runtime::Val(store::GetCsvField(row, column)));
}

void SetLong(int32_t& field, std::string_view row, int32_t column) {
  if (auto v = LongColumn(row, column)) field = *v;
}

void SetSingle(float& field, std::string_view row, int32_t column) {
  if (auto v = SingleColumn(row, column)) field = *v;
}

using model::AtomBlock;
using model::IfsBlock;

// The seven values of point k lie in columns 72 + 7k onwards, in this order.
template <class Block, int Rows>
using RowColumns = std::array<std::array<int32_t, Rows> Block::*, 7>;

constexpr RowColumns<IfsBlock, model::kMaxIfsPoints> kIfsColumns = {
    &IfsBlock::IfsX,    &IfsBlock::IfsY,     &IfsBlock::IfsZ,   &IfsBlock::IfsScale,
    &IfsBlock::IfsAxis, &IfsBlock::IfsAngle, &IfsBlock::IfsPct,
};
// Element, structure type and the five property values.
constexpr RowColumns<AtomBlock, model::kMaxAtoms> kAtomColumns = {
    &AtomBlock::AtomElement, &AtomBlock::AtomType,   &AtomBlock::AtomX,     &AtomBlock::AtomY,
    &AtomBlock::AtomZ,       &AtomBlock::AtomRadius, &AtomBlock::AtomExtra,
};

template <class Block, class Columns>
void LoadPoint(Block& b, const Columns& columns, std::string_view row, int32_t k) {
  const int32_t c = 72 + 7 * k;
  for (size_t j = 0; j < columns.size(); ++j) {
    SetLong((b.*columns[j])[static_cast<size_t>(k)], row, c + static_cast<int32_t>(j));
  }
}

// A block's centre from columns 69 to 71.
void LoadCentre(int32_t& x, int32_t& y, int32_t& z, std::string_view row) {
  SetLong(x, row, 69);
  SetLong(y, row, 70);
  SetLong(z, row, 71);
}

void LoadIfsPoint(IfsBlock& ifs, std::string_view row, int32_t k) { LoadPoint(ifs, kIfsColumns, row, k); }

// Atom k, then the number of positions of its structure type.
void LoadAtom(AtomBlock& atoms, std::string_view row, int32_t k) {
  LoadPoint(atoms, kAtomColumns, row, k);
  const auto i = static_cast<size_t>(k);
  int32_t positions = 0;
  if (AtomPositionCount(atoms.AtomType[i], positions)) atoms.AtomPoints[i] = positions;
}

}  // namespace

void LoadFactoryPointsAndAtoms(model::GalaxyTypeProps& g, std::string_view row, int32_t style) {
  // The count column carries IFS points for style 8 and atoms for style 9. Entries past a
  // block's capacity are not read.
  const int32_t count = LongColumn(row, 68).value_or(0);
  g.Ifs.Galaxy_IFS_Points = 0;
  if (count > 0 && style == 8) {
    g.Ifs.Galaxy_IFS_Points = std::min(count, model::kMaxIfsPoints);
    LoadCentre(g.Ifs.IFS_CenterX, g.Ifs.IFS_CenterY, g.Ifs.IFS_CenterZ, row);
    for (int32_t k = 0; k < g.Ifs.Galaxy_IFS_Points; ++k) LoadIfsPoint(g.Ifs, row, k);
  }
  g.Atoms.Galaxy_Atoms = 0;
  if (count > 0 && style == 9) {
    g.Atoms.Galaxy_Atoms = std::min(count, model::kMaxAtoms);
    LoadCentre(g.Atoms.Atom_CenterX, g.Atoms.Atom_CenterY, g.Atoms.Atom_CenterZ, row);
    for (int32_t k = 0; k < g.Atoms.Galaxy_Atoms; ++k) LoadAtom(g.Atoms, row, k);
  }
}

FactoryGalaxyState& factoryGalaxies() {
  static FactoryGalaxyState state;
  return state;
}

void InitGalaxyStyleNames() {
  FactoryGalaxyState& s = factoryGalaxies();
  s.GalaxyStyleNames.assign(kFactoryTypes, std::string());
  s.GalaxyStylePcts.assign(kFactoryTypes, 0);
  for (int32_t n = 0; n < kFactoryTypes; ++n) {
    s.GalaxyStyleNames[static_cast<size_t>(n)] = factory_data::kGalaxyNames[n].name;
    s.GalaxyStylePcts[static_cast<size_t>(n)] = factory_data::kGalaxyNames[n].weight;
  }
}

std::string FactoryGalaxyRow(int32_t n) {
  if (n < 1 || n > kFactoryTypes) return "";
  return factory_data::kGalaxyRows[n - 1];
}

void LoadFactoryGalaxy(int32_t n) {
  if (n < 0 || n >= kFactoryTypes) return;
  FactoryGalaxyState& names = factoryGalaxies();
  if (names.GalaxyStyleNames.size() != static_cast<size_t>(kFactoryTypes) ||
      names.GalaxyStylePcts.size() != static_cast<size_t>(kFactoryTypes)) {
    InitGalaxyStyleNames();
  }
  const std::string row = FactoryGalaxyRow(n + 1);
  model::GalaxyTypeProps& g = model::records().GalaxyTypes[static_cast<size_t>(n)];

  g._UniGalName = names.GalaxyStyleNames[static_cast<size_t>(n)];
  g._UniGalPct = names.GalaxyStylePcts[static_cast<size_t>(n)];

  SetLong(g.Galaxy_Radius, row, 0);
  SetLong(g.Galaxy_Rotation, row, 1);
  SetLong(g.Galaxy_Distance, row, 2);
  SetLong(g.Galaxy_GalStyle, row, 3);
  SetLong(g.Galaxy_AxisPlane, row, 4);
  SetLong(g.Galaxy_RadSegs, row, 5);
  SetSingle(g.Galaxy_RadFill, row, 6);
  SetLong(g.Galaxy_RadBands, row, 7);
  SetSingle(g.Galaxy_RadBFill, row, 8);
  SetLong(g.Galaxy_ColorMult, row, 9);
  SetSingle(g.Galaxy_GHW_Ratio, row, 10);
  SetSingle(g.Galaxy_RadiusExp, row, 11);
  SetSingle(g.Galaxy_HeightExp, row, 12);
  SetSingle(g.Galaxy_AngleTilt, row, 13);
  SetSingle(g.Galaxy_AngleTInc, row, 14);
  SetLong(g.Galaxy_HueStart, row, 15);
  SetSingle(g.Galaxy_HWheelInc, row, 16);
  SetLong(g.Galaxy_ColorComp, row, 17);
  SetLong(g.Galaxy_Profile, row, 18);
  SetLong(g.Galaxy_NewFreq, row, 19);
  SetLong(g.Galaxy_NewFrames, row, 20);
  SetLong(g.Galaxy_NewExtMult, row, 21);
  SetLong(g.Galaxy_NovaFreq, row, 22);
  SetLong(g.Galaxy_NovaFrames, row, 23);
  SetLong(g.Galaxy_NovaExtMult, row, 24);
  SetLong(g.Galaxy_PulsarFreq, row, 25);
  SetLong(g.Galaxy_PulsarDepth, row, 26);
  SetLong(g.Galaxy_PulsarCycles, row, 27);
  SetLong(g.Galaxy_PulsarFrames, row, 28);
  SetLong(g.Galaxy_PulsarMinExt, row, 29);
  SetLong(g.Galaxy_PulsarMaxExt, row, 30);
  SetLong(g.Galaxy_PulsarShape, row, 31);
  SetLong(g.Galaxy_CometFreq, row, 35);
  SetLong(g.Galaxy_CometStars, row, 36);
  SetLong(g.Galaxy_CometOrbit, row, 37);
  SetLong(g.Galaxy_CometSpeed, row, 38);
  SetLong(g.Galaxy_CometSWind, row, 39);
  SetSingle(g.Galaxy_CometCPersist, row, 40);
  SetSingle(g.Galaxy_CometSPersist, row, 41);
  g.Galaxy_CometVector = runtime::Val(store::GetCsvField(row, 42)) != 0.0;
  SetLong(g.Galaxy_HWC_Start, row, 43);
  SetLong(g.Galaxy_HWC_End, row, 44);
  SetSingle(g.Galaxy_HWC_Inc, row, 45);
  SetLong(g.Galaxy_HueRed, row, 46);
  SetLong(g.Galaxy_HueGrn, row, 47);
  SetLong(g.Galaxy_HueBlu, row, 48);
  SetLong(g.Galaxy_HueBase, row, 49);
  SetLong(g.Galaxy_DX_Blend, row, 50);
  SetLong(g.Galaxy_CP_Points, row, 51);
  SetLong(g.Galaxy_CP_Steps, row, 52);
  SetLong(g.Galaxy_CP_B_Pts, row, 53);
  SetLong(g.Galaxy_CP_B_Exp, row, 54);
  SetLong(g.Galaxy_CP_B_Spd, row, 55);
  SetLong(g.Galaxy_CP_Close, row, 56);
  SetLong(g.Galaxy_CP_AdvHW, row, 57);
  SetSingle(g.Galaxy_QG_Force, row, 58);
  SetLong(g.Galaxy_StdLevels, row, 59);

  // The level settings belong to stacked galaxies only; a single level keeps what it had.
  if (g.Galaxy_StdLevels > 1) {
    SetLong(g.Galaxy_StdLevDRad, row, 60);
    SetSingle(g.Galaxy_StdLevHSca, row, 61);
    SetLong(g.Galaxy_StdLevB_HS, row, 62);
    SetLong(g.Galaxy_StdLevB_A0, row, 63);
    SetLong(g.Galaxy_StdLevB_A1, row, 64);
  }

  LoadFactoryPointsAndAtoms(g, row, g.Galaxy_GalStyle);

  // Factory values pass through the same clamp as values loaded from storage.
  ClampGalaxyRecord(n);
}

void LoadFactoryDefaults() {
  for (int32_t n = 0; n < kFactoryTypes; ++n) LoadFactoryGalaxy(n);
  LoadFactoryComposites();
}

}  // namespace settings
