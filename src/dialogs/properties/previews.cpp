#include "dialogs/properties/previews.h"

#include <algorithm>

#include "dialogs/properties/props_controls.h"
#include "host/screen_capture.h"
#include "platform/message_box.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

enum class PreviewKind { Galaxy, Composite, Universe };

// One preview: its button, the button's idle and running captions, and for the galaxy and
// composite previews the list whose selection is shown with the message when there is none.
struct PreviewRow {
  controls::CommandButton* PropsControls::*button;
  const char* idle;
  const char* running;
  controls::ListBox* PropsControls::*list;
  const char* noSelection;
};

const PreviewRow& RowOf(PreviewKind kind) {
  static const PreviewRow kRows[] = {
      {&PropsControls::cmdPreviewGal, "Preview Galaxy", "Stop", &PropsControls::lstUniGalaxy,
       "Please select a Galaxy Type."},
      {&PropsControls::cmdPreviewComp, "Preview Comp", "Stop", &PropsControls::lstCompGalaxy,
       "Please select a Composite Galaxy Type."},
      {&PropsControls::cmdPreviewUni, "Preview Universe", "Stop Preview", nullptr, nullptr},
  };
  return kRows[static_cast<int>(kind)];
}

bool ScreenCaptureOn() { return store::GetSettingString("Advanced", "Adv_ScreenCapt", "0") == "1"; }

// The window as a running (or stopped) preview wants it: locked or given back, the capture
// buttons, the button's caption and the cancel role.
void ShowPreviewState(PropsControls& c, const PreviewRow& row, bool running) {
  controls::CommandButton& button = *(c.*row.button);
  controls::UpdateFormMenus(c.form, running, button.Name());
  const bool capture = running && ScreenCaptureOn();
  for (auto [index, capt] : c.cmdCaptureImage) {
    capt->SetVisible(capture);
    if (capture) capt->SetEnabled(true);
  }
  button.SetCaption(running ? row.running : row.idle);
  c.form.SetCancelButton(running ? &button : c.cmdDismiss);
}

void TogglePreview(PropsControls& c, PreviewKind kind, bool start) {
  // A stopped preview that has not reached its next frame yet is still on the stack; a second
  // one inside it would share its frame and comets, and clearing the stop flag would revive it.
  if (start && engine::DialogDisplayRunning()) return;
  presentation::PacingState& pacing = presentation::pacing();
  pacing.G_bCancel = false;
  const PreviewRow& row = RowOf(kind);
  if (start && row.list != nullptr && (c.*row.list)->ListIndex() < 0) {
    platform::ShowMessage(row.noSelection, platform::kProductName, platform::MsgIcon::Information);
    (c.*row.list)->SetFocus();
    return;
  }
  ShowPreviewState(c, row, start);
  if (!start) {
    pacing.G_bCancel = true;
    return;
  }
  if (kind == PreviewKind::Universe)
    engine::ApplyUniverseDialogSettings();
  else
    engine::ApplyUniverseGalaxyChoice(*c.picPreview, kind == PreviewKind::Composite);
  // A preview that ended without a stop (nothing to show) gives the window back as a stop does.
  if (c.form.IsLoaded() && (c.*row.button)->Caption() == row.running) ShowPreviewState(c, row, false);
}

// A click on a preview button starts the preview when the button shows its idle caption.
void AttachPreviewButton(PropsControls& c, PreviewKind kind) {
  PropsControls* pc = &c;
  const PreviewRow& row = RowOf(kind);
  // The button is as wide as its wider caption, so nothing beside it moves as it toggles.
  controls::CommandButton& button = *(c.*row.button);
  int width = 0;
  for (const char* caption : {row.running, row.idle}) {
    button.SetCaption(caption);
    width = std::max(width, button.sizeHint().width());
  }
  button.setMinimumWidth(width);
  (c.*row.button)->Click = [pc, kind, &row] { TogglePreview(*pc, kind, (pc->*row.button)->Caption() == row.idle); };
}

}  // namespace

std::string PreviewFields::UniText(int index) const { return c_.txtUni[index].Text(); }
int32_t PreviewFields::UniProfileIndex() const { return c_.cboUniProfile->ListIndex(); }
int32_t PreviewFields::UniTourValue() const { return c_.chkUniTour->Value(); }
int32_t PreviewFields::VisitSeqValue() const { return c_.chkVisitSeq->Value(); }
std::string PreviewFields::TourGalaxiesText() const { return c_.cboTourGalaxies->Text(); }
int32_t PreviewFields::GalaxyListIndex() const { return c_.lstUniGalaxy->ListIndex(); }
int32_t PreviewFields::CompositeListIndex() const { return c_.lstCompGalaxy->ListIndex(); }
presentation::RenderSurface* PreviewFields::PreviewPicture() { return c_.picPreview; }

void PreviewGalaxy(PropsControls& c, bool start) { TogglePreview(c, PreviewKind::Galaxy, start); }
void PreviewComposite(PropsControls& c, bool start) { TogglePreview(c, PreviewKind::Composite, start); }
void PreviewUniverse(PropsControls& c, bool start) { TogglePreview(c, PreviewKind::Universe, start); }

void cmdCaptureImage_Click(PropsControls& c, int16_t Index) {
  switch (Index) {
    case 0: host::CopyFrameToPicture(c.picScreenCapture); break;
    case 1: host::SaveScreenCapture(c.picScreenCapture, true); break;
    case 2: host::SaveScreenCapture(c.picScreenCapture, false); break;
    default: break;
  }
}

void EndPreviewsOnUnload(PropsControls& c, const engine::UniverseDialog* fields, const engine::HueConeDialog* cone) {
  if (engine::DialogDisplayRunning()) presentation::pacing().G_bCancel = true;
  presentation::UnbindRenderTarget(c.picPreview);
  if (fields != nullptr && engine::universeDialog() == fields) engine::SetUniverseDialog(nullptr);
  if (cone != nullptr && engine::hueConeDialog() == cone) engine::SetHueConeDialog(nullptr);
}

void AttachPreviewHandlers(PropsControls& c) {
  for (PreviewKind kind : {PreviewKind::Galaxy, PreviewKind::Composite, PreviewKind::Universe})
    AttachPreviewButton(c, kind);
  PropsControls* pc = &c;
  for (auto [index, button] : c.cmdCaptureImage)
    button->Click = [pc, i = static_cast<int16_t>(index)] { cmdCaptureImage_Click(*pc, i); };
}

}  // namespace dialogs
