// Hue range tables: 80-entry colour sequences for a stretch of hues.
//
// A sequence starts with a fade from white to the colour of the start position (entries 0
// to 7), then steps from the start toward the end, 1/72 of the way per entry, darkening
// slowly (entries 8 to 79). Each galaxy type has its own sequence in TypeHueRangeTable (type
// index fastest: element (t, i) is flat element i * 51 + t); the universe has one in
// UniverseHueRangeTable. Entry 80 of either table is never written. Colours are in
// colour-reference order.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace model {

inline constexpr int kHueRangeColumns = 51;  // types 0 to 50 (column 50 is never written)
inline constexpr int kHueRangeEntries = 81;  // entries 0 to 80 (entry 80 is never written)

struct HueRangeState {
  std::array<int32_t, kHueRangeColumns * kHueRangeEntries> TypeHueRangeTable{};
  std::array<int32_t, kHueRangeEntries> UniverseHueRangeTable{};
};
HueRangeState& hueRangeState();

// Flat position of element (type, entry) of TypeHueRangeTable.
constexpr int32_t HueRangeIndex(int32_t type, int32_t entry) { return entry * kHueRangeColumns + type; }

// Fills entries 0 to 79 of one sequence. Column -1: Table is one-dimensional and entry i is
// Table[i]; otherwise entry i is Table[HueRangeIndex(Column, i)]. UseRamp: positions are
// steps of the 1024-step hue ramp, else degrees. An entry outside Table (or a column outside
// 0 to 50) is not written.
void BuildHueRangeTable(std::span<int32_t> Table, int32_t Column, int32_t StartHue, int32_t EndHue, bool UseRamp);

// Builds the universe sequence and the sequences of types 0 to 49 from their Galaxy_HWC_Start
// and Galaxy_HWC_End. A start or end of -1 is read from section "Universe"
// (Universe_HW_Start, default 170; Universe_HW_End, default 250).
void SetUniverseHueWheel(int32_t StartHue, int32_t EndHue);

}  // namespace model
