// The Properties dialog's lists of galaxy types and composites, filled from the records or
// the settings store: lstUniGalaxy (the 50 galaxy types), lstCompGalaxy (the 16 composites)
// and the member pickers cboCompMajor and lstCompMinor.
//
// A line of lstUniGalaxy or lstCompGalaxy is the name, blanks and the percent, built by
// controls::SizeComboToText in the list's own font: the percent stands near a fixed column
// with at least three blanks before it, so the last 4 characters of a line hold the percent
// and the rest its name. The lists draw the percents exactly in one column
// (DrawPercentsInOneColumn).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace controls {
class ListBox;
}

namespace dialogs {

struct PropsControls;

// The name of a list line (all but its last 4 characters) and its percent (the last 4), both
// trimmed of blanks.
std::string ListLineName(std::string_view line);
std::string ListLinePercent(std::string_view line);

// Appends the line of galaxy type n (0 to 49) to lstUniGalaxy.
void AddGalaxyLine(PropsControls& c, int32_t n);

// Refills lstUniGalaxy from galaxy type records 0 to 49 (reloaded from the settings store
// first when `reload`) and selects line 0, which raises the list's Click.
void FillGalaxyList(PropsControls& c, bool reload);

// Refills the member pickers from the lines of lstUniGalaxy (each without its last 4
// characters, so a picker's line index is the galaxy type) and lstCompGalaxy from the 16
// composites: their names and percents as stored (`fromRegistry`) or as the records in memory
// hold them. Nothing is selected afterwards.
void FillCompositeList(PropsControls& c, bool fromRegistry);

// lstUniGalaxy and lstCompGalaxy draw each line's percent at one column for all lines, measured
// in the font the list draws: 2400 twips from the text's left, or further right where a name
// with its three blanks needs more. The lines themselves stay as they are.
void DrawPercentsInOneColumn(controls::ListBox& list);

// That column, in pixels from the left of a line's text.
int PercentColumnPixels(const controls::ListBox& list);

// The name lstCompGalaxy shows for composite c: its name, or "< Galaxy Composite c+1 >" when
// the name is empty.
std::string CompositeListName(int32_t c, std::string_view name);

}  // namespace dialogs
