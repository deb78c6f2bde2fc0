#include "platform/controls/file_lists.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace controls {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRoot = "/";

bool IsReadableFolder(const std::string& path) {
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return false;
  fs::directory_iterator it(path, ec);
  return !ec;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const int c = QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive);
  return c != 0 ? c < 0 : a < b;
}

// The names of the entries of a folder that pass `keep`, sorted; hidden ones left out.
template <class Keep>
std::vector<std::string> FolderNames(const std::string& folder, Keep keep) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code typeError;
    if (keep(*it, typeError) && !typeError) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

}  // namespace

std::string NormalFolderPath(std::string_view path) {
  if (path.empty()) return {};
  std::error_code ec;
  fs::path p = fs::absolute(fs::path(std::string(path)), ec);
  if (ec) return {};
  std::string s = p.lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

bool FileNameMatches(std::string_view name, std::string_view pattern) {
  size_t p = 0;
  while (p <= pattern.size()) {
    const size_t q = std::min(pattern.find(';', p), pattern.size());
    std::string one(pattern.substr(p, q - p));
    one.erase(0, one.find_first_not_of(' '));
    one.erase(one.find_last_not_of(' ') + 1);
    if (one == "*.*") one = "*";
    if (!one.empty()) {
      const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(QString::fromStdString(one)),
                                  QRegularExpression::CaseInsensitiveOption);
      if (re.match(QString::fromStdString(std::string(name))).hasMatch()) return true;
    }
    p = q + 1;
  }
  return false;
}

// ---- DriveListBox

DriveListBox::DriveListBox(QWidget* parent, std::string name, int index)
    : ComboBox(parent, std::move(name), index, Style::DropDownList) {
  AddItem(kRoot);
  SetListIndex(0);
  current_ = kRoot;
  QObject::connect(this, &QComboBox::currentIndexChanged, [this] {
    const std::string now = Text();
    if (now.empty() || now == current_) return;
    current_ = now;
    Raise(Change);
  });
}

bool DriveListBox::SetDrive(std::string_view drive) {
  for (int32_t i = 0; i < ListCount(); ++i) {
    if (List(i) == drive) return SetListIndex(i);
  }
  return false;
}

// ---- DirListBox

DirListBox::DirListBox(QWidget* parent, std::string name, int index) : ListBox(parent, std::move(name), index) {
  // The open and the closed folder icons come in different sizes: every line shows them at the
  // size of a small icon, so that all lines are equally high.
  const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  setIconSize(QSize(icon, icon));
  std::error_code ec;
  path_ = NormalFolderPath(fs::current_path(ec).string());
  if (ec || !IsReadableFolder(path_)) path_ = kRoot;
  Fill();
  DblClick = [this] { Open(ListIndex()); };
}

std::string DirListBox::PathOf(int32_t line) const {
  return line >= 0 && line < static_cast<int32_t>(linePaths_.size()) ? linePaths_[static_cast<size_t>(line)]
                                                                      : std::string();
}

void DirListBox::Fill() {
  Clear();
  linePaths_.clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
  // The root, then each folder on the way down to the current one.
  std::vector<std::string> chain{kRoot};
  const fs::path p(path_);
  std::string walk;
  for (const fs::path& part : p.relative_path()) {
    walk += "/" + part.string();
    chain.push_back(walk);
  }
  int depth = 0;
  for (const std::string& folder : chain) {
    const std::string shown = folder == kRoot ? kRoot : fs::path(folder).filename().string();
    AddItem(std::string(static_cast<size_t>(depth) * 2, ' ') + shown);
    item(NewIndex())->setIcon(open);
    linePaths_.push_back(folder);
    ++depth;
  }
  currentLine_ = static_cast<int32_t>(linePaths_.size()) - 1;
  const std::string base = path_ == kRoot ? "" : path_;
  for (const std::string& sub : FolderNames(path_, [](const fs::directory_entry& e, std::error_code& ec) {
         return e.is_directory(ec);
       })) {
    AddItem(std::string(static_cast<size_t>(depth) * 2, ' ') + sub);
    item(NewIndex())->setIcon(closed);
    linePaths_.push_back(base + "/" + sub);
  }
  // Filling raises no Click; the current folder's line is shown selected.
  const Handler click = Click;
  Click = nullptr;
  SetListIndex(currentLine_);
  Click = click;
}

bool DirListBox::SetPath(std::string_view path) {
  std::string next = NormalFolderPath(path);
  if (next.empty() || !IsReadableFolder(next)) return false;
  const bool changed = next != path_;
  path_ = std::move(next);
  Fill();
  if (changed) Raise(Change);
  return true;
}

void DirListBox::Refresh() { Fill(); }

void DirListBox::Open(int32_t line) {
  if (line < 0 || line == currentLine_) return;
  SetPath(PathOf(line));
}

void DirListBox::keyPressEvent(QKeyEvent* e) {
  const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && ListIndex() >= 0 &&
      ListIndex() != currentLine_) {
    e->accept();
    Open(ListIndex());
    return;
  }
  ListBox::keyPressEvent(e);
}

void DirListBox::keyboardSearch(const QString& search) {
  if (search.isEmpty()) return;
  if (!typing_.isValid() || typing_.elapsed() > QApplication::keyboardInputInterval()) typed_.clear();
  typing_.start();
  typed_ += search;
  // One letter typed again and again looks for that letter from the next line on.
  const bool sameLetter = typed_.count(typed_.front()) == typed_.size();
  const QString wanted = sameLetter ? typed_.left(1) : typed_;
  const int32_t count = ListCount();
  const int32_t from = std::max(0, ListIndex() + (sameLetter ? 1 : 0));
  for (int32_t k = 0; k < count; ++k) {
    const int32_t line = (from + k) % count;
    if (item(line)->text().trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
      setCurrentRow(line);
      scrollToItem(item(line));
      return;
    }
  }
}

// ---- FileListBox

FileListBox::FileListBox(QWidget* parent, std::string name, int index, Style style)
    : ListBox(parent, std::move(name), index, style) {
  std::error_code ec;
  path_ = NormalFolderPath(fs::current_path(ec).string());
  if (ec || !IsReadableFolder(path_)) path_ = kRoot;
  Refresh();
}

bool FileListBox::SetPath(std::string_view path) {
  std::string next = NormalFolderPath(path);
  if (next.empty() || !IsReadableFolder(next)) return false;
  path_ = std::move(next);
  Refresh();
  return true;
}

void FileListBox::SetPattern(std::string_view pattern) {
  pattern_ = std::string(pattern);
  Refresh();
}

void FileListBox::focusInEvent(QFocusEvent* e) {
  const bool none = ListIndex() < 0;
  ListBox::focusInEvent(e);
  if (none && selectionModel() != nullptr) selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

std::string FileListBox::FileName() const { return ListIndex() < 0 ? std::string() : List(ListIndex()); }

void FileListBox::Refresh() {
  Clear();
  for (const std::string& name : FolderNames(path_, [this](const fs::directory_entry& e, std::error_code& ec) {
         return e.is_regular_file(ec) && FileNameMatches(e.path().filename().string(), pattern_);
       })) {
    AddItem(name);
  }
}

}  // namespace controls
