// The atom rows of the molecule editor's list: fixed columns that hold one atom each, built
// from the edit boxes, from a theme or from the record, and read back by column.
//
// Columns (1-based): 1-18 element name, left-aligned; 19-28 structure type name, right-aligned;
// then two blanks before each of X (31-34), Y (37-40), Z (43-46), right-aligned in 4, and radius
// (49-54) and extra value (57-62), right-aligned in 6. Every row is 62 characters.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dialogs {

inline constexpr int32_t kStructureTypeCount = 12;
inline constexpr int32_t kMaxAtomRows = 32;
inline constexpr int32_t kAtomValueMax = 9999;
inline constexpr int32_t kGridEdgeMin = 1;
inline constexpr int32_t kGridEdgeMax = 99;

// The names of structure types 0 to 11, each exactly 10 characters.
const std::array<std::string, kStructureTypeCount>& StructureTypeNames();
// The name of type t; the empty text outside 0 to 11.
std::string StructureTypeName(int32_t t);
// The index of a type name by exact comparison; 0 when no name matches.
int32_t GetStructureTypeIndex(std::string_view name);
// Types 6 to 11 lay their atoms on a grid: X is the points per edge, the extra value the atom
// offset.
inline bool IsGridType(int32_t t) { return t >= 6 && t < kStructureTypeCount; }

// One atom's values as a row shows them. Every number is taken to the nearest whole number
// (halves to even) and clamped to 0..9999 before it is laid out, so no value is wider than its
// column and the row reads back what was put in.
struct AtomValues {
  double x = 0, y = 0, z = 0, radius = 0, extra = 0;
};
std::string FormatAtomRow(std::string_view elementName, std::string_view typeName, const AtomValues& v);

// Characters 19 to 28 of a row (the type column), as they stand.
std::string RowTypeText(std::string_view row);
// The trimmed X, Y, Z, radius and extra columns of a row.
std::array<std::string, 5> RowNumberTexts(std::string_view row);

// A row read back for the record: its type index and its five numbers, each a whole number
// clamped to 0..9999, X of a grid type to 1..99.
struct AtomColumns {
  int32_t type = 0;
  std::array<int32_t, 5> numbers{};
};
AtomColumns ParseAtomRow(std::string_view row);

}  // namespace dialogs
