#include "settings/template_file.h"

#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "runtime/text_codec.h"
#include "store/typed_readers.h"

namespace settings {

namespace {

// The number the writer takes for its file; one template is open at a time.
constexpr int16_t kTemplateFileNumber = 1;

void WriteLine(std::FILE* f, const std::string& utf8) {
  if (f == nullptr) return;
  const std::string bytes = runtime::Utf8ToCp1252(utf8) + "\r\n";
  std::fwrite(bytes.data(), 1, bytes.size(), f);
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
    w.TemplateFileNumber = kTemplateFileNumber;
    w.file = target.empty() ? nullptr : std::fopen(target.c_str(), "wb");
    // A new file starts with a header of its own, whatever the previous file ended with.
    w.LastTemplateSection.clear();
  }
  if (section != w.LastTemplateSection) {
    WriteLine(w.file, "");
    WriteLine(w.file, "[" + std::string(section) + "]");
    w.LastTemplateSection = std::string(section);
  }
  WriteLine(w.file, std::string(key) + "=" + value.text());
}

void CloseTemplateFile() {
  auto& w = templateWriter();
  if (w.TemplateFileNumber > 0) {
    if (w.file != nullptr) std::fclose(w.file);
    w.file = nullptr;
    w.TemplateFileNumber = 0;
  }
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
