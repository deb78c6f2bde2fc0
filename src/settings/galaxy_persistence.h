// Galaxy type records 0 to 49 in their two persistent forms.
//
// Registry: section "Universe\Galaxy<n>" holds the main values; the IFS points lie in its
// sub-key "IFS" (IFS_CenterX/Y/Z, rows IFS_P0..IFS_P4) and the atoms in "ATOMIC"
// (Atom_CenterX/Y/Z, rows Atom_P00..Atom_P31); a sub-key exists only while its count is above 0.
// Template: section "UniGal<n>", followed by "UniGal<n>\IFS" and "UniGal<n>\ATOMIC" when the
// record has points or atoms.
//
// A point or atom row is "*" and seven whole numbers, each right-aligned in 5 characters:
//   IFS:  LocX, LocY, LocZ, Scale, Axis, Angle, Rel.Pct.
//   atom: element, X, Y, Z, structure type, radius, extra value
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Row text of seven numbers. A number that would not fit its five characters is written as
// the nearest one that does (-9999..99999), so the columns never shift.
std::string FormatRecordRow(const std::array<int32_t, 7>& fields);
// The seven numbers of a row: field j is read from characters 2 + 5j .. 6 + 5j (1-based) as
// a leading number (blanks skipped; no number gives 0) rounded to a whole number. A field
// whose number is beyond the 32-bit range keeps the value that `fields` holds on entry.
void ParseRecordRow(std::string_view row, std::array<int32_t, 7>& fields);

// One record (n = 0 to 65; other indices do nothing) from or to one section.
void ReadGalaxyReg(int32_t n, std::string_view section);
void WriteGalaxyReg(int32_t n, std::string_view section);
void ReadGalaxyTemplate(int32_t n, std::string_view section);
void WriteGalaxyTemplate(int32_t n, std::string_view section);

// Records 0 to 49. Loads clamp each record after reading it; saves clamp before writing.
// The template load reads only the types whose section "UniGal<n>" the template holds and
// returns their indices; the others keep their records.
void LoadAllGalaxiesReg();
void SaveAllGalaxiesReg();
std::vector<int32_t> LoadAllGalaxiesTemplate();
void SaveAllGalaxiesTemplate();

// "Universe\Galaxy<n>" and "UniGal<n>".
std::string GalaxyRegSection(int32_t n);
std::string GalaxyTemplateSection(int32_t n);

}  // namespace settings
