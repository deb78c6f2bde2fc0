// The molecule editor: load from the record, the structure type labels, the element display,
// Add/Update/Remove and their messages, the row format of every structure type, Clear, the
// boxes' filters and clamps, OK and Cancel, and its preview.
#include <QApplication>
#include <QFontInfo>
#include <QScrollBar>
#include <QTest>
#include <vector>

#include "dialogs/editors/layout_checks.h"
#include "dialogs/editors/molecule_fixture.h"
#include "dialogs/editors/molecule_rows.h"
#include "dialogs/editors/molecule_themes.h"
#include "host/picture_box.h"
#include "model/colors.h"
#include "model/hue_wheel.h"
#include "presentation/frame_pacing.h"
#include "store/typed_readers.h"

namespace dialogstest {
namespace {

constexpr const char* kEmptyNote =
    "Note:\n\nYou must specify at least one Atomic Structure in order to Preview the Molecule.  "
    "Consider selecting one of the Themes in order to see a sample Molecule "
    "or press Cancel to return to the Galaxy Settings.";

uint32_t Rgb(int32_t colorRef) {
  const auto c = static_cast<uint32_t>(colorRef);
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

TEST_F(MoleculeEditorTest, LoadShowsTheRecordAndTheDialogsNames) {
  EXPECT_EQ(w->Caption(), "User Defined Molecular Structure:  My Molecule");
  EXPECT_EQ(w->fraPreview->Caption(), "Molecule Preview - My Molecule");
  EXPECT_EQ(w->txtCenter[0].Text(), "10");
  EXPECT_EQ(w->txtCenter[2].Text(), "30");
  EXPECT_EQ(w->txtGalaxy[0].Text(), "1500");
  EXPECT_EQ(w->txtGalaxy[1].Text(), "700");
  EXPECT_EQ(w->txtGalaxy[2].Text(), "2500");
  EXPECT_EQ(Rows(), (std::vector<std::string>{
                        "Sulphur           Single       100   200   300     100       0",
                        "Sodium            Hexagrid       4     0     0      40     200"}));
  EXPECT_EQ(w->lstElements->ItemData(0), 16);
  EXPECT_EQ(w->lstElements->ItemData(1), 11);
  EXPECT_EQ(w->cboType->ListIndex(), 0);
  EXPECT_EQ(w->cboType->ListCount(), 12);
  EXPECT_EQ(w->cboTheme->ListIndex(), 0);
  EXPECT_EQ(w->cboTheme->List(0), "Select a Theme");
  EXPECT_EQ(w->cboTheme->List(10), "Star Point System");
  EXPECT_EQ(w->cboElement->ListIndex(), -1);
  EXPECT_EQ(w->cboElement->ListCount(), 17);
  EXPECT_EQ(w->cboElement->List(3), "Beryllim");
  EXPECT_EQ(w->lblType->Caption(), "Atomic\nStructure:");
  EXPECT_EQ(w->lblElement->Caption(), "Periodic\nTable Element:");
  EXPECT_EQ(w->cmdPreview->Caption(), "Preview Molecule");
  EXPECT_EQ(w->DefaultButton(), w->cmdPreview);
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);
  // The frames stack 5 pixels apart; the preview stands beside the themes.
  EXPECT_EQ(w->fraCenter->Top(), w->fraTheme->Top() + w->fraTheme->Height() + controls::PixelsToTwipsY(5));
  EXPECT_EQ(w->fraGalaxy->Top(), w->fraCenter->Top());
  EXPECT_EQ(w->fraPreview->Top(), w->fraTheme->Top());
  EXPECT_EQ(w->cmdPreview->Top(), w->fraCenter->Top() + w->fraCenter->Height() + controls::PixelsToTwipsY(5));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MoleculeEditorTest, StructureTypeDecidesWhichPropertyBoxesAreUsed) {
  struct Case {
    int32_t type;
    const char* locX;
    const char* last;
    bool x, yz, extra;
    int help;
  };
  const Case cases[] = {
      {0, "Loc X\n(0-9999):", "Symmetry Radius", true, true, false, 7340},
      {1, "Loc X\n(0-9999):", "Symmetry Radius", false, false, true, 7340},
      {5, "Loc X\n(0-9999):", "Symmetry Radius", false, false, true, 7340},
      {6, "Points per\nEdge (1-99)", "Atom Offset", true, false, true, 7356},
      {11, "Points per\nEdge (1-99)", "Atom Offset", true, false, true, 7356},
  };
  w->txtProps[0].SetText("150");
  for (const Case& k : cases) {
    SCOPED_TRACE(k.type);
    w->cboType->SetListIndex(k.type);
    EXPECT_EQ(w->lblLocX->Caption(), k.locX);
    EXPECT_EQ(w->lblSymRadius->Caption(), k.last);
    EXPECT_EQ(w->txtProps[0].Enabled(), k.x);
    EXPECT_EQ(w->lblLocX->Enabled(), k.x);
    EXPECT_EQ(w->txtProps[1].Enabled(), k.yz);
    EXPECT_EQ(w->txtProps[2].Enabled(), k.yz);
    EXPECT_EQ(w->lblLocZ->Enabled(), k.yz);
    EXPECT_EQ(w->txtProps[4].Enabled(), k.extra);
    EXPECT_EQ(w->lblSymRadius->Enabled(), k.extra);
    EXPECT_EQ(w->txtProps[0].HelpContextID(), k.help);
    EXPECT_EQ(w->txtProps[0].Text(), "150");  // never changed by a type change
  }
}

TEST_F(MoleculeEditorTest, ChoosingAnElementShowsItsNumberSymbolAndColours) {
  props.galaxy[95] = "100";
  w->cboElement->SetListIndex(5);  // carbon, hue 210
  EXPECT_EQ(w->txtPropNumber->Text(), "6");
  EXPECT_EQ(w->txtPropSymbol->Text(), "C");
  EXPECT_EQ(w->picPropColor->BackColor(), Rgb(model::HueToColor(210)));
  EXPECT_EQ(w->picDispColor->BackColor(), Rgb(model::HueColor(kMoleculeIndex, 310)));
  EXPECT_EQ(w->picPropColor->image().pixel(1, 1) & 0xFFFFFFu, Rgb(model::HueToColor(210)));
  w->cboElement->SetListIndex(16);
  EXPECT_EQ(w->txtPropNumber->Text(), "17");
  EXPECT_EQ(w->txtPropSymbol->Text(), "Cl");
}

// Every check of Add, Update and Remove, in order: the message, where the focus goes, and the
// list left as it was.
TEST_F(MoleculeEditorTest, AddUpdateAndRemoveRefuseWithTheirMessages) {
  struct Case {
    const char* name;
    std::function<void()> setUp;
    int action;
    const char* message;
    const char* focus;
  };
  const Case cases[] = {
      {"Add, no element", [] {}, 0, "Please select an Element.", "cboElement"},
      {"Add, no type", [&] { Pick(6, 0, {}); w->cboType->SetListIndex(-1); }, 0,
       "Please select an Atomic Structure Type.", "cboType"},
      {"Add, 6 Point without radius", [&] { Pick(6, 1, {"0", "0", "0", "10", "0"}); }, 0,
       "Please enter a Symmetry Radius.", "txtProps"},
      {"Add, grid with an empty offset", [&] { Pick(6, 7, {"3", "", "", "10", ""}); }, 0,
       "Please enter a Symmetry Radius.", "txtProps"},
      {"Update, no row", [&] { Pick(6, 0, {"1"}); }, 1, "Please select an Element to update.", "lstElements"},
      {"Update, no element", [&] { w->lstElements->SetListIndex(0); w->cboElement->SetListIndex(-1); }, 1,
       "Please select an Element.", "cboElement"},
      {"Remove, no row", [] {}, 2, "Please select one or more Elements to remove.", "lstElements"},
  };
  ShowActive();
  const std::vector<std::string> rows = Rows();
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    messages.messages.clear();
    w->cboElement->SetListIndex(-1);
    w->cboType->SetListIndex(0);
    w->lstElements->SetListIndex(-1);
    w->cmdOK->SetFocus();
    k.setUp();
    w->cmdAction[k.action].PerformClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, k.message);
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_EQ(messages.messages[0].icon, platform::MsgIcon::Information);
    auto* focused = dynamic_cast<controls::Control*>(QApplication::focusWidget());
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->Name(), k.focus);
    EXPECT_EQ(Rows(), rows);
  }
}

TEST_F(MoleculeEditorTest, AddAppendsUpdateReplacesRemoveTakesEverySelectedRow) {
  // A single atom with an empty last box is fine (extra 0); the boxes keep their contents.
  Pick(8, 0, {"1", "2", "3", "45", ""});
  w->cmdAction[0].PerformClick();
  ASSERT_EQ(w->lstElements->ListCount(), 3);
  EXPECT_EQ(w->lstElements->List(2), "Oxygen            Single         1     2     3      45       0");
  EXPECT_EQ(w->lstElements->ItemData(2), 8);
  EXPECT_EQ(w->txtProps[3].Text(), "45");

  // Update the row clicked: the row's values come into the boxes, the change goes back.
  w->lstElements->SetListIndex(0);
  EXPECT_EQ(w->cboElement->ListIndex(), 15);
  EXPECT_EQ(w->cboType->ListIndex(), 0);
  EXPECT_EQ(w->txtProps[0].Text(), "100");
  EXPECT_EQ(w->txtProps[4].Text(), "0");
  w->cboElement->SetListIndex(16);
  w->cboType->SetListIndex(3);
  w->txtProps[4].SetText("77");
  w->cmdAction[1].PerformClick();
  EXPECT_EQ(w->lstElements->List(0), "Chlorine          18 Shell     100   200   300     100      77");
  EXPECT_EQ(w->lstElements->ItemData(0), 17);
  EXPECT_EQ(w->lstElements->ListCount(), 3);

  // Remove the first and the last row at once.
  w->lstElements->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
  w->lstElements->setCurrentRow(2, QItemSelectionModel::Select);
  w->cmdAction[2].PerformClick();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Sodium            Hexagrid       4     0     0      40     200"}));
  EXPECT_EQ(w->lstElements->ItemData(0), 11);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MoleculeEditorTest, TheListHoldsAtMostThirtyTwoAtomsButAFullListStillUpdates) {
  Pick(1, 0, {"5", "5", "5", "5", ""});
  while (w->lstElements->ListCount() < 32) w->cmdAction[0].PerformClick();
  EXPECT_TRUE(messages.messages.empty());
  w->cmdAction[0].PerformClick();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text,
            "You have reached the limit with respect to the number \n"
            "elements that can be associated with a given molecule.");
  EXPECT_EQ(w->lstElements->ListCount(), 32);
  w->lstElements->SetListIndex(31);
  w->txtProps[3].SetText("9");
  w->cmdAction[1].PerformClick();
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(w->lstElements->List(31), "Hydrogen          Single         5     5     5       9       0");
}

// For each structure type, the row Add builds, the row a theme text gives and the row loaded
// from the record are the same, character for character, and commit to the same atom.
TEST_F(MoleculeEditorTest, AddThemeAndRecordRowsAreEqualForEveryStructureType) {
  for (int32_t t = 0; t < 12; ++t) {
    SCOPED_TRACE(t);
    const Atom atom{9, t, dialogs::IsGridType(t) ? 7 : 1234, 56, 7890, 321, 4321};
    Pick(atom.element, t, {"0", "56", "7890", "321", "4321"});
    w->txtProps[0].SetText(std::to_string(atom.x));
    w->lstElements->Clear();
    w->cmdAction[0].PerformClick();
    ASSERT_EQ(w->lstElements->ListCount(), 1);
    const std::string added = w->lstElements->List(0);

    w->LoadMoleculeTheme("Test.,1,0,0,0,100,200,300,9," + std::to_string(t) + "," + std::to_string(atom.x) +
                         ",56,7890,321,4321,");
    ASSERT_EQ(w->lstElements->ListCount(), 1);
    EXPECT_EQ(w->lstElements->List(0), added);
    EXPECT_EQ(w->lstElements->ItemData(0), 9);

    w->cmdOK->PerformClick();
    EXPECT_FALSE(w->IsLoaded());
    EXPECT_EQ(AtomOf(MoleculeRecord().Atoms, 0), atom);
    EXPECT_EQ(MoleculeRecord().Atoms.AtomPoints[0], model::AtomPointsOfType(t).value());
    Close();
    Open();
    ASSERT_EQ(w->lstElements->ListCount(), 1);
    EXPECT_EQ(w->lstElements->List(0), added);
  }
}

TEST_F(MoleculeEditorTest, OkCommitsTheListCentreAndGalaxyValuesAndMirrorsThem) {
  w->txtCenter[0].SetText("12345");
  w->txtCenter[1].SetText("");
  w->txtCenter[2].SetText("77");
  w->txtGalaxy[0].SetText("99999");
  w->txtGalaxy[1].SetText("");
  w->txtGalaxy[2].SetText("4321");
  // A grid row whose points per edge exceed the box's range, added as typed.
  Pick(10, 8, {"150", "", "", "3", "250"});
  w->cmdAction[0].PerformClick();
  MoleculeRecord().Atoms.AtomElement[3] = 13;  // beyond the count: left alone
  w->cmdOK->PerformClick();
  EXPECT_FALSE(w->IsLoaded());
  const model::AtomBlock& a = MoleculeRecord().Atoms;
  EXPECT_EQ(a.Galaxy_Atoms, 3);
  EXPECT_EQ(a.Atom_CenterX, 9999);
  EXPECT_EQ(a.Atom_CenterY, 0);
  EXPECT_EQ(a.Atom_CenterZ, 77);
  EXPECT_EQ(AtomOf(a, 0), (Atom{16, 0, 100, 200, 300, 100, 0}));
  EXPECT_EQ(AtomOf(a, 1), (Atom{11, 7, 4, 0, 0, 40, 200}));
  EXPECT_EQ(AtomOf(a, 2), (Atom{10, 8, 99, 0, 0, 3, 250}));
  EXPECT_EQ(a.AtomPoints[2], 1);
  EXPECT_EQ(a.AtomElement[3], 13);
  EXPECT_EQ(MoleculeRecord().Galaxy_Radius, 30000);
  EXPECT_EQ(MoleculeRecord().Galaxy_Rotation, 0);
  EXPECT_EQ(MoleculeRecord().Galaxy_Distance, 4321);
  EXPECT_EQ(props.galaxyWrites, (std::vector<std::pair<int, std::string>>{{0, "30000"}, {1, "0"}, {2, "4321"}}));
}

// A refused commit changes nothing: OK on an empty list shows the note and keeps the window
// open; Cancel afterwards leaves the stored atoms, count and centre.
TEST_F(MoleculeEditorTest, OkOnAnEmptyListIsRefusedAndCancelKeepsTheRecord) {
  w->cmdClear_Click();
  w->txtGalaxy[0].SetText("5");
  w->cmdOK->PerformClick();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, kEmptyNote);
  EXPECT_TRUE(w->IsLoaded());
  ExpectAtomsAsStored();
  EXPECT_TRUE(props.galaxyWrites.empty());
  w->cmdDismiss->PerformClick();
  EXPECT_FALSE(w->IsLoaded());
  ExpectAtomsAsStored();
  EXPECT_TRUE(props.galaxyWrites.empty());
}

TEST_F(MoleculeEditorTest, ClearEmptiesTheMoleculeButKeepsTheGalaxyValues) {
  Pick(3, 9, {"1", "2", "3", "4", "5"});
  w->cboTheme->SetListIndex(3);
  w->cmdClear->PerformClick();
  EXPECT_TRUE(Rows().empty());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(w->txtCenter[i].Text(), "");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(w->txtProps[i].Text(), "");
  EXPECT_EQ(w->cboElement->ListIndex(), -1);
  EXPECT_EQ(w->txtPropNumber->Text(), "");
  EXPECT_EQ(w->cboType->ListIndex(), 0);
  EXPECT_EQ(w->lblSymRadius->Caption(), "Symmetry Radius");
  EXPECT_EQ(w->txtGalaxy[0].Text(), "2000");  // from the theme, kept
  EXPECT_EQ(w->cboTheme->ListIndex(), 3);
  EXPECT_EQ(w->lblTheme->Caption(), "Hexagonal Plane.");
}

// Boxes take digits and Backspace only; leaving a box clamps it (the first property box only
// for grid types); Enter and Escape still reach the window's buttons from any box.
TEST_F(MoleculeEditorTest, BoxesFilterKeysAndClampWhenLeft) {
  ShowActive();
  struct Case {
    controls::TextBox* box;
    int32_t type;
    const char* typed;
    const char* left;
  };
  const Case cases[] = {
      {&w->txtCenter[1], 0, "12a3x4", "1234"},  {&w->txtGalaxy[0], 0, "45678", "30000"},
      {&w->txtGalaxy[2], 0, "-7", "7"},         {&w->txtProps[3], 0, "9", "9"},
      {&w->txtProps[0], 0, "4567", "4567"},     {&w->txtProps[0], 7, "4567", "99"},
      {&w->txtProps[0], 9, "0", "1"},           {&w->txtProps[4], 7, "0099", "99"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.box->Name() + std::to_string(k.box->Index()) + " " + k.typed);
    w->cboType->SetListIndex(k.type);
    k.box->SetText("");
    k.box->SetFocus();
    QTest::keyClicks(k.box, k.typed);
    w->cmdOK->SetFocus();
    EXPECT_EQ(k.box->Text(), k.left);
  }
  EXPECT_GT(beeps, 0);

  // Entering a box selects its text.
  w->txtGalaxy[1].SetText("700");
  w->txtGalaxy[1].SetFocus();
  EXPECT_EQ(w->txtGalaxy[1].SelText(), "700");

  // Enter from a box presses the preview button: with an empty list that is the note.
  w->cmdClear_Click();
  messages.messages.clear();
  w->txtProps[3].SetFocus();
  QTest::keyClick(&w->txtProps[3], Qt::Key_Return);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, kEmptyNote);
  QTest::keyClick(&w->txtCenter[0], Qt::Key_Escape);
  EXPECT_FALSE(w->IsLoaded());
  ExpectAtomsAsStored();
}

// A first opening (no remembered place) shows the window at its starting size, the atoms frame
// with all its controls above the lower edge; the window cannot be made so small that it cuts
// that frame.
TEST_F(MoleculeEditorTest, TheWholeAtomsFrameIsSeenFromTheFirstOpening) {
  using namespace dialogs::testing;
  EXPECT_EQ(w->ScaleWidth(), 12600);
  EXPECT_EQ(w->ScaleHeight(), 7740);
  ShowActive();
  EXPECT_EQ(w->ScaleWidth(), 12600);
  EXPECT_EQ(w->ScaleHeight(), 7740);
  for (QWidget* frame : {static_cast<QWidget*>(w->fraTheme), static_cast<QWidget*>(w->fraCenter),
                         static_cast<QWidget*>(w->fraGalaxy), static_cast<QWidget*>(w->fraAtoms)}) {
    ExpectInsideParent(*frame);
    ExpectLeftOf(*frame, *w->fraPreview);
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) ExpectInsideParent(*child);
  }
  w->SetClientSize(9000, 5000);
  QApplication::processEvents();
  EXPECT_GE(w->Client()->height(), w->fraAtoms->geometry().bottom());
}

// At its minimum client size, 8820 x 6420 twips (588 x 428 pixels at 15 twips per pixel), the
// atoms frame is still whole: its list gives up rows, the controls under it move up and stay
// apart. Back at the starting height the list has its rows again.
TEST_F(MoleculeEditorTest, AtItsMinimumSizeTheAtomsListGivesUpRowsAndTheFrameStaysWhole) {
  using namespace dialogs::testing;
  ShowActive();
  auto settle = [] {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  };
  ASSERT_EQ(controls::PixelsToTwipsY(1), 15);
  const QRect listAtStart = w->lstElements->geometry();
  w->SetClientSize(4000, 3000);
  settle();
  EXPECT_EQ(w->Client()->size(), QSize(588, 428));
  EXPECT_GE(w->Client()->height(), w->fraAtoms->geometry().bottom());
  ExpectInsideParent(*w->fraAtoms);
  const QList<QWidget*> children = w->fraAtoms->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) {
    ExpectInsideParent(*child);
    if (child != w->lstElements && child->isVisibleTo(w)) {
      EXPECT_GT(child->geometry().top(), w->lstElements->geometry().bottom()) << Described(*child);
    }
  }
  EXPECT_GE(w->lstElements->viewport()->height(), 2 * w->lstElements->fontMetrics().lineSpacing());
  EXPECT_LT(w->lstElements->height(), listAtStart.height());
  ExpectLeftOf(*w->fraAtoms, *w->fraPreview);

  w->SetClientSize(12600, 7740);
  settle();
  EXPECT_EQ(w->lstElements->geometry(), listAtStart);
  EXPECT_EQ(w->fraAtoms->Height(), 4620);
}

// The captions of the atoms frame fit their labels before the control beside them, for the
// captions of a single atom, of a shell and of a grid alike; so do the other captions and every
// theme's description.
TEST_F(MoleculeEditorTest, CaptionsFitForEveryKindOfStructure) {
  using namespace dialogs::testing;
  ShowActive();
  for (int32_t type : {0, 3, 7}) {
    SCOPED_TRACE(type);
    w->cboType->SetListIndex(type);
    for (controls::Label* l :
         {w->lblPickElement, w->lblType, w->lblElement, w->lblLocX, w->lblLocY, w->lblLocZ, w->lblRadius,
          w->lblSymRadius})
      ExpectCaptionFits(*l);
    ExpectLeftOf(*w->lblPickElement, *w->cboElement);
    ExpectLeftOf(*w->lblType, *w->cboType);
    ExpectLeftOf(*w->lblElement, *w->txtPropNumber);
    const std::vector<controls::Label*> propLabels = {w->lblLocX, w->lblLocY, w->lblLocZ, w->lblRadius,
                                                      w->lblSymRadius};
    for (size_t i = 0; i + 1 < propLabels.size(); ++i) ExpectLeftOf(*propLabels[i], *propLabels[i + 1]);
  }
  for (int k = 0; k < 3; ++k) {
    ExpectCaptionFits(w->lblCenter[k]);
    ExpectLeftOf(w->lblCenter[k], w->txtCenter[k]);
    ExpectCaptionFits(w->lblGalaxy[k]);
    ExpectLeftOf(w->lblGalaxy[k], w->txtGalaxy[k]);
  }
  for (int32_t n = 1; n <= dialogs::kMoleculeThemeCount; ++n) {
    w->cboTheme->SetListIndex(n);
    ExpectCaptionFits(*w->lblTheme);
    ExpectInsideParent(*w->lblTheme);
  }
}

// A full list of 32 atoms shows every row whole: it scrolls down, never sideways.
TEST_F(MoleculeEditorTest, AFullListShowsWholeRows) {
  ShowActive();
  Pick(8, 11, {"99", "", "", "9999", "9999"});
  while (w->lstElements->ListCount() < 32) w->cmdAction[0].PerformClick();
  QApplication::processEvents();
  EXPECT_GT(w->lstElements->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(w->lstElements->horizontalScrollBar()->maximum(), 0);
}

// Tab goes from the theme list through the offset boxes, the galaxy boxes and the buttons down
// to the atoms; the boxes that the structure type does not use are passed over.
TEST_F(MoleculeEditorTest, TabWalksTheWindowFromTopToBottom) {
  ShowActive();
  std::vector<QWidget*> order = {w->cboTheme};
  for (int k = 0; k < 3; ++k) order.push_back(&w->txtCenter[k]);
  for (int k = 0; k < 3; ++k) order.push_back(&w->txtGalaxy[k]);
  for (QWidget* c : std::initializer_list<QWidget*>{w->cmdPreview, w->cmdOK, w->cmdDismiss, w->cmdClear, w->cmdHelp,
                                                    w->lstElements, w->cboElement, w->cboType, w->txtPropNumber,
                                                    w->txtPropSymbol, &w->txtProps[0], &w->txtProps[1],
                                                    &w->txtProps[2], &w->txtProps[3], &w->cmdAction[0],
                                                    &w->cmdAction[1], &w->cmdAction[2], w->cboTheme})
    order.push_back(c);
  dialogs::testing::ExpectTabWalk(order);
}

// The atoms frame's caption heads the list's columns in the list's own fixed-pitch font, so
// that each heading stands over its column; the controls in the frame keep the window's font.
TEST_F(MoleculeEditorTest, TheColumnHeaderUsesTheListsFont) {
  ShowActive();
  EXPECT_EQ(w->fraAtoms->font(), w->lstElements->font());
  EXPECT_TRUE(QFontInfo(w->fraAtoms->font()).fixedPitch());
  for (QWidget* c : std::initializer_list<QWidget*>{w->lblPickElement, w->cboElement, w->lblLocX, &w->txtProps[0],
                                                    &w->cmdAction[0]})
    EXPECT_EQ(c->font(), w->font()) << dialogs::testing::Described(*c);
}

TEST_F(MoleculeEditorTest, TheWindowKeepsItsMinimumSizeAndTheRememberedPlace) {
  ShowActive();
  auto settle = [] {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  };
  w->SetClientSize(4000, 3000);
  settle();
  EXPECT_GE(w->ScaleWidth(), 8820);
  EXPECT_GE(w->ScaleHeight(), 6420);
  w->SetClientSize(11025, 7800);
  settle();
  // The preview reaches 5 pixels short of the right edge and 3 short of the bottom.
  EXPECT_EQ(w->fraPreview->Left() + w->fraPreview->Width(), w->ScaleWidth() - controls::PixelsToTwipsX(5));
  EXPECT_EQ(w->fraPreview->Top() + w->fraPreview->Height(), w->ScaleHeight() - controls::PixelsToTwipsY(3));
  EXPECT_EQ(w->picPreview->Width(), w->fraPreview->Width() - 2 * w->picPreview->Left());
  EXPECT_EQ(w->picPreview->Height(),
            w->fraPreview->Height() - w->picPreview->Top() - controls::PixelsToTwipsY(5));
  w->cmdDismiss->PerformClick();
  EXPECT_FALSE(w->IsLoaded());
  EXPECT_EQ(store::GetSettingString("General\\Atomics", "WindowState", ""), "0");
}

TEST_F(MoleculeEditorTest, AnIndexOutsideTheEditableTypesOpensNothing) {
  const auto before = QApplication::topLevelWidgets().size();
  for (int32_t n : {-1, 50, 65}) dialogs::ShowGalaxyEditor<dialogs::frmMolecule>(props, n);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), before);
  EXPECT_TRUE(messages.messages.empty());
  ExpectAtomsAsStored();
}

// The preview runs the edited molecule and gives the record back after Stop; with an empty
// list it shows the note and runs nothing.
TEST_F(MoleculeEditorTest, PreviewRunsTheEditedMoleculeAndRestoresTheRecord) {
  w->Show();
  w->cboTheme->SetListIndex(1);
  bool running = false;
  pacer.onPace = [&] {
    if (pacer.paces > 100) presentation::pacing().G_bCancel = true;  // a preview that never stops fails
    if (pacer.paces != 2) return;
    running = MoleculeRecord().Atoms.Galaxy_Atoms == 5 && MoleculeRecord().Galaxy_Rotation == 1500 &&
              MoleculeRecord().Atoms.AtomElement[4] == 1 && w->cmdPreview->Caption() == "Stop" &&
              !w->lstElements->Enabled() && !w->txtProps[1].Enabled();
    QTest::keyClick(w, Qt::Key_Escape);
  };
  w->cmdPreview->PerformClick();
  EXPECT_TRUE(running);
  EXPECT_EQ(pacer.paces, 3);
  EXPECT_TRUE(w->IsLoaded());
  ExpectAtomsAsStored();
  EXPECT_EQ(w->lstElements->ListCount(), 5);
  EXPECT_EQ(w->cmdPreview->Caption(), "Preview Molecule");
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);
  // The boxes the selected type does not use are disabled again.
  EXPECT_TRUE(w->txtProps[1].Enabled());
  EXPECT_FALSE(w->txtProps[4].Enabled());
  EXPECT_TRUE(w->lstElements->Enabled());

  w->cmdClear_Click();
  pacer.paces = 0;
  w->cmdPreview->PerformClick();
  EXPECT_EQ(pacer.paces, 0);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, kEmptyNote);
  EXPECT_EQ(w->cmdPreview->Caption(), "Preview Molecule");
  ExpectAtomsAsStored();
}

// OK pressed while the preview runs commits after the preview has restored the record.
TEST_F(MoleculeEditorTest, OkDuringThePreviewCommitsAfterItStops) {
  w->cboTheme->SetListIndex(7);
  pacer.onPace = [&] {
    if (pacer.paces == 2) w->cmdOK_Click();
  };
  w->cmdPreview->PerformClick();
  EXPECT_FALSE(w->IsLoaded());
  EXPECT_EQ(MoleculeRecord().Atoms.Galaxy_Atoms, 4);
  EXPECT_EQ(AtomOf(MoleculeRecord().Atoms, 3), (Atom{7, 3, 0, 0, 0, 20, 300}));
  EXPECT_EQ(props.galaxyWrites.size(), 3u);
}

}  // namespace
}  // namespace dialogstest
