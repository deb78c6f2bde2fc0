// The three lists of a file chooser made of controls: the drive list, the folder list and the
// file list. The file system has one root, "/", which is the only drive.
//
// A window couples them through their Change events, the drive list's Change setting the
// folder list's path and the folder list's Change setting the file list's path:
//     drvTemp->Change = [this] { dirTemp->SetPath(drvTemp->Drive()); };
//     dirTemp->Change = [this] { filTemp->SetPath(dirTemp->Path()); };
// Paths are absolute and without a trailing "/" (but the root itself).
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/list_controls.h"

namespace controls {

// The drives: one line, "/", selected from the start.
class DriveListBox : public ComboBox {
 public:
  explicit DriveListBox(QWidget* parent, std::string name = {}, int index = -1);

  std::string Drive() const { return Text(); }
  // Selects the drive of that text; a drive that is not listed is refused (false) and nothing
  // changes. Raises Change when the drive changes.
  bool SetDrive(std::string_view drive);

  // The drive changed (by the user or by code). ComboBox's Click fires as well.
  Handler Change;

 private:
  std::string current_;
};

// The folder list: the folders from the root down to the current one, each line indented one
// step more, then the subfolders of the current one (hidden folders left out), sorted without
// regard to letter case. The current folder's line is selected. A double click, or Enter, on
// another line opens that folder; Enter on the current folder's line goes on to the window
// (its default button).
class DirListBox : public ListBox {
 public:
  // Starts in the process's current folder.
  explicit DirListBox(QWidget* parent, std::string name = {}, int index = -1);

  const std::string& Path() const { return path_; }
  // Opens a folder (made absolute and normal; a drive text is its root). A path that is no
  // readable folder is refused (false) and nothing changes. Raises Change when the path
  // changes; the same path only reads the folder again.
  bool SetPath(std::string_view path);
  // The folder a line stands for ("" outside the list).
  std::string PathOf(int32_t line) const;
  // Reads the current folder again.
  void Refresh();

  // The path changed (by the user or by code).
  Handler Change;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  // Typed letters find a folder by its name (the blanks of the indent do not count): the next
  // line whose name starts with what was typed in quick succession; the same letter typed again
  // steps on to the next name that starts with it.
  void keyboardSearch(const QString& search) override;

 private:
  void Fill();
  void Open(int32_t line);
  std::string path_;
  std::vector<std::string> linePaths_;
  int32_t currentLine_ = 0;
  QString typed_;
  QElapsedTimer typing_;
};

// The file list: the regular files of a folder (hidden ones left out) whose names match the
// pattern, sorted without regard to letter case. The pattern holds one or more wildcard
// patterns separated by ";" ("*" any run of characters, "?" one character), matched without
// regard to letter case; "*.*" matches every name, as "*" does.
class FileListBox : public ListBox {
 public:
  // With Style::CheckBoxes several files can be chosen at once (Selected: each line's check).
  explicit FileListBox(QWidget* parent, std::string name = {}, int index = -1, Style style = Style::Standard);

  const std::string& Path() const { return path_; }
  // Lists the files of a folder; a path that is no readable folder is refused (false).
  bool SetPath(std::string_view path);
  const std::string& Pattern() const { return pattern_; }
  void SetPattern(std::string_view pattern);
  // The name on the selected line ("" when none is selected).
  std::string FileName() const;
  // Reads the folder again.
  void Refresh();

 protected:
  // Entering a list where no file is selected marks no line, so that the first arrow key
  // selects the first file (Up or Down alike) instead of passing over it.
  void focusInEvent(QFocusEvent* e) override;

 private:
  std::string path_;
  std::string pattern_ = "*.*";
};

// Whether a file name matches a pattern as the file list matches it.
bool FileNameMatches(std::string_view name, std::string_view pattern);
// A path made absolute and normal, without a trailing "/" (but the root); "" for an empty text.
std::string NormalFolderPath(std::string_view path);

}  // namespace controls
