// Forcing every stored value of a galaxy type or composite record into its legal range.
// Values out of range take the nearest bound; nothing is rejected and nothing is reported.
// The loaders run these after every load and the savers before writing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Bounds of the four style-dependent fields for one galaxy style (0 to 9).
struct StyleBounds {
  int32_t segsMin, segsMax;    // Galaxy_RadSegs
  int32_t fillMax;             // Galaxy_RadFill, from 0
  int32_t bandsMin, bandsMax;  // Galaxy_RadBands
  int32_t bandFillMax;         // Galaxy_RadBFill, from 0
};
// The bounds of a style; a style outside 0..9 takes the nearer end.
StyleBounds StyleBoundsOf(int32_t style);

// GalaxyTypes[n] (n = 0 to 65; other indices do nothing). The style is clamped to 0..9 first
// and selects the bounds of the style-dependent fields; the two fill percents become whole
// numbers (halves to even). IFS points and atoms are clamped up to their counts only. The
// run-time RibbonPhase, OrbitAngle and SpinAngle are set to 0.
void ClampGalaxyRecord(int32_t n);

// CompositeGalaxies[n] (n = 0 to 15): the weight to 0..9999, the member count to 0..50 (every
// member slot may be in use) and each member in use to a galaxy type 0..49.
void ClampCompositeRecord(int32_t n);

// Records 0 to count - 1 of one kind, each in its own section (section(n)): a load reads
// each record and then clamps it, a save clamps each record and then writes it.
using RecordTransfer = void (*)(int32_t n, std::string_view section);
void LoadClampedRecords(int32_t count, RecordTransfer read, std::string (*section)(int32_t),
                        void (*clamp)(int32_t));
void SaveClampedRecords(int32_t count, RecordTransfer write, std::string (*section)(int32_t),
                        void (*clamp)(int32_t));
// The load from the current template: only the records whose section the template holds are
// read and clamped; the others keep what they hold, so a template cut short or written by hand
// does not replace the records it does not carry. Returns the indices of the records read.
std::vector<int32_t> LoadClampedTemplateRecords(int32_t count, RecordTransfer read,
                                                std::string (*section)(int32_t), void (*clamp)(int32_t));

}  // namespace settings
