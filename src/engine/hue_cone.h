// The hue cone: a colour table of 1024 hues by 64 brightness levels (entry hue * 64 + level),
// computed by the pixel library from the hue ramp, four cone values (brightness, darkness
// fade, brightness bias, twist angle) and the brightness bubble. The engine keeps one such
// table, HueConeTable, which the ambient stars are coloured from, and refreshes it on every
// expansion frame of a universe.
//
// The Properties dialog shows the cone as a disc: hue round the circle (0 to the right,
// 256 above, 512 to the left, 768 below), level 0 at the rim rising to the centre. The
// engine never creates that dialog: the dialog registers itself through SetHueConeDialog
// while it exists, and every step that needs its fields or its picture does nothing (or
// uses the stored cone values) when none is registered.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace engine {

inline constexpr int kHueConeTableSize = 65537;  // 1024 x 64 entries and one spare
inline constexpr int kConePointCapacity = 20001;

// A picture box showing the disc, with the image control that mirrors it. Colours given to
// SetPixel are in colour-reference order (red in bits 0-7).
class HueConePicture {
 public:
  virtual ~HueConePicture() = default;
  virtual int32_t InnerWidthPx() const = 0;
  virtual int32_t InnerHeightPx() const = 0;
  virtual void ClearPicture() = 0;
  virtual void SetPixel(int32_t x, int32_t y, int32_t colourRef) = 0;
  // The image control takes the picture's persistent image.
  virtual void PublishToImage() = 0;
};

// What the engine uses of the Properties dialog: the four cone fields txtColorProps(0) to (3)
// and the hue picture (picHueWheel with imgHueWheel).
class HueConeDialog {
 public:
  virtual ~HueConeDialog() = default;
  virtual std::string ColorPropText(int index) const = 0;
  // Setting the text raises the field's own change handler, as a user's typing would.
  virtual void SetColorPropText(int index, const std::string& text) = 0;
  // nullptr when the dialog has no picture to draw into.
  virtual HueConePicture* HueWheelPicture() = 0;
};

struct HueConeState {
  std::array<int32_t, kHueConeTableSize> HueConeTable{};
  // Cone values: brightness 0-100, darkness fade 0-100, bias 0-999, twist -999-999.
  int32_t ConeBright = 0;
  int32_t ConeBlack = 0;
  int32_t ConeBBias = 0;
  int32_t ConeTwist = 0;
  bool ConeValuesFromDialog = false;  // the values came from the dialog's fields

  // The disc's points, built once per process from the first picture drawn on.
  bool ConePointsBuilt = false;
  int32_t ConePointCount = 0;
  std::array<int32_t, kConePointCapacity> ConePointX{};
  std::array<int32_t, kConePointCapacity> ConePointY{};
  std::array<int32_t, kConePointCapacity> ConePointIndex{};

  // Working tables of the preview, kept so that a redraw allocates nothing.
  std::array<int32_t, 1025> PreviewRamp{};
  std::array<int32_t, kHueConeTableSize> PreviewCone{};

  HueConeDialog* Dialog = nullptr;  // the open Properties dialog, or nullptr
};
HueConeState& hueCone();
// Back to a fresh process state (tests); the registered dialog is dropped too.
void ResetHueConeState();

// The Properties dialog registers itself when it loads and passes nullptr when it unloads.
void SetHueConeDialog(HueConeDialog* dialog);
HueConeDialog* hueConeDialog();

// The four cone values from the dialog's fields: leading number, rounded, clamped.
void LoadColorConeSettings(const HueConeDialog& window);
// The four stored cone values of section "GenColor" as the universe settings loaded them
// (defaults 100, 20, 160, 45), clamped. The hue cone of a display without the dialog (the
// saver, the preview, the video window) is built from these.
void LoadStoredConeSettings();

// Draws the cone disc into `picture`: a private ramp moved on by the bubble, the cone values
// of the open dialog (else the loaded ones), the library's cone, one pixel per disc point.
void BuildHueConeColors(HueConePicture& picture);
// One expansion frame: bubble on, HueConeTable refilled from the dialog's cone values when
// its preview loaded them, else from the stored ones; with the bubble on and the dialog
// open, its preview is redrawn as well. With the bubble on, the bubble moves twice per call
// (once for the table, once for the preview), whether or not a preview is drawn.
void HueConeColor();
// Hue wheel settings reloaded from the settings store, then the disc redrawn.
void ReloadHueColors(HueConePicture& picture);
void RefreshHueColorPreview(HueConeDialog& window);
// Up (38) and Down (40) on cone field Index (0 to 3): the value steps by 1, 1, 10 or 5 toward
// its bound.
void ColorPropsArrowKey(HueConeDialog& window, int16_t Index, int16_t KeyCode);
// The field's text clamped to its range, then the disc redrawn.
void ValidateColorProp(HueConeDialog& window, int16_t Index);

}  // namespace engine
