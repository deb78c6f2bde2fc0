#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>

#include <string>
#include <vector>

#include "dialogs/editors/advanced_fixture.h"
#include "dialogs/editors/layout_checks.h"

namespace dialogs::testing {
namespace {

// The blending note is longer than its frame shows: it sits in a read-only box that scrolls to
// its end, with its three paragraphs word for word.
TEST_F(AdvancedTest, BlendingNoteIsAReadOnlyBoxThatScrollsThroughTheWholeNote) {
  frmAdvanced& w = OpenShown();
  const std::string para = "\n\n";
  const std::string note =
      "Since version 5.0, Zorvane uses a blending algorithm to achieve realistic stellar motion effects.  If you do "
      "not want motion blur in any of the Galaxies or the Universe, click the button below.  This will set the "
      "Blending Value to 0 for all of the Galaxy Types (including the Composite Types) along with the Blending "
      "during the initial Universe Burst and while traveling between the Galaxies.  " +
      para +
      "Setting the Blending value to 0 may substantially increase the overall performance of the display, "
      "depending on your hardware." +
      para +
      "You can reset the properties to the Factory Settings from the Edit Menu.  This will restore the Blending "
      "to the Galaxies and Universe expansion effects.";
  // The box shows each CR LF of the note as one line break.
  EXPECT_EQ(w.lblGalaxyBlend->Text(), note);
  EXPECT_TRUE(w.lblGalaxyBlend->Locked());
  EXPECT_TRUE(w.lblGalaxyBlend->Enabled());
  // The box shows the note from its first line and scrolls to the rest.
  EXPECT_EQ(w.lblGalaxyBlend->verticalScrollBar()->value(), 0);
  EXPECT_GT(w.lblGalaxyBlend->verticalScrollBar()->maximum(), 0);
  // The box lies inside its frame, above the button.
  const QRect box = w.lblGalaxyBlend->geometry();
  EXPECT_LE(box.bottom(), w.cmdSetGalaxyBlend0->geometry().top());
  EXPECT_LE(box.right(), w.fraGalaxyProps->contentsRect().right());
}

// Without a stored position the window is centred on the screen by its final size (centred by
// a size it had before its load sized it, it hung off the bottom of a 1024 x 768 screen).
TEST_F(AdvancedTest, FirstOpenIsCentredByTheLoadedSize) {
  frmAdvanced& w = Open();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  // Half a pixel rounds to even.
  EXPECT_NEAR(w.x(), screen.x() + (screen.width() - w.width()) / 2.0, 0.5);
  EXPECT_NEAR(w.y(), screen.y() + (screen.height() - w.height()) / 2.0, 0.5);
}

// Each label of the delay and message frames ends before the box to its right begins; the
// countdown minutes box stands in the column of the hue increment box.
TEST_F(AdvancedTest, LabelsEndBeforeTheirBoxes) {
  frmAdvanced& w = OpenShown();
  struct Case {
    const QLabel* label;
    const QWidget* box;
  };
  const std::vector<Case> cases = {
      {&w.lblAdv[0], &w.txtAdv[0]},         {&w.lblAdv[1], &w.txtAdv[1]},
      {&w.lblMessage[0], w.cboFont},        {&w.lblMessage[1], &w.txtMessage[0]},
      {&w.lblMessage[2], &w.txtMessage[1]}, {&w.lblMessage[3], &w.txtMessage[2]},
      {&w.lblMessage[5], &w.txtMessage[5]},
  };
  for (const Case& c : cases) {
    ExpectCaptionFits(*c.label);
    ExpectLeftOf(*c.label, *c.box);
  }
  EXPECT_EQ(w.txtMessage[5].geometry().left(), w.txtMessage[3].geometry().left());
  EXPECT_EQ(w.spnMessage[5].geometry().left(), w.spnMessage[3].geometry().left());
}

// The substitution note wraps inside its label from the top, the label inside the message
// frame; the window ends below that frame with the randomize check box beyond its lower edge.
TEST_F(AdvancedTest, SubstitutionNoteFitsTheMessageFrame) {
  frmAdvanced& w = OpenShown();
  const QLabel& note = *w.lblMsgSubText;
  ExpectCaptionFits(note);
  EXPECT_TRUE(note.alignment() & Qt::AlignTop);
  EXPECT_LE(note.geometry().bottom(), w.fraMessage->contentsRect().bottom());
  const QRect frame = w.fraMessage->geometry();
  EXPECT_GT(w.Client()->height(), frame.bottom());
  EXPECT_GE(w.chkRandom->geometry().top(), w.Client()->height());
}

}  // namespace
}  // namespace dialogs::testing
