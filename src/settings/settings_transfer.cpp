#include "settings/settings_transfer.h"

#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "settings/record_clamps.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"

namespace settings {

bool CheckTemplateReadable(const std::string& path) {
  // Read afresh: the cache may hold an earlier text of the same file.
  store::ClearTemplateCache();
  if (!path.empty() && store::LoadTemplateText(path) && !store::templateState().sections.empty()) return true;
  store::ClearTemplateCache();
  platform::ShowMessage(kTemplateReadError, platform::kProductName, platform::MsgIcon::Information,
                        platform::MsgButtons::Ok);
  return false;
}

void WriteTemplateHead() {
  WriteTemplateValue("Admin", "Product", kTemplateProduct);
  WriteTemplateValue("Admin", "Version", kTemplateVersion);
  WriteTemplateValue("Admin", "Copyright", kTemplateCopyright);
  WriteTemplateValue("General", "AnimationType", 0);
  for (const NamedDefault& v : kAdvancedValues) ExportSetting("Advanced", v.name, v.def);
}

bool CyclePropsTempToRegArrays(const std::string& path, int32_t screenWidth, int32_t screenHeight) {
  // A mistyped or damaged path must not replace the user's settings by defaults.
  if (!CheckTemplateReadable(path)) return false;
  store::templateState().TemplatePath = path;
  bool stored = false;
  {
    // The whole set lands in one transaction: a run killed meanwhile leaves the old set whole,
    // and a failed write leaves every stored value as it was.
    store::SettingsBatch batch;
    if (batch.begun()) {
      ImportSetting("DirectX", "DX_WinWidth", runtime::LongToText(screenWidth));
      ImportSetting("DirectX", "DX_WinHeight", runtime::LongToText(screenHeight));
      ImportSetting("DirectX", "DX_FilterIndex", "0");
      ImportSetting("General", "AnimationType", "0");
      ImportSettings("GenColor", kHueConeValues);
      ImportSettings("Advanced", kAdvancedValues);
      ImportSettings("Advanced", kRandomVariationValues);
      ImportSettings("Universe", kUniverseValues);
      // The saver run reloads every record from the registry before it draws, so the
      // template's galaxy types and composites are stored as well as loaded. A record whose
      // section the template lacks keeps its stored values.
      for (int32_t n : LoadAllGalaxiesTemplate()) {
        ClampGalaxyRecord(n);
        WriteGalaxyReg(n, GalaxyRegSection(n));
      }
      for (int32_t c : LoadAllCompositesTemplate()) WriteCompositeReg(c, CompositeRegSection(c));
      stored = batch.Commit();
    }
  }
  store::ClearTemplateCache();
  if (!stored) {
    store::ShowRegistryReadOnlyMessage();
    return false;
  }
  store::TraceProcName("CyclePropsTempToRegArrays");
  return true;
}

}  // namespace settings
