#include "engine/universe_settings.h"

#include <optional>

#include "engine/core/hue_ranges.h"
#include "engine/core/hue_wheel.h"
#include "host/services/values.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "settings/store/typed_readers.h"

namespace engine {

namespace {

using settings::GetSettingLong;
using settings::GetSettingSingle;

// Whole-number form of a Single already held within a whole-numbered range.
int32_t RoundedWithin(float v, float lower, float upper) {
  return runtime::ToLongOr(host::ClampSingle(v, lower, upper), 0);
}

}  // namespace

UniverseSettings& universeSettings() {
  static UniverseSettings s;
  return s;
}

void LoadUniverseSettings(bool bReduced) {
  UniverseSettings& u = universeSettings();
  const char* kUni = "Universe";
  u.Universe_Stars = GetSettingLong(kUni, "Universe_Stars", 18000);
  u.Universe_Galaxy = GetSettingLong(kUni, "Universe_Galaxy", 200);
  u.Universe_Expand = GetSettingSingle(kUni, "Universe_Expand", 3000);
  u.Universe_ESteps = GetSettingLong(kUni, "Universe_ESteps", 500);
  u.Universe_Persist = GetSettingSingle(kUni, "Universe_Persist", 0.985f);
  u.Universe_Damping = GetSettingSingle(kUni, "Universe_Damping", 0.01f);
  u.Universe_Recycle = GetSettingLong(kUni, "Universe_Recycle", 30);
  u.Universe_Profile = GetSettingLong(kUni, "Universe_Profile", 51);
  u.Universe_NewFreq = GetSettingLong(kUni, "Universe_NewFreq", 3500);
  u.Universe_NewPctStEx = static_cast<float>(GetSettingLong(kUni, "Universe_NewPctStEx", 85));
  u.Universe_Tour = GetSettingLong(kUni, "Universe_Tour", 1) != 0;
  u.Universe_GSteps = GetSettingLong(kUni, "Universe_GSteps", 200);
  u.Universe_GPCtrl = GetSettingLong(kUni, "Universe_GPCtrl", 2);
  u.Universe_GCCtrl = GetSettingLong(kUni, "Universe_GCCtrl", 4);
  u.Universe_DstCen = static_cast<float>(GetSettingLong(kUni, "Universe_DstCen", 4000));
  u.Universe_C_Ramp = GetSettingLong(kUni, "Universe_C_Ramp", 750);
  u.Universe_GVisit = GetSettingLong(kUni, "Universe_GVisit", 0) != 0;
  u.Universe_RotCam = GetSettingLong(kUni, "Universe_RotCam", 0) != 0;
  u.Universe_AmStar = GetSettingLong(kUni, "Universe_AmStar", 2000);
  u.Universe_AmFrames = GetSettingLong(kUni, "Universe_AmFrames", 15);
  u.Universe_AmMaxExt = GetSettingSingle(kUni, "Universe_AmMaxExt", 600);
  u.Universe_AmPers = GetSettingSingle(kUni, "Universe_AmPers", 0.999f);
  u.Universe_AmCAge = GetSettingSingle(kUni, "Universe_AmCAge", 0.1f);
  u.Universe_GravForce = GetSettingSingle(kUni, "Universe_GravForce", 0);
  u.Universe_GravFrame = GetSettingLong(kUni, "Universe_GravFrame", 1);
  u.DX_BlendUniBurst = static_cast<float>(GetSettingLong("DirectX", "DX_BlendUniBurst", 100));
  u.DX_BlendUniTravel = static_cast<float>(GetSettingLong("DirectX", "DX_BlendUniTravel", 35));
  u.Universe_GS_Idx = settings::GetSettingString(kUni, "Universe_GS_Idx", "");

  // The hue-cone values reach every display, not only the dialog's previews.
  const char* kCol = "GenColor";
  u.HWC_ConeBright = host::ClampLong(GetSettingLong(kCol, "HWC_ConeBright", 100), 0, 100);
  u.HWC_ConeBlack = host::ClampLong(GetSettingLong(kCol, "HWC_ConeBlack", 20), 0, 100);
  u.HWC_ConeBBias = host::ClampLong(GetSettingLong(kCol, "HWC_ConeBBias", 160), 0, 999);
  u.HWC_ConeTwist = host::ClampLong(GetSettingLong(kCol, "HWC_ConeTwist", 45), -999, 999);
  u.HWC_WedgeMin = GetSettingLong(kCol, "HWC_WedgeMin", 120);
  u.HWC_WedgeMax = GetSettingLong(kCol, "HWC_WedgeMax", 180);
  u.HWC_WedgeFra = GetSettingLong(kCol, "HWC_WedgeFra", 6000);
  u.HWC_StartFra = GetSettingLong(kCol, "HWC_StartFra", 25000);
  u.HWC_StartAng = GetSettingLong(kCol, "HWC_StartAng", 270);

  ParseGalaxyVisitList(u.Universe_GS_Idx);

  // A count that cannot be scaled keeps its stored value.
  u.Universe_Stars = runtime::ToLongOr(u.Universe_Stars * (bReduced ? 0.65 : 1.0), u.Universe_Stars);
  u.Universe_AmStar = runtime::ToLongOr(u.Universe_AmStar * (bReduced ? 0.5 : 1.0), u.Universe_AmStar);

  settings::LoadAllGalaxiesReg();
  settings::LoadAllCompositesReg();

  BuildHueWheelTable();
  SetUniverseHueWheel(-1, -1);
}

void ParseGalaxyVisitList(std::string_view sList) {
  UniverseSettings& u = universeSettings();
  u.GalaxyVisitCount = 0;
  const std::string text = runtime::TrimBlanks(sList);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t blank = text.find(' ', pos);
    if (blank == std::string::npos) blank = text.size();
    const std::string_view token = std::string_view(text).substr(pos, blank - pos);
    pos = blank + 1;
    if (u.GalaxyVisitCount >= kGalaxyVisitListSize) break;
    double value = 0.0;
    if (token.empty() || !runtime::IsNumeric(token, &value)) continue;
    // Only galaxy numbers 1 to 66 after rounding name a galaxy type.
    const std::optional<int32_t> number = runtime::ToLong(value);
    if (!number || *number < 1 || *number > 66) continue;
    u.GalaxyVisitList[static_cast<size_t>(u.GalaxyVisitCount)] = runtime::LongToText(*number - 1);
    ++u.GalaxyVisitCount;
  }
}

void ApplyUniverseDisplayClamps() {
  using host::ClampLong;
  using host::ClampSingle;
  UniverseSettings& u = universeSettings();
  u.Universe_Stars = ClampLong(u.Universe_Stars, 10, 99999);
  u.Universe_Galaxy = ClampLong(u.Universe_Galaxy, 1, 999);
  u.Universe_Expand = ClampSingle(u.Universe_Expand, 0.0f, 99999.0f);
  u.Universe_ESteps = ClampLong(u.Universe_ESteps, 1, 9999);
  u.Universe_Persist = ClampSingle(u.Universe_Persist, 0.25f, 1.0f);
  const float d = ClampSingle(u.Universe_Damping, 0.0f, 1.0f);
  u.Universe_Damping = static_cast<float>((1.0f - d) * 0.5 + 0.5);
  u.Universe_Recycle = ClampLong(u.Universe_Recycle, 1, 999);
  u.Universe_Profile = ClampLong(u.Universe_Profile, 0, 51);
  u.Universe_NewFreq = ClampLong(u.Universe_NewFreq, 0, 9999);
  u.Universe_NewPctStEx = static_cast<float>(RoundedWithin(u.Universe_NewPctStEx, 0.0f, 100.0f) * 0.01);
  u.Universe_GSteps = ClampLong(u.Universe_GSteps, 1, 9999);
  u.Universe_GPCtrl = ClampLong(u.Universe_GPCtrl, 1, 999);
  u.Universe_GCCtrl = ClampLong(u.Universe_GCCtrl, 0, 999);
  u.Universe_DstCen = ClampSingle(u.Universe_DstCen, 0.0f, 999999.0f);
  u.Universe_AmStar = ClampLong(u.Universe_AmStar, 0, 9999);
  u.Universe_AmFrames = ClampLong(u.Universe_AmFrames, 0, 999);
  u.Universe_AmMaxExt = static_cast<float>(RoundedWithin(u.Universe_AmMaxExt, 1.0f, 9999.0f));
  u.Universe_AmPers = ClampSingle(u.Universe_AmPers, 0.25f, 1.0f);
  u.Universe_AmCAge = ClampSingle(u.Universe_AmCAge, 0.0f, 10.0f);
  u.Universe_GravForce = ClampSingle(u.Universe_GravForce, 0.0f, 999999.0f);
  u.Universe_GravFrame = ClampLong(u.Universe_GravFrame, 1, 999);

  u.Universe_Expand = static_cast<float>(u.Universe_Expand * 0.001);
  u.Universe_DstCen = static_cast<float>(u.Universe_DstCen * 0.01);
  u.Universe_AmMaxExt = static_cast<float>(u.Universe_AmMaxExt * 0.01);
  u.Universe_GravForce = static_cast<float>(u.Universe_GravForce * 1E-7);
  u.UniverseStarTotal = u.Universe_Stars;
}

}  // namespace engine
