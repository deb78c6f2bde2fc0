// The roads that move a whole settings set between the Properties dialog (its display,
// hue-cone and universe fields, and the galaxy type and composite records) and the settings
// store or a template file, the first run and the dialog's settings start. The command-line
// road, which needs no dialog, is settings::CyclePropsTempToRegArrays.
//
// Template roads read and write store::templateState().TemplatePath.
#pragma once

namespace dialogs {

struct PropsControls;

// Load: display fields, hue-cone fields and the two blending fields txtUni(2), (3) from the
// store, the universe fields, then the composite records reloaded and the composite lists
// refilled from the store. The galaxy records and list are left to the dialog's load.
void CyclePropsRegToArrays(PropsControls& c);

// Open: the current template's display and hue-cone values into the fields, its Advanced and
// random-variation values into the store at once, its universe values, galaxy types and
// composites into the fields, records and lists. A template that cannot be read (missing,
// unreadable, without a section header) changes nothing: the user is told and false returned.
bool CyclePropsTempToArrays(PropsControls& c);

// Factory reset: factory display values (also stored), the factory Advanced, blending and
// random-variation values stored, factory hue-cone fields, the factory composites and galaxy
// types in the records and the galaxy list (line 0 then selected), universe theme 1 in the
// universe fields, the first universe panel, and the blending fields from the store. Neither
// AnimationType nor the records are stored: they reach the store on Accept.
void CyclePropsResetToFactory(PropsControls& c);

// Accept: AnimationType "0", the display, hue-cone, blending and universe fields and every
// galaxy type and composite record into the store, as one batch. When the store cannot be
// written, or any write of the batch fails, nothing is stored, the user is told once, and
// false is returned (the dialog stays open).
bool CyclePropsArraysToReg(PropsControls& c);

// Save: the whole set (Admin values, AnimationType, the stored Advanced values, the display,
// hue-cone and universe fields, the galaxy type and composite records) into the current
// template. The file is replaced only when all of it was written; otherwise the old one stays,
// the user is told and false is returned.
bool CyclePropsArraysToTemp(PropsControls& c);

// First run: marks the first run done (ResetSettings "1"), shows the welcome window when one is
// registered, then loads the stored set when one is complete (AnimationType present), else
// the factory set.
void FirstRunSettings(PropsControls& c);

// The dialog's settings start, run by its load once the galaxy and composite lists are filled:
// the hue-cone spinners, the filter list and the filter fields; then the first run when the
// dialog was never opened, else the factory set stored when no complete set is, and the
// stored set loaded; then the hue-cone preview redrawn and pending events run once. Stored
// settings that can be read but not written are told once and shown as stored, with no
// first run; with no complete set stored there, the factory set is shown and nothing stored.
void ApplyFilterEffect(PropsControls& c);

}  // namespace dialogs
