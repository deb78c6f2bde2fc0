// The template dialog "Select Template File": the program's own modal dialog for choosing a
// template file to open or to save, built from a drive list, a folder list, a file list, a
// file-type list and a file-name box.
//
// An accepted file becomes the current template (store::templateState().TemplatePath) and, when
// the opener asks for it, is opened into the Properties dialog or receives its settings at once.
// A template that cannot be read, or a save that fails, keeps the dialog open with nothing
// accepted and the current template as it was (the settings road has told the user). The
// folder of an accepted file is remembered ("Path_Drive" and "Path_Dir" of section "Template")
// and the next dialog starts there; until then the dialog starts in the user's templates folder
// (TemplatesFolder).
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls/controls.h"
#include "platform/controls/file_lists.h"

namespace dialogs {
struct PropsControls;
}

namespace capture {

inline constexpr int kTemplateHelpContext = 500;

class frmFileIO : public controls::Form {
 public:
  explicit frmFileIO(QWidget* parent = nullptr);

  // Before the dialog is shown: open (an existing file) or save mode, whether the chosen file
  // is opened or saved at once, the caption, the file types as "description|pattern|" pairs
  // (the last field ends in "|" too), the extension (without the dot) that a saved name without
  // one gets. Accepted becomes false and FullFileName "".
  void FormLet(bool openMode, bool applyNow, const std::string& title, const std::string& filter,
               const std::string& defaultExt);
  // The Properties dialog that an accepted file is opened into or saved from (ApplyNow).
  void SetSettingsDialog(dialogs::PropsControls* dialog) { settingsDialog_ = dialog; }

  bool Accepted() const { return accepted_; }
  const std::string& FullFileName() const { return fullFileName_; }

  controls::DriveListBox* drvTemp;
  controls::DirListBox* dirTemp;
  controls::FileListBox* filTemp;
  controls::ComboBox* cboTypes;
  controls::ComboBox* cboFilter;  // hidden: the pattern of each type
  controls::TextBox* txtFile;
  controls::Label* lblDriveDir;
  controls::Label* lblTypes;
  controls::Label* lblFilename;
  controls::CommandButton* cmdOK;
  controls::CommandButton* cmdDismiss;
  controls::CommandButton* cmdHelp;

  void cmdOK_Click();
  void cmdDismiss_Click();
  void cmdHelp_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  void LoadFilterList();
  void AcceptFile();
  // Tells the user why a name is refused and puts the focus back into the name box.
  void Refuse(const char* text);

  bool openMode_ = true;
  bool applyNow_ = false;
  std::string title_;
  std::string filter_;
  std::string defaultExt_;
  bool accepted_ = false;
  std::string fullFileName_;
  dialogs::PropsControls* settingsDialog_ = nullptr;
};

// Shows the template dialog modally over the Properties dialog `dialog` (which an accepted file
// is opened into or saved from when applyNow is set) and returns the accepted path, or "" when
// none was accepted.
std::string ShowFileIODialog(bool openMode, bool applyNow, const std::string& title, const std::string& filter,
                             const std::string& defaultExt, dialogs::PropsControls* dialog);

// The template path for the name typed into a dialog in `folder`: a name starting with "/"
// stands for itself, any other is taken inside the folder.
std::string TemplatePathIn(const std::string& folder, const std::string& typed);

// The folder the dialog starts in when no folder is remembered: "templates" in the per-user
// data folder, made when missing; the home folder when it cannot be made.
std::string TemplatesFolder();

// Whether a new file can be made beside `path`: creates a file of a name that does not exist
// yet (the path followed by "0", or by further digits when that name is taken) and removes it.
bool WriteProbe(const std::string& path);

}  // namespace capture
