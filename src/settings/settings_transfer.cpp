#include "settings/settings_transfer.h"

#include "store/template_lookup.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "settings/template_file.h"

namespace settings {

namespace {

template <size_t N>
void ImportAll(std::string_view section, const NamedDefault (&values)[N]) {
  for (const NamedDefault& v : values) ImportSetting(section, v.name, v.def);
}

}  // namespace

void CyclePropsTempToRegArrays(const std::string& path, int32_t screenWidth, int32_t screenHeight) {
  store::templateState().TemplatePath = path;
  // A file of the same path may have been cached by an earlier lookup.
  store::ClearTemplateCache();
  ImportSetting("DirectX", "DX_WinWidth", runtime::LongToText(screenWidth));
  ImportSetting("DirectX", "DX_WinHeight", runtime::LongToText(screenHeight));
  ImportSetting("DirectX", "DX_FilterIndex", "0");
  ImportSetting("General", "AnimationType", "0");
  ImportAll("GenColor", kHueConeValues);
  ImportAll("Advanced", kAdvancedValues);
  ImportAll("Advanced", kRandomVariationValues);
  ImportAll("Universe", kUniverseValues);
  // The saver run reloads every record from the registry before it draws, so the template's
  // galaxy types and composites are stored as well as loaded.
  LoadAllGalaxiesTemplate();
  LoadAllCompositesTemplate();
  SaveAllGalaxiesReg();
  SaveAllCompositesReg();
  store::ClearTemplateCache();
  store::TraceProcName("CyclePropsTempToRegArrays");
}

}  // namespace settings
