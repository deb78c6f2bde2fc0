// The chemical elements that molecule galaxies are built from, and the number of atom
// positions each structure type places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// One element: its name, symbol and electron shells as shown to the user, its star colour
// (a hue in degrees) and its radius.
struct ElementInfo {
  const char* name;
  const char* symbol;
  const char* shells;
  int32_t color;
  float radius;
};

// The element of number 1 to 17; nullptr for any other number. Never allocates, so the
// engine may call it for every star it places.
const ElementInfo* FindElement(int32_t element);

// One column of the element table as text: "name", "symbol" and "shells" as they stand,
// "color" as a whole number, "radius" as a Single's text. The field name is compared
// without regard to case. An element outside 1 to 17 has empty name, symbol and shells,
// colour "0" and radius "0"; an unknown field name gives the empty text.
std::string GetElementInfo(int32_t element, std::string_view field);

// Number of atom positions of structure type i (0 to 13) into `count`. An index outside the
// table returns false and leaves `count` as it was, so the caller's stored value stays.
bool AtomPositionCount(int32_t i, int32_t& count);

}  // namespace settings
