// The frame "Copy Galaxy Props to All Types": one of 68 galaxy properties (cboPropCopyList,
// its position is the property number), a value typed into txtPropCopy, picked in cboPropCopy
// or ticked in chkPropCopy, and "Copy", which writes the value into that property of galaxy
// type records 0 to 49. A property of one galaxy style goes only to the types of that style;
// a few general ones skip the styles that keep a property of their own in the same field.
// Only the records in memory change; they are stored when the dialog is accepted.
#pragma once

#include <cstdint>
#include <span>

#include "dialogs/properties/field_rules.h"
#include "model/galaxy_types.h"

namespace controls {
class CheckBox;
class ComboBox;
}  // namespace controls

namespace dialogs {

struct PropsControls;
class PropsFields;

inline constexpr int32_t kPropCopyRows = 68;

// How the value of a property is given.
enum class PropCopyInput : uint8_t {
  Text,       // txtPropCopy, with a range caption, key filter and clamp
  GalaxyList, // cboPropCopy holding the entries of the dialog's own list of the property
  PlaneList,  // cboPropCopy holding "Y-Z" and "X-Z", the first selected
  Check       // chkPropCopy
};

// The control of the galaxy page that shows the property.
enum class PropCopyControl : uint8_t { PixHue, Galaxy, Combo, Check };

// Galaxy styles as bits (bit s for style s).
using StyleSet = uint16_t;

struct PropCopyRow {
  PropCopyInput input;
  const char* caption;  // range caption of a text row; the check box caption of the check row
  int16_t maxLength;    // of txtPropCopy for a text row
  KeyFilter keys;
  FieldClamp clamp;
  // The record field written: a whole field (rounded, halves to even) or a Single.
  int32_t model::GalaxyTypeProps::*whole;
  float model::GalaxyTypeProps::*single;
  StyleSet styles;  // the styles whose types receive the value
  PropCopyControl control;
  int16_t index;                                // box index for PixHue and Galaxy
  controls::ComboBox* PropsControls::*combo;    // for Combo (the list rows take its entries)
  controls::CheckBox* PropsControls::*check;    // for Check
};

// The 68 rows by property number.
std::span<const PropCopyRow> PropCopyRows();

// Whether row `row` is written into a type of galaxy style `style`.
bool PropCopyAppliesTo(const PropCopyRow& row, int32_t style);

// Writes fValue into property lPropIndex of galaxy types 0 to 49, each type by the style it
// has before the write, then rebuilds the hue wheel table (also for a number outside 0 to 67,
// which writes nothing). The composite slots 50 to 65 never change.
//
// With no galaxy type edited (editedType outside 0 to 49), the row's control on the galaxy
// page is set once for each type that receives the value: a box gets the text of fValue
// itself, a combo the list position and a check box the value, fValue rounded to a 16-bit
// whole number; the control keeps its content when no type receives it.
// While type editedType is edited, its page is stored into its record first, the records are
// written, and the page is reloaded from that record once: the page shows the value exactly
// when the edited type received it.
void CopyPropValueToAllGalaxyTypes(PropsControls& c, int32_t lPropIndex, float fValue, int32_t editedType);

// Handlers of the frame. Choosing a property empties and prepares the value input of its row.
void cboPropCopyList_Click(PropsControls& c);
void txtPropCopy_KeyPress(PropsControls& c, int& KeyAscii);
void txtPropCopy_LostFocus(PropsControls& c);
// Checks the choice and the value (telling the user what is missing) and copies the value
// through the dialog's CopyPropValueToAllGalaxyTypes.
void cmdPropCopy_Click(PropsControls& c, PropsFields& dialog);

// Wires the handlers above onto the frame's controls; `dialog` must outlive them.
void AttachPropCopyHandlers(PropsControls& c, PropsFields& dialog);

}  // namespace dialogs
