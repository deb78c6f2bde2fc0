#include "platform/controls/menus.h"

#include "platform/controls/form.h"

namespace controls {

Menu::Menu(Form& form, std::string name, std::string_view caption)
    : QMenu(ToQString(caption), &form), Control(std::move(name), -1) {
  AttachTo(this, &form);
}

std::string Menu::Caption() const { return title().toStdString(); }
void Menu::SetCaption(std::string_view caption) { setTitle(ToQString(caption)); }
bool Menu::Enabled() const { return menuAction()->isEnabled(); }
void Menu::SetEnabled(bool enabled) { menuAction()->setEnabled(enabled); }
bool Menu::Visible() const { return menuAction()->isVisible(); }
void Menu::SetVisible(bool visible) { menuAction()->setVisible(visible); }

MenuItem& Menu::AddItem(std::string name, int index, std::string_view caption) {
  auto* item = new MenuItem(*this, std::move(name), index, caption);
  addAction(item);
  return *item;
}

MenuItem::MenuItem(Menu& menu, std::string name, int index, std::string_view caption)
    : QAction(&menu), Control(std::move(name), index) {
  SetCaption(caption);
  QObject::connect(this, &QAction::triggered, [this] { Raise(Click); });
  AttachTo(nullptr, menu.Window());
}

MenuItem::MenuItem(QWidget*, std::string name, int index) : QAction(nullptr), Control(std::move(name), index) {}

std::string MenuItem::Caption() const { return isSeparator() ? std::string("-") : text().toStdString(); }
void MenuItem::SetCaption(std::string_view caption) {
  // A separator carries no text: a style would draw it as a section heading beside the line.
  const bool separator = caption == "-";
  setSeparator(separator);
  setText(separator ? QString() : ToQString(caption));
}
bool MenuItem::Enabled() const { return isEnabled(); }
void MenuItem::SetEnabled(bool enabled) { setEnabled(enabled); }
bool MenuItem::Visible() const { return isVisible(); }
void MenuItem::SetVisible(bool visible) { setVisible(visible); }
bool MenuItem::Checked() const { return isChecked(); }
void MenuItem::SetChecked(bool checked) {
  setCheckable(checked || isCheckable());
  setChecked(checked);
}
void MenuItem::PerformClick() { Raise(Click); }

}  // namespace controls
