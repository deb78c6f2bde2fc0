#include "dialogs/properties/props_controls.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/properties/props_fixture.h"
#include "dialogs/properties/props_lists.h"
#include "host/display_settings.h"
#include "settings/factory_galaxies.h"
#include "store/typed_readers.h"

using controls::ComboBox;
using controls::ControlKind;

namespace dialogs::testing {
namespace {

// The controls on a plain window, as each group of fields uses them in its own tests.
class PropsControlsTest : public PropsTest {
 protected:
  bool qtReady_ = (testsupport::EnsureQtApplication(), true);
  controls::Form form;
  PropsControls c{form};
};

TEST_F(PropsControlsTest, FixedListsHoldTheirItemsInOrderAndSelectNothing) {
  if (settings::factoryGalaxies().GalaxyStyleNames.empty()) settings::InitGalaxyStyleNames();
  const std::string firstGalaxy = settings::factoryGalaxies().GalaxyStyleNames.at(0);
  const std::string lastGalaxy = settings::factoryGalaxies().GalaxyStyleNames.at(49);
  struct Case {
    ComboBox* list;
    int count;
    int index;
    std::string text;
  } cases[] = {
      {c.cboGalStyle, 10, 0, "Standard:  Stellar Rotation about Axis"},
      {c.cboGalStyle, 10, 8, "User Defined:  Iterated Function Systems"},
      {c.cboGalStyle, 10, 9, "User Defined:  Molecular Structures"},
      {c.cboGalPlane, 2, 1, "X-Z"},
      {c.cboGalColor, 5, 4, "Black (Stars are Invisible)"},
      {c.cboGalProfile, 7, 6, "Inner-Hyperbolic"},
      {c.cboPulsarShape, 5, 4, "Sphere-2"},
      {c.cboGalaxExtras, 3, 2, "Comet and Color Properties"},
      {c.cboUniExtras, 5, 3, "Composite Galaxies"},
      {c.cboUniTheme, 9, 0, "< NONE >"},
      {c.cboUniTheme, 9, 3, "Sparce Space:  Long Distance Trips"},
      {c.cboUniTheme, 9, 8, "Galaxies in Motion:  Gravity On"},
      {c.cboTourGalaxies, 4, 3, "51 52 53 60 65"},
      {c.cboPropCopyList, 68, 4, "Galaxy DirextX Blend"},
      {c.cboPropCopyList, 68, 61, "Nebula Control Points Closed"},
      {c.cboPropCopyList, 68, 67, "Starwave Particle Angle Increment"},
      {c.cboGalTheme, 51, 0, "< NONE >"},
      {c.cboGalTheme, 51, 1, firstGalaxy},
      {c.cboGalTheme, 51, 50, lastGalaxy},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.list->Name() + " " + std::to_string(k.index));
    EXPECT_EQ(k.list->ListCount(), k.count);
    EXPECT_EQ(k.list->List(k.index), k.text);
    EXPECT_EQ(k.list->ListIndex(), -1);
  }
  // Filled later by the load and the settings roads.
  for (ComboBox* later : {c.cboResolution, c.cboFilterEffect, c.cboUniProfile, c.cboCompMajor, c.cboPropCopy})
    EXPECT_EQ(later->ListCount(), 0) << later->Name();
  EXPECT_TRUE(c.cboTourGalaxies->isEditable());
  EXPECT_FALSE(c.cboGalStyle->isEditable());
}

TEST_F(PropsControlsTest, EveryControlOfTheInventoryIsOnTheWindowByNameAndIndex) {
  struct Entry {
    const char* name;
    std::initializer_list<int> indices;
    ControlKind kind;
  } entries[] = {
      {"fraAni", {0, 1}, ControlKind::Frame},
      {"fraUniProp", {0, 1, 2, 3, 4}, ControlKind::Frame},
      {"fraGalProp", {0, 1, 2}, ControlKind::Frame},
      {"fraStarType", {0, 1, 2}, ControlKind::Frame},
      {"fraHueProps", {0}, ControlKind::Frame},
      {"txtColorProps", {0, 1, 2, 3}, ControlKind::TextBox},
      {"spnHue", {0, 1, 2, 3}, ControlKind::Spinner},
      {"lblColorProps", {0, 1, 2, 3}, ControlKind::Label},
      {"txtFilterRGB", {0, 1, 2}, ControlKind::TextBox},
      {"txtDesktopBlend", {0, 1}, ControlKind::TextBox},
      {"txtUni", {0, 1, 2, 3, 10, 11, 12, 14, 16, 17, 18, 20, 21, 30, 31, 32, 33, 34, 40, 41, 42, 43, 44, 50, 51},
       ControlKind::TextBox},
      {"lblUni", {0, 1, 2, 3, 10, 11, 12, 14, 15, 16, 17, 20, 21, 30, 31, 32, 33, 34, 40, 41, 42, 43, 44, 50, 51},
       ControlKind::Label},
      {"spnUni", {0, 1, 2, 3, 16, 17}, ControlKind::Spinner},
      {"txtGalaxy", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 21, 22, 30, 31, 32, 33, 34, 35,
                     40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 90, 91, 92, 93, 94, 95, 96},
       ControlKind::TextBox},
      {"spnGalaxy", {0, 1, 2, 3, 4, 5, 6, 7, 47, 48, 95}, ControlKind::Spinner},
      {"lblGalaxy", {0, 1, 2, 3, 10, 11, 12, 20, 22, 23, 30, 31, 32, 33, 40, 41, 42, 43, 44, 45, 46, 49,
                     90, 91, 92, 93, 94, 95, 96},
       ControlKind::Label},
      {"txtPixHue", {0, 1, 2, 3, 4}, ControlKind::TextBox},
      {"spnPixHue", {0, 1, 2, 3, 4}, ControlKind::Spinner},
      {"picPixHue", {0, 1, 2, 3}, ControlKind::PictureBox},
      {"cmdCaptureImage", {0, 1, 2}, ControlKind::CommandButton},
      {"mnuFileArray", {0, 1, 2, 3, 4, 5}, ControlKind::MenuItem},
      {"mnuEditArray", {0, 1, 2}, ControlKind::MenuItem},
      {"mnuHelpArray", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, ControlKind::MenuItem},
  };
  for (const Entry& e : entries) {
    for (int i : e.indices) {
      const controls::Control* ctl = form.FindControl(e.name, i);
      ASSERT_NE(ctl, nullptr) << e.name << "(" << i << ")";
      EXPECT_EQ(ctl->Kind(), e.kind) << e.name << "(" << i << ")";
    }
  }
  for (const char* single :
       {"fraColorProps", "fraDirectX", "fraPropCopy", "fraPreview", "cmdAccept", "cmdDismiss", "fraUniverseProps",
        "linDark", "linLight", "imgHueWheel", "picHueWheel", "cboResolution", "lblFilteringEffect", "cboFilterEffect",
        "lblFilterRGB", "lblDesktopPercent", "lblPropCopyPick", "cboPropCopyList", "lblPropCopy", "txtPropCopy",
        "cboPropCopy", "chkPropCopy", "cmdPropCopy", "cmdSetThemes", "fraGalaxyTypes", "lstUniGalaxy", "cmdGalProps",
        "cmdPreviewGal", "cmdResetGalPct", "txtResetGalPct", "lblGalNamePct", "txtUniGalName", "txtUniGalPct",
        "spnUniGalPct", "cmdGalCommit", "lblUniTheme", "cboUniTheme", "cboUniExtras", "picColUni", "cboUniProfile",
        "picUniProfile", "cmdPreviewUni", "fraAmbient", "chkUniTour", "fraUniTour", "chkVisitSeq", "fraTripScript",
        "cboTourGalaxies", "chkRotCamera", "fraRotCam", "lstCompGalaxy", "cmdPreviewComp", "cmdResetCompPct",
        "txtResetCompPct", "txtCompGalName", "txtCompGalPct", "spnCompGalPct", "cmdCompCommit", "lblCompMajor",
        "cboCompMajor", "lblCompMinor", "lstCompMinor", "lblGravityWarning", "lblGalTheme", "cboGalTheme",
        "cmdAcceptGalProps", "fraGalaxyColor", "cboGalColor", "lblOtherColorCycles", "lblPColor",
        "lblBaseSaturation", "cboGalaxExtras", "lblGalStyle", "cboGalStyle", "cboGalPlane", "cmdGalLevels",
        "picGalHue", "cmdIFS_Chem", "cboGalProfile", "picGalProfile", "chkCP_Closed", "chkCP_AdvHW",
        "cboPulsarShape", "fraCometProps", "chkCometVector", "fraCometColor", "picColNova", "mnuFile", "mnuEdit",
        "mnuHelp"})
    EXPECT_NE(form.FindControl(single), nullptr) << single;
  // The preview pictures are the host's animation pictures.
  EXPECT_EQ(c.picPreview->objectName(), "picPreview");
  EXPECT_FALSE(c.picScreenCapture->isVisibleTo(&form));
}

TEST_F(PropsControlsTest, FieldsCarryTheirContainersCaptionsDesignTextsAndLengths) {
  struct Field {
    controls::TextBox* box;
    controls::Control* container;
    int maxLength;
    const char* text;
  } fields[] = {
      {&c.txtColorProps[0], &c.fraHueProps[0], 3, "100"}, {&c.txtColorProps[1], &c.fraHueProps[0], 3, "20"},
      {&c.txtColorProps[2], &c.fraHueProps[0], 3, "160"}, {&c.txtColorProps[3], &c.fraHueProps[0], 4, "45"},
      {&c.txtUni[0], c.fraUniverseProps, 5, "5000"},      {&c.txtUni[1], c.fraUniverseProps, 3, "200"},
      {&c.txtUni[2], c.fraDirectX, 3, "95"},              {&c.txtUni[3], c.fraDirectX, 3, "75"},
      {&c.txtFilterRGB[2], c.fraDirectX, 3, ""},          {&c.txtDesktopBlend[0], c.fraDirectX, 2, ""},
      {&c.txtDesktopBlend[1], c.fraDirectX, 3, ""},       {c.txtPropCopy, c.fraPropCopy, 8, ""},
      {&c.txtUni[16], &c.fraUniProp[0], 4, ""},           {&c.txtUni[14], &c.fraUniProp[0], 8, ""},
      {&c.txtUni[44], c.fraAmbient, 5, ""},               {&c.txtUni[32], c.fraUniTour, 3, ""},
      {&c.txtUni[34], c.fraRotCam, 3, ""},                {&c.txtUni[33], &c.fraUniProp[2], 6, ""},
      {&c.txtUni[50], &c.fraUniProp[4], 6, ""},           {c.txtUniGalName, c.fraGalaxyTypes, 30, ""},
      {c.txtCompGalName, &c.fraUniProp[3], 30, ""},       {&c.txtGalaxy[45], c.fraCometProps, 7, ""},
      {&c.txtGalaxy[96], &c.fraGalProp[0], 8, ""},        {&c.txtGalaxy[35], &c.fraStarType[2], 4, ""},
      {&c.txtGalaxy[49], c.fraCometColor, 6, ""},         {&c.txtPixHue[4], c.fraGalaxyColor, 3, ""},
  };
  for (const Field& f : fields) {
    SCOPED_TRACE(f.box->Name() + "(" + std::to_string(f.box->Index()) + ")");
    EXPECT_EQ(f.box->Container(), f.container);
    EXPECT_EQ(f.box->MaxLength(), f.maxLength);
    EXPECT_EQ(f.box->Text(), f.text);
  }
  // A caption row where the label's index differs from its field's.
  EXPECT_EQ(c.lblUni[15].Caption(), "Universe Expansion Damping (0.0 - 1.0):");
  EXPECT_EQ(c.lblUni[14].Caption(), "Recycle Universe after visiting Galaxies (1 - 999):");
  EXPECT_EQ(c.lblUni[17].Caption(), "Universe Profile:");
  EXPECT_EQ(c.lblColorProps[3].Caption(), "Hue Twist Angle (-999 - 999):");
  EXPECT_EQ(c.lblGalaxy[23].Caption(), "Hue Start, Hue End:");
  EXPECT_EQ(c.fraAni[0].Caption(), "Galaxy Properties");
  EXPECT_EQ(c.fraAni[1].Caption(), "Universe Galaxies");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(c.fraUniProp[i].Caption(), "Extras:");
  EXPECT_EQ(c.cmdCaptureImage[2].ToolTipText(), "Save preview image to Bitmap file in Screen Saver folder");
  EXPECT_TRUE(c.cmdAccept->IsDefault());
  EXPECT_TRUE(c.cmdDismiss->IsCancel());
  EXPECT_EQ(c.cmdAccept->Caption(), "&Accept Settings");
}

TEST_F(PropsControlsTest, HiddenAndDisabledAtDesign) {
  for (controls::Control* hidden : std::initializer_list<controls::Control*>{
           c.picHueWheel, c.cboPropCopy, c.chkPropCopy, &c.cmdCaptureImage[0], &c.cmdCaptureImage[1],
           &c.cmdCaptureImage[2], &c.txtGalaxy[9], c.cmdGalLevels, c.cmdIFS_Chem, c.chkRotCamera, c.fraRotCam,
           c.lblOtherColorCycles, c.chkCP_Closed, c.chkCP_AdvHW})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  for (controls::Control* disabled :
       std::initializer_list<controls::Control*>{&c.txtUni[30], &c.txtUni[31], &c.txtUni[32], &c.txtUni[34], c.chkVisitSeq})
    EXPECT_FALSE(disabled->Enabled()) << disabled->Name() << disabled->Index();
  EXPECT_TRUE(c.txtGalaxy[8].Visible());
  EXPECT_TRUE(c.txtUni[33].Enabled());
  EXPECT_EQ(c.picHueWheel->width(), kConeDiscPixels);
  EXPECT_EQ(c.picHueWheel->height(), kConeDiscPixels);
}

TEST_F(PropsControlsTest, MenusHoldTheirItemsBySeparatorCountingPosition) {
  EXPECT_EQ(c.mnuFile->Caption(), "&File");
  EXPECT_EQ(c.mnuEdit->Caption(), "&Edit");
  EXPECT_EQ(c.mnuHelp->Caption(), "&Help");
  const char* file[] = {"&Open Template...", "-", "&Save Template", "Save Template &As...", "-", "E&xit"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c.mnuFileArray[i].Caption(), file[i]);
  const char* edit[] = {"&Reset Properties", "-", "&Advanced Settings..."};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(c.mnuEditArray[i].Caption(), edit[i]);
  const char* help[] = {"&Contents...", "&Search...", "-", "&Diagnostics...", "-", "ZORV &Feedback...",
                        "&ZORV Home Page...", "ZORV &Frequently Asked Questions (FAQ)...", "-", "&About Zorvane..."};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(c.mnuHelpArray[i].Caption(), help[i]);
}

TEST_F(PropsControlsTest, UniverseProfileListTakesEachTypeNameCutTo30AndTwoCyclingModes) {
  c.lstUniGalaxy->AddItem("Spiral Alpha                    250");
  c.lstUniGalaxy->AddItem("A Name Of Exactly Thirty Chars   15");
  c.lstUniGalaxy->AddItem("A galaxy name longer than thirty characters   7");
  // Lines padded in the list's font are shorter than the name column: the percent still goes.
  c.lstUniGalaxy->AddItem("Segmented Starfish    1");
  c.lstUniGalaxy->AddItem("Nebula: Rainbow Loop  15");
  // Thirty characters, the last one two bytes long.
  c.lstUniGalaxy->AddItem("Twenty-nine characters long, \xC3\xA9   5");
  c.cboUniProfile->AddItem("left over from before");
  FillUniProfileList(c);
  // The cycling modes stay items 50 and 51 (the stored index), however many types are listed.
  ASSERT_EQ(c.cboUniProfile->ListCount(), 52);
  EXPECT_EQ(c.cboUniProfile->List(0), "Spiral Alpha");
  EXPECT_EQ(c.cboUniProfile->List(1), "A Name Of Exactly Thirty Chars");
  EXPECT_EQ(c.cboUniProfile->List(2), "A galaxy name longer than thir");
  EXPECT_EQ(c.cboUniProfile->List(3), "Segmented Starfish");
  EXPECT_EQ(c.cboUniProfile->List(4), "Nebula: Rainbow Loop");
  EXPECT_EQ(c.cboUniProfile->List(5), "Twenty-nine characters long, \xC3\xA9");
  EXPECT_EQ(c.cboUniProfile->List(6), "");
  EXPECT_EQ(c.cboUniProfile->List(50), "Cycle All Randomly");
  EXPECT_EQ(c.cboUniProfile->List(51), "Cycle All Sequentially");
  EXPECT_EQ(c.cboUniProfile->ListIndex(), -1);
  // Filled again, the list takes the new names and keeps its choice.
  c.cboUniProfile->SetListIndex(51);
  c.lstUniGalaxy->SetList(0, "Spiral Beta                     250");
  FillUniProfileList(c);
  EXPECT_EQ(c.cboUniProfile->ListCount(), 52);
  EXPECT_EQ(c.cboUniProfile->List(0), "Spiral Beta");
  EXPECT_EQ(c.cboUniProfile->ListIndex(), 51);
}

TEST_F(PropsControlsTest, DisplayFieldsCarryTheStoredDisplayValuesBothWays) {
  presentation::render().WindowSizeList = {{640, 480}, {800, 600}, {1024, 768}};
  c.cboResolution->AddItem("640 * 480");
  c.cboResolution->AddItem("800 * 600");
  c.cboResolution->AddItem("1024 * 768");
  for (int i = 0; i < host::kFilterEffectCount; ++i) c.cboFilterEffect->AddItem(host::FilterEffectRow(i).Name);
  c.SetResolutionIndex(1);
  c.SetFilterIndex(8);
  c.SetFilterMaskText(0, "12");
  c.SetDesktopBlendText(1, "250");
  host::ReadWriteDisplaySettings(c, 3);
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_WinWidth", 0), 800);
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_WinHeight", 0), 600);
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_FilterIndex", 0), 8);
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_FilterMaskR", 0), 12);
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_DesktopFrames", 0), 250);

  controls::Form other;
  PropsControls back(other);
  for (int i = 0; i < 3; ++i) back.cboResolution->AddItem(c.cboResolution->List(i));
  for (int i = 0; i < host::kFilterEffectCount; ++i) back.cboFilterEffect->AddItem(host::FilterEffectRow(i).Name);
  host::ReadWriteDisplaySettings(back, 0);
  EXPECT_EQ(back.ResolutionText(), "800 * 600");
  EXPECT_EQ(back.FilterIndex(), 8);
  EXPECT_EQ(back.FilterMaskText(0), "12");
  EXPECT_EQ(back.DesktopBlendText(1), "250");
  // An index outside the list leaves the selection.
  back.SetFilterIndex(16);
  EXPECT_EQ(back.FilterIndex(), 8);
}

TEST(PropsLists, GravityNoteEndsWithTheCometWarningAfterTwoLineBreaks) {
  const std::string note = GravityWarningText();
  EXPECT_EQ(note.rfind("Note:  The time required to compute the gravitational attraction between Galaxies", 0), 0u);
  EXPECT_NE(note.find("See the Online help for more information.\r\n\r\nComets will NOT appear"), std::string::npos);
}

}  // namespace
}  // namespace dialogs::testing
