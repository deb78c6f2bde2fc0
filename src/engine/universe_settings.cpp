#include "engine/universe_settings.h"

#include <optional>

#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "store/values.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "store/typed_readers.h"

namespace engine {

namespace {

using store::GetSettingLong;
using store::GetSettingSingle;

// Whole-number form of a Single already held within a whole-numbered range.
int32_t RoundedWithin(float v, float lower, float upper) {
  return runtime::ToLongOr(store::ClampSingle(v, lower, upper), 0);
}

// The stored values of the universe and the hue-cone values kept as stored, each with the
// member it fills and its default, grouped by the way each is stored: whole numbers,
// Singles, whole numbers held in a Single member, and flags (any whole number but 0 is on).
template <class Field, class Default>
struct StoredValue {
  const char* section;
  const char* name;
  Field UniverseSettings::*field;
  Default def;
};

constexpr const char* kUni = "Universe";
constexpr const char* kCol = "GenColor";

constexpr StoredValue<int32_t, int32_t> kLongValues[] = {
    {kUni, "Universe_Stars", &UniverseSettings::Universe_Stars, 18000},
    {kUni, "Universe_Galaxy", &UniverseSettings::Universe_Galaxy, 200},
    {kUni, "Universe_ESteps", &UniverseSettings::Universe_ESteps, 500},
    {kUni, "Universe_Recycle", &UniverseSettings::Universe_Recycle, 30},
    {kUni, "Universe_Profile", &UniverseSettings::Universe_Profile, 51},
    {kUni, "Universe_NewFreq", &UniverseSettings::Universe_NewFreq, 3500},
    {kUni, "Universe_GSteps", &UniverseSettings::Universe_GSteps, 200},
    {kUni, "Universe_GPCtrl", &UniverseSettings::Universe_GPCtrl, 2},
    {kUni, "Universe_GCCtrl", &UniverseSettings::Universe_GCCtrl, 4},
    {kUni, "Universe_C_Ramp", &UniverseSettings::Universe_C_Ramp, 750},
    {kUni, "Universe_AmStar", &UniverseSettings::Universe_AmStar, 2000},
    {kUni, "Universe_AmFrames", &UniverseSettings::Universe_AmFrames, 15},
    {kUni, "Universe_GravFrame", &UniverseSettings::Universe_GravFrame, 1},
    {kCol, "HWC_WedgeMin", &UniverseSettings::HWC_WedgeMin, 120},
    {kCol, "HWC_WedgeMax", &UniverseSettings::HWC_WedgeMax, 180},
    {kCol, "HWC_WedgeFra", &UniverseSettings::HWC_WedgeFra, 6000},
    {kCol, "HWC_StartFra", &UniverseSettings::HWC_StartFra, 25000},
    {kCol, "HWC_StartAng", &UniverseSettings::HWC_StartAng, 270},
};

constexpr StoredValue<float, float> kSingleValues[] = {
    {kUni, "Universe_Expand", &UniverseSettings::Universe_Expand, 3000},
    {kUni, "Universe_Persist", &UniverseSettings::Universe_Persist, 0.985f},
    {kUni, "Universe_Damping", &UniverseSettings::Universe_Damping, 0.01f},
    {kUni, "Universe_AmMaxExt", &UniverseSettings::Universe_AmMaxExt, 600},
    {kUni, "Universe_AmPers", &UniverseSettings::Universe_AmPers, 0.999f},
    {kUni, "Universe_AmCAge", &UniverseSettings::Universe_AmCAge, 0.1f},
    {kUni, "Universe_GravForce", &UniverseSettings::Universe_GravForce, 0},
};

constexpr StoredValue<float, int32_t> kWholeSingleValues[] = {
    {kUni, "Universe_NewPctStEx", &UniverseSettings::Universe_NewPctStEx, 85},
    {kUni, "Universe_DstCen", &UniverseSettings::Universe_DstCen, 4000},
    {"DirectX", "DX_BlendUniBurst", &UniverseSettings::DX_BlendUniBurst, 100},
    {"DirectX", "DX_BlendUniTravel", &UniverseSettings::DX_BlendUniTravel, 35},
};

constexpr StoredValue<bool, int32_t> kFlagValues[] = {
    {kUni, "Universe_Tour", &UniverseSettings::Universe_Tour, 1},
    {kUni, "Universe_GVisit", &UniverseSettings::Universe_GVisit, 0},
    {kUni, "Universe_RotCam", &UniverseSettings::Universe_RotCam, 0},
};

// The display bounds of the values that a display start only clamps.
template <class Field>
struct DisplayBounds {
  Field UniverseSettings::*field;
  Field lower, upper;
};

constexpr DisplayBounds<int32_t> kLongBounds[] = {
    {&UniverseSettings::Universe_Stars, 10, 99999},  {&UniverseSettings::Universe_Galaxy, 1, 999},
    {&UniverseSettings::Universe_ESteps, 1, 9999},   {&UniverseSettings::Universe_Recycle, 1, 999},
    {&UniverseSettings::Universe_Profile, 0, 51},    {&UniverseSettings::Universe_NewFreq, 0, 9999},
    {&UniverseSettings::Universe_GSteps, 1, 9999},   {&UniverseSettings::Universe_GPCtrl, 1, 999},
    {&UniverseSettings::Universe_GCCtrl, 0, 999},    {&UniverseSettings::Universe_AmStar, 0, 9999},
    {&UniverseSettings::Universe_AmFrames, 0, 999},  {&UniverseSettings::Universe_GravFrame, 1, 999},
};

constexpr DisplayBounds<float> kSingleBounds[] = {
    {&UniverseSettings::Universe_Expand, 0.0f, 99999.0f},
    {&UniverseSettings::Universe_Persist, 0.25f, 1.0f},
    {&UniverseSettings::Universe_DstCen, 0.0f, 999999.0f},
    {&UniverseSettings::Universe_AmPers, 0.25f, 1.0f},
    {&UniverseSettings::Universe_AmCAge, 0.0f, 10.0f},
    {&UniverseSettings::Universe_GravForce, 0.0f, 999999.0f},
};

}  // namespace

UniverseSettings& universeSettings() {
  static UniverseSettings s;
  return s;
}

void LoadUniverseSettings(bool bReduced) {
  UniverseSettings& u = universeSettings();
  for (const auto& v : kLongValues) u.*v.field = GetSettingLong(v.section, v.name, v.def);
  for (const auto& v : kSingleValues) u.*v.field = GetSettingSingle(v.section, v.name, v.def);
  for (const auto& v : kWholeSingleValues) {
    u.*v.field = static_cast<float>(GetSettingLong(v.section, v.name, v.def));
  }
  for (const auto& v : kFlagValues) u.*v.field = GetSettingLong(v.section, v.name, v.def) != 0;
  u.Universe_GS_Idx = store::GetSettingString(kUni, "Universe_GS_Idx", "");

  // The hue-cone values reach every display, not only the dialog's previews.
  u.HWC_ConeBright = store::ClampLong(GetSettingLong(kCol, "HWC_ConeBright", 100), 0, 100);
  u.HWC_ConeBlack = store::ClampLong(GetSettingLong(kCol, "HWC_ConeBlack", 20), 0, 100);
  u.HWC_ConeBBias = store::ClampLong(GetSettingLong(kCol, "HWC_ConeBBias", 160), 0, 999);
  u.HWC_ConeTwist = store::ClampLong(GetSettingLong(kCol, "HWC_ConeTwist", 45), -999, 999);

  ParseGalaxyVisitList(u.Universe_GS_Idx);

  // A count that cannot be scaled keeps its stored value.
  u.Universe_Stars = runtime::ToLongOr(u.Universe_Stars * (bReduced ? 0.65 : 1.0), u.Universe_Stars);
  u.Universe_AmStar = runtime::ToLongOr(u.Universe_AmStar * (bReduced ? 0.5 : 1.0), u.Universe_AmStar);

  settings::LoadAllGalaxiesReg();
  settings::LoadAllCompositesReg();

  model::BuildHueWheelTable();
  model::SetUniverseHueWheel(-1, -1);
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
    // A number counts when it lies above 0 and at most 66; one that rounds to 0 would name
    // no galaxy type and is skipped as well.
    if (!(value > 0.0 && value <= 66.0)) continue;
    const std::optional<int32_t> number = runtime::ToLong(value);
    if (!number || *number < 1) continue;
    u.GalaxyVisitList[static_cast<size_t>(u.GalaxyVisitCount)] = runtime::LongToText(*number - 1);
    ++u.GalaxyVisitCount;
  }
}

void ApplyUniverseDisplayClamps() {
  using store::ClampLong;
  using store::ClampSingle;
  UniverseSettings& u = universeSettings();
  for (const auto& b : kLongBounds) u.*b.field = ClampLong(u.*b.field, b.lower, b.upper);
  for (const auto& b : kSingleBounds) u.*b.field = ClampSingle(u.*b.field, b.lower, b.upper);
  // Damping, the new-star share and the ambient extent change form as they are clamped.
  const float d = ClampSingle(u.Universe_Damping, 0.0f, 1.0f);
  u.Universe_Damping = static_cast<float>((1.0f - d) * 0.5 + 0.5);
  u.Universe_NewPctStEx = static_cast<float>(RoundedWithin(u.Universe_NewPctStEx, 0.0f, 100.0f) * 0.01);
  u.Universe_AmMaxExt = static_cast<float>(RoundedWithin(u.Universe_AmMaxExt, 1.0f, 9999.0f));

  u.Universe_Expand = static_cast<float>(u.Universe_Expand * 0.001);
  u.Universe_DstCen = static_cast<float>(u.Universe_DstCen * 0.01);
  u.Universe_AmMaxExt = static_cast<float>(u.Universe_AmMaxExt * 0.01);
  u.Universe_GravForce = static_cast<float>(u.Universe_GravForce * 1E-7);
  u.UniverseStarTotal = u.Universe_Stars;
}

}  // namespace engine
