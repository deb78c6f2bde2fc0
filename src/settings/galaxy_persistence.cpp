#include "settings/galaxy_persistence.h"

#include <algorithm>
#include <variant>
#include <vector>

#include "engine/core/galaxy_types.h"
#include "host/services/registry_access.h"
#include "host/services/template_lookup.h"
#include "runtime/numbers.h"
#include "settings/record_clamps.h"
#include "settings/store/typed_readers.h"
#include "settings/template_file.h"

namespace settings {

namespace {

using engine::GalaxyTypeProps;

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

bool ValidIndex(int32_t n) { return n >= 0 && n < engine::kGalaxyTypeCount; }

// Rows below the count, never beyond the arrays.
int32_t RowsInUse(int32_t count, int32_t capacity) { return std::clamp(count, 0, capacity); }

std::string IfsRowName(int32_t i) { return "IFS_P" + runtime::LongToText(i); }
std::string AtomRowName(int32_t i) { return std::string("Atom_P") + (i < 10 ? "0" : "") + runtime::LongToText(i); }

std::array<int32_t, 7> IfsRow(const engine::IfsBlock& b, int32_t i) {
  return {b.IfsX[i], b.IfsY[i], b.IfsZ[i], b.IfsScale[i], b.IfsAxis[i], b.IfsAngle[i], b.IfsPct[i]};
}
void SetIfsRow(engine::IfsBlock& b, int32_t i, std::string_view row) {
  std::array<int32_t, 7> f = IfsRow(b, i);
  ParseRecordRow(row, f);
  b.IfsX[i] = f[0];
  b.IfsY[i] = f[1];
  b.IfsZ[i] = f[2];
  b.IfsScale[i] = f[3];
  b.IfsAxis[i] = f[4];
  b.IfsAngle[i] = f[5];
  b.IfsPct[i] = f[6];
}

std::array<int32_t, 7> AtomRow(const engine::AtomBlock& b, int32_t i) {
  return {b.AtomElement[i], b.AtomX[i], b.AtomY[i], b.AtomZ[i], b.AtomType[i], b.AtomRadius[i], b.AtomExtra[i]};
}
void SetAtomRow(engine::AtomBlock& b, int32_t i, std::string_view row) {
  std::array<int32_t, 7> f = AtomRow(b, i);
  ParseRecordRow(row, f);
  b.AtomElement[i] = f[0];
  b.AtomX[i] = f[1];
  b.AtomY[i] = f[2];
  b.AtomZ[i] = f[3];
  b.AtomType[i] = f[4];
  b.AtomRadius[i] = f[5];
  b.AtomExtra[i] = f[6];
}

// A count of 0 leaves no points: the centre and the point arrays go to 0.
void ClearIfs(engine::IfsBlock& b) {
  b.IFS_CenterX = b.IFS_CenterY = b.IFS_CenterZ = 0;
  b.IfsX.fill(0);
  b.IfsY.fill(0);
  b.IfsZ.fill(0);
  b.IfsScale.fill(0);
  b.IfsAxis.fill(0);
  b.IfsAngle.fill(0);
  b.IfsPct.fill(0);
  b.IfsCumPct.fill(0);
}
void ClearAtoms(engine::AtomBlock& b) {
  b.Atom_CenterX = b.Atom_CenterY = b.Atom_CenterZ = 0;
  b.AtomElement.fill(0);
  b.AtomX.fill(0);
  b.AtomY.fill(0);
  b.AtomZ.fill(0);
  b.AtomRadius.fill(0);
}

// The two sub-blocks are read the same way from either form; `text` gives a value's text
// (or the default's), `whole` converts a count or centre into its field.
template <class TextOf, class WholeOf>
void ReadSubBlocks(GalaxyTypeProps& g, std::string_view section, TextOf text, WholeOf whole) {
  whole(section, "Galaxy_IFS_Points", g.Ifs.Galaxy_IFS_Points);
  if (g.Ifs.Galaxy_IFS_Points == 0) {
    ClearIfs(g.Ifs);
  } else {
    const std::string sub = std::string(section) + "\\IFS";
    whole(sub, "IFS_CenterX", g.Ifs.IFS_CenterX);
    whole(sub, "IFS_CenterY", g.Ifs.IFS_CenterY);
    whole(sub, "IFS_CenterZ", g.Ifs.IFS_CenterZ);
    for (int32_t i = 0; i < RowsInUse(g.Ifs.Galaxy_IFS_Points, engine::kMaxIfsPoints); ++i)
      SetIfsRow(g.Ifs, i, text(sub, IfsRowName(i)));
  }
  whole(section, "Galaxy_Atoms", g.Atoms.Galaxy_Atoms);
  if (g.Atoms.Galaxy_Atoms == 0) {
    ClearAtoms(g.Atoms);
  } else {
    const std::string sub = std::string(section) + "\\ATOMIC";
    whole(sub, "Atom_CenterX", g.Atoms.Atom_CenterX);
    whole(sub, "Atom_CenterY", g.Atoms.Atom_CenterY);
    whole(sub, "Atom_CenterZ", g.Atoms.Atom_CenterZ);
    for (int32_t i = 0; i < RowsInUse(g.Atoms.Galaxy_Atoms, engine::kMaxAtoms); ++i)
      SetAtomRow(g.Atoms, i, text(sub, AtomRowName(i)));
  }
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
  GalaxyTypeProps& g = engine::records().GalaxyTypes[n];
  g._UniGalPct = GetSettingLong(section, "_UniGalPct", 0);
  g._UniGalName = GetSettingString(section, "_UniGalName", engine::DefaultGalaxyName(n));
  for (const MainValue& v : MainValues()) {
    if (auto p = std::get_if<int32_t GalaxyTypeProps::*>(&v.field)) {
      g.*(*p) = GetSettingLong(section, v.name, TextToLong(v.def, 0));
    } else if (auto p = std::get_if<float GalaxyTypeProps::*>(&v.field)) {
      g.*(*p) = GetSettingSingle(section, v.name, v.def);
    } else {
      g.*std::get<bool GalaxyTypeProps::*>(v.field) = GetSettingLong(section, v.name, 0) == 1;
    }
  }
  ReadSubBlocks(
      g, section,
      [](std::string_view sec, const std::string& key) { return GetSettingString(sec, key, ""); },
      [](std::string_view sec, std::string_view key, int32_t& field) { field = GetSettingLong(sec, key, 0); });
}

void WriteGalaxyReg(int32_t n, std::string_view section) {
  if (!ValidIndex(n)) return;
  const GalaxyTypeProps& g = engine::records().GalaxyTypes[n];
  host::SaveRegSetting(section, "_UniGalPct", g._UniGalPct);
  host::SaveRegSetting(section, "_UniGalName", g._UniGalName);
  for (const MainValue& v : MainValues()) host::SaveRegSetting(section, v.name, ValueText(g, v));

  // The sub-keys are rewritten whole, so rows of a larger earlier count never survive.
  host::SaveRegSetting(section, "Galaxy_IFS_Points", g.Ifs.Galaxy_IFS_Points);
  host::DeleteRegKey(host::kAppKey, section, "IFS");
  if (g.Ifs.Galaxy_IFS_Points > 0) {
    const std::string sub = std::string(section) + "\\IFS";
    host::SaveRegSetting(sub, "IFS_CenterX", g.Ifs.IFS_CenterX);
    host::SaveRegSetting(sub, "IFS_CenterY", g.Ifs.IFS_CenterY);
    host::SaveRegSetting(sub, "IFS_CenterZ", g.Ifs.IFS_CenterZ);
    for (int32_t i = 0; i < RowsInUse(g.Ifs.Galaxy_IFS_Points, engine::kMaxIfsPoints); ++i)
      host::SaveRegSetting(sub, IfsRowName(i), FormatRecordRow(IfsRow(g.Ifs, i)));
  }
  host::SaveRegSetting(section, "Galaxy_Atoms", g.Atoms.Galaxy_Atoms);
  host::DeleteRegKey(host::kAppKey, section, "ATOMIC");
  if (g.Atoms.Galaxy_Atoms > 0) {
    const std::string sub = std::string(section) + "\\ATOMIC";
    host::SaveRegSetting(sub, "Atom_CenterX", g.Atoms.Atom_CenterX);
    host::SaveRegSetting(sub, "Atom_CenterY", g.Atoms.Atom_CenterY);
    host::SaveRegSetting(sub, "Atom_CenterZ", g.Atoms.Atom_CenterZ);
    for (int32_t i = 0; i < RowsInUse(g.Atoms.Galaxy_Atoms, engine::kMaxAtoms); ++i)
      host::SaveRegSetting(sub, AtomRowName(i), FormatRecordRow(AtomRow(g.Atoms, i)));
  }
}

void ReadGalaxyTemplate(int32_t n, std::string_view section) {
  if (!ValidIndex(n)) return;
  GalaxyTypeProps& g = engine::records().GalaxyTypes[n];
  // A value that is present but does not convert leaves its field as it was; a missing one
  // takes the default.
  TemplateTextToInteger(host::ReadTemplateValue(section, "_UniGalPct", "0"), g._UniGalPct);
  g._UniGalName = host::ReadTemplateValue(section, "_UniGalName", engine::DefaultGalaxyName(n));
  for (const MainValue& v : MainValues()) {
    const std::string text = host::ReadTemplateValue(section, v.name, v.def);
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
      [](std::string_view sec, const std::string& key) { return host::ReadTemplateValue(sec, key, ""); },
      [](std::string_view sec, std::string_view key, int32_t& field) {
        TemplateTextToLong(host::ReadTemplateValue(sec, key, "0"), field);
      });
}

void WriteGalaxyTemplate(int32_t n, std::string_view section) {
  if (!ValidIndex(n)) return;
  const GalaxyTypeProps& g = engine::records().GalaxyTypes[n];
  WriteTemplateValue(section, "_UniGalName", g._UniGalName);
  WriteTemplateValue(section, "_UniGalPct", g._UniGalPct);
  for (const MainValue* v : TemplateWriteOrder()) WriteTemplateValue(section, v->name, ValueText(g, *v));
  WriteTemplateValue(section, "Galaxy_IFS_Points", g.Ifs.Galaxy_IFS_Points);
  WriteTemplateValue(section, "Galaxy_Atoms", g.Atoms.Galaxy_Atoms);
  if (g.Ifs.Galaxy_IFS_Points > 0) {
    const std::string sub = std::string(section) + "\\IFS";
    WriteTemplateValue(sub, "IFS_CenterX", g.Ifs.IFS_CenterX);
    WriteTemplateValue(sub, "IFS_CenterY", g.Ifs.IFS_CenterY);
    WriteTemplateValue(sub, "IFS_CenterZ", g.Ifs.IFS_CenterZ);
    for (int32_t i = 0; i < RowsInUse(g.Ifs.Galaxy_IFS_Points, engine::kMaxIfsPoints); ++i)
      WriteTemplateValue(sub, IfsRowName(i), FormatRecordRow(IfsRow(g.Ifs, i)));
  }
  if (g.Atoms.Galaxy_Atoms > 0) {
    const std::string sub = std::string(section) + "\\ATOMIC";
    WriteTemplateValue(sub, "Atom_CenterX", g.Atoms.Atom_CenterX);
    WriteTemplateValue(sub, "Atom_CenterY", g.Atoms.Atom_CenterY);
    WriteTemplateValue(sub, "Atom_CenterZ", g.Atoms.Atom_CenterZ);
    for (int32_t i = 0; i < RowsInUse(g.Atoms.Galaxy_Atoms, engine::kMaxAtoms); ++i)
      WriteTemplateValue(sub, AtomRowName(i), FormatRecordRow(AtomRow(g.Atoms, i)));
  }
}

void LoadAllGalaxiesReg() {
  for (int32_t n = 0; n < engine::kEditableGalaxyTypes; ++n) {
    ReadGalaxyReg(n, GalaxyRegSection(n));
    ClampGalaxyRecord(n);
  }
}

void SaveAllGalaxiesReg() {
  for (int32_t n = 0; n < engine::kEditableGalaxyTypes; ++n) {
    ClampGalaxyRecord(n);
    WriteGalaxyReg(n, GalaxyRegSection(n));
  }
}

void LoadAllGalaxiesTemplate() {
  for (int32_t n = 0; n < engine::kEditableGalaxyTypes; ++n) {
    ReadGalaxyTemplate(n, GalaxyTemplateSection(n));
    ClampGalaxyRecord(n);
  }
}

void SaveAllGalaxiesTemplate() {
  for (int32_t n = 0; n < engine::kEditableGalaxyTypes; ++n) {
    ClampGalaxyRecord(n);
    WriteGalaxyTemplate(n, GalaxyTemplateSection(n));
  }
}

}  // namespace settings
