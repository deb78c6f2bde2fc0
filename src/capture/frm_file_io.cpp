#include "capture/frm_file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/settings_roads.h"
#include "host/window_state.h"
#include "platform/help/help_viewer.h"
#include "platform/message_box.h"
#include "settings/settings_transfer.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "store/typed_readers.h"

namespace capture {

namespace {

namespace fs = std::filesystem;

constexpr const char* kWindowSection = "General\\Template";
constexpr const char* kSettingsSection = "Template";

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

std::string TemplatePathIn(const std::string& folder, const std::string& typed) {
  if (!typed.empty() && typed[0] == '/') return typed;
  const bool ends = !folder.empty() && folder.back() == '/';
  return folder + (ends ? "" : "/") + typed;
}

std::string TemplatesFolder() {
  // The data folder is empty when it could not be made; the home folder stands in then.
  const std::string data = host::PerUserDataFolder();
  if (!data.empty()) {
    const std::string folder = data + (data.back() == '/' ? "" : "/") + "templates";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (fs::is_directory(folder, ec)) return folder;
  }
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::string(home) : std::string("/");
}

bool WriteProbe(const std::string& path) {
  // A probe never touches a file that exists: it is created only when its name is free.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string probe = path + "0" + (attempt == 0 ? "" : "." + std::to_string(attempt));
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      const bool closed = ::close(fd) == 0;
      const bool removed = ::unlink(probe.c_str()) == 0;
      return closed && removed;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

frmFileIO::frmFileIO(QWidget* parent) : controls::Form(parent, "frmFileIO") {
  using namespace controls;
  SetCaption("Select Template File");
  SetHelpContextID(kTemplateHelpContext);
  SetReleaseOnUnload(false);

  lblDriveDir = new Label(this, "lblDriveDir");
  lblDriveDir->SetCaption("Drive / Directory:");
  lblDriveDir->Move(120, 120, 3600, 240);
  drvTemp = new DriveListBox(this, "drvTemp");
  drvTemp->Move(120, 360, 3600, 315);
  dirTemp = new DirListBox(this, "dirTemp");
  dirTemp->Move(120, 735, 3600, 2250);
  filTemp = new FileListBox(this, "filTemp");
  filTemp->Move(3840, 360, 2520, 2625);
  lblTypes = new Label(this, "lblTypes");
  lblTypes->SetCaption("List Files of Type:");
  lblTypes->Move(120, 3105, 3600, 240);
  cboTypes = new ComboBox(this, "cboTypes");
  cboTypes->Move(120, 3345, 3600, 315);
  cboFilter = new ComboBox(this, "cboFilter");
  cboFilter->Move(3840, 3345, 2520, 315);
  cboFilter->SetVisible(false);
  lblFilename = new Label(this, "lblFilename");
  lblFilename->SetCaption("File name:");
  lblFilename->Move(120, 3780, 3600, 240);
  txtFile = new TextBox(this, "txtFile");
  txtFile->Move(120, 4020, 6240, 315);

  auto button = [this](const char* name, const char* caption, int top) {
    auto* b = new CommandButton(this, name);
    b->SetCaption(caption);
    b->Move(6480, top, 1215, 375);
    return b;
  };
  cmdOK = button("cmdOK", "OK", 360);
  cmdDismiss = button("cmdDismiss", "Cancel", 840);
  cmdHelp = button("cmdHelp", "&Help", 1320);
  SetDefaultButton(cmdOK);
  SetCancelButton(cmdDismiss);
  // Typing comes first: the name box leads the tab order.
  txtFile->SetTabIndex(0);

  drvTemp->Change = [this] { dirTemp->SetPath(drvTemp->Drive()); };
  dirTemp->Change = [this] { filTemp->SetPath(dirTemp->Path()); };
  cboTypes->Click = [this] { filTemp->SetPattern(cboFilter->List(cboTypes->ListIndex())); };
  filTemp->Click = [this] { txtFile->SetText(filTemp->FileName()); };
  filTemp->DblClick = [this] { AcceptFile(); };
  txtFile->GotFocus = [] { controls::SelectAllText(); };
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  cmdHelp->Click = [this] { cmdHelp_Click(); };
}

void frmFileIO::FormLet(bool openMode, bool applyNow, const std::string& title, const std::string& filter,
                        const std::string& defaultExt) {
  openMode_ = openMode;
  applyNow_ = applyNow;
  title_ = title;
  filter_ = filter;
  defaultExt_ = defaultExt;
  accepted_ = false;
  fullFileName_.clear();
}

void frmFileIO::Form_Load() {
  // The client area ends just below the name box; sized first, so that the position is centred
  // or fitted onto the screen by the window's size.
  SetClientSize(cmdOK->Left() + cmdOK->Width() + 120,
                txtFile->Top() + txtFile->Height() + controls::PixelsToTwipsY(5));
  host::RestoreWindowState(*this, kWindowSection, false);
  SetCaption(title_);
  const std::string drive = store::GetSettingString(kSettingsSection, "Path_Drive", "");
  const std::string folder = store::GetSettingString(kSettingsSection, "Path_Dir", "");
  // The user's templates folder, not the folder the program was started in: a save from a
  // source tree or a system folder must not land there. A remembered folder wins; one that is
  // gone leaves the list in the templates folder.
  dirTemp->SetPath(TemplatesFolder());
  if (!drive.empty()) drvTemp->SetDrive(drive);
  if (!folder.empty()) dirTemp->SetPath(folder);
  LoadFilterList();
  txtFile->SetFocus();
}

void frmFileIO::Form_Unload(int& /*Cancel*/) { host::SaveWindowState(*this, kWindowSection); }

void frmFileIO::LoadFilterList() {
  cboTypes->Clear();
  cboFilter->Clear();
  // Fields end in "|"; a last field without one runs to the end of the text.
  std::vector<std::string> fields;
  size_t p = 0;
  while (p < filter_.size()) {
    const size_t q = std::min(filter_.find('|', p), filter_.size());
    fields.push_back(filter_.substr(p, q - p));
    p = q + 1;
  }
  for (size_t i = 0; i < fields.size(); i += 2) {
    cboTypes->AddItem(fields[i]);
    cboFilter->AddItem(i + 1 < fields.size() ? fields[i + 1] : "*.*");
  }
  cboTypes->SetListIndex(0);
}

void frmFileIO::Refuse(const char* text) {
  platform::ShowMessage(text, platform::kProductName, platform::MsgIcon::Information);
  txtFile->SetFocus();
}

void frmFileIO::AcceptFile() {
  // Blanks around the name are not part of it.
  const std::string typed = Trimmed(txtFile->Text());
  const bool blank = typed.empty();
  // Wildcards name no one file.
  const bool wild = typed.find_first_of("*?") != std::string::npos;
  std::string full = TemplatePathIn(dirTemp->Path(), typed);
  std::error_code ec;
  if (openMode_) {
    if (blank || wild || !fs::exists(full, ec)) return Refuse("Please select an existing file.");
    // A folder, a pipe or a device is there but holds no template to read, as on the command line.
    if (!fs::is_regular_file(full, ec)) return Refuse(settings::kTemplateReadError);
  } else {
    if (blank) return Refuse("Please enter a file name.");
    // Neither the name as typed nor the file written (extension added) may be a folder.
    const fs::path asTyped(full);
    if (wild || !asTyped.has_filename() || fs::is_directory(asTyped, ec))
      return Refuse("Please enter a valid path and file.");
    if (asTyped.filename().string().find('.') == std::string::npos) full += "." + defaultExt_;
    if (fs::is_directory(full, ec) || !WriteProbe(full)) return Refuse("Please enter a valid path and file.");
  }

  // The settings roads read the path from the current template; a road that fails has told
  // the user and leaves the current template as it was.
  std::string& templatePath = store::templateState().TemplatePath;
  const std::string previous = templatePath;
  templatePath = full;
  if (applyNow_ && settingsDialog_ != nullptr) {
    const bool done = openMode_ ? dialogs::CyclePropsTempToArrays(*settingsDialog_)
                                : dialogs::CyclePropsArraysToTemp(*settingsDialog_);
    if (!done) {
      templatePath = previous;
      txtFile->SetFocus();
      return;
    }
  }
  accepted_ = true;
  fullFileName_ = full;
  store::SaveRegSetting(kSettingsSection, "Path_Drive", drvTemp->Drive());
  store::SaveRegSetting(kSettingsSection, "Path_Dir", dirTemp->Path());
  Unload();
}

void frmFileIO::cmdOK_Click() { AcceptFile(); }

void frmFileIO::cmdDismiss_Click() { Unload(); }

void frmFileIO::cmdHelp_Click() { platform::ShowHelp(this, platform::HELP_CONTEXT, kTemplateHelpContext); }

std::string ShowFileIODialog(bool openMode, bool applyNow, const std::string& title, const std::string& filter,
                             const std::string& defaultExt, dialogs::PropsControls* dialog) {
  auto* window = new frmFileIO(dialog != nullptr ? &dialog->form : nullptr);
  window->FormLet(openMode, applyNow, title, filter, defaultExt);
  window->SetSettingsDialog(dialog);
  window->ShowModal();
  const std::string path = window->Accepted() ? window->FullFileName() : std::string();
  window->Release();
  return path;
}

}  // namespace capture
