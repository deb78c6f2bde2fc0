// The display values of section "DirectX": the render size of the full-screen saver, the
// colour filter with its mask bytes, and the desktop blend. They move between the registry, a
// template file and the Properties dialog's display fields; the table of the 16 named colour
// filters sets the compositor's filter mode and mask.
//
// Stored values (section "DirectX", texts):
//   "DX_WinWidth", "DX_WinHeight"                       render size (default: the screen size)
//   "DX_FilterIndex"                                    colour filter 0-15 (default 0)
//   "DX_FilterMaskR", "DX_FilterMaskG", "DX_FilterMaskB" mask bytes 0-255 (default 0)
//   "DX_DesktopPercent"                                 desktop share 0-99 (default 0)
//   "DX_DesktopFrames"                                  desktop fade-in frames 0-999 (default 0)
#pragma once

#include <cstdint>
#include <string>

namespace host {

inline constexpr int32_t kFilterEffectCount = 16;

// One named colour filter: mode 0 none, 1 AND, 2 XOR with the 24-bit mask (red in bits 16-23).
struct FilterEffect {
  const char* Name;
  int32_t Mode;
  int32_t Mask;
};
// Row `index` of the filter table; any index outside 0-15 gives row 0 ("Normal (Default)").
const FilterEffect& FilterEffectRow(int32_t index);

// The display fields of the Properties dialog, as the transfer modes use them. The dialog
// implements it; the fields behave as the dialog's controls do: setting a list selection it
// already has raises nothing, a list index outside the list is refused (the selection stays),
// and -1 means no selection.
class DisplayFields {
 public:
  virtual ~DisplayFields() = default;

  // The render-size list: one line "width * height" per WindowSizeList entry, same index.
  virtual int32_t ResolutionCount() const = 0;
  virtual int32_t ResolutionIndex() const = 0;
  virtual void SetResolutionIndex(int32_t index) = 0;
  virtual std::string ResolutionText() const = 0;  // the selected line; empty without selection

  // The filter list of the 16 filter names. A changed selection runs the list's handler,
  // FilterEffectTable(new index, 0, this).
  virtual int32_t FilterIndex() const = 0;
  virtual void SetFilterIndex(int32_t index) = 0;

  // Mask bytes: 0 red, 1 green, 2 blue.
  virtual std::string FilterMaskText(int32_t i) const = 0;
  virtual void SetFilterMaskText(int32_t i, const std::string& text) = 0;

  // Desktop blend: 0 percent, 1 fade-in frames.
  virtual std::string DesktopBlendText(int32_t i) const = 0;
  virtual void SetDesktopBlendText(int32_t i, const std::string& text) = 0;
};

// Sets the compositor's FilterMode and FilterMask from row `index` of the filter table, then:
//   action 0: shows the mask bytes in the fields' three mask texts;
//   action 1: rebuilds FilterMask from the three mask texts (leading number of each, rounded
//             and clamped to 0-255);
//   action 2: rebuilds FilterMask from the stored mask bytes (each clamped to 0-255) and sets
//             DesktopPercent (0-99) and DesktopFrames (0-999) from the stored values;
//   any other action: nothing more.
// Actions 0 and 1 need `fields`; without them only the mode and mask of the row are set.
// Returns the filter's name.
std::string FilterEffectTable(int32_t index, int16_t action, DisplayFields* fields = nullptr);

// Moves the display values; mode 0 registry -> fields, 1 template -> fields, 2 factory values
// (screen size and filter 0 stored, the fields get the screen size, filter 0 and zeros),
// 3 fields -> registry, 4 fields -> template being written; any other mode does nothing.
void ReadWriteDisplaySettings(DisplayFields& fields, int32_t mode);

// The stored colour filter, its mask and the desktop blend into the compositor:
// FilterEffectTable(stored "DX_FilterIndex", 2). The saver run calls it before its display.
void LoadStoredDisplayEffects();

}  // namespace host
