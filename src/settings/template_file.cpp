#include "settings/template_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/message_box.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "runtime/text_codec.h"
#include "store/typed_readers.h"

namespace settings {

namespace {

// The number the writer takes for its file; one template is open at a time.
constexpr int16_t kTemplateFileNumber = 1;

void WriteLine(TemplateWriterState& w, const std::string& utf8) {
  if (w.file == nullptr) {
    w.failed = true;
    return;
  }
  const std::string bytes = runtime::Utf8ToCp1252(utf8) + "\r\n";
  if (std::fwrite(bytes.data(), 1, bytes.size(), w.file) != bytes.size()) w.failed = true;
}

// Takes the file number for `f` (null: the open failed) and starts a new file.
void StartFile(TemplateWriterState& w, std::FILE* f) {
  w.TemplateFileNumber = kTemplateFileNumber;
  w.file = f;
  w.failed = f == nullptr;
  // A new file starts with a header of its own, whatever the previous file ended with.
  w.LastTemplateSection.clear();
}

// Permission bits for a new template at `path`: those of the file it replaces, else the
// usual ones of a new file.
mode_t NewFileMode(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

TemplateWriterState& templateWriter() {
  static TemplateWriterState s;
  return s;
}

void WriteTemplateValue(std::string_view section, std::string_view key, const runtime::TextValue& value,
                        std::string_view file) {
  auto& w = templateWriter();
  if (w.TemplateFileNumber == 0) {
    const std::string target = file.empty() ? store::templateState().TemplatePath : std::string(file);
    StartFile(w, target.empty() ? nullptr : std::fopen(target.c_str(), "wb"));
  }
  if (section != w.LastTemplateSection) {
    WriteLine(w, "");
    WriteLine(w, "[" + std::string(section) + "]");
    w.LastTemplateSection = std::string(section);
  }
  WriteLine(w, std::string(key) + "=" + value.text());
}

bool CloseTemplateFile() {
  auto& w = templateWriter();
  if (w.TemplateFileNumber <= 0) return false;
  bool good = !w.failed && w.file != nullptr;
  if (w.file != nullptr) {
    good = std::fflush(w.file) == 0 && ::fsync(::fileno(w.file)) == 0 && good;
    good = std::fclose(w.file) == 0 && good;
  }
  w.file = nullptr;
  w.failed = false;
  w.TemplateFileNumber = 0;
  return good;
}

bool WriteWholeTemplate(const std::string& path, const std::function<void()>& writeValues) {
  CloseTemplateFile();
  auto& w = templateWriter();
  // The new file lies beside the old one, so that the rename below stays on one file system.
  std::string temp = path + ".XXXXXX";
  const int fd = path.empty() ? -1 : ::mkstemp(temp.data());
  std::FILE* f = nullptr;
  if (fd >= 0) {
    ::fchmod(fd, NewFileMode(path));
    f = ::fdopen(fd, "wb");
    if (f == nullptr) ::close(fd);
  }
  StartFile(w, f);
  std::error_code ec;
  try {
    writeValues();
  } catch (...) {
    // Whatever ends the writing early leaves no partial file behind.
    CloseTemplateFile();
    if (fd >= 0) std::filesystem::remove(temp, ec);
    throw;
  }
  bool good = CloseTemplateFile();
  if (good) {
    std::filesystem::rename(temp, path, ec);
    good = !ec;
  }
  if (!good) {
    if (fd >= 0) std::filesystem::remove(temp, ec);
    platform::ShowMessage(kTemplateWriteError, platform::kProductName, platform::MsgIcon::Information,
                          platform::MsgButtons::Ok);
  }
  return good;
}

void ExportSetting(std::string_view section, std::string_view key, std::string_view def) {
  WriteTemplateValue(section, key, store::GetSettingString(section, key, def));
}

void ImportSetting(std::string_view section, std::string_view key, std::string_view def, std::string_view file) {
  const std::string text = store::ReadTemplateValue(section, key, def, file);
  store::SaveRegSetting(section, key, text);
}

bool TemplateTextToLong(std::string_view text, int32_t& field) {
  double v = 0;
  if (!runtime::IsNumeric(text, &v)) return false;
  const auto whole = runtime::ToLong(v);
  if (!whole) return false;
  field = *whole;
  return true;
}

bool TemplateTextToInteger(std::string_view text, int32_t& field) {
  double v = 0;
  if (!runtime::IsNumeric("0" + std::string(text), &v)) return false;
  const auto whole = runtime::ToInteger(v);
  if (!whole) return false;
  field = *whole;
  return true;
}

bool TemplateTextToSingle(std::string_view text, float& field) {
  double v = 0;
  if (!runtime::IsNumeric(text, &v)) return false;
  const std::optional<float> single = store::ToSingle(v);
  if (!single) return false;
  field = *single;
  return true;
}

}  // namespace settings
