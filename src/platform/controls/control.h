// The common part of every control: name and index, own Enabled and Visible flags, help
// context number, tab position, geometry in twips, and the focus and key events. See
// controls.h for the model.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

class QFocusEvent;
class QKeyEvent;
class QLineEdit;

namespace controls {

class Form;

enum class ControlKind {
  TextBox, Label, Frame, CommandButton, CheckBox, OptionButton, ComboBox, ListBox, Spinner,
  PictureBox, Image, Line, Menu, MenuItem
};

// Key codes as KeyDown and KeyUp see them (letters are their capitals 65 to 90, digits 48 to 57,
// the keypad digits 96 to 105, F1 to F24 112 to 135).
namespace keys {
inline constexpr int kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kControl = 17, kMenu = 18,
                     kPause = 19, kEscape = 27, kSpace = 32, kPageUp = 33, kPageDown = 34,
                     kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40,
                     kInsert = 45, kDelete = 46, kF1 = 112;
}
// Bits of the shift state of KeyDown and KeyUp.
inline constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// The key code of a Qt key (0 for a key without one) and the shift state of Qt modifiers.
int KeyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers);
int ShiftStateOf(Qt::KeyboardModifiers modifiers);

// Event handlers. Empty handlers are skipped.
using Handler = std::function<void()>;
// KeyPress: the character code (a typed character, or 8 for Backspace), by reference: set it to
// 0 to swallow the key, or to another code to type that character instead.
using KeyPressHandler = std::function<void(int& keyAscii)>;
// KeyDown and KeyUp: the key code (by reference; 0 in KeyDown swallows the key) and the shift
// state.
using KeyHandler = std::function<void(int& keyCode, int shift)>;

// The system beep. Tests install a counter; empty means the desktop's beep.
using BeepService = std::function<void()>;

// Shows the help topic of a help context number (F1 in a window); installed by the help viewer.
using HelpService = std::function<void(int contextId)>;

// Module data of the control layer.
struct ControlsState {
  BeepService beep;             // empty: QApplication::beep()
  HelpService showHelp;         // empty: F1 does nothing
  double twipsPerPixelX = 15;   // the screen's twips per pixel (1440 / logical DPI)
  double twipsPerPixelY = 15;
};
ControlsState& state();
// Back to a fresh state (tests).
void ResetState();
// Sounds the beep through the installed service.
void Beep();

// Marks a handler of a window as running while it lives: the window is not deleted before
// every such scope has ended (Form::Release). A null window is allowed.
class HandlerScope {
 public:
  explicit HandlerScope(Form* form);
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  Form* form_;
};

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The control's name ("txtUni") and its index in its control array (-1: not in an array).
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  virtual ControlKind Kind() const = 0;
  // The Qt widget of the control (the control itself; a menu's QMenu).
  QWidget* Widget() const { return widget_; }
  // The window that holds the control; nullptr for a control outside any Form.
  Form* Window() const { return form_; }
  // The nearest control that contains this one (a frame or picture box); nullptr when the
  // control sits directly on its window.
  Control* Container() const;

  // The control's OWN flags: a control inside a disabled or hidden frame still reports its
  // own setting (it is not usable or not shown while its container is not).
  virtual bool Enabled() const;
  virtual void SetEnabled(bool enabled);
  virtual bool Visible() const;
  virtual void SetVisible(bool visible);

  // Help context number (0: none; F1 then uses the container's or the window's).
  int HelpContextID() const { return helpContextId_; }
  void SetHelpContextID(int id) { helpContextId_ = id; }

  // Position in the window's tab order, from 0, creation order at first. Setting it moves the
  // control there and shifts the others.
  int TabIndex() const;
  void SetTabIndex(int index);
  // Moves the keyboard focus to the control (when it can take it).
  void SetFocus();

  // Position and size in twips, relative to the container.
  int32_t Left() const;
  int32_t Top() const;
  int32_t Width() const;
  int32_t Height() const;
  // A negative width or height keeps the current one.
  void Move(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1);

  std::string ToolTipText() const;
  void SetToolTipText(std::string_view text);
  bool FontBold() const;
  void SetFontBold(bool bold);
  // Text colour as 0xRRGGBB.
  void SetForeColor(uint32_t rgb);
  // Background colour as 0xRRGGBB.
  virtual void SetBackColor(uint32_t rgb);

  // Free text for the dialog's own use.
  std::string Tag;

  // Focus: GotFocus when the control takes the focus, LostFocus when the focus moves to
  // another control (by Tab, a click, or code), before a clicked button's Click. Neither
  // fires when the window is deactivated or a menu or popup opens.
  Handler GotFocus, LostFocus;
  // Keys (see the handler types above). KeyDown comes first. KeyPress gets typed characters
  // and Backspace only: Enter and Esc belong to the default and cancel buttons, and Ctrl or
  // Alt combinations (copy, paste, select all) pass without KeyPress.
  KeyHandler KeyDown, KeyUp;
  KeyPressHandler KeyPress;

 protected:
  Control(std::string name, int index) : name_(std::move(name)), index_(index) {}
  // Binds the control to its widget and registers it with the window that holds the widget.
  void Attach(QWidget* widget);
  // Registers a control whose widget does not sit inside its window (menus).
  void AttachTo(QWidget* widget, Form* form);

  // Calls a handler as an event of this control's window (so the window is not deleted while
  // it runs). A copy is called, so a handler may replace itself.
  template <class... Args, class... Params>
  void Raise(const std::function<void(Args...)>& handler, Params&&... args) const {
    if (!handler) return;
    auto call = handler;
    HandlerScope scope(form_);
    call(std::forward<Params>(args)...);
  }

  // Key and focus filtering for the widget classes (ControlWidget). FilterKeyPress returns
  // true when it handled the event (swallowed it, or passed a changed key to `base`).
  bool FilterKeyPress(QKeyEvent* e, const std::function<void(QKeyEvent*)>& base);
  void FilterKeyRelease(QKeyEvent* e);
  void NotifyFocusIn(QFocusEvent* e);
  void NotifyFocusOut(QFocusEvent* e);

 private:
  friend class Form;

  std::string name_;
  int index_;
  QWidget* widget_ = nullptr;
  Form* form_ = nullptr;
  int helpContextId_ = 0;
  bool hasFocus_ = false;  // between GotFocus and LostFocus
};

// The widget a control is created in: a Form's client area when the parent is a Form.
QWidget* ParentFor(QWidget* parent);
// A UTF-8 text as a QString, and a 0xRRGGBB colour as a QColor.
QString ToQString(std::string_view text);
QColor ToQColor(uint32_t rgb);
// Limits what the user types or pastes into `edit` to *maxLength characters (0: no limit);
// text set by code is never cut. `maxLength` must live as long as `edit`.
void LimitTyping(QLineEdit* edit, const int* maxLength);

// A control that is a Qt widget of class W: W's behaviour plus the control's events.
template <class W>
class ControlWidget : public W, public Control {
 public:
  // Extra arguments go to W's constructor before the parent.
  template <class... WArgs>
  ControlWidget(QWidget* parent, std::string name, int index, WArgs&&... wargs)
      : W(std::forward<WArgs>(wargs)..., ParentFor(parent)), Control(std::move(name), index) {
    Attach(this);
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (!FilterKeyPress(e, [this](QKeyEvent* k) { W::keyPressEvent(k); })) W::keyPressEvent(e);
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    FilterKeyRelease(e);
    W::keyReleaseEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    W::focusInEvent(e);
    NotifyFocusIn(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    W::focusOutEvent(e);
    NotifyFocusOut(e);
  }
};

// The help context number for F1 on a widget: the control's own, else that of the nearest
// container or window that has one; 0 when none has.
int HelpContextOf(const QWidget* widget);

// Twips and pixels with the screen's twips per pixel (state()).
int32_t PixelsToTwipsX(int32_t px);
int32_t PixelsToTwipsY(int32_t px);
int32_t TwipsToPixelsX(int32_t tw);
int32_t TwipsToPixelsY(int32_t tw);

}  // namespace controls
