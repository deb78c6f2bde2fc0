// One galaxy type record between model::records().GalaxyTypes[n] and the galaxy page of the
// Properties dialog (txtPixHue, txtGalaxy, the galaxy combos and check boxes). Neither
// direction touches the settings store or clamps: the fields clamp themselves, and records
// are clamped before they are saved.
//
// Five boxes are shared by two field sets: for a Nebula (style 4) txtGalaxy 3, 4, 5, 6 and 93
// show the control-point values Galaxy_CP_Points, _CP_Steps, _CP_B_Pts, _CP_B_Exp and
// _CP_B_Spd; for every other style the radial values Galaxy_RadSegs, _RadFill, _RadBands,
// _RadBFill and the tilt Galaxy_AngleTilt. Storing puts the boxes into both sets.
//
// Numbers are shown as their plain text (Singles with at most 7 significant digits and "." as
// the decimal point) and read back by the leading number of the text (whole fields rounded,
// halves to even); a number that does not fit its field leaves the field as it was.
#pragma once

#include <cstdint>

namespace dialogs {

struct PropsControls;

// Record n -> the galaxy page, in the order whose change handlers the page relies on: star hue
// boxes, radius, rotation and distance, the shared boxes, the star event fields, the comet
// fields, the hue fields, the two control-point check boxes, then the style, plane, colour and
// profile combos. A value a control refuses (a colour computation of 5 or 6) leaves it as it
// was. Any n outside 0-49 does nothing.
void GalaxyRecordToControls(PropsControls& c, int32_t n);

// The galaxy page -> record n. The style is cboGalStyle's current line; the colour computation
// is 5 for a Nebula, 6 for molecular structures, else cboGalColor's line. Any n outside 0-49
// does nothing.
void GalaxyControlsToRecord(PropsControls& c, int32_t n);

}  // namespace dialogs
