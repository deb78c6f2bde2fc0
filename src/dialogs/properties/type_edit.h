// Editing the universe mix on the universe page: the galaxy type list lstUniGalaxy with the
// name and percent of the selected type, the composite list lstCompGalaxy with its name,
// percent and member pickers (cboCompMajor for the major type, the check-box list lstCompMinor
// for the minor ones), the commit buttons, and the resets of all percents. The handlers change
// only the records in memory and the list lines; the records are stored on Accept.
//
// Names: a galaxy type or composite name refuses "[", "]", "," and "=" (they would break the
// template sections and lists the names are stored in), whether typed or pasted; a commit
// also drops control characters and the blanks around the name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dialogs {

struct PropsControls;

// Whether a character (by its code) may not stand in a galaxy type or composite name: "[",
// "]", ",", "=" and the control characters.
bool IsRefusedNameChar(int ch);
// The name as a commit stores it: refused characters dropped, blanks trimmed.
std::string CleanTypeName(std::string_view name);

// The number of IFS styles (1, 2, 3, 8) among the chosen composite members: 0 without a major
// type, else the major type's and every ticked minor type's (the major type counts again when
// ticked).
int32_t CountCompositeIfsTypes(const PropsControls& c);

void lstUniGalaxy_Click(PropsControls& c);
void cmdGalCommit_Click(PropsControls& c);
void cmdResetGalPct_Click(PropsControls& c);
void lstCompGalaxy_Click(PropsControls& c);
// Turns the composite name cyan while two or more members have an IFS style.
void UpdateCompositeIfsWarning(PropsControls& c);
void cmdCompCommit_Click(PropsControls& c);
void cmdResetCompPct_Click(PropsControls& c);

// Wires the handlers of the type list, the composite fields (a double click on a composite
// line presses the composite preview button), the percent fields with their
// spinners and the two resets onto the controls of `c`.
void AttachTypeEditHandlers(PropsControls& c);

}  // namespace dialogs
