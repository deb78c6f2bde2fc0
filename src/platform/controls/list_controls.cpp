#include "platform/controls/list_controls.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace controls {

namespace {

constexpr int kItemDataRole = Qt::UserRole;

}  // namespace

// ---- ListBox

ListBox::ListBox(QWidget* parent, std::string name, int index, Style style)
    : ControlWidget<QListWidget>(parent, std::move(name), index), style_(style) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(this, &QListWidget::itemSelectionChanged, [this] { SelectionMoved(); });
  QObject::connect(this, &QListWidget::itemDoubleClicked, [this] { Raise(DblClick); });
  QObject::connect(this, &QListWidget::itemChanged, [this](QListWidgetItem* item) {
    if (quiet_ || style_ != Style::CheckBoxes) return;
    Raise(ItemCheck, static_cast<int32_t>(row(item)));
  });
}

QListWidgetItem* ListBox::ItemAt(int32_t index) const {
  return index >= 0 && index < count() ? item(index) : nullptr;
}

// Click follows the selected line; lines moved by an insertion or removal raise nothing.
void ListBox::SelectionMoved() {
  const int32_t now = ListIndex();
  if (now == lastIndex_) return;
  lastIndex_ = now;
  if (!quiet_) Raise(Click);
}

int32_t ListBox::ListCount() const { return count(); }
std::string ListBox::List(int32_t index) const {
  const QListWidgetItem* it = ItemAt(index);
  return it ? it->text().toStdString() : std::string();
}

bool ListBox::SetList(int32_t index, std::string_view text) {
  QListWidgetItem* it = ItemAt(index);
  if (it == nullptr) return false;
  quiet_ = true;
  it->setText(ToQString(text));
  quiet_ = false;
  return true;
}

bool ListBox::AddItem(std::string_view text, int32_t index) {
  if (index < -1 || index > count()) return false;
  const int at = index == -1 ? count() : index;
  auto* it = new QListWidgetItem(ToQString(text));
  it->setData(kItemDataRole, 0);
  if (style_ == Style::CheckBoxes) {
    it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
    it->setCheckState(Qt::Unchecked);
  }
  quiet_ = true;
  insertItem(at, it);
  quiet_ = false;
  lastIndex_ = ListIndex();
  newIndex_ = at;
  return true;
}

bool ListBox::RemoveItem(int32_t index) {
  QListWidgetItem* it = ItemAt(index);
  if (it == nullptr) return false;
  const bool wasSelected = index == ListIndex();
  quiet_ = true;
  delete takeItem(index);
  if (wasSelected) {
    clearSelection();
    setCurrentRow(-1, QItemSelectionModel::NoUpdate);
  }
  quiet_ = false;
  lastIndex_ = ListIndex();
  return true;
}

void ListBox::Clear() {
  quiet_ = true;
  clear();
  quiet_ = false;
  lastIndex_ = -1;
  newIndex_ = -1;
}

int32_t ListBox::ItemData(int32_t index) const {
  const QListWidgetItem* it = ItemAt(index);
  return it ? it->data(kItemDataRole).toInt() : 0;
}

bool ListBox::SetItemData(int32_t index, int32_t value) {
  QListWidgetItem* it = ItemAt(index);
  if (it == nullptr) return false;
  quiet_ = true;
  it->setData(kItemDataRole, value);
  quiet_ = false;
  return true;
}

int32_t ListBox::ListIndex() const {
  const QList<QListWidgetItem*> sel = selectedItems();
  return sel.isEmpty() ? -1 : static_cast<int32_t>(row(sel.first()));
}

bool ListBox::SetListIndex(int32_t index) {
  if (index < -1 || index >= count()) return false;
  if (index == -1) {
    clearSelection();
    setCurrentRow(-1, QItemSelectionModel::NoUpdate);
  } else {
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  }
  SelectionMoved();
  return true;
}

bool ListBox::Selected(int32_t index) const {
  const QListWidgetItem* it = ItemAt(index);
  if (it == nullptr) return false;
  return style_ == Style::CheckBoxes ? it->checkState() == Qt::Checked : it->isSelected();
}

bool ListBox::SetSelected(int32_t index, bool selected) {
  QListWidgetItem* it = ItemAt(index);
  if (it == nullptr) return false;
  if (style_ == Style::CheckBoxes) {
    // itemChanged raises ItemCheck when the check really changes.
    const Qt::CheckState next = selected ? Qt::Checked : Qt::Unchecked;
    if (it->checkState() != next) it->setCheckState(next);
    return true;
  }
  if (selected) return SetListIndex(index);
  if (it->isSelected()) return SetListIndex(-1);
  return true;
}

int32_t ListBox::TopIndex() const {
  const QModelIndex top = indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : 0;
}

bool ListBox::SetTopIndex(int32_t index) {
  QListWidgetItem* it = ItemAt(index);
  if (it == nullptr) return false;
  scrollToItem(it, QAbstractItemView::PositionAtTop);
  return true;
}

// ---- ComboBox

ComboBox::ComboBox(QWidget* parent, std::string name, int index, Style style)
    : ControlWidget<QComboBox>(parent, std::move(name), index), style_(style) {
  if (style_ == Style::Editable) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    LimitTyping(lineEdit(), &maxLength_);
    QObject::connect(lineEdit(), &QLineEdit::textEdited, [this] {
      if (!quiet_) Raise(Change);
    });
  }
  QObject::connect(this, &QComboBox::currentIndexChanged, [this] {
    if (!quiet_) Raise(Click);
  });
}

void ComboBox::showPopup() {
  Raise(DropDown);
  QComboBox::showPopup();
}

int32_t ComboBox::ListCount() const { return count(); }
std::string ComboBox::List(int32_t index) const {
  return index >= 0 && index < count() ? itemText(index).toStdString() : std::string();
}

bool ComboBox::SetList(int32_t index, std::string_view text) {
  if (index < 0 || index >= count()) return false;
  // An editable combo keeps its edit text when the selected line is renamed.
  const QString edit = currentText();
  quiet_ = true;
  setItemText(index, ToQString(text));
  if (style_ == Style::Editable) setEditText(edit);
  quiet_ = false;
  return true;
}

bool ComboBox::AddItem(std::string_view text, int32_t index) {
  if (index < -1 || index > count()) return false;
  const int at = index == -1 ? count() : index;
  const int selected = currentIndex();
  const QString edit = currentText();
  quiet_ = true;
  insertItem(at, ToQString(text), QVariant(0));
  // The first line of an empty combo would be selected by itself; filling selects nothing.
  if (selected == -1) setCurrentIndex(-1);
  if (style_ == Style::Editable) setEditText(edit);
  quiet_ = false;
  newIndex_ = at;
  return true;
}

bool ComboBox::RemoveItem(int32_t index) {
  if (index < 0 || index >= count()) return false;
  const int selected = currentIndex();
  const QString edit = currentText();
  quiet_ = true;
  removeItem(index);
  if (selected == index) setCurrentIndex(-1);
  if (style_ == Style::Editable) setEditText(edit);
  quiet_ = false;
  return true;
}

void ComboBox::Clear() {
  const bool hadText = style_ == Style::Editable && !currentText().isEmpty();
  quiet_ = true;
  clear();
  if (style_ == Style::Editable) setEditText(QString());
  quiet_ = false;
  newIndex_ = -1;
  if (hadText) Raise(Change);
}

int32_t ComboBox::ItemData(int32_t index) const {
  return index >= 0 && index < count() ? itemData(index, kItemDataRole).toInt() : 0;
}

bool ComboBox::SetItemData(int32_t index, int32_t value) {
  if (index < 0 || index >= count()) return false;
  setItemData(index, value, kItemDataRole);
  return true;
}

int32_t ComboBox::ListIndex() const { return currentIndex(); }

bool ComboBox::SetListIndex(int32_t index) {
  if (index < -1 || index >= count()) return false;
  setCurrentIndex(index);  // raises Click when it moves
  return true;
}

std::string ComboBox::Text() const { return currentText().toStdString(); }

bool ComboBox::SetText(std::string_view text) {
  const QString next = ToQString(text);
  if (style_ == Style::Editable) {
    if (next == currentText()) return true;
    quiet_ = true;
    setEditText(next);
    quiet_ = false;
    Raise(Change);
    return true;
  }
  const int at = findText(next, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (at < 0) return false;
  return SetListIndex(at);
}

void ComboBox::SetMaxLength(int length) {
  maxLength_ = length < 0 ? 0 : length;
}

}  // namespace controls
