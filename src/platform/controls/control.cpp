#include "platform/controls/control.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <QPalette>
#include <QToolTip>

#include "platform/controls/form.h"
#include "runtime/numbers.h"

namespace controls {

ControlsState& state() {
  static ControlsState s;
  return s;
}

void ResetState() { state() = ControlsState{}; }

void Beep() {
  if (state().beep)
    state().beep();
  else
    QApplication::beep();
}

int KeyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return (keypad ? 96 : 48) + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return keys::kF1 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return keys::kBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return keys::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keys::kReturn;
    case Qt::Key_Shift: return keys::kShift;
    case Qt::Key_Control: return keys::kControl;
    case Qt::Key_Alt: return keys::kMenu;
    case Qt::Key_Pause: return keys::kPause;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return keys::kEscape;
    case Qt::Key_Space: return keys::kSpace;
    case Qt::Key_PageUp: return keys::kPageUp;
    case Qt::Key_PageDown: return keys::kPageDown;
    case Qt::Key_End: return keys::kEnd;
    case Qt::Key_Home: return keys::kHome;
    case Qt::Key_Left: return keys::kLeft;
    case Qt::Key_Up: return keys::kUp;
    case Qt::Key_Right: return keys::kRight;
    case Qt::Key_Down: return keys::kDown;
    case Qt::Key_Insert: return keys::kInsert;
    case Qt::Key_Delete: return keys::kDelete;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Asterisk: return keypad ? 106 : 56;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_Semicolon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_QuoteLeft: return 192;
    case Qt::Key_BracketLeft: return 219;
    case Qt::Key_Backslash: return 220;
    case Qt::Key_BracketRight: return 221;
    case Qt::Key_Apostrophe: return 222;
    default: return 0;
  }
}

int ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  int s = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) s |= kShiftMask;
  if (modifiers.testFlag(Qt::ControlModifier)) s |= kCtrlMask;
  if (modifiers.testFlag(Qt::AltModifier)) s |= kAltMask;
  return s;
}

QWidget* ParentFor(QWidget* parent) {
  if (auto* form = dynamic_cast<Form*>(parent)) return form->Client();
  return parent;
}

namespace {

// Refuses an edit that makes the text longer than the maximum length. A text set by code is
// never validated, and an edit that shortens or keeps the length is always allowed.
class MaxLengthValidator : public QValidator {
 public:
  MaxLengthValidator(QLineEdit* edit, const int* maxLength)
      : QValidator(edit), max_(maxLength), length_(edit->text().size()) {
    // The edit's text is already the new one while it is validated; the length before the edit
    // is kept here.
    QObject::connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { length_ = t.size(); });
  }
  State validate(QString& input, int&) const override {
    if (*max_ > 0 && input.size() > *max_ && input.size() > length_) return Invalid;
    return Acceptable;
  }

 private:
  const int* max_;
  qsizetype length_;
};

Form* FormOf(QWidget* w) {
  for (QWidget* p = w ? w->parentWidget() : nullptr; p != nullptr; p = p->parentWidget())
    if (auto* f = dynamic_cast<Form*>(p)) return f;
  return nullptr;
}

}  // namespace

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QColor ToQColor(uint32_t rgb) { return QColor(static_cast<QRgb>(rgb & 0xFFFFFFu)); }

void LimitTyping(QLineEdit* edit, const int* maxLength) {
  edit->setValidator(new MaxLengthValidator(edit, maxLength));
}

Control::~Control() {
  if (form_ != nullptr) form_->Forget(this);
}

void Control::Attach(QWidget* widget) { AttachTo(widget, FormOf(widget)); }

void Control::AttachTo(QWidget* widget, Form* form) {
  widget_ = widget;
  form_ = form;
  if (form_ != nullptr) form_->Register(this);
}

Control* Control::Container() const {
  if (widget_ == nullptr) return nullptr;
  for (QWidget* p = widget_->parentWidget(); p != nullptr; p = p->parentWidget()) {
    if (dynamic_cast<Form*>(p) != nullptr) return nullptr;
    if (auto* c = dynamic_cast<Control*>(p)) return c;
  }
  return nullptr;
}

bool Control::Enabled() const { return widget_ != nullptr && !widget_->testAttribute(Qt::WA_ForceDisabled); }
void Control::SetEnabled(bool enabled) {
  if (widget_ != nullptr) widget_->setEnabled(enabled);
}
bool Control::Visible() const { return widget_ != nullptr && !widget_->isHidden(); }
void Control::SetVisible(bool visible) {
  if (widget_ != nullptr) widget_->setVisible(visible);
}

int Control::TabIndex() const { return form_ != nullptr ? form_->TabIndexOf(this) : 0; }
void Control::SetTabIndex(int index) {
  if (form_ != nullptr) form_->MoveTabIndex(this, index);
}

void Control::SetFocus() {
  if (widget_ != nullptr) widget_->setFocus(Qt::OtherFocusReason);
}

int32_t Control::Left() const { return widget_ ? PixelsToTwipsX(widget_->x()) : 0; }
int32_t Control::Top() const { return widget_ ? PixelsToTwipsY(widget_->y()) : 0; }
int32_t Control::Width() const { return widget_ ? PixelsToTwipsX(widget_->width()) : 0; }
int32_t Control::Height() const { return widget_ ? PixelsToTwipsY(widget_->height()) : 0; }

void Control::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (widget_ == nullptr) return;
  const int w = width < 0 ? widget_->width() : TwipsToPixelsX(width);
  const int h = height < 0 ? widget_->height() : TwipsToPixelsY(height);
  widget_->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), w, h);
}

std::string Control::ToolTipText() const { return widget_ ? widget_->toolTip().toStdString() : std::string(); }
void Control::SetToolTipText(std::string_view text) {
  if (widget_ != nullptr) widget_->setToolTip(ToQString(text));
}

bool Control::FontBold() const { return widget_ != nullptr && widget_->font().bold(); }
void Control::SetFontBold(bool bold) {
  if (widget_ == nullptr) return;
  QFont f = widget_->font();
  f.setBold(bold);
  widget_->setFont(f);
}

void Control::SetForeColor(uint32_t rgb) {
  if (widget_ == nullptr) return;
  QPalette p = widget_->palette();
  p.setColor(QPalette::WindowText, ToQColor(rgb));
  p.setColor(QPalette::Text, ToQColor(rgb));
  p.setColor(QPalette::ButtonText, ToQColor(rgb));
  widget_->setPalette(p);
}

void Control::SetBackColor(uint32_t rgb) {
  if (widget_ == nullptr) return;
  QPalette p = widget_->palette();
  p.setColor(QPalette::Window, ToQColor(rgb));
  p.setColor(QPalette::Base, ToQColor(rgb));
  p.setColor(QPalette::Button, ToQColor(rgb));
  widget_->setPalette(p);
  widget_->setAutoFillBackground(true);
}

bool Control::FilterKeyPress(QKeyEvent* e, const std::function<void(QKeyEvent*)>& base) {
  int code = KeyCodeOf(e->key(), e->modifiers());
  if (code != 0 && KeyDown) {
    Raise(KeyDown, code, ShiftStateOf(e->modifiers()));
    if (code == 0) {
      e->accept();
      return true;
    }
  }
  if (!KeyPress) return false;
  // Typed characters and Backspace only; Ctrl and Alt combinations stay shortcuts.
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  int ascii = 0;
  if (e->key() == Qt::Key_Backspace) {
    ascii = keys::kBack;
  } else {
    const QString text = e->text();
    if (text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) return false;
    ascii = text.at(0).unicode();
  }
  const int typed = ascii;
  Raise(KeyPress, ascii);
  if (ascii == typed) return false;
  e->accept();
  if (ascii <= 0 || ascii > 0xFFFF) {
    return true;  // swallowed
  }
  // Another character was asked for: type that one instead.
  if (ascii == keys::kBack) {
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    base(&back);
  } else {
    QKeyEvent other(QEvent::KeyPress, 0, e->modifiers(), QString(QChar(static_cast<char16_t>(ascii))));
    base(&other);
  }
  return true;
}

void Control::FilterKeyRelease(QKeyEvent* e) {
  int code = KeyCodeOf(e->key(), e->modifiers());
  if (code != 0) Raise(KeyUp, code, ShiftStateOf(e->modifiers()));
}

namespace {
// Focus moves that are not a move to another control: the window lost or regained the
// activation, or a menu or popup (a combo's list) took the keyboard for a while.
bool IsTransientFocusMove(const QFocusEvent* e) {
  const Qt::FocusReason r = e->reason();
  if (r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason || r == Qt::MenuBarFocusReason) return true;
  const QWidget* now = QApplication::focusWidget();
  return now != nullptr && now->window()->windowType() == Qt::Popup;
}
}  // namespace

// A control keeps the focus, as far as its events go, from GotFocus to LostFocus: the focus
// coming back after a deactivation or a popup raises nothing, and a control of the same window
// that still holds it (the focus moved while the window was inactive) loses it first.
void Control::NotifyFocusIn(QFocusEvent*) {
  if (hasFocus_) return;
  if (form_ != nullptr && form_->focusHolder_ != nullptr && form_->focusHolder_ != this) {
    Control* previous = form_->focusHolder_;
    previous->hasFocus_ = false;
    form_->focusHolder_ = nullptr;
    previous->Raise(previous->LostFocus);
  }
  hasFocus_ = true;
  if (form_ != nullptr) form_->focusHolder_ = this;
  Raise(GotFocus);
}

void Control::NotifyFocusOut(QFocusEvent* e) {
  if (!hasFocus_ || IsTransientFocusMove(e)) return;
  hasFocus_ = false;
  if (form_ != nullptr && form_->focusHolder_ == this) form_->focusHolder_ = nullptr;
  Raise(LostFocus);
}

int HelpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (const auto* c = dynamic_cast<const Control*>(w); c != nullptr && c->HelpContextID() != 0)
      return c->HelpContextID();
    if (const auto* f = dynamic_cast<const Form*>(w); f != nullptr && f->HelpContextID() != 0)
      return f->HelpContextID();
  }
  return 0;
}

int32_t PixelsToTwipsX(int32_t px) { return runtime::ToLongOr(px * state().twipsPerPixelX, 0); }
int32_t PixelsToTwipsY(int32_t px) { return runtime::ToLongOr(px * state().twipsPerPixelY, 0); }
int32_t TwipsToPixelsX(int32_t tw) {
  return state().twipsPerPixelX > 0 ? runtime::ToLongOr(tw / state().twipsPerPixelX, 0) : 0;
}
int32_t TwipsToPixelsY(int32_t tw) {
  return state().twipsPerPixelY > 0 ? runtime::ToLongOr(tw / state().twipsPerPixelY, 0) : 0;
}

}  // namespace controls
