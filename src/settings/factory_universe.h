// The factory universe themes and the factory composite galaxies, each kept as one row of
// comma-separated values (blanks around a value carry no meaning, a comma after the last).
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// Universe theme row n (1 to 8): 29 values, the universe settings a theme puts into the
// universe fields (columns 27 and 28 are the two universe blending values). Any other n gives
// the empty text.
std::string FactoryUniverseRow(int32_t n);

// Name of universe theme n (1 to 8); the empty text for any other n.
std::string FactoryUniverseThemeName(int32_t n);

// Composite row n (1 to 16): name, weight, member count, then the member galaxy types.
// Any other n gives the empty text.
std::string FactoryCompositeRow(int32_t n);

// Fills composites 0 to 15 from the 16 composite rows, each then clamped
// (ClampCompositeRecord). Members at and beyond each count and the cumulative weights keep
// their contents.
void LoadFactoryComposites();

}  // namespace settings
