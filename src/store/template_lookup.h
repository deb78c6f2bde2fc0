// Value lookup in template files (INI-like text: "[section]" headers, "key=value" lines).
// The file's text is read once and cached; lookups are plain text searches in the copy.
#pragma once

#include <string>
#include <string_view>

#include "runtime/numbers.h"

namespace store {

struct TemplateLookupState {
  std::string TemplatePath;  // the current template file
  std::string TemplateText;  // cached text of `cachedPath` (UTF-8); empty: nothing cached
  std::string cachedPath;    // the file `TemplateText` was read from
};
TemplateLookupState& templateState();

// The value of `key` in `section` of the template file `path` (empty: TemplatePath), or the
// default's text. Headers and keys match exactly (case and blanks count) and only at the start
// of a line; the first header of a name is the one searched; a section ends at the next line
// that starts with "["; the value runs to the line end (CR LF or LF), untrimmed. A value on a
// last line without a line end is not read.
std::string ReadTemplateValue(std::string_view section, std::string_view key, const runtime::TextValue& def,
                              std::string_view path = {});

// Empties the cache; the template roads call it after each whole template import.
void ClearTemplateCache();

// A trace hook that records nothing.
inline void TraceProcName(std::string_view) {}

}  // namespace store
