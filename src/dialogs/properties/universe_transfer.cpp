#include "dialogs/properties/universe_transfer.h"

#include <array>
#include <cstdint>
#include <string>

#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/tour_profile.h"
#include "dialogs/properties/type_lists.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "settings/settings_transfer.h"
#include "settings/template_file.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

constexpr const char* kSection = "Universe";
constexpr size_t kRows = std::size(settings::kUniverseValues);

enum class Kind : uint8_t { Text, TourText, Tour, VisitSeq, RotCamera, Profile };

struct Row {
  Kind kind;
  int16_t field;  // txtUni index of a Text row
};

// Rows in template order, matching settings::kUniverseValues.
constexpr std::array<Row, kRows> kRowFields{{
    {Kind::Text, 0},          {Kind::Text, 1},      {Kind::Text, 10},       {Kind::Text, 11},
    {Kind::Text, 12},         {Kind::Text, 14},     {Kind::Text, 16},       {Kind::Text, 17},
    {Kind::Text, 18},         {Kind::Text, 20},     {Kind::Text, 21},       {Kind::Text, 30},
    {Kind::Text, 31},         {Kind::Text, 32},     {Kind::Text, 33},       {Kind::Text, 34},
    {Kind::TourText, -1},     {Kind::Tour, -1},     {Kind::VisitSeq, -1},   {Kind::RotCamera, -1},
    {Kind::Text, 40},         {Kind::Text, 41},     {Kind::Text, 42},       {Kind::Text, 43},
    {Kind::Text, 44},         {Kind::Text, 50},     {Kind::Text, 51},       {Kind::Profile, -1},
}};

// The row order (0-based) of the template load and the store save: the tour box before the
// tour's step fields.
constexpr std::array<uint8_t, kRows> kTourBoxFirstOrder{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 17, 11, 12,
                                                        13, 14, 15, 16, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};

controls::CheckBox* CheckBoxOf(PropsControls& c, Kind kind) {
  switch (kind) {
    case Kind::Tour:
      return c.chkUniTour;
    case Kind::VisitSeq:
      return c.chkVisitSeq;
    case Kind::RotCamera:
      return c.chkRotCamera;
    default:
      return nullptr;
  }
}

// A stored text into the row's control. The profile is handled by the callers.
void ShowText(PropsControls& c, const Row& row, const std::string& text) {
  if (row.kind == Kind::Text) {
    c.txtUni[row.field].SetText(text);
  } else if (row.kind == Kind::TourText) {
    c.cboTourGalaxies->SetText(text);
  } else if (controls::CheckBox* box = CheckBoxOf(c, row.kind)) {
    box->SetValue(text == "1" ? 1 : 0);
  }
}

// A stored profile into the list: the line of that index, or, when the list has none, the
// selection stays and the value is kept to be stored back.
void ShowProfile(PropsControls& c, int32_t index) {
  c.uniProfileUnlisted.clear();
  if (!c.cboUniProfile->SetListIndex(index)) c.uniProfileUnlisted = runtime::LongToText(index);
}

// The text the row's control stores.
std::string StoredText(PropsControls& c, const Row& row) {
  switch (row.kind) {
    case Kind::Text:
      return c.txtUni[row.field].Text();
    case Kind::TourText:
      return c.cboTourGalaxies->Text();
    case Kind::Profile:
      // A loaded value the list cannot show goes back as it came, not as "-1" (no line).
      return c.uniProfileUnlisted.empty() ? runtime::LongToText(c.cboUniProfile->ListIndex()) : c.uniProfileUnlisted;
    default:
      return runtime::LongToText(CheckBoxOf(c, row.kind)->Value());
  }
}

}  // namespace

void UniverseRegToControls(PropsControls& c) {
  for (size_t i = 0; i < kRows; ++i) {
    const settings::NamedDefault& v = settings::kUniverseValues[i];
    if (kRowFields[i].kind == Kind::Profile) {
      // An index the list does not have is refused and the selection stays.
      ShowProfile(c, store::GetSettingLong(kSection, v.name, store::TextToLong(v.def, 0)));
    } else {
      ShowText(c, kRowFields[i], store::GetSettingString(kSection, v.name, v.def));
    }
  }
  ApplyTourEnabling(c);
}

void UniverseControlsToReg(PropsControls& c) {
  for (uint8_t i : kTourBoxFirstOrder)
    store::SaveRegSetting(kSection, settings::kUniverseValues[i].name, StoredText(c, kRowFields[i]));
}

void UniverseTemplateToControls(PropsControls& c) {
  for (uint8_t i : kTourBoxFirstOrder) {
    const settings::NamedDefault& v = settings::kUniverseValues[i];
    const std::string text = store::ReadTemplateValue(kSection, v.name, v.def);
    if (kRowFields[i].kind == Kind::Profile) {
      int32_t index = 0;
      if (settings::TemplateTextToInteger(text, index)) ShowProfile(c, index);
    } else {
      ShowText(c, kRowFields[i], text);
    }
  }
  ApplyTourEnabling(c);
}

void UniverseControlsToTemplate(PropsControls& c) {
  for (size_t i = 0; i < kRows; ++i)
    settings::WriteTemplateValue(kSection, settings::kUniverseValues[i].name, StoredText(c, kRowFields[i]));
}

void ImportUniverseTemplate(PropsControls& c) {
  settings::ImportSettings("Advanced", settings::kRandomVariationValues);
  UniverseTemplateToControls(c);
  settings::LoadAllGalaxiesTemplate();
  settings::LoadAllCompositesTemplate();
  FillGalaxyList(c, false);
  FillCompositeList(c, false);
}

void SaveUniverseTemplate(PropsControls& c) {
  UniverseControlsToTemplate(c);
  settings::SaveAllGalaxiesTemplate();
  settings::SaveAllCompositesTemplate();
}

}  // namespace dialogs
