// The style panel of the galaxy page: what the shape and motion fields mean for each galaxy
// style (0 Standard, 1-3 the I.F.S. styles, 4 Nebula, 5 Quasar, 6 Graviton, 7 Starwave, 8
// user-defined IFS, 9 molecular structures). ShowGalaxyStyleControls shows and hides the rows,
// captions them, gives them their help numbers, and gives the four shared boxes txtGalaxy(3)
// to (6) and their spinners the ranges and lengths of the style; the tilt box txtGalaxy(93)
// is clamped to the style's range. It changes no record.
#pragma once

#include <cstdint>
#include <optional>

namespace dialogs {

struct PropsControls;

inline constexpr int32_t kGalaxyStyleCount = 10;
inline constexpr int32_t kNebulaGalaxyStyle = 4;
inline constexpr int32_t kUserIfsGalaxyStyle = 8;

struct WholeRange {
  int32_t lower;
  int32_t upper;
};

// The range a shared box (txtGalaxy 3, 4, 5, 6 or 93) keeps to for a style 0-9: the clamp on
// leaving the box and the bounds of its Up and Down keys. Nothing for any other index or
// style.
std::optional<WholeRange> SharedBoxRange(int32_t style, int index);

// Lays the galaxy page out for a style 0-9; any other style changes nothing. Styles 8 and 9
// leave the ranges of boxes 3 to 6 as the style shown before set them (the boxes are hidden).
void ShowGalaxyStyleControls(PropsControls& c, int32_t style);

// Choosing a style in cboGalStyle, by the user or by code.
void cboGalStyle_Click(PropsControls& c);

}  // namespace dialogs
