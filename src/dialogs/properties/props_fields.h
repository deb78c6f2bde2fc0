// What the windows opened from the Properties dialog (the advanced settings window and the
// galaxy editors) read and change in it. The dialog implements it; those windows see nothing
// else of it, so they can be tested against a small stand-in.
#pragma once

#include <cstdint>
#include <string>

namespace dialogs {

class PropsFields {
 public:
  virtual ~PropsFields() = default;

  // txtGalaxy(index) of the open galaxy page: 0 radius, 1 rotation, 2 distance, 9 levels,
  // 95 hue start.
  virtual std::string GalaxyText(int index) const = 0;
  // Writes txtGalaxy(index); the box's change handler runs when the text differs.
  virtual void SetGalaxyText(int index, const std::string& text) = 0;
  // txtUni(index): 0 universe stars, 2 and 3 the burst and travel blending, 16 and 17 the
  // universe hue wheel start and end.
  virtual std::string UniText(int index) const = 0;
  // Writes txtUni(index); the box's change handler runs when the text differs.
  virtual void SetUniText(int index, const std::string& text) = 0;
  // The selected galaxy type's name (txtUniGalName).
  virtual std::string UniGalName() const = 0;
  // Sets one property of the property-copy list (by its position) to value in all 50 galaxy
  // type records and shows it on the open galaxy page; stored when the dialog is accepted.
  virtual void CopyPropValueToAllGalaxyTypes(int32_t propIndex, float value) = 0;
};

}  // namespace dialogs
