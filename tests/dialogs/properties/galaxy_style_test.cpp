// The style panel: per galaxy style, which rows show, their captions and help numbers, and
// the ranges of the shared boxes.
#include "dialogs/properties/galaxy_style.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dialogs/properties/props_controls.h"
#include "galaxy_page_fixture.h"

namespace dialogs {
namespace {

using GalaxyStyleTest = GalaxyPageTest;

struct BoxRange {
  int lower, upper, step, length;
};
struct HelpOverride {
  int label, box, number;  // -1: no such control
};
struct StyleCase {
  int32_t style;
  // Y shown, - hidden: row 3, row 4 first half, row 4 second half, row 5, the levels box and
  // its button, box 8, row 6, row 7, the profile row, the control-point checks, the editor
  // button, the colour computation list.
  const char* shown;
  std::vector<std::pair<int, const char*>> captions;  // lblGalaxy captions that differ from kCaptions
  const char* editorButton;
  const char* colourLabel;
  std::vector<HelpOverride> help;  // numbers that differ from kLabelHelp / kBoxHelp
  std::array<BoxRange, 4> boxes;   // txtGalaxy 3 to 6 with their spinners
  std::array<const char*, 4> boxTexts;  // of 3 to 6 holding "5000" before
  const char* tiltFrom400;
};

constexpr const char* kIfs = "User Defined Iterated Function System...";
constexpr const char* kMolecule = "User Defined Molecular Structure...";
constexpr const char* kNebula = "Nebula Hue Wheel Cycling Offset  (0 - 30000):";
constexpr const char* kAtomic = "Atomic Sphere Color Blending  (0 - 30000):";

const std::vector<std::pair<int, const char*>> kCaptions = {
    {0, "Radius, Rotation (1, 0 - 30000):"},
    {1, "Distance (0 - 30000), Axial Plane:"},
    {2, "Radials (1 - 99), Fill % (0 - 100):"},
    {3, "Bands (1 - 99), Fill % (0 - 100):"},
    {90, "Galaxy Height / Width Ratio (0.0 - 99.9):"},
    {91, "Radius Distribution Exponent (0.0 - 99.9):"},
    {92, "Height Distribution Exponent (0.0 - 99.9):"},
    {93, "Initial Tilt Angle in Degrees (0 - 360):"},
};
const std::vector<std::pair<int, int>> kLabelHelp = {{0, 6015},  {1, 6025},  {2, 6040},  {3, 6045},
                                                     {90, 6105}, {91, 6120}, {92, 6130}, {93, 6140}};
const std::vector<std::pair<int, int>> kBoxHelp = {{0, 6015},  {1, 6020},  {2, 6025},  {3, 6040},
                                                   {4, 6041},  {5, 6045},  {6, 6046},  {90, 6105},
                                                   {91, 6120}, {92, 6130}, {93, 6140}};

constexpr BoxRange k1to99{1, 99, 1, 2}, k0to100{0, 100, 1, 3}, k4to10{4, 10, 1, 2}, k1to20{1, 20, 1, 2},
    k0to9999{0, 9999, 50, 4}, k0to360{0, 360, 5, 3}, k0to999{0, 999, 10, 3};

// Each case is shown after the Nebula style, so it also shows what it resets.
const StyleCase kCases[] = {
    {0, "YYYYY-YYY--Y", {{90, "Levels (1-10), H/W Ratio (0.0 - 99.9):"}}, kMolecule, kAtomic, {},
     {k1to99, k0to100, k1to99, k0to100}, {"99", "100", "99", "100"}, "360"},
    {1, "YY-Y--YYY--Y", {{2, "Points (1 - 99), Scale % (0 - 100):"}, {3, "Rotation Angle Degrees (0 - 360):"}},
     kMolecule, kAtomic, {{2, 3, 6510}, {-1, 4, 6511}, {3, 5, 6512}},
     {k1to99, k0to100, k0to360, k0to100}, {"99", "100", "360", "100"}, "360"},
    {2, "YY-Y-------Y", {{2, "Vertices (4 - 10), Scale % (0 - 100):"}, {3, "Linear Iteration Levels (1 - 99):"}},
     kMolecule, kAtomic, {{2, 3, 6520}, {-1, 4, 6521}, {3, 5, 6522}},
     {k4to10, k0to100, k1to99, k0to100}, {"10", "100", "99", "100"}, "360"},
    {3, "Y--Y-------Y", {{2, "Points (4 - 10), Scale % (0 - 100):"}}, kMolecule, kAtomic,
     {{2, 3, 6530}, {-1, 4, 6531}},
     {k4to10, k0to100, k1to99, k0to100}, {"10", "100", "99", "100"}, "360"},
    {4, "YYYY--YY-Y--",
     {{2, "C-Points (1 - 20), Steps (0 - 9999):"}, {3, "Bias Points (1 - 99), Span (0 - 100):"},
      {91, "Expansion from Spline Path (0.0 - 99.9):"}, {92, "Solar Wind Magnitude (0.0 - 99.9):"},
      {93, "Bias Point Travel Speed (0 - 999):"}},
     kMolecule, kNebula,
     {{2, 3, 6540}, {-1, 4, 6541}, {3, 5, 6542}, {-1, 6, 6543}, {93, 93, 6544}, {91, 91, 6545}, {92, 92, 6546}},
     {k1to20, k0to9999, k1to99, k0to100}, {"20", "5000", "99", "100"}, "400"},
    {5, "YYYY-YYYY--Y", {{90, "Quasar Speed, H/W Ratio (0.0 - 99.9):"}}, kMolecule, kAtomic,
     {{90, 8, 6550}},
     {k1to99, k0to100, k1to99, k0to100}, {"99", "100", "99", "100"}, "360"},
    {6, "YYYY-YYYY--Y", {{90, "Gravity Force, H/W Ratio (0.0 - 99.9):"}}, kMolecule, kAtomic,
     {{90, 8, 6560}},
     {k1to99, k0to100, k1to99, k0to100}, {"99", "100", "99", "100"}, "360"},
    {7, "YYYY--Y----Y",
     {{0, "Expansion, Rotation (1, 0 - 30000):"}, {3, "Waves (1 - 99), Persist (0 - 999):"},
      {91, "Particle Wave Angle Increment (0.0 - 99.9):"}},
     kMolecule, kAtomic, {{0, 0, 6570}, {3, 5, 6571}, {-1, 6, 6572}, {91, 91, 6573}},
     {k1to99, k0to100, k1to99, k0to999}, {"99", "100", "99", "999"}, "360"},
    // Styles 8 and 9 keep the ranges and values the style before gave the hidden boxes.
    {8, "----------YY", {}, kIfs, kAtomic, {},
     {k1to20, k0to9999, k1to99, k0to100}, {"5000", "5000", "5000", "5000"}, "360"},
    {9, "----------Y-", {}, kMolecule, kAtomic, {},
     {k1to20, k0to9999, k1to99, k0to100}, {"5000", "5000", "5000", "5000"}, "360"},
};

TEST_F(GalaxyStyleTest, EachStyleShowsCaptionsNumbersAndRangesItsFields) {
  PropsControls& c = form->c;
  const std::vector<std::vector<controls::Control*>> groups = {
      {&c.lblGalaxy[2], &c.txtGalaxy[3], &c.spnGalaxy[3], &c.txtGalaxy[4], &c.spnGalaxy[4]},
      {&c.lblGalaxy[3], &c.txtGalaxy[5], &c.spnGalaxy[5]},
      {&c.txtGalaxy[6], &c.spnGalaxy[6]},
      {&c.lblGalaxy[90], &c.txtGalaxy[90]},
      {&c.txtGalaxy[9], c.cmdGalLevels},
      {&c.txtGalaxy[8]},
      {&c.lblGalaxy[91], &c.txtGalaxy[91]},
      {&c.lblGalaxy[92], &c.txtGalaxy[92]},
      {&c.lblGalaxy[96], c.cboGalProfile, c.picGalProfile},
      {c.chkCP_Closed, c.chkCP_AdvHW},
      {c.cmdIFS_Chem},
      {c.cboGalColor},
  };
  for (const StyleCase& k : kCases) {
    SCOPED_TRACE("style " + std::to_string(k.style));
    ShowGalaxyStyleControls(c, 4);
    for (int i = 3; i <= 6; ++i) c.txtGalaxy[i].SetText("5000");
    c.txtGalaxy[93].SetText("400");
    ShowGalaxyStyleControls(c, k.style);

    for (size_t g = 0; g < groups.size(); ++g)
      for (controls::Control* control : groups[g])
        EXPECT_EQ(control->Visible(), k.shown[g] == 'Y') << control->Name() << "(" << control->Index() << ")";
    EXPECT_EQ(c.lblOtherColorCycles->Visible(), !c.cboGalColor->Visible());
    EXPECT_EQ(c.cmdIFS_Chem->Caption(), k.editorButton);
    EXPECT_EQ(c.lblOtherColorCycles->Caption(), k.colourLabel);

    for (auto [label, caption] : kCaptions) {
      std::string expected = caption;
      for (auto [l, replaced] : k.captions)
        if (l == label) expected = replaced;
      EXPECT_EQ(c.lblGalaxy[label].Caption(), expected) << "lblGalaxy(" << label << ")";
    }
    for (auto [label, number] : kLabelHelp) {
      int expected = number;
      for (const HelpOverride& h : k.help)
        if (h.label == label) expected = h.number;
      EXPECT_EQ(c.lblGalaxy[label].HelpContextID(), expected) << "lblGalaxy(" << label << ")";
    }
    for (auto [box, number] : kBoxHelp) {
      int expected = number;
      for (const HelpOverride& h : k.help)
        if (h.box == box) expected = h.number;
      EXPECT_EQ(c.txtGalaxy[box].HelpContextID(), expected) << "txtGalaxy(" << box << ")";
    }
    for (const HelpOverride& h : k.help) {
      if (h.box == 8) {
        EXPECT_EQ(c.txtGalaxy[8].HelpContextID(), h.number);
      }
    }

    for (int i = 0; i < 4; ++i) {
      const BoxRange& r = k.boxes[static_cast<size_t>(i)];
      SCOPED_TRACE("txtGalaxy(" + std::to_string(i + 3) + ")");
      EXPECT_EQ(c.spnGalaxy[i + 3].Min(), r.lower);
      EXPECT_EQ(c.spnGalaxy[i + 3].Max(), r.upper);
      EXPECT_EQ(c.spnGalaxy[i + 3].SmallChange(), r.step);
      EXPECT_EQ(c.txtGalaxy[i + 3].MaxLength(), r.length);
      EXPECT_EQ(c.txtGalaxy[i + 3].Text(), k.boxTexts[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(c.txtGalaxy[93].Text(), k.tiltFrom400);
  }
}

TEST_F(GalaxyStyleTest, TiltIsRoundedHalvesToEvenAndANumberlessTextBecomesZero) {
  PropsControls& c = form->c;
  const struct {
    const char* text;
    int32_t style;
    const char* shown;
  } cases[] = {{"12.5", 0, "12"}, {"13.5", 0, "14"}, {"abc", 0, "0"}, {"1e9", 4, "999"}, {"-5", 9, "0"}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.text);
    c.txtGalaxy[93].SetText(k.text);
    ShowGalaxyStyleControls(c, k.style);
    EXPECT_EQ(c.txtGalaxy[93].Text(), k.shown);
  }
}

TEST_F(GalaxyStyleTest, ChoosingAStyleInTheListLaysThePageOutAndAStyleOutsideTheListChangesNothing) {
  PropsControls& c = form->c;
  c.txtGalaxy[3].SetText("2");
  c.cboGalStyle->SetListIndex(2);
  EXPECT_EQ(c.txtGalaxy[3].Text(), "4");
  EXPECT_EQ(c.spnGalaxy[3].Value(), 4);
  EXPECT_FALSE(c.txtGalaxy[6].Visible());
  ShowGalaxyStyleControls(c, -1);
  ShowGalaxyStyleControls(c, 10);
  EXPECT_EQ(c.lblGalaxy[2].Caption(), "Vertices (4 - 10), Scale % (0 - 100):");
  EXPECT_FALSE(c.txtGalaxy[6].Visible());
  EXPECT_EQ(c.spnGalaxy[3].Min(), 4);
}

}  // namespace
}  // namespace dialogs
