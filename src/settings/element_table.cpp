#include "settings/element_table.h"

#include <array>
#include <optional>

#include "model/galaxy_types.h"
#include "runtime/numbers.h"

namespace settings {

namespace {

constexpr std::array<ElementInfo, 17> kElements = {{
    {"Hydrogen", "H", "1", 180, 10.0f},
    {"Helium", "He", "2", 330, 12.0f},
    {"Lithium", "Li", "2,1", 0, 10.0f},
    {"Beryllim", "Be", "2,2", 0, 10.0f},
    {"Boron", "B", "2,3", 0, 10.0f},
    {"Carbon", "C", "2,4", 210, 20.0f},
    {"Nitrogen", "N", "2,5", 240, 25.0f},
    {"Oxygen", "O", "2,6", 0, 30.0f},
    {"Flourine", "F", "2,7", 270, 10.0f},
    {"Neon", "Ne", "2,8", 300, 10.0f},
    {"Sodium", "Na", "2,8,1", 30, 10.0f},
    {"Magnesium", "Mg", "2,8,2", 0, 10.0f},
    {"Aluminum", "Al", "2,8,3", 0, 10.0f},
    {"Silicon", "Si", "2,8,4", 0, 10.0f},
    {"Phosphorus", "P", "2,8,5", 0, 10.0f},
    {"Sulphur", "S", "2,8,6", 60, 40.0f},
    {"Chlorine", "Cl", "2,8,7", 120, 50.0f},
}};

constexpr ElementInfo kNoElement = {"", "", "", 0, 0.0f};

}  // namespace

const ElementInfo* FindElement(int32_t element) {
  if (element < 1 || element > static_cast<int32_t>(kElements.size())) return nullptr;
  return &kElements[static_cast<size_t>(element - 1)];
}

std::string GetElementInfo(int32_t element, std::string_view field) {
  const ElementInfo* e = FindElement(element);
  if (e == nullptr) e = &kNoElement;
  if (runtime::EqualsNoCase(field, "name")) return e->name;
  if (runtime::EqualsNoCase(field, "symbol")) return e->symbol;
  if (runtime::EqualsNoCase(field, "shells")) return e->shells;
  if (runtime::EqualsNoCase(field, "color")) return runtime::LongToText(e->color);
  if (runtime::EqualsNoCase(field, "radius")) return runtime::SingleToText(e->radius);
  return "";
}

bool AtomPositionCount(int32_t i, int32_t& count) {
  const std::optional<int32_t> points = model::AtomPointsOfType(i);
  if (!points) return false;
  count = *points;
  return true;
}

}  // namespace settings
