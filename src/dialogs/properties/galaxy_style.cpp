#include "dialogs/properties/galaxy_style.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "dialogs/properties/props_controls.h"
#include "platform/controls/controls.h"

namespace dialogs {

namespace {

struct BoxRange {
  int16_t lower;
  int16_t upper;
  int16_t length;
};

// Per style: the ranges and lengths the panel gives boxes 3 to 6 and their spinners (styles 0
// to 7; styles 8 and 9 keep those of the style before), the ranges a user's value is kept to
// in those boxes, and the upper bound of the tilt box 93.
struct StyleRanges {
  std::array<BoxRange, 4> panel;
  std::array<WholeRange, 4> clamp;
  int16_t tiltUpper;
};

// clang-format off
constexpr std::array<StyleRanges, kGalaxyStyleCount> kStyleRanges{{
    //  panel: box 3         box 4           box 5          box 6           clamp: 3   4          5        6          tilt
    {{{{1, 99, 2}, {0, 100, 3},  {1, 99, 2},  {0, 100, 3}}}, {{{1, 99}, {0, 100},  {1, 99},  {0, 100}}}, 360},  // 0 Standard
    {{{{1, 99, 2}, {0, 100, 3},  {0, 360, 3}, {0, 100, 3}}}, {{{1, 99}, {0, 100},  {0, 360}, {0, 100}}}, 360},  // 1 point attractor
    {{{{4, 10, 2}, {0, 100, 3},  {1, 99, 2},  {0, 100, 3}}}, {{{4, 10}, {0, 100},  {1, 99},  {0, 100}}}, 360},  // 2 wireframe
    {{{{4, 10, 2}, {0, 100, 3},  {1, 99, 2},  {0, 100, 3}}}, {{{4, 10}, {0, 100},  {0, 100}, {0, 100}}}, 360},  // 3 fractal
    {{{{1, 20, 2}, {0, 9999, 4}, {1, 99, 2},  {0, 100, 3}}}, {{{1, 20}, {0, 9999}, {1, 99},  {0, 100}}}, 999},  // 4 Nebula
    {{{{1, 99, 2}, {0, 100, 3},  {1, 99, 2},  {0, 100, 3}}}, {{{1, 99}, {0, 100},  {1, 99},  {0, 100}}}, 360},  // 5 Quasar
    {{{{1, 99, 2}, {0, 100, 3},  {1, 99, 2},  {0, 100, 3}}}, {{{1, 99}, {0, 100},  {1, 99},  {0, 100}}}, 360},  // 6 Graviton
    {{{{1, 99, 2}, {0, 100, 3},  {1, 99, 2},  {0, 999, 3}}}, {{{1, 99}, {0, 100},  {1, 99},  {0, 999}}}, 360},  // 7 Starwave
    {{{{0, 0, 0},  {0, 0, 0},    {0, 0, 0},   {0, 0, 0}}},   {{{1, 99}, {0, 100},  {1, 99},  {0, 100}}}, 360},  // 8 IFS
    {{{{0, 0, 0},  {0, 0, 0},    {0, 0, 0},   {0, 0, 0}}},   {{{1, 99}, {0, 100},  {1, 99},  {0, 100}}}, 360},  // 9 molecules
}};
// clang-format on
constexpr int32_t kStylesWithPanelRanges = 8;

// The captions every style starts from.
struct RowCaption {
  int16_t label;
  const char* caption;
};
constexpr RowCaption kCaptions[] = {
    {0, "Radius, Rotation (1, 0 - 30000):"},
    {1, "Distance (0 - 30000), Axial Plane:"},
    {2, "Radials (1 - 99), Fill % (0 - 100):"},
    {3, "Bands (1 - 99), Fill % (0 - 100):"},
    {90, "Galaxy Height / Width Ratio (0.0 - 99.9):"},
    {91, "Radius Distribution Exponent (0.0 - 99.9):"},
    {92, "Height Distribution Exponent (0.0 - 99.9):"},
    {93, "Initial Tilt Angle in Degrees (0 - 360):"},
};

// The captions a style puts in their place.
struct StyleCaption {
  int32_t style;
  int16_t label;
  const char* caption;
};
constexpr StyleCaption kStyleCaptions[] = {
    {0, 90, "Levels (1-10), H/W Ratio (0.0 - 99.9):"},
    {1, 2, "Points (1 - 99), Scale % (0 - 100):"},
    {1, 3, "Rotation Angle Degrees (0 - 360):"},
    {2, 2, "Vertices (4 - 10), Scale % (0 - 100):"},
    {2, 3, "Linear Iteration Levels (1 - 99):"},
    {3, 2, "Points (4 - 10), Scale % (0 - 100):"},
    {4, 2, "C-Points (1 - 20), Steps (0 - 9999):"},
    {4, 3, "Bias Points (1 - 99), Span (0 - 100):"},
    {4, 91, "Expansion from Spline Path (0.0 - 99.9):"},
    {4, 92, "Solar Wind Magnitude (0.0 - 99.9):"},
    {4, 93, "Bias Point Travel Speed (0 - 999):"},
    {5, 90, "Quasar Speed, H/W Ratio (0.0 - 99.9):"},
    {6, 90, "Gravity Force, H/W Ratio (0.0 - 99.9):"},
    {7, 0, "Expansion, Rotation (1, 0 - 30000):"},
    {7, 3, "Waves (1 - 99), Persist (0 - 999):"},
    {7, 91, "Particle Wave Angle Increment (0.0 - 99.9):"},
};

// Help numbers: the label lblGalaxy(label) and the box txtGalaxy(box) get the number (-1: no
// such control in the row). kAnyStyle rows are set for every style, first.
constexpr int32_t kAnyStyle = -1;
struct HelpNumber {
  int32_t style;
  int16_t label;
  int16_t box;
  int32_t number;
};
constexpr HelpNumber kHelpNumbers[] = {
    {kAnyStyle, 0, 0, 6015},   {kAnyStyle, -1, 1, 6020},  {kAnyStyle, 1, 2, 6025},   {kAnyStyle, 2, 3, 6040},
    {kAnyStyle, -1, 4, 6041},  {kAnyStyle, 3, 5, 6045},   {kAnyStyle, -1, 6, 6046},  {kAnyStyle, 90, 90, 6105},
    {kAnyStyle, 91, 91, 6120}, {kAnyStyle, 92, 92, 6130}, {kAnyStyle, 93, 93, 6140},
    {1, 2, 3, 6510},  {1, -1, 4, 6511},  {1, 3, 5, 6512},
    {2, 2, 3, 6520},  {2, -1, 4, 6521},  {2, 3, 5, 6522},
    {3, 2, 3, 6530},  {3, -1, 4, 6531},
    {4, 2, 3, 6540},  {4, -1, 4, 6541},  {4, 3, 5, 6542},  {4, -1, 6, 6543},
    {4, 93, 93, 6544}, {4, 91, 91, 6545}, {4, 92, 92, 6546},
    {5, 90, 8, 6550},
    {6, 90, 8, 6560},
    {7, 0, 0, 6570},  {7, 3, 5, 6571},  {7, -1, 6, 6572},  {7, 91, 91, 6573},
};

void SetHelpNumbers(PropsControls& c, int32_t style) {
  for (const HelpNumber& h : kHelpNumbers) {
    if (h.style != style) continue;
    if (h.label >= 0) c.lblGalaxy[h.label].SetHelpContextID(h.number);
    if (h.box >= 0) c.txtGalaxy[h.box].SetHelpContextID(h.number);
  }
}

void SetShown(std::initializer_list<controls::Control*> group, bool shown) {
  for (controls::Control* control : group) control->SetVisible(shown);
}

bool IsStyle(int32_t style) { return style >= 0 && style < kGalaxyStyleCount; }

}  // namespace

std::optional<WholeRange> SharedBoxRange(int32_t style, int index) {
  if (!IsStyle(style)) return std::nullopt;
  const StyleRanges& r = kStyleRanges[static_cast<size_t>(style)];
  if (index >= 3 && index <= 6) return r.clamp[static_cast<size_t>(index - 3)];
  if (index == 93) return WholeRange{0, r.tiltUpper};
  return std::nullopt;
}

void ShowGalaxyStyleControls(PropsControls& c, int32_t style) {
  if (!IsStyle(style)) return;
  // Which styles show a group of controls: one character per style 0 to 9, Y shown.
  const auto shown = [style](std::string_view styles) { return styles[static_cast<size_t>(style)] == 'Y'; };
  SetShown({&c.lblGalaxy[2], &c.txtGalaxy[3], &c.spnGalaxy[3], &c.txtGalaxy[4], &c.spnGalaxy[4]}, shown("YYYYYYYY--"));
  SetShown({&c.lblGalaxy[3], &c.txtGalaxy[5], &c.spnGalaxy[5]}, shown("YYY-YYYY--"));
  SetShown({&c.txtGalaxy[6], &c.spnGalaxy[6]}, shown("Y---YYYY--"));
  SetShown({&c.lblGalaxy[90], &c.txtGalaxy[90]}, shown("YYYYYYYY--"));
  SetShown({&c.txtGalaxy[9], c.cmdGalLevels}, shown("Y---------"));
  SetShown({&c.txtGalaxy[8]}, shown("-----YY---"));
  SetShown({&c.lblGalaxy[91], &c.txtGalaxy[91]}, shown("YY--YYYY--"));
  SetShown({&c.lblGalaxy[92], &c.txtGalaxy[92]}, shown("YY--YYY---"));
  SetShown({&c.lblGalaxy[96], c.cboGalProfile, c.picGalProfile}, shown("YY---YY---"));
  SetShown({c.chkCP_Closed, c.chkCP_AdvHW}, shown("----Y-----"));
  SetShown({c.cmdIFS_Chem}, shown("--------YY"));
  // The caption under the colour computation list is seen exactly where the list is hidden.
  const bool colorList = shown("YYYY-YYYY-");
  c.cboGalColor->SetVisible(colorList);
  c.lblOtherColorCycles->SetVisible(!colorList);

  c.cmdIFS_Chem->SetCaption(style == kUserIfsGalaxyStyle ? "User Defined Iterated Function System..."
                                                         : "User Defined Molecular Structure...");
  c.lblOtherColorCycles->SetCaption(style == kNebulaGalaxyStyle ? "Nebula Hue Wheel Cycling Offset  (0 - 30000):"
                                                                : "Atomic Sphere Color Blending  (0 - 30000):");
  for (const RowCaption& r : kCaptions) c.lblGalaxy[r.label].SetCaption(r.caption);
  SetHelpNumbers(c, kAnyStyle);

  if (style < kStylesWithPanelRanges) {
    for (const StyleCaption& r : kStyleCaptions)
      if (r.style == style) c.lblGalaxy[r.label].SetCaption(r.caption);
    const StyleRanges& ranges = kStyleRanges[static_cast<size_t>(style)];
    for (int i = 0; i < 4; ++i) {
      const BoxRange& b = ranges.panel[static_cast<size_t>(i)];
      controls::SyncTextToScroll(c.txtGalaxy[3 + i], c.spnGalaxy[3 + i], b.lower, b.upper, b.length, 0);
    }
    SetHelpNumbers(c, style);
  }

  const std::optional<WholeRange> tilt = SharedBoxRange(style, 93);
  controls::ClampTextBox(c.txtGalaxy[93], 0, static_cast<float>(tilt->lower), static_cast<float>(tilt->upper));
}

void cboGalStyle_Click(PropsControls& c) { ShowGalaxyStyleControls(c, c.cboGalStyle->ListIndex()); }

}  // namespace dialogs
