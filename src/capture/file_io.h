// clsFileIO: the open and save file dialogs behind one object with properties, over the
// file-dialog service of the platform layer. An instance lives on between dialogs, so its
// properties (above all the folder a dialog starts in) carry over to the next dialog. A save
// dialog remembers the folder of the chosen file in the setting "DefaultDirectory" of section
// "Video".
//
// Filters are pairs of a description and a pattern, every field separated by "|" (":" separates
// like "|"): "AVI Files|*.avi". After an accepted dialog `Filter` holds the chosen pair, its two
// fields joined by a NUL character; after a cancelled one a single NUL.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_dialog.h"

namespace capture {

// Special folders, by the shell's identifiers.
inline constexpr int32_t kFolderDesktop = 0;
inline constexpr int32_t kFolderDocuments = 5;
inline constexpr int32_t kFolderMusic = 13;
inline constexpr int32_t kFolderVideos = 14;
inline constexpr int32_t kFolderDesktopDirectory = 16;
inline constexpr int32_t kFolderFonts = 20;
inline constexpr int32_t kFolderAppData = 26;
inline constexpr int32_t kFolderLocalAppData = 28;
inline constexpr int32_t kFolderInternetCache = 32;
inline constexpr int32_t kFolderPictures = 39;
inline constexpr int32_t kFolderProfile = 40;

class clsFileIO {
 public:
  // Defaults below; InitDirectory = the stored "Video" "DefaultDirectory", else the user's
  // documents folder.
  clsFileIO();

  int64_t OwnerHwnd() const { return ownerHwnd_; }  // -1: no owner
  void OwnerHwnd(int64_t v) { ownerHwnd_ = v; }
  bool FileMustExist() const { return fileMustExist_; }
  void FileMustExist(bool v) { fileMustExist_ = v; }
  bool MultiSelect() const { return multiSelect_; }
  void MultiSelect(bool v) { multiSelect_ = v; }
  bool ReadOnly() const { return readOnly_; }
  bool HideReadOnly() const { return hideReadOnly_; }
  void HideReadOnly(bool v) { hideReadOnly_ = v; }
  const std::string& Filter() const { return filter_; }
  void Filter(const std::string& v) { filter_ = v; }
  int32_t FilterIndex() const { return filterIndex_; }
  void FilterIndex(int32_t v) { filterIndex_ = v; }
  const std::string& InitDirectory() const { return initDirectory_; }
  void InitDirectory(const std::string& v) { initDirectory_ = v; }
  // InitDirectory := GetSpecialFolderLocation(identifier).
  void InitDirectorySpecial(int32_t identifier) { initDirectory_ = GetSpecialFolderLocation(identifier); }
  const std::string& DlgTitle() const { return dlgTitle_; }
  void DlgTitle(const std::string& v) { dlgTitle_ = v; }
  const std::string& DefaultExt() const { return defaultExt_; }
  void DefaultExt(const std::string& v) { defaultExt_ = v; }
  int32_t Flags() const { return flags_; }
  void Flags(int32_t v) { flags_ = v; }
  bool OverwritePrompt() const { return overwritePrompt_; }
  void OverwritePrompt(bool v) { overwritePrompt_ = v; }

  // The open dialog. True when a file was chosen: FileName is then that file and Flags,
  // FilterIndex, Filter, ReadOnly and InitDirectory (the file's folder) follow the dialog.
  // Cancelled (also a FileName over 1024 or a FileTitle over 512 characters): false, FileName
  // unchanged, Flags 0, FilterIndex -1, Filter a single NUL.
  bool VBGetOpenFileName(std::string& FileName, const std::string& FileTitle = "");
  // The same; the open dialog with a preview pane for media files where the platform has one.
  bool VBGetOpenFileNamePreview(std::string& FileName, const std::string& FileTitle = "");
  // The filter with every "|" and ":" replaced by NUL.
  static std::string GetPadFilter(const std::string& filter);
  // The save dialog. True when a file was chosen: FileName, Flags, FilterIndex, Filter as for
  // the open dialog; InitDirectory = the file's folder with a trailing separator, also stored as
  // "DefaultDirectory" of section "Video". Cancelled: as the open dialog but FilterIndex 0.
  bool VBGetSaveFileName(std::string& FileName, const std::string& FileTitle = "");
  // The path of a special folder (kFolder...), or the empty text for an unknown one.
  static std::string GetSpecialFolderLocation(int32_t identifier);
  // The file name part of a path, or the empty text.
  static std::string VBGetFileTitle(const std::string& path);

 private:
  // Shows a dialog of that kind with these flags and takes its answer (the open and save
  // dialogs differ only in their flags and in what they do afterwards).
  bool ShowDialog(platform::FileDialogKind kind, int32_t flags, std::string& FileName, const std::string& FileTitle);
  int32_t OpenFlags() const;
  void Cancelled(int32_t filterIndex);

  bool fileMustExist_ = true;
  bool multiSelect_ = false;
  bool readOnly_ = false;
  bool hideReadOnly_ = true;
  std::string filter_;
  int32_t filterIndex_ = 0;
  std::string initDirectory_;
  std::string dlgTitle_;
  std::string defaultExt_;
  int32_t flags_ = 0;
  bool overwritePrompt_ = true;
  int64_t ownerHwnd_ = -1;
};

}  // namespace capture
