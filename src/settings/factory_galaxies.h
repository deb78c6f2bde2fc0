// The 50 factory galaxy types: their names and weights, their factory rows, and the loaders
// that put them into the galaxy type records.
//
// A factory row is one text of comma-separated values (blanks around a value carry no
// meaning, a comma after the last value), read field by field with store::GetCsvField:
//   0 radius, 1 rotation, 2 distance, 3 style, 4 axis plane, 5 radial arms, 6 arm fill,
//   7 radial bands, 8 band fill, 9 colour multiplier, 10 height/width ratio, 11 radius
//   exponent, 12 height exponent, 13 tilt, 14 tilt step, 15 hue start, 16 hue wheel step,
//   17 colour computation, 18 profile, 19-21 new stars, 22-24 novae, 25-31 pulsars
//   (frequency, depth, cycles, frames, minimum and maximum extent, shape), 32-34 unused,
//   35-39 comets (frequency, stars, orbit, speed, solar wind), 40 core and 41 tail
//   persistence, 42 vector comets, 43-45 comet hue start, end and step, 46-49 hue red,
//   green, blue and base, 50 blend, 51-57 nebula control points (points, steps, B points,
//   B exponent, B speed, closed path, advanced hue wheel), 58 gravity force, 59 levels,
//   60-64 level settings (read only for more than one level), 65-67 unused,
//   68 IFS point or atom count (style 8 or 9, otherwise 0), 69-71 centre X, Y, Z,
//   then 7 values per point or atom.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace model {
struct GalaxyTypeProps;
}

namespace settings {

// Names and weights of the factory galaxy types, by type 0 to 49, filled once at start-up.
struct FactoryGalaxyState {
  std::vector<std::string> GalaxyStyleNames;
  std::vector<int32_t> GalaxyStylePcts;
};
FactoryGalaxyState& factoryGalaxies();

// Sizes both tables to 50 entries and fills them with the factory names and weights.
void InitGalaxyStyleNames();

// Factory row of galaxy type n - 1, for n = 1 to 50; the empty text for any other n.
std::string FactoryGalaxyRow(int32_t n);

// Replaces galaxy type n (0 to 49) by its factory settings: name and weight from the tables
// above (filled first when start-up has not done it), every field of factory row n + 1, its
// IFS points or atoms, and then the record clamp (ClampGalaxyRecord). Fields no column names
// keep their contents.
void LoadFactoryGalaxy(int32_t n);

// The IFS points or atoms of a factory row for a type of galaxy style `style`: both counts
// become 0; then, when column 68 is above 0, style 8 takes that count (at most the block's
// capacity), the centre and the points into the IfsBlock, style 9 into the AtomBlock, each atom
// with the position count of its structure type. Other styles keep both blocks empty.
void LoadFactoryPointsAndAtoms(model::GalaxyTypeProps& g, std::string_view row, int32_t style);

// All 50 factory galaxy types, then the 16 factory composites.
void LoadFactoryDefaults();

namespace factory_data {
struct FactoryName {
  const char* name;
  int32_t weight;
};
extern const FactoryName kGalaxyNames[50];
extern const char* const kGalaxyRows[50];
}  // namespace factory_data

}  // namespace settings
