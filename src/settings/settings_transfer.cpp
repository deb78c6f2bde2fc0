#include "settings/settings_transfer.h"

#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
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
  ImportSetting("DirectX", "DX_WinWidth", runtime::LongToText(screenWidth));
  ImportSetting("DirectX", "DX_WinHeight", runtime::LongToText(screenHeight));
  ImportSetting("DirectX", "DX_FilterIndex", "0");
  ImportSetting("General", "AnimationType", "0");
  ImportSettings("GenColor", kHueConeValues);
  ImportSettings("Advanced", kAdvancedValues);
  ImportSettings("Advanced", kRandomVariationValues);
  ImportSettings("Universe", kUniverseValues);
  // The saver run reloads every record from the registry before it draws, so the template's
  // galaxy types and composites are stored as well as loaded.
  LoadAllGalaxiesTemplate();
  LoadAllCompositesTemplate();
  SaveAllGalaxiesReg();
  SaveAllCompositesReg();
  store::ClearTemplateCache();
  store::TraceProcName("CyclePropsTempToRegArrays");
  return true;
}

}  // namespace settings
