// The 28 universe values of section "Universe" between the Properties dialog's universe
// fields and the settings store or a template, and the universe part of the template roads.
//
// Rows, in template order (settings::kUniverseValues gives the names and defaults):
//   1-16  txtUni 0, 1, 10, 11, 12, 14, 16, 17, 18, 20, 21, 30, 31, 32, 33, 34 (texts)
//   17    cboTourGalaxies (its text, shown even when no line has it)
//   18-20 chkUniTour, chkVisitSeq, chkRotCamera (stored "0"/"1"; only "1" checks a box)
//   21-27 txtUni 40, 41, 42, 43, 44, 50, 51 (texts)
//   28    cboUniProfile (the line index; an index the list lacks leaves the selection and is
//         stored back as it was loaded until a line is chosen)
// Texts go across unchanged: the fields clamp themselves. Each assignment raises the
// control's own handler, so the assignment order is part of the behaviour.
#pragma once

namespace dialogs {

struct PropsControls;

// Settings store -> fields (missing values give their defaults; the profile is read as a
// whole number, default 51).
void UniverseRegToControls(PropsControls& c);
// Fields -> settings store.
void UniverseControlsToReg(PropsControls& c);
// Current template -> fields (the profile as "0" & text, so an empty value selects line 0).
void UniverseTemplateToControls(PropsControls& c);
// Fields -> template being written.
void UniverseControlsToTemplate(PropsControls& c);

// The universe part of opening a template: the three random-variation values into the
// settings store, the universe fields, the 50 galaxy type and 16 composite records, and the
// galaxy and composite lists refilled from the records.
void ImportUniverseTemplate(PropsControls& c);
// The universe part of saving a template: the universe fields, then every galaxy type and
// composite record (each clamped first).
void SaveUniverseTemplate(PropsControls& c);

}  // namespace dialogs
