#include "dialogs/properties/props_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QImage>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialogs/properties/galaxy_style.h"
#include "dialogs/properties/props_fixture.h"
#include "dialogs/properties/type_lists.h"
#include "platform/controls/routines.h"

using controls::Control;
using controls::ControlKind;

namespace dialogs::testing {
namespace {

std::string NameOf(const Control* c) {
  if (c == nullptr) return "(not a control)";
  return c->Index() < 0 ? c->Name() : c->Name() + "(" + std::to_string(c->Index()) + ")";
}

// The window at a font scale (1.0: the desktop's font; 1.5: as at 144 DPI).
class PropsLayoutTest : public PropsTest, public ::testing::WithParamInterface<double> {
 protected:
  void SetUp() override {
    PropsTest::SetUp();
    savedFont_ = QApplication::font();
    QFont f = savedFont_;
    f.setPointSizeF(f.pointSizeF() * GetParam());
    QApplication::setFont(f);
  }
  void TearDown() override {
    PropsTest::TearDown();
    QApplication::setFont(savedFont_);
  }
  // The window shown at its minimum size.
  frmProps& OpenSmallest() {
    frmProps& d = Open();
    d.show();
    d.resize(d.minimumSize());
    QCoreApplication::processEvents();
    return d;
  }

  // Every control of these kinds that the user could see on the current page: large enough for
  // its content and inside its container.
  static void ExpectEveryVisibleControlFits(frmProps& d) {
    for (Control* ctl : d.Controls()) {
      QWidget* w = ctl->Widget();
      const ControlKind k = ctl->Kind();
      if (w == nullptr || !w->isVisibleTo(&d)) continue;
      if (k != ControlKind::Label && k != ControlKind::CommandButton && k != ControlKind::CheckBox &&
          k != ControlKind::ComboBox && k != ControlKind::TextBox && k != ControlKind::Frame)
        continue;
      SCOPED_TRACE(NameOf(ctl));
      QSize need = w->sizeHint();
      if (auto* box = dynamic_cast<controls::TextBox*>(ctl); box != nullptr && box->MaxLength() <= 8)
        need.setWidth(TextBoxWidthForDigits(*box, box->MaxLength()));
      if (auto* label = dynamic_cast<QLabel*>(w); label != nullptr && label->wordWrap())
        need = QSize(w->minimumSizeHint().width(), label->heightForWidth(w->width()));
      if (k == ControlKind::Frame) need = w->minimumSizeHint();
      EXPECT_GE(w->width(), need.width());
      EXPECT_GE(w->height(), need.height());
      const QWidget* parent = w->parentWidget();
      ASSERT_NE(parent, nullptr);
      EXPECT_TRUE(parent->rect().contains(w->geometry())) << "outside its container";
    }
  }

  QFont savedFont_;
};

TEST_P(PropsLayoutTest, EveryVisibleControlHasItsSizeInsideItsFrameOnBothPagesAndAllPanels) {
  frmProps& d = OpenSmallest();
  for (bool universe : {true, false}) {
    SCOPED_TRACE(universe ? "universe page" : "galaxy page");
    d.ArrangeFrames(universe);
    QCoreApplication::processEvents();
    ExpectEveryVisibleControlFits(d);
  }
  // The hidden alternatives of the galaxy page fit in their place too.
  for (Control* hidden : std::initializer_list<Control*>{&d.c.txtGalaxy[9], d.c.cmdGalLevels, d.c.cmdIFS_Chem,
                                                       d.c.lblOtherColorCycles, d.c.chkCP_Closed, d.c.chkCP_AdvHW})
    hidden->SetVisible(true);
  d.ArrangeFrames(false);
  QCoreApplication::processEvents();
  ExpectEveryVisibleControlFits(d);
  EXPECT_EQ(d.size(), d.minimumSize());
}

TEST_P(PropsLayoutTest, TheGalaxyPageFitsInEveryStyle) {
  frmProps& d = OpenSmallest();
  d.ArrangeFrames(false);
  for (int32_t style = 0; style < kGalaxyStyleCount; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
    d.c.cboGalStyle->SetListIndex(style);
    QCoreApplication::processEvents();
    ExpectEveryVisibleControlFits(d);
  }
  EXPECT_EQ(d.size(), d.minimumSize());
}

TEST_P(PropsLayoutTest, EnlargingGrowsOnlyThePreviewAndTheGalaxyList) {
  frmProps& d = OpenSmallest();
  std::map<Control*, QSize> before;
  for (Control* ctl : d.Controls())
    if (ctl->Widget() != nullptr) before[ctl] = ctl->Widget()->size();
  const int rightGap = d.Client()->width() - d.c.fraAni[1].geometry().right();
  d.resize(d.width() + 300, d.height() + 200);
  QCoreApplication::processEvents();

  const std::set<Control*> growing = {d.c.fraPreview, d.c.picPreview, d.c.lstUniGalaxy, d.c.fraGalaxyTypes,
                                      &d.c.fraAni[0], &d.c.fraAni[1]};
  for (auto [ctl, size] : before) {
    if (growing.count(ctl) != 0 || ctl->Kind() == ControlKind::Line || ctl->Kind() == ControlKind::MenuItem ||
        ctl->Kind() == ControlKind::Menu)
      continue;
    EXPECT_EQ(ctl->Widget()->size(), size) << NameOf(ctl);
  }
  EXPECT_EQ(d.c.picPreview->width(), before[d.c.picPreview].width() + 300);
  EXPECT_EQ(d.c.picPreview->height(), before[d.c.picPreview].height() + 200);
  EXPECT_EQ(d.c.lstUniGalaxy->width(), before[d.c.lstUniGalaxy].width());
  EXPECT_EQ(d.c.lstUniGalaxy->height(), before[d.c.lstUniGalaxy].height() + 200);
  // The right column keeps to the right edge; Cancel stays right under the preview.
  EXPECT_EQ(d.Client()->width() - d.c.fraAni[1].geometry().right(), rightGap);
  EXPECT_EQ(d.c.cmdDismiss->geometry().right(), d.c.fraPreview->geometry().right());
}

TEST_P(PropsLayoutTest, SwitchingPagesNeverResizesAndTheWindowKeepsItsMinimum) {
  frmProps& d = OpenSmallest();
  const QSize size = d.size();
  d.ArrangeFrames(false);
  QCoreApplication::processEvents();
  EXPECT_EQ(d.size(), size);
  EXPECT_EQ(d.c.fraAni[0].geometry(), d.c.fraAni[1].geometry());
  d.ArrangeFrames(true);
  d.resize(100, 100);
  QCoreApplication::processEvents();
  EXPECT_EQ(d.size(), size);
}

TEST_P(PropsLayoutTest, TabGoesDownTheLeftColumnThenTheRight) {
  frmProps& d = OpenSmallest();
  auto inRightColumn = [&](const QWidget* w) {
    for (; w != nullptr; w = w->parentWidget())
      if (w == d.c.fraUniverseProps || w == &d.c.fraAni[0] || w == &d.c.fraAni[1]) return true;
    return false;
  };
  std::vector<const QWidget*> chain;
  const QWidget* start = &d.c.txtColorProps[0];
  for (const QWidget* w = start->nextInFocusChain(); w != start && chain.size() < 2000; w = w->nextInFocusChain())
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&d) && dynamic_cast<const Control*>(w) != nullptr)
      chain.push_back(w);
  ASSERT_FALSE(chain.empty());
  size_t firstRight = chain.size();
  for (size_t i = 0; i < chain.size() && firstRight == chain.size(); ++i)
    if (inRightColumn(chain[i])) firstRight = i;
  for (size_t i = firstRight; i < chain.size(); ++i)
    EXPECT_TRUE(inRightColumn(chain[i])) << NameOf(dynamic_cast<const Control*>(chain[i])) << " after the right column";
  // The left column runs down: the hue cone, the display, the copy frame, then the buttons.
  auto position = [&](const QWidget* w) { return std::find(chain.begin(), chain.end(), w) - chain.begin(); };
  EXPECT_LT(position(&d.c.txtColorProps[3]), position(d.c.cboResolution));
  EXPECT_LT(position(d.c.cboResolution), position(d.c.cboPropCopyList));
  EXPECT_LT(position(d.c.cmdPropCopy), position(d.c.cmdAccept));
  EXPECT_LT(position(d.c.cmdDismiss), position(&d.c.txtUni[0]));
  EXPECT_LT(position(&d.c.txtUni[0]), position(d.c.lstUniGalaxy));
}

TEST_P(PropsLayoutTest, ChoosingAPropertyToCopyMovesNothingAndShowsItsValueInputWhole) {
  frmProps& d = OpenSmallest();
  PropsControls& c = d.c;
  const QRect list = c.cboPropCopyList->geometry();
  const QRect box = c.txtPropCopy->geometry();
  const struct {
    int property;
    QWidget* input;
  } rows[] = {{0, c.txtPropCopy}, {42, c.txtPropCopy}, {12, c.cboPropCopy}, {20, c.cboPropCopy}, {61, c.chkPropCopy}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.property);
    c.cboPropCopyList->SetListIndex(r.property);
    QCoreApplication::processEvents();
    EXPECT_EQ(c.cboPropCopyList->geometry(), list);
    EXPECT_EQ(c.txtPropCopy->geometry(), box);
    ASSERT_TRUE(r.input->isVisibleTo(&d));
    EXPECT_TRUE(c.fraPropCopy->rect().contains(r.input->geometry()));
    EXPECT_LE(r.input->geometry().right(), c.cmdPropCopy->geometry().left());
    if (r.input == c.txtPropCopy) {
      EXPECT_GE(c.lblPropCopy->width(), c.lblPropCopy->sizeHint().width()) << c.lblPropCopy->Caption();
    }
    // A value list shows its longest entry whole.
    int longest = 0;
    for (int32_t i = 0; i < c.cboPropCopy->ListCount(); ++i)
      longest = std::max(longest, c.cboPropCopy->fontMetrics().horizontalAdvance(QString::fromStdString(c.cboPropCopy->List(i))));
    if (r.input == c.cboPropCopy) {
      QStyleOptionComboBox o;
      o.initFrom(c.cboPropCopy);
      o.rect = c.cboPropCopy->rect();
      const QRect text = c.cboPropCopy->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c.cboPropCopy);
      EXPECT_GE(text.width(), longest);
    }
  }
}

// The row of a frame's top border line as the style draws it, found in the frame's own image
// right of its caption.
int BorderRow(QWidget& frame) {
  const QImage image = frame.grab().toImage();
  const int x = image.width() - 20;
  for (int y = 0; y < image.height() / 2; ++y)
    if (image.pixel(x, y) != image.pixel(x, 0)) return y;
  return -1;
}

int CaptionRight(const QGroupBox& frame) {
  if (frame.title().isEmpty()) return 0;
  QStyleOptionGroupBox option;
  option.initFrom(&frame);
  option.text = frame.title();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  return frame.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &frame).right();
}

// The "Extras:" selectors, the tour check box and the capture buttons sit on their frames' top
// border lines (vertical centre within a pixel), right of the caption, inside the frame's width
// and clear of every control inside it.
TEST_P(PropsLayoutTest, SelectorsTourCheckAndCaptureButtonsSitOnTheirFramesTopBorders) {
  frmProps& d = OpenSmallest();
  PropsControls& c = d.c;
  for (auto [index, button] : c.cmdCaptureImage) button->SetVisible(true);
  const struct {
    const char* name;
    bool universePage;
    int32_t universePanel;
    QGroupBox* frame;
    std::vector<QWidget*> riders;  // left to right
  } cases[] = {
      {"universe extras", true, 4, &c.fraUniProp[0], {c.cboUniExtras}},
      {"tour", true, 2, c.fraUniTour, {c.chkUniTour}},
      {"galaxy extras", false, 0, &c.fraGalProp[0], {c.cboGalaxExtras}},
      {"capture", true, 0, c.fraPreview, {&c.cmdCaptureImage[0], &c.cmdCaptureImage[1], &c.cmdCaptureImage[2]}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    d.ArrangeFrames(k.universePage);
    c.cboUniExtras->SetListIndex(k.universePanel);
    QCoreApplication::processEvents();
    const int line = BorderRow(*k.frame);
    ASSERT_GE(line, 0);
    int left = CaptionRight(*k.frame);
    for (QWidget* rider : k.riders) {
      SCOPED_TRACE(NameOf(dynamic_cast<Control*>(rider)));
      ASSERT_TRUE(rider->isVisibleTo(&d));
      // In the frame's coordinates: a child of the frame or a sibling laid over it.
      const QRect r = rider->parentWidget() == k.frame ? rider->geometry() : rider->geometry().translated(-k.frame->pos());
      EXPECT_LE(std::abs(r.top() + r.height() / 2 - line), 1) << "centre " << r.top() + r.height() / 2 << ", line " << line;
      EXPECT_GT(r.left(), left);
      EXPECT_LE(r.left(), left + 12);
      EXPECT_LT(r.right(), k.frame->width());
      EXPECT_GE(rider->width(), rider->minimumSizeHint().width());
      for (QWidget* inside : k.frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (inside != rider && inside->isVisibleTo(&d)) {
          EXPECT_FALSE(inside->geometry().intersects(r)) << NameOf(dynamic_cast<Control*>(inside));
        }
      // In front of the frames that share the place.
      EXPECT_EQ(d.childAt(rider->mapTo(&d, rider->rect().center())), rider);
      left = r.right();
    }
  }
}

// Where the percent of a list row starts: the left edge of the rightmost run of ink, runs
// parted by fewer than 6 blank columns counting as one.
int PercentInkLeft(const QImage& image, const QRect& row) {
  auto ink = [&](int x) {
    for (int y = row.top(); y <= row.bottom(); ++y)
      if (qGray(image.pixel(x, y)) < 128) return true;
    return false;
  };
  int x = row.right();
  while (x > row.left() && !ink(x)) --x;
  int left = x;
  for (int gap = 0; x > row.left() && gap < 6; --x) {
    if (ink(x)) {
      left = x;
      gap = 0;
    } else {
      ++gap;
    }
  }
  return left;
}

// The galaxy and composite lists draw their percents in one column, within a pixel, in the
// font the list draws: short names, wide names past the usual column, names of narrow letters.
// Every percent starts with "1", so its ink starts where the percent does.
TEST_P(PropsLayoutTest, TheGalaxyAndCompositeListsDrawTheirPercentsInOneColumn) {
  frmProps& d = OpenSmallest();
  PropsControls& c = d.c;
  c.cboUniExtras->SetListIndex(3);
  const std::pair<const char*, int32_t> rows[] = {
      {"A", 1}, {"WWWWWWWWWWWWWW", 15}, {"Spiral Arms", 100}, {"iiiiiiiiiiii", 10}, {"Nebula: Rainbow Loop", 1}};
  for (controls::ListBox* list : {c.lstUniGalaxy, c.lstCompGalaxy}) {
    SCOPED_TRACE(list->Name());
    list->Clear();
    for (const auto& [name, percent] : rows) controls::SizeComboToText(*list, name, percent, true);
    list->setFixedWidth(PercentColumnPixels(*list) + 120);
    QCoreApplication::processEvents();
    const QImage image = list->viewport()->grab().toImage();
    int least = image.width(), most = 0, measured = 0;
    for (int i = 0; i < list->ListCount(); ++i) {
      const QRect row = list->visualItemRect(list->item(i));
      if (!image.rect().contains(row)) continue;  // below the list's lower edge
      const int x = PercentInkLeft(image, row);
      least = std::min(least, x);
      most = std::max(most, x);
      ++measured;
    }
    EXPECT_GE(measured, 3);
    EXPECT_LE(most - least, 1) << "from " << least << " to " << most;
    EXPECT_GT(least, QFontMetrics(list->font()).horizontalAdvance("WWWWWWWWWWWWWW"));
  }
}

INSTANTIATE_TEST_SUITE_P(FontScales, PropsLayoutTest, ::testing::Values(1.0, 1.5),
                         [](const ::testing::TestParamInfo<double>& info) {
                           return info.param == 1.0 ? std::string("NormalFont") : std::string("Font150Percent");
                         });

}  // namespace
}  // namespace dialogs::testing
