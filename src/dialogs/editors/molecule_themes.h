// The ten sample molecules of the molecule editor. Each theme is one text of comma-separated
// fields, every field followed by a comma: 0 the description, 1 the atom count n, 2-4 the
// centre X, Y, Z, 5-7 the galaxy radius, rotation and distance, then seven fields per atom:
// element number, structure type, X, Y, Z, radius and extra value.
#pragma once

#include <cstdint>
#include <string>

namespace dialogs {

inline constexpr int32_t kMoleculeThemeCount = 10;

// The name of theme n (1 to 10) as the theme list shows it; "Select a Theme" for 0 and the
// empty text for any other n.
std::string MoleculeThemeName(int32_t n);
// The text of theme n (1 to 10); the empty text for any other n.
std::string GetMoleculeThemeText(int32_t n);

}  // namespace dialogs
