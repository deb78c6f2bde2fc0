#include "settings/galaxy_persistence.h"

#include <algorithm>
#include <variant>
#include <vector>

#include "model/galaxy_types.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "runtime/numbers.h"
#include "settings/record_clamps.h"
#include "store/typed_readers.h"
#include "settings/template_file.h"

namespace settings {

namespace {

using model::GalaxyTypeProps;

// One main value of the record: its value name, the member that holds it and the text of its
// default. Booleans are stored as "1" or "0".
struct MainValue {
  const char* name;
  std::variant<int32_t GalaxyTypeProps::*, float GalaxyTypeProps::*, bool GalaxyTypeProps::*> field;
  const char* def;
};

// The values between the name and the IFS count, in the order the registry reader, the
// registry writer and the template reader handle them.
const std::vector<MainValue>& MainValues() {
  static const std::vector<MainValue> v = {
      {"Galaxy_HueRed", &GalaxyTypeProps::Galaxy_HueRed, "100"},
      {"Galaxy_HueGrn", &GalaxyTypeProps::Galaxy_HueGrn, "100"},
      {"Galaxy_HueBlu", &GalaxyTypeProps::Galaxy_HueBlu, "100"},
      {"Galaxy_HueBase", &GalaxyTypeProps::Galaxy_HueBase, "0"},
      {"Galaxy_DX_Blend", &GalaxyTypeProps::Galaxy_DX_Blend, "70"},
      {"Galaxy_Radius", &GalaxyTypeProps::Galaxy_Radius, "300"},
      {"Galaxy_Rotation", &GalaxyTypeProps::Galaxy_Rotation, "500"},
      {"Galaxy_Distance", &GalaxyTypeProps::Galaxy_Distance, "400"},
      {"Galaxy_RadSegs", &GalaxyTypeProps::Galaxy_RadSegs, "1"},
      {"Galaxy_RadFill", &GalaxyTypeProps::Galaxy_RadFill, "100"},
      {"Galaxy_RadBands", &GalaxyTypeProps::Galaxy_RadBands, "1"},
      {"Galaxy_RadBFill", &GalaxyTypeProps::Galaxy_RadBFill, "100"},
      {"Galaxy_ColorMult", &GalaxyTypeProps::Galaxy_ColorMult, "1800"},
      {"Galaxy_NewFreq", &GalaxyTypeProps::Galaxy_NewFreq, "400"},
      {"Galaxy_NewFrames", &GalaxyTypeProps::Galaxy_NewFrames, "8"},
      {"Galaxy_NewExtMult", &GalaxyTypeProps::Galaxy_NewExtMult, "100"},
      {"Galaxy_NovaFreq", &GalaxyTypeProps::Galaxy_NovaFreq, "320"},
      {"Galaxy_NovaFrames", &GalaxyTypeProps::Galaxy_NovaFrames, "30"},
      {"Galaxy_NovaExtMult", &GalaxyTypeProps::Galaxy_NovaExtMult, "600"},
      {"Galaxy_PulsarFreq", &GalaxyTypeProps::Galaxy_PulsarFreq, "0"},
      {"Galaxy_PulsarDepth", &GalaxyTypeProps::Galaxy_PulsarDepth, "100"},
      {"Galaxy_PulsarShape", &GalaxyTypeProps::Galaxy_PulsarShape, "0"},
      {"Galaxy_PulsarCycles", &GalaxyTypeProps::Galaxy_PulsarCycles, "1"},
      {"Galaxy_PulsarFrames", &GalaxyTypeProps::Galaxy_PulsarFrames, "40"},
      {"Galaxy_PulsarMinExt", &GalaxyTypeProps::Galaxy_PulsarMinExt, "50"},
      {"Galaxy_PulsarMaxExt", &GalaxyTypeProps::Galaxy_PulsarMaxExt, "1000"},
      {"Galaxy_CometFreq", &GalaxyTypeProps::Galaxy_CometFreq, "400"},
      {"Galaxy_CometStars", &GalaxyTypeProps::Galaxy_CometStars, "60"},
      {"Galaxy_CometOrbit", &GalaxyTypeProps::Galaxy_CometOrbit, "100"},
      {"Galaxy_CometSpeed", &GalaxyTypeProps::Galaxy_CometSpeed, "50"},
      {"Galaxy_CometSWind", &GalaxyTypeProps::Galaxy_CometSWind, "200"},
      {"Galaxy_CometSPersist", &GalaxyTypeProps::Galaxy_CometSPersist, "0.95"},
      {"Galaxy_CometCPersist", &GalaxyTypeProps::Galaxy_CometCPersist, "0.9975"},
      {"Galaxy_CometVector", &GalaxyTypeProps::Galaxy_CometVector, "0"},
      {"Galaxy_HWC_Start", &GalaxyTypeProps::Galaxy_HWC_Start, "140"},
      {"Galaxy_HWC_End", &GalaxyTypeProps::Galaxy_HWC_End, "220"},
      {"Galaxy_HWC_Inc", &GalaxyTypeProps::Galaxy_HWC_Inc, "0"},
      {"Galaxy_GHW_Ratio", &GalaxyTypeProps::Galaxy_GHW_Ratio, "0.3"},
      {"Galaxy_RadiusExp", &GalaxyTypeProps::Galaxy_RadiusExp, "1.15"},
      {"Galaxy_HeightExp", &GalaxyTypeProps::Galaxy_HeightExp, "2"},
      {"Galaxy_AngleTilt", &GalaxyTypeProps::Galaxy_AngleTilt, "170"},
      {"Galaxy_AngleTInc", &GalaxyTypeProps::Galaxy_AngleTInc, "0.0"},
      {"Galaxy_HWheelInc", &GalaxyTypeProps::Galaxy_HWheelInc, "0.005"},
      {"Galaxy_GalStyle", &GalaxyTypeProps::Galaxy_GalStyle, "0"},
      {"Galaxy_AxisPlane", &GalaxyTypeProps::Galaxy_AxisPlane, "0"},
      {"Galaxy_ColorComp", &GalaxyTypeProps::Galaxy_ColorComp, "3"},
      {"Galaxy_HueStart", &GalaxyTypeProps::Galaxy_HueStart, "240"},
      {"Galaxy_Profile", &GalaxyTypeProps::Galaxy_Profile, "0"},
      {"Galaxy_CP_Points", &GalaxyTypeProps::Galaxy_CP_Points, "8"},
      {"Galaxy_CP_Steps", &GalaxyTypeProps::Galaxy_CP_Steps, "500"},
      {"Galaxy_CP_B_Pts", &GalaxyTypeProps::Galaxy_CP_B_Pts, "1"},
      {"Galaxy_CP_B_Exp", &GalaxyTypeProps::Galaxy_CP_B_Exp, "100"},
      {"Galaxy_CP_B_Spd", &GalaxyTypeProps::Galaxy_CP_B_Spd, "0"},
      {"Galaxy_CP_Close", &GalaxyTypeProps::Galaxy_CP_Close, "1"},
      {"Galaxy_CP_AdvHW", &GalaxyTypeProps::Galaxy_CP_AdvHW, "0"},
      {"Galaxy_QG_Force", &GalaxyTypeProps::Galaxy_QG_Force, "5"},
      {"Galaxy_StdLevels", &GalaxyTypeProps::Galaxy_StdLevels, "1"},
      {"Galaxy_StdLevDRad", &GalaxyTypeProps::Galaxy_StdLevDRad, "300"},
      {"Galaxy_StdLevHSca", &GalaxyTypeProps::Galaxy_StdLevHSca, "1"},
      {"Galaxy_StdLevB_HS", &GalaxyTypeProps::Galaxy_StdLevB_HS, "0"},
      {"Galaxy_StdLevB_A0", &GalaxyTypeProps::Galaxy_StdLevB_A0, "0"},
      {"Galaxy_StdLevB_A1", &GalaxyTypeProps::Galaxy_StdLevB_A1, "0"},
  };
  return v;
}

// The template writer's order: as above, but the pulsar shape follows the largest extent.
const std::vector<const MainValue*>& TemplateWriteOrder() {
  static const std::vector<const MainValue*> order = [] {
    std::vector<const MainValue*> o;
    const MainValue* shape = nullptr;
    for (const MainValue& v : MainValues()) {
      if (std::string_view(v.name) == "Galaxy_PulsarShape") {
        shape = &v;
        continue;
      }
      o.push_back(&v);
      if (std::string_view(v.name) == "Galaxy_PulsarMaxExt") o.push_back(shape);
    }
    return o;
  }();
  return order;
}

bool ValidIndex(int32_t n) { return n >= 0 && n < model::kGalaxyTypeCount; }

std::string IfsRowName(int32_t i) { return "IFS_P" + runtime::LongToText(i); }
std::string AtomRowName(int32_t i) { return std::string("Atom_P") + (i < 10 ? "0" : "") + runtime::LongToText(i); }

// One of the two sub-blocks of a record as both forms store it: the sub-key, the count and
// centre values, the seven columns of a row in row order, the row names, and the one column
// beyond the rows that a count of 0 clears too (the IFS running sum, the atom position counts).
template <class Block, int Rows>
struct SubBlock {
  const char* key;
  const char* countName;
  int32_t Block::*count;
  std::array<const char*, 3> centreNames;
  std::array<int32_t Block::*, 3> centre;
  std::array<std::array<int32_t, Rows> Block::*, 7> columns;
  std::string (*rowName)(int32_t);
  std::array<int32_t, Rows> Block::*alsoCleared;
};

using model::AtomBlock;
using model::IfsBlock;

constexpr SubBlock<IfsBlock, model::kMaxIfsPoints> kIfsRows = {
    "IFS",
    "Galaxy_IFS_Points",
    &IfsBlock::Galaxy_IFS_Points,
    {"IFS_CenterX", "IFS_CenterY", "IFS_CenterZ"},
    {&IfsBlock::IFS_CenterX, &IfsBlock::IFS_CenterY, &IfsBlock::IFS_CenterZ},
    {&IfsBlock::IfsX, &IfsBlock::IfsY, &IfsBlock::IfsZ, &IfsBlock::IfsScale, &IfsBlock::IfsAxis,
     &IfsBlock::IfsAngle, &IfsBlock::IfsPct},
    IfsRowName,
    &IfsBlock::IfsCumPct,
};

constexpr SubBlock<AtomBlock, model::kMaxAtoms> kAtomRows = {
    "ATOMIC",
    "Galaxy_Atoms",
    &AtomBlock::Galaxy_Atoms,
    {"Atom_CenterX", "Atom_CenterY", "Atom_CenterZ"},
    {&AtomBlock::Atom_CenterX, &AtomBlock::Atom_CenterY, &AtomBlock::Atom_CenterZ},
    {&AtomBlock::AtomElement, &AtomBlock::AtomX, &AtomBlock::AtomY, &AtomBlock::AtomZ,
     &AtomBlock::AtomType, &AtomBlock::AtomRadius, &AtomBlock::AtomExtra},
    AtomRowName,
    &AtomBlock::AtomPoints,
};

template <class Block, int Rows>
std::string SubSection(const SubBlock<Block, Rows>& d, std::string_view section) {
  return std::string(section) + "\\" + d.key;
}

// Rows below the count, never beyond the arrays.
template <class Block, int Rows>
int32_t RowsInUse(const SubBlock<Block, Rows>& d, const Block& b) {
  return std::clamp(b.*d.count, 0, Rows);
}

// A count of 0 leaves no points: the centre and the point arrays go to 0.
template <class Block, int Rows>
void ClearSubBlock(const SubBlock<Block, Rows>& d, Block& b) {
  for (int32_t Block::*c : d.centre) b.*c = 0;
  for (std::array<int32_t, Rows> Block::*c : d.columns) (b.*c).fill(0);
  (b.*d.alsoCleared).fill(0);
}

template <class Block, int Rows>
std::array<int32_t, 7> RowOf(const SubBlock<Block, Rows>& d, const Block& b, int32_t i) {
  std::array<int32_t, 7> f{};
  for (size_t j = 0; j < f.size(); ++j) f[j] = (b.*d.columns[j])[static_cast<size_t>(i)];
  return f;
}

template <class Block, int Rows>
void SetRow(const SubBlock<Block, Rows>& d, Block& b, int32_t i, std::string_view row) {
  std::array<int32_t, 7> f = RowOf(d, b, i);
  ParseRecordRow(row, f);
  for (size_t j = 0; j < f.size(); ++j) (b.*d.columns[j])[static_cast<size_t>(i)] = f[j];
}

// A sub-block is read the same way from either form; `text` gives a value's text (or the
// default's), `whole` converts a count or centre into its field.
template <class Block, int Rows, class TextOf, class WholeOf>
void ReadSubBlock(const SubBlock<Block, Rows>& d, Block& b, std::string_view section, TextOf text,
                  WholeOf whole) {
  whole(section, d.countName, b.*d.count);
  if (b.*d.count == 0) {
    ClearSubBlock(d, b);
    return;
  }
  const std::string sub = SubSection(d, section);
  for (size_t k = 0; k < d.centre.size(); ++k) whole(sub, d.centreNames[k], b.*d.centre[k]);
  for (int32_t i = 0; i < RowsInUse(d, b); ++i) SetRow(d, b, i, text(sub, d.rowName(i)));
}

template <class TextOf, class WholeOf>
void ReadSubBlocks(GalaxyTypeProps& g, std::string_view section, TextOf text, WholeOf whole) {
  ReadSubBlock(kIfsRows, g.Ifs, section, text, whole);
  ReadSubBlock(kAtomRows, g.Atoms, section, text, whole);
}

// The centre and the rows in use under the sub-key, through `write`; nothing while the
// count is 0 or below.
template <class Block, int Rows, class Write>
void WriteSubBlockRows(const SubBlock<Block, Rows>& d, const Block& b, std::string_view section, Write write) {
  if (b.*d.count <= 0) return;
  const std::string sub = SubSection(d, section);
  for (size_t k = 0; k < d.centre.size(); ++k) write(sub, d.centreNames[k], b.*d.centre[k]);
  for (int32_t i = 0; i < RowsInUse(d, b); ++i) write(sub, d.rowName(i), FormatRecordRow(RowOf(d, b, i)));
}

void SaveToRegistry(std::string_view section, std::string_view name, const runtime::TextValue& value) {
  store::SaveRegSetting(section, name, value);
}
void SaveToTemplate(std::string_view section, std::string_view name, const runtime::TextValue& value) {
  WriteTemplateValue(section, name, value);
}

// The registry's sub-key is rewritten whole, so rows of a larger earlier count never survive.
template <class Block, int Rows>
void WriteSubBlockReg(const SubBlock<Block, Rows>& d, const Block& b, std::string_view section) {
  store::SaveRegSetting(section, d.countName, b.*d.count);
  store::DeleteRegKey(store::kAppKey, section, d.key);
  WriteSubBlockRows(d, b, section, SaveToRegistry);
}

runtime::TextValue ValueText(const GalaxyTypeProps& g, const MainValue& v) {
  if (auto p = std::get_if<int32_t GalaxyTypeProps::*>(&v.field)) return g.*(*p);
  if (auto p = std::get_if<float GalaxyTypeProps::*>(&v.field)) return g.*(*p);
  return (g.*std::get<bool GalaxyTypeProps::*>(v.field)) ? "1" : "0";
}

}  // namespace

std::string FormatRecordRow(const std::array<int32_t, 7>& fields) {
  std::string row = "*";
  for (int32_t f : fields) {
    const std::string digits = runtime::LongToText(std::clamp(f, -9999, 99999));
    row += std::string(5 - digits.size(), ' ') + digits;
  }
  return row;
}

void ParseRecordRow(std::string_view row, std::array<int32_t, 7>& fields) {
  for (size_t j = 0; j < fields.size(); ++j) {
    const size_t start = 1 + 5 * j;
    const std::string_view cell = start < row.size() ? row.substr(start, 5) : std::string_view{};
    if (const auto whole = runtime::ToLong(runtime::Val(cell))) fields[j] = *whole;
  }
}

std::string GalaxyRegSection(int32_t n) { return "Universe\\Galaxy" + runtime::LongToText(n); }
std::string GalaxyTemplateSection(int32_t n) { return "UniGal" + runtime::LongToText(n); }

void ReadGalaxyReg(int32_t n, std::string_view section) {
  if (!ValidIndex(n)) return;
  GalaxyTypeProps& g = model::records().GalaxyTypes[n];
  g._UniGalPct = store::GetSettingLong(section, "_UniGalPct", 0);
  g._UniGalName = store::GetSettingString(section, "_UniGalName", model::DefaultGalaxyName(n));
  for (const MainValue& v : MainValues()) {
    if (auto p = std::get_if<int32_t GalaxyTypeProps::*>(&v.field)) {
      g.*(*p) = store::GetSettingLong(section, v.name, store::TextToLong(v.def, 0));
    } else if (auto p = std::get_if<float GalaxyTypeProps::*>(&v.field)) {
      g.*(*p) = store::GetSettingSingle(section, v.name, v.def);
    } else {
      g.*std::get<bool GalaxyTypeProps::*>(v.field) = store::GetSettingLong(section, v.name, 0) == 1;
    }
  }
  ReadSubBlocks(
      g, section,
      [](std::string_view sec, const std::string& key) { return store::GetSettingString(sec, key, ""); },
      [](std::string_view sec, std::string_view key, int32_t& field) { field = store::GetSettingLong(sec, key, 0); });
}

void WriteGalaxyReg(int32_t n, std::string_view section) {
  if (!ValidIndex(n)) return;
  const GalaxyTypeProps& g = model::records().GalaxyTypes[n];
  store::SaveRegSetting(section, "_UniGalPct", g._UniGalPct);
  store::SaveRegSetting(section, "_UniGalName", g._UniGalName);
  for (const MainValue& v : MainValues()) store::SaveRegSetting(section, v.name, ValueText(g, v));

  WriteSubBlockReg(kIfsRows, g.Ifs, section);
  WriteSubBlockReg(kAtomRows, g.Atoms, section);
}

void ReadGalaxyTemplate(int32_t n, std::string_view section) {
  if (!ValidIndex(n)) return;
  GalaxyTypeProps& g = model::records().GalaxyTypes[n];
  // A value that is present but does not convert leaves its field as it was; a missing one
  // takes the default.
  TemplateTextToInteger(store::ReadTemplateValue(section, "_UniGalPct", "0"), g._UniGalPct);
  g._UniGalName = store::ReadTemplateValue(section, "_UniGalName", model::DefaultGalaxyName(n));
  for (const MainValue& v : MainValues()) {
    const std::string text = store::ReadTemplateValue(section, v.name, v.def);
    if (auto p = std::get_if<int32_t GalaxyTypeProps::*>(&v.field)) {
      TemplateTextToLong(text, g.*(*p));
    } else if (auto p = std::get_if<float GalaxyTypeProps::*>(&v.field)) {
      TemplateTextToSingle(text, g.*(*p));
    } else {
      g.*std::get<bool GalaxyTypeProps::*>(v.field) = text == "1";
    }
  }
  ReadSubBlocks(
      g, section,
      [](std::string_view sec, const std::string& key) { return store::ReadTemplateValue(sec, key, ""); },
      [](std::string_view sec, std::string_view key, int32_t& field) {
        TemplateTextToLong(store::ReadTemplateValue(sec, key, "0"), field);
      });
}

void WriteGalaxyTemplate(int32_t n, std::string_view section) {
  if (!ValidIndex(n)) return;
  const GalaxyTypeProps& g = model::records().GalaxyTypes[n];
  WriteTemplateValue(section, "_UniGalName", g._UniGalName);
  WriteTemplateValue(section, "_UniGalPct", g._UniGalPct);
  for (const MainValue* v : TemplateWriteOrder()) WriteTemplateValue(section, v->name, ValueText(g, *v));
  WriteTemplateValue(section, kIfsRows.countName, g.Ifs.Galaxy_IFS_Points);
  WriteTemplateValue(section, kAtomRows.countName, g.Atoms.Galaxy_Atoms);
  WriteSubBlockRows(kIfsRows, g.Ifs, section, SaveToTemplate);
  WriteSubBlockRows(kAtomRows, g.Atoms, section, SaveToTemplate);
}

void LoadAllGalaxiesReg() {
  LoadClampedRecords(model::kEditableGalaxyTypes, ReadGalaxyReg, GalaxyRegSection, ClampGalaxyRecord);
}

void SaveAllGalaxiesReg() {
  SaveClampedRecords(model::kEditableGalaxyTypes, WriteGalaxyReg, GalaxyRegSection, ClampGalaxyRecord);
}

std::vector<int32_t> LoadAllGalaxiesTemplate() {
  return LoadClampedTemplateRecords(model::kEditableGalaxyTypes, ReadGalaxyTemplate, GalaxyTemplateSection,
                                    ClampGalaxyRecord);
}

void SaveAllGalaxiesTemplate() {
  SaveClampedRecords(model::kEditableGalaxyTypes, WriteGalaxyTemplate, GalaxyTemplateSection, ClampGalaxyRecord);
}

}  // namespace settings
