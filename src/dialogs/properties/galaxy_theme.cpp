#include "dialogs/properties/galaxy_theme.h"

#include <optional>
#include <string>

#include "dialogs/properties/props_controls.h"
#include "model/galaxy_types.h"
#include "platform/controls/controls.h"
#include "runtime/numbers.h"
#include "settings/factory_galaxies.h"
#include "store/typed_readers.h"
#include "store/values.h"

namespace dialogs {

namespace {

using T = GalaxyThemeTarget;

constexpr int32_t kNebulaStyle = 4;
constexpr int32_t kFactoryGalaxies = 50;

constexpr GalaxyThemeStep G(int16_t field, int16_t column, int16_t nebulaColumn = -1) {
  return {T::Galaxy, field, column, nebulaColumn};
}
constexpr GalaxyThemeStep To(T target, int16_t column) { return {target, -1, column, -1}; }

// clang-format off
constexpr GalaxyThemeStep kGalaxyThemeSteps[] = {
    G(0, 0), G(1, 1), G(2, 2),                       // radius, rotation, distance
    To(T::Style, 3), To(T::Plane, 4),
    G(3, 5, 51), G(4, 6, 52), G(5, 7, 53), G(6, 8, 54),  // radial set, or the control points
    G(7, 9),                                         // colour multiplier
    To(T::ClosedPath, 56), To(T::AdvancedHueWheel, 57),
    G(8, 58), G(9, 59),                              // gravity force, levels
    G(90, 10), G(91, 11), G(92, 12),                 // height/width ratio, radius and height exponents
    G(93, 13, 55),                                   // tilt, or the bias speed
    G(94, 14), G(95, 15), G(96, 16),                 // tilt step, hue start, hue wheel step
    To(T::RecordLevels, 60),
    To(T::Color, 17), To(T::Profile, 18),
    G(10, 19), G(11, 20), G(12, 21),                 // new stars
    G(20, 22), G(21, 23), G(22, 24),                 // novae
    G(30, 25), G(31, 26), G(32, 27), G(33, 28), G(34, 29), G(35, 30),  // pulsars
    To(T::PulsarShape, 31),
    G(40, 35), G(41, 36), G(42, 37), G(43, 38), G(44, 39), G(45, 40), G(46, 41),  // comets
    To(T::CometVector, 42),
    G(47, 43), G(48, 44), G(49, 45),                 // comet hues
    {T::PixHue, 0, 46, -1}, {T::PixHue, 1, 47, -1}, {T::PixHue, 2, 48, -1},
    {T::PixHue, 3, 49, -1}, {T::PixHue, 4, 50, -1},  // star hue, base and blend
    To(T::RecordPointsAndAtoms, 68),
};
// clang-format on

std::optional<int32_t> WholeValue(std::string_view text) { return runtime::ToLong(runtime::Val(text)); }

model::GalaxyTypeProps& Record(int32_t nType) { return model::records().GalaxyTypes[static_cast<size_t>(nType)]; }

// The level settings of a stacked galaxy live in the record only (the levels editor edits them).
void WriteLevels(std::string_view sRow, int32_t nType) {
  const auto column = [&](int32_t col) { return runtime::Val(store::GetCsvField(sRow, col)); };
  const auto flag = [&](int32_t col) { return column(col) != 0.0 ? -1 : 0; };
  model::GalaxyTypeProps& g = Record(nType);
  if (const std::optional<int32_t> spacing = WholeValue(store::GetCsvField(sRow, 60)))
    g.Galaxy_StdLevDRad = runtime::ClampLong(*spacing, 1, 30000);
  if (const std::optional<float> scale = store::ToSingle(column(61)))
    g.Galaxy_StdLevHSca = runtime::ClampSingle(*scale, 0.0f, 99.9f);
  g.Galaxy_StdLevB_HS = flag(62);
  g.Galaxy_StdLevB_A0 = flag(63);
  g.Galaxy_StdLevB_A1 = flag(64);
}

void SetListIndex(controls::ComboBox& combo, const std::string& text) {
  if (const std::optional<int32_t> v = WholeValue(text)) combo.SetListIndex(*v);
}

void SetCheck(controls::CheckBox& check, const std::string& text) {
  if (const std::optional<int32_t> v = WholeValue(text)) check.SetValue(*v);
}

}  // namespace

std::span<const GalaxyThemeStep> GalaxyThemeSteps() { return kGalaxyThemeSteps; }

void ApplyGalaxyTheme(PropsControls& c, std::string_view sRow, int32_t nType) {
  if (nType < 0 || nType >= model::kEditableGalaxyTypes) return;
  const int32_t style = WholeValue(store::GetCsvField(sRow, 3)).value_or(-1);
  for (const GalaxyThemeStep& step : kGalaxyThemeSteps) {
    const int32_t column = style == kNebulaStyle && step.nebulaColumn >= 0 ? step.nebulaColumn : step.column;
    const std::string text = store::GetCsvField(sRow, column);
    switch (step.target) {
      case T::Galaxy: c.txtGalaxy[step.field].SetText(text); break;
      case T::PixHue: c.txtPixHue[step.field].SetText(text); break;
      case T::Style: SetListIndex(*c.cboGalStyle, text); break;
      case T::Plane: SetListIndex(*c.cboGalPlane, text); break;
      case T::Color: SetListIndex(*c.cboGalColor, text); break;
      case T::Profile: SetListIndex(*c.cboGalProfile, text); break;
      case T::PulsarShape: SetListIndex(*c.cboPulsarShape, text); break;
      case T::ClosedPath: SetCheck(*c.chkCP_Closed, text); break;
      case T::AdvancedHueWheel: SetCheck(*c.chkCP_AdvHW, text); break;
      case T::CometVector: SetCheck(*c.chkCometVector, text); break;
      case T::RecordLevels:
        if (style == 0) WriteLevels(sRow, nType);
        break;
      case T::RecordPointsAndAtoms:
        // The record is reached afresh: the handlers above may have run anything.
        settings::LoadFactoryPointsAndAtoms(Record(nType), sRow, style);
        break;
    }
  }
}

void cboGalTheme_Click(PropsControls& c, int32_t nType) {
  const int32_t k = c.cboGalTheme->ListIndex();
  if (k < 1 || k > kFactoryGalaxies) return;
  ApplyGalaxyTheme(c, settings::FactoryGalaxyRow(k), nType);
}

}  // namespace dialogs
