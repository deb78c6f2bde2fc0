// Writing template files (.glx): a settings set as text, one "key=value" line per value,
// grouped under "[section]" headers. Files are written in Windows-1252 with CR LF line ends;
// texts are UTF-8 inside the program and numbers always use "." as the decimal separator.
//
// Format, as written:
//   - every header line is preceded by an empty line, so a template starts with an empty line;
//   - a header is written whenever the section differs from the section of the previous value
//     (so a section written in two runs occurs twice; readers only see the first);
//   - "key=value" with nothing around "=", the value unchanged (an empty value ends the line
//     with "=").
//
// The current template's path is store::templateState().TemplatePath.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/numbers.h"

namespace settings {

struct TemplateWriterState {
  // Non-zero while a template is open for writing (also after a failed open, until the
  // writing road closes it).
  int16_t TemplateFileNumber = 0;
  // Section of the last header written; emptied when a new file is opened, so every file
  // starts with a header.
  std::string LastTemplateSection;
  std::FILE* file = nullptr;  // the open file; null when the open failed
  bool failed = false;        // the open or a write of the current file failed
};
TemplateWriterState& templateWriter();

// Appends one value to the template being written. The first call after a close opens `file`
// (empty: TemplatePath) for writing, creating or emptying it; later calls write to the open
// file whatever `file` says. Failures are silent.
void WriteTemplateValue(std::string_view section, std::string_view key, const runtime::TextValue& value,
                        std::string_view file = {});

// Ends the template being written: closes the file when one is open and sets
// TemplateFileNumber back to 0. LastTemplateSection is kept. True when a file was open and
// every line of it was written and closed.
bool CloseTemplateFile();

// Writes a whole template to `path`: `writeValues` writes its values (WriteTemplateValue
// without a file argument, ExportSetting, ...) into a new file beside `path`, which replaces
// `path` only when every line was written and the file closed. Otherwise the new file is
// removed, whatever `path` held stays, and the user is told "There was an error writing the
// file.". True when `path` holds the new template.
bool WriteWholeTemplate(const std::string& path, const std::function<void()>& writeValues);

// The text shown when a template cannot be written.
inline constexpr const char* kTemplateWriteError = "There was an error writing the file.";

// Registry value -> template line: GetSettingString(section, key, def), written as it is.
void ExportSetting(std::string_view section, std::string_view key, std::string_view def);

// Template value -> registry: the template's value (or `def` when the template lacks it) is
// written to the registry in every case.
void ImportSetting(std::string_view section, std::string_view key, std::string_view def,
                   std::string_view file = {});

// Conversions of template values into record fields. Each stores the converted value and
// returns true, or leaves the field as it was and returns false when the text is not a
// number or the number does not fit the field.
//   Long:    a number rounded to a whole 32-bit value (halves to even).
//   Integer: "0" & text as a 16-bit whole number, so an empty text gives 0.
//   Single:  the nearest single-precision number.
bool TemplateTextToLong(std::string_view text, int32_t& field);
bool TemplateTextToInteger(std::string_view text, int32_t& field);
bool TemplateTextToSingle(std::string_view text, float& field);

}  // namespace settings
