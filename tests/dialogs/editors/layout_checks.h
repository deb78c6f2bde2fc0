// What a user sees of an editor's layout: captions that fit their labels, texts their boxes show
// whole, controls inside the frame or window that holds them and covering none beside them, a
// label ending before the control beside it.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/controls/control.h"
#include "platform/controls/form.h"

namespace dialogs::testing {

inline std::string Described(const QWidget& w) {
  std::string text;
  if (const auto* l = qobject_cast<const QLabel*>(&w)) text = l->text().toStdString();
  if (const auto* b = qobject_cast<const QAbstractButton*>(&w)) text = b->text().toStdString();
  std::string name;
  if (const auto* c = dynamic_cast<const controls::Control*>(&w))
    name = c->Index() >= 0 ? c->Name() + "(" + std::to_string(c->Index()) + ")" : c->Name();
  return name + " \"" + text + "\"";
}

// Every line of the label's caption fits the label in the label's font (wrapped where the
// label wraps).
inline void ExpectCaptionFits(const QLabel& label) {
  const int flags = Qt::AlignLeft | Qt::AlignTop | (label.wordWrap() ? Qt::TextWordWrap : 0);
  const QRect need = label.fontMetrics().boundingRect(QRect(0, 0, label.width(), 100000), flags, label.text());
  EXPECT_LE(need.width(), label.width()) << Described(label);
  EXPECT_LE(need.height(), label.height()) << Described(label);
}

// A button or check box is at least as wide as its caption needs.
inline void ExpectCaptionFits(const QAbstractButton& button) {
  if (qobject_cast<const QPushButton*>(&button) != nullptr) {
    // The push button's own size hint has a minimum width far beyond a short caption's.
    QString text = button.text();
    text.remove(QLatin1Char('&'));
    EXPECT_LE(button.fontMetrics().horizontalAdvance(text) + 8, button.width()) << Described(button);
  } else {
    EXPECT_LE(button.sizeHint().width(), button.width()) << Described(button);
  }
}

// The control lies inside its frame or window, off the border line and, in a frame with a
// caption, below the caption.
inline void ExpectInsideParent(const QWidget& w) {
  const QWidget* parent = w.parentWidget();
  ASSERT_NE(parent, nullptr);
  QRect inside = parent->rect().adjusted(1, 1, -1, -1);
  if (const auto* frame = qobject_cast<const QGroupBox*>(parent); frame != nullptr && !frame->title().isEmpty())
    inside.setTop(frame->fontMetrics().height());
  EXPECT_TRUE(inside.contains(w.geometry())) << Described(w);
}

// The box shows `text` whole, without scrolling it: the text fits between the box's frame and
// the two-pixel margins the line edit keeps on either side.
inline void ExpectTextFits(const QLineEdit& box, const QString& text) {
  QStyleOptionFrame option;
  option.initFrom(&box);
  option.rect = box.contentsRect();
  option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
  const QMargins margins = box.textMargins();
  const int room = contents.width() - margins.left() - margins.right() - 2 * 2;
  EXPECT_LE(box.fontMetrics().horizontalAdvance(text), room) << Described(box) << " showing \"" << text.toStdString()
                                                            << "\"";
}

// Every shown control of the window (menus aside) lies whole inside its frame or the client
// area, and no two in one container cover each other.
inline void ExpectWholeAndApart(const controls::Form& window) {
  std::vector<const QWidget*> shown;
  for (const controls::Control* c : window.Controls()) {
    const auto kind = c->Kind();
    if (kind == controls::ControlKind::Menu || kind == controls::ControlKind::MenuItem) continue;
    const QWidget* w = c->Widget();
    if (w == nullptr || !w->isVisibleTo(&window)) continue;
    ExpectInsideParent(*w);
    shown.push_back(w);
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    for (size_t j = i + 1; j < shown.size(); ++j) {
      if (shown[i]->parentWidget() != shown[j]->parentWidget()) continue;
      EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
          << Described(*shown[i]) << " / " << Described(*shown[j]);
    }
  }
}

// `left` ends before `right` begins.
inline void ExpectLeftOf(const QWidget& left, const QWidget& right) {
  EXPECT_LT(left.geometry().right(), right.geometry().left()) << Described(left) << " / " << Described(right);
}

// Tab, pressed from the first control on, takes the focus through the others in the order
// given. The window must be shown and active.
inline void ExpectTabWalk(const std::vector<QWidget*>& order) {
  ASSERT_FALSE(order.empty());
  order.front()->setFocus(Qt::TabFocusReason);
  for (size_t k = 0; k < order.size(); ++k) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus, order[k]) << "stop " << k << ": " << Described(*focus) << " instead of " << Described(*order[k]);
    QTest::keyClick(focus, Qt::Key_Tab);
  }
}

}  // namespace dialogs::testing
