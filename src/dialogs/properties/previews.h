// The previews inside the Properties dialog's picture picPreview and the captures of their
// frames.
//
// Three buttons each start and stop one preview, their caption telling which: cmdPreviewGal
// ("Preview Galaxy" / "Stop") the galaxy type selected in lstUniGalaxy, cmdPreviewComp
// ("Preview Comp" / "Stop") the composite selected in lstCompGalaxy, cmdPreviewUni ("Preview
// Universe" / "Stop Preview") a universe built from the universe fields. A preview runs inside
// the click that started it; the dialog's events (Stop, Esc, the captures, closing) are
// handled inside its frame pacing. While it runs the window is locked but for the preview's
// own button, the capture buttons and the menu items, and the preview button is the cancel
// button (Esc stops). Stopping gives every control back the enabled state it had when the
// preview started, and cmdDismiss the cancel role.
//
// With screen capture switched on ("Adv_ScreenCapt" of section "Advanced" is "1") the three
// capture buttons cmdCaptureImage show while a preview runs: 0 the frame to the clipboard,
// 1 to a bitmap file made the desktop wallpaper, 2 to a bitmap file.
//
// A start while a stopped preview has not yet returned (it ends at its next frame) does
// nothing; closing the window while a preview runs stops it.
#pragma once

#include <cstdint>
#include <string>

#include "engine/dialog_previews.h"
#include "engine/hue_cone.h"

namespace dialogs {

struct PropsControls;

// The dialog's fields as the engine's previews read them; the window registers one with
// engine::SetUniverseDialog while it exists.
class PreviewFields : public engine::UniverseDialog {
 public:
  explicit PreviewFields(PropsControls& c) : c_(c) {}
  std::string UniText(int index) const override;
  int32_t UniProfileIndex() const override;
  int32_t UniTourValue() const override;
  int32_t VisitSeqValue() const override;
  std::string TourGalaxiesText() const override;
  int32_t GalaxyListIndex() const override;
  int32_t CompositeListIndex() const override;
  presentation::RenderSurface* PreviewPicture() override;

 private:
  PropsControls& c_;
};

// Start (true: returns when the preview has ended) or stop (false: returns at once).
void PreviewGalaxy(PropsControls& c, bool start);
void PreviewComposite(PropsControls& c, bool start);
void PreviewUniverse(PropsControls& c, bool start);

// The capture buttons by index; other indexes do nothing.
void cmdCaptureImage_Click(PropsControls& c, int16_t Index);

// The window is unloading: a running preview is stopped, picPreview is no longer the render
// target, and `fields` and `cone` are unregistered from the engine where they are registered.
void EndPreviewsOnUnload(PropsControls& c, const engine::UniverseDialog* fields, const engine::HueConeDialog* cone);

// Wires the three preview buttons and the capture buttons.
void AttachPreviewHandlers(PropsControls& c);

}  // namespace dialogs
