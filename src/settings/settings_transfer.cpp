#include "settings/settings_transfer.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "store/template_lookup.h"

namespace settings {

namespace {

// A file that opens, reads and holds a line starting with "[" and a "]" behind it.
bool HasSectionHeader(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) return false;
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t lf = bytes.find('\n', pos);
    const size_t end = lf == std::string::npos ? bytes.size() : lf;
    if (bytes[pos] == '[' && bytes.find(']', pos) < end) return true;
    pos = end + 1;
  }
  return false;
}

}  // namespace

bool CheckTemplateReadable(const std::string& path) {
  if (!path.empty() && HasSectionHeader(path)) return true;
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
  // A file of the same path may have been cached by an earlier lookup.
  store::ClearTemplateCache();
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
