// The window base class of the dialogs. See controls.h for the model.
#pragma once

#include <QDialog>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.h"

class QMenuBar;
class QVBoxLayout;

namespace controls {

class CommandButton;
class Menu;

// Why a window unloads (the UnloadMode of Form_QueryUnload).
inline constexpr int vbFormControlMenu = 0;  // the user closed it (close box, Alt+F4)
inline constexpr int vbFormCode = 1;         // the program's own Unload()

class Form : public QDialog {
 public:
  explicit Form(QWidget* parent = nullptr, std::string name = {});
  ~Form() override;

  const std::string& Name() const { return name_; }
  std::string Caption() const;
  void SetCaption(std::string_view caption);
  // The window's help context number (used for F1 where no control has one).
  int HelpContextID() const { return helpContextId_; }
  void SetHelpContextID(int id) { helpContextId_ = id; }

  // The area below the menu bar that holds the controls. Controls created with the Form as
  // parent are put there.
  QWidget* Client() const { return client_; }
  // Client size in twips; SetClientSize sizes the window so that the client area has that size.
  int32_t ScaleWidth() const;
  int32_t ScaleHeight() const;
  void SetClientSize(int32_t widthTwips, int32_t heightTwips);

  // Lifecycle. Show and ShowModal load the window first (Form_Load runs once per load).
  // ShowModal returns once the window is unloaded.
  void EnsureLoaded();
  bool IsLoaded() const { return loaded_; }
  void Show();
  void ShowModal();
  // Unloads by code: Form_QueryUnload(Cancel, vbFormCode), then Form_Unload(Cancel); either
  // can refuse (false). An unloaded window is hidden; Show loads it again.
  bool Unload();
  // Deletes the window once no handler of it is running (at once when none is). Never delete
  // a Form directly while one of its handlers may be on the stack.
  void Release();
  // Release() after every unload (windows that are created for one showing).
  void SetReleaseOnUnload(bool release) { releaseOnUnload_ = release; }
  // Whether a handler of this window is running now.
  bool HandlerRunning() const { return handlerDepth_ > 0; }

  // F1 shows help (state().showHelp) for HelpContextOf the focused control.
  // Enter clicks the focused button, else the default button; Esc clicks the cancel button.
  // Both roles can move at run time (CommandButton::SetDefault/SetCancel do the same).
  CommandButton* DefaultButton() const { return defaultButton_; }
  void SetDefaultButton(CommandButton* button);
  CommandButton* CancelButton() const { return cancelButton_; }
  void SetCancelButton(CommandButton* button);

  // Every control of the window, in creation order (menus and menu items included).
  const std::vector<Control*>& Controls() const { return controls_; }
  // The first control of that name and index (-1: a control not in an array); nullptr if none.
  Control* FindControl(std::string_view name, int index = -1) const;
  // The control that has the focus (nullptr: none of this window's).
  Control* ActiveControl() const;

  // A menu at the end of the menu bar (created on the first call).
  Menu& AddMenu(std::string name, std::string_view caption);
  QMenuBar* MenuBar() const { return menuBar_; }

 protected:
  // Events of the window; each runs as a handler of it.
  virtual void Form_Load() {}
  // Set Cancel to non-zero to keep the window open. UnloadMode: vbFormControlMenu or vbFormCode.
  virtual void Form_QueryUnload(int& Cancel, int UnloadMode) { (void)Cancel, (void)UnloadMode; }
  virtual void Form_Unload(int& Cancel) { (void)Cancel; }
  virtual void Form_Resize() {}
  virtual void Form_Activate() {}

  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool event(QEvent* e) override;
  void reject() override;

 private:
  friend class Control;
  friend class HandlerScope;
  friend void UpdateFormMenus(Form&, bool, std::string_view);
  void Register(Control* c);
  void Forget(Control* c);
  void ApplyTabOrder();
  int TabIndexOf(const Control* c) const;
  void MoveTabIndex(Control* c, int index);
  bool RunUnload(int mode);
  void HandlerLeft();

  std::string name_;
  QWidget* client_;
  QVBoxLayout* layout_;
  QMenuBar* menuBar_ = nullptr;
  int helpContextId_ = 0;
  bool loaded_ = false;
  bool unloading_ = false;
  bool releaseOnUnload_ = false;
  bool releasePending_ = false;
  int handlerDepth_ = 0;
  CommandButton* defaultButton_ = nullptr;
  CommandButton* cancelButton_ = nullptr;
  Control* focusHolder_ = nullptr;  // the control between its GotFocus and LostFocus
  std::vector<Control*> controls_;
  std::vector<Control*> tabOrder_;
  // Enabled flags recorded by UpdateFormMenus(busy) and restored when it ends.
  std::map<Control*, bool> busyRecord_;
};

}  // namespace controls
