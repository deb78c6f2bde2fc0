#include "dialogs/properties/tour_profile.h"

#include <cmath>
#include <optional>

#include "dialogs/properties/props_controls.h"
#include "engine/shape_primitives.h"
#include "model/galaxy_types.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

// The galaxy styles whose disk has a thickness profile: Standard, the first I.F.S. style,
// Quasar and Graviton.
bool StyleHasProfile(int32_t style) { return style == 0 || style == 1 || style == 5 || style == 6; }

// The ramping field and its label follow `enabled`.
void EnableCameraRamping(PropsControls& c, bool enabled) {
  c.lblUni[34].SetEnabled(enabled);
  c.txtUni[34].SetEnabled(enabled);
}

}  // namespace

void chkUniTour_Click(PropsControls& c) {
  const int tour = c.chkUniTour->Value();
  const bool on = tour != 0;
  const bool ramping = (tour & c.chkRotCamera->Value()) != 0;
  for (int i : {30, 31, 32}) c.lblUni[i].SetEnabled(on);
  c.lblUni[34].SetEnabled(ramping);
  for (int i : {30, 31, 32}) c.txtUni[i].SetEnabled(on);
  c.txtUni[34].SetEnabled(ramping);
  c.cboTourGalaxies->SetEnabled(on);
  c.chkVisitSeq->SetEnabled(on);
  c.chkRotCamera->SetEnabled(on);
}

void chkRotCamera_Click(PropsControls& c) { EnableCameraRamping(c, c.chkRotCamera->Value() != 0); }

void chkVisitSeq_Click(PropsControls& c) {
  const bool script = c.chkVisitSeq->Value() == 0;
  c.fraTripScript->SetEnabled(script);
  c.cboTourGalaxies->SetEnabled(script);
}

void ApplyTourEnabling(PropsControls& c) {
  chkUniTour_Click(c);
  // With the tour off the script stays disabled whatever the sequence box says.
  if (c.chkUniTour->Value() != 0) chkVisitSeq_Click(c);
}

void cboGalProfile_Click(PropsControls& c) { DrawProfileCurve(*c.picGalProfile, c.cboGalProfile->ListIndex()); }

void cboUniProfile_Click(PropsControls& c) {
  // A line chosen replaces a loaded value the list could not show.
  c.uniProfileUnlisted.clear();
  const int32_t type = c.cboUniProfile->ListIndex();
  if (type >= 0 && type < model::kEditableGalaxyTypes) {
    const model::GalaxyTypeProps& g = model::records().GalaxyTypes[type];
    if (StyleHasProfile(g.Galaxy_GalStyle)) {
      DrawProfileCurve(*c.picUniProfile, g.Galaxy_Profile);
      return;
    }
  }
  c.picUniProfile->Cls();
}

void DrawProfileCurve(controls::PictureBox& picture, int32_t profile) {
  picture.Cls();
  const int32_t width = picture.ScaleWidth();
  const int32_t height = picture.ScaleHeight();
  if (width <= 0 || height <= 0) return;
  // The row of the curve at column x; nothing when it cannot be drawn.
  const auto rowAt = [&](int32_t x) -> std::optional<int32_t> {
    const float r = static_cast<float>(x) / static_cast<float>(width);
    const double h = std::fabs(engine::ProfileThickness(profile, r, 1.0f, 1.0f));
    return runtime::ToLong((1.0 - h) * height);
  };
  std::optional<int32_t> previous = rowAt(0);
  if (previous) picture.PSet(0, *previous, kProfileCurveColor);
  for (int32_t x = 1; x <= width; ++x) {
    const std::optional<int32_t> y = rowAt(x);
    if (y && previous) picture.DrawLine(x - 1, *previous, x, *y, kProfileCurveColor);
    previous = y;
  }
}

void AttachTourProfileHandlers(PropsControls& c) {
  PropsControls* pc = &c;
  for (controls::PictureBox* p : {c.picGalProfile, c.picUniProfile}) {
    p->SetBackColor(kProfileBackColor);
    p->Cls();
  }
  c.chkUniTour->Click = [pc] { chkUniTour_Click(*pc); };
  c.chkRotCamera->Click = [pc] { chkRotCamera_Click(*pc); };
  c.chkVisitSeq->Click = [pc] { chkVisitSeq_Click(*pc); };
  c.cboGalProfile->Click = [pc] { cboGalProfile_Click(*pc); };
  c.cboUniProfile->Click = [pc] { cboUniProfile_Click(*pc); };
}

}  // namespace dialogs
