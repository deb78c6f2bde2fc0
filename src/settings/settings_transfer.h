// Moving a whole settings set between a template file and the stored settings. The roads that
// involve the Properties dialog's fields live with the dialog; the tables of value names and
// defaults here are shared by all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/template_file.h"

namespace settings {

struct NamedDefault {
  const char* name;
  const char* def;
};

// Section "Advanced": the 23 values every template carries, in template order, then the three
// random-variation values that templates do not carry.
inline constexpr NamedDefault kAdvancedValues[] = {
    {"FocalLength", "1"},     {"Adv_TimeDelay", "10"},   {"Adv_EffectFPC", "0"},    {"Adv_PerfMult", "1"},
    {"Adv_ZidiCycle", "1"},   {"Adv_ThemeFlags", "0"},   {"LockMessage", ""},       {"Adv_FontName", "Arial"},
    {"Adv_FontSize", "12"},   {"Adv_FontHueV", "180"},   {"Adv_FontTOff", "2"},     {"Adv_FontHInc", "10"},
    {"Adv_CMinutes", "0"},    {"Adv_TimeText", ""},      {"Adv_ZeroText", ""},      {"Adv_MouseMove", "0"},
    {"Adv_ScreenCapt", "0"},  {"Adv_DispTempName", "0"}, {"Adv_MultiMonitor", "0"}, {"Adv_HWB_Start", "0"},
    {"Adv_HWB_Level", "0"},   {"Adv_HWB_BSpan", "0"},    {"Adv_HWB_Speed", "0"},
};
inline constexpr NamedDefault kRandomVariationValues[] = {
    {"Adv_Randomize", "0"}, {"Adv_RandomMag", "5"}, {"Adv_RandomExp", "2"}};

// Section "GenColor": the four hue-cone values shown in the dialog.
inline constexpr NamedDefault kHueConeValues[] = {
    {"HWC_ConeBright", "100"}, {"HWC_ConeBlack", "20"}, {"HWC_ConeBBias", "160"}, {"HWC_ConeTwist", "45"}};

// Section "Universe": the 28 values in template order with their defaults.
inline constexpr NamedDefault kUniverseValues[] = {
    {"Universe_Stars", "18000"},    {"Universe_Galaxy", "200"},    {"Universe_Expand", "3000"},
    {"Universe_ESteps", "500"},     {"Universe_Persist", "0.985"}, {"Universe_Damping", "0.01"},
    {"Universe_HW_Start", "170"},   {"Universe_HW_End", "250"},    {"Universe_Recycle", "30"},
    {"Universe_NewFreq", "3500"},   {"Universe_NewPctStEx", "85"}, {"Universe_GSteps", "200"},
    {"Universe_GPCtrl", "2"},       {"Universe_GCCtrl", "4"},      {"Universe_DstCen", "4000"},
    {"Universe_C_Ramp", "750"},     {"Universe_GS_Idx", ""},       {"Universe_Tour", "1"},
    {"Universe_GVisit", "0"},       {"Universe_RotCam", "0"},      {"Universe_AmStar", "2000"},
    {"Universe_AmPers", "0.999"},   {"Universe_AmCAge", "0.1"},    {"Universe_AmFrames", "15"},
    {"Universe_AmMaxExt", "600"},   {"Universe_GravForce", "0"},   {"Universe_GravFrame", "1"},
    {"Universe_Profile", "51"},
};

// The "Admin" values at the head of every template written.
inline constexpr const char* kTemplateProduct = "Zorvane";
inline constexpr const char* kTemplateVersion = "5.1.0";
inline constexpr const char* kTemplateCopyright = "Copyright (C) Zorvane. All rights reserved.";

inline constexpr const char* kTemplateReadError = "The template file could not be read.";

// Whether `path` holds a template that can be read: a file that opens, reads and holds at
// least one section header. It is then read afresh into the template cache. Otherwise the
// user is told kTemplateReadError and false is returned; a road that gets false changes
// nothing.
bool CheckTemplateReadable(const std::string& path);

// Template value -> registry for every value of a table (a value the template lacks gets its
// default).
template <size_t N>
void ImportSettings(std::string_view section, const NamedDefault (&values)[N]) {
  for (const NamedDefault& v : values) ImportSetting(section, v.name, v.def);
}

// The head of a whole template: section "Admin", the marker AnimationType of section
// "General" and the 23 stored Advanced values (the random-variation values are not carried).
void WriteTemplateHead();

// Applies the template file `path` to the stored settings: it becomes the current template;
// its display size and filter, hue-cone, Advanced, random-variation and universe values are
// written to the registry (a value the template lacks gets its default), and the galaxy type
// and composite records whose sections it holds are loaded and stored, so the saver run that
// follows shows them; a record whose section it lacks keeps its stored values. All of it is
// written in one transaction: a run cut short leaves the old set whole.
// A template that cannot be read changes nothing (see CheckTemplateReadable); false then. When
// the store refuses a write nothing is changed either, the user is told as a failed save of
// the dialog tells it (store::ShowRegistryReadOnlyMessage), and false is returned.
bool CyclePropsTempToRegArrays(const std::string& path, int32_t screenWidth, int32_t screenHeight);

}  // namespace settings
