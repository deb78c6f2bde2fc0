// Value lookup in template files (INI-like text: "[section]" headers, "key=value" lines).
// The file's text is read once and cached together with the positions of its sections, so a
// whole load of many values costs one pass over the file, however large it is; the keys of a
// section are indexed on its first lookup. Files larger than kMaxTemplateBytes are refused as
// files that cannot be read (real templates are well under 100 KB).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/numbers.h"

namespace store {

inline constexpr size_t kMaxTemplateBytes = size_t{16} << 20;  // 16 MiB

// A name found at the start of a line of the cached text: a section header's name (between
// "[" and the first "]") or a key (before the first "="), and where what follows it ends.
// Positions fit 32 bits: the text of a file of at most kMaxTemplateBytes is at most three
// times as long in UTF-8.
struct TemplateName {
  uint32_t at = 0;   // first character of the name
  uint32_t len = 0;  // length of the name
  uint32_t end = 0;  // a section: end of its body; a key: its line feed (kNoLineEnd: none)
};
inline constexpr uint32_t kNoLineEnd = UINT32_MAX;

struct TemplateLookupState {
  std::string TemplatePath;  // the current template file
  std::string TemplateText;  // cached text of `cachedPath` (UTF-8); empty: nothing cached
  std::string cachedPath;    // the file `TemplateText` was read from
  // Sections of the cached text sorted by name, only the first header of each name.
  std::vector<TemplateName> sections;
  // Keys of the sections looked up so far (by position in `sections`), sorted by name, only
  // the first line of each key.
  std::unordered_map<size_t, std::vector<TemplateName>> keys;
};
TemplateLookupState& templateState();

// Reads the template file `path` (empty: TemplatePath) into the cache unless it is cached
// already. False when the file cannot be opened or read, is not a regular file (a named pipe,
// a device, a folder: it is opened without waiting for a writer and refused), is empty, or is
// larger than kMaxTemplateBytes: the cache is then empty and every lookup gives its default.
// Every template read goes through here.
bool LoadTemplateText(std::string_view path = {});

// Whether the template file `path` (empty: TemplatePath) holds a header of `section`, matched
// as ReadTemplateValue matches it. False when the file cannot be read.
bool TemplateHasSection(std::string_view section, std::string_view path = {});

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
