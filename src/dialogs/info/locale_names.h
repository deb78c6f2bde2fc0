// The names of the locales the diagnostics window reports: a table of 126 locales, each a
// four-digit locale identifier (language and sub-language, lower-case hexadecimal) and a name
// of the form Language_Region followed by its character-set group in parentheses.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace dialogs {

struct LocaleRow {
  const char* code;  // e.g. "0409"
  const char* name;  // e.g. "English_United_States (Western Europe / US)"
};

std::span<const LocaleRow> LocaleTable();

// The name of the row whose code equals the last four characters of the text (after NUL
// characters and leading and trailing blanks are removed; letter case ignored); empty when
// none does.
std::string GetLanguageName(std::string_view localeText);

// The locale identifier of a locale name such as "de_DE.UTF-8" as eight upper-case hexadecimal
// digits ("00000407"); the codeset and modifier are dropped. Empty for "C", "POSIX", an empty
// name and a locale that has no identifier.
std::string LocaleIdText(std::string_view localeName);

}  // namespace dialogs
