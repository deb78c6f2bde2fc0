// The galaxy theme combo cboGalTheme of the galaxy page: entry k from 1 to 50 fills the page's
// fields from factory galaxy row k and writes that row's level settings, IFS points and atoms
// straight into the record of the galaxy type being edited. The fields reach the record when
// the editing ends; nothing is stored in the settings.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace dialogs {

struct PropsControls;

// Where one step of a galaxy theme goes: a box txtGalaxy(field) or txtPixHue(field), one of
// the page's combos or check boxes, or the record of the edited type (its level settings; its
// IFS points and atoms).
enum class GalaxyThemeTarget : uint8_t {
  Galaxy, PixHue, Style, Plane, Color, Profile, PulsarShape, ClosedPath, AdvancedHueWheel, CometVector,
  RecordLevels, RecordPointsAndAtoms
};

struct GalaxyThemeStep {
  GalaxyThemeTarget target;
  int16_t field;         // box index for Galaxy and PixHue
  int16_t column;        // column of the factory row
  int16_t nebulaColumn;  // the column a Nebula (style 4) takes instead; -1 when the same
};

// The steps in the order they are applied; the style (column 3) is chosen before the fields
// that depend on it are filled. Columns 32 to 34 and 65 to 67 are read nowhere.
std::span<const GalaxyThemeStep> GalaxyThemeSteps();

// Fills the galaxy page from a factory galaxy row for galaxy type nType (0 to 49). A box gets
// the trimmed column text as it stands; a combo selection and a check box value get the
// column's value as a whole number, and a value the control refuses leaves it as it was (the
// colour computation 5 of a Nebula, 6 of a molecule). Every assignment raises the control's own
// handler. The record of nType receives, for style 0 only, the level spacing (1 to 30000), the
// height scale (0 to 99.9) and the three level flags (-1 for a value other than 0, else 0); and,
// whatever the style, the IFS points of a style 8 row or the atoms of a style 9 row, every
// other row emptying both. An nType outside 0 to 49 changes nothing.
void ApplyGalaxyTheme(PropsControls& c, std::string_view sRow, int32_t nType);

// Handler of cboGalTheme: entries 1 to 50 apply that factory galaxy to type nType (the type
// being edited); entry 0 and no selection do nothing.
void cboGalTheme_Click(PropsControls& c, int32_t nType);

}  // namespace dialogs
