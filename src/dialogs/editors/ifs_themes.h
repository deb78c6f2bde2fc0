// The ten ready-made figures of the IFS editor. Each theme is one comma-separated text of 42
// fields: 0 the description; 1-3 the centre X, Y, Z; 4-6 the radius, rotation and distance;
// then seven fields for each of the five point rows i (from 0): 7 + 7i X, 8 + 7i Y, 9 + 7i Z,
// 10 + 7i scale, 11 + 7i axis (0 X, 1 Y, 2 Z), 12 + 7i angle, 13 + 7i relative percent, where a
// percent of 0 marks a row the theme leaves empty. Fields are trimmed of blanks.
#pragma once

#include <cstdint>
#include <string>

namespace dialogs {

inline constexpr int32_t kIfsThemeCount = 10;

// The entry of the theme list at list index n: "Select a Theme" at 0, the theme names at 1-10;
// empty for any other n.
std::string IfsThemeListEntry(int32_t n);
// The theme text of theme n (1 to 10, its list index); empty for any other n.
std::string GetIfsThemeText(int32_t n);

}  // namespace dialogs
