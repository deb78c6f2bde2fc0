// Text boxes, labels, frames, buttons, check boxes, option buttons, images and lines. See
// controls.h for the model.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/controls/control.h"

namespace controls {

// A one-line text box.
class TextBox : public ControlWidget<QLineEdit> {
 public:
  explicit TextBox(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::TextBox; }

  std::string Text() const;
  // Raises Change when the text differs from the current one.
  void SetText(std::string_view text);
  // Longest text the user can type or paste (0: no limit). Text set by code is never cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  // A locked box shows its text and lets it be selected and copied, not changed by the user.
  bool Locked() const;
  void SetLocked(bool locked);

  // Selection, in characters: start (the cursor when nothing is selected) and length.
  int SelStart() const;
  int SelLength() const;
  std::string SelText() const;
  // Moves the cursor to `start` and selects nothing; SetSelLength then selects from there.
  void SetSelStart(int start);
  void SetSelLength(int length);

  // The text changed, by the user or by code.
  Handler Change;

 private:
  int maxLength_ = 0;
};

// A text box of several lines (read-only texts, notes).
class MultiLineTextBox : public ControlWidget<QPlainTextEdit> {
 public:
  explicit MultiLineTextBox(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::TextBox; }

  std::string Text() const;
  // Raises Change when the text differs from the current one.
  void SetText(std::string_view text);
  bool Locked() const;
  void SetLocked(bool locked);

  Handler Change;

 private:
  bool settingText_ = false;
};

// A caption. "&" marks no access key here; it shows as it stands.
class Label : public ControlWidget<QLabel> {
 public:
  explicit Label(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::Label; }

  std::string Caption() const;
  void SetCaption(std::string_view caption);
  // 0 left, 1 right, 2 centre.
  void SetAlignment(int alignment);
  void SetWordWrap(bool wrap);

  Handler Click, DblClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
};

// A frame: a captioned group that contains other controls (create them with the frame as
// parent). Disabling or hiding it makes its controls unusable or unseen; they keep their own
// flags. Option buttons in one frame are exclusive.
class Frame : public ControlWidget<QGroupBox> {
 public:
  explicit Frame(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::Frame; }

  std::string Caption() const;
  void SetCaption(std::string_view caption);
};

// A push button. Its caption's "&" marks the access key (Alt+key clicks it).
class CommandButton : public ControlWidget<QPushButton> {
 public:
  explicit CommandButton(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::CommandButton; }

  std::string Caption() const;
  void SetCaption(std::string_view caption);

  // Raises Click as a user's click does (whether or not the button is enabled: code decides).
  void PerformClick();

  // The window's default button (Enter) and cancel button (Esc). Setting the role takes it
  // from the window's other button; clearing it leaves the window without one.
  bool IsDefault() const;
  void SetDefault(bool isDefault);
  bool IsCancel() const;
  void SetCancel(bool isCancel);

  Handler Click;
};

// A check box holding 0 (clear), 1 (checked) or 2 (greyed). Code can set all three; a user's
// click gives 1 from 0 or 2, and 0 from 1.
class CheckBox : public ControlWidget<QCheckBox> {
 public:
  explicit CheckBox(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::CheckBox; }

  std::string Caption() const;
  void SetCaption(std::string_view caption);
  int Value() const;
  // Raises Click when the value changes; a value other than 0, 1 or 2 is refused (false).
  bool SetValue(int value);

  // The value changed, by a click or by code.
  Handler Click;

 protected:
  void nextCheckState() override;
};

// An option button; the option buttons of one container (frame, picture box or window) are
// exclusive.
class OptionButton : public ControlWidget<QRadioButton> {
 public:
  explicit OptionButton(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::OptionButton; }

  std::string Caption() const;
  void SetCaption(std::string_view caption);
  bool Value() const;
  // True selects this button (and clears the others of its container) and raises its Click;
  // false clears it. Setting the value it has raises nothing.
  void SetValue(bool value);

  // The button became selected, by a click or by code.
  Handler Click;
};

// Shows a picture (for example one drawn in a hidden PictureBox).
class Image : public ControlWidget<QLabel> {
 public:
  explicit Image(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::Image; }

  QImage Picture() const { return picture_; }
  void SetPicture(const QImage& picture);
  // Stretched pictures fill the control; otherwise the picture shows at its size.
  void SetStretch(bool stretch);

  Handler Click;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QImage picture_;
  bool stretch_ = false;
};

// A straight line drawn on its container between two points (twips, relative to the
// container). It never takes the focus and is skipped by UpdateFormMenus.
class Line : public ControlWidget<QWidget> {
 public:
  explicit Line(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::Line; }

  void SetCoords(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  int32_t X1() const { return x1_; }
  int32_t Y1() const { return y1_; }
  int32_t X2() const { return x2_; }
  int32_t Y2() const { return y2_; }
  // 0xRRGGBB.
  void SetBorderColor(uint32_t rgb);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  uint32_t color_ = 0;
};

}  // namespace controls
