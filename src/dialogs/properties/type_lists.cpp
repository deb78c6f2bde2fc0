#include "dialogs/properties/type_lists.h"

#include "dialogs/properties/props_controls.h"
#include "model/galaxy_types.h"
#include "platform/controls/routines.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

// Characters at the end of a list line that hold the percent.
constexpr size_t kPercentColumn = 4;

}  // namespace

std::string ListLineName(std::string_view line) {
  return runtime::TrimBlanks(line.substr(0, line.size() > kPercentColumn ? line.size() - kPercentColumn : 0));
}

std::string ListLinePercent(std::string_view line) {
  return runtime::TrimBlanks(line.substr(line.size() > kPercentColumn ? line.size() - kPercentColumn : 0));
}

void AddGalaxyLine(PropsControls& c, int32_t n) {
  if (n < 0 || n >= model::kEditableGalaxyTypes) return;
  const model::GalaxyTypeProps& g = model::records().GalaxyTypes[static_cast<size_t>(n)];
  controls::SizeComboToText(*c.lstUniGalaxy, g._UniGalName, g._UniGalPct, true);
}

void FillGalaxyList(PropsControls& c, bool reload) {
  if (reload) settings::LoadAllGalaxiesReg();
  c.lstUniGalaxy->Clear();
  for (int32_t n = 0; n < model::kEditableGalaxyTypes; ++n) AddGalaxyLine(c, n);
  c.lstUniGalaxy->SetListIndex(0);
}

std::string CompositeListName(int32_t c, std::string_view name) {
  if (!name.empty()) return std::string(name);
  return "< Galaxy Composite " + runtime::LongToText(c + 1) + " >";
}

void FillCompositeList(PropsControls& c, bool fromRegistry) {
  c.lstCompMinor->Clear();
  c.cboCompMajor->Clear();
  for (int32_t i = 0; i < model::kEditableGalaxyTypes; ++i) {
    std::string line = c.lstUniGalaxy->List(i);
    line.resize(line.size() > kPercentColumn ? line.size() - kPercentColumn : 0);
    c.cboCompMajor->AddItem(line);
    c.lstCompMinor->AddItem(line);
  }
  // The lines are measured in the composite list's own font (SizeComboToText), so the
  // window's font stays as it is.
  c.lstCompGalaxy->Clear();
  for (int32_t k = 0; k < model::kCompositeCount; ++k) {
    std::string name;
    int32_t percent = 0;
    if (fromRegistry) {
      const std::string section = settings::CompositeRegSection(k);
      name = store::GetSettingString(section, "_CompGalName", "");
      percent = store::GetSettingLong(section, "_CompGalPct", 0);
    } else {
      const model::CompositeRecord& r = model::records().CompositeGalaxies[static_cast<size_t>(k)];
      name = r._CompGalName;
      percent = r._CompGalPct;
    }
    controls::SizeComboToText(*c.lstCompGalaxy, CompositeListName(k, name), percent, true);
  }
}

}  // namespace dialogs
