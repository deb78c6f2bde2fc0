#include "settings/composites.h"

#include <algorithm>

#include "engine/core/galaxy_types.h"
#include "host/services/registry_access.h"
#include "host/services/template_lookup.h"
#include "runtime/numbers.h"
#include "settings/record_clamps.h"
#include "settings/store/typed_readers.h"
#include "settings/template_file.h"

namespace settings {

namespace {

bool ValidIndex(int32_t c) { return c >= 0 && c < engine::kCompositeCount; }

// Member slots below the count, never beyond the array.
int32_t MembersInUse(const engine::CompositeRecord& r) {
  return std::clamp(r.CompGal_Count, 0, engine::kCompositeMembers);
}

std::string RegMemberName(int32_t k) { return "CompGal_Type" + runtime::LongToText(k); }
std::string TemplateMemberName(int32_t k) { return "GalaxyIndex_" + runtime::LongToText(k); }

}  // namespace

std::string CompositeRegSection(int32_t c) { return "Universe\\CompGal" + runtime::LongToText(c); }
std::string CompositeTemplateSection(int32_t c) { return "CompGal" + runtime::LongToText(c); }

void ReadCompositeReg(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  engine::CompositeRecord& r = engine::records().CompositeGalaxies[c];
  r._CompGalPct = GetSettingLong(section, "_CompGalPct", 0);
  r._CompGalName = GetSettingString(section, "_CompGalName", engine::DefaultCompositeName(c));
  r.CompGal_Count = GetSettingLong(section, "CompGal_Count", 0);
  for (int32_t k = 0; k < MembersInUse(r); ++k) r.CompGal_Type[k] = GetSettingLong(section, RegMemberName(k), 0);
}

void WriteCompositeReg(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  const engine::CompositeRecord& r = engine::records().CompositeGalaxies[c];
  host::SaveRegSetting(section, "_CompGalPct", r._CompGalPct);
  host::SaveRegSetting(section, "_CompGalName", r._CompGalName);
  host::SaveRegSetting(section, "CompGal_Count", r.CompGal_Count);
  for (int32_t k = 0; k < MembersInUse(r); ++k) host::SaveRegSetting(section, RegMemberName(k), r.CompGal_Type[k]);
}

void ReadCompositeTemplate(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  engine::CompositeRecord& r = engine::records().CompositeGalaxies[c];
  // Numbers are read as "0" & text: an empty value gives 0, one that does not convert keeps
  // the field's value.
  TemplateTextToInteger(host::ReadTemplateValue(section, "_CompGalPct", "0"), r._CompGalPct);
  r._CompGalName = host::ReadTemplateValue(section, "_CompGalName", engine::DefaultCompositeName(c));
  TemplateTextToInteger(host::ReadTemplateValue(section, "_CompGalCount", "0"), r.CompGal_Count);
  for (int32_t k = 0; k < MembersInUse(r); ++k)
    TemplateTextToInteger(host::ReadTemplateValue(section, TemplateMemberName(k), "0"), r.CompGal_Type[k]);
}

void WriteCompositeTemplate(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  const engine::CompositeRecord& r = engine::records().CompositeGalaxies[c];
  WriteTemplateValue(section, "_CompGalName", r._CompGalName);
  WriteTemplateValue(section, "_CompGalPct", r._CompGalPct);
  WriteTemplateValue(section, "_CompGalCount", r.CompGal_Count);
  for (int32_t k = 0; k < MembersInUse(r); ++k) WriteTemplateValue(section, TemplateMemberName(k), r.CompGal_Type[k]);
}

void LoadAllCompositesReg() {
  LoadClampedRecords(engine::kCompositeCount, ReadCompositeReg, CompositeRegSection, ClampCompositeRecord);
}

void SaveAllCompositesReg() {
  for (int32_t c = 0; c < engine::kCompositeCount; ++c) WriteCompositeReg(c, CompositeRegSection(c));
}

void LoadAllCompositesTemplate() {
  LoadClampedRecords(engine::kCompositeCount, ReadCompositeTemplate, CompositeTemplateSection, ClampCompositeRecord);
}

void SaveAllCompositesTemplate() {
  SaveClampedRecords(engine::kCompositeCount, WriteCompositeTemplate, CompositeTemplateSection, ClampCompositeRecord);
}

}  // namespace settings
