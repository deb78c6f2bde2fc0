// The hue cone fields, the colour filter and desktop blend fields, and the two "Extras:" panel
// selectors of the Properties dialog.
//
// Hue cone: txtColorProps(0..3) (brightness, darkness fade, brightness bias, twist angle) with
// the spinners spnHue(0..3). The cone disc is drawn by the engine into the hidden picture
// picHueWheel, always 87 x 87 pixels, and shown by imgHueWheel scaled to that control's size,
// so the disc fits the frame at any screen resolution.
//
// Colour filter: cboFilterEffect (the 16 named filters) and the mask bytes txtFilterRGB(0..2).
// Choosing a filter sets the compositor's filter and shows its mask bytes; mask bytes typed by
// the user reach the compositor when the mask field is left. Desktop blend: txtDesktopBlend(0..1).
#pragma once

#include <cstdint>

#include "engine/hue_cone.h"

namespace controls {
class Image;
class PictureBox;
}  // namespace controls

namespace dialogs {

struct PropsControls;

// The cone picture picHueWheel as the engine draws into it: the hidden picture of
// kConeDiscPixels square; publishing shows the drawing in imgHueWheel, scaled to that control.
// The window's HueWheelPicture() gives one of these. It refers to the window's picture and image
// members, which may be created after it.
class HueWheelPicture : public engine::HueConePicture {
 public:
  HueWheelPicture(controls::PictureBox* const& picture, controls::Image* const& image)
      : picture_(picture), image_(image) {}
  explicit HueWheelPicture(PropsControls& c);
  int32_t InnerWidthPx() const override;
  int32_t InnerHeightPx() const override;
  void ClearPicture() override;
  void SetPixel(int32_t x, int32_t y, int32_t colourRef) override;
  void PublishToImage() override;

 private:
  controls::PictureBox* const& picture_;
  controls::Image* const& image_;
};

// The part of the dialog's settings start that these fields need, before the stored settings
// are loaded: the cone fields coupled with their spinners (0-100, 0-100, 0-999, -999-999), the
// filter list filled with the 16 filter names and set to the entry "FilterEffect" of section
// "General", and the mask fields made editable (EnableFilterEditing).
void PrepareFilterAndConeFields(PropsControls& c);

// The three mask fields: enabled, not locked, the window's background colour, no tool tip.
void EnableFilterEditing(PropsControls& c);

// Handler of the two extras selectors: the chosen panel in front and enabled, the others
// disabled behind it. Choosing "Composite Galaxies" refills the composite list from the
// composite records in memory.
void cboGalaxExtras_Click(PropsControls& c);
void cboUniExtras_Click(PropsControls& c);

// Wires the handlers of the cone fields and spinners, the filter list, the mask and desktop
// blend fields and the two extras selectors onto the controls of `c`. `cone` is the window as
// the engine sees it (its cone fields and HueWheelPicture); it must outlive the controls.
void AttachHueFieldHandlers(PropsControls& c, engine::HueConeDialog& cone);

}  // namespace dialogs
