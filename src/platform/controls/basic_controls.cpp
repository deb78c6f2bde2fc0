#include "platform/controls/basic_controls.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "platform/controls/form.h"

namespace controls {

// ---- TextBox

TextBox::TextBox(QWidget* parent, std::string name, int index)
    : ControlWidget<QLineEdit>(parent, std::move(name), index) {
  LimitTyping(this, &maxLength_);
  QObject::connect(this, &QLineEdit::textChanged, [this] { Raise(Change); });
}

std::string TextBox::Text() const { return text().toStdString(); }
void TextBox::SetText(std::string_view text) { setText(ToQString(text)); }
void TextBox::SetMaxLength(int length) { maxLength_ = std::max(0, length); }
bool TextBox::Locked() const { return isReadOnly(); }
void TextBox::SetLocked(bool locked) { setReadOnly(locked); }

int TextBox::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }
int TextBox::SelLength() const { return hasSelectedText() ? static_cast<int>(selectedText().size()) : 0; }
std::string TextBox::SelText() const { return selectedText().toStdString(); }
void TextBox::SetSelStart(int start) { setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size()))); }
void TextBox::SetSelLength(int length) {
  const int start = SelStart();
  const int len = std::clamp(length, 0, static_cast<int>(text().size()) - start);
  setSelection(start, len);
}

// ---- MultiLineTextBox

MultiLineTextBox::MultiLineTextBox(QWidget* parent, std::string name, int index)
    : ControlWidget<QPlainTextEdit>(parent, std::move(name), index) {
  setTabChangesFocus(true);  // Tab moves on, as in every other box
  QObject::connect(this, &QPlainTextEdit::textChanged, [this] {
    if (!settingText_) Raise(Change);
  });
}

std::string MultiLineTextBox::Text() const { return toPlainText().toStdString(); }
void MultiLineTextBox::SetText(std::string_view text) {
  const QString next = ToQString(text);
  if (next == toPlainText()) return;
  settingText_ = true;
  setPlainText(next);
  settingText_ = false;
  Raise(Change);
}
bool MultiLineTextBox::Locked() const { return isReadOnly(); }
void MultiLineTextBox::SetLocked(bool locked) { setReadOnly(locked); }

// ---- Label

Label::Label(QWidget* parent, std::string name, int index) : ControlWidget<QLabel>(parent, std::move(name), index) {
  setTextFormat(Qt::PlainText);
}

std::string Label::Caption() const { return text().toStdString(); }
void Label::SetCaption(std::string_view caption) { setText(ToQString(caption)); }
void Label::SetAlignment(int alignment) {
  const Qt::Alignment h = alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  setAlignment(h | Qt::AlignTop);
}
void Label::SetWordWrap(bool wrap) { setWordWrap(wrap); }

void Label::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Raise(Click);
}

void Label::mouseDoubleClickEvent(QMouseEvent* e) {
  QLabel::mouseDoubleClickEvent(e);
  Raise(DblClick);
}

// ---- Frame

Frame::Frame(QWidget* parent, std::string name, int index) : ControlWidget<QGroupBox>(parent, std::move(name), index) {}
std::string Frame::Caption() const { return title().toStdString(); }
void Frame::SetCaption(std::string_view caption) { setTitle(ToQString(caption)); }

// ---- CommandButton

CommandButton::CommandButton(QWidget* parent, std::string name, int index)
    : ControlWidget<QPushButton>(parent, std::move(name), index) {
  // Enter is routed by the window (focused button, else the default button).
  setAutoDefault(false);
  QObject::connect(this, &QAbstractButton::clicked, [this] { Raise(Click); });
}

std::string CommandButton::Caption() const { return text().toStdString(); }
void CommandButton::SetCaption(std::string_view caption) { setText(ToQString(caption)); }
void CommandButton::PerformClick() { Raise(Click); }

bool CommandButton::IsDefault() const { return Window() != nullptr && Window()->DefaultButton() == this; }
void CommandButton::SetDefault(bool isDefault) {
  if (Window() == nullptr) return;
  if (isDefault)
    Window()->SetDefaultButton(this);
  else if (IsDefault())
    Window()->SetDefaultButton(nullptr);
}
bool CommandButton::IsCancel() const { return Window() != nullptr && Window()->CancelButton() == this; }
void CommandButton::SetCancel(bool isCancel) {
  if (Window() == nullptr) return;
  if (isCancel)
    Window()->SetCancelButton(this);
  else if (IsCancel())
    Window()->SetCancelButton(nullptr);
}

// ---- CheckBox

CheckBox::CheckBox(QWidget* parent, std::string name, int index)
    : ControlWidget<QCheckBox>(parent, std::move(name), index) {
  QObject::connect(this, &QCheckBox::stateChanged, [this] { Raise(Click); });
}

std::string CheckBox::Caption() const { return text().toStdString(); }
void CheckBox::SetCaption(std::string_view caption) { setText(ToQString(caption)); }

int CheckBox::Value() const {
  switch (checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
  }
}

bool CheckBox::SetValue(int value) {
  if (value < 0 || value > 2) return false;
  setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  return true;
}

void CheckBox::nextCheckState() { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }

// ---- OptionButton

OptionButton::OptionButton(QWidget* parent, std::string name, int index)
    : ControlWidget<QRadioButton>(parent, std::move(name), index) {
  QObject::connect(this, &QAbstractButton::toggled, [this](bool on) {
    if (on) Raise(Click);
  });
}

std::string OptionButton::Caption() const { return text().toStdString(); }
void OptionButton::SetCaption(std::string_view caption) { setText(ToQString(caption)); }
bool OptionButton::Value() const { return isChecked(); }
void OptionButton::SetValue(bool value) {
  if (value == isChecked()) return;
  if (value) {
    setChecked(true);
    return;
  }
  // The exclusive group never clears its checked button by itself.
  setAutoExclusive(false);
  setChecked(false);
  setAutoExclusive(true);
}

// ---- Image

Image::Image(QWidget* parent, std::string name, int index) : ControlWidget<QLabel>(parent, std::move(name), index) {}

void Image::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void Image::SetStretch(bool stretch) {
  stretch_ = stretch;
  update();
}

void Image::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  if (stretch_)
    p.drawImage(rect(), picture_);
  else
    p.drawImage(0, 0, picture_);
}

void Image::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Raise(Click);
}

// ---- Line

Line::Line(QWidget* parent, std::string name, int index) : ControlWidget<QWidget>(parent, std::move(name), index) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::SetCoords(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
  const int px1 = TwipsToPixelsX(x1), py1 = TwipsToPixelsY(y1);
  const int px2 = TwipsToPixelsX(x2), py2 = TwipsToPixelsY(y2);
  setGeometry(std::min(px1, px2), std::min(py1, py2), std::abs(px2 - px1) + 1, std::abs(py2 - py1) + 1);
  update();
}

void Line::SetBorderColor(uint32_t rgb) {
  color_ = rgb & 0xFFFFFFu;
  update();
}

void Line::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QColor(static_cast<QRgb>(color_)));
  const int px1 = TwipsToPixelsX(x1_), py1 = TwipsToPixelsY(y1_);
  const int px2 = TwipsToPixelsX(x2_), py2 = TwipsToPixelsY(y2_);
  const int ox = std::min(px1, px2), oy = std::min(py1, py2);
  p.drawLine(px1 - ox, py1 - oy, px2 - ox, py2 - oy);
}

}  // namespace controls
