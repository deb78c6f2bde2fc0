#include "dialogs/properties/settings_roads.h"

#include <cstddef>
#include <string_view>

#include "dialogs/properties/hue_fields.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/props_openers.h"
#include "dialogs/properties/type_lists.h"
#include "dialogs/properties/universe_transfer.h"
#include "engine/hue_cone.h"
#include "host/display_settings.h"
#include "model/galaxy_types.h"
#include "presentation/frame_pacing.h"
#include "settings/composites.h"
#include "settings/factory_galaxies.h"
#include "settings/factory_universe.h"
#include "settings/galaxy_persistence.h"
#include "settings/settings_transfer.h"
#include "settings/template_file.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kDirectX = "DirectX";
constexpr const char* kGenColor = "GenColor";
constexpr const char* kAdvanced = "Advanced";

// Blending during the burst and during travel: txtUni(2), (3).
constexpr settings::NamedDefault kBlendValues[] = {{"DX_BlendUniBurst", "100"}, {"DX_BlendUniTravel", "35"}};
constexpr int kFirstBlendField = 2;

// The Advanced values the factory reset stores, in the order it stores them; each takes its
// default of settings::kAdvancedValues.
constexpr std::string_view kFactoryAdvanced[] = {
    "FocalLength",    "Adv_TimeDelay", "Adv_PerfMult",   "Adv_EffectFPC", "Adv_ThemeFlags",  "LockMessage",
    "Adv_FontName",   "Adv_FontSize",  "Adv_FontHueV",   "Adv_FontTOff",  "Adv_FontHInc",    "Adv_CMinutes",
    "Adv_TimeText",   "Adv_ZeroText",  "Adv_MouseMove",  "Adv_ScreenCapt", "Adv_DispTempName", "Adv_MultiMonitor",
};

const char* AdvancedDefault(std::string_view name) {
  for (const settings::NamedDefault& v : settings::kAdvancedValues)
    if (name == v.name) return v.def;
  return "";
}

bool Marked(const char* name) { return store::GetSettingLong(kGeneral, name, -1) != -1; }

void ShowStoredBlending(PropsControls& c) {
  for (size_t i = 0; i < std::size(kBlendValues); ++i)
    c.txtUni[kFirstBlendField + static_cast<int>(i)].SetText(
        store::GetSettingString(kDirectX, kBlendValues[i].name, kBlendValues[i].def));
}

}  // namespace

void CyclePropsRegToArrays(PropsControls& c) {
  host::ReadWriteDisplaySettings(c, 0);
  for (size_t i = 0; i < std::size(settings::kHueConeValues); ++i)
    c.txtColorProps[static_cast<int>(i)].SetText(
        store::GetSettingString(kGenColor, settings::kHueConeValues[i].name, settings::kHueConeValues[i].def));
  ShowStoredBlending(c);
  UniverseRegToControls(c);
  settings::LoadAllCompositesReg();
  FillCompositeList(c, true);
  store::TraceProcName("CyclePropsRegToArrays");
}

bool CyclePropsTempToArrays(PropsControls& c) {
  const std::string path = store::templateState().TemplatePath;
  if (!settings::CheckTemplateReadable(path)) return false;
  host::ReadWriteDisplaySettings(c, 1);
  for (size_t i = 0; i < std::size(settings::kHueConeValues); ++i)
    c.txtColorProps[static_cast<int>(i)].SetText(
        store::ReadTemplateValue(kGenColor, settings::kHueConeValues[i].name, settings::kHueConeValues[i].def));
  {
    // The Advanced and random-variation values the open stores land together or not at all.
    store::SettingsBatch batch;
    settings::ImportSettings(kAdvanced, settings::kAdvancedValues);
    ImportUniverseTemplate(c);
    batch.Commit();
  }
  store::ClearTemplateCache();
  store::TraceProcName("CyclePropsTempToArrays");
  return true;
}

void CyclePropsResetToFactory(PropsControls& c) {
  host::ReadWriteDisplaySettings(c, 2);
  for (std::string_view name : kFactoryAdvanced) store::SaveRegSetting(kAdvanced, name, AdvancedDefault(name));
  for (size_t i = 0; i < std::size(settings::kHueConeValues); ++i)
    c.txtColorProps[static_cast<int>(i)].SetText(settings::kHueConeValues[i].def);
  for (const settings::NamedDefault& v : kBlendValues) store::SaveRegSetting(kDirectX, v.name, v.def);
  for (const settings::NamedDefault& v : settings::kRandomVariationValues)
    store::SaveRegSetting(kAdvanced, v.name, v.def);
  settings::LoadFactoryComposites();
  c.lstUniGalaxy->Clear();
  for (int32_t n = 0; n < model::kEditableGalaxyTypes; ++n) {
    settings::LoadFactoryGalaxy(n);
    AddGalaxyLine(c, n);
  }
  c.lstUniGalaxy->SetListIndex(0);
  // Through "< NONE >", so that theme 1 is applied even when it is already chosen.
  c.cboUniTheme->SetListIndex(0);
  c.cboUniTheme->SetListIndex(1);
  c.cboUniExtras->SetListIndex(0);
  ShowStoredBlending(c);
}

bool CyclePropsArraysToReg(PropsControls& c) {
  if (!store::TestRegistryWrite()) return false;
  // Every value lands, or none does: a set half stored would mix old and new settings.
  store::SettingsBatch batch;
  if (batch.begun()) {
    store::SaveRegSetting(kGeneral, "AnimationType", 0);
    host::ReadWriteDisplaySettings(c, 3);
    for (size_t i = 0; i < std::size(settings::kHueConeValues); ++i)
      store::SaveRegSetting(kGenColor, settings::kHueConeValues[i].name, c.txtColorProps[static_cast<int>(i)].Text());
    for (size_t i = 0; i < std::size(kBlendValues); ++i)
      store::SaveRegSetting(kDirectX, kBlendValues[i].name, c.txtUni[kFirstBlendField + static_cast<int>(i)].Text());
    UniverseControlsToReg(c);
    settings::SaveAllGalaxiesReg();
    settings::SaveAllCompositesReg();
    if (batch.Commit()) {
      store::TraceProcName("CyclePropsArraysToReg");
      return true;
    }
  }
  store::ShowRegistryReadOnlyMessage();
  return false;
}

bool CyclePropsArraysToTemp(PropsControls& c) {
  const std::string path = store::templateState().TemplatePath;
  const bool written = settings::WriteWholeTemplate(path, [&c] {
    settings::WriteTemplateHead();
    host::ReadWriteDisplaySettings(c, 4);
    for (size_t i = 0; i < std::size(settings::kHueConeValues); ++i)
      settings::WriteTemplateValue(kGenColor, settings::kHueConeValues[i].name, c.txtColorProps[static_cast<int>(i)].Text());
    SaveUniverseTemplate(c);
  });
  // A lookup made before the save must not answer from the old file's text.
  store::ClearTemplateCache();
  store::TraceProcName("CyclePropsArraysToTemp");
  return written;
}

void FirstRunSettings(PropsControls& c) {
  store::SaveRegSetting(kGeneral, "ResetSettings", 1);
  ShowWelcomeWindow();
  if (Marked("AnimationType"))
    CyclePropsRegToArrays(c);
  else
    CyclePropsResetToFactory(c);
}

void ApplyFilterEffect(PropsControls& c) {
  PrepareFilterAndConeFields(c);
  // Settings that exist but cannot be read would look like a first run: the user is told that
  // they are still there and stay untouched (every write to such a store fails).
  if (store::StoredSettingsUnreadable()) store::ShowStoredSettingsUnreadableMessage();
  // Settings that can be read but not written are shown as they are stored, and the user is
  // told once that changes cannot be saved. Nothing is written to such a store: no first run
  // over settings that are there, no factory set stored where none is.
  const bool readOnly = store::StoredSettingsReadOnly();
  if (readOnly) store::ShowStoredSettingsReadOnlyMessage();
  bool setStored = Marked("AnimationType");
  if (!Marked("ResetSettings") && !(readOnly && setStored)) {
    store::SaveRegSetting(kGeneral, "ResetSettings", 1);
    FirstRunSettings(c);
  } else {
    if (!setStored) {
      CyclePropsResetToFactory(c);
      if (!readOnly) {
        CyclePropsArraysToReg(c);
        setStored = true;
      }
    }
    if (setStored) CyclePropsRegToArrays(c);
  }
  if (engine::HueConeDialog* dialog = engine::hueConeDialog()) engine::RefreshHueColorPreview(*dialog);
  presentation::hostPlatform().DoEvents();
}

}  // namespace dialogs
