#include "platform/controls/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/controls/basic_controls.h"
#include "platform/controls/fonts.h"
#include "platform/controls/menus.h"

namespace controls {

HandlerScope::HandlerScope(Form* form) : form_(form) {
  if (form_ != nullptr) ++form_->handlerDepth_;
}

HandlerScope::~HandlerScope() {
  if (form_ != nullptr) form_->HandlerLeft();
}

Form::Form(QWidget* parent, std::string name) : QDialog(parent), name_(std::move(name)) {
  // The twip layouts of every window are measured in this font.
  setFont(WindowFont());
  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  client_ = new QWidget(this);
  layout_->addWidget(client_);
  setSizeGripEnabled(false);
}

Form::~Form() {
  // The controls are deleted with the widgets below; they must not report back to a window
  // that is already gone.
  for (Control* c : controls_) c->form_ = nullptr;
}

std::string Form::Caption() const { return windowTitle().toStdString(); }
void Form::SetCaption(std::string_view caption) {
  setWindowTitle(ToQString(caption));
}

int32_t Form::ScaleWidth() const { return PixelsToTwipsX(client_->width()); }
int32_t Form::ScaleHeight() const { return PixelsToTwipsY(client_->height()); }
void Form::SetClientSize(int32_t widthTwips, int32_t heightTwips) {
  const int menu = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
  resize(TwipsToPixelsX(widthTwips), TwipsToPixelsY(heightTwips) + menu);
}

void Form::EnsureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  HandlerScope scope(this);
  Form_Load();
}

void Form::Show() {
  EnsureLoaded();
  if (!loaded_) return;
  show();
  raise();
  activateWindow();
}

void Form::ShowModal() {
  EnsureLoaded();
  if (!loaded_) return;
  exec();
}

bool Form::Unload() { return RunUnload(vbFormCode); }

bool Form::RunUnload(int mode) {
  if (unloading_) return false;
  unloading_ = true;
  int cancel = 0;
  {
    HandlerScope scope(this);
    Form_QueryUnload(cancel, mode);
    if (cancel == 0) Form_Unload(cancel);
  }
  unloading_ = false;
  if (cancel != 0) return false;
  loaded_ = false;
  busyRecord_.clear();
  done(QDialog::Rejected);  // hides, and ends a modal showing
  if (releaseOnUnload_) Release();
  return true;
}

void Form::Release() {
  if (handlerDepth_ > 0)
    releasePending_ = true;
  else
    deleteLater();
}

void Form::HandlerLeft() {
  --handlerDepth_;
  if (handlerDepth_ == 0 && releasePending_) {
    releasePending_ = false;
    deleteLater();
  }
}

void Form::SetDefaultButton(CommandButton* button) {
  if (defaultButton_ != nullptr && defaultButton_ != button) defaultButton_->setDefault(false);
  defaultButton_ = button;
  if (button != nullptr) button->setDefault(true);
}

void Form::SetCancelButton(CommandButton* button) { cancelButton_ = button; }

Control* Form::FindControl(std::string_view name, int index) const {
  for (Control* c : controls_)
    if (c->Name() == name && c->Index() == index) return c;
  return nullptr;
}

Control* Form::ActiveControl() const {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    if (w == this) return nullptr;
    if (auto* c = dynamic_cast<Control*>(w); c != nullptr && c->Window() == this) return c;
  }
  return nullptr;
}

Menu& Form::AddMenu(std::string name, std::string_view caption) {
  if (menuBar_ == nullptr) {
    menuBar_ = new QMenuBar(this);
    layout_->setMenuBar(menuBar_);
  }
  auto* menu = new Menu(*this, std::move(name), caption);
  menuBar_->addMenu(menu);
  return *menu;
}

// Runs while the control is being constructed: only its QWidget part may be used here.
void Form::Register(Control* c) {
  controls_.push_back(c);
  if (c->Widget() != nullptr && qobject_cast<QMenu*>(c->Widget()) == nullptr) tabOrder_.push_back(c);
}

void Form::Forget(Control* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), c), tabOrder_.end());
  busyRecord_.erase(c);
  if (defaultButton_ == c) defaultButton_ = nullptr;
  if (cancelButton_ == c) cancelButton_ = nullptr;
  if (focusHolder_ == c) focusHolder_ = nullptr;
}

int Form::TabIndexOf(const Control* c) const {
  auto it = std::find(tabOrder_.begin(), tabOrder_.end(), c);
  return it == tabOrder_.end() ? 0 : static_cast<int>(it - tabOrder_.begin());
}

void Form::MoveTabIndex(Control* c, int index) {
  auto it = std::find(tabOrder_.begin(), tabOrder_.end(), c);
  if (it == tabOrder_.end()) return;
  tabOrder_.erase(it);
  const int at = std::clamp(index, 0, static_cast<int>(tabOrder_.size()));
  tabOrder_.insert(tabOrder_.begin() + at, c);
  ApplyTabOrder();
}

void Form::ApplyTabOrder() {
  for (size_t i = 1; i < tabOrder_.size(); ++i)
    QWidget::setTabOrder(tabOrder_[i - 1]->Widget(), tabOrder_[i]->Widget());
}

void Form::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    e->accept();
    CommandButton* target = dynamic_cast<CommandButton*>(QApplication::focusWidget());
    if (target == nullptr || target->Window() != this) target = defaultButton_;
    if (target != nullptr && target->isEnabled() && target->isVisible()) target->PerformClick();
    return;
  }
  if (plain && key == Qt::Key_F1 && state().showHelp) {
    e->accept();
    QWidget* focus = QApplication::focusWidget();
    const int context = HelpContextOf(focus != nullptr && focus->window() == this ? focus : this);
    auto show = state().showHelp;
    HandlerScope scope(this);
    show(context);
    return;
  }
  if (plain && key == Qt::Key_Escape) {
    e->accept();
    if (cancelButton_ != nullptr && cancelButton_->isEnabled() && cancelButton_->isVisible())
      cancelButton_->PerformClick();
    return;
  }
  QDialog::keyPressEvent(e);
}

void Form::closeEvent(QCloseEvent* e) {
  if (!loaded_ || RunUnload(vbFormControlMenu))
    e->accept();
  else
    e->ignore();
}

void Form::reject() {
  // Dialog closing paths of Qt (other than Esc, handled above) count as the close box.
  if (loaded_)
    RunUnload(vbFormControlMenu);
  else
    QDialog::reject();
}

void Form::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (!loaded_) return;
  HandlerScope scope(this);
  Form_Resize();
}

bool Form::event(QEvent* e) {
  const bool handled = QDialog::event(e);
  if (e->type() == QEvent::WindowActivate && loaded_) {
    HandlerScope scope(this);
    Form_Activate();
  }
  return handled;
}

}  // namespace controls
