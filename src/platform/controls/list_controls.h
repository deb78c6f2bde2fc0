// List boxes and combo boxes, with one list interface. See controls.h for the model.
#pragma once

#include <QComboBox>
#include <QFont>
#include <QListWidget>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/controls/control.h"

namespace controls {

// What list boxes and combo boxes share. Lines are numbered from 0. ListIndex -1 means no
// selection. Every index outside the list is refused: setters return false and change nothing,
// readers give "" or 0. Filling or emptying a list never selects a line and raises no Click.
class ListControl {
 public:
  virtual ~ListControl() = default;

  virtual int32_t ListCount() const = 0;
  virtual std::string List(int32_t index) const = 0;
  virtual bool SetList(int32_t index, std::string_view text) = 0;
  // Adds a line at `index` (-1: at the end); NewIndex() then gives its index.
  virtual bool AddItem(std::string_view text, int32_t index = -1) = 0;
  // Removing the selected line leaves nothing selected; lines after it move up.
  virtual bool RemoveItem(int32_t index) = 0;
  virtual void Clear() = 0;
  virtual int32_t NewIndex() const = 0;
  // A whole number kept with each line (0 for a new line).
  virtual int32_t ItemData(int32_t index) const = 0;
  virtual bool SetItemData(int32_t index, int32_t value) = 0;
  virtual int32_t ListIndex() const = 0;
  // Selects a line (-1: none) and raises Click when the selection changes.
  virtual bool SetListIndex(int32_t index) = 0;
  // The font the lines are drawn in.
  virtual QFont ListFont() const = 0;
};

// A list box; with CheckBoxes style every line has a check box (Selected = its check).
class ListBox : public ControlWidget<QListWidget>, public ListControl {
 public:
  enum class Style { Standard, CheckBoxes };
  explicit ListBox(QWidget* parent, std::string name = {}, int index = -1, Style style = Style::Standard);
  ControlKind Kind() const override { return ControlKind::ListBox; }

  int32_t ListCount() const override;
  std::string List(int32_t index) const override;
  bool SetList(int32_t index, std::string_view text) override;
  bool AddItem(std::string_view text, int32_t index = -1) override;
  bool RemoveItem(int32_t index) override;
  void Clear() override;
  int32_t NewIndex() const override { return newIndex_; }
  int32_t ItemData(int32_t index) const override;
  bool SetItemData(int32_t index, int32_t value) override;
  int32_t ListIndex() const override;
  bool SetListIndex(int32_t index) override;
  QFont ListFont() const override { return font(); }

  // Check-box lists: the check of a line; other lists: whether the line is the selected one.
  bool Selected(int32_t index) const;
  // Raises ItemCheck (check-box lists) or Click (others) when it changes something.
  bool SetSelected(int32_t index, bool selected);
  // Index of the first visible line.
  int32_t TopIndex() const;
  bool SetTopIndex(int32_t index);

  // The selected line changed (by the user or by code).
  Handler Click, DblClick;
  // A line's check changed (by the user or by code); gets the line's index.
  std::function<void(int32_t index)> ItemCheck;

 private:
  QListWidgetItem* ItemAt(int32_t index) const;
  void SelectionMoved();
  Style style_;
  int32_t newIndex_ = -1;
  int32_t lastIndex_ = -1;
  bool quiet_ = false;
};

// A combo box: a drop-down list, or an editable text with a drop-down list.
class ComboBox : public ControlWidget<QComboBox>, public ListControl {
 public:
  enum class Style { DropDownList, Editable };
  explicit ComboBox(QWidget* parent, std::string name = {}, int index = -1, Style style = Style::DropDownList);
  ControlKind Kind() const override { return ControlKind::ComboBox; }

  int32_t ListCount() const override;
  std::string List(int32_t index) const override;
  bool SetList(int32_t index, std::string_view text) override;
  bool AddItem(std::string_view text, int32_t index = -1) override;
  bool RemoveItem(int32_t index) override;
  // Also empties an editable combo's text (raising Change when it had one).
  void Clear() override;
  int32_t NewIndex() const override { return newIndex_; }
  int32_t ItemData(int32_t index) const override;
  bool SetItemData(int32_t index, int32_t value) override;
  int32_t ListIndex() const override;
  bool SetListIndex(int32_t index) override;
  QFont ListFont() const override { return font(); }

  // The text shown: the edit text of an editable combo, else the selected line ("" for none).
  std::string Text() const;
  // Editable: sets the edit text (raises Change when it differs). Drop-down list: selects the
  // first line equal to the text (raising Click); a text that is no line is refused (false).
  bool SetText(std::string_view text);
  // Maximum typed length of an editable combo (0: no limit); code is never cut.
  void SetMaxLength(int length);

  // The selection changed (by the user or by code).
  Handler Click;
  // An editable combo's text changed by typing or by SetText (not by choosing a line).
  Handler Change;
  // The list is about to drop down.
  Handler DropDown;

  void showPopup() override;

 private:
  Style style_;
  int32_t newIndex_ = -1;
  int maxLength_ = 0;
  bool quiet_ = false;
};

}  // namespace controls
