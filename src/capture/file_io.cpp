#include "capture/file_io.h"

#include <QStandardPaths>

#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"

namespace capture {
namespace {

constexpr size_t kMaxFileName = 1024;
constexpr size_t kMaxFileTitle = 512;
const std::string kNulText(1, '\0');

// Item n (from 1) of a NUL-separated filter: a description and its pattern with the NUL
// between them; the empty text for a list of a single NUL, for n below 1 or past the last pair.
std::string GetDelimitedItem(const std::string& list, int32_t n) {
  if (list == kNulText) return "";
  size_t p = 0;
  for (;;) {
    const size_t a = list.find('\0', p);
    if (a == std::string::npos) return "";
    const size_t b = list.find('\0', a + 1);
    const std::string item = list.substr(p, (b == std::string::npos ? list.size() : b) - p);
    if (n == 1) return item;
    if (b == std::string::npos || n < 1) return "";
    p = b + 1;
    --n;
  }
}

// The description and pattern pairs of a NUL-separated filter.
std::vector<std::pair<std::string, std::string>> FilterPairs(const std::string& padded) {
  std::vector<std::string> fields;
  size_t p = 0;
  while (p <= padded.size()) {
    const size_t q = padded.find('\0', p);
    fields.push_back(padded.substr(p, (q == std::string::npos ? padded.size() : q) - p));
    if (q == std::string::npos) break;
    p = q + 1;
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  for (size_t i = 0; i < fields.size(); i += 2) {
    std::string pattern = i + 1 < fields.size() ? fields[i + 1] : "";
    if (fields[i].empty() && pattern.empty()) continue;
    pairs.emplace_back(fields[i], std::move(pattern));
  }
  return pairs;
}

}  // namespace

clsFileIO::clsFileIO() : dlgTitle_(platform::kProductName) {
  initDirectory_ = GetSpecialFolderLocation(kFolderDocuments);
  initDirectory_ = store::GetSettingString("Video", "DefaultDirectory", initDirectory_);
}

std::string clsFileIO::GetPadFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out) {
    if (c == '|' || c == ':') c = '\0';
  }
  return out;
}

void clsFileIO::Cancelled(int32_t filterIndex) {
  flags_ = 0;
  filterIndex_ = filterIndex;
  filter_ = kNulText;
}

bool clsFileIO::ShowDialog(platform::FileDialogKind kind, int32_t flags, std::string& FileName,
                           const std::string& FileTitle) {
  const int32_t cancelIndex = kind == platform::FileDialogKind::Save ? 0 : -1;
  if (FileName.size() > kMaxFileName || FileTitle.size() > kMaxFileTitle) {
    Cancelled(cancelIndex);
    return false;
  }
  platform::FileDialogRequest request;
  request.kind = kind;
  request.flags = flags;
  request.owner = ownerHwnd_ == -1 ? 0 : ownerHwnd_;
  request.initialDirectory = initDirectory_;
  request.title = dlgTitle_;
  request.defaultExtension = defaultExt_;
  const std::string padded = GetPadFilter(filter_);
  request.filters = FilterPairs(padded);
  request.filterIndex = filterIndex_;
  request.fileName = FileName;

  const platform::FileDialogResult result = platform::ShowFileDialog(request);
  if (!result.accepted) {
    Cancelled(cancelIndex);
    return false;
  }
  FileName = result.fileName;
  flags_ = result.flags;
  filterIndex_ = result.filterIndex;
  filter_ = GetDelimitedItem(padded, filterIndex_);
  // The next dialog starts in the folder of the chosen file.
  initDirectory_ = FileName.substr(0, FileName.size() - VBGetFileTitle(FileName).size());
  return true;
}

int32_t clsFileIO::OpenFlags() const {
  int32_t flags = flags_ & ~(platform::kOfnEnableHook | platform::kOfnEnableTemplate);
  if (fileMustExist_) flags |= platform::kOfnFileMustExist;
  if (multiSelect_) flags |= platform::kOfnAllowMultiSelect;
  if (hideReadOnly_) flags |= platform::kOfnHideReadOnly;
  if (readOnly_) flags |= platform::kOfnReadOnly;
  return flags;
}

bool clsFileIO::VBGetOpenFileName(std::string& FileName, const std::string& FileTitle) {
  if (!ShowDialog(platform::FileDialogKind::Open, OpenFlags(), FileName, FileTitle)) return false;
  readOnly_ = readOnly_ || (flags_ & platform::kOfnReadOnly) != 0;
  return true;
}

bool clsFileIO::VBGetOpenFileNamePreview(std::string& FileName, const std::string& FileTitle) {
  if (!ShowDialog(platform::FileDialogKind::OpenPreview, OpenFlags(), FileName, FileTitle)) return false;
  readOnly_ = readOnly_ || (flags_ & platform::kOfnReadOnly) != 0;
  return true;
}

bool clsFileIO::VBGetSaveFileName(std::string& FileName, const std::string& FileTitle) {
  int32_t flags = (flags_ & ~(platform::kOfnEnableHook | platform::kOfnEnableTemplate)) | platform::kOfnHideReadOnly;
  if (overwritePrompt_) flags |= platform::kOfnOverwritePrompt;
  if (!ShowDialog(platform::FileDialogKind::Save, flags, FileName, FileTitle)) return false;
  store::SaveRegSetting("Video", "DefaultDirectory", initDirectory_);
  return true;
}

std::string clsFileIO::GetSpecialFolderLocation(int32_t identifier) {
  static const std::pair<int32_t, QStandardPaths::StandardLocation> kFolders[] = {
      {kFolderDesktop, QStandardPaths::DesktopLocation},
      {kFolderDesktopDirectory, QStandardPaths::DesktopLocation},
      {kFolderDocuments, QStandardPaths::DocumentsLocation},
      {kFolderMusic, QStandardPaths::MusicLocation},
      {kFolderVideos, QStandardPaths::MoviesLocation},
      {kFolderFonts, QStandardPaths::FontsLocation},
      {kFolderAppData, QStandardPaths::GenericConfigLocation},
      {kFolderLocalAppData, QStandardPaths::GenericDataLocation},
      {kFolderInternetCache, QStandardPaths::GenericCacheLocation},
      {kFolderPictures, QStandardPaths::PicturesLocation},
      {kFolderProfile, QStandardPaths::HomeLocation},
  };
  for (const auto& [id, location] : kFolders) {
    if (id == identifier) return QStandardPaths::writableLocation(location).toStdString();
  }
  return "";
}

std::string clsFileIO::VBGetFileTitle(const std::string& path) {
  if (path.empty() || path.size() > kMaxFileName) return "";
  return std::filesystem::path(path).filename().string();
}

}  // namespace capture
