// The universe theme combo cboUniTheme: entry k from 1 to 8 fills the universe fields from
// factory universe theme k and clears the composite selection controls. Nothing is stored;
// the fields reach the settings on the dialog's usual roads.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace dialogs {

struct PropsControls;

// Where one column of a theme row goes: a universe field txtUni(field), the universe profile
// combo, one of the three tour check boxes, or the tour galaxies text.
enum class UniverseThemeTarget : uint8_t { Field, Profile, Tour, VisitSequence, RotateCamera, TourGalaxies };

struct UniverseThemeStep {
  UniverseThemeTarget target;
  int16_t field;   // txtUni index for UniverseThemeTarget::Field
  int16_t column;  // column of the theme row
};

// The steps in the order they are applied. Column 19 is applied nowhere, and txtUni(34)
// (camera rotation ramping) keeps its text.
std::span<const UniverseThemeStep> UniverseThemeSteps();

// Fills the universe fields from a theme row (comma-separated, columns of the factory universe
// themes). A field gets the trimmed column text as it stands; a combo selection and a check
// box value get the column's value as a whole number. Every assignment raises the control's
// own handler, so spinners, swatches and tour fields follow. A value that a control refuses
// leaves it as it was and the next step runs.
void ApplyUniverseTheme(PropsControls& c, std::string_view sRow);

// Handler of cboUniTheme: entries 1 to 8 apply that factory theme, then both composite lists
// are scrolled to the top without a selection, the major type combo loses its selection and
// the composite name and percent are emptied. Other entries do nothing.
void cboUniTheme_Click(PropsControls& c);

}  // namespace dialogs
