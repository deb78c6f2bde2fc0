// Composite galaxy records 0 to 15 in their two persistent forms.
//
// Registry, section "Universe\CompGal<c>": _CompGalPct, _CompGalName, CompGal_Count and
// CompGal_Type<k> for the members in use. Slots beyond the count are neither written nor
// deleted, and never read.
// Template, section "CompGal<c>": _CompGalName, _CompGalPct, _CompGalCount and
// GalaxyIndex_<k>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// One record (c = 0 to 15; other indices do nothing) from or to one section.
void ReadCompositeReg(int32_t c, std::string_view section);
void WriteCompositeReg(int32_t c, std::string_view section);
void ReadCompositeTemplate(int32_t c, std::string_view section);
void WriteCompositeTemplate(int32_t c, std::string_view section);

// All 16 records. Loads clamp after reading; the template save clamps before writing; the
// registry save writes the records as they are. The template load reads only the composites
// whose section "CompGal<c>" the template holds and returns their indices; the others keep
// their records.
void LoadAllCompositesReg();
void SaveAllCompositesReg();
std::vector<int32_t> LoadAllCompositesTemplate();
void SaveAllCompositesTemplate();

// "Universe\CompGal<c>" and "CompGal<c>".
std::string CompositeRegSection(int32_t c);
std::string CompositeTemplateSection(int32_t c);

}  // namespace settings
