// The tour switches and the profile curves on the dialog's own controls.
#include "dialogs/properties/tour_profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "dialogs/properties/props_controls.h"
#include "host/qt_test_app.h"
#include "model/galaxy_types.h"
#include "platform/controls/controls.h"

namespace dialogs {
namespace {

class TourProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controls::ResetState();
    model::ResetGalaxyRecords();
    AttachTourProfileHandlers(c);
    c.picGalProfile->resize(48, 20);
    c.picUniProfile->resize(48, 20);
  }

  // Pixels of the curve colour in the picture.
  static int CurvePixels(const controls::PictureBox& p) {
    int n = 0;
    for (int y = 0; y < p.ScaleHeight(); ++y)
      for (int x = 0; x < p.ScaleWidth(); ++x) n += (p.Point(x, y) & 0xFFFFFF) == kProfileCurveColor ? 1 : 0;
    return n;
  }

  struct QtApp {
    QtApp() { testsupport::EnsureQtApplication(); }
  } app;  // before the window
  controls::Form form{nullptr, "frmProps"};
  PropsControls c{form};
};

// Each click applies its rows of the enabling table; the ramping field needs the tour and
// the camera rotation both.
TEST_F(TourProfileTest, TourCheckBoxesEnableTheFieldsThatApply) {
  // Controls that follow the tour, and those that follow tour and rotation together.
  const std::initializer_list<controls::Control*> tourFields = {
      &c.lblUni[30], &c.lblUni[31], &c.lblUni[32], &c.txtUni[30], &c.txtUni[31],
      &c.txtUni[32], c.cboTourGalaxies, c.chkVisitSeq, c.chkRotCamera};
  const std::initializer_list<controls::Control*> rampFields = {&c.lblUni[34], &c.txtUni[34]};
  struct Case {
    int rotate, tour;  // set in this order
    bool tourEnabled, rampEnabled;
  };
  for (const Case k : {Case{0, 1, true, false}, Case{1, 1, true, true}, Case{1, 0, false, false},
                       Case{0, 0, false, false}}) {
    SCOPED_TRACE(testing::Message() << "rotate " << k.rotate << " tour " << k.tour);
    c.chkUniTour->SetValue(1 - k.tour);  // so that setting the tour below is a change
    c.chkRotCamera->SetValue(k.rotate);
    c.chkUniTour->SetValue(k.tour);
    for (controls::Control* ctl : tourFields) EXPECT_EQ(ctl->Enabled(), k.tourEnabled) << ctl->Name();
    for (controls::Control* ctl : rampFields) EXPECT_EQ(ctl->Enabled(), k.rampEnabled) << ctl->Name();
  }
  // The rotation alone switches the ramping field, whatever the tour.
  c.chkRotCamera->SetValue(1);
  EXPECT_TRUE(c.txtUni[34].Enabled());
  c.chkRotCamera->SetValue(0);
  EXPECT_FALSE(c.lblUni[34].Enabled());
}

// Visiting the types in turn disables the tour script and its frame; switching the tour off
// and on again enables the script whatever the check box shows, its frame keeping its state.
TEST_F(TourProfileTest, SequentialVisitsDisableTheTourScript) {
  c.chkUniTour->SetValue(1);
  c.chkVisitSeq->SetValue(1);
  EXPECT_FALSE(c.fraTripScript->Enabled());
  EXPECT_FALSE(c.cboTourGalaxies->Enabled());
  c.chkUniTour->SetValue(0);
  c.chkUniTour->SetValue(1);
  EXPECT_TRUE(c.cboTourGalaxies->Enabled());
  EXPECT_FALSE(c.fraTripScript->Enabled());
  c.chkVisitSeq->SetValue(0);
  EXPECT_TRUE(c.fraTripScript->Enabled());
  EXPECT_TRUE(c.cboTourGalaxies->Enabled());
}

// "Conical" is the diagonal from the top left to the bottom right; "Spherical" the quarter
// circle between them, bowed toward the top right.
TEST_F(TourProfileTest, ConicalIsADiagonalAndSphericalAQuarterCircle) {
  controls::PictureBox& p = *c.picGalProfile;
  const int w = p.ScaleWidth(), h = p.ScaleHeight();
  struct Case {
    int profile;
    double (*height)(double);  // height 0 to 1 at distance 0 to 1 from the core
  };
  for (const Case k : {Case{3, [](double r) { return 1.0 - r; }},
                       Case{2, [](double r) { return std::sqrt(1.0 - r * r); }}}) {
    SCOPED_TRACE(k.profile);
    c.cboGalProfile->SetListIndex(k.profile);
    EXPECT_EQ(p.Point(0, 0) & 0xFFFFFF, kProfileCurveColor);  // starts at the top left
    for (int x = 0; x < w; ++x) {
      const double want = (1.0 - k.height(static_cast<double>(x) / w)) * h;
      // Every column holds the curve near its row, and nothing far from the curve.
      bool near = false;
      for (int y = 0; y < h; ++y) {
        const bool lit = (p.Point(x, y) & 0xFFFFFF) == kProfileCurveColor;
        if (!lit) continue;
        const double prev = (1.0 - k.height(static_cast<double>(std::max(x - 1, 0)) / w)) * h;
        const double next = (1.0 - k.height(std::min(static_cast<double>(x + 1) / w, 1.0))) * h;
        EXPECT_LE(y, std::max({want, prev, next}) + 1.0) << x;
        EXPECT_GE(y, std::min({want, prev, next}) - 1.0) << x;
        near = near || std::abs(y - want) <= 1.0;
      }
      if (want < h - 1) {
        EXPECT_TRUE(near) << "column " << x;
      }
    }
  }
  // Conical: one pixel per column on a straight line, apart from the row the rim leaves.
  c.cboGalProfile->SetListIndex(3);
  for (int x = 0; x < w; ++x) {
    const int y = static_cast<int>(std::nearbyint(static_cast<double>(x) * h / w));
    if (y < h) {
      EXPECT_EQ(p.Point(x, y) & 0xFFFFFF, kProfileCurveColor) << x;
    }
  }
}

// The universe profile draws the chosen type's profile for the styles that have one, and
// leaves the picture blank otherwise (a Nebula, a cycling mode).
TEST_F(TourProfileTest, UniverseProfileDrawsOnlyForStylesWithAProfile) {
  for (int i = 0; i < 52; ++i) c.cboUniProfile->AddItem("type " + std::to_string(i));
  model::GalaxyTypeProps* types = model::records().GalaxyTypes.data();
  struct Case {
    int listIndex, style;
    bool drawn;
  };
  for (const Case k : {Case{4, 0, true}, Case{5, 1, true}, Case{6, 5, true}, Case{7, 6, true},
                       Case{8, 4, false}, Case{9, 9, false}, Case{10, 2, false}, Case{50, 0, false},
                       Case{51, 0, false}}) {
    SCOPED_TRACE(k.listIndex);
    c.cboUniProfile->SetListIndex(0);
    if (k.listIndex < model::kEditableGalaxyTypes) {
      types[k.listIndex].Galaxy_GalStyle = k.style;
      types[k.listIndex].Galaxy_Profile = 3;
    }
    types[0].Galaxy_GalStyle = 0;  // item 0 draws, so that a blank picture shows the clearing
    c.cboUniProfile->SetListIndex(0);
    c.cboUniProfile->SetListIndex(k.listIndex);
    EXPECT_EQ(CurvePixels(*c.picUniProfile) > 0, k.drawn);
  }
}

// A picture without width is cleared and nothing is drawn; a profile outside 0-6 lies flat
// along the bottom, below the picture.
TEST_F(TourProfileTest, EmptyPicturesAndUnknownProfilesDrawNothingInside) {
  controls::PictureBox& p = *c.picGalProfile;
  p.resize(0, 20);
  DrawProfileCurve(p, 3);
  EXPECT_EQ(p.ScaleWidth(), 0);
  p.resize(48, 20);
  DrawProfileCurve(p, 9);
  EXPECT_EQ(CurvePixels(p), 0);
  EXPECT_EQ(p.Point(10, 10) & 0xFFFFFF, kProfileBackColor);
}

}  // namespace
}  // namespace dialogs
