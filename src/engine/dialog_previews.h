// The displays that run on the Properties dialog's fields instead of the stored settings: the
// universe preview and the galaxy or composite preview inside the dialog's own picture, and
// the recording of the video window, which takes the same universe fields into its own
// picture.
//
// The engine never includes the dialog: the dialog implements UniverseDialog and registers
// itself with SetUniverseDialog while it exists (its cone fields reach the engine through
// the hue cone's own registration, hue_cone.h).
//
// Field texts are read as whole numbers (rounded, halves to even) or as Singles, then clamped
// to the field's range; a text that is not a number leaves its setting as it was. The galaxy
// type and composite records are taken as they are in memory: nothing here reads the
// settings store or reduces the star counts.
//
// Displays share the comet pool and the frame, so a start while a display started here has
// not yet returned (a stopped one that has not reached its next frame) does nothing.
#pragma once

#include <cstdint>
#include <string>

namespace presentation {
class RenderSurface;
}

namespace engine {

// What the previews read of the Properties dialog.
class UniverseDialog {
 public:
  virtual ~UniverseDialog() = default;
  // txtUni(index) as it stands: 0 stars, 1 galaxies, 2 and 3 the burst and travel blend
  // levels, 10 to 14 the expansion, 16 and 17 the universe hue range, 18 to 21 recycling and
  // new stars, 30 to 33 the tour, 40 to 44 the ambient stars, 50 and 51 gravity.
  virtual std::string UniText(int index) const = 0;
  // cboUniProfile's list index (-1: none).
  virtual int32_t UniProfileIndex() const = 0;
  // The values of chkUniTour and chkVisitSeq (0, 1, or 2 for greyed).
  virtual int32_t UniTourValue() const = 0;
  virtual int32_t VisitSeqValue() const = 0;
  // cboTourGalaxies' text: the blank-separated galaxy visit list.
  virtual std::string TourGalaxiesText() const = 0;
  // The list indexes of lstUniGalaxy and lstCompGalaxy (-1: nothing selected).
  virtual int32_t GalaxyListIndex() const = 0;
  virtual int32_t CompositeListIndex() const = 0;
  // picPreview, the picture the dialog's previews draw into; nullptr when there is none.
  virtual presentation::RenderSurface* PreviewPicture() = 0;
};

struct DialogPreviewState {
  UniverseDialog* Dialog = nullptr;  // the open Properties dialog, or nullptr
  int32_t DisplayDepth = 0;          // displays started here that have not returned
};
DialogPreviewState& dialogPreview();
// Back to a fresh process state (tests); the registered dialog is dropped too.
void ResetDialogPreviewState();

// The dialog registers itself when it is made and passes nullptr when it unloads.
void SetUniverseDialog(UniverseDialog* dialog);
UniverseDialog* universeDialog();

// True while a display started by one of the entry points below has not returned.
bool DialogDisplayRunning();

// The dialog's fields into the display's settings, without touching the render target: the
// hue wheel rebuilt with the universe hue range of txtUni(16) and (17) (each 0 to 999), the
// universe settings from their fields (clamped to the fields' ranges; Universe_C_Ramp and
// Universe_RotCam kept), the galaxy visit list from cboTourGalaxies, and the cone values from
// the registered hue cone dialog (the stored ones when none is registered).
void TakeUniverseDialogSettings(const UniverseDialog& dialog);

// The universe preview and the recording: takes the registered dialog's fields and runs
// DisplayUniverse until the stop flag. With bindPreview the dialog's preview picture becomes
// the render target first (LoadSaverProperties); without it the display draws into the
// target the caller bound (the video window binds its own picture). Returns false, having
// done nothing, when no dialog is registered, a display started here still runs, or
// bindPreview is asked for and the dialog has no preview picture.
bool ApplyUniverseDialogSettings(bool bindPreview = true);

// The galaxy preview (bComposite false: the type selected in lstUniGalaxy) or the composite
// preview (true: lstCompGalaxy) in picTarget until the stop flag: picTarget bound as render
// target, the hue wheel rebuilt with the dialog's universe hue range, txtUni(0) stars (10 to
// 99999; a text that is not a number keeps the star count held last). Returns false, having
// done nothing, when no dialog is registered or a display started here still runs.
bool ApplyUniverseGalaxyChoice(presentation::RenderSurface& picTarget, bool bComposite);

}  // namespace engine
