// Every window of the program, laid out offscreen in the program's own font: each shown text fits
// its control, and no two shown controls side by side in one container cover each other.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs/info/all_windows.h"
#include "dialogs/properties/frm_props.h"
#include "dialogs/properties/props_fixture.h"
#include "platform/controls/controls.h"

namespace {

using windowwalk::AllWindows;
using windowwalk::WindowMaker;

// Shown as the user sees it in its shown window: the control's own flag and every container's,
// and not hidden by a layout that stacks panels in one place.
bool Shown(const controls::Control& c, const QWidget& window) {
  for (const controls::Control* k = &c; k != nullptr; k = k->Container())
    if (!k->Visible()) return false;
  return c.Widget()->isVisibleTo(&window);
}

QString PlainText(QString text) { return text.remove(QRegularExpression("&(?!&)")); }

// The width a control's text needs beside the room it has; 0 needed when it fits or has no text.
struct Need {
  int needed = 0;
  int room = 0;
};

Need TextNeed(const controls::Control& c) {
  const QWidget* w = c.Widget();
  const QFontMetrics fm(w->font());
  switch (c.Kind()) {
    case controls::ControlKind::Label: {
      const auto* label = static_cast<const QLabel*>(w);
      if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return {};
      if (label->wordWrap()) return {label->heightForWidth(w->width()), w->height()};
      const QRect box = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, label->text());
      if (box.height() > w->height() + 2) return {box.height(), w->height()};
      return {box.width(), w->width()};
    }
    case controls::ControlKind::CheckBox:
    case controls::ControlKind::OptionButton: {
      const auto* b = static_cast<const QAbstractButton*>(w);
      if (b->text().isEmpty()) return {};
      return {w->sizeHint().width(), w->width()};
    }
    case controls::ControlKind::CommandButton: {
      const auto* b = static_cast<const QAbstractButton*>(w);
      if (b->text().isEmpty()) return {};
      // The text is clipped only by the button's frame.
      const int frame = 2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
      const QRect box = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, PlainText(b->text()));
      if (box.height() + frame > w->height() + 2) return {box.height() + frame, w->height()};
      return {box.width() + frame, w->width()};
    }
    case controls::ControlKind::Frame: {
      // The caption where the style draws it, left of the frame's right edge.
      const auto* g = static_cast<const QGroupBox*>(w);
      if (g->title().isEmpty()) return {};
      QStyleOptionGroupBox option;
      option.initFrom(g);
      option.text = g->title();
      option.textAlignment = g->alignment();
      option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
      const QRect label = w->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, w);
      return {label.left() + fm.horizontalAdvance(PlainText(g->title())) + 2, w->width()};
    }
    default:
      return {};
  }
}

// Members of one control array laid in one place on purpose: panels stacked where a choice
// raises one, or a caption over its own shadow a few pixels off.
bool Layered(const controls::Control& a, const controls::Control& b) {
  if (a.Name() != b.Name()) return false;
  const QRect ra = a.Widget()->geometry();
  const QRect rb = b.Widget()->geometry();
  return std::abs(ra.left() - rb.left()) <= 3 && std::abs(ra.top() - rb.top()) <= 3 &&
         std::abs(ra.width() - rb.width()) <= 3 && std::abs(ra.height() - rb.height()) <= 3;
}

// Where a control shows: a plain label draws only its text on its container's background, so
// the part of its box the text leaves free covers nothing.
QRect Footprint(const controls::Control& c) {
  const QWidget* w = c.Widget();
  QRect r = w->geometry();
  if (c.Kind() != controls::ControlKind::Label) return r;
  const auto* label = static_cast<const QLabel*>(w);
  if (label->wordWrap() || label->autoFillBackground() || label->frameShape() != QFrame::NoFrame) return r;
  const int text = std::min(r.width(), QFontMetrics(w->font()).horizontalAdvance(label->text()));
  const Qt::Alignment align = QStyle::visualAlignment(w->layoutDirection(), label->alignment());
  if (align & Qt::AlignRight) r.setLeft(r.right() - text + 1);
  else if (align & Qt::AlignHCenter) r.setLeft(r.left() + (r.width() - text) / 2);
  r.setWidth(text);
  return r;
}

// A picture under other controls (a star field behind a window's text) holds them on purpose.
bool Backdrop(const controls::Control& under, const controls::Control& over) {
  const auto kind = under.Kind();
  return (kind == controls::ControlKind::PictureBox || kind == controls::ControlKind::Image) &&
         under.Widget()->geometry().contains(over.Widget()->geometry());
}

// A control laid on a frame's top border on purpose (a selector right of the frame's caption, a
// check box that switches the frame): it starts above the frame's contents, in the band of its
// border and caption or above the frame, and covers none of the frame's shown controls.
bool RidesOnBorder(const controls::Control& frame, const controls::Control& rider, const QWidget& window) {
  if (frame.Kind() != controls::ControlKind::Frame) return false;
  const QWidget* f = frame.Widget();
  const QRect r = rider.Widget()->geometry();
  if (r.top() >= f->y() + f->contentsRect().top()) return false;
  const QRect inFrame = r.translated(-f->pos());
  for (const QWidget* child : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisibleTo(&window) && child->geometry().intersects(inFrame)) return false;
  return true;
}

std::string Describe(const controls::Control& c) {
  std::ostringstream s;
  s << (c.Name().empty() ? std::string("(unnamed)") : c.Name());
  if (c.Index() >= 0) s << "(" << c.Index() << ")";
  return s.str();
}

// The faults of one window as lines: texts that do not fit, shown siblings that overlap. The
// window is shown first (showing lays it out) but not activated, and no events are processed
// before it is unloaded: some windows start their animation when activated.
std::vector<std::string> LayoutFaults(controls::Form& window) {
  window.setAttribute(Qt::WA_ShowWithoutActivating);
  window.QDialog::show();
  std::vector<std::string> faults;
  std::vector<const controls::Control*> shown;
  for (const controls::Control* c : window.Controls()) {
    const auto kind = c->Kind();
    if (kind == controls::ControlKind::Menu || kind == controls::ControlKind::MenuItem) continue;
    if (!Shown(*c, window)) continue;
    shown.push_back(c);
    const Need need = TextNeed(*c);
    if (need.needed > need.room)
      faults.push_back(Describe(*c) + " needs " + std::to_string(need.needed) + " px, has " +
                       std::to_string(need.room));
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    for (size_t j = i + 1; j < shown.size(); ++j) {
      const QWidget* a = shown[i]->Widget();
      const QWidget* b = shown[j]->Widget();
      if (a->parentWidget() != b->parentWidget()) continue;
      if (shown[i]->Kind() == controls::ControlKind::Line || shown[j]->Kind() == controls::ControlKind::Line) continue;
      if (Layered(*shown[i], *shown[j]) || Backdrop(*shown[i], *shown[j]) || Backdrop(*shown[j], *shown[i])) continue;
      if (RidesOnBorder(*shown[i], *shown[j], window) || RidesOnBorder(*shown[j], *shown[i], window)) continue;
      const QRect overlap = Footprint(*shown[i]) & Footprint(*shown[j]);
      if (overlap.width() > 1 && overlap.height() > 1)
        faults.push_back(Describe(*shown[i]) + " and " + Describe(*shown[j]) + " overlap by " +
                         std::to_string(overlap.width()) + "x" + std::to_string(overlap.height()) + " px");
    }
  }
  return faults;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += "\n  " + l;
  return all;
}

// The Properties window's fresh process state; the windows the walk made are deleted after it.
class LayoutWalk : public dialogs::testing::PropsTest {
 protected:
  void TearDown() override {
    PropsTest::TearDown();
    RunDeferredDeletes();
  }
};

TEST_F(LayoutWalk, EveryWindowsTextsFitAndControlsDoNotOverlap) {
  dialogs::frmProps* props = dialogs::frmProps::Create();
  for (int style = 0; style < props->c.cboGalStyle->ListCount(); ++style) {
    SCOPED_TRACE(style);
    props->c.cboGalStyle->SetListIndex(style);
    const std::vector<std::string> faults = LayoutFaults(*props);
    EXPECT_TRUE(faults.empty()) << "frmProps, galaxy style " << style << Joined(faults);
  }
  for (const WindowMaker& maker : AllWindows()) {
    controls::Form* window = maker.make(*props);
    window->EnsureLoaded();
    if (maker.loaded) maker.loaded(*window);
    const std::vector<std::string> faults = LayoutFaults(*window);
    EXPECT_TRUE(faults.empty()) << maker.name << Joined(faults);
    window->Unload();
    window->Release();
  }
  props->Unload();
  props->Release();
}

}  // namespace
