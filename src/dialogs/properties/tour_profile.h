// The tour switches and the thickness profile curves of the Properties dialog.
//
// Tour: chkUniTour switches the camera tour; its fields txtUni(30) to (32), the tour script
// cboTourGalaxies and the two check boxes chkVisitSeq and chkRotCamera are enabled only with
// the tour on, and the camera ramping field txtUni(34) only when chkRotCamera is checked too.
// Checking chkVisitSeq (the types in turn) disables the tour script and its frame. A value set
// by code (a load, a theme) runs the same handler, so the enabling follows the values.
//
// Profiles: cboGalProfile draws its profile in picGalProfile; cboUniProfile draws the profile
// of the chosen galaxy type in picUniProfile when that type's style has a thickness profile
// (Standard, the first I.F.S. style, Quasar, Graviton), and leaves the picture blank
// otherwise.
#pragma once

#include <cstdint>

namespace controls {
class PictureBox;
}

namespace dialogs {

struct PropsControls;

// The colours of a profile picture: the curve in black on white.
inline constexpr uint32_t kProfileBackColor = 0xFFFFFF;
inline constexpr uint32_t kProfileCurveColor = 0x000000;

void chkUniTour_Click(PropsControls& c);
void chkRotCamera_Click(PropsControls& c);
void chkVisitSeq_Click(PropsControls& c);
// After settings are loaded into the tour boxes: a box whose value did not change raised no
// click, so the enabling is applied once from the loaded values.
void ApplyTourEnabling(PropsControls& c);
void cboGalProfile_Click(PropsControls& c);
void cboUniProfile_Click(PropsControls& c);

// Clears the picture, then draws the height of thickness profile `profile` over a disk of
// radius 1: x from 0 (the core) to the picture's width (the rim), height 1 at the top and 0 at
// the bottom, one line segment per pixel column. A profile outside 0 to 6 is a flat line along
// the bottom; a picture without width or height draws nothing.
void DrawProfileCurve(controls::PictureBox& picture, int32_t profile);

// Wires the handlers above onto the tour check boxes and the two profile combos, and gives
// the profile pictures their colours.
void AttachTourProfileHandlers(PropsControls& c);

}  // namespace dialogs
