#include "dialogs/properties/universe_theme.h"

#include <optional>
#include <string>

#include "platform/controls/controls.h"
#include "store/values.h"
#include "settings/factory_universe.h"
#include "runtime/numbers.h"
#include "dialogs/properties/props_controls.h"

namespace dialogs {

namespace {

using T = UniverseThemeTarget;

// clang-format off
constexpr UniverseThemeStep kUniverseThemeSteps[] = {
    {T::Field, 0, 0},   {T::Field, 1, 1},                        // stars, galaxies
    {T::Field, 10, 2},  {T::Field, 11, 3},  {T::Field, 12, 4},   // expansion, steps, persistence
    {T::Field, 14, 5},                                           // damping
    {T::Field, 16, 6},  {T::Field, 17, 7},  {T::Field, 18, 8},   // hue start, end, recycling
    {T::Profile, -1, 9},
    {T::Field, 20, 10}, {T::Field, 21, 11},                      // new stars
    {T::Field, 30, 12}, {T::Field, 31, 13}, {T::Field, 32, 14},  // tour steps and control points
    {T::Field, 33, 15},                                          // distance from the centre
    {T::Tour, -1, 16},  {T::VisitSequence, -1, 17}, {T::RotateCamera, -1, 18},
    {T::Field, 40, 20}, {T::Field, 41, 21}, {T::Field, 42, 22},  // ambient stars
    {T::Field, 43, 23}, {T::Field, 44, 24},
    {T::Field, 50, 25}, {T::Field, 51, 26},                      // gravity
    {T::Field, 2, 27},  {T::Field, 3, 28},                       // blending, burst and travel
    {T::TourGalaxies, -1, 29},                                   // the empty field after the last
};
// clang-format on

std::optional<int32_t> WholeValue(const std::string& text) { return runtime::ToLong(runtime::Val(text)); }

}  // namespace

std::span<const UniverseThemeStep> UniverseThemeSteps() { return kUniverseThemeSteps; }

void ApplyUniverseTheme(PropsControls& c, std::string_view sRow) {
  for (const UniverseThemeStep& step : kUniverseThemeSteps) {
    const std::string text = store::GetCsvField(sRow, step.column);
    switch (step.target) {
      case T::Field: c.txtUni[step.field].SetText(text); break;
      case T::TourGalaxies: c.cboTourGalaxies->SetText(text); break;
      case T::Profile:
        if (const auto v = WholeValue(text)) c.cboUniProfile->SetListIndex(*v);
        break;
      case T::Tour:
        if (const auto v = WholeValue(text)) c.chkUniTour->SetValue(*v);
        break;
      case T::VisitSequence:
        if (const auto v = WholeValue(text)) c.chkVisitSeq->SetValue(*v);
        break;
      case T::RotateCamera:
        if (const auto v = WholeValue(text)) c.chkRotCamera->SetValue(*v);
        break;
    }
  }
}

void cboUniTheme_Click(PropsControls& c) {
  const int32_t k = c.cboUniTheme->ListIndex();
  if (k < 1 || k > 8) return;
  ApplyUniverseTheme(c, settings::FactoryUniverseRow(k));
  c.lstCompGalaxy->SetTopIndex(0);
  c.lstCompGalaxy->SetListIndex(-1);
  c.lstCompMinor->SetTopIndex(0);
  c.lstCompMinor->SetListIndex(-1);
  c.cboCompMajor->SetListIndex(-1);
  c.txtCompGalName->SetText("");
  c.txtCompGalPct->SetText("");
}

}  // namespace dialogs
