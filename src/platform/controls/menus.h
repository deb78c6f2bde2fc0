// Menus of a window's menu bar and their items. See controls.h for the model.
#pragma once

#include <QAction>
#include <QMenu>

#include <string>
#include <string_view>

#include "platform/controls/control.h"

namespace controls {

class MenuItem;

// A menu of the window's menu bar ("&File"). Create it with Form::AddMenu. Enabled and Visible
// act on its title in the menu bar.
class Menu : public QMenu, public Control {
 public:
  Menu(Form& form, std::string name, std::string_view caption);
  ControlKind Kind() const override { return ControlKind::Menu; }

  std::string Caption() const;
  void SetCaption(std::string_view caption);
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  bool Visible() const override;
  void SetVisible(bool visible) override;

  // Adds an item at the end. A caption of "-" makes a separator (which still takes its index
  // in a menu item array).
  MenuItem& AddItem(std::string name, int index, std::string_view caption);
};

// An item of a menu, with the caption as it stands ("&" marks the access key).
class MenuItem : public QAction, public Control {
 public:
  MenuItem(Menu& menu, std::string name, int index, std::string_view caption);
  // An item in no menu (the stand-in of a missing control array element).
  MenuItem(QWidget* none, std::string name, int index);
  ControlKind Kind() const override { return ControlKind::MenuItem; }

  std::string Caption() const;
  // "-" turns the item into a separator.
  void SetCaption(std::string_view caption);
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  bool Visible() const override;
  void SetVisible(bool visible) override;
  bool Checked() const;
  void SetChecked(bool checked);

  // Raises Click as choosing the item does.
  void PerformClick();
  Handler Click;
};

}  // namespace controls
