#include "settings/composites.h"

#include <algorithm>

#include "model/galaxy_types.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "runtime/numbers.h"
#include "settings/record_clamps.h"
#include "store/typed_readers.h"
#include "settings/template_file.h"

namespace settings {

namespace {

bool ValidIndex(int32_t c) { return c >= 0 && c < model::kCompositeCount; }

// Member slots below the count, never beyond the array.
int32_t MembersInUse(const model::CompositeRecord& r) {
  return std::clamp(r.CompGal_Count, 0, model::kCompositeMembers);
}

std::string RegMemberName(int32_t k) { return "CompGal_Type" + runtime::LongToText(k); }
std::string TemplateMemberName(int32_t k) { return "GalaxyIndex_" + runtime::LongToText(k); }

}  // namespace

std::string CompositeRegSection(int32_t c) { return "Universe\\CompGal" + runtime::LongToText(c); }
std::string CompositeTemplateSection(int32_t c) { return "CompGal" + runtime::LongToText(c); }

void ReadCompositeReg(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  model::CompositeRecord& r = model::records().CompositeGalaxies[c];
  r._CompGalPct = store::GetSettingLong(section, "_CompGalPct", 0);
  r._CompGalName = store::GetSettingString(section, "_CompGalName", model::DefaultCompositeName(c));
  r.CompGal_Count = store::GetSettingLong(section, "CompGal_Count", 0);
  for (int32_t k = 0; k < MembersInUse(r); ++k) r.CompGal_Type[k] = store::GetSettingLong(section, RegMemberName(k), 0);
}

void WriteCompositeReg(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  const model::CompositeRecord& r = model::records().CompositeGalaxies[c];
  store::SaveRegSetting(section, "_CompGalPct", r._CompGalPct);
  store::SaveRegSetting(section, "_CompGalName", r._CompGalName);
  store::SaveRegSetting(section, "CompGal_Count", r.CompGal_Count);
  for (int32_t k = 0; k < MembersInUse(r); ++k) store::SaveRegSetting(section, RegMemberName(k), r.CompGal_Type[k]);
}

void ReadCompositeTemplate(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  model::CompositeRecord& r = model::records().CompositeGalaxies[c];
  // Numbers are read as "0" & text: an empty value gives 0, one that does not convert keeps
  // the field's value.
  TemplateTextToInteger(store::ReadTemplateValue(section, "_CompGalPct", "0"), r._CompGalPct);
  r._CompGalName = store::ReadTemplateValue(section, "_CompGalName", model::DefaultCompositeName(c));
  TemplateTextToInteger(store::ReadTemplateValue(section, "_CompGalCount", "0"), r.CompGal_Count);
  for (int32_t k = 0; k < MembersInUse(r); ++k)
    TemplateTextToInteger(store::ReadTemplateValue(section, TemplateMemberName(k), "0"), r.CompGal_Type[k]);
}

void WriteCompositeTemplate(int32_t c, std::string_view section) {
  if (!ValidIndex(c)) return;
  const model::CompositeRecord& r = model::records().CompositeGalaxies[c];
  WriteTemplateValue(section, "_CompGalName", r._CompGalName);
  WriteTemplateValue(section, "_CompGalPct", r._CompGalPct);
  WriteTemplateValue(section, "_CompGalCount", r.CompGal_Count);
  for (int32_t k = 0; k < MembersInUse(r); ++k) WriteTemplateValue(section, TemplateMemberName(k), r.CompGal_Type[k]);
}

void LoadAllCompositesReg() {
  LoadClampedRecords(model::kCompositeCount, ReadCompositeReg, CompositeRegSection, ClampCompositeRecord);
}

void SaveAllCompositesReg() {
  for (int32_t c = 0; c < model::kCompositeCount; ++c) WriteCompositeReg(c, CompositeRegSection(c));
}

std::vector<int32_t> LoadAllCompositesTemplate() {
  return LoadClampedTemplateRecords(model::kCompositeCount, ReadCompositeTemplate, CompositeTemplateSection,
                                    ClampCompositeRecord);
}

void SaveAllCompositesTemplate() {
  SaveClampedRecords(model::kCompositeCount, WriteCompositeTemplate, CompositeTemplateSection, ClampCompositeRecord);
}

}  // namespace settings
